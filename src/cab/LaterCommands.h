#pragma once

namespace tovra {

class Cab;

// Commands the keyboard and the master controller hand to the subsystems
// and windows that own them.

// Stations: raises call-out moment 4, the departure call-out. masconupdate
// has already disarmed ControllerState::departureCalloutPending.
void raise_departure_callout(Cab& cab);

// Doors: opens closed doors, starts closing open ones ("d", "7" in one-man operation).
void Door_operate(Cab& cab);

// Train protection: "r" at rest in the emergency position.
void AtsReset(Cab& cab);
// Train protection: space; ignored while the acknowledge lock is set.
void AtsAcknowledge(Cab& cab);

// One-man announcements: "c" / "1" plays the entry at announcePos and may
// register a passenger request; "-" stops it and steps announcePos back.
void nextOneManAnnouncement(Cab& cab);
void previousOneManAnnouncement(Cab& cab);

// Value display window: F3 shows it when hidden, hides it otherwise (the
// host's window).
void toggleValueDisplay(Cab& cab);

// Signals (testing aid, Shift+F3): resets the signal call-outs and sets the
// video frame 10 frames before the next signal section.
void skipToNextSignal(Cab& cab);

// Panel drawing (Shift+Up / Shift+Down): the cab surface moves by `pixels`
// (-50 up while its top is >= -149, +50 down while its top is < 0).
void moveCabSurface(Cab& cab, int pixels);

}  // namespace tovra
