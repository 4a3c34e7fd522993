#include "input/HandlePanel.h"

#include "cab/Cab.h"

namespace tovra {

namespace {

int patternCount(const SpriteModel& sprites, const Sprite& sprite) {
    const Picture& picture = sprites.pictureOf(sprite);
    if (!picture.image || picture.patternWidth <= 0 || picture.patternHeight <= 0) return 1;
    return (picture.image->width / picture.patternWidth) *
           (picture.image->height / picture.patternHeight);
}

bool hasPattern(const SpriteModel& sprites, const Sprite& sprite, int pattern) {
    return pattern >= 0 && pattern < patternCount(sprites, sprite);
}

void showPattern(SpriteModel& sprites, Sprite* sprite, int pattern) {
    if (sprite && hasPattern(sprites, *sprite, pattern)) sprite->patternIndex = pattern;
}

int brakePattern(const Cab& cab) {
    const TrainState& s = cab.state;
    if (s.HoldBrake) return 1;
    if (cab.vehicle.Hold == 1) return s.BrakeHandle == 0 ? 0 : 1 - s.BrakeHandle;
    return -s.BrakeHandle;
}

// One row of the panel: a power picture and the brake picture beside it. A
// one-handle controller in a brake position shows only the brake picture.
void showRow(Cab& cab, const char* powerName, const char* brakeName, int powerPattern,
             int protectionBack) {
    SpriteModel& sprites = cab.sprites;
    Sprite* power = sprites.find(powerName);
    Sprite* brake = sprites.find(brakeName);
    showPattern(sprites, power, powerPattern);
    if (!brake) return;
    const int pattern =
        protectionBack > 0 ? patternCount(sprites, *brake) - protectionBack : brakePattern(cab);
    showPattern(sprites, brake, pattern);
    if (power) power->visible = cab.vehicle.Handle != 0 || cab.state.BrakeHandle >= 0;
}

}  // namespace

void showHandlePanel(Cab& cab) {
    const TrainState& s = cab.state;
    const bool protection = s.ProtectEmergency || s.ProtectService;
    // The second row's brake picture ends with the service and emergency
    // protection patterns.
    const int protectionBack = s.ProtectEmergency ? 1 : s.ProtectService ? 2 : 0;
    showRow(cab, "img_lamp_p", "img_lamp_b", s.PowerHandle, 0);
    showRow(cab, "img_lamp_p2", "img_lamp_b2", protection ? 0 : s.PowerHandle, protectionBack);
    showPattern(cab.sprites, cab.sprites.find("img_gearlever"), cab.diesel.GearLever);
}

}  // namespace tovra
