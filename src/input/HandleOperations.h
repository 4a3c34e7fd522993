#pragma once

#include <cstdint>

namespace tovra {

class Cab;

// The handle operations every input path uses. Each moves the handles, marks
// the handle delays pending and runs masconupdate.

// One lever, one step towards power: brake steps back to release (through the
// holding position where the controller has one), then power notches.
void TowardsPower(Cab& cab);
// One lever, one step towards brake; stops at the last service position.
void TowardsBrake(Cab& cab);
void PowerUp(Cab& cab);    // two handles: power only
void PowerDown(Cab& cab);  // two handles: power only
void BrakeRelease(Cab& cab);
void BrakeApply(Cab& cab);
void BrakeEmergency(Cab& cab);
void Emergency(Cab& cab);  // power off and the emergency position
void Neutral(Cab& cab);
// Only with the power off; no delays.
void NextPowerMode(Cab& cab);
// Engages constant speed at full power where the vehicle holds speed on notch 1.
void ConstSpeedKey(Cab& cab);
// Only while |Speed| <= 1 km/h; direction 1, 0 or -1.
void SetReverser(Cab& cab, std::int32_t direction);
// Absolute controllers: power position n >= 1 within the current mode.
void SetPowerPosition(Cab& cab, std::int32_t n);
// Absolute controllers: brake position k >= 1, at most the emergency position.
void SetBrakePosition(Cab& cab, std::int32_t k);

}  // namespace tovra
