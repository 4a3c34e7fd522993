#include "remote/CommandKeys.h"

#include "cab/Cab.h"

namespace tovra::remote {

namespace {

// Presses a character key and lets it go.
void tap(KeyPath& keys, char c) {
    keys.characterDown(c);
    keys.characterUp(c);
}

void press(KeyPath& keys, const KeyPress& key) {
    if (key.character) {
        tap(keys, *key.character);
    } else if (key.key) {
        keys.keyDown(*key.key, key.shift);
        keys.keyUp(*key.key);
    }
}

// Where the handles stand, to see whether a key moved one.
struct Handles {
    std::int32_t power, brake, mode;
    bool hold;
    bool operator==(const Handles&) const = default;
};
Handles handlesOf(const Cab& cab) {
    return {cab.state.PowerHandle, cab.state.BrakeHandle, cab.handles.PowerMode,
            cab.state.HoldBrake};
}

// Presses `key` until `reached` holds, or a press moves nothing, or the
// handle's whole range has been stepped through.
template <typename Reached>
void stepUntil(KeyPath& keys, const Cab& cab, char key, Reached reached) {
    const int most = 2 * (cab.vehicle.Power + cab.vehicle.Brake) + 4;
    for (int i = 0; i < most && !reached(); ++i) {
        const Handles before = handlesOf(cab);
        tap(keys, key);
        if (handlesOf(cab) == before) break;
    }
}

void brakeTo(KeyPath& keys, const Cab& cab, int target, bool oneLever) {
    const int emergency = cab.vehicle.Brake;
    const auto brake = [&] { return -cab.state.BrakeHandle; };
    if (target >= emergency) {
        if (brake() != emergency || cab.state.PowerHandle != 0) tap(keys, oneLever ? 'q' : '/');
        return;
    }
    const char apply = oneLever ? 'a' : '.';
    const char release = oneLever ? 'z' : ',';
    // The one lever gives up power before it brakes.
    if (oneLever && target > 0)
        stepUntil(keys, cab, 'a', [&] { return cab.state.PowerHandle == 0; });
    if (brake() > target) stepUntil(keys, cab, release, [&] { return brake() <= target; });
    if (brake() < target) stepUntil(keys, cab, apply, [&] { return brake() >= target; });
}

void powerTo(KeyPath& keys, const Cab& cab, int target, bool oneLever) {
    const auto power = [&] { return cab.state.PowerHandle; };
    // The one lever leaves the brake (and the holding position) on its way to power.
    if (oneLever && target > 0)
        stepUntil(keys, cab, 'z', [&] {
            return cab.state.BrakeHandle == 0 && !cab.state.HoldBrake && power() >= target;
        });
    else if (power() < target)
        stepUntil(keys, cab, 'z', [&] { return power() >= target; });
    if (power() > target) stepUntil(keys, cab, 'a', [&] { return power() <= target; });
}

void applyHandles(const HandleTargets& h, KeyPath& keys, const Cab& cab) {
    const bool oneLever = cab.vehicle.Handle == 0;
    if (h.reverser) tap(keys, *h.reverser > 0 ? 'f' : *h.reverser < 0 ? 'b' : 'n');
    // Less power before more brake; the one lever takes the one not at 0 last.
    const bool powerFirst = h.power && *h.power == 0;
    if (powerFirst) powerTo(keys, cab, 0, oneLever);
    if (h.brake) brakeTo(keys, cab, *h.brake, oneLever);
    if (h.power && !powerFirst) powerTo(keys, cab, *h.power, oneLever);
}

}  // namespace

KeyPress buttonKey(Button button) {
    switch (button) {
        case Button::Horn:
            return {'3', std::nullopt, false};
        case Button::Horn2:
            return {'6', std::nullopt, false};
        case Button::Buzzer:
            return {'4', std::nullopt, false};
        case Button::Doors:
            return {'d', std::nullopt, false};
        case Button::Acknowledge:
            return {' ', std::nullopt, false};
        case Button::Reset:
            return {'r', std::nullopt, false};
        case Button::Callout:
            return {std::nullopt, VirtualKey::Enter, false};
        case Button::Announce:
            return {'c', std::nullopt, false};
        case Button::Emergency:
            return {'0', std::nullopt, false};
    }
    return {};
}

void applyCommand(const RemoteCommand& command, KeyPath& keys, const Cab& cab) {
    switch (command.kind) {
        case RemoteCommand::Kind::Keys:
            for (const KeyPress& key : command.keys) press(keys, key);
            break;
        case RemoteCommand::Kind::Handles:
            applyHandles(command.handles, keys, cab);
            break;
        case RemoteCommand::Kind::Button: {
            const KeyPress key = buttonKey(command.button);
            // The horn and the buzzer sound while held: down and up are two
            // commands. The other buttons act on the press.
            if (command.button == Button::Horn || command.button == Button::Buzzer) {
                if (command.down)
                    keys.characterDown(*key.character);
                else
                    keys.characterUp(*key.character);
            } else if (command.down) {
                press(keys, key);
            }
            break;
        }
    }
}

}  // namespace tovra::remote
