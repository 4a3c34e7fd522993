#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace tovra {

// A data file that cannot be used. The message is what the user sees; the
// detail (file, line and cause) is for a data author checking files.
class DataError : public std::runtime_error {
public:
    explicit DataError(const std::string& message, std::string detail = {})
        : std::runtime_error(message), detail_(std::move(detail)) {}
    const std::string& detail() const { return detail_; }

private:
    std::string detail_;
};

// A line that does not hold what its reader expected (a number, a field).
// Loaders turn it into the DataError of their file.
class ReadFailure : public std::runtime_error {
public:
    explicit ReadFailure(const std::string& why) : std::runtime_error(why) {}
};

}  // namespace tovra
