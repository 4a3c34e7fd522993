#pragma once

namespace tovra {

class Cab;

// The sounds the logic tick drives, each list in its order. Route sounds
// come before the station pass; the rest after it.
void update_route_sounds(Cab& cab);
void update_running_sounds(Cab& cab);

}  // namespace tovra
