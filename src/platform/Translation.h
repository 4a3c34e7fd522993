#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class QTranslator;

namespace tovra {

// Japanese is the program's own language; English comes from a catalogue.
enum class Language { Japanese, English };

// "ja" and "en", as --lang and the stored choice spell them.
std::optional<Language> languageNamed(std::string_view name);
const char* languageName(Language language);

// Japanese when the desktop's first user-interface language (Qt's reading of
// LANGUAGE, LC_ALL, LC_MESSAGES and LANG) is Japanese, English otherwise.
Language desktopLanguage();

// Removes "--lang ja|en" from the arguments and returns its language.
// Throws std::invalid_argument for a missing or unknown value.
std::optional<Language> takeLanguageOption(std::vector<std::string>& args);

// Where the catalogues lie beside the program, in the build and installed
// alike: <program folder>/../share/tovra/translations.
std::filesystem::path translationsFolder();

// Loads Qt's own texts (standard buttons, edit menus) in `language` from the
// catalogues of Qt's translations package. English is Qt's own language:
// false, as when the package is missing.
bool loadQtTexts(QTranslator& into, Language language);

// Makes tr() and uiText() answer in `language`, and Qt's own texts follow
// where Qt has a catalogue. Japanese needs no catalogue of ours; false (and
// the Japanese texts) when the English one cannot be loaded.
bool useLanguage(Language language);

// The language useLanguage made the program speak; Japanese before it.
Language activeLanguage();

}  // namespace tovra
