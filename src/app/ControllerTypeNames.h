#pragma once

#include <QtGlobal>
#include <array>

namespace tovra {

// The controller types as the Controller menu names them, by PadType; the
// menu shows them translated (RunMenus' context).
inline constexpr std::array<const char*, 4> kControllerTypeNames = {
    QT_TRANSLATE_NOOP("tovra::RunMenus", "標準/VMマスコン"),
    QT_TRANSLATE_NOOP("tovra::RunMenus", "Windows用電車でGO! コントローラ"),
    QT_TRANSLATE_NOOP("tovra::RunMenus", "PS用電車でGO! コントローラ"),
    QT_TRANSLATE_NOOP("tovra::RunMenus", "三鶯重工 OHC-PC01")};

}  // namespace tovra
