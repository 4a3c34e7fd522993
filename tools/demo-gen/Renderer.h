#pragma once

#include <vector>

#include "demo-gen/LinePlan.h"
#include "demo-gen/RgbImage.h"
#include "demo-gen/Scene.h"

namespace tovra::demo {

// Where the camera stands and looks: on the filming train's track, looking
// along it in the direction of travel.
struct ViewPoint {
    Direction dir = Direction::Down;
    double chainage = 0;  // of the eye
    double lateral = 0;   // of the eye
    double heading = 0;   // the track's lateral change per metre there
    int filmFrame = 0;    // for lights that blink
};

// The view from the cab of the filming train at `frame` of `run`.
ViewPoint viewAt(const LinePlan& plan, const RunPlan& run, int frame);

// Draws the driver's view of a scene in perspective: sky and far hills, the
// ground with its track, level surfaces, walls along the line, boards and
// the overhead wires, with haze in the distance and darkness in tunnels.
class Renderer {
  public:
    Renderer(const Scene& scene, int width, int height);

    // `extra` holds things of this picture only (a passing train).
    void render(const ViewPoint& view, RgbImage& out, const Scene* extra = nullptr);

    int horizon() const { return horizon_; }
    double focal() const { return focal_; }

  private:
    struct Camera;
    void prepare(const ViewPoint& view);
    void skyRow(int y);
    void ground();
    void decks(const Scene& scene);
    void walls(const Scene& scene);
    void boards(const Scene& scene);
    void wires(const Scene& scene);
    void finish(RgbImage& out);

    double offAt(double z) const;
    double ezAt(double z) const;
    double light(double chainage, double z) const;
    float fogAt(double z) const;
    void shadePixel(std::size_t p, float r, float g, float b, float coverage, double z,
                    bool writeDepth);

    const Scene& scene_;
    int width_, height_, horizon_;
    double focal_, cx_;
    std::vector<float> panorama_;  // RGB, panoramaWidth_ x height_
    int panoramaWidth_ = 0;
    std::vector<float> vignette_, rowVignette_, scratch_;
    std::vector<std::vector<int>> buckets_;  // ground bands by 20 m of chainage
    double bucketStart_ = 0;

    // Per picture.
    int dir_ = 1;
    double c0_ = 0, eyeLateral_ = 0, heading_ = 0, yaw_ = 0, pitchRows_ = 0;
    int filmFrame_ = 0;
    double outsideLight_ = 1;
    bool tunnelAhead_ = false;
    struct Column {
        int t0, t1;
        float fx;
    };
    std::vector<Column> columns_;
    std::vector<double> off_, ez_;  // every half metre ahead
    std::vector<float> fog_;        // haze every metre ahead
    std::vector<double> rowDepth_;
    std::vector<float> colour_;  // RGB
    std::vector<float> depth_;
};

}  // namespace tovra::demo
