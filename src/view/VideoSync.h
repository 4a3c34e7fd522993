#pragma once

#include <cstdint>

namespace tovra {

class VideoSource;
struct RouteSpec;
struct TrainState;
struct VideoState;

// Physics tick, after the clock: a station video plays at the route's frame
// rate; a moving sub-video follows the main frame.
void step_sub_frame(TrainState& s, const RouteSpec& route, std::int32_t tickRate);
// Drawing pass: asks for the frame the counters name and puts the newest
// picture the decoder has ready for it in the video picture, never waiting;
// true when the picture changed.
bool fetch_video_frame(VideoState& v, VideoSource& source, const TrainState& s);
// The source's pictures changed size: the next pass asks for the frame
// afresh, and the picture on show stays until the new one is there.
void refetch_video_picture(VideoState& v);
// Whether the idle pass draws nothing: inside the 500 frames past the end
// frame, until the logic tick has stopped the train there.
bool inEndOfVideoWindow(const TrainState& s, const RouteSpec& route);

}  // namespace tovra
