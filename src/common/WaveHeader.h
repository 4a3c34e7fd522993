#pragma once

#include <filesystem>

namespace tovra {

// Playing time of a wave file in whole seconds from its canonical 44-byte
// header: the data size at offset 40 over the byte rate at offset 28,
// truncated. A file too short to hold the header, or with a zero byte rate,
// counts as 0.
int waveSeconds(const std::filesystem::path& file);

}  // namespace tovra
