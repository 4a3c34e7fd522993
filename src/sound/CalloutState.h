#pragma once

#include <array>
#include <cstddef>
#include <optional>

namespace tovra {

// The call-out queue at run time: waves of the sound device waiting for the
// call-out channel, head first. The queue does not own the waves.
struct CalloutState {
    static constexpr std::size_t kSlots = 12;
    std::array<std::optional<int>, kSlots> CalloutQueue{};
    bool CalloutAdding = false;
    bool CalloutStarted = false;  // the head is on the channel
};

}  // namespace tovra
