#pragma once

#include <cstdint>
#include <memory>

#include "ports/Image.h"

namespace tovra {

// The frame on show and the picture of the cab's video.
struct VideoState {
    std::int32_t ShownFrame = -1;  // frame last asked for and shown; -1 forces the next fetch
    // The frame of the open file in `picture`, which may be one near the
    // frame asked for while that is being decoded; -1: none of this file.
    std::int32_t PictureFrame = -1;
    std::uint64_t PictureVersion = 0;  // counts the changes of `picture`
    std::int64_t FrameLimit = 0;       // highest main-video frame that may be fetched
    bool mainVideoOpen = false;
    std::shared_ptr<const Image> picture;  // the video bitmap; none before the first
};

}  // namespace tovra
