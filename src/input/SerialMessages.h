#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "data/ControllerFiles.h"
#include "sim/HandleCommand.h"

namespace tovra {

// What one entry of mascon.dat does: a handle command or a button's key.
struct SerialAction {
    std::optional<HandleCommand> handle;
    char key = 0;
};

// One complete message (raw bytes, carriage return included). Its first five
// bytes are compared with every entry of mascon.dat; each equal entry acts,
// in order, so an entry written twice acts twice.
std::vector<SerialAction> serialActions(const MasconTable& mascon, std::string_view message);

}  // namespace tovra
