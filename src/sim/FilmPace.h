#pragma once

#include <cstdint>

namespace tovra {

struct RouteSpec;
struct TrainState;

// How the main video's frames keep pace with the train: distance run in
// km/h-ticks not yet turned into frames, and the filmed speed of the
// section the frame is in.
struct FilmPace {
    std::int32_t FrameAccumulator = 0;
    std::int32_t FilmSpeed = 0;  // km/h at which the current frame was filmed
    std::int32_t CurrentSection = -1;
};

// Physics tick, step 8: moves the frame counter by the distance run, at the
// pace the video was filmed, and puts the position back in step with the
// film whenever the frame enters another speed section.
void advance_frames(TrainState& s, FilmPace& film, const RouteSpec& route);
// After the train is placed anew: the section of the frame and its filmed
// speed, without moving the position to the section's boundary.
void findFilmSection(FilmPace& film, const RouteSpec& route, std::int32_t frame);

}  // namespace tovra
