#pragma once

#include <filesystem>
#include <memory>

#include "ports/Image.h"

namespace tovra {

class VideoSource {
  public:
    virtual ~VideoSource() = default;
    // False when the file cannot be opened as a video.
    virtual bool open(const std::filesystem::path& file) = 0;
    virtual void close() = 0;
    virtual int frameCount() const = 0;
    // Asks for frame n (from 0) and never waits for it. Returns the number of
    // the picture to show: n when it is ready, else the ready frame nearest
    // n, or `have` (the frame the caller holds in `out`, -1 for none) when
    // none is nearer. `out` is written only when the number differs from
    // `have`. -1, and `out` kept, for a frame outside the file. The picture
    // is shared with the source, not copied; nobody changes it.
    virtual int fetch(int n, int have, std::shared_ptr<const Image>& out) = 0;
};

}  // namespace tovra
