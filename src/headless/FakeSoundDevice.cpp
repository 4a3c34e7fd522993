#include "headless/FakeSoundDevice.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>

namespace tovra {

namespace {

std::uint32_t le32(const char* p) {
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
           std::uint32_t(b[3]) << 24;
}

}  // namespace

std::optional<double> waveDuration(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    char riff[12];
    if (!in.read(riff, 12) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0)
        return std::nullopt;
    std::uint32_t byteRate = 0;
    char chunk[8];
    while (in.read(chunk, 8)) {
        const std::uint32_t size = le32(chunk + 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            char fmt[16];
            if (size < 16 || !in.read(fmt, 16)) return std::nullopt;
            byteRate = le32(fmt + 8);
            in.seekg(std::streamoff(size - 16 + (size & 1)), std::ios::cur);
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (byteRate == 0) return std::nullopt;
            return double(size) / byteRate;
        } else {
            in.seekg(std::streamoff(size + (size & 1)), std::ios::cur);
        }
    }
    return std::nullopt;
}

std::optional<int> FakeSoundDevice::loadWave(const std::filesystem::path& file) {
    const auto seconds = waveDuration(file);
    if (!seconds) return std::nullopt;
    waves_.push_back({file.filename().string(), *seconds});
    return int(waves_.size() - 1);
}

void FakeSoundDevice::assign(int channel, int wave) {
    if (!valid(channel) || wave < 0 || std::size_t(wave) >= waves_.size()) return;
    Channel& c = channels_[channel];
    c = Channel{};
    c.loaded = true;
    c.file = waves_[std::size_t(wave)].file;
    c.seconds = waves_[std::size_t(wave)].seconds;
}

void FakeSoundDevice::report(int channel, const char* name, double value) const {
    if (listener_) listener_({clock_.seconds(), channel, name, value});
}

void FakeSoundDevice::playOnce(int channel) {
    if (!usable(channel)) return;
    channels_[channel].mode = Status::Once;
    channels_[channel].startedAt = clock_.seconds();
    report(channel, "play_once");
}

void FakeSoundDevice::playLoop(int channel) {
    if (!usable(channel)) return;
    channels_[channel].mode = Status::Looped;
    channels_[channel].startedAt = clock_.seconds();
    report(channel, "play_loop");
}

void FakeSoundDevice::stop(int channel) {
    if (!usable(channel)) return;
    channels_[channel].mode = Status::NotPlaying;
    report(channel, "stop");
}

SoundDevice::Status FakeSoundDevice::status(int channel) const {
    if (!usable(channel)) return Status::NotPlaying;
    const Channel& c = channels_[channel];
    if (c.mode == Status::Once && clock_.seconds() - c.startedAt >= c.seconds / c.pitch)
        return Status::NotPlaying;
    return c.mode;
}

void FakeSoundDevice::setVolume(int channel, int volume) {
    if (!usable(channel)) return;
    channels_[channel].volume = volume;
    report(channel, "volume", volume);
}

void FakeSoundDevice::setPitch(int channel, double ratio) {
    if (!usable(channel) || ratio <= 0) return;
    channels_[channel].pitch = ratio;
    report(channel, "pitch", ratio);
}

const std::string& FakeSoundDevice::fileName(int channel) const {
    static const std::string none;
    return valid(channel) ? channels_[channel].file : none;
}

const std::string& FakeSoundDevice::waveFile(int wave) const {
    static const std::string none;
    return wave >= 0 && std::size_t(wave) < waves_.size() ? waves_[std::size_t(wave)].file : none;
}

}  // namespace tovra
