#include "common/UiText.h"

namespace tovra {

namespace {
UiTranslator installed = nullptr;
}

void setUiTranslator(UiTranslator translator) {
    installed = translator;
}

std::string uiText(const char* context, const char* source) {
    if (installed) {
        std::string translated = installed(context, source);
        if (!translated.empty()) return translated;
    }
    return source;
}

std::string fillIn(std::string_view text, std::initializer_list<std::string_view> values) {
    return fillIn(text, std::span(values.begin(), values.size()));
}

std::string fillIn(std::string_view text, std::span<const std::string_view> values) {
    std::string out;
    fillInto(out, text, values);
    return out;
}

void fillInto(std::string& out, std::string_view text,
              std::initializer_list<std::string_view> values) {
    fillInto(out, text, std::span(values.begin(), values.size()));
}

void fillInto(std::string& out, std::string_view text, std::span<const std::string_view> values) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t number =
            i + 1 < text.size() ? std::size_t(text[i + 1] - '1') : values.size();
        if (text[i] == '%' && number < values.size() && number < 9) {
            out += values[number];
            ++i;
        } else {
            out += text[i];
        }
    }
}

}  // namespace tovra
