#include "common/FixedDigits.h"

#include <cstdint>
#include <cstring>
#include <limits>

namespace tovra {

char* fixedDigits(char* out, Extended value, int places) {
    static_assert(std::numeric_limits<Extended>::digits == 64, "the x87 80-bit format");
    if (places < 0 || places > 4) return nullptr;
    std::uint64_t significand;
    std::uint16_t signExponent;
    std::memcpy(&significand, &value, sizeof significand);
    std::memcpy(&signExponent, reinterpret_cast<const unsigned char*>(&value) + 8,
                sizeof signExponent);
    const bool negative = signExponent & 0x8000;
    const int exponent = signExponent & 0x7FFF;
    // value = significand * 2^-shift, for zero and the normal numbers below 2^63
    const bool normal = exponent != 0 && exponent != 0x7FFF && (significand >> 63) != 0;
    if (!normal && !(exponent == 0 && significand == 0)) return nullptr;
    const int shift = normal ? 16383 + 63 - exponent : 64;
    if (shift < 1) return nullptr;

    auto scaled = static_cast<unsigned __int128>(significand);
    for (int i = 0; i < places; ++i) scaled *= 10;  // below 2^78
    unsigned __int128 units = 0;
    if (shift < 100) {
        units = scaled >> shift;
        const unsigned __int128 rest = scaled - (units << shift);
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
        if (rest > half || (rest == half && (units & 1))) ++units;
    }  // else below 2^-22 times the last place: nothing

    char digits[32];
    int count = 0;
    // Divisions of 128 bits are library calls: only while the number needs them.
    while (units > std::numeric_limits<std::uint64_t>::max()) {
        digits[count++] = char('0' + int(units % 10));
        units /= 10;
    }
    auto low = static_cast<std::uint64_t>(units);
    do {
        digits[count++] = char('0' + int(low % 10));
        low /= 10;
    } while (low != 0 || count <= places);
    if (negative) *out++ = '-';
    for (int i = count - 1; i >= 0; --i) {
        *out++ = digits[i];
        if (i == places && places > 0) *out++ = '.';
    }
    return out;
}

}  // namespace tovra
