#include "demo-gen/Videos.h"

#include <algorithm>

#include "demo-gen/DataText.h"
#include "demo-gen/ImageFiles.h"
#include "demo-gen/Renderer.h"
#include "demo-gen/RoutePictures.h"
#include "demo-gen/SceneArt.h"
#include "demo-gen/VideoEncoder.h"

namespace tovra::demo {

namespace {

std::filesystem::path videoFile(const std::filesystem::path& root, const std::string& name) {
    return root / "move" / (name + ".avi");
}

// A frame that only has to exist: grey, a little lighter as the film goes on.
void plainFrame(RgbImage& image, int width, int height, int frame) {
    if (image.width != width || image.height != height) image = RgbImage(width, height);
    std::fill(image.pixels.begin(), image.pixels.end(), std::uint8_t(60 + frame % 120));
}

}  // namespace

Scene trainScene(const LineWorld& world, const SceneArt& art, int track, double front,
                 int direction, int cars) {
    Scene s;
    s.world = &world;
    const double rear = front - direction * 20.0 * cars;
    const double from = std::min(front, rear), to = std::max(front, rear);
    for (double side : {-1.45, 1.45}) {
        const int faces = side < 0 ? -1 : 1;
        s.walls.push_back({from,
                           to,
                           {track, side},
                           0.95,
                           4.0,
                           4.0,
                           faces,
                           Surface::TrainSide,
                           rgb(196, 200, 206)});
        s.walls.push_back({from,
                           to,
                           {track, side * 0.9},
                           0.3,
                           0.95,
                           0.95,
                           faces,
                           Surface::Flat,
                           rgb(44, 44, 46)});
    }
    s.boards.push_back({front, {track, 0}, 2.95, 0.3, 4.1, -direction, art.named("train_front")});
    s.boards.push_back({rear, {track, 0}, 2.95, 0.3, 4.1, direction, art.named("train_rear")});
    return s;
}

void writeRunVideo(const std::filesystem::path& root, const LinePlan& plan, const RunPlan& run,
                   const Scene& scene, const VideoSettings& settings,
                   const VideoProgress& progress) {
    VideoEncoder encoder(videoFile(root, run.videoName), settings.width, settings.height,
                         settings.quality);
    RgbImage image;
    std::unique_ptr<Renderer> renderer;
    if (settings.render)
        renderer = std::make_unique<Renderer>(scene, settings.width, settings.height);
    for (int frame = 0; frame < run.frameCount; ++frame) {
        if (renderer)
            renderer->render(viewAt(plan, run, frame), image);
        else
            plainFrame(image, settings.width, settings.height, frame);
        encoder.add(image);
        progress(run.videoName, frame, run.frameCount);
    }
    encoder.finish();
    progress(run.videoName, run.frameCount, run.frameCount);
}

void writeSubVideo(const std::filesystem::path& root, const LinePlan& plan, const SubVideo& video,
                   const Scene& scene, const SceneArt* art, const VideoSettings& settings,
                   const VideoProgress& progress) {
    VideoEncoder encoder(videoFile(root, video.name), settings.width, settings.height,
                         settings.quality);
    RgbImage image;
    std::unique_ptr<Renderer> renderer;
    if (settings.render && art)
        renderer = std::make_unique<Renderer>(scene, settings.width, settings.height);
    const RunPlan& run = plan.down;
    constexpr double kSpeed = 22.0;  // m/s, the other train
    constexpr int kMeet = 200;       // the oncoming train's cab passes ours at this frame
    for (int k = 0; k < video.frameCount; ++k) {
        if (!renderer) {
            plainFrame(image, settings.width, settings.height, k);
        } else if (video.mode == 2) {
            // Standing at the stop on the loop; a train runs through on the main line.
            const ViewPoint view = viewAt(plan, run, video.firstFrame);
            const Scene train =
                trainScene(plan.world, *art, 0, view.chainage - 80 + kSpeed * k / 30.0, 1, 10);
            ViewPoint still = view;
            still.filmFrame = k;
            renderer->render(still, image, &train);
        } else {
            const ViewPoint view = viewAt(plan, run, video.firstFrame + k);
            const double meet = viewAt(plan, run, video.firstFrame + kMeet).chainage;
            const Scene train =
                trainScene(plan.world, *art, 1, meet + kSpeed * (kMeet - k) / 30.0, -1, 10);
            renderer->render(view, image, &train);
        }
        encoder.add(image);
        progress(video.name, k, video.frameCount);
    }
    encoder.finish();
    progress(video.name, video.frameCount, video.frameCount);
}

void writeOpeningStills(const std::filesystem::path& root, const LinePlan& plan, const Scene& scene,
                        const VideoSettings& settings) {
    std::unique_ptr<Renderer> renderer;
    if (settings.render) renderer = std::make_unique<Renderer>(scene, 800, 450);
    for (const ServicePlan& s : plan.services) {
        const RunPlan& run = plan.run(s.dir);
        RgbImage image;
        if (renderer)
            renderer->render(viewAt(plan, run, 0), image);
        else
            plainFrame(image, 800, 450, 0);
        writeJpeg(onDisk(root, routePictures(s).opening), image);
    }
}

}  // namespace tovra::demo
