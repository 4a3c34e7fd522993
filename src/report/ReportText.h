#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tovra {

// `v` with `places` decimals, in the "C" locale whatever the user's is.
void appendFixed(std::string& out, double v, int places);
std::string fixedText(double v, int places);

// Text made safe inside XML elements and attribute values.
void appendEscaped(std::string& out, std::string_view text);

// "HH:MM:SS" of a clock in 1/30 s since midnight.
std::string clockText(std::int32_t clock);

}  // namespace tovra
