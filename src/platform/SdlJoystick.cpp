#include "platform/SdlJoystick.h"

#include <SDL.h>

#include <algorithm>

namespace tovra {

namespace {

constexpr int kButtons = 16;

}  // namespace

SdlJoystick::SdlJoystick() {
    // Qt owns the program's signals, and there is no SDL window whose focus
    // could decide whether the controller may be read.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    initialised_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    // Polled, not queued: unread joystick events would pile up.
    if (initialised_) SDL_JoystickEventState(SDL_IGNORE);
}

SdlJoystick::~SdlJoystick() {
    if (joystick_) SDL_JoystickClose(joystick_);
    if (initialised_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void SdlJoystick::followPlugging() {
    if (joystick_ && !SDL_JoystickGetAttached(joystick_)) {
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
    }
    if (!joystick_ && SDL_NumJoysticks() > 0) joystick_ = SDL_JoystickOpen(0);
}

PadReading SdlJoystick::read() {
    if (!initialised_) return {};
    // Also looks for controllers plugged in or pulled out.
    SDL_JoystickUpdate();
    followPlugging();
    if (!joystick_) return {};
    PadReading pad;
    pad.x = SDL_JoystickGetAxis(joystick_, 0);
    pad.y = SDL_JoystickGetAxis(joystick_, 1);
    const int buttons = std::min(SDL_JoystickNumButtons(joystick_), kButtons);
    for (int i = 0; i < buttons; ++i) {
        if (SDL_JoystickGetButton(joystick_, i)) pad.buttons |= std::uint16_t(1u << i);
    }
    return pad;
}

}  // namespace tovra
