#include "data/RouteSections.h"

#include <algorithm>
#include <cmath>

#include "common/DataError.h"

namespace tovra::route {

std::string textField(std::string_view line, int n) {
    const auto fields = std::count(line.begin(), line.end(), ',') + 1;
    if (n > fields) throw ReadFailure("the entry has no field " + std::to_string(n));
    return CsvField(line, n);
}

Currency fixedField(std::string_view text) {
    // A fixed-point count of ten-thousandths must stay inside 64 bits.
    constexpr Extended kLargest = 9.0e14L;
    const Extended value = parseDecimal(text);
    if (std::fabs(value) > kLargest) throw ReadFailure("'" + std::string(text) + "' is too large");
    return Currency(value);
}

void ensureRoom(std::size_t count, std::size_t capacity) {
    if (count >= capacity) {
        throw ReadFailure("a list holds more than " + std::to_string(capacity) + " entries");
    }
}

void readIntegerValues(DataFileReader& r, std::vector<std::int32_t>& table, std::size_t capacity) {
    readList(r, table, capacity,
             [](std::string_view line) { return parseInteger(CsvField(line, 1)); });
}

void readFileNames(DataFileReader& r, std::vector<std::string>& table, std::size_t capacity) {
    readList(r, table, capacity, [](std::string_view line) { return CsvField(line, 1); });
}

}  // namespace tovra::route
