#include "view/PanelMath.h"

#include <cmath>

namespace tovra {

namespace {

constexpr Extended kExpandedBelow = 10;  // km/h
constexpr Extended kSpeedScaleEnd = 160;
constexpr int kFixedAmmeter = 2;
constexpr int kFadeStep = 10;
constexpr int kFadeMax = 255;
constexpr std::int64_t kDrawInterval = 15;  // ms

}  // namespace

int gaugeAngle(Extended value, Extended rate, Extended start) {
    return int(roundHalfAway((value * rate + start) * kDegreesToSteps));
}

std::optional<int> speedNeedleAngle(Extended speed, Extended rate, Extended rate2, Extended start) {
    const Extended v = std::fabs(speed);
    if (v >= kSpeedScaleEnd || (speed < 0 && v < 1)) return std::nullopt;
    if (rate2 == 0) return gaugeAngle(v, rate, start);
    if (v < kExpandedBelow) return gaugeAngle(v, rate2, start);
    return gaugeAngle(v, rate, start - (rate - rate2) * kExpandedBelow);
}

// Moves half the distance towards the value, in the value's direction: a
// comparison of magnitudes alone would drive a negative current the wrong
// way. The step is rounded, not the result, so that the last unit is taken.
std::int32_t easeAmmeter(std::int32_t shown, std::int32_t value) {
    return shown + std::int32_t(roundHalfAway(Extended(value - shown) / 2));
}

int ammeterAngle(std::int32_t shown, Extended rate, Extended start, int source,
                 std::int32_t reverser) {
    if (source == kFixedAmmeter) return int(start);
    if (source == 1) return gaugeAngle(std::abs(shown), rate, start);
    return gaugeAngle(shown, rate, start) * reverser;
}

int linearGaugeTop(int baseY, Extended rate, Extended value) {
    return baseY - int(roundHalfAway(rate * value));
}

FadeStep stepFade(int level, bool effectsOff) {
    if (level <= 0) return {};
    FadeStep step;
    step.level = effectsOff ? kFadeMax + 1 : level;
    const int next = step.level + kFadeStep;
    step.close = next > kFadeMax;
    step.next = step.close ? 0 : next;
    return step;
}

bool drawDue(std::int64_t elapsedMs) {
    return elapsedMs >= kDrawInterval;
}

}  // namespace tovra
