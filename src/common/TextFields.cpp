#include "common/TextFields.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "common/DataError.h"
#include "common/FixedDigits.h"

namespace tovra {

std::string CsvField(std::string_view line, int n) {
    std::string_view rest = line;
    std::string_view result;
    while (n > 0) {
        const auto comma = rest.find(',');
        if (comma == std::string_view::npos) {
            return n == 1 ? std::string(rest) : std::string("Error");
        }
        result = rest.substr(0, comma);
        rest = rest.substr(comma + 1);
        --n;
    }
    return std::string(result);
}

std::string textField(std::string_view line, int n) {
    const auto fields = std::count(line.begin(), line.end(), ',') + 1;
    if (n > fields)
        throw ReadFailure("'" + std::string(line) + "' has no field " + std::to_string(n));
    return CsvField(line, n);
}

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view skipLeadingBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::string_view trimBlanks(std::string_view text) {
    text = skipLeadingBlanks(text);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

[[noreturn]] void notA(const char* kind, std::string_view text) {
    throw ReadFailure("'" + std::string(text) + "' is not " + kind);
}

// Sign, digits with at most one ".", optional exponent: nothing else.
bool isDecimalSyntax(std::string_view t) {
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    bool digits = false;
    while (i < t.size() && isDigit(t[i])) ++i, digits = true;
    if (i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && isDigit(t[i])) ++i, digits = true;
    }
    if (!digits) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        bool expDigits = false;
        while (i < t.size() && isDigit(t[i])) ++i, expDigits = true;
        if (!expDigits) return false;
    }
    return i == t.size();
}

}  // namespace

std::int32_t parseInteger(std::string_view text) {
    const std::string_view t = skipLeadingBlanks(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
    if (i == t.size()) notA("an integer", text);
    std::int64_t value = 0;
    for (; i < t.size(); ++i) {
        if (!isDigit(t[i])) notA("an integer", text);
        value = value * 10 + (t[i] - '0');
        if (value > 2147483648LL) notA("a 32-bit integer", text);
    }
    if (negative) value = -value;
    if (value > 2147483647LL) notA("a 32-bit integer", text);
    return static_cast<std::int32_t>(value);
}

Extended parseDecimal(std::string_view text) {
    std::string_view t = trimBlanks(text);
    if (!isDecimalSyntax(t)) notA("a number", text);
    if (t.front() == '+') t.remove_prefix(1);  // from_chars takes no plus sign
    Extended v = 0;
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (error != std::errc() || end != t.data() + t.size()) notA("a number in range", text);
    return v;
}

Currency parseFixed(std::string_view text) {
    // Through the decimal value, as the store into a fixed-point variable
    // does; a count of ten-thousandths must stay inside 64 bits.
    constexpr Extended kLargest = 9.0e14L;
    const Extended value = parseDecimal(text);
    if (std::fabs(value) > kLargest) notA("a fixed-point number in range", text);
    return Currency(value);
}

namespace {

std::string padded(const char* begin, const char* end, int width) {
    const auto length = static_cast<int>(end - begin);
    std::string out(static_cast<std::size_t>(std::max(0, width - length)), ' ');
    return out.append(begin, end);
}

}  // namespace

std::string formatFixed(Extended value, int places, int width) {
    char buffer[128];
    if (const char* end = fixedDigits(buffer, value, places)) return padded(buffer, end, width);
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, places);
    if (result.ec != std::errc())  // beyond about 10^100: with an exponent
        result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific,
                               places);
    return padded(buffer, result.ptr, width);
}

std::string formatGeneral(double value, int digits) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, digits);
    return std::string(buffer, result.ptr);
}

std::string splitPath(std::string_view path, int selector) {
    const auto slash = path.rfind('\\');
    if (slash == std::string_view::npos) return selector == 0 ? std::string() : std::string(path);
    return selector == 0 ? std::string(path.substr(0, slash + 1))
                         : std::string(path.substr(slash + 1));
}

}  // namespace tovra
