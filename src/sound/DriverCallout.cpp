// The Enter key: the driver's call-out for what lies ahead, first a wayside
// sign, then a level crossing or the signal in view.
#include <algorithm>
#include <array>
#include <cmath>

#include "common/Numeric.h"
#include "data/RouteSpec.h"
#include "sim/CalloutOffer.h"
#include "sim/CrossingQueue.h"
#include "sim/PanelLamps.h"
#include "sim/ProtectionState.h"
#include "sim/TrainState.h"
#include "sound/CabSounds.h"
#include "sound/CalloutQueue.h"
#include "sound/TimeCallouts.h"

namespace tovra {

namespace {

constexpr std::int32_t kLastCalledFace = 34;

struct FaceCallout {
    std::int32_t callout;
    std::array<std::int32_t, 9> faces;  // 0 ends the list
};

// Which [KankoSound1] call-out names each signal face; face 0 (a repeater
// copying stop) has none.
constexpr std::array<FaceCallout, 7> kFaceCallouts{{
    {0, {1, 7, 10, 13, 17, 21, 26, 30}},
    {1, {18, 22}},
    {2, {4, 8, 11, 14, 19, 23, 27, 31}},
    {3, {5, 15, 24}},
    {4, {3, 6, 9, 12, 16, 20, 25, 28, 33}},
    {5, {2}},
    {21, {29, 34}},
}};

// The call-out naming `face`; -1 for none.
std::int32_t faceCallout(std::int32_t face) {
    for (const FaceCallout& entry : kFaceCallouts) {
        const auto end = std::find(entry.faces.begin(), entry.faces.end(), 0);
        if (std::find(entry.faces.begin(), end, face) != end) return entry.callout;
    }
    return -1;
}

// A sign on the "other signs" sprite is called out from [OtherKanko] by its
// image index, the table numbered right after the call-out sounds.
bool waysideCallout(const CalloutRecords& records) {
    CalloutOffer& c = records.offer;
    const std::int32_t k = c.kankoPending;
    const auto& others = records.waves.others;
    const bool loaded =
        k >= 0 && std::size_t(k) < others.size() && others[std::size_t(k)].has_value();
    if (k == kNoSign || (!loaded && k != kTimeCheckMark) || k == c.lastKankoChannel) return false;
    if (k == kTimeCheckMark) {
        Timecheck(records, 0);
    } else {
        kanko_queue_add(records.queue, others[std::size_t(k)]);
    }
    c.lastKankoChannel = k;
    return true;
}

void signalCallout(const CalloutRecords& c) {
    const std::int32_t face = c.protection.SignalFace;
    if (face > kLastCalledFace) return;  // a code signal, or no signal at all
    const std::int32_t signal = c.protection.signalInView;
    const std::size_t second = RouteSpec::kFixedCallouts + std::size_t(signal);
    if (signal >= 0 && second < RouteSpec::kFixedCallouts + c.route.CalloutSound2Count) {
        signal_callout_moment(c, 1);
        kanko_queue_add(c.queue, c.waves, std::int32_t(second));
    }
    kanko_queue_add(c.queue, c.waves, faceCallout(face));
    signal_callout_moment(c, 2);
}

}  // namespace

void driverCallout(const CalloutRecords& c) {
    if (waysideCallout(c)) return;
    const std::int32_t crossing = queuedCrossing(c.crossings);
    const bool atRest = roundHalfEven(c.state.Speed) == 0;
    if (crossing < 0 || atRest || c.lamps.crossing) {
        signalCallout(c);
        return;
    }
    if (std::size_t(crossing) < c.route.Crossings.size())
        kanko_queue_add(c.queue, c.waves, c.route.Crossings[std::size_t(crossing)].callout);
    dropQueuedCrossing(c.crossings);
}

}  // namespace tovra
