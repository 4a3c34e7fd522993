#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tovra {

// The sprites the ticks move, turn or light, known by the names the loading
// gives them. The sprite model finds each one when it is added, so a tick
// reaches it without a look-up by name.
enum class PanelSprite : unsigned char {
    NeedleSpeed,
    DigiSpeed,
    NeedleI,
    NeedleV,
    NeedleBC,
    NeedleBP,
    NeedleMR,
    NeedleSAP,
    NeedleER,
    NeedleBCLinear,
    NeedleMRLinear,
    LampPower,
    LampGen,
    LampEle,
    LampAir,
    LampConst,
    LampFin,
    LampAts1,
    LampAts2,
    LampAtsp1,
    LampAtsp2,
    LampEB,
    LampFwd,
    LampBck,
    LampDoor,
    LampStopAlert,
    CabSignal,
    LampGear,
    PowerHandle,
    BrakeHandle,
    PowerHandle2,
    BrakeHandle2,
    GearLever,
    StopMark,
    StopLineNear,
    StopLine,
    StopLineFar,
    GradientPost,
    LimitSign,
    RemainingDistance,
    OtherSign,
    Signal,
    SignalSub0,
    SignalSub1,
    SignalSub2,
};
inline constexpr std::size_t kPanelSpriteCount = std::size_t(PanelSprite::SignalSub2) + 1;

std::string_view panelSpriteName(PanelSprite sprite);
// The panel sprite of this name (compared without regard to case), if any.
std::optional<PanelSprite> panelSpriteNamed(std::string_view name);

}  // namespace tovra
