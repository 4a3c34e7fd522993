#pragma once

#include <cstdint>
#include <optional>

namespace tovra {

class Host;
class SoundChannels;
struct CalloutOffer;
struct CalloutRequests;
struct CalloutState;
struct CalloutWaves;
struct ChannelLayout;
struct CrossingQueue;
struct PanelLamps;
struct ProtectionState;
struct RouteSpec;
struct TrainState;
struct UserOptions;

// What the call-outs read, and the queues they take from and add to.
struct CalloutRecords {
    CalloutState& queue;
    CalloutOffer& offer;
    CrossingQueue& crossings;
    const CalloutWaves& waves;
    const RouteSpec& route;
    const TrainState& state;
    const ProtectionState& protection;
    const PanelLamps& lamps;
};

// Appends a wave; dropped when all slots are full. No wave: nothing changes.
void kanko_queue_add(CalloutState& queue, std::optional<int> wave);
// Appends call-out sound `index`; an index outside the table is ignored.
void kanko_queue_add(CalloutState& queue, const CalloutWaves& waves, std::int32_t index);
// The Enter key: the pending wayside call-out; else, with no level crossing
// waiting (or the train at rest, or the crossing lamp lit), the call-outs of
// the signal in view; else the head crossing's call-out, which leaves the
// queue.
void driverCallout(const CalloutRecords& c);
// One step of the player, once per logic tick; silent while the options
// turn the call-outs off.
void kanko_queue_play(CalloutState& queue, SoundChannels& sound, const ChannelLayout& channels,
                      const UserOptions& options, Host& host);

// Station call-out moments 0..5 at `station`.
void station_callout_moment(const CalloutRecords& c, int moment, std::int32_t station);
// The call-outs the train's logic asked for, queued in the order asked.
void queue_requested_callouts(const CalloutRecords& c, CalloutRequests& requests);
// Signal call-out moments 1 and 2 at the signal in view.
void signal_callout_moment(const CalloutRecords& c, int moment);

}  // namespace tovra
