// The saved driving state: what is read is written back and read again alike.
#include <cstdlib>
#include <string_view>

#include "common/DataError.h"
#include "run/SavedState.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tovra::SavedState state;
    try {
        state = tovra::parseSavedState(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const tovra::ReadFailure&) {
        return 0;
    }
    // A state the program accepted must survive its own save.
    const tovra::SavedState again = tovra::parseSavedState(tovra::formatSavedState(state));
    if (again.station != state.station || again.frame != state.frame ||
        again.clock != state.clock || again.preTrainFrame != state.preTrainFrame)
        std::abort();
    return 0;
}
