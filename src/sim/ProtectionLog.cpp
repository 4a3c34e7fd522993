#include "sim/ProtectionLog.h"

#include <span>
#include <string_view>

#include "common/UiText.h"

namespace tovra {

std::string ProtectionLog::Line::text() const {
    std::array<std::string, kMaxValues> numbers;
    std::array<std::string_view, kMaxValues> filled;
    for (std::size_t i = 0; i < valueCount; ++i) {
        numbers[i] = std::to_string(values[i]);
        filled[i] = numbers[i];
    }
    return fillIn(uiText(kTextContext, source), std::span(filled.data(), valueCount));
}

const ProtectionLog::Line* ProtectionLog::find(std::uint64_t sequence) const {
    if (sequence == 0 || sequence > next_ || next_ - sequence >= kLines) return nullptr;
    return &lines_[(sequence - 1) % kLines];
}

}  // namespace tovra
