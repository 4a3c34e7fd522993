#pragma once

#include "ports/VideoSource.h"

namespace tovra {

// Video without a decoder: the frame count and size come from the AVI main
// header; frame n is a flat picture whose colour encodes n.
class FakeVideoSource : public VideoSource {
  public:
    bool open(const std::filesystem::path& file) override;
    void close() override { frames_ = 0; }
    int frameCount() const override { return frames_; }
    int fetch(int n, int have, Image& out) override;

    static std::uint32_t colourOf(int n) { return 0xFF000000u | (std::uint32_t(n) & 0xFFFFFFu); }

  private:
    int frames_ = 0;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace tovra
