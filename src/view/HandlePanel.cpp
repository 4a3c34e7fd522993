#include "view/HandlePanel.h"

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

int brakePattern(const TrainState& s, const VehicleSpec& v) {
    if (s.HoldBrake) return 1;
    if (v.Hold == 1) return s.BrakeHandle == 0 ? 0 : 1 - s.BrakeHandle;
    return -s.BrakeHandle;
}

// One row of the panel: a power picture and the brake picture beside it. A
// one-handle controller in a brake position shows only the brake picture.
void showRow(SpriteModel& sprites, const TrainState& s, const VehicleSpec& v, PanelSprite powerRow,
             PanelSprite brakeRow, int powerPattern, int protectionBack) {
    Sprite* power = sprites.find(powerRow);
    Sprite* brake = sprites.find(brakeRow);
    showPattern(sprites, power, powerPattern);
    if (!brake) return;
    const int pattern =
        protectionBack > 0 ? patternCount(sprites, *brake) - protectionBack : brakePattern(s, v);
    showPattern(sprites, brake, pattern);
    if (power) power->visible = v.Handle != 0 || s.BrakeHandle >= 0;
}

}  // namespace

void showHandlePanel(SpriteModel& sprites, const TrainState& s, const VehicleSpec& v,
                     std::int32_t gearLever) {
    const bool protection = s.ProtectEmergency || s.ProtectService;
    // The second row's brake picture ends with the service and emergency
    // protection patterns.
    const int protectionBack = s.ProtectEmergency ? 1 : s.ProtectService ? 2 : 0;
    showRow(sprites, s, v, PanelSprite::PowerHandle, PanelSprite::BrakeHandle, s.PowerHandle, 0);
    showRow(sprites, s, v, PanelSprite::PowerHandle2, PanelSprite::BrakeHandle2,
            protection ? 0 : s.PowerHandle, protectionBack);
    showPattern(sprites, sprites.find(PanelSprite::GearLever), gearLever);
}

}  // namespace tovra
