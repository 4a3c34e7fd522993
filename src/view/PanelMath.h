#pragma once

#include <cstdint>
#include <optional>

#include "common/Numeric.h"

namespace tovra {

// Degrees to the sprite engine's 256ths of a turn (255 / 360).
inline constexpr Extended kDegreesToSteps = 0.7083333333333333333L;

// A round needle: round((value x rate + start) x 255/360), halves away from zero.
int gaugeAngle(Extended value, Extended rate, Extended start);

// The speed needle; nothing when it stays where it is (160 km/h or more, or
// a small backward speed). A non-zero rate2 expands the scale below 10 km/h.
std::optional<int> speedNeedleAngle(Extended speed, Extended rate, Extended rate2, Extended start);

// One drawing pass of the ammeter: half the way to the value, never past it.
std::int32_t easeAmmeter(std::int32_t shown, std::int32_t value);

// The ammeter's angle by its source: 0 signed by the reverser, 1 by
// magnitude, 2 fixed at the start value (already in 256ths).
int ammeterAngle(std::int32_t shown, Extended rate, Extended start, int source,
                 std::int32_t reverser);

// The top of a linear gauge: base y - round(rate x value).
int linearGaugeTop(int baseY, Extended rate, Extended value);

// One drawing pass of the return-to-title fade. `level` is the opacity drawn
// in this pass; `next` the level of the next pass, 0 once it is over, and
// then `close` asks for the cab window to close.
struct FadeStep {
    int level = 0;
    int next = 0;
    bool close = false;
};
FadeStep stepFade(int level, bool effectsOff);

// Whether the idle pass draws: not within 15 ms of the last drawn frame.
bool drawDue(std::int64_t elapsedMs);

}  // namespace tovra
