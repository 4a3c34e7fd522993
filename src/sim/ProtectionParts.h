#pragma once

#include <cstdint>

#include "data/PatternPoints.h"
#include "data/RouteSpec.h"
#include "sim/ProtectionRecords.h"

namespace tovra {

// The pieces step_protection runs, each in its own file.
void stepAtsBell(ProtectionRecords& r);     // type 0
void stepAtsPattern(ProtectionRecords& r);  // type 1
void stepAtsCodes(ProtectionRecords& r);    // type 2
void stepSpeedChecks(ProtectionRecords& r);
void stepAtsCountdown(ProtectionRecords& r);
void stepRollbackProtection(ProtectionRecords& r);
void stepVigilance(ProtectionRecords& r);
void updateApproachTable(ProtectionRecords& r);

// The image index of a signal of `type` showing `aspect`. Aspects beyond the
// table's highest show as the highest; types outside it show the faces of a
// signal out of view.
std::int32_t signalFace(std::int32_t type, std::int32_t aspect, std::int32_t maxSpeed);

// The speed of aspect class k; 999 (no restriction) when the route lists
// fewer classes.
std::int32_t speedSignal(const RouteSpec& route, std::int32_t k);

// Whether signal `index` exists and shows stop.
bool signalAtStop(const RouteSpec& route, std::int32_t index);

// No pattern: the train runs on the section limit.
void cancelPattern(ProtectionState& p);

// The emergency brake of the protection, applied at once.
void protectionEmergency(ProtectionRecords& r);
// A speed check was overrun: the alarm rings with the countdown run out.
void raiseCheckAlarm(ProtectionRecords& r);

}  // namespace tovra
