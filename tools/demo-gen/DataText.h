#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace tovra::demo {

// A decimal with exactly `decimals` places ("12.50"), never "-0.00".
std::string decimal(double value, int decimals);

inline std::string field(const std::string& s) {
    return s;
}
inline std::string field(std::string_view s) {
    return std::string(s);
}
inline std::string field(const char* s) {
    return s;
}
template <typename Int>
requires std::is_integral_v<Int> std::string field(Int v) {
    return std::to_string(v);
}

// Comma-separated record: csv(12, "a.wav", 3) gives "12,a.wav,3".
template <typename... Fields>
std::string csv(const Fields&... fields) {
    std::string out;
    bool first = true;
    ((out += first ? "" : ",", first = false, out += field(fields)), ...);
    return out;
}

// The text of one data file, built line by line in UTF-8 and written in code
// page 932 with CR LF line ends.
class DataText {
  public:
    DataText& line(std::string_view text = {});
    // A key followed by its value lines.
    DataText& section(std::string_view key, const std::vector<std::string>& values);
    // A list key, its entries and the closing "#" line.
    DataText& list(std::string_view key, const std::vector<std::string>& entries);

    const std::vector<std::string>& lines() const { return lines_; }
    void save(const std::filesystem::path& file) const;

  private:
    std::vector<std::string> lines_;
};

// The file a data-file path ("image\\title\\line01.bmp") names under `root`.
std::filesystem::path onDisk(const std::filesystem::path& root, std::string_view dataPath);

// Writes bytes to a file, creating its folder.
void saveBytes(const std::filesystem::path& file, std::string_view bytes);

}  // namespace tovra::demo
