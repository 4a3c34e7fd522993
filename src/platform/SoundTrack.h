#pragma once

#include <filesystem>
#include <optional>

#include "platform/WaveFile.h"

namespace tovra {

// The sound track of a movie file, decoded whole into 16-bit samples at its
// own rate: mono stays mono, anything wider is mixed to stereo. Nothing when
// the file has no sound track or it cannot be decoded.
std::optional<WaveData> readSoundTrack(const std::filesystem::path& file);

}  // namespace tovra
