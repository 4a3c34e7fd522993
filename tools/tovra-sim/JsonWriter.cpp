#include "JsonWriter.h"

#include <charconv>
#include <cmath>

#include "EventLog.h"

namespace tovra::sim {

void JsonWriter::newline() {
    out_ << '\n';
    for (std::size_t i = 0; i < empty_.size(); ++i) out_ << "  ";
}

void JsonWriter::beginValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!empty_.empty()) {
        if (!empty_.back()) out_ << ',';
        empty_.back() = false;
        newline();
    }
}

void JsonWriter::open(char bracket) {
    beginValue();
    out_ << bracket;
    empty_.push_back(true);
}

void JsonWriter::close(char bracket) {
    const bool wasEmpty = empty_.back();
    empty_.pop_back();
    if (!wasEmpty) newline();
    out_ << bracket;
    if (empty_.empty()) out_ << '\n';
}

void JsonWriter::key(std::string_view name) {
    beginValue();
    out_ << jsonString(std::string(name)) << ": ";
    afterKey_ = true;
}

void JsonWriter::value(const std::string& text) {
    beginValue();
    out_ << jsonString(text);
}

void JsonWriter::value(std::int64_t number) {
    beginValue();
    out_ << number;
}

void JsonWriter::value(long double number) {
    constexpr long double kExactInteger = 9007199254740992.0L;  // 2^53
    if (std::isfinite(number) && number == std::trunc(number) &&
        std::fabs(number) < kExactInteger) {
        value(static_cast<std::int64_t>(number));
        return;
    }
    beginValue();
    if (!std::isfinite(number)) {
        out_ << "null";
        return;
    }
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(number));
    out_.write(buffer, result.ptr - buffer);
}

void JsonWriter::value(bool flag) {
    beginValue();
    out_ << (flag ? "true" : "false");
}

}  // namespace tovra::sim
