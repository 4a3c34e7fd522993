#include "sound/CalloutQueue.h"

#include <algorithm>

#include "common/UiText.h"
#include "data/RouteSpec.h"
#include "data/UserOptions.h"
#include "ports/ChannelLayout.h"
#include "ports/Host.h"
#include "ports/SoundChannels.h"
#include "sim/CalloutRequests.h"
#include "sim/ProtectionState.h"
#include "sound/CabSounds.h"
#include "sound/CalloutState.h"
#include "sound/TimeCallouts.h"

namespace tovra {

namespace {

constexpr std::int32_t kEnterKey = 999;
constexpr std::int32_t kFirstTimeCode = 1000;
constexpr std::int32_t kDepartureCallout = 20;

// Which entries of the station table each moment plays.
constexpr std::array<std::int32_t, 6> kWhenOfMoment{4, 0, 1, 2, 3, 5};

// Slots 1 to 11 move down by one; slot 11 becomes empty.
void dropHead(CalloutState::Queue& queue) {
    std::move(queue.begin() + 1, queue.end(), queue.begin());
    queue.back().reset();
}

}  // namespace

void kanko_queue_add(CalloutState& queue, std::optional<int> wave) {
    if (!wave) return;
    queue.CalloutAdding = true;
    const auto slot = std::find(queue.CalloutQueue.begin(), queue.CalloutQueue.end(), std::nullopt);
    if (slot != queue.CalloutQueue.end()) {
        *slot = wave;
        ++queue.added;
    }
    queue.CalloutAdding = false;
}

void kanko_queue_add(CalloutState& queue, const CalloutWaves& waves, std::int32_t index) {
    const auto& sounds = waves.sounds;
    if (index < 0 || std::size_t(index) >= sounds.size()) return;
    kanko_queue_add(queue, sounds[std::size_t(index)]);
}

void kanko_queue_play(CalloutState& q, SoundChannels& sound, const ChannelLayout& channels,
                      const UserOptions& options, Host& host) {
    const int channel = channels.callout;
    if (q.CalloutAdding || sound.isPlaying(channel)) return;
    if (q.CalloutStarted) {
        q.CalloutStarted = false;
        dropHead(q.CalloutQueue);
    }
    if (!q.CalloutQueue.front()) return;
    // Retrying could never reach a channel the device lacks: say so once and
    // let the queue move on.
    if (channel < 0 || channel >= SoundDevice::kChannelCount) {
#include "common/UiText.h"
        host.showMessage(uiText("CalloutQueue", "喚呼の再生エラー"));
        dropHead(q.CalloutQueue);
        return;
    }
    sound.device().assign(channel, *q.CalloutQueue.front());
    if (options.Kanko == 0) sound.playOnce(channel);
    q.CalloutStarted = true;
    ++q.started;
}

void station_callout_moment(const CalloutRecords& c, int moment, std::int32_t station) {
    if (moment < 0 || moment >= int(kWhenOfMoment.size()) || c.route.StationCallouts.empty())
        return;
    if (moment == 4) kanko_queue_add(c.queue, c.waves, kDepartureCallout);
    const std::int32_t when = kWhenOfMoment[std::size_t(moment)];
    for (const StationCallout& entry : c.route.StationCallouts) {
        if (entry.Station != station || entry.When != when) continue;
        const std::int32_t v = entry.Callout;
        if (moment == 0 || v < kEnterKey) {
            kanko_queue_add(c.queue, c.waves, v);
        } else if (v == kEnterKey) {
            driverCallout(c);
        } else if (v >= kFirstTimeCode) {
            Timekanko(c, v, 0);
        }
    }
}

void queue_requested_callouts(const CalloutRecords& c, CalloutRequests& requests) {
    for (const CalloutRequest& request : requests.pending) {
        if (request.callout >= 0)
            kanko_queue_add(c.queue, c.waves, request.callout);
        else
            station_callout_moment(c, request.moment, request.station);
    }
    requests.pending.clear();
}

void signal_callout_moment(const CalloutRecords& c, int moment) {
    for (const SignalCallout& entry : c.route.SignalCallouts) {
        if (entry.signal != c.protection.signalInView) continue;
        if (moment == 1 && entry.when == 0) {
            kanko_queue_add(c.queue, c.waves, entry.callout);
        } else if (moment == 2 && entry.when == 2) {
            kanko_queue_add(c.queue, c.waves, entry.callout);
        } else if (moment == 2 && entry.when == 1) {
            if (entry.callout > 998) {
                Timekanko(c, entry.callout, 0);
            } else {
                kanko_queue_add(c.queue, c.waves, entry.callout);
            }
        }
    }
}

}  // namespace tovra
