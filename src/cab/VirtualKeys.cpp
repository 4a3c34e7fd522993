#include <cmath>

#include "cab/Cab.h"
#include "cab/KeyInput.h"
#include "cab/LaterCommands.h"
#include "sound/CalloutQueue.h"

namespace tovra {

namespace {

// Page Up / Page Down: the side the doors will open on.
void chooseDoorSide(Cab& cab, std::int32_t side) {
    if (cab.traction.doorsOpen) return;
    cab.stations.doorSide = side;
    cab.statusTexts.doorSideText = cab.settings.Doors[std::size_t(side)];
}

// At rest near the end of the line the video turns back: the frames beyond
// the end frame can then be driven in reverse.
void turnBack(Cab& cab) {
    TrainState& s = cab.state;
    const std::int32_t end = cab.route.MovieStopFrames[0];
    if (std::fabs(s.Speed) >= 0.1L || s.Frame <= end - 200 || s.Frame > end) return;
    s.Frame = end + 2;
    s.VideoMode[1] = 1;
}

// The Shift+function keys are testing aids: they change the state directly.
void testingKey(Cab& cab, VirtualKey key) {
    TrainState& s = cab.state;
    switch (key) {
        case VirtualKey::F3:
            skipToNextSignal(cab);
            break;
        case VirtualKey::F5:
            s.Frame -= 100;
            break;
        case VirtualKey::F6:
            s.Frame += 100;
            break;
        case VirtualKey::F7:
            s.Frame -= 1000;
            break;
        case VirtualKey::F8:
            s.Frame += 1000;
            break;
        case VirtualKey::F9:
            s.Clock -= 900;
            break;
        case VirtualKey::F10:
            s.Clock += 900;
            break;
        case VirtualKey::F11:
            if (s.Speed > 10) s.Speed -= 10;
            break;
        case VirtualKey::F12:
            if (s.Speed < 1000) s.Speed += 10;
            break;
        case VirtualKey::Up:
            moveCabSurface(cab, -50);
            break;
        case VirtualKey::Down:
            moveCabSurface(cab, 50);
            break;
        default:
            break;
    }
}

}  // namespace

void keydowns(Cab& cab, VirtualKey key, bool shift) {
    // Paused, only the value display opens and closes.
    if (!cab.running()) {
        if (key == VirtualKey::F3 && !shift) toggleValueDisplay(cab);
        return;
    }
    resetVigilance(cab);
    switch (key) {
        case VirtualKey::Backspace:
            turnBack(cab);
            return;
        case VirtualKey::ScrollLock:
            cab.controller.keypadSwapped = !cab.controller.keypadSwapped;
            return;
        case VirtualKey::Enter:
            driverCallout(cab.calloutRecords());
            return;
        case VirtualKey::F1:
            cab.state.FollowVideoSpeed = shift;
            return;
        case VirtualKey::F2:
            cab.diesel.EngineKey = shift ? 2 : 1;
            return;
        case VirtualKey::PageUp:
            chooseDoorSide(cab, 0);
            return;
        case VirtualKey::PageDown:
            chooseDoorSide(cab, 1);
            return;
        default:
            break;
    }
    if (shift) {
        testingKey(cab, key);
    } else if (key == VirtualKey::F3) {
        toggleValueDisplay(cab);
    }
}

void keyups(Cab& cab, VirtualKey key) {
    if (key == VirtualKey::F2) cab.diesel.EngineKey = 0;
}

}  // namespace tovra
