#pragma once

#include "Script.h"

namespace tovra {
struct HeadlessRun;
}

namespace tovra::sim {

// Plays one input of a script as the desktop program's windows would pass it on.
void play(const ScriptCommand& c, HeadlessRun& run);

// Characters posted by the cab (the wheel) reach its character handler as
// the window system would deliver them.
void deliverPosted(HeadlessRun& run);

}  // namespace tovra::sim
