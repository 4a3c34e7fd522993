#pragma once

#include <optional>

#include "input/ExternalControllerState.h"
#include "input/PadMapping.h"

namespace tovra {

// The mappable command a typed character gives, as the keyboard reads it on
// any train; none when no mappable command is that key.
std::optional<PadKey> padKeyTyping(char c);

// A mapping to start from that reads a device as a fixed type does, as near
// as axes and buttons can: its key buttons, and its levers with their limits
// where they are axes. Handle positions coded on buttons and a reverser on a
// centred axis have no such equivalent and are left to learn.
DeviceMapping presetMapping(PadType type);

}  // namespace tovra
