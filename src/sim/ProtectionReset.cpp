#include <cmath>

#include "sim/PendingDelays.h"
#include "sim/Protection.h"
#include "sim/ProtectionParts.h"
#include "sim/ProtectionRecords.h"

namespace tovra {

void startProtection(ProtectionState& p, const RouteSpec& route, bool switchedOn) {
    p = ProtectionState{};
    p.AtsOn = switchedOn;
    p.PreTrainFrame = route.PreTrainStart;
}

void resetProtection(ProtectionState& p, TrainState& s, PanelLamps& lamps) {
    cancelPattern(p);
    p.PatternState = p.PatternStatePrev = 0;
    p.AtsAlarm = p.AtsAck = false;
    p.warningSignal = p.acknowledgedSignal = -1;
    p.AtsCounter = 0;
    p.SignalLimit = kNoLimit;
    p.stopSignal = p.releasedSignal = -1;
    p.CodeLatch = false;
    // Nothing the old place imposed may hold the train at the new one.
    s.ProtectEmergency = false;
    s.ProtectService = false;
    markBrakePending(s);
    p.vigilanceCount = 0;
    showProtectionLamps(lamps, p.AtsOn, false);
    showPatternLamps(lamps, false, false);
    lamps.emergency = false;
}

namespace ats {

void AtsReset(ProtectionRecords& r) {
    TrainState& s = r.state;
    if (s.BrakeHandle != -r.vehicle.Brake || std::fabs(s.Speed) >= 0.1L) return;
    ProtectionState& p = r.protection;
    s.ProtectEmergency = false;
    s.ProtectService = false;
    r.sound.stop(r.vehicle.Sound_Ats1);
    p.AtsAck = true;
    p.AtsAlarm = false;
    p.AtsCounter = 0;
    p.acknowledgedSignal = -1;
    // The stop signal that was overrun stays behind, even for a train still
    // standing on its beacon: without this the brake would fall again at once
    // and the train could never move on.
    if (p.SignalLimit == 0) {
        p.SignalLimit = kNoLimit;
        p.releasedSignal = p.stopSignal;
    }
    showProtectionLamps(r.lamps, true, false);
}

}  // namespace ats

}  // namespace tovra
