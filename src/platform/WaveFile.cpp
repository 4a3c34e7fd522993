#include "platform/WaveFile.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace tovra {

namespace {

struct CloseSound {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

std::int16_t toSample(float value) {
    return std::int16_t(std::lrint(std::clamp(value * 32768.0f, -32768.0f, 32767.0f)));
}

}  // namespace

std::optional<WaveData> readWaveFile(const std::filesystem::path& file) {
    SF_INFO info{};
    const std::unique_ptr<SNDFILE, CloseSound> sound(sf_open(file.c_str(), SFM_READ, &info));
    if (!sound || info.channels <= 0 || info.samplerate <= 0) return std::nullopt;
    WaveData wave;
    wave.sampleRate = info.samplerate;
    wave.channels = info.channels <= 2 ? info.channels : 1;
    if (info.frames > 0 && info.frames < (sf_count_t(1) << 28))
        wave.samples.reserve(std::size_t(info.frames * wave.channels));
    constexpr sf_count_t kChunk = 4096;
    std::vector<float> chunk(std::size_t(kChunk * info.channels));
    // Read until the data ends, whatever the header claims.
    while (const sf_count_t got = sf_readf_float(sound.get(), chunk.data(), kChunk)) {
        for (sf_count_t f = 0; f < got; ++f) {
            const float* frame = &chunk[std::size_t(f * info.channels)];
            if (info.channels <= 2) {
                for (int c = 0; c < info.channels; ++c) wave.samples.push_back(toSample(frame[c]));
            } else {
                float sum = 0;
                for (int c = 0; c < info.channels; ++c) sum += frame[c];
                wave.samples.push_back(toSample(sum / float(info.channels)));
            }
        }
    }
    if (sf_error(sound.get()) != SF_ERR_NO_ERROR) return std::nullopt;
    return wave;
}

}  // namespace tovra
