#pragma once

#include <string>
#include <vector>

#include "input/ControllerFixture.h"
#include "sim/Protection.h"

namespace tovra::test {

// A cab on a small route filmed at a steady 108 km/h, so that frame f lies
// at f metres; six aspect classes; protection sounds on channels 60 to 65
// and the protection lamps on the panel.
struct ProtectionFixture : ControllerFixture {
    ProtectionFixture() {
        VehicleSpec& v = cab.vehicle;
        v.Sound_Ats1 = kBell;
        v.Sound_Ats2 = kChime;
        v.Sound_Ats3 = kAckSound;
        v.Sound_Atc = kCodeChime;
        v.ATS_Warn = kPatternChime;
        v.Sound_EBring = kVigilanceBell;
        v.MaxSpeed = 120;
        v.BrakeRateAir = 4.5L;
        v.ATS_Time = 5;
        loadWaves({kBell, kChime, kAckSound, kCodeChime, kPatternChime, kVigilanceBell});
        for (const char* lamp : {"img_Lamp_Ats1", "img_Lamp_Ats2", "img_Lamp_Atsp1",
                                 "img_Lamp_Atsp2", "img_Lamp_EB"}) {
            addPatternSprite(lamp, 1);
        }
        addPatternSprite("img_cabsignal", 8);
        RouteSpec& r = cab.route;
        r.SpeedSignal = {0, 25, 45, 65, 90, 120};
        r.SpeedUnits = {{0, 100000, 108, 108, 0}};
        computeEndDistances(r.SpeedUnits);
        cab.state.Reverser = 1;
    }

    static constexpr int kBell = 60, kChime = 61, kAckSound = 62, kCodeChime = 63,
                         kPatternChime = 64, kVigilanceBell = 65;

    // A signal standing at `frame`, in view for the 300 frames before it,
    // with its long-distance beacon 200 frames before and its near beacon at
    // the signal.
    SignalRecord& addSignal(std::int32_t type, std::int32_t frame) {
        SignalRecord s;
        s.signalType = type;
        s.signalFrame = frame;
        s.viewFrame = frame - 300;
        s.farBeaconFrame = frame - 200;
        s.nearBeaconFrame = frame;
        cab.route.Signals.push_back(s);
        return cab.route.Signals.back();
    }

    void at(std::int32_t frame, Extended speed) {
        cab.state.Frame = frame;
        cab.state.Position = Extended(frame) * 100;
        cab.state.Speed = speed;
    }

    // Step 7 of the logic tick.
    void logicTick() {
        update_signal_aspects(records);
        step_traffic_signals(records);
        update_signal_limit(records);
        step_protection(records);
        cab.showHandlesIfDue();
        cab.showPanel();
    }

    std::vector<int> aspects() const {
        std::vector<int> out;
        for (const SignalRecord& s : cab.route.Signals) out.push_back(s.aspect);
        return out;
    }

    std::vector<std::string> logLines() const {
        std::vector<std::string> out;
        const ProtectionLog& log = cab.protection.log;
        for (std::uint64_t n = 1; n <= log.lastSequence(); ++n) {
            if (const ProtectionLog::Line* line = log.find(n)) out.emplace_back(line->text());
        }
        return out;
    }

    bool lit(const char* lamp) {
        cab.showPanel();
        return cab.sprites.find(lamp)->visible;
    }
    bool playing(int channel) const { return cab.sound.isPlaying(channel); }

    ProtectionRecords records = cab.protectionRecords();
};

}  // namespace tovra::test
