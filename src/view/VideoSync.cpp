#include "view/VideoSync.h"

#include "data/RouteSpec.h"
#include "ports/VideoSource.h"
#include "sim/TrainState.h"
#include "view/VideoState.h"

namespace tovra {

void step_sub_frame(TrainState& s, const RouteSpec& route, std::int32_t tickRate) {
    if (s.VideoMode[0] == 1) {
        // A route faster than the physics rate still steps every tick.
        const std::int32_t every = route.FrameRate > 0 ? tickRate / route.FrameRate : 1;
        if (every <= 1 || s.Clock % every == 0) s.SubFrame += 1;
    } else if (s.VideoMode[0] == 2) {
        s.SubFrame = s.Frame - s.SubStart;
    }
}

bool inEndOfVideoWindow(const TrainState& s, const RouteSpec& route) {
    const std::int32_t end = route.MovieStopFrames[0];
    return (s.VideoMode[1] == 0 && s.Speed > 0 && end < s.Frame && s.Frame < end + 500) ||
           (s.VideoMode[1] == 1 && s.Speed < 0 && end - 500 < s.Frame && s.Frame < end);
}

bool fetch_video_frame(VideoState& v, VideoSource& source, const TrainState& s) {
    if (s.VideoMode[0] > 2 || s.Frame < 0) return false;
    if (s.VideoMode[0] == 0 && s.Frame > v.FrameLimit) return false;
    const std::int32_t wanted = s.VideoMode[0] == 0 ? s.Frame : s.SubFrame;
    if (wanted == v.ShownFrame) return false;
    const int got = source.fetch(wanted, v.PictureFrame, v.picture);
    // A frame past the end of the file keeps the last picture.
    if (got == wanted || wanted >= source.frameCount()) v.ShownFrame = wanted;
    if (got < 0 || got == v.PictureFrame) return false;
    v.PictureFrame = got;
    ++v.PictureVersion;
    return true;
}

void refetch_video_picture(VideoState& v) {
    v.ShownFrame = -1;
    v.PictureFrame = -1;
}

}  // namespace tovra
