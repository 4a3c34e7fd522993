#pragma once

#include <filesystem>

#include "ports/Image.h"

namespace tovra {

class VideoSource {
public:
    virtual ~VideoSource() = default;
    // False when the file cannot be opened as a video.
    virtual bool open(const std::filesystem::path& file) = 0;
    virtual void close() = 0;
    virtual int frameCount() const = 0;
    // The picture of frame n (from 0); a frame outside the file keeps `out`.
    virtual bool frame(int n, Image& out) = 0;
};

}  // namespace tovra
