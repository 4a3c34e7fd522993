#pragma once

#include "input/PadReading.h"

struct _SDL_Joystick;

namespace tovra {

// The first game controller SDL finds, polled by the logic tick. A controller
// plugged in while driving is taken up at the next poll; while none is
// plugged in, or when SDL has no joystick support, every poll reads absent.
class SdlJoystick : public GamePadInput {
  public:
    SdlJoystick();
    ~SdlJoystick() override;
    SdlJoystick(const SdlJoystick&) = delete;
    SdlJoystick& operator=(const SdlJoystick&) = delete;

    // Axes 0 and 1 in SDL's range -32768..32767, buttons 0-15.
    PadReading read() override;
    bool present() const { return joystick_ != nullptr; }

  private:
    void followPlugging();

    bool initialised_ = false;
    _SDL_Joystick* joystick_ = nullptr;
};

}  // namespace tovra
