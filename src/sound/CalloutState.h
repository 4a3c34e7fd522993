#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace tovra {

// The call-out queue at run time: waves of the sound device waiting for the
// call-out channel, head first. The queue does not own the waves.
struct CalloutState {
    static constexpr std::size_t kSlots = 12;
    using Queue = std::array<std::optional<int>, kSlots>;
    Queue CalloutQueue{};
    bool CalloutAdding = false;
    bool CalloutStarted = false;  // the head is on the channel
    // Running counts of call-outs queued and put on the channel, for
    // observers: the newest `added` entries always sit at the tail.
    std::uint64_t added = 0;
    std::uint64_t started = 0;
};

}  // namespace tovra
