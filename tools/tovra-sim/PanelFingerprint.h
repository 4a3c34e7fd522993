#pragma once

#include <cstdint>

namespace tovra {
class Cab;
}

namespace tovra::sim {

// A 64-bit digest of what the cab shows besides the traced values: every
// sprite's placement, pattern and visibility, and the texts the panel and
// labels draw. Two runs that show the same cab give the same digest; it lets a
// change that must not alter the picture be checked tick by tick.
std::uint64_t panelFingerprint(const Cab& cab);

}  // namespace tovra::sim
