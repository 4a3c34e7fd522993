#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "PictureMotion.h"

namespace tovra::author {

struct VideoFacts {
    int frameCount = 0;
    double fps = 30;
};

using Progress = std::function<void(int done, int total)>;

// Throws std::runtime_error when FFmpeg cannot decode the file.
VideoFacts probeVideo(const std::filesystem::path& file);

// The ground's motion into every frame (see MotionMeter), decoding the video
// once from start to end; the meter starts again at each of `standing`
// frames, where the train stands.
std::vector<double> measureMotion(const std::filesystem::path& file, const MotionBand& band,
                                  const std::vector<int>& standing, const Progress& progress);

// Pictures of the given frames, as decoded (empty for a frame that fails).
std::vector<Image> framePictures(const std::filesystem::path& file, const std::vector<int>& frames);

}  // namespace tovra::author
