#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "ports/Image.h"

namespace tovra::test {

// How a test video is encoded.
struct VideoRecipe {
    std::string codec;              // an FFmpeg encoder name: "mjpeg", "mpeg4", "libx264"
    std::string container = "avi";  // an FFmpeg muxer name
    int keyFrameInterval = 1;
    int bFrames = 0;
};

inline void PrintTo(const VideoRecipe& r, std::ostream* out) {
    *out << r.codec << " in " << r.container << ", key frames every " << r.keyFrameInterval << ", "
         << r.bFrames << " B-frames";
}

constexpr int kNumberedWidth = 320;
constexpr int kNumberedHeight = 240;

// Writes `frames` pictures at 30 per second, each showing its own number as 16
// black or white blocks (bit 0 at the top left, row by row). False when the
// encoder or muxer is missing.
bool writeNumberedVideo(const std::filesystem::path& file, const VideoRecipe& recipe, int frames);

// The number a decoded picture shows; -1 when a block is neither black nor white.
int readFrameNumber(const Image& picture);

}  // namespace tovra::test
