#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace tovra {

// File and picture names compare without regard to ASCII letter case.
inline bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// Hash and equality of names without regard to ASCII letter case, for
// unordered containers looked up by any kind of string.
struct IgnoringCaseHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const;
};
struct IgnoringCaseEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const {
        return equalsIgnoringCase(a, b);
    }
};

}  // namespace tovra
