#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace tovra {

// The catalogue lookup the host installs: the text in the player's language,
// or an empty string when the catalogue has none.
using UiTranslator = std::string (*)(const char* context, const char* source);

// Makes uiText answer from `translator`; null goes back to the source texts.
void setUiTranslator(UiTranslator translator);

// A text the core composes for the player, written in Japanese at the call.
// Without a translator (the default, and tovra-sim unless asked) it is the
// source itself, so traces stay as they were.
std::string uiText(const char* context, const char* source);

// Marks a source text kept in a constant for the catalogue; uiText with the
// same context translates it where it is shown.
constexpr const char* uiTextMark(const char* /*context*/, const char* source) {
    return source;
}

// `text` with %1, %2, ... replaced by the values, as the translated text
// places them.
std::string fillIn(std::string_view text, std::initializer_list<std::string_view> values);
std::string fillIn(std::string_view text, std::span<const std::string_view> values);
// The same, written over `out`: a text rebuilt every tick keeps its buffer.
void fillInto(std::string& out, std::string_view text,
              std::initializer_list<std::string_view> values);
void fillInto(std::string& out, std::string_view text, std::span<const std::string_view> values);

}  // namespace tovra
