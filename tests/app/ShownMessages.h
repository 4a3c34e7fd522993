#pragma once

#include <QString>
#include <vector>

namespace tovra::test {

// The messages the program showed during this test run, in order.
std::vector<QString>& shownMessages();

}  // namespace tovra::test
