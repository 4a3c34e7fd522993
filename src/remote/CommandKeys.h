#pragma once

#include "input/VirtualKey.h"
#include "remote/RemoteCommand.h"

namespace tovra {
class Cab;
}

namespace tovra::remote {

// The keyboard's way into the cab, as the program that runs the ticks
// gives it: the cab window's key handling in tovra, the script player's in
// tovra-sim. A remote command is nothing but keys through it.
class KeyPath {
  public:
    virtual ~KeyPath() = default;
    // A character key pressed: "3" and "4" stay held until characterUp.
    virtual void characterDown(char c) = 0;
    virtual void characterUp(char c) = 0;
    virtual void keyDown(VirtualKey key, bool shift) = 0;
    virtual void keyUp(VirtualKey key) = 0;
};

// Applies a checked command on the ticks' thread: the keys it names, or for
// handle positions the keys that step the handles there one notch at a
// time, reading the cab between the presses, as a driver would.
void applyCommand(const RemoteCommand& command, KeyPath& keys, const Cab& cab);

// The key of a touch button.
KeyPress buttonKey(Button button);

}  // namespace tovra::remote
