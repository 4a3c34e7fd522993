#include "cab/HandleInput.h"

#include "cab/Cab.h"
#include "cab/Masconupdate.h"
#include "sim/HandleMoves.h"

namespace tovra {

void operateHandles(Cab& cab, HandleCommand command) {
    if (applyHandleCommand(cab.state, cab.handles, cab.vehicle, command)) masconupdate(cab);
}

}  // namespace tovra
