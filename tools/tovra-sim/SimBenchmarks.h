#pragma once

#include <string>
#include <vector>

namespace tovra::sim {

// `tovra-sim --bench [benchmark options]`: Google Benchmark measurements of
// the simulation on a quick demo set written to a temporary folder.
int simBenchmarks(const std::vector<std::string>& args);

}  // namespace tovra::sim
