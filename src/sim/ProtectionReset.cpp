#include <cmath>

#include "input/PendingDelays.h"
#include "sim/Cab.h"
#include "sim/Protection.h"
#include "sim/ProtectionParts.h"

namespace tovra {

void startProtection(Cab& cab) {
    ProtectionState& p = cab.protection;
    p = ProtectionState{};
    p.AtsOn = cab.options.ATS != 1;
    p.PreTrainFrame = cab.route.PreTrainStart;
}

void resetProtection(Cab& cab) {
    ProtectionState& p = cab.protection;
    cancelPattern(p);
    p.PatternState = p.PatternStatePrev = 0;
    p.AtsAlarm = p.AtsAck = false;
    p.warningSignal = p.acknowledgedSignal = -1;
    p.AtsCounter = 0;
    p.SignalLimit = kNoLimit;
    p.stopSignal = p.releasedSignal = -1;
    p.CodeLatch = false;
    // Nothing the old place imposed may hold the train at the new one.
    TrainState& s = cab.state;
    s.ProtectEmergency = false;
    s.ProtectService = false;
    markBrakePending(s);
    cab.controller.vigilanceCount = 0;
    showProtectionLamps(cab, p.AtsOn, false);
    showPatternLamps(cab, false, false);
    showSprite(cab, "img_Lamp_EB", false);
}

namespace ats {

void AtsReset(Cab& cab) {
    TrainState& s = cab.state;
    if (s.BrakeHandle != -cab.vehicle.Brake || std::fabs(s.Speed) >= 0.1L) return;
    ProtectionState& p = cab.protection;
    s.ProtectEmergency = false;
    s.ProtectService = false;
    cab.sound.stop(cab.vehicle.Sound_Ats1);
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
    showProtectionLamps(cab, true, false);
}

}  // namespace ats

}  // namespace tovra
