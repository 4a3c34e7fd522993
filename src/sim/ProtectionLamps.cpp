#include "sim/Cab.h"
#include "sim/ProtectionParts.h"

namespace tovra {

void showSprite(Cab& cab, std::string_view name, bool visible) {
    if (Sprite* sprite = cab.sprites.find(name)) sprite->visible = visible;
}

// White: protection in order; red: the bell's alarm.
void showProtectionLamps(Cab& cab, bool white, bool red) {
    showSprite(cab, "img_Lamp_Ats1", white);
    showSprite(cab, "img_Lamp_Ats2", red);
}

// Pattern approach, and the pattern's brake.
void showPatternLamps(Cab& cab, bool pattern, bool brake) {
    showSprite(cab, "img_Lamp_Atsp1", pattern);
    showSprite(cab, "img_Lamp_Atsp2", brake);
}

}  // namespace tovra
