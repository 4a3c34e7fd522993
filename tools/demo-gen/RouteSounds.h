#pragma once

#include <filesystem>

#include "demo-gen/LinePlan.h"
#include "demo-gen/RouteAudio.h"
#include "demo-gen/Speech.h"

namespace tovra::demo {

// The line's sounds (announcements, departure melodies, platforms, passing
// trains, crossing bells, tunnel and bridge) for every route.
void writeRouteSounds(const std::filesystem::path& root, const LinePlan& plan, const Speech& speech,
                      bool quick);

// One of them, as written.
Samples routeSound(const AudioItem& item, const Speech& speech, bool quick);

// The driver's call-outs of every route.
void writeCalloutSounds(const std::filesystem::path& root, const LinePlan& plan,
                        const Speech& speech);

// The title screen's two sounds.
void writeTitleSounds(const std::filesystem::path& root, bool quick);

}  // namespace tovra::demo
