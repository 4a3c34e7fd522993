#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sound/CabSounds.h"

namespace tovra {

class Cab;
struct RouteSpec;

// One item of the "Move" menu.
struct MoveMenuItem {
    std::int32_t station = 0;
    std::string name;     // "Sta" + the station index
    std::string caption;  // the station's name
};

// The stops with or without doors, in route order; never the last station.
std::vector<MoveMenuItem> moveMenuItems(const RouteSpec& route);

// The clock a moved train starts with at station `s`: its departure time, or
// one interpolated by position between the nearest timed stations, less its
// departure melody and arrival sound.
std::int32_t moveClock(const RouteSpec& route, const RouteSoundSeconds& seconds, std::int32_t s);

// Puts the train at the stop position of station `s`, standing with the
// doors closed and the brake on, the clock set for its departure. False, and
// nothing changed, when the route has no station `s`.
bool moveToStation(Cab& cab, std::int32_t s);

}  // namespace tovra
