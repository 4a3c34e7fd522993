#include "support/QuickDemo.h"

#include <sstream>
#include <stdexcept>

#include "demo-gen/DemoSet.h"
#include "support/TempDir.h"

namespace tovra::test {

const std::filesystem::path& quickDemo() {
    static TempDir folder;
    static const bool written = [] {
        std::ostringstream log;
        if (!demo::writeDemoSet(folder.path(), {.quick = true}, log))
            throw std::runtime_error("the quick demo set was not written:\n" + log.str());
        return true;
    }();
    (void)written;
    return folder.path();
}

}  // namespace tovra::test
