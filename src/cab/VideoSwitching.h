#pragma once

#include <string>

namespace tovra {

class Cab;
class SoundChannels;
struct ChannelLayout;
struct FilmPace;
struct RouteSpec;
struct TrainState;
struct VideoState;

// Logic tick: switches to and from the sub-videos of the route, with the
// physics tick stopped while the file changes.
void check_sub_videos(Cab& cab);
// Logic tick: stops the train at the end of the filmed line: speed, power
// and every running sound after the first.
void check_end_of_video(TrainState& s, FilmPace& film, const VideoState& v, SoundChannels& sound,
                        const ChannelLayout& channels, const RouteSpec& route);

// Closes the video file and opens the named video of the route in its place;
// false when it cannot be opened.
bool reopenVideo(Cab& cab, const std::string& name);

}  // namespace tovra
