#include "common/Numeric.h"
#include "common/UiText.h"
#include "sim/ProtectionState.h"
#include "sim/TrainState.h"
#include "view/StatusTextUpdates.h"
#include "view/StatusTexts.h"

namespace tovra {

namespace {

constexpr std::int32_t kStationPattern = 1;
constexpr std::int32_t kStopSignalPattern = 10;
constexpr Extended kStopMargin = 2000;  // cm short of the stop-signal target

std::string wholeMetres(Extended cm) {
    return std::to_string(roundHalfEven(cm / 100));
}

std::string metres(Extended cm) {
    return wholeMetres(cm) + "m";
}

bool known(const ApproachEntry& e) {
    return e.ahead && e.limit != kNoLimit;
}

// The limit in force between the sixth line and the given closing line;
// empty while none is in force.
std::string inForceText(const ProgramSettings& settings, std::int32_t inForce,
                        std::size_t closingLine) {
    if (inForce == kNoLimit) return {};
    return infoLabelLine(settings, 6) + std::to_string(inForce) + "km/h " +
           infoLabelLine(settings, closingLine) + ")";
}

}  // namespace

void update_limit_text(StatusTexts& t, const TrainState& s, const ProtectionState& p,
                       const ProgramSettings& settings) {
    const Extended speed = s.Speed;
    const Extended toTarget = p.PatternPos - s.Position;
    const std::int32_t inForce = p.CheckSpeedInForce;
    t.limitText.clear();
    t.limitText2.clear();
    if (p.PatternSpeed == kStationPattern && speed > 1 && toTarget > 0) {
        t.limitText = infoLabelLine(settings, 3);
    } else if (p.PatternBrake - speed < 30 && p.PatternSpeed == kStopSignalPattern && speed > 10 &&
               toTarget > 0) {
        t.limitText = "10km/h " + infoLabelLine(settings, 4) + metres(toTarget - kStopMargin);
    } else if (const ApproachEntry& next = p.nextLimits[0]; known(next)) {
        t.limitText = std::to_string(next.limit) + "km/h " + infoLabelLine(settings, 5) +
                      metres(Extended(next.distance));
        t.limitText2 = inForceText(settings, inForce, 8);
    } else if (known(p.nextCheck)) {
        t.limitText = fillIn(
            uiText("LimitText", "%1km/h 照査まで%2m"),
            {std::to_string(p.nextCheck.limit), wholeMetres(Extended(p.nextCheck.distance))});
        t.limitText2 = inForceText(settings, inForce, 7);
    }
}

}  // namespace tovra
