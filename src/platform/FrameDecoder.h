#pragma once

#include <filesystem>
#include <functional>

#include "ports/Image.h"

namespace tovra {

// Pictures of one video file by frame number, decoded on the calling thread.
class FrameDecoder {
  public:
    virtual ~FrameDecoder() = default;
    // False when the file has no video stream that can be decoded.
    virtual bool open(const std::filesystem::path& file) = 0;
    virtual void close() = 0;
    virtual int frameCount() const = 0;
    // Pictures per second.
    virtual double frameRate() const = 0;
    // The key frame at or before n, from which decoding n starts; -1 when the
    // file does not say.
    virtual int keyFrameAtOrBefore(int n) const = 0;
    // Frame n as 0xAARRGGBB pixels; stepping on to n + 1 costs one picture.
    virtual bool decode(int n, Image& out) = 0;
    // The size of the pictures decode gives from now on, scaled from the
    // decoded picture in one step; 0 x 0: the file's own. Called on the
    // decoding thread. A decoder that cannot scale keeps the file's size.
    virtual void setPictureSize(int width, int height) {
        (void)width;
        (void)height;
    }

    // Asked on the decoding thread between the pictures of a decode that
    // passes over several: true ends it early, with false. Must not block.
    std::function<bool()> abandon;
};

}  // namespace tovra
