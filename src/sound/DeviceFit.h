#pragma once

#include "ports/ChannelLayout.h"

namespace tovra {

// Throws DataError naming both counts when the layout needs more channels
// than the sound device has: the sounds past its last channel, the call-outs
// among them, would never be heard.
void requireFitsDevice(const ChannelLayout& layout);

}  // namespace tovra
