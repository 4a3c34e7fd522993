#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// Makes tr() and uiText() answer in `language`. Japanese needs no catalogue;
// false (and the Japanese texts) when the English one cannot be loaded.
bool useLanguage(Language language);

// The language useLanguage made the program speak; Japanese before it.
Language activeLanguage();

}  // namespace tovra
