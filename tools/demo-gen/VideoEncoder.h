#pragma once

#include <filesystem>
#include <memory>

#include "demo-gen/RgbImage.h"

namespace tovra::demo {

// Writes an AVI of MPEG-4 part 2 video at 30 frames per second with FFmpeg's
// libraries. Key frames come at least every `keyInterval` frames, so that any
// frame decodes after at most that many others.
class VideoEncoder {
  public:
    VideoEncoder(const std::filesystem::path& file, int width, int height, int quality = 4,
                 int keyInterval = 30);
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    void add(const RgbImage& frame);
    // Flushes the encoder and closes the file; called by the destructor if needed.
    void finish();
    int frames() const { return frames_; }

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    int frames_ = 0;
};

}  // namespace tovra::demo
