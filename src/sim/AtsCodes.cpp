#include "input/Masconupdate.h"
#include "input/PendingDelays.h"
#include "sim/Cab.h"
#include "sim/ProtectionParts.h"

namespace tovra {

namespace {

constexpr std::int32_t kFirstCode = 22;  // the stop code: its brake is the emergency one
constexpr std::int32_t kLastCode = 29;
constexpr std::int32_t kCabSignalFaces = 35;  // faces from here on show on the cab signal
constexpr Extended kCodeMargin = 0.4L;        // km/h under the code speed

void showCabSignal(Cab& cab, std::int32_t face) {
    if (Sprite* lamp = cab.sprites.find("img_cabsignal")) {
        lamp->visible = face >= kCabSignalFaces;
        if (lamp->visible) lamp->patternIndex = face - kCabSignalFaces;
    }
}

bool codeExceeded(const Cab& cab, std::int32_t face) {
    if (face < kFirstCode || face > kLastCode) return false;
    return cab.state.Speed > speedSignal(cab.route, face - kFirstCode) - kCodeMargin;
}

}  // namespace

void stepAtsCodes(Cab& cab) {
    ProtectionState& p = cab.protection;
    TrainState& s = cab.state;
    const std::int32_t face = p.SignalFace;
    if (face != p.codeFace) {
        p.codeFace = face;
        cab.sound.restartOnce(cab.vehicle.Sound_Atc);
        showCabSignal(cab, face);
    }
    const bool exceeded = codeExceeded(cab, face);
    if (exceeded && !p.CodeLatch) {
        if (face == kFirstCode)
            s.ProtectEmergency = true;
        else
            s.ProtectService = true;
    } else if (!exceeded && p.CodeLatch) {
        // An emergency brake stays until the reset.
        s.ProtectService = false;
    } else {
        return;
    }
    markAllPending(s);
    masconupdate(cab);
    p.CodeLatch = exceeded;
}

}  // namespace tovra
