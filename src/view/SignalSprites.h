#pragma once

#include <cstdint>

namespace tovra {

class SpriteModel;
struct ProtectionState;
struct RouteSpec;

// The signal sprites as last placed: the count of changes of the signal in
// view they follow.
struct SignalSprites {
    std::uint32_t changesShown = 0;
};

// The signal head and its sub-signals show the face of the signal in view,
// placed once per change of it.
void show_signal_sprites(SpriteModel& sprites, SignalSprites& shown, const RouteSpec& route,
                         const ProtectionState& p);

}  // namespace tovra
