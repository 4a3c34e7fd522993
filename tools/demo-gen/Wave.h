#pragma once

#include <filesystem>
#include <vector>

namespace tovra::demo {

// Every sound of the demo set: 22050 Hz, mono, 16-bit PCM with the canonical
// 44-byte header (the program reads playing times from it).
inline constexpr int kSampleRate = 22050;

using Samples = std::vector<float>;  // -1..1

void writeWave(const std::filesystem::path& file, const Samples& samples);

// Reads a PCM wave file (8 or 16 bit, any channels, any rate) and returns it
// mono at kSampleRate; empty when the file is no such wave.
Samples readWave(const std::filesystem::path& file);

}  // namespace tovra::demo
