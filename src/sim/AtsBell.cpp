#include "sim/Protection.h"
#include "sim/ProtectionParts.h"
#include "sim/ProtectionRecords.h"

namespace tovra {

namespace {

bool alarmDue(const ProtectionRecords& r) {
    const ProtectionState& p = r.protection;
    if (r.vehicle.ATS_Alert == 1) return p.SignalLimit < r.state.Speed;
    return (p.SignalLimit == kWarningLimit && p.acknowledgedSignal != p.warningSignal) ||
           p.SignalLimit == 0;
}

void ringBell(ProtectionRecords& r) {
    ProtectionState& p = r.protection;
    const VehicleSpec& v = r.vehicle;
    p.alarmLimit = p.SignalLimit;
    r.sound.stop(v.Sound_Ats1);
    r.sound.playLoop(v.Sound_Ats1);
    r.sound.stop(v.Sound_Ats2);
    showProtectionLamps(r.lamps, false, true);
    showPatternLamps(r.lamps, false, false);
    if (p.SignalLimit == 0) protectionEmergency(r);
}

void startChime(ProtectionRecords& r) {
    const VehicleSpec& v = r.vehicle;
    r.sound.stop(v.Sound_Ats1);
    r.sound.stop(v.Sound_Ats2);
    if (v.ATS_Cnt == 0)
        r.sound.playLoop(v.Sound_Ats2);
    else
        r.sound.playOnce(v.Sound_Ats2);
    r.protection.AtsAck = false;
    showProtectionLamps(r.lamps, true, false);
}

}  // namespace

void stepAtsBell(ProtectionRecords& r) {
    ProtectionState& p = r.protection;
    if (r.state.BrakeHandle != -r.vehicle.Brake && alarmDue(r)) {
        p.AtsAlarm = true;
        p.AtsAck = false;
    }
    if (p.AtsAlarm && !r.sound.isPlaying(r.vehicle.Sound_Ats1)) ringBell(r);
    // A stop signal passed while the bell already rings brakes all the same.
    if (p.SignalLimit == 0 && !r.state.ProtectEmergency) protectionEmergency(r);
    if (p.AtsAck && !r.sound.isPlaying(r.vehicle.Sound_Ats2)) startChime(r);
}

namespace ats {

void AtsAcknowledge(ProtectionRecords& r) {
    ProtectionState& p = r.protection;
    const TrainState& s = r.state;
    const VehicleSpec& v = r.vehicle;
    // Past a warning the chime is silenced only at a stand.
    if (r.sound.isPlaying(v.Sound_Ats2) &&
        (p.SignalLimit != kWarningLimit || roundHalfEven(s.Speed) == 0)) {
        r.sound.stop(v.Sound_Ats2);
        r.sound.restartOnce(v.Sound_Ats3);
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
