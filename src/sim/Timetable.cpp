#include "sim/Timetable.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "common/Numeric.h"

namespace tovra {

namespace {

constexpr std::int32_t kTicksPerHour = 108000;
constexpr int kClockCentre = 25;

// A hand of `length` at `degrees` clockwise from twelve o'clock.
std::array<std::int32_t, 2> handEnd(Extended degrees, std::int32_t length) {
    const Extended a = degrees * std::numbers::pi_v<Extended> / 180;
    return {kClockCentre + std::int32_t(roundHalfAway(length * std::sin(a))),
            kClockCentre - std::int32_t(roundHalfAway(length * std::cos(a)))};
}

}  // namespace

void timecalc(StationState& st, const VehicleSpec& v, std::int32_t clock) {
    const std::int32_t hours = clock / kTicksPerHour;
    const std::int32_t total = clock / 30 - 3600 * hours;
    const std::int32_t minutes = total / 60;
    const std::int32_t seconds = total % 60;
    if (seconds == st.clockSecond) return;
    st.clockSecond = seconds;
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", int(hours), int(minutes), int(seconds));
    st.clockText = text;

    if (v.ClockX <= 0 || v.ClockY <= 0) return;
    const std::int32_t length = v.ClockHandLength;
    st.clockHands[0] =
        handEnd(30.0L * hours + 0.5L * minutes, std::int32_t(roundHalfAway(0.6L * length)));
    st.clockHands[1] = handEnd(6.0L * minutes + 0.1L * seconds, length);
    st.clockHands[2] = handEnd(6.0L * seconds, length);
}

}  // namespace tovra
