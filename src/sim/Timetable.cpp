#include "sim/Timetable.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

#include "cab/Cab.h"
#include "common/Numeric.h"
#include "sound/CalloutQueue.h"

namespace tovra {

namespace {

constexpr std::int32_t kTicksPerHour = 108000;
constexpr std::int32_t kOnTime = 450;   // 15 s
constexpr std::int32_t kTooFar = 2400;  // 80 s
constexpr int kClockCentre = 25;

// A hand of `length` at `degrees` clockwise from twelve o'clock.
std::array<std::int32_t, 2> handEnd(Extended degrees, std::int32_t length) {
    const Extended a = degrees * std::numbers::pi_v<Extended> / 180;
    return {kClockCentre + std::int32_t(roundHalfAway(length * std::sin(a))),
            kClockCentre - std::int32_t(roundHalfAway(length * std::cos(a)))};
}

// The band call-out of a difference between 451 and 2400 ticks: 6 up to
// 20 s, then one more for each further 10 s begun.
std::int32_t bandCallout(std::int32_t e) {
    return e <= 600 ? 6 : 7 + (e - 601) / 300;
}

}  // namespace

void timecalc(Cab& cab, std::int32_t clock) {
    StationState& st = cab.stations;
    const std::int32_t hours = clock / kTicksPerHour;
    const std::int32_t total = clock / 30 - 3600 * hours;
    const std::int32_t minutes = total / 60;
    const std::int32_t seconds = total % 60;
    if (seconds == st.clockSecond) return;
    st.clockSecond = seconds;
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", int(hours), int(minutes), int(seconds));
    st.clockText = text;

    const VehicleSpec& v = cab.vehicle;
    if (v.ClockX <= 0 || v.ClockY <= 0) return;
    const std::int32_t length = v.ClockHandLength;
    st.clockHands[0] =
        handEnd(30.0L * hours + 0.5L * minutes, std::int32_t(roundHalfAway(0.6L * length)));
    st.clockHands[1] = handEnd(6.0L * minutes + 0.1L * seconds, length);
    st.clockHands[2] = handEnd(6.0L * seconds, length);
}

void Timecheck(Cab& cab, int mode) {
    if (mode != 0) return;
    const std::int32_t frame = cab.state.Frame;
    for (const TimeCallout& t : cab.route.TimeCallouts) {
        if (t.FirstFrame < frame && frame < t.LastFrame) Timekanko(cab, t.Code, 1);
    }
}

void Timekanko(Cab& cab, std::int32_t reference, int mode) {
    const std::int32_t clock = cab.state.Clock;
    const std::int32_t e = std::abs(clock - reference);
    if (e <= kOnTime) {
        kanko_queue_add(cab, mode == 0 ? 17 : 18);
        return;
    }
    if (e > kTooFar) return;
    kanko_queue_add(cab, bandCallout(e));
    if (clock > reference) {
        kanko_queue_add(cab, mode == 0 ? 13 : 14);
    } else {
        kanko_queue_add(cab, mode == 0 ? 15 : 16);
    }
}

}  // namespace tovra
