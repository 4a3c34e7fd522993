#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "demo-gen/LinePlan.h"
#include "demo-gen/Scene.h"

namespace tovra::demo {

class SceneArt;

struct VideoSettings {
    int width = 800;
    int height = 450;
    bool render = true;  // false: plain frames of the right count (quick sets)
    int quality = 4;     // MPEG-4 quantiser, lower is finer
};

// Called with the video's name, the index of every frame written and the
// frame count; once more with the count as index when the file is complete.
using VideoProgress = std::function<void(const std::string&, int, int)>;

// The main video of a run: frame n is the view from the cab at the position
// the route's speed segments give for frame n.
void writeRunVideo(const std::filesystem::path& root, const LinePlan& plan, const RunPlan& run,
                   const Scene& scene, const VideoSettings& settings,
                   const VideoProgress& progress);

// A sub-video (`art` draws the other train; null when not rendering): the station video (standing
// at the stop while a train runs through on the main line) or a stretch of the line with a train
// coming the other way.
void writeSubVideo(const std::filesystem::path& root, const LinePlan& plan, const SubVideo& video,
                   const Scene& scene, const SceneArt* art, const VideoSettings& settings,
                   const VideoProgress& progress);

// The still picture each route shows before its run starts.
void writeOpeningStills(const std::filesystem::path& root, const LinePlan& plan, const Scene& scene,
                        const VideoSettings& settings);

// A train of `cars` 20 m cars on a world track, its front at `front`, going
// down (+1) or up (-1): its sides and ends, for one picture.
Scene trainScene(const LineWorld& world, const SceneArt& art, int track, double front,
                 int direction, int cars);

}  // namespace tovra::demo
