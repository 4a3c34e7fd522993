#pragma once

#include <filesystem>
#include <string_view>

namespace tovra::author {

// Writes `bytes` to a temporary file beside `file` and renames it over
// `file`, so that a failure never leaves half a file. Throws
// std::runtime_error naming the file.
void writeWhole(const std::filesystem::path& file, std::string_view bytes);

}  // namespace tovra::author
