#include "sim/ProtectionLog.h"

#include <algorithm>

namespace tovra {

namespace {

bool continuesCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

void ProtectionLog::appendText(Line& line, std::string_view text) {
    if (line.cut) return;
    std::size_t take = std::min(text.size(), kLineBytes - line.length);
    // Never leave half of a multi-byte character behind.
    if (take < text.size()) {
        while (take > 0 && continuesCharacter(text[take])) --take;
        line.cut = true;
    }
    std::copy_n(text.data(), take, line.bytes.data() + line.length);
    line.length += take;
}

const ProtectionLog::Line* ProtectionLog::find(std::uint64_t sequence) const {
    if (sequence == 0 || sequence > next_ || next_ - sequence >= kLines) return nullptr;
    return &lines_[(sequence - 1) % kLines];
}

}  // namespace tovra
