// The held horn (start, two sustain sounds taking turns, end) with its air
// use, and the buzzer; both sound while their key stays down.
#include "cab/Cab.h"
#include "ports/Host.h"
#include "sim/PhysicsMath.h"
#include "sound/RunningSounds.h"
#include "sound/SoundLevels.h"

namespace tovra {

namespace {

constexpr Extended kHornAirPerTick = 0.5L;  // kPa of the main reservoir

// A key counts as held from its key press until the key is up again.
bool stillHeld(Cab& cab, bool& pressed, HeldKey key) {
    if (pressed && !cab.host.isKeyHeld(key)) pressed = false;
    return pressed;
}

}  // namespace

void step_held_horn(Cab& cab) {
    const bool held =
        stillHeld(cab, cab.controller.hornHeld, HeldKey::Horn3) || cab.external.controllerHorn;
    if (!cab.vehicle.HasSound_Horn4) return;
    const auto& horn = cab.vehicle.Sound_Horn4;
    const int a = cab.channels.driveChannel(horn[0]);
    const int b = cab.channels.driveChannel(horn[1]);
    const int c = cab.channels.driveChannel(horn[2]);
    const int z = cab.channels.driveChannel(horn[3]);
    const std::int32_t interval = horn[4];
    SoundChannels& sound = cab.sound;
    RunningSoundState& r = cab.runningSound;
    const std::int32_t clock = cab.state.Clock;
    const bool due = clock - r.hornStart > interval;
    const auto next = [&](int channel) {
        r.hornStart = clock;
        sound.playOnce(channel);
    };
    if (held && cab.state.MrPress <= 0) {
        // An empty main reservoir blows no horn.
        for (int channel : {a, b, c}) {
            if (sound.isPlaying(channel)) sound.stop(channel);
        }
        r.hornAir = 0;
    } else if (held) {
        if (!sound.isPlaying(a) && !sound.isPlaying(b) && !sound.isPlaying(c)) {
            next(a);
        } else if (sound.isPlaying(a) && !sound.isPlaying(b) && due) {
            next(b);
        } else if (sound.isPlaying(b) && !sound.isPlaying(c) && due) {
            next(c);
        } else if (sound.isPlaying(c) && !sound.isPlaying(b) && due) {
            next(b);
        }
        cab.state.MrPress -= kHornAirPerTick;
        clampAtZero(cab.state.MrPress);
        r.hornAir = -Extended(cab.vehicle.HornAir);
    } else {
        for (int channel : {a, b, c}) {
            if (sound.isPlaying(channel) && !sound.isPlaying(z) && due) sound.playOnce(z);
        }
        r.hornAir = 0;
    }
}

void step_buzzer(Cab& cab) {
    const int buzzer = cab.channels.driveChannel(cab.vehicle.Buzzer);
    if (stillHeld(cab, cab.controller.buzzerHeld, HeldKey::Horn4)) {
        cab.sound.loopIfSilent(buzzer);
    } else if (cab.sound.isPlaying(buzzer)) {
        cab.sound.stop(buzzer);
    }
}

}  // namespace tovra
