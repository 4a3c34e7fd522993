#pragma once

namespace tovra {

class Cab;

// The master controller update after every handle change: reverser lamps,
// entering and leaving constant speed, the handle texts, the notch lamps, the
// departure call-out and the gear text.
void masconupdate(Cab& cab);
// All of it but constant speed, which the train's own handle moves have
// already applied.
void showHandleState(Cab& cab);

// GearText alone.
void updateGearText(Cab& cab);

}  // namespace tovra
