#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tovra {

// Resolves a path as data files write it ("image\Panel.bmp", "\" separators,
// any letter case) against a folder. When the path does not exist as written,
// each component is matched without regard to ASCII case; when nothing
// matches, the path as written (with "/") is returned so that the caller's
// error names it.
std::filesystem::path resolveDataPath(const std::filesystem::path& folder, std::string_view dataPath);

// The data path of the video a route names by `base` (video folder and name):
// base + ".avi", or when that does not exist in `folder`, the first of
// ".mp4", ".mkv" and ".mov" that does; base + ".avi" when none does.
std::string videoDataPath(const std::filesystem::path& folder, const std::string& base);

}  // namespace tovra
