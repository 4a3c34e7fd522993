#pragma once

#include <array>

namespace tovra {

// The controller types as the Controller menu names them, by PadType.
inline constexpr std::array<const char*, 4> kControllerTypeNames = {
    "標準/VMマスコン", "Windows用電車でGO! コントローラ", "PS用電車でGO! コントローラ",
    "三鶯重工 OHC-PC01"};

}  // namespace tovra
