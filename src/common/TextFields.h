#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/Currency.h"

namespace tovra {

// Field n (from 1) of a comma-separated line, untrimmed; "Error" when the line
// has fewer than n fields.
std::string CsvField(std::string_view line, int n);

// Field n of a line that must have at least n fields; throws ReadFailure
// otherwise (where CsvField would give the text "Error").
std::string textField(std::string_view line, int n);

// Strict conversions; each throws ReadFailure on anything that is not a number
// of its kind (the empty text included).
std::int32_t parseInteger(std::string_view text);  // leading blanks only
Extended parseDecimal(std::string_view text);      // blanks around allowed
Currency parseFixed(std::string_view text);        // rounded to 4 places, halves to even;
                                                   // refused beyond the 64-bit count's range

// Numbers read and written here never follow the user's locale: a data file
// or a saved state means the same under every language setting.
// `places` decimals with a "." point, right-aligned to at least `width`.
std::string formatFixed(Extended value, int places, int width = 0);
// At most `digits` significant digits, as the "%g" of the C locale.
std::string formatGeneral(double value, int digits);

// A path written with "\" split at its last "\": selector 0 the folder (with the
// trailing "\"), 1 the file name.
std::string splitPath(std::string_view path, int selector);

}  // namespace tovra
