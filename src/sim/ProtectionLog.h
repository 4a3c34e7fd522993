#pragma once

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

namespace tovra {

// The protection's messages for the value display and the event log. The
// latest lines stay in a fixed ring, each with a running number, so that a
// reader picks up what it has not seen yet and the tick never allocates.
class ProtectionLog {
  public:
    static constexpr std::size_t kLines = 64;
    static constexpr std::size_t kLineBytes = 120;

    struct Line {
        std::uint64_t sequence = 0;  // 0: never written
        std::array<char, kLineBytes> bytes{};
        std::size_t length = 0;
        bool cut = false;  // a part did not fit: the rest is left out
        std::string_view text() const { return {bytes.data(), length}; }
    };

    // Appends one line made of texts and integers, cut short (at a whole
    // character) when it would not fit.
    template <class... Parts>
    void add(const Parts&... parts) {
        Line& line = lines_[next_ % kLines];
        line.length = 0;
        line.cut = false;
        (append(line, parts), ...);
        line.sequence = ++next_;
    }

    // Number of the newest line; 0 before the first.
    std::uint64_t lastSequence() const { return next_; }
    // The line with this number while the ring still holds it.
    const Line* find(std::uint64_t sequence) const;

  private:
    static void appendText(Line& line, std::string_view text);
    template <class T>
    static void append(Line& line, const T& part) {
        if constexpr (std::is_integral_v<T>) {
            std::array<char, 24> digits{};
            const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), part).ptr;
            appendText(line, {digits.data(), std::size_t(end - digits.data())});
        } else {
            appendText(line, std::string_view(part));
        }
    }

    std::array<Line, kLines> lines_{};
    std::uint64_t next_ = 0;
};

}  // namespace tovra
