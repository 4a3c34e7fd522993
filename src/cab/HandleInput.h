#pragma once

#include "sim/HandleCommand.h"

namespace tovra {

class Cab;

// A handle command from the serial controller, the remote or a test: the
// handles move, and unless the command was refused, masconupdate follows.
void operateHandles(Cab& cab, HandleCommand command);

}  // namespace tovra
