#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "common/Numeric.h"

namespace tovra {

// One stretch of the route video in which the filming train's speed changed
// linearly from FirstSpeed at FirstFrame to LastSpeed at LastFrame. These
// segments are the only link between video frames and distance along the line.
struct SpeedUnit {
    std::int32_t FirstFrame = 0;
    std::int32_t LastFrame = 0;
    Extended FirstSpeed = 0;  // km/h
    Extended LastSpeed = 0;   // km/h
    // cm from the first segment's FirstFrame to this segment's LastFrame.
    std::int64_t EndDistance = 0;
};

// Film is always measured at this rate, whatever the video's own frame rate.
inline constexpr int kFilmFramesPerSecond = 30;

// Speeds beyond this are refused when a route is read, so that every distance
// of up to 30000 segments stays far inside a 64-bit count of centimetres.
inline constexpr Extended kMaxFilmSpeed = 10000;  // km/h

bool isWithinFilmSpeed(const SpeedUnit& unit);

// Rounded length in cm; 0 for a segment whose two frames are equal.
std::int64_t segmentLength(const SpeedUnit& unit);

// Sets every EndDistance as the running sum of the rounded segment lengths.
void computeEndDistances(std::span<SpeedUnit> units);

bool containsFrame(const SpeedUnit& unit, std::int32_t frame);

// Position in cm of `frame` measured through segment `index`, which must
// contain the frame; the EndDistance values must already be computed. A frame
// on a boundary gives the same position through either segment.
std::int64_t positionInSegment(std::span<const SpeedUnit> units, std::size_t index,
                               std::int32_t frame);

// Position in cm of a main-video frame, through the first segment that holds
// it; nothing when no segment does.
std::optional<std::int64_t> frame_to_position(std::span<const SpeedUnit> units, std::int32_t frame);

}  // namespace tovra
