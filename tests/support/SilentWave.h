#pragma once

#include <cstdint>
#include <string>

namespace tovra::test {

// The bytes of a canonical 44-byte-header wave file holding `seconds` of
// 8-bit mono silence at `rate` samples a second.
std::string silentWave(double seconds, std::uint32_t rate = 22050);

}  // namespace tovra::test
