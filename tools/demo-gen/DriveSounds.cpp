#include "demo-gen/DriveSounds.h"

#include <cstdio>

namespace tovra::demo {

std::string driveSoundName(int sound) {
    if (sound < kRunningCount) {
        char name[32];
        std::snprintf(name, sizeof name, "run_%03d.wav", sound * 10);
        return name;
    }
    static const char* const names[] = {
        "brake_apply.wav",      "brake_release.wav",  "brake_click.wav",
        "power_click.wav",      "power_off.wav",      "emergency.wav",
        "apply_air.wav",        "ats_bell.wav",       "ats_chime.wav",
        "ats_ack.wav",          "cab_signal.wav",     "horn.wav",
        "whistle.wav",          "horn3.wav",          "horn_start.wav",
        "horn_sustain_a.wav",   "horn_sustain_b.wav", "horn_end.wav",
        "door_open.wav",        "door_close.wav",     "vigilance.wav",
        "squeal.wav",           "cp_start.wav",       "cp_run.wav",
        "cp_end.wav",           "stop_alarm.wav",     "buzzer.wav",
        "departure_signal.wav", "ats_warn.wav",       "points_slow.wav",
        "points_fast.wav",      "engine_idle.wav",    "engine_idle_doors.wav",
        "engine_start.wav",     "engine_stop.wav",
    };
    static_assert(sizeof names / sizeof names[0] == kDriveSoundCount - kRunningCount);
    return names[sound - kRunningCount];
}

}  // namespace tovra::demo
