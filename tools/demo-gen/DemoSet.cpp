#include "demo-gen/DemoSet.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "common/WaveHeader.h"
#include "demo-gen/DataText.h"
#include "demo-gen/JobPool.h"
#include "demo-gen/LinePlan.h"
#include "demo-gen/PanelArt.h"
#include "demo-gen/RouteAudio.h"
#include "demo-gen/RoutePictures.h"
#include "demo-gen/RouteSounds.h"
#include "demo-gen/RouteWriter.h"
#include "demo-gen/SceneArt.h"
#include "demo-gen/SettingsFiles.h"
#include "demo-gen/Speech.h"
#include "demo-gen/TitleArt.h"
#include "demo-gen/VehicleSounds.h"
#include "demo-gen/VehicleWriter.h"
#include "demo-gen/Videos.h"

namespace tovra::demo {

namespace {

// Raised whenever the generator's output changes, so that an older set is
// made again.
constexpr int kStampVersion = 3;

constexpr int kLogEveryFrames = 600;

std::string stampHeader(bool quick) {
    return "tovra-demo " + std::to_string(kStampVersion) + (quick ? " quick" : " full");
}

// Progress lines with the time since the start, one writer at a time.
class Progress {
  public:
    explicit Progress(std::ostream& out) : out_(out), start_(std::chrono::steady_clock::now()) {}
    void line(const std::string& text) {
        std::lock_guard lock(mutex_);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        char stamp[32];
        std::snprintf(stamp, sizeof stamp, "[%5.1fs] ", seconds);
        out_ << stamp << text << std::endl;
    }

  private:
    std::ostream& out_;
    std::chrono::steady_clock::time_point start_;
    std::mutex mutex_;
};

// The share of the work done, counted in video frames; every other job is
// worth a fixed number of frames. Also where the work hears a cancel.
class WorkMeter {
  public:
    static constexpr long kJobUnits = 300;

    explicit WorkMeter(const DemoOptions& options) : options_(options) {}
    void plan(long units) { total_ += units; }
    void add(long units) {
        const long done = done_ += units;
        if (options_.progress && total_ > 0) options_.progress(double(done) / double(total_));
    }
    void checkCancel() const {
        if (options_.cancelled && options_.cancelled()) throw DemoCancelled();
    }

  private:
    const DemoOptions& options_;
    long total_ = 0;
    std::atomic<long> done_{0};
};

// Every stop with doors must last long enough for the arrival announcement
// and then the whole departure melody, or a punctual train cannot keep time.
void checkDwellTimes(const std::filesystem::path& folder, const LinePlan& plan) {
    for (const ServicePlan& s : plan.services) {
        const RouteAudio audio = routeAudio(plan, s);
        for (std::size_t i = 1; i + 1 < s.kinds.size(); ++i) {
            if (s.kinds[i] != 0) continue;
            const auto seconds = [&](int sound) {
                return waveSeconds(onDisk(folder, audio.items[std::size_t(sound)].file));
            };
            const int needed = 30 * (seconds(audio.arrival[i]) + seconds(audio.departure[i]) + 3);
            if (s.departures[i] - s.arrivals[i] < needed)
                throw std::runtime_error(s.routeFile + ": the stop at station " +
                                         std::to_string(i) +
                                         " is shorter than its announcement and melody");
        }
    }
}

void writeStamp(const std::filesystem::path& folder, bool quick) {
    std::ostringstream text;
    text << stampHeader(quick) << '\n';
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file() || entry.path().filename() == kStampFile) continue;
        text << entry.file_size() << ' '
             << std::filesystem::relative(entry.path(), folder).generic_string() << '\n';
    }
    std::ofstream(folder / kStampFile, std::ios::binary) << text.str();
}

}  // namespace

bool demoSetComplete(const std::filesystem::path& folder, bool quick) {
    std::ifstream stamp(folder / kStampFile);
    std::string header;
    if (!std::getline(stamp, header) || header != stampHeader(quick)) return false;
    std::uintmax_t size = 0;
    std::string name;
    int files = 0;
    while (stamp >> size) {
        stamp.get();
        if (!std::getline(stamp, name)) return false;
        std::error_code ec;
        if (std::filesystem::file_size(folder / name, ec) != size || ec) return false;
        ++files;
    }
    return files > 0;
}

bool writeDemoSet(const std::filesystem::path& folder, const DemoOptions& options,
                  std::ostream& log) {
    if (!options.force && demoSetComplete(folder, options.quick)) return false;
    Progress progress(log);
    std::filesystem::create_directories(folder);
    std::filesystem::remove(folder / kStampFile);
    const bool quick = options.quick;
    progress.line(std::string("writing a ") + (quick ? "quick" : "full") + " demo set into " +
                  folder.string());

    const LinePlan& plan = linePlan();
    // The scene and its pictures are made once and then only read.
    std::unique_ptr<SceneArt> art;
    Scene scene;
    if (!quick) {
        art = std::make_unique<SceneArt>();
        scene = buildScene(plan, *art);
        progress.line("scene built: " + std::to_string(scene.boards.size()) + " boards, " +
                      std::to_string(scene.walls.size()) + " walls");
    }
    const VideoSettings video = quick ? VideoSettings{64, 36, false, 10} : VideoSettings{};
    const Speech speech(!quick);
    if (!quick && !speech.speaks())
        progress.line("espeak-ng not found: announcements and call-outs become tones");

    WorkMeter meter(options);
    // Counts every frame and logs each video every few hundred frames.
    const auto videoProgress = [&](const std::string& name, int frame, int frames) {
        if (frame < frames) {
            meter.checkCancel();
            meter.add(1);
        }
        if (frame % kLogEveryFrames == 0 || frame == frames)
            progress.line(name + ".avi " + std::to_string(frame) + "/" + std::to_string(frames) +
                          " frames");
    };
    JobPool jobs;
    // Video jobs count their own frames; the others count when they end.
    const auto addJob = [&](const std::string& name, long frames, std::function<void()> work) {
        const long units = frames > 0 ? 0 : WorkMeter::kJobUnits;
        meter.plan(frames > 0 ? frames : units);
        jobs.add(name, [&meter, units, work = std::move(work)] {
            meter.checkCancel();
            work();
            meter.add(units);
        });
    };
    for (const RunPlan* run : {&plan.down, &plan.up})
        addJob(run->videoName + ".avi", run->frameCount,
               [&, run] { writeRunVideo(folder, plan, *run, scene, video, videoProgress); });
    for (const SubVideo& sub : plan.subVideos)
        addJob(sub.name + ".avi", sub.frameCount, [&, sub] {
            writeSubVideo(folder, plan, sub, scene, art.get(), video, videoProgress);
        });
    addJob("route sounds", 0, [&] { writeRouteSounds(folder, plan, speech, quick); });
    addJob("call-outs", 0, [&] { writeCalloutSounds(folder, plan, speech); });
    addJob("title pictures", 0, [&] {
        writeTitlePictures(folder, plan, scene, !quick);
        writeOpeningStills(folder, plan, scene, video);
    });
    for (const VehicleDesign& v : vehicleDesigns()) {
        addJob("sounds of " + v.fileName, 0, [&, v] { writeVehicleSounds(folder, v, quick); });
        addJob(v.fileName + " and its panel", 0, [&, v] {
            const PanelLayout layout = panelLayout(v);
            writePanelPictures(folder, v, layout);
            writeVehicleFile(folder, v, layout);
        });
    }
    addJob("route pictures", 0, [&] { writeRoutePictures(folder, plan); });
    addJob("settings and route files", 0, [&] {
        writeSettingsFiles(folder);
        writeTitleSounds(folder, quick);
        for (const ServicePlan& s : plan.services) writeRouteFile(folder, plan, s);
    });
    const int threads = options.threads > 0
                            ? options.threads
                            : int(std::max(1u, std::thread::hardware_concurrency()));
    jobs.run(threads, [&](const std::string& name) { progress.line("done: " + name); });
    checkDwellTimes(folder, plan);
    writeStamp(folder, quick);
    progress.line("demo set complete");
    return true;
}

}  // namespace tovra::demo
