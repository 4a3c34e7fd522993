#include "view/VideoSync.h"

#include <cstdlib>

#include "data/RouteSpec.h"
#include "ports/VideoSource.h"
#include "sim/TrainState.h"
#include "view/VideoState.h"

namespace tovra {

namespace {

// The position the film gives for entering section i from section `from`.
Extended resyncPosition(const RouteSpec& route, std::size_t i, std::int32_t from) {
    if (i == 0) return 0;
    if (std::int32_t(i) > from) return Extended(route.SpeedUnits[i - 1].EndDistance);
    return Extended(route.SpeedUnits[i].EndDistance);
}

}  // namespace

void advance_frames(TrainState& s, VideoState& v, const RouteSpec& route) {
    const auto speed = roundHalfAway(s.Speed);
    v.FrameAccumulator += std::int32_t(std::llabs(speed));
    const std::int32_t direction = s.Speed < 0 ? -1 : 1;
    if (v.FrameAccumulator >= v.FilmSpeed) {
        if (v.FilmSpeed == 0) {
            s.Frame += direction * v.FrameAccumulator * 2;
            v.FrameAccumulator = 0;
        } else {
            s.Frame += direction * (v.FrameAccumulator / v.FilmSpeed);
            v.FrameAccumulator %= v.FilmSpeed;
        }
    }
    const auto& units = route.SpeedUnits;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const SpeedUnit& u = units[i];
        if (!(u.FirstFrame <= s.Frame && s.Frame < u.LastFrame)) continue;
        if (std::int32_t(i) != v.CurrentSection && v.CurrentSection != -1)
            s.Position = resyncPosition(route, i, v.CurrentSection);
        v.FilmSpeed = std::int32_t(roundHalfAway(
            (u.LastSpeed - u.FirstSpeed) / (u.LastFrame - u.FirstFrame) * (s.Frame - u.FirstFrame) +
            u.FirstSpeed));
        v.CurrentSection = std::int32_t(i);
    }
    if (s.FollowVideoSpeed) s.Speed = v.FilmSpeed;
}

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
