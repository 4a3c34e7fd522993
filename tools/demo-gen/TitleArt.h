#pragma once

#include <filesystem>

#include "demo-gen/LinePlan.h"
#include "demo-gen/Scene.h"

namespace tovra::demo {

// The title screen's pictures: four title pictures and the menu picture
// (JPEG, rendered views of the line with lettering), the three route buttons
// and the train button (BMP). Without `render`, plain backgrounds.
void writeTitlePictures(const std::filesystem::path& root, const LinePlan& plan, const Scene& scene,
                        bool render);

}  // namespace tovra::demo
