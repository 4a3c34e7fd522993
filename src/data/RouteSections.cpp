#include "data/RouteSections.h"

#include <algorithm>
#include <cmath>

#include "common/DataError.h"

namespace tovra::route {

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
