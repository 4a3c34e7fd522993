#include "SoundFiles.h"

#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <stdexcept>

namespace tovra::test {

void writeTone(const std::filesystem::path& file, int format, int sampleRate, int channels,
               double seconds, double frequency, double amplitude) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | format;
    SNDFILE* sound = sf_open(file.c_str(), SFM_WRITE, &info);
    if (!sound) throw std::runtime_error(sf_strerror(nullptr));
    const auto frames = std::size_t(std::lround(seconds * sampleRate));
    std::vector<double> samples;
    for (std::size_t i = 0; i < frames; ++i) {
        const double v =
            amplitude * std::sin(2 * std::numbers::pi * frequency * double(i) / sampleRate);
        samples.insert(samples.end(), std::size_t(channels), v);
    }
    sf_writef_double(sound, samples.data(), sf_count_t(frames));
    sf_close(sound);
}

WaveOutput& WaveOutput::instance() {
    static WaveOutput output;
    return output;
}

WaveOutput::WaveOutput() : mixFile_(dir_ / "out" / "mix.wav") {
    setAvailable(true);
    const auto config = dir_.writeBytes("alsoft.conf",
                                        "[general]\n"
                                        "channels = mono\n"
                                        "sample-type = float32\n"
                                        "frequency = 44100\n"
                                        "output-limiter = false\n"
                                        "dither = false\n"
                                        "hrtf = false\n"
                                        "[wave]\n"
                                        "file = " +
                                            mixFile_.string() + "\n");
    setenv("ALSOFT_DRIVERS", "wave", 1);
    setenv("ALSOFT_CONF", config.c_str(), 1);
}

void WaveOutput::setAvailable(bool available) const {
    if (available)
        std::filesystem::create_directories(mixFile_.parent_path());
    else
        std::filesystem::remove_all(mixFile_.parent_path());
}

Burst measureBurst(const std::filesystem::path& mix) {
    SF_INFO info{};
    SNDFILE* sound = sf_open(mix.c_str(), SFM_READ, &info);
    if (!sound) throw std::runtime_error("no mix: " + mix.string());
    std::vector<double> samples(std::size_t(info.frames) * std::size_t(info.channels));
    sf_readf_double(sound, samples.data(), info.frames);
    sf_close(sound);
    if (info.channels != 1) throw std::runtime_error("the mix is not mono");

    double loudest = 0;
    for (const double v : samples) loudest = std::max(loudest, std::abs(v));
    Burst burst;
    if (loudest == 0) return burst;
    const auto loud = [&](double v) { return std::abs(v) > loudest / 10; };
    const auto first =
        std::size_t(std::find_if(samples.begin(), samples.end(), loud) - samples.begin());
    const auto last =
        samples.size() - 1 -
        std::size_t(std::find_if(samples.rbegin(), samples.rend(), loud) - samples.rbegin());
    burst.seconds = double(last - first + 1) / info.samplerate;

    const std::size_t from = first + (last - first) / 4;
    const std::size_t to = last - (last - first) / 4;
    // Whole periods between the first and the last rising zero crossing,
    // each placed between its two samples.
    int crossings = 0;
    double firstCrossing = 0;
    double lastCrossing = 0;
    double energy = 0;
    for (std::size_t i = from; i < to; ++i) {
        if (samples[i] < 0 && samples[i + 1] >= 0) {
            lastCrossing = double(i) + samples[i] / (samples[i] - samples[i + 1]);
            if (crossings++ == 0) firstCrossing = lastCrossing;
        }
        energy += samples[i] * samples[i];
    }
    if (crossings > 1)
        burst.frequency = (crossings - 1) * info.samplerate / (lastCrossing - firstCrossing);
    burst.amplitude = std::sqrt(2 * energy / double(to - from));
    return burst;
}

}  // namespace tovra::test
