#include "view/PanelLampSprites.h"

#include "sim/PanelLamps.h"
#include "view/SpriteModel.h"

namespace tovra {

namespace {

constexpr std::array<const char*, 11> kNames{
    "img_Lamp_Ats1", "img_Lamp_Ats2", "img_Lamp_Atsp1",    "img_Lamp_Atsp2",
    "img_Lamp_EB",   "img_Lamp_Fwd",  "img_Lamp_Bck",      "img_Lamp_Door",
    "img_cabsignal", "img_lamp_gear", "img_Lamp_stopalert"};

}  // namespace

void PanelLampSprites::find(const SpriteModel& sprites) {
    const auto& all = sprites.sprites();
    for (std::size_t k = 0; k < kLampCount; ++k) {
        const Sprite* sprite = sprites.find(kNames[k]);
        index_[k] = sprite ? std::size_t(sprite - all.data()) : kNone;
    }
    generation_ = sprites.generation();
}

void PanelLampSprites::show(SpriteModel& sprites, const PanelLamps& lamps) {
    if (generation_ != sprites.generation()) find(sprites);
    const auto sprite = [&](Lamp lamp) -> Sprite* {
        return index_[lamp] == kNone ? nullptr : &sprites.at(index_[lamp]);
    };
    const auto light = [&](Lamp lamp, bool lit) {
        if (Sprite* s = sprite(lamp)) s->visible = lit;
    };
    light(kAtsWhite, lamps.atsWhite);
    light(kAtsRed, lamps.atsRed);
    light(kPattern, lamps.pattern);
    light(kPatternBrake, lamps.patternBrake);
    light(kEmergency, lamps.emergency);
    light(kForward, lamps.forward);
    light(kBackward, lamps.backward);
    light(kDoorsClosed, lamps.doorsClosed);
    light(kStopAlert, lamps.stopAlert);
    if (Sprite* s = sprite(kCabSignal)) {
        s->visible = lamps.cabSignalLit;
        s->patternIndex = lamps.cabSignalPattern;
    }
    if (Sprite* s = sprite(kGear)) s->patternIndex = lamps.gearPattern;
}

}  // namespace tovra
