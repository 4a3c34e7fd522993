#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <stdexcept>

namespace tovra::demo {

struct DemoOptions {
    bool force = false;  // write the set even when it is complete
    bool quick = false;  // tiny videos, short sounds, tones for speech: a set for tests
    int threads = 0;     // 0: one per processor
    // Called from the working threads with the share of the work done, 0 to 1.
    std::function<void(double)> progress = nullptr;
    // Asked before every step and video frame; true stops the work.
    std::function<bool()> cancelled = nullptr;
};

// Thrown by writeDemoSet when `cancelled` said stop; the folder is left incomplete.
struct DemoCancelled : std::runtime_error {
    DemoCancelled() : std::runtime_error("the demo set was cancelled") {}
};

// The file that marks a complete set: what wrote it and every file with its size.
inline constexpr const char* kStampFile = "tovra-demo.stamp";

// True when `folder` holds a complete set of the same kind (full or quick)
// written by this version of the generator.
bool demoSetComplete(const std::filesystem::path& folder, bool quick);

// Writes the demo data set into `folder`, reporting progress on `log`.
// Returns false, having done nothing, when the set is complete and `force`
// is not set. Throws on failure.
bool writeDemoSet(const std::filesystem::path& folder, const DemoOptions& options,
                  std::ostream& log);

}  // namespace tovra::demo
