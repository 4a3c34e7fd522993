#include "platform/SdlDevices.h"

#include <SDL.h>

#include <algorithm>
#include <array>

namespace tovra {

namespace {

// Hats are passed on as SDL gives them.
static_assert(SDL_HAT_UP == HatUp && SDL_HAT_RIGHT == HatRight && SDL_HAT_DOWN == HatDown &&
              SDL_HAT_LEFT == HatLeft);

AttachedDevice describe(SDL_Joystick* joystick) {
    AttachedDevice device;
    device.id = SDL_JoystickInstanceID(joystick);
    std::array<char, 33> guid{};
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(joystick), guid.data(), int(guid.size()));
    device.guid = guid.data();
    const char* name = SDL_JoystickName(joystick);
    device.name = name ? name : "";
    device.reading.axes.resize(std::size_t(std::max(SDL_JoystickNumAxes(joystick), 0)));
    device.reading.buttons.resize(std::size_t(std::max(SDL_JoystickNumButtons(joystick), 0)));
    device.reading.hats.resize(std::size_t(std::max(SDL_JoystickNumHats(joystick), 0)));
    return device;
}

void read(SDL_Joystick* joystick, DeviceReading& reading) {
    for (std::size_t i = 0; i < reading.axes.size(); ++i)
        reading.axes[i] = SDL_JoystickGetAxis(joystick, int(i));
    for (std::size_t i = 0; i < reading.buttons.size(); ++i)
        reading.buttons[i] = SDL_JoystickGetButton(joystick, int(i)) != 0;
    for (std::size_t i = 0; i < reading.hats.size(); ++i)
        reading.hats[i] = SDL_JoystickGetHat(joystick, int(i));
}

}  // namespace

SdlDevices::SdlDevices() {
    // As for the single controller: Qt owns the signals, and no SDL window
    // has a focus to lose.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    initialised_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    if (initialised_) SDL_JoystickEventState(SDL_IGNORE);
}

SdlDevices::~SdlDevices() {
    for (SDL_Joystick* joystick : joysticks_) SDL_JoystickClose(joystick);
    if (initialised_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void SdlDevices::followPlugging() {
    for (std::size_t i = joysticks_.size(); i-- > 0;) {
        if (SDL_JoystickGetAttached(joysticks_[i])) continue;
        SDL_JoystickClose(joysticks_[i]);
        joysticks_.erase(joysticks_.begin() + std::ptrdiff_t(i));
        attached_.erase(attached_.begin() + std::ptrdiff_t(i));
    }
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
        const bool known = std::any_of(attached_.begin(), attached_.end(),
                                       [id](const AttachedDevice& d) { return d.id == id; });
        if (known) continue;
        SDL_Joystick* joystick = SDL_JoystickOpen(index);
        if (!joystick) continue;
        joysticks_.push_back(joystick);
        attached_.push_back(describe(joystick));
    }
}

const std::vector<AttachedDevice>& SdlDevices::poll() {
    if (!initialised_) return attached_;
    SDL_JoystickUpdate();
    followPlugging();
    for (std::size_t i = 0; i < joysticks_.size(); ++i) read(joysticks_[i], attached_[i].reading);
    return attached_;
}

}  // namespace tovra
