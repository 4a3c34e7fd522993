#include "view/SignalSprites.h"

#include <string_view>

#include "data/RouteSpec.h"
#include "sim/ProtectionState.h"
#include "view/SpriteModel.h"

namespace tovra {

namespace {

void placeSprite(SpriteModel& sprites, std::string_view name, int originX, int originY, int x,
                 int y, std::int32_t face, bool present) {
    if (Sprite* sprite = sprites.find(name)) {
        sprite->visible = present;
        sprite->x = originX + x;
        sprite->y = originY + y;
        sprite->patternIndex = face;
    }
}

}  // namespace

void show_signal_sprites(SpriteModel& sprites, SignalSprites& shown, const RouteSpec& route,
                         const ProtectionState& p) {
    if (shown.changesShown == p.signalViewChanges) return;
    shown.changesShown = p.signalViewChanges;
    if (p.signalInView < 0) {
        for (const ImageSlot& slot : kSignalImageSlots)
            if (Sprite* sprite = sprites.find(slot.name)) sprite->visible = false;
        return;
    }
    const SignalRecord& s = route.Signals[std::size_t(p.signalInView)];
    const std::int32_t face = p.shownFace;
    int ox = 0, oy = 0;
    if (route.SignalImages) {
        ox = route.SignalImages->displayValues[0];
        oy = route.SignalImages->displayValues[1];
    }
    // A sub-signal placed at 0, 0 is one the signal does not have.
    const auto sub = [](int x, int y) { return x != 0 || y != 0; };
    placeSprite(sprites, kSignalImageSlots[0].name, ox, oy, s.headX, s.headY, face, true);
    placeSprite(sprites, kSignalImageSlots[1].name, ox, oy, s.sub0X, s.sub0Y, face,
                sub(s.sub0X, s.sub0Y));
    placeSprite(sprites, kSignalImageSlots[2].name, ox, oy, s.sub1X, s.sub1Y, face,
                sub(s.sub1X, s.sub1Y));
    placeSprite(sprites, kSignalImageSlots[3].name, ox, oy, s.sub2X, s.sub2Y, face,
                sub(s.sub2X, s.sub2Y));
}

}  // namespace tovra
