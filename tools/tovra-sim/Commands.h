#pragma once

#include <string>
#include <vector>

namespace tovra::sim {

int checkCommand(const std::vector<std::string>& args);
int runCommand(const std::vector<std::string>& args);
int tablesCommand(const std::vector<std::string>& args);

}  // namespace tovra::sim
