#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/Currency.h"

namespace tovra {

// The one line reader of every sectioned data file. It holds the whole file
// decoded to UTF-8 and one current line; key tests look at the current line.
// Every failure (missing file, a value that does not convert, a list past its
// capacity) throws ReadFailure; the loader turns it into its file's message.
class DataFileReader {
public:
    void open(const std::filesystem::path& path);
    // For tests and generated text: the same reading over text already decoded.
    void openText(std::string text);
    void close();

    bool at_end() const { return next_ >= lines_.size(); }
    // The next line becomes the current line; past the end it is empty.
    void read_line();
    bool starts_with(std::string_view key) const;
    const std::string& line() const { return current_; }
    // 1-based number of the current line (0 before the first read).
    std::size_t lineNumber() const { return next_; }
    const std::filesystem::path& path() const { return path_; }
    // "file:line: cause" for a failure met while reading this file.
    std::string describe(const std::exception& failure) const;

    // Fixed value lines: read the next line and convert it.
    std::int32_t read_integer();
    Extended read_decimal();
    Currency read_fixed();
    std::string read_text();
    // A value line that may be ";" for "no value" (stored as 0).
    std::int32_t read_optional_integer();
    Extended read_optional_decimal();

    enum class Unclosed { EndsList, IsError };
    // Reads list lines up to one beginning with "#" and calls each(index) with
    // the current line holding the entry. More than `capacity` entries is a
    // failure; so is the end of the file when `unclosed` says so. Returns the
    // count of entries.
    template <typename Each>
    std::size_t read_list(std::size_t capacity, Unclosed unclosed, Each&& each) {
        std::size_t count = 0;
        for (;;) {
            if (at_end()) {
                if (unclosed == Unclosed::IsError) failUnclosed();
                return count;
            }
            read_line();
            if (!current_.empty() && current_.front() == '#') return count;
            if (count == capacity) failCapacity(capacity);
            each(count);
            ++count;
        }
    }

    // The line list of a file without keys: lines up to "#" or the end.
    static std::vector<std::string> readLineList(const std::filesystem::path& path,
                                                 std::size_t capacity);

private:
    [[noreturn]] void failUnclosed() const;
    [[noreturn]] void failCapacity(std::size_t capacity) const;

    std::filesystem::path path_;
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    std::string current_;
};

}  // namespace tovra
