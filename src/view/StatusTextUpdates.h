#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "data/ProgramSettings.h"

namespace tovra {

class Host;
class SpriteModel;
struct CalloutOffer;
struct HandleTexts;
struct MotionState;
struct ProtectionState;
struct RouteSpec;
struct StationState;
struct StatusTexts;
struct TractionState;
struct TrainState;

// Line n (from 1, in file order) of the settings' [InfoLabel] list; empty
// when the list is shorter.
inline const std::string& infoLabelLine(const ProgramSettings& settings, std::size_t n) {
    static const std::string none;
    return n >= 1 && n <= settings.InfoLabels.size() ? settings.InfoLabels[n - 1] : none;
}

// Logic tick, after the station pass: limitText and limitText2 from the
// pattern and the wayside limits ahead.
void update_limit_text(StatusTexts& t, const TrainState& s, const ProtectionState& p,
                       const ProgramSettings& settings);

// Logic tick: the sign sprite by the signs and time-check points in view,
// and the animation sprite by the animations in view. The sign in view is
// offered for the driver's call-out.
void update_wayside_signs(SpriteModel& sprites, StatusTexts& texts, CalloutOffer& offer,
                          const RouteSpec& route, const TrainState& s);
void update_wayside_animation(StatusTexts& t, const RouteSpec& route, std::int32_t frame);
// The shown animation phase while no animation is in view.
inline constexpr std::int32_t kNoAnimationPhase = 999;

// Logic tick, after the wayside signs: the gradient post, the speed-limit
// sign, the remaining-distance display and the stop mark (TrackSigns.h).
void update_track_signs(SpriteModel& sprites, const RouteSpec& route, const TrainState& state,
                        const ProtectionState& protection, const StationState& stations);

// End of the logic tick: the fifteen labels (only while "Moji" is set), the
// window caption and the easy-cab door line.
void update_cab_labels(StatusTexts& t, const HandleTexts& h, const StationState& st,
                       const MotionState& motion, bool labelsShown, bool oneMan);
void update_window_caption(StatusTexts& t, Host& host, const RouteSpec& route);
void update_easy_cab_door_line(StatusTexts& t, const StationState& st,
                               const TractionState& traction);

// Sets the cab window's caption through the host and remembers it.
void setWindowCaption(StatusTexts& t, Host& host, const std::string& text);

}  // namespace tovra
