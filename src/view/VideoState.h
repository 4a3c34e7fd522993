#pragma once

#include <cstdint>

#include "ports/Image.h"

namespace tovra {

// The frame advance and the picture of the cab's video.
struct VideoState {
    std::int32_t FrameAccumulator = 0;
    std::int32_t FilmSpeed = 0;  // km/h at which the current frame was filmed
    std::int32_t CurrentSection = -1;
    std::int32_t ShownFrame = -1;  // frame in `picture`; -1 forces the next fetch
    std::int64_t FrameLimit = 0;   // highest main-video frame that may be fetched
    bool mainVideoOpen = false;
    Image picture;  // the video bitmap
};

}  // namespace tovra
