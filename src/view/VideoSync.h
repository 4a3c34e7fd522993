#pragma once

#include <string>

namespace tovra {

class Cab;

// Physics tick, step 8: moves the frame counter by the distance run, at the
// pace the video was filmed, and puts the position back in step with the
// film whenever the frame enters another speed section.
void advance_frames(Cab& cab);
// Physics tick, after the clock: a station video plays at the route's frame
// rate; a moving sub-video follows the main frame.
void step_sub_frame(Cab& cab);
// Logic tick: switches to and from the sub-videos of the route.
void check_sub_videos(Cab& cab);
// Logic tick: stops the train at the end of the filmed line.
void check_end_of_video(Cab& cab);
// Drawing pass: asks for the frame the counters name and puts the newest
// picture the decoder has ready for it in the video picture, never waiting;
// true when the picture changed.
bool fetch_video_frame(Cab& cab);
// The source's pictures changed size: the next pass asks for the frame
// afresh, and the picture on show stays until the new one is there.
void refetch_video_picture(Cab& cab);
// Whether the idle pass draws nothing: inside the 500 frames past the end
// frame, until the logic tick has stopped the train there.
bool inEndOfVideoWindow(const Cab& cab);

// Closes the video file and opens the named video of the route in its place;
// false when it cannot be opened.
bool reopenVideo(Cab& cab, const std::string& name);

}  // namespace tovra
