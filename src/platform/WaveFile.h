#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace tovra {

// A sound file as 16-bit samples, one or two channels interleaved.
struct WaveData {
    int sampleRate = 0;
    int channels = 0;
    std::vector<std::int16_t> samples;

    std::size_t frames() const { return channels > 0 ? samples.size() / std::size_t(channels) : 0; }
};

// Reads any file libsndfile knows (8- and 16-bit PCM WAV among them); more
// than two channels are mixed down to one. Nothing when it cannot be read.
std::optional<WaveData> readWaveFile(const std::filesystem::path& file);

}  // namespace tovra
