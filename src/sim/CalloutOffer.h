#pragma once

#include <cstdint>

namespace tovra {

// What the sign sprite shows besides a sign's image, and what the Enter key
// is offered from it.
inline constexpr std::int32_t kNoSign = 999;
inline constexpr std::int32_t kTimeCheckMark = 900;

// The wayside call-out the Enter key may give: the sign on show or the time
// check, and the one given last, which is not given twice.
struct CalloutOffer {
    std::int32_t kankoPending = kNoSign;  // a sign's image, kTimeCheckMark or kNoSign
    std::int32_t lastKankoChannel = -1;   // the one given last with Enter; -1 none
};

}  // namespace tovra
