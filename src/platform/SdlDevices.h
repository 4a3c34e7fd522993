#pragma once

#include <vector>

#include "input/MappedPads.h"

struct _SDL_Joystick;

namespace tovra {

// Every joystick and game controller SDL finds, with its GUID and name,
// taken up when plugged in and let go when pulled out. Polled: nothing is
// queued between polls.
class SdlDevices {
  public:
    SdlDevices();
    ~SdlDevices();
    SdlDevices(const SdlDevices&) = delete;
    SdlDevices& operator=(const SdlDevices&) = delete;

    // Follows the plugging, then reads every device attached.
    const std::vector<AttachedDevice>& poll();
    const std::vector<AttachedDevice>& attached() const { return attached_; }

  private:
    void followPlugging();

    bool initialised_ = false;
    std::vector<_SDL_Joystick*> joysticks_;  // in step with attached_
    std::vector<AttachedDevice> attached_;
};

}  // namespace tovra
