#pragma once

#include "common/Numeric.h"

namespace tovra {

// Writes `value` with `places` decimals (0 to 4) and a "." point, exactly as
// the C library's "%.*Lf" does (the binary value rounded half to even, a "-"
// before a negative value even when it rounds to zero), without going through
// printf. Returns the end of what it wrote, or nullptr, having written
// nothing, for a value it leaves to printf: not finite, tiny below the
// normal range, or of 2^63 and above. `out` has room for 32 characters.
char* fixedDigits(char* out, Extended value, int places);

}  // namespace tovra
