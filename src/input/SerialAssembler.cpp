#include "input/SerialAssembler.h"

namespace tovra {

namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';

}  // namespace

void SerialAssembler::receive(std::string_view chunk,
                              const std::function<void(std::string_view)>& message) {
    for (const char c : chunk) {
        // A controller that ends its lines with CR LF: the line feed would
        // otherwise start the next message and spoil its comparison.
        if (c == kLineFeed && buffer_.empty()) continue;
        if (c == kCarriageReturn) {
            buffer_.push_back(c);
            message(buffer_);
            buffer_.clear();
        } else if (buffer_.size() < kMaxMessage) {
            buffer_.push_back(c);
        }
    }
}

}  // namespace tovra
