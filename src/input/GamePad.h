#pragma once

#include <cstdint>

#include "input/PadReading.h"

namespace tovra {

class Cab;
struct ExternalControllerState;

// Buttons 0-3 and 8-15 as the values 1, 2, 4, 8 and 16 .. 2048.
std::int32_t padButtonsLow(const PadReading& pad);
// Buttons 4-7 as the values 1, 2, 4, 8.
std::int32_t padButtonsHigh(const PadReading& pad);
// X + Y + both button sums. Two readings with the same signature are taken
// for the same state.
std::int64_t padSignature(const PadReading& pad);

// The logic tick's poll: reads the controller only while a game controller
// type is chosen.
void pollGamePad(Cab& cab, GamePadInput& pad);

// One reading of the chosen controller type. Acts only when the signature
// differs from the last one: moves the handles, posts the buttons'
// characters and runs masconupdate. The headless driver feeds its script's
// readings here.
void USBScan(Cab& cab, const PadReading& pad);

// The debug option's menu item; switching it off restores the caption.
void debug1Click(Cab& cab);

}  // namespace tovra
