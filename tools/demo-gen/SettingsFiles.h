#pragma once

#include <filesystem>

namespace tovra::demo {

// velmoran.dat (display geometry, video folder, every fixed text), mascon.dat
// (the serial controller's 23 messages), operation.dat (the help text) and
// readme.html.
void writeSettingsFiles(const std::filesystem::path& root);

}  // namespace tovra::demo
