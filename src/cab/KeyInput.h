#pragma once

#include "input/VirtualKey.h"

namespace tovra {

class Cab;

// A touch of any control: the vigilance counter restarts, its bell stops and
// its lamp goes dark.
void resetVigilance(Cab& cab);

// A typed character: the handle keys, horns, doors, protection, announcement
// and gear keys. Ignored while the cab's keys are locked.
void AsciiDown(Cab& cab, char key);

// A key-down without a character: function keys, Enter, paging and cursor keys.
void keydowns(Cab& cab, VirtualKey key, bool shift);
// Releasing F2 ends the engine start or stop command.
void keyups(Cab& cab, VirtualKey key);

// The mouse wheel posts the character of one lever step: towards the user
// "8", away "2", or "0" from the last service position.
void WheelD(Cab& cab);
void WheelU(Cab& cab);

}  // namespace tovra
