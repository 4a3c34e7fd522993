#include "sim/Cab.h"
#include "sim/Protection.h"
#include "sim/ProtectionParts.h"

namespace tovra {

namespace {

bool alarmDue(const Cab& cab) {
    const ProtectionState& p = cab.protection;
    if (cab.vehicle.ATS_Alert == 1) return p.SignalLimit < cab.state.Speed;
    return (p.SignalLimit == kWarningLimit && p.acknowledgedSignal != p.warningSignal) ||
           p.SignalLimit == 0;
}

void ringBell(Cab& cab) {
    ProtectionState& p = cab.protection;
    const VehicleSpec& v = cab.vehicle;
    p.alarmLimit = p.SignalLimit;
    cab.sound.stop(v.Sound_Ats1);
    cab.sound.playLoop(v.Sound_Ats1);
    cab.sound.stop(v.Sound_Ats2);
    showProtectionLamps(cab, false, true);
    showPatternLamps(cab, false, false);
    if (p.SignalLimit == 0) protectionEmergency(cab);
}

void startChime(Cab& cab) {
    const VehicleSpec& v = cab.vehicle;
    cab.sound.stop(v.Sound_Ats1);
    cab.sound.stop(v.Sound_Ats2);
    if (v.ATS_Cnt == 0)
        cab.sound.playLoop(v.Sound_Ats2);
    else
        cab.sound.playOnce(v.Sound_Ats2);
    cab.protection.AtsAck = false;
    showProtectionLamps(cab, true, false);
}

}  // namespace

void stepAtsBell(Cab& cab) {
    ProtectionState& p = cab.protection;
    if (cab.state.BrakeHandle != -cab.vehicle.Brake && alarmDue(cab)) {
        p.AtsAlarm = true;
        p.AtsAck = false;
    }
    if (p.AtsAlarm && !cab.sound.isPlaying(cab.vehicle.Sound_Ats1)) ringBell(cab);
    // A stop signal passed while the bell already rings brakes all the same.
    if (p.SignalLimit == 0 && !cab.state.ProtectEmergency) protectionEmergency(cab);
    if (p.AtsAck && !cab.sound.isPlaying(cab.vehicle.Sound_Ats2)) startChime(cab);
}

namespace ats {

void AtsAcknowledge(Cab& cab) {
    ProtectionState& p = cab.protection;
    const TrainState& s = cab.state;
    const VehicleSpec& v = cab.vehicle;
    // Past a warning the chime is silenced only at a stand.
    if (cab.sound.isPlaying(v.Sound_Ats2) &&
        (p.SignalLimit != kWarningLimit || roundHalfEven(s.Speed) == 0)) {
        cab.sound.stop(v.Sound_Ats2);
        cab.sound.restartOnce(v.Sound_Ats3);
    }
    if (p.AtsAck) {
        p.AtsAck = false;
        p.AtsAlarm = false;
    }
    const bool automaticHolding = v.BrakeType == 0 && s.BrakeHandle == -1;
    if (p.AtsAlarm && s.BrakeHandle < 0 && !s.ProtectEmergency && !automaticHolding) {
        p.AtsAlarm = false;
        p.AtsAck = true;
        p.AtsCounter = 0;
        p.acknowledgedSignal = p.warningSignal;
    }
}

}  // namespace ats

}  // namespace tovra
