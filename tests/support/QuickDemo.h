#pragma once

#include <filesystem>

namespace tovra::test {

// The quick demo data set (tiny videos, short sounds), written once per test
// process into a temporary folder.
const std::filesystem::path& quickDemo();

}  // namespace tovra::test
