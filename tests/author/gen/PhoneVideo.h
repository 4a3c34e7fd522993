#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "ports/Image.h"

namespace tovra::author::test {

// Writes an MP4 as a phone does: picture i (`pictureAt(i)`, all of one even
// size) stamped at `times[i]` seconds on a clock of 1/60000 s, so that any
// rate and any gap between pictures can be written, and stored turned
// counterclockwise by `rotation` degrees with a display matrix that turns
// it back for showing. False when the encoder or muxer is missing.
bool writePhoneVideo(const std::filesystem::path& file, const std::vector<double>& times,
                     int rotation, const std::function<Image(int)>& pictureAt);

}  // namespace tovra::author::test
