#pragma once

#include "sim/StationRecords.h"

namespace tovra {

// The announcements before and after stations and the overrun announcement,
// every logic tick before the station pass.
void play_announcements(StationRecords& r);

// One-man operation: "c"/"1" plays the entry at announcePos, "-" steps back.
void next_one_man_announcement(StationRecords& r);
void previous_one_man_announcement(StationRecords& r);

}  // namespace tovra
