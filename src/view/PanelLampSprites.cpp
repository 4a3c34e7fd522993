#include "view/PanelLampSprites.h"

#include "sim/PanelLamps.h"
#include "view/SpriteModel.h"

namespace tovra {

namespace {

void light(SpriteModel& sprites, const char* name, bool lit) {
    if (Sprite* s = sprites.find(name)) s->visible = lit;
}

}  // namespace

void show_panel_lamps(SpriteModel& sprites, const PanelLamps& lamps) {
    light(sprites, "img_Lamp_Ats1", lamps.atsWhite);
    light(sprites, "img_Lamp_Ats2", lamps.atsRed);
    light(sprites, "img_Lamp_Atsp1", lamps.pattern);
    light(sprites, "img_Lamp_Atsp2", lamps.patternBrake);
    light(sprites, "img_Lamp_EB", lamps.emergency);
    light(sprites, "img_Lamp_Fwd", lamps.forward);
    light(sprites, "img_Lamp_Bck", lamps.backward);
    light(sprites, "img_Lamp_Door", lamps.doorsClosed);
    if (Sprite* s = sprites.find("img_cabsignal")) {
        s->visible = lamps.cabSignalLit;
        s->patternIndex = lamps.cabSignalPattern;
    }
    if (Sprite* s = sprites.find("img_lamp_gear")) s->patternIndex = lamps.gearPattern;
}

}  // namespace tovra
