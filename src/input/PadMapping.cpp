#include "input/PadMapping.h"

#include <algorithm>
#include <array>

#include "common/UiText.h"

namespace tovra {

namespace {

constexpr std::array<PadKeyInfo, 19> kPadKeys{{
    {PadKey::Horn, "horn", '3', {}, uiTextMark("PadMapping", "警笛")},
    {PadKey::Horn2, "horn2", '6', {}, uiTextMark("PadMapping", "警笛2")},
    {PadKey::Buzzer, "buzzer", '4', {}, uiTextMark("PadMapping", "ブザー")},
    {PadKey::Doors, "doors", 'd', {}, uiTextMark("PadMapping", "ドア")},
    {PadKey::Acknowledge, "acknowledge", ' ', {}, uiTextMark("PadMapping", "ATS確認")},
    {PadKey::AtsReset, "reset", 'r', {}, uiTextMark("PadMapping", "ATS復帰")},
    {PadKey::NextAnnouncement, "next_announcement", 'c', {}, uiTextMark("PadMapping", "次の放送")},
    {PadKey::PreviousAnnouncement,
     "previous_announcement",
     '-',
     {},
     uiTextMark("PadMapping", "前の放送")},
    {PadKey::ReverserForward, "reverser_forward", 'f', {}, uiTextMark("PadMapping", "レバーサ 前")},
    {PadKey::ReverserNeutral, "reverser_neutral", 'n', {}, uiTextMark("PadMapping", "レバーサ 切")},
    {PadKey::ReverserBack, "reverser_back", 'b', {}, uiTextMark("PadMapping", "レバーサ 後")},
    {PadKey::NextPowerMode, "next_power_mode", '9', {}, uiTextMark("PadMapping", "力行モード切替")},
    {PadKey::Callout, "callout", {}, VirtualKey::Enter, uiTextMark("PadMapping", "喚呼")},
    {PadKey::GearLever0, "gear_0", 's', {}, uiTextMark("PadMapping", "変速レバー 0")},
    {PadKey::GearLever1, "gear_1", 'x', {}, uiTextMark("PadMapping", "変速レバー 1")},
    {PadKey::GearLever2, "gear_2", 'w', {}, uiTextMark("PadMapping", "変速レバー 2")},
    {PadKey::EngineStart,
     "engine_start",
     {},
     VirtualKey::F2,
     uiTextMark("PadMapping", "エンジン始動")},
    {PadKey::EngineStop,
     "engine_stop",
     {},
     VirtualKey::F2,
     uiTextMark("PadMapping", "エンジン停止"),
     true},
    {PadKey::Pause, "pause", {}, {}, uiTextMark("PadMapping", "一時停止 / 運転再開")},
}};

// padKeyInfo finds a key by its place in the table.
static_assert([] {
    for (std::size_t i = 0; i < kPadKeys.size(); ++i) {
        if (kPadKeys[i].key != PadKey(i)) return false;
    }
    return true;
}());

// A reading this close to a notch mark keeps the step it had: a lever that
// rests on a mark, read with a little noise, would otherwise flicker between
// two notches.
constexpr double kHysteresis = 0.01;

std::int32_t stepAt(double t, double deadZone, const std::vector<double>& notches) {
    if (t <= 0 || t < deadZone) return 0;
    return std::int32_t(std::upper_bound(notches.begin(), notches.end(), t) - notches.begin());
}

std::int32_t stepNear(double t, double deadZone, const std::vector<double>& notches, Step before) {
    const std::int32_t step = stepAt(t, deadZone, notches);
    if (!before || t <= 0) return step;
    const bool kept = *before >= stepAt(t - kHysteresis, deadZone, notches) &&
                      *before <= stepAt(t + kHysteresis, deadZone, notches);
    return kept ? *before : step;
}

}  // namespace

double axisTravel(std::int32_t rest, std::int32_t end, std::int32_t reading) {
    if (end == rest) return 0;
    const double share = double(std::int64_t(reading) - rest) / double(std::int64_t(end) - rest);
    return std::clamp(share, 0.0, 1.0);
}

std::span<const PadKeyInfo> padKeys() {
    return kPadKeys;
}

const PadKeyInfo& padKeyInfo(PadKey key) {
    return kPadKeys[std::size_t(key)];
}

std::optional<PadKey> padKeyNamed(std::string_view name) {
    for (const PadKeyInfo& info : kPadKeys) {
        if (info.name == name) return info.key;
    }
    return std::nullopt;
}

std::vector<double> evenNotches(int count, double deadZone) {
    std::vector<double> notches;
    for (int k = 0; k < count; ++k) notches.push_back(deadZone + (1 - deadZone) * k / count);
    return notches;
}

HandleSteps axisSteps(const AxisMapping& m, std::int32_t reading, const HandleSteps& before) {
    const double power = axisTravel(m.rest, m.powerEnd, reading);
    const double brake = axisTravel(m.rest, m.brakeEnd, reading);
    switch (m.role) {
        case AxisRole::Power:
            return {stepNear(power, m.deadZone, m.powerNotches, before.power), std::nullopt};
        case AxisRole::Brake:
            return {std::nullopt, stepNear(brake, m.deadZone, m.brakeNotches, before.brake)};
        case AxisRole::Combined:
            break;
    }
    if (power > 0) return {stepNear(power, m.deadZone, m.powerNotches, before.power), 0};
    return {0, stepNear(brake, m.deadZone, m.brakeNotches, before.brake)};
}

bool controlPressed(const PadControl& control, const DeviceReading& reading) {
    const auto index = std::size_t(control.index);
    if (control.index < 0) return false;
    if (control.hat)
        return index < reading.hats.size() && (reading.hats[index] & control.direction);
    return index < reading.buttons.size() && reading.buttons[index];
}

}  // namespace tovra
