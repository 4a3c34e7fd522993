#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "PictureMotion.h"
#include "platform/VideoDecoder.h"

namespace tovra::author {

struct VideoFacts {
    int frameCount = 0;
    // The rate frames are numbered at, from the first picture's timestamp:
    // frame n shows what was filmed n / fps seconds in, whatever the rate
    // the pictures came at.
    double fps = 30;
    int rotation = 0;  // degrees clockwise the stored pictures are turned to be seen
    int width = 0;     // of the pictures as stored
    int height = 0;
};

using Progress = std::function<void(int done, int total)>;

// The pictures of a video by frame number, turned upright as its rotation
// says (a phone stores a portrait or upside-down film as it was sensed).
class UprightFrames {
  public:
    // Throws std::runtime_error when FFmpeg cannot decode the file.
    explicit UprightFrames(const std::filesystem::path& file);
    const VideoFacts& facts() const { return facts_; }
    // Pictures no longer than `side` pixels either way from now on, shrunk
    // as they are decoded.
    void limitSize(int side);
    bool decode(int frame, Image& out);

  private:
    VideoDecoder decoder_;
    VideoFacts facts_;
    Image stored_;
};

// `image` turned by `degrees` clockwise (0, 90, 180 or 270).
Image turnedClockwise(const Image& image, int degrees);

// Throws std::runtime_error when FFmpeg cannot decode the file.
VideoFacts probeVideo(const std::filesystem::path& file);

// The ground's motion into every frame (see MotionMeter), decoding the video
// once from start to end; the meter starts again at each of `standing`
// frames, where the train stands. A frame number without a picture of its
// own (a stream of variable rate) shares the motion to the next picture.
std::vector<double> measureMotion(const std::filesystem::path& file, const MotionBand& band,
                                  const std::vector<int>& standing, const Progress& progress);

// Pictures of the given frames, upright (empty for a frame that fails).
std::vector<Image> framePictures(const std::filesystem::path& file, const std::vector<int>& frames);

}  // namespace tovra::author
