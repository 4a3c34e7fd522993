#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "ports/Image.h"

namespace tovra::test {

// A sound track as long as the pictures: a sine tone of half the full
// amplitude on each channel, 16-bit samples into the encoder.
struct ToneTrack {
    std::string codec;  // an FFmpeg encoder name: "pcm_s16le", "mp2"; empty: no sound
    int sampleRate = 22050;
    std::vector<double> hertz;  // the tone of each channel
};

constexpr int kNumberedWidth = 320;
constexpr int kNumberedHeight = 240;

// How a test video is encoded.
struct VideoRecipe {
    std::string codec;              // an FFmpeg encoder name: "mjpeg", "mpeg4", "libx264"
    std::string container = "avi";  // an FFmpeg muxer name
    int keyFrameInterval = 1;
    int bFrames = 0;
    int frameRate = 30;
    ToneTrack sound = {};
    int width = kNumberedWidth;  // the blocks grow with the picture
    int height = kNumberedHeight;
    // A fine pattern in every block (dark in the black ones, light in the
    // white ones) that a picture moved or filtered by a pixel would not match.
    bool textured = false;
    int firstNumber = 0;  // the number frame 0 shows; frame n shows it + n
};

inline void PrintTo(const VideoRecipe& r, std::ostream* out) {
    *out << r.codec << " in " << r.container << ", key frames every " << r.keyFrameInterval << ", "
         << r.bFrames << " B-frames";
}

// Writes `frames` pictures, each showing its own number as 16 black or white
// blocks (bit 0 at the top left, row by row). False when an encoder or the
// muxer is missing.
bool writeNumberedVideo(const std::filesystem::path& file, const VideoRecipe& recipe, int frames);

// The number a decoded picture of any size shows; -1 when a block is
// neither black nor white.
int readFrameNumber(const Image& picture);

}  // namespace tovra::test
