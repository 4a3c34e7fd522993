#include "report/ReportText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tovra {

void appendFixed(std::string& out, double v, int places) {
    if (!std::isfinite(v)) v = 0;
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, places).ptr;
    std::string_view text(buffer, std::size_t(end - buffer));
    // "-0.0" reads as a sign the value does not have.
    if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string_view::npos)
        text.remove_prefix(1);
    out += text;
}

std::string fixedText(double v, int places) {
    std::string out;
    appendFixed(out, v, places);
    return out;
}

void appendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                // Control characters are not allowed in XML at all.
                if (static_cast<unsigned char>(c) >= 0x20 || c == '\n' || c == '\t') out += c;
        }
    }
}

std::string clockText(std::int32_t clock) {
    const std::int32_t seconds = ((clock / 30) % 86400 + 86400) % 86400;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", int(seconds / 3600), int(seconds / 60 % 60),
                  int(seconds % 60));
    return text;
}

}  // namespace tovra
