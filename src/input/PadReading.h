#pragma once

#include <cstdint>

namespace tovra {

// One poll of a game controller. An absent controller reads as all zero.
struct PadReading {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint16_t buttons = 0;  // bit i: button i is pressed
};

// Where the logic tick reads the game controller from.
class GamePadInput {
  public:
    virtual ~GamePadInput() = default;
    virtual PadReading read() = 0;
};

}  // namespace tovra
