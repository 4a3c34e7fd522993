#include "sound/CalloutQueue.h"

#include <algorithm>

#include "cab/Cab.h"
#include "common/UiText.h"
#include "ports/Host.h"
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

void kanko_queue_add(Cab& cab, std::int32_t index) {
    const auto& sounds = cab.calloutWaves.sounds;
    if (index < 0 || std::size_t(index) >= sounds.size()) return;
    kanko_queue_add(cab.callouts, sounds[std::size_t(index)]);
}

void kanko_queue_play(Cab& cab) {
    CalloutState& q = cab.callouts;
    const int channel = cab.channels.callout;
    if (q.CalloutAdding || cab.sound.isPlaying(channel)) return;
    if (q.CalloutStarted) {
        q.CalloutStarted = false;
        dropHead(q.CalloutQueue);
    }
    if (!q.CalloutQueue.front()) return;
    // Retrying could never reach a channel the device lacks: say so once and
    // let the queue move on.
    if (channel < 0 || channel >= SoundDevice::kChannelCount) {
        cab.host.showMessage(uiText("CalloutQueue", "喚呼の再生エラー"));
        dropHead(q.CalloutQueue);
        return;
    }
    cab.sound.device().assign(channel, *q.CalloutQueue.front());
    if (cab.options.Kanko == 0) cab.sound.playOnce(channel);
    q.CalloutStarted = true;
    ++q.started;
}

void station_callout_moment(Cab& cab, int moment, std::int32_t station) {
    if (moment < 0 || moment >= int(kWhenOfMoment.size()) || cab.route.StationCallouts.empty())
        return;
    if (moment == 4) kanko_queue_add(cab, kDepartureCallout);
    const std::int32_t when = kWhenOfMoment[std::size_t(moment)];
    for (const StationCallout& entry : cab.route.StationCallouts) {
        if (entry.Station != station || entry.When != when) continue;
        const std::int32_t v = entry.Callout;
        if (moment == 0 || v < kEnterKey) {
            kanko_queue_add(cab, v);
        } else if (v == kEnterKey) {
            driverCallout(cab);
        } else if (v >= kFirstTimeCode) {
            Timekanko(cab, v, 0);
        }
    }
}

void queue_requested_callouts(Cab& cab) {
    for (const CalloutRequest& request : cab.calloutRequests.pending) {
        if (request.callout >= 0)
            kanko_queue_add(cab, request.callout);
        else
            station_callout_moment(cab, request.moment, request.station);
    }
    cab.calloutRequests.pending.clear();
}

void signal_callout_moment(Cab& cab, int moment) {
    for (const SignalCallout& entry : cab.route.SignalCallouts) {
        if (entry.signal != cab.protection.signalInView) continue;
        if (moment == 1 && entry.when == 0) {
            kanko_queue_add(cab, entry.callout);
        } else if (moment == 2 && entry.when == 2) {
            kanko_queue_add(cab, entry.callout);
        } else if (moment == 2 && entry.when == 1) {
            if (entry.callout > 998) {
                Timekanko(cab, entry.callout, 0);
            } else {
                kanko_queue_add(cab, entry.callout);
            }
        }
    }
}

}  // namespace tovra
