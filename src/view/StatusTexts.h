#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "sim/CalloutOffer.h"

namespace tovra {

// The application's bare title: the cab window's caption until the tick puts
// the prepared one in its place.
inline constexpr const char* kApplicationTitle = "ヴェルモラン";

// The status strings that no other subsystem owns, what the wayside sign and
// animation sprites show, and the label captions copied at the end of a tick.
struct StatusTexts {
    std::string signalText;
    std::string signalMessage;
    std::string limitText;
    std::string limitText2;
    std::string Commentary;  // "" or the code character "0" and a text
    std::string noticeText;  // the top message line

    std::int32_t shownSign = kNoSign;  // or kTimeCheckMark, or a sign's image
    std::int32_t signTimer = 0;
    std::int32_t animationTimer = 0;
    std::int32_t animationPhase = 0;
    std::int32_t shownAnimationPhase = 999;
    std::int32_t animationImage = 0;  // index into the animation image list

    static constexpr std::size_t kLabelCount = 15;
    std::array<std::string, kLabelCount> labels;  // Label0 .. Label14

    // The cab window's caption as last set through the host.
    std::string caption = kApplicationTitle;
    // The door side chosen with Page Up / Page Down, as its label shows it.
    std::string doorSideText;
    // The status bar of the easy-cab window.
    std::string easyCabDoorLine;
};

}  // namespace tovra
