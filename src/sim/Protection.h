#pragma once

#include <cstdint>

#include "sim/ProtectionRecords.h"

namespace tovra {

// Physics tick, step 8, after the own train's frame advance: the preceding
// train runs its legs by the timetable clock.
void move_preceding_train(ProtectionState& p, const TrainState& s, const RouteSpec& route);

// Logic tick, step 1: the section limit of the stretch the train is on, and
// the preceding train taken away once past its end frame.
void update_section_limit(ProtectionState& p, const TrainState& s, const RouteSpec& route);
void remove_passed_preceding_train(ProtectionState& p, const RouteSpec& route);

// Logic tick, step 7, in this order: aspects behind the preceding train,
// held aspects, faces and the signal in view; the traffic signals; the
// signal limit at the beacons; the protection of the vehicle's type, the
// speed checks, the countdown, rollback protection, the vigilance device and
// the approach table.
void update_signal_aspects(ProtectionRecords& r);
void step_traffic_signals(ProtectionRecords& r);
void update_signal_limit(ProtectionRecords& r);
void step_protection(ProtectionRecords& r);

// A new run: fresh protection state, switched on unless the "ATS" option
// switches it off, the preceding train at its start frame.
void startProtection(ProtectionState& p, const RouteSpec& route, bool switchedOn);
// Moving the train: no pattern, no alarm, no signal limit, no protection
// brake, the lamps as at a fresh start.
void resetProtection(ProtectionState& p, TrainState& s, PanelLamps& lamps);
// Moving the train: the preceding train stands at the station its current
// leg runs to by the clock, or nowhere.
void placePrecedingTrain(ProtectionState& p, std::int32_t clock, const RouteSpec& route);

namespace ats {

// "r": at rest in the emergency position, lifts the protection brakes.
void AtsReset(ProtectionRecords& r);
// Space: silences the chime and acknowledges the alarm.
void AtsAcknowledge(ProtectionRecords& r);

}  // namespace ats

}  // namespace tovra
