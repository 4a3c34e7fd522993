#include "platform/OpenAlSoundDevice.h"

#define AL_ALEXT_PROTOTYPES
#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <iostream>
#include <stdexcept>
#include <vector>

#include "platform/WaveFile.h"

namespace tovra {

namespace {

constexpr ALCint kSilentRate = 22050;
constexpr ALCsizei kSilentBlock = 512;  // frames per mix, about 23 ms
// The range a channel's playback rate may take, in samples per second.
constexpr long kMinFrequency = 100;
constexpr long kMaxFrequency = 200000;
constexpr int kSilentVolume = -10000;

bool valid(int channel) {
    return channel >= 0 && channel < SoundDevice::kChannelCount;
}

}  // namespace

OpenAlSoundDevice::OpenAlSoundDevice() {
    const ALCint attributes[] = {ALC_MONO_SOURCES, kChannelCount, 0};
    if (ALCdevice* device = alcOpenDevice(nullptr)) {
        if (createContext(device, attributes)) return;
        alcCloseDevice(device);
        warning_ =
            "the sound output cannot play " + std::to_string(kChannelCount) + " sounds at once";
    } else {
        warning_ = "no sound output could be opened";
    }
    openSilentOutput();
    warning_ += "; the run goes on without sound";
}

OpenAlSoundDevice::~OpenAlSoundDevice() {
    rendering_ = false;
    if (renderer_.joinable()) renderer_.join();
    ALCcontext* const current = alcGetCurrentContext();
    select();
    for (Channel& c : channels_) alDeleteSources(1, &c.source);
    for (Wave& w : waves_)
        if (w.buffer) alDeleteBuffers(1, &w.buffer);
    alcMakeContextCurrent(current == context_ ? nullptr : current);
    alcDestroyContext(context_);
    alcCloseDevice(device_);
}

// A context with a source for every channel, made current.
bool OpenAlSoundDevice::createContext(ALCdevice* device, const ALCint* attributes) {
    ALCcontext* context = alcCreateContext(device, attributes);
    if (!context) return false;
    alcMakeContextCurrent(context);
    alGetError();
    std::size_t made = 0;
    for (; made < channels_.size(); ++made) {
        alGenSources(1, &channels_[made].source);
        if (alGetError() != AL_NO_ERROR) break;
        const ALuint source = channels_[made].source;
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);  // heard where the listener is
        alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
    }
    if (made == channels_.size()) {
        device_ = device;
        context_ = context;
        return true;
    }
    for (std::size_t i = 0; i < made; ++i) alDeleteSources(1, &channels_[i].source);
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context);
    return false;
}

// OpenAL picks its backend once per process, so its own null output cannot be
// chosen after the real one failed; a loopback device mixed in real time and
// thrown away does the same.
void OpenAlSoundDevice::openSilentOutput() {
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT, ALC_MONO_SOFT, ALC_FORMAT_TYPE_SOFT,
                                 ALC_FLOAT_SOFT,           ALC_FREQUENCY, kSilentRate,
                                 ALC_MONO_SOURCES,         kChannelCount, 0};
    ALCdevice* device = alcLoopbackOpenDeviceSOFT(nullptr);
    if (!device || !createContext(device, attributes)) {
        if (device) alcCloseDevice(device);
        throw std::runtime_error("OpenAL cannot mix sound: " + warning_);
    }
    rendering_ = true;
    renderer_ = std::thread([this] { renderSilently(); });
}

void OpenAlSoundDevice::renderSilently() {
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(double(kSilentBlock) / kSilentRate));
    std::vector<float> block(static_cast<std::size_t>(kSilentBlock));
    auto next = Clock::now();
    while (rendering_) {
        alcRenderSamplesSOFT(device_, block.data(), kSilentBlock);
        next = std::max(next + period,
                        Clock::now() - std::chrono::seconds(1));  // no rush after a stall
        std::this_thread::sleep_until(next);
    }
}

void OpenAlSoundDevice::select() const {
    if (alcGetCurrentContext() != context_) alcMakeContextCurrent(context_);
}

OpenAlSoundDevice::Channel* OpenAlSoundDevice::withWave(int channel) {
    select();
    if (!valid(channel) || channels_[std::size_t(channel)].sampleRate == 0) return nullptr;
    return &channels_[std::size_t(channel)];
}

const OpenAlSoundDevice::Channel* OpenAlSoundDevice::withWave(int channel) const {
    return const_cast<OpenAlSoundDevice*>(this)->withWave(channel);
}

std::optional<int> OpenAlSoundDevice::loadWave(const std::filesystem::path& file) {
    const auto data = readWaveFile(file);
    return data ? loadSamples(*data) : std::nullopt;
}

std::optional<int> OpenAlSoundDevice::loadSamples(const WaveData& data) {
    select();
    if (data.samples.size() * sizeof(std::int16_t) > std::size_t(INT_MAX)) return std::nullopt;
    Wave wave{0, data.sampleRate};
    if (!data.samples.empty()) {
        alGetError();
        alGenBuffers(1, &wave.buffer);
        alBufferData(wave.buffer, data.channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16,
                     data.samples.data(), ALsizei(data.samples.size() * sizeof(std::int16_t)),
                     data.sampleRate);
        if (alGetError() != AL_NO_ERROR) {
            alDeleteBuffers(1, &wave.buffer);
            return std::nullopt;
        }
    }
    waves_.push_back(wave);
    return int(waves_.size() - 1);
}

void OpenAlSoundDevice::assign(int channel, int wave) {
    if (!valid(channel) || wave < 0 || std::size_t(wave) >= waves_.size()) return;
    select();
    Channel& c = channels_[std::size_t(channel)];
    alSourceStop(c.source);
    alSourcei(c.source, AL_BUFFER, ALint(waves_[std::size_t(wave)].buffer));
    alSourcef(c.source, AL_GAIN, 1.0f);
    alSourcef(c.source, AL_PITCH, 1.0f);
    alSourcei(c.source, AL_LOOPING, AL_FALSE);
    c.sampleRate = waves_[std::size_t(wave)].sampleRate;
    c.looping = false;
}

void OpenAlSoundDevice::start(int channel, bool loop) {
    Channel* c = withWave(channel);
    if (!c) return;
    c->looping = loop;
    alSourceRewind(c->source);
    alSourcei(c->source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
    alSourcePlay(c->source);
}

void OpenAlSoundDevice::playOnce(int channel) {
    start(channel, false);
}

void OpenAlSoundDevice::playLoop(int channel) {
    start(channel, true);
}

void OpenAlSoundDevice::stop(int channel) {
    if (const Channel* c = withWave(channel)) alSourcePause(c->source);  // keeps the position
}

SoundDevice::Status OpenAlSoundDevice::status(int channel) const {
    const Channel* c = withWave(channel);
    if (!c) return Status::NotPlaying;
    ALint state = AL_STOPPED;
    alGetSourcei(c->source, AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING) return Status::NotPlaying;
    return c->looping ? Status::Looped : Status::Once;
}

void OpenAlSoundDevice::setVolume(int channel, int volume) {
    const Channel* c = withWave(channel);
    if (!c) return;
    volume = std::clamp(volume, kSilentVolume, 0);
    const float gain = volume == kSilentVolume ? 0.0f : float(std::pow(10.0, volume / 2000.0));
    alSourcef(c->source, AL_GAIN, gain);
}

void OpenAlSoundDevice::setPitch(int channel, double ratio) {
    const Channel* c = withWave(channel);
    if (!c || !(ratio > 0) || !std::isfinite(ratio)) return;
    const long frequency =
        std::clamp(std::lround(c->sampleRate * ratio), kMinFrequency, kMaxFrequency);
    alSourcef(c->source, AL_PITCH, float(double(frequency) / c->sampleRate));
}

std::unique_ptr<OpenAlSoundDevice> makeOpenAlSoundDevice() {
    auto device = std::make_unique<OpenAlSoundDevice>();
    if (!device->warning().empty()) std::cerr << "tovra: " << device->warning() << '\n';
    return device;
}

}  // namespace tovra
