#pragma once

#include <algorithm>
#include <string_view>

namespace tovra {

// File and picture names compare without regard to ASCII letter case.
inline bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace tovra
