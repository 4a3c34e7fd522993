// The Enter key: the driver's call-out for what lies ahead, first a wayside
// sign, then a level crossing or the signal in view.
#include <algorithm>
#include <array>
#include <cmath>

#include "cab/Cab.h"
#include "common/Numeric.h"
#include "sound/CalloutQueue.h"
#include "sound/RunningSounds.h"
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
bool waysideCallout(Cab& cab) {
    CalloutOffer& c = cab.calloutOffer;
    const std::int32_t k = c.kankoPending;
    const auto& others = cab.calloutWaves.others;
    const bool loaded =
        k >= 0 && std::size_t(k) < others.size() && others[std::size_t(k)].has_value();
    if (k == kNoSign || (!loaded && k != kTimeCheckMark) || k == c.lastKankoChannel) return false;
    if (k == kTimeCheckMark) {
        Timecheck(cab, 0);
    } else {
        kanko_queue_add(cab.callouts, others[std::size_t(k)]);
    }
    c.lastKankoChannel = k;
    return true;
}

void signalCallout(Cab& cab) {
    const std::int32_t face = cab.protection.SignalFace;
    if (face > kLastCalledFace) return;  // a code signal, or no signal at all
    const std::int32_t signal = cab.protection.signalInView;
    const std::size_t second = RouteSpec::kFixedCallouts + std::size_t(signal);
    if (signal >= 0 && second < RouteSpec::kFixedCallouts + cab.route.CalloutSound2Count) {
        signal_callout_moment(cab, 1);
        kanko_queue_add(cab, std::int32_t(second));
    }
    kanko_queue_add(cab, faceCallout(face));
    signal_callout_moment(cab, 2);
}

}  // namespace

void driverCallout(Cab& cab) {
    if (waysideCallout(cab)) return;
    RunningSoundState& r = cab.runningSound;
    const std::int32_t crossing = queuedCrossing(r);
    const bool atRest = roundHalfEven(cab.state.Speed) == 0;
    if (crossing < 0 || atRest || cab.lamps.crossing) {
        signalCallout(cab);
        return;
    }
    if (std::size_t(crossing) < cab.route.Crossings.size())
        kanko_queue_add(cab, cab.route.Crossings[std::size_t(crossing)].callout);
    dropQueuedCrossing(r);
}

}  // namespace tovra
