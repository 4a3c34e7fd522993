#include "view/PanelLampSprites.h"

#include "sim/PanelLamps.h"
#include "view/SpriteModel.h"

namespace tovra {

void show_panel_lamps(SpriteModel& sprites, const PanelLamps& lamps) {
    const auto light = [&](PanelSprite lamp, bool lit) {
        if (Sprite* s = sprites.find(lamp)) s->visible = lit;
    };
    light(PanelSprite::LampAts1, lamps.atsWhite);
    light(PanelSprite::LampAts2, lamps.atsRed);
    light(PanelSprite::LampAtsp1, lamps.pattern);
    light(PanelSprite::LampAtsp2, lamps.patternBrake);
    light(PanelSprite::LampEB, lamps.emergency);
    light(PanelSprite::LampFwd, lamps.forward);
    light(PanelSprite::LampBck, lamps.backward);
    light(PanelSprite::LampDoor, lamps.doorsClosed);
    light(PanelSprite::LampStopAlert, lamps.stopAlert);
    if (Sprite* s = sprites.find(PanelSprite::CabSignal)) {
        s->visible = lamps.cabSignalLit;
        s->patternIndex = lamps.cabSignalPattern;
    }
    if (Sprite* s = sprites.find(PanelSprite::LampGear)) s->patternIndex = lamps.gearPattern;
}

}  // namespace tovra
