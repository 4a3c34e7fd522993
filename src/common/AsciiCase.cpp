#include "common/AsciiCase.h"

#include <cstdint>
#include <cstring>

namespace tovra {

namespace {

// Letters folded to lower case, and a few other characters with them: equal
// names still hash alike, and equality tells the rest apart.
constexpr std::uint64_t kFold = 0x2020202020202020ull;

std::uint64_t load8(const char* p) {
    std::uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v | kFold;
}

}  // namespace

// From the length and the first and last eight characters: sprite names are
// short and differ at one end or the other, and this is looked up every tick.
std::size_t IgnoringCaseHash::operator()(std::string_view name) const {
    std::uint64_t h = name.size() * 0x9E3779B97F4A7C15ull;
    if (name.size() >= 8) {
        h ^= load8(name.data());
        h = (h ^ (h >> 31)) * 0xBF58476D1CE4E5B9ull;
        h ^= load8(name.data() + name.size() - 8);
    } else {
        for (char c : name) h = (h ^ std::uint64_t(std::uint8_t(c) | 0x20)) * 0x100000001B3ull;
    }
    h = (h ^ (h >> 29)) * 0x94D049BB133111EBull;
    return std::size_t(h ^ (h >> 32));
}

}  // namespace tovra
