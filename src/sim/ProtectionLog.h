#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tovra {

// The protection's messages for the value display and the event log. The
// latest lines stay in a fixed ring, each with a running number, so that a
// reader picks up what it has not seen yet. A line keeps its text's source
// and its numbers; the reader composes it in the player's language, so the
// tick never allocates.
class ProtectionLog {
  public:
    static constexpr std::size_t kLines = 64;
    static constexpr std::size_t kMaxValues = 3;
    // The catalogue context of every line's source text.
    static constexpr const char* kTextContext = "ProtectionLog";

    struct Line {
        std::uint64_t sequence = 0;  // 0: never written
        const char* source = "";     // a literal; %1, %2, ... stand for the values
        std::array<std::int64_t, kMaxValues> values{};
        std::size_t valueCount = 0;
        // The line in the player's language, the numbers filled in.
        std::string text() const;
    };

    // Appends one line. `source` is a literal marked with
    // uiTextMark(ProtectionLog::kTextContext, ...).
    void add(const char* source, std::integral auto... values) {
        static_assert(sizeof...(values) <= kMaxValues);
        Line& line = lines_[next_ % kLines];
        line.source = source;
        line.values = {std::int64_t(values)...};
        line.valueCount = sizeof...(values);
        line.sequence = ++next_;
    }

    // Number of the newest line; 0 before the first.
    std::uint64_t lastSequence() const { return next_; }
    // The line with this number while the ring still holds it.
    const Line* find(std::uint64_t sequence) const;

  private:
    std::array<Line, kLines> lines_{};
    std::uint64_t next_ = 0;
};

}  // namespace tovra
