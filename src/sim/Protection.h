#pragma once

namespace tovra {

class Cab;

// Physics tick, step 8, after the own train's frame advance: the preceding
// train runs its legs by the timetable clock.
void move_preceding_train(Cab& cab);

// Logic tick, step 1: the section limit of the stretch the train is on, and
// the preceding train taken away once past its end frame.
void update_section_limit(Cab& cab);
void remove_passed_preceding_train(Cab& cab);

// Logic tick, step 7, in this order: aspects behind the preceding train,
// held aspects, faces and the signal sprites; the traffic signals; the
// signal limit at the beacons; the protection of the vehicle's type, the
// speed checks, the countdown, rollback protection, the vigilance device and
// the approach table.
void update_signal_aspects(Cab& cab);
void step_traffic_signals(Cab& cab);
void update_signal_limit(Cab& cab);
void step_protection(Cab& cab);

// A new run: fresh protection state, switched on unless the "ATS" option
// switches it off, the preceding train at its start frame.
void startProtection(Cab& cab);
// Moving the train: no pattern, no alarm, no signal limit.
void resetProtection(Cab& cab);
// Moving the train: the preceding train stands at the station its current
// leg runs to by the clock, or nowhere.
void placePrecedingTrain(Cab& cab);

namespace ats {

// "r": at rest in the emergency position, lifts the protection brakes.
void AtsReset(Cab& cab);
// Space: silences the chime and acknowledges the alarm.
void AtsAcknowledge(Cab& cab);

}  // namespace ats

}  // namespace tovra
