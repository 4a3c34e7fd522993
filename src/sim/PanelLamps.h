#pragma once

#include <cstdint>

namespace tovra {

// The panel lamps the train's own logic lights. The view shows each on the
// sprite of its name; a lamp the vehicle lacks is simply not shown.
struct PanelLamps {
    bool atsWhite = true;       // img_Lamp_Ats1: the protection in order
    bool atsRed = false;        // img_Lamp_Ats2: the bell's alarm
    bool pattern = false;       // img_Lamp_Atsp1: a pattern is approached
    bool patternBrake = false;  // img_Lamp_Atsp2: the pattern brakes
    bool emergency = false;     // img_Lamp_EB: the vigilance bell
    bool forward = false;       // img_Lamp_Fwd
    bool backward = false;      // img_Lamp_Bck
    bool doorsClosed = false;   // img_Lamp_Door, the pilot lamp
    // Whether the vehicle has a pilot lamp: without one the door logic goes
    // by the doors themselves.
    bool doorLampFitted = false;
    bool cabSignalLit = false;          // img_cabsignal
    std::int32_t cabSignalPattern = 0;  // kept while dark
    std::int32_t gearPattern = 0;       // img_lamp_gear: the gear engaged
    // The level-crossing lamp of the wayside pictures: lit while a crossing
    // waits for its station's departure melody.
    bool crossing = false;
    bool stopAlert = false;  // img_Lamp_stopalert: blinks with the stop-approach alarm
};

inline void showProtectionLamps(PanelLamps& lamps, bool white, bool red) {
    lamps.atsWhite = white;
    lamps.atsRed = red;
}

inline void showPatternLamps(PanelLamps& lamps, bool pattern, bool brake) {
    lamps.pattern = pattern;
    lamps.patternBrake = brake;
}

}  // namespace tovra
