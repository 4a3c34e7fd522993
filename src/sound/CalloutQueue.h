#pragma once

#include <cstdint>
#include <optional>

namespace tovra {

class Cab;
struct CalloutState;

// Appends a wave; dropped when all slots are full. No wave: nothing changes.
void kanko_queue_add(CalloutState& queue, std::optional<int> wave);
// Appends call-out sound `index`; an index outside the table is ignored.
void kanko_queue_add(Cab& cab, std::int32_t index);
// The Enter key: the pending wayside call-out; else, with no level crossing
// waiting (or the train at rest, or the crossing lamp lit), the call-outs of
// the signal in view; else the head crossing's call-out, which leaves the
// queue.
void driverCallout(Cab& cab);
// One step of the player, once per logic tick.
void kanko_queue_play(Cab& cab);

// Station call-out moments 0..5 at `station`.
void station_callout_moment(Cab& cab, int moment, std::int32_t station);
// The call-outs the train's logic asked for, queued in the order asked.
void queue_requested_callouts(Cab& cab);
// Signal call-out moments 1 and 2 at the signal in view.
void signal_callout_moment(Cab& cab, int moment);

}  // namespace tovra
