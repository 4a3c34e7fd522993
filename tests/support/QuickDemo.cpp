#include "support/QuickDemo.h"

#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "demo-gen/DemoSet.h"
#include "support/TempDir.h"

namespace tovra::test {

namespace {

namespace fs = std::filesystem;

void writeQuickSet(const fs::path& folder) {
    std::ostringstream log;
    if (!demo::writeDemoSet(folder, {.quick = true}, log))
        throw std::runtime_error("the quick demo set was not written:\n" + log.str());
}

// The build names a folder that the test processes share: the first one
// writes the set beside it and moves it into place in one step.
fs::path sharedSet(const fs::path& target) {
    if (demo::demoSetComplete(target, true)) return target;
    const fs::path staging = target.string() + "." + std::to_string(getpid());
    fs::remove_all(staging);
    writeQuickSet(staging);
    std::error_code error;
    fs::rename(staging, target, error);
    if (error) fs::remove_all(staging);  // another process was first
    return target;
}

}  // namespace

const fs::path& quickDemo() {
    static const fs::path folder = [] {
        if (const char* shared = std::getenv("TOVRA_TEST_DEMO")) return sharedSet(shared);
        static TempDir own;
        writeQuickSet(own.path());
        return own.path();
    }();
    return folder;
}

}  // namespace tovra::test
