#include <charconv>

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

// A number's decimal digits, without an allocation: the texts are rebuilt
// every tick over their own buffers.
class Digits {
  public:
    explicit Digits(std::int64_t value)
        : end_(std::to_chars(text_, text_ + sizeof text_, value).ptr) {}
    std::string_view view() const { return {text_, std::size_t(end_ - text_)}; }

  private:
    char text_[24];
    char* end_;
};

void appendMetres(std::string& out, Extended cm) {
    out += Digits(roundHalfEven(cm / 100)).view();
    out += 'm';
}

bool known(const ApproachEntry& e) {
    return e.ahead && e.limit != kNoLimit;
}

// The limit in force between the sixth line and the given closing line;
// empty while none is in force.
void writeInForce(std::string& out, const ProgramSettings& settings, std::int32_t inForce,
                  std::size_t closingLine) {
    if (inForce == kNoLimit) return;
    out += infoLabelLine(settings, 6);
    out += Digits(inForce).view();
    out += "km/h ";
    out += infoLabelLine(settings, closingLine);
    out += ')';
}

}  // namespace

void update_limit_text(StatusTexts& t, const TrainState& s, const ProtectionState& p,
                       const ProgramSettings& settings) {
    const Extended speed = s.Speed;
    const Extended toTarget = p.PatternPos - s.Position;
    const std::int32_t inForce = p.CheckSpeedInForce;
    std::string& text = t.limitText;
    text.clear();
    t.limitText2.clear();
    if (p.PatternSpeed == kStationPattern && speed > 1 && toTarget > 0) {
        text = infoLabelLine(settings, 3);
    } else if (p.PatternBrake - speed < 30 && p.PatternSpeed == kStopSignalPattern && speed > 10 &&
               toTarget > 0) {
        text += "10km/h ";
        text += infoLabelLine(settings, 4);
        appendMetres(text, toTarget - kStopMargin);
    } else if (const ApproachEntry& next = p.nextLimits[0]; known(next)) {
        text += Digits(next.limit).view();
        text += "km/h ";
        text += infoLabelLine(settings, 5);
        appendMetres(text, Extended(next.distance));
        writeInForce(t.limitText2, settings, inForce, 8);
    } else if (known(p.nextCheck)) {
        fillInto(text, uiText("LimitText", "%1km/h 照査まで%2m"),
                 {Digits(p.nextCheck.limit).view(),
                  Digits(roundHalfEven(Extended(p.nextCheck.distance) / 100)).view()});
        writeInForce(t.limitText2, settings, inForce, 7);
    }
}

}  // namespace tovra
