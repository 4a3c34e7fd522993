#include "demo-gen/DemoSet.h"

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
constexpr int kStampVersion = 1;

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

    // Reports each video every few hundred frames.
    const auto videoProgress = [&](const std::string& name, int done, int total) {
        progress.line(name + ".avi " + std::to_string(done) + "/" + std::to_string(total) +
                      " frames");
    };
    JobPool jobs;
    for (const RunPlan* run : {&plan.down, &plan.up})
        jobs.add(run->videoName + ".avi",
                 [&, run] { writeRunVideo(folder, plan, *run, scene, video, videoProgress); });
    for (const SubVideo& sub : plan.subVideos)
        jobs.add(sub.name + ".avi", [&, sub] {
            writeSubVideo(folder, plan, sub, scene, art.get(), video, videoProgress);
        });
    jobs.add("route sounds", [&] { writeRouteSounds(folder, plan, speech, quick); });
    jobs.add("call-outs", [&] { writeCalloutSounds(folder, plan, speech); });
    jobs.add("title pictures", [&] {
        writeTitlePictures(folder, plan, scene, !quick);
        writeOpeningStills(folder, plan, scene, video);
    });
    for (const VehicleDesign& v : vehicleDesigns()) {
        jobs.add("sounds of " + v.fileName, [&, v] { writeVehicleSounds(folder, v, quick); });
        jobs.add(v.fileName + " and its panel", [&, v] {
            const PanelLayout layout = panelLayout(v);
            writePanelPictures(folder, v, layout);
            writeVehicleFile(folder, v, layout);
        });
    }
    jobs.add("route pictures", [&] { writeRoutePictures(folder, plan); });
    jobs.add("settings and route files", [&] {
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
