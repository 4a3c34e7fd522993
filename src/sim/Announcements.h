#pragma once

namespace tovra {

class Cab;

// The announcements before and after stations and the overrun announcement,
// every logic tick before the station pass.
void play_announcements(Cab& cab);

// One-man operation: "c"/"1" plays the entry at announcePos, "-" steps back.
void next_one_man_announcement(Cab& cab);
void previous_one_man_announcement(Cab& cab);

}  // namespace tovra
