// The serial controller's byte stream through the message assembler, in the
// chunks a port hands over (one per input line). The messages reach a loaded
// cab in `tovra-sim soak`, which sends serial garbage among its inputs.
#include <cstdlib>
#include <string_view>

#include "input/SerialAssembler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tovra::SerialAssembler assembler;
    const auto message = [](std::string_view m) {
        // Whole messages only, each ended by its carriage return, none past the bound.
        if (m.empty() || m.back() != '\r' || m.size() > tovra::SerialAssembler::kMaxMessage + 1)
            std::abort();
    };
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    while (!rest.empty()) {
        const auto newline = rest.find('\n');
        const auto cut = newline == std::string_view::npos ? rest.size() : newline + 1;
        assembler.receive(rest.substr(0, cut), message);
        rest.remove_prefix(cut);
        if (assembler.pending() > tovra::SerialAssembler::kMaxMessage) std::abort();
    }
    return 0;
}
