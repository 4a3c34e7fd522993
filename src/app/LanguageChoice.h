#pragma once

#include <optional>

#include "platform/Translation.h"

class QMenu;
class QWidget;

namespace tovra {

class SettingsStore;

// The language chosen in the Display menu, kept with the display options;
// absent while the program follows the desktop.
inline constexpr const char* kLanguageKey = "Language";

// --lang, else the language chosen in the Display menu, else the desktop's.
Language programLanguage(std::optional<Language> option, const SettingsStore& store);

// The Display menu's language items: the desktop's, Japanese, English. A
// choice is stored at once and speaks from the next start on.
QMenu* addLanguageMenu(QMenu* display, SettingsStore& store, QWidget* parent);

}  // namespace tovra
