#pragma once

#include <cstdint>
#include <string_view>

#include "data/PatternPoints.h"
#include "data/RouteSpec.h"
#include "sim/ProtectionState.h"

namespace tovra {

class Cab;

// The pieces step_protection runs, each in its own file.
void stepAtsBell(Cab& cab);     // type 0
void stepAtsPattern(Cab& cab);  // type 1
void stepAtsCodes(Cab& cab);    // type 2
void stepSpeedChecks(Cab& cab);
void stepAtsCountdown(Cab& cab);
void stepRollbackProtection(Cab& cab);
void stepVigilance(Cab& cab);
void updateApproachTable(Cab& cab);

// The image index of a signal of `type` showing `aspect`. Aspects beyond the
// table's highest show as the highest; types outside it show the faces of a
// signal out of view.
std::int32_t signalFace(std::int32_t type, std::int32_t aspect, std::int32_t maxSpeed);

// The speed of aspect class k; 999 (no restriction) when the route lists
// fewer classes.
std::int32_t speedSignal(const RouteSpec& route, std::int32_t k);

// Whether signal `index` exists and shows stop.
bool signalAtStop(const RouteSpec& route, std::int32_t index);

// Lamps of the panel; a lamp the vehicle lacks is skipped.
void showSprite(Cab& cab, std::string_view name, bool visible);
void showProtectionLamps(Cab& cab, bool white, bool red);
void showPatternLamps(Cab& cab, bool pattern, bool brake);

// No pattern: the train runs on the section limit.
void cancelPattern(ProtectionState& p);

// The emergency brake of the protection, applied at once.
void protectionEmergency(Cab& cab);
// A speed check was overrun: the alarm rings with the countdown run out.
void raiseCheckAlarm(Cab& cab);

}  // namespace tovra
