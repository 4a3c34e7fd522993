#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace tovra::fuzz {

// The loaders read files: each input is written to one file of this process's
// own folder, named as the loader expects, and read from there.
std::filesystem::path inputFile(const char* name, const std::uint8_t* data, std::size_t size);

}  // namespace tovra::fuzz
