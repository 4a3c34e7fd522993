#pragma once

#include <functional>
#include <optional>

#include "ports/VideoSource.h"

namespace tovra {

// A video file's length and picture size.
struct VideoShape {
    int frames = 0;
    int width = 0;
    int height = 0;
};
// Measures a video file with a real decoder; nothing when it does not open.
using VideoMeasure = std::function<std::optional<VideoShape>(const std::filesystem::path&)>;

// Video without a decoder: frame n is a flat picture whose colour encodes n.
// The frame count and size come from `measure`, or without one from the AVI
// main header.
class FakeVideoSource : public VideoSource {
  public:
    explicit FakeVideoSource(VideoMeasure measure = {}) : measure_(std::move(measure)) {}
    bool open(const std::filesystem::path& file) override;
    void close() override { frames_ = 0; }
    int frameCount() const override { return frames_; }
    int fetch(int n, int have, std::shared_ptr<const Image>& out) override;

    static std::uint32_t colourOf(int n) { return 0xFF000000u | (std::uint32_t(n) & 0xFFFFFFu); }

  private:
    VideoMeasure measure_;
    int frames_ = 0;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace tovra
