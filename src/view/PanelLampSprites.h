#pragma once

namespace tovra {

class SpriteModel;
struct PanelLamps;

// Puts the lamps' states on their sprites; called before anything reads the
// sprites (the end of each tick, and before drawing).
void show_panel_lamps(SpriteModel& sprites, const PanelLamps& lamps);

}  // namespace tovra
