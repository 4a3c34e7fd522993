#pragma once

#include <filesystem>

namespace tovra::test {

// The quick demo data set (tiny videos, short sounds), written once: into
// the folder that TOVRA_TEST_DEMO names, shared by every test process of a
// build, or else into a temporary folder of this process.
const std::filesystem::path& quickDemo();

}  // namespace tovra::test
