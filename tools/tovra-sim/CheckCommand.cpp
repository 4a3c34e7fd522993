#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Commands.h"
#include "Options.h"
#include "RunChoiceOptions.h"
#include "cab/LoadingSequence.h"
#include "cab/StartState.h"
#include "common/DataError.h"
#include "common/DataPath.h"
#include "common/UiText.h"
#include "data/ControllerFiles.h"
#include "data/ProgramSettings.h"
#include "data/RouteLoader.h"
#include "data/SegmentOverlaps.h"
#include "data/VehicleLoader.h"
#include "headless/FakeSoundDevice.h"
#include "headless/FakeVideoSource.h"
#include "headless/HeaderPictureDecoder.h"
#include "headless/HeadlessRun.h"
#include "sound/CabSounds.h"
#include "sound/DeviceFit.h"
#include "view/CabPictures.h"

namespace tovra::sim {

namespace {

// Collects the problems of one check, printing each as it is found: the
// message the program shows, then where it comes from.
class Problems {
  public:
    // Runs `check`; a DataError it throws is reported with `where` before its
    // detail.
    template <typename Check>
    void attempt(const std::string& where, Check&& check) {
        try {
            check();
        } catch (const DataError& error) {
            report(error.what(), where.empty() ? error.detail() : where + ": " + error.detail());
        }
    }

    void report(const std::string& message, const std::string& detail) {
        ++count_;
        std::cerr << message << '\n';
        if (!detail.empty()) std::cerr << "  " << detail << '\n';
    }

    int count() const { return count_; }

  private:
    int count_ = 0;
};

// Everything the pictures, sounds and videos of a run are checked with.
struct Probes {
    explicit Probes(const VideoMeasure& measureVideo) : video(measureVideo) {}
    HeaderPictureDecoder pictures;
    SimClock clock;
    FakeSoundDevice sound{clock};
    FakeVideoSource video;
};

void checkPictures(Problems& problems, Probes& probes, const std::string& where,
                   const std::vector<PictureFile>& files) {
    for (const PictureFile& file : files)
        problems.attempt(where, [&] { decodePicture(probes.pictures, file); });
}

void checkPictures(Problems& problems, Probes& probes, const std::string& where,
                   const std::vector<PictureSpec>& requests) {
    std::vector<PictureFile> files;
    for (const PictureSpec& request : requests) files.push_back(request.source);
    checkPictures(problems, probes, where, files);
}

// Every wave is read, whatever channel the run would give it.
void checkSounds(Problems& problems, Probes& probes, const std::string& where,
                 const std::vector<SoundFile>& sounds) {
    for (const SoundFile& sound : sounds)
        problems.attempt(where, [&] { loadWave(probes.sound, sound); });
}

void checkVideo(Problems& problems, Probes& probes, const std::string& where,
                const std::filesystem::path& dataDir, const std::string& base) {
    const std::string path = videoDataPath(dataDir, base);
    const std::filesystem::path file = resolveDataPath(dataDir, path);
    if (!probes.video.open(file))
        problems.report(uiText("LoadingSequence", kVideoOpenError) + path,
                        where + ": " + path + ": not a readable video");
}

void checkVehicle(Problems& problems, Probes& probes, const VehicleSpec& vehicle,
                  const RunChoice& choice) {
    const std::string& where = choice.vehicleFile;
    const std::filesystem::path dir = vehicleFolder(choice);
    checkPictures(problems, probes, where, vehiclePatternPictures(vehicle, dir));
    checkPictures(problems, probes, where, vehiclePanelPictures(vehicle, dir));
    const ChannelLayout layout;  // only the files matter here
    checkSounds(problems, probes, where, runningSounds(vehicle, dir, layout));
    checkSounds(problems, probes, where, motorAndEngineSounds(vehicle, dir, layout));
    problems.attempt(where, [&] { checkBrakeSteps(vehicle); });
}

void checkRoute(Problems& problems, Probes& probes, const RouteSpec& route,
                const ProgramSettings& settings, const RunChoice& choice) {
    const std::string& where = choice.routeFile;
    const std::filesystem::path& dir = choice.dataDir;
    checkPictures(problems, probes, where, routePictures(route, dir, settings));
    checkPictures(problems, probes, where, imageListFiles(route, dir));
    checkPictures(problems, probes, where, staffPictureFiles(route, dir));
    if (!route.OpeningImage.empty()) {
        checkPictures(
            problems, probes, where,
            std::vector<PictureFile>{
                {resolveDataPath(dir, route.OpeningImage), route.OpeningImage, "[Staf]",
                 fillIn(uiText("CabPictures", "%1が見つかりません"), {route.OpeningImage})}});
    }
    checkVideo(problems, probes, where + ": [DataName]", dir, settings.VideoDir + route.DataName);
    for (const MovieSwitch& movie : route.MovieSwitches)
        checkVideo(problems, probes, where + ": [MovieSwitch]", dir,
                   settings.VideoDir + movie.File);
    const ChannelLayout layout;  // only the files matter here
    checkSounds(problems, probes, where, routeSounds(route, dir, layout));
    checkSounds(problems, probes, where, calloutSounds(route, dir));
}

// Each overlap by file and line; a long run of them is summed up after the first few.
void checkSpeedUnits(Problems& problems, const RouteSpec& route,
                     const std::vector<std::size_t>& lines, const std::string& where) {
    constexpr std::size_t kShown = 10;
    const std::vector<SegmentOverlap> overlaps = overlappingSegments(route.SpeedUnits);
    const auto frames = [](const SpeedUnit& u) {
        return "frames " + std::to_string(u.FirstFrame) + "-" + std::to_string(u.LastFrame);
    };
    for (std::size_t k = 0; k < std::min(overlaps.size(), kShown); ++k) {
        const SegmentOverlap& o = overlaps[k];
        problems.report("overlapping [SpeedUnit] segments",
                        where + ":" + std::to_string(lines[o.later]) + ": " +
                            frames(route.SpeedUnits[o.later]) + " overlap " +
                            frames(route.SpeedUnits[o.earlier]) + " of line " +
                            std::to_string(lines[o.earlier]));
    }
    if (overlaps.size() > kShown) {
        problems.report("overlapping [SpeedUnit] segments",
                        where + ": " + std::to_string(overlaps.size() - kShown) + " more");
    }
}

void checkChannels(Problems& problems, const VehicleSpec& vehicle, const RouteSpec& route) {
    problems.attempt("", [&] { requireFitsDevice(channelLayout(vehicle, route)); });
}

// With every file in order, the whole loading sequence as the program runs it.
void checkLoading(Problems& problems, const RunChoice& choice, const VideoMeasure& measureVideo) {
    auto run = std::make_unique<HeadlessRun>(choice, 1, nullptr, measureVideo);
    problems.attempt("", [&] { run->cab.load(); });
}

}  // namespace

int checkCommand(const std::vector<std::string>& args, const VideoMeasure& measureVideo) {
    const Options options(args, kRunChoiceOptions, {});
    const RunChoice choice = runChoice(options);
    const std::filesystem::path& data = choice.dataDir;
    Problems problems;
    Probes probes(measureVideo);
    ProgramSettings settings;
    problems.attempt(
        "", [&] { settings = loadProgramSettings(resolveDataPath(data, "velmoran.dat")); });
    problems.attempt("", [&] { loadMasconTable(resolveDataPath(data, "mascon.dat")); });

    if (options.has("route") || options.has("vehicle")) {
        std::optional<VehicleSpec> vehicle;
        problems.attempt("", [&] {
            vehicle = loadVehicleSpec(resolveDataPath(vehicleFolder(choice), choice.vehicleFile));
        });
        if (vehicle) checkVehicle(problems, probes, *vehicle, choice);
        if (options.has("route")) {
            std::optional<RouteSpec> route;
            std::vector<std::size_t> segmentLines;
            problems.attempt("", [&] {
                route = loadRouteSpec(resolveDataPath(data, choice.routeFile), choice.vehicleFile,
                                      &segmentLines);
            });
            if (route) {
                checkRoute(problems, probes, *route, settings, choice);
                checkSpeedUnits(problems, *route, segmentLines, choice.routeFile);
            }
            if (vehicle && route) checkChannels(problems, *vehicle, *route);
            if (problems.count() == 0) checkLoading(problems, choice, measureVideo);
        }
    }

    if (problems.count() > 0) {
        std::cerr << "check: " << problems.count() << " problem(s) found\n";
        return 2;
    }
    std::cout << "check: " << data.string() << ": no problems found\n";
    return 0;
}

}  // namespace tovra::sim
