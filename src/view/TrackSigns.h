#pragma once

#include <cstdint>
#include <vector>

#include "common/Currency.h"
#include "common/Numeric.h"

namespace tovra {

class SpriteModel;
struct ApproachEntry;
struct SlopeRecord;
struct StationRecord;

// The signs the cab shows for where the train stands on the line; each
// shows one of its picture's patterns or nothing, never a pattern the
// picture lacks.

// While an up gradient's frames hold the train (both ends excluded) and the
// gradient under the train differs from it, the gradient post shows that
// entry's post: pattern entry index + 1. A later entry wins.
void show_gradient_post(SpriteModel& sprites, const std::vector<SlopeRecord>& slopes,
                        std::int32_t frame, Currency gradientInForce);

// Within 200 m of the next speed-limit sign ahead, the speed-limit sign
// shows its limit: one pattern per km/h from 0.
void show_limit_sign(SpriteModel& sprites, const ApproachEntry& nextLimit);

// The distance to the stop position in tens of metres, rounded, while the
// train has not passed it: pattern n reads 10 n metres.
void show_remaining_distance(SpriteModel& sprites, Extended remainDistance);

// At a stop that asks for it (its stop-mark type 1), the stop mark shows
// from 100 m before the stop position until the train has left the
// stopping window beyond it.
void show_stop_mark(SpriteModel& sprites, const StationRecord& nextStop, Extended remainDistance);

}  // namespace tovra
