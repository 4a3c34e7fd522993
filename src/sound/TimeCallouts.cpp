#include "sound/TimeCallouts.h"

#include <cstdlib>

#include "data/RouteSpec.h"
#include "sim/TrainState.h"
#include "sound/CalloutQueue.h"

namespace tovra {

namespace {

constexpr std::int32_t kOnTime = 450;   // 15 s
constexpr std::int32_t kTooFar = 2400;  // 80 s

// The band call-out of a difference between 451 and 2400 ticks: 6 up to
// 20 s, then one more for each further 10 s begun.
std::int32_t bandCallout(std::int32_t e) {
    return e <= 600 ? 6 : 7 + (e - 601) / 300;
}

}  // namespace

void Timecheck(const CalloutRecords& c, int mode) {
    if (mode != 0) return;
    const std::int32_t frame = c.state.Frame;
    for (const TimeCallout& t : c.route.TimeCallouts) {
        if (t.FirstFrame < frame && frame < t.LastFrame) Timekanko(c, t.Code, 1);
    }
}

void Timekanko(const CalloutRecords& c, std::int32_t reference, int mode) {
    const std::int32_t clock = c.state.Clock;
    const std::int32_t e = std::abs(clock - reference);
    const auto add = [&](std::int32_t index) { kanko_queue_add(c.queue, c.waves, index); };
    if (e <= kOnTime) {
        add(mode == 0 ? 17 : 18);
        return;
    }
    if (e > kTooFar) return;
    add(bandCallout(e));
    if (clock > reference) {
        add(mode == 0 ? 13 : 14);
    } else {
        add(mode == 0 ? 15 : 16);
    }
}

}  // namespace tovra
