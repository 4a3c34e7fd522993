#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace tovra {

class SpriteModel;
struct PanelLamps;

// Puts the lamps' states on their sprites; called before anything reads the
// sprites (the end of each tick, and before drawing). The sprites are looked
// up by name once for the sprite set they belong to.
class PanelLampSprites {
  public:
    void show(SpriteModel& sprites, const PanelLamps& lamps);

  private:
    enum Lamp : std::size_t {
        kAtsWhite,
        kAtsRed,
        kPattern,
        kPatternBrake,
        kEmergency,
        kForward,
        kBackward,
        kDoorsClosed,
        kCabSignal,
        kGear,
        kStopAlert,
        kLampCount
    };
    void find(const SpriteModel& sprites);

    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    std::uint64_t generation_ = std::numeric_limits<std::uint64_t>::max();
    std::array<std::size_t, kLampCount> index_{};
};

}  // namespace tovra
