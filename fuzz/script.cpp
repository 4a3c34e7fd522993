// The script reader of `tovra-sim run`.
#include <sstream>
#include <stdexcept>
#include <string>

#include "Script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    try {
        tovra::sim::parseScript(in);
    } catch (const std::invalid_argument&) {
    }
    return 0;
}
