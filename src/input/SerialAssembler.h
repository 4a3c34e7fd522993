#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tovra {

// Cuts the serial controller's byte stream into messages, each ended by a
// carriage return. A chunk may hold part of a message, or several.
class SerialAssembler {
  public:
    // Longer than any controller message; a stream that never sends a
    // carriage return cannot grow the buffer past it.
    static constexpr std::size_t kMaxMessage = 256;

    SerialAssembler() { buffer_.reserve(kMaxMessage + 1); }

    // Calls `message` with every message the chunk completes, carriage return
    // included. Bytes past kMaxMessage are dropped up to the next carriage
    // return: only a message's start is ever compared, so it stays intact.
    void receive(std::string_view chunk, const std::function<void(std::string_view)>& message);

    // Bytes waiting for their carriage return.
    std::size_t pending() const { return buffer_.size(); }
    // Forgets a message cut off by a lost connection.
    void clear() { buffer_.clear(); }

  private:
    std::string buffer_;
};

}  // namespace tovra
