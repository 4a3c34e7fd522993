#pragma once

#include <filesystem>

#include "demo-gen/LinePlan.h"

namespace tovra::demo {

// Writes the route file of one service into `root`.
void writeRouteFile(const std::filesystem::path& root, const LinePlan& plan,
                    const ServicePlan& service);

}  // namespace tovra::demo
