#pragma once

#include <cmath>

namespace tovra::demo {

// The filming camera in the cab, shared by the renderer and by the route
// files' "[Perspective]" values so that the stop markers the simulator draws
// sit on the filmed track.
inline constexpr double kEyeHeight = 2.6;       // m above the rails
inline constexpr double kEyeBehindFront = 1.5;  // m behind the cab front, where positions count
inline constexpr double kEyeLateral = -0.45;    // m, the driver sits left of the centre
inline constexpr double kFocal = 600.0;         // pixels at the 800-pixel-wide picture
inline constexpr double kHorizonShare = 0.42;   // horizon row as a share of the height

// "[Perspective]": a ground point x metres ahead of the cab front lies at row
// y0 - x / (x + f) * h, with f the eye's distance behind the front and y0 the
// row of the front itself: the horizon lies h rows above y0.
inline constexpr double kPerspectiveDistance = kEyeBehindFront;
inline int perspectiveScale() {
    return int(std::lround(kFocal * kEyeHeight / kEyeBehindFront));
}

}  // namespace tovra::demo
