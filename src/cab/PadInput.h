#pragma once

#include <string>

#include "input/GamePad.h"
#include "input/PadReading.h"

namespace tovra {

class Cab;

// The logic tick's poll: reads the controller only while a game controller
// type is chosen.
void pollGamePad(Cab& cab, GamePadInput& pad);

// One reading of the chosen controller type. Acts only when the signature
// differs from the last one: moves the handles, posts the buttons'
// characters and runs masconupdate. The headless driver feeds its script's
// readings here.
void USBScan(Cab& cab, const PadReading& pad);

// A game controller's handle steps, each moving its own handle only, then
// masconupdate.
void applyPadSteps(Cab& cab, Step power, Step brake);

// The commentary line tells of a controller plugged in or pulled out until
// the commentary changes.
void showControllerNotice(Cab& cab, const std::string& text);

// The debug option's menu item; switching it off restores the caption.
void debug1Click(Cab& cab);

}  // namespace tovra
