#pragma once

#include <cstdint>

namespace tovra {

class Cab;

// The resets that restoring a saved state and moving to a station share,
// each run in the order its caller needs.

// Back to the route video when a station or moving sub-video plays; the
// physics timer is stopped for the switch and runs afterwards as before.
void returnToRouteVideo(Cab& cab);

// Per-station progress, the sub-videos, the points sounds and the time
// call-outs start afresh.
void clearRunProgress(Cab& cab);

// Restoring: the stations the train has left behind count as worked and
// departed, so that a starting signal held for a departure there clears.
// A train standing in a station's zone has not left it yet.
void markStationsBehind(Cab& cab);

// Doors shut, with the door-closed lamp lit so no closing is pending.
void closeDoors(Cab& cab);

// The main video shows `frame`; the next drawing pass fetches it.
void showFrame(Cab& cab, std::int32_t frame);

// Handle, effective brake and straight air brake at `step`.
void setBrake(Cab& cab, std::int32_t step);

// The stop the train runs to next, and the distance to it.
void setNextStop(Cab& cab, std::int32_t station);

// What stands by the track at the new frame: the level crossings in range,
// the signal sprites when no signal is in view, and the filmed speed.
void placeWayside(Cab& cab);

}  // namespace tovra
