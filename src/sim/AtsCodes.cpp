#include "sim/HandleRules.h"
#include "sim/PendingDelays.h"
#include "sim/ProtectionParts.h"
#include "sim/ProtectionRecords.h"

namespace tovra {

namespace {

constexpr std::int32_t kFirstCode = 22;  // the stop code: its brake is the emergency one
constexpr std::int32_t kLastCode = 29;
constexpr std::int32_t kCabSignalFaces = 35;  // faces from here on show on the cab signal
constexpr Extended kCodeMargin = 0.4L;        // km/h under the code speed

void showCabSignal(PanelLamps& lamps, std::int32_t face) {
    lamps.cabSignalLit = face >= kCabSignalFaces;
    if (lamps.cabSignalLit) lamps.cabSignalPattern = face - kCabSignalFaces;
}

bool codeExceeded(const ProtectionRecords& r, std::int32_t face) {
    if (face < kFirstCode || face > kLastCode) return false;
    return r.state.Speed > speedSignal(r.route, face - kFirstCode) - kCodeMargin;
}

}  // namespace

void stepAtsCodes(ProtectionRecords& r) {
    ProtectionState& p = r.protection;
    TrainState& s = r.state;
    const std::int32_t face = p.SignalFace;
    if (face != p.codeFace) {
        p.codeFace = face;
        r.sound.restartOnce(r.vehicle.Sound_Atc);
        showCabSignal(r.lamps, face);
    }
    const bool exceeded = codeExceeded(r, face);
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
    handles_moved_by_train(r.state, r.vehicle);
    p.CodeLatch = exceeded;
}

}  // namespace tovra
