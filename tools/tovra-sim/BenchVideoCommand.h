#pragma once

#include <string>
#include <vector>

namespace tovra::sim {

// tovra-sim bench-video FILE: speed of the real video source against
// FFmpeg's own decoder. Links the platform library, so it lives outside the
// commands library that the core tests use.
int benchVideoCommand(const std::vector<std::string>& args);

}  // namespace tovra::sim
