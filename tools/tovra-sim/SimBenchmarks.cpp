#include "SimBenchmarks.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "AutoDrive.h"
#include "AutoDriver.h"
#include "demo-gen/DemoSet.h"
#include "headless/HeadlessRun.h"
#include "cab/KeyInput.h"
#include "report/ReportFiles.h"
#include "run/MoveToStation.h"
#include "view/KeptPictures.h"

namespace tovra::sim {

namespace {

namespace fs = std::filesystem;

constexpr const char* kRoute = "line_rapid_down.dat";
constexpr const char* kManySignalsRoute = "line_bench_signals.dat";
constexpr int kManySignals = 500;
constexpr double kSecondsPerIteration = 600;

// A folder of its own under the system's temporary folder, removed at the end.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string name = (fs::temp_directory_path() / "tovra-bench-XXXXXX").string();
        if (!mkdtemp(name.data())) throw std::runtime_error("cannot make a temporary folder");
        path_ = name;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

std::string readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The demo route with its signals replaced by `count` block signals spread
// evenly over the stretch the original signals cover.
void writeManySignalsRoute(const fs::path& folder, int count) {
    std::string text = readBytes(folder / kRoute);
    const std::string head = "[Signal]\r\n";
    const auto begin = text.find(head);
    if (begin == std::string::npos) throw std::runtime_error("the demo route has no [Signal] list");
    const auto listStart = begin + head.size();
    const auto listEnd = text.find("#\r\n", listStart);

    int first = -1, last = -1;
    std::istringstream lines(text.substr(listStart, listEnd - listStart));
    for (std::string line; std::getline(lines, line);) {
        int fields[6] = {};
        if (std::sscanf(line.c_str(), "%d,%d,%d,%d,%d,%d", &fields[0], &fields[1], &fields[2],
                        &fields[3], &fields[4], &fields[5]) != 6)
            continue;
        if (first < 0) first = fields[5];
        last = fields[5];
    }
    std::string signals;
    for (int k = 0; k < count; ++k) {
        const int frame = first + (last - first) * k / (count - 1);
        const int view = std::max(0, frame - 300), far = std::max(0, frame - 600);
        signals += "0,0,0,4," + std::to_string(view) + "," + std::to_string(frame) + "," +
                   std::to_string(far) + "," + std::to_string(std::max(0, frame - 28)) +
                   ",0,0,0,0,0,0,-1000,-1000,0,-1000,-1000,0,104,0\r\n";
    }
    text.replace(listStart, listEnd - listStart, signals);
    std::ofstream(folder / kManySignalsRoute, std::ios::binary) << text;
}

const fs::path* dataFolder = nullptr;

void driveRoute(benchmark::State& state, const char* route) {
    RunChoice choice;
    choice.dataDir = *dataFolder;
    choice.routeFile = route;
    double simulated = 0, wall = 0;
    for (auto _ : state) {
        const AutoDriveResult r = autoDrive(choice, 1, kSecondsPerIteration);
        state.SetIterationTime(r.tickWallSeconds);
        simulated += r.simulatedSeconds;
        wall += r.tickWallSeconds;
    }
    state.counters["x_real_time"] = wall > 0 ? simulated / wall : 0;
}

void BM_DriveDemoLine(benchmark::State& state) {
    driveRoute(state, kRoute);
}
void BM_DriveDemoLine500Signals(benchmark::State& state) {
    driveRoute(state, kManySignalsRoute);
}

RunChoice demoLine() {
    RunChoice choice;
    choice.dataDir = *dataFolder;
    choice.routeFile = kRoute;
    return choice;
}

// Loading alone, from the train chosen to the run ready, with the pictures
// kept from the loadings before as `bench` keeps them.
void BM_LoadDemoLine(benchmark::State& state) {
    HeaderPictureDecoder pictureFiles;
    KeptPictures pictures(pictureFiles);
    for (auto _ : state) {
        HeadlessRun run(demoLine(), 1, nullptr, VideoMeasure{}, &pictures);
        run.cab.load();
        benchmark::DoNotOptimize(run.cab.state.Position);
    }
}

// The ticks alone: one iteration is a logic tick and the physics ticks before
// it, with the built-in driver; a run that ends is loaded again off the clock.
void BM_TickDemoLine(benchmark::State& state) {
    std::unique_ptr<HeadlessRun> run;
    std::unique_ptr<AutoDriver> driver;
    const auto reload = [&] {
        run = std::make_unique<HeadlessRun>(demoLine(), 1);
        run->cab.load();
        driver = std::make_unique<AutoDriver>();
    };
    reload();
    for (auto _ : state) {
        if (run->cab.stations.runEnded) {
            state.PauseTiming();
            reload();
            state.ResumeTiming();
        }
        do run->scheduler.step();
        while (run->clock.periods() % SimClock::kPeriodsPerLogicTick != 0);
        if (const auto key = driver->decide(run->cab)) AsciiDown(run->cab, *key);
    }
    state.counters["x_real_time"] = benchmark::Counter(
        double(state.iterations()) * SimClock::kPeriodsPerLogicTick / SimClock::kPeriodsPerSecond,
        benchmark::Counter::kIsRate);
}

// An hour on the demo line: moved back to the first station whenever the run
// ends, so that the one record holds several legs.
RunRecord oneHourRecord(const RunChoice& choice) {
    HeadlessRun run(choice, 1);
    run.cab.load();
    auto driver = std::make_unique<AutoDriver>();
    for (long i = 0; i < 3600 * SimClock::kPeriodsPerSecond; ++i) {
        run.scheduler.step();
        if (run.clock.periods() % SimClock::kPeriodsPerLogicTick != 0) continue;
        if (run.cab.stations.runEnded) {
            moveToStation(run.cab, 0);
            driver = std::make_unique<AutoDriver>();
        }
        if (const auto key = driver->decide(run.cab)) AsciiDown(run.cab, *key);
    }
    return run.cab.runRecord.record();
}

void BM_WriteRunReport(benchmark::State& state) {
    RunChoice choice;
    choice.dataDir = *dataFolder;
    choice.routeFile = kRoute;
    const RunRecord record = oneHourRecord(choice);
    HeadlessRun run(choice, 1);
    run.cab.load();
    const ReportSubject subject{kRoute, choice.vehicleFile, run.cab.route.LineName,
                                "2026-01-01 12:00", run.cab.route.Stations};
    ScratchFolder folder;
    // An earlier report of the same line to find and draw, as a driver's folder has.
    writeRunReport(folder.path() / "earlier.html", subject, record);
    for (auto _ : state) writeRunReport(folder.path() / "report.html", subject, record);
    state.counters["samples"] = double(record.samples.size());
    state.counters["legs"] = record.legs;
}

}  // namespace

int simBenchmarks(const std::vector<std::string>& args) {
    ScratchFolder folder;
    std::ostringstream log;
    std::cerr << "bench: writing a quick demo set to " << folder.path().string() << "\n";
    demo::writeDemoSet(folder.path(), {.quick = true}, log);
    writeManySignalsRoute(folder.path(), kManySignals);
    dataFolder = &folder.path();

    benchmark::RegisterBenchmark("DriveDemoLine/600s", BM_DriveDemoLine)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DriveDemoLine500Signals/600s", BM_DriveDemoLine500Signals)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);

    benchmark::RegisterBenchmark("LoadDemoLine", BM_LoadDemoLine)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("TickDemoLine", BM_TickDemoLine)->Unit(benchmark::kMicrosecond);

    benchmark::RegisterBenchmark("WriteRunReport/1h", BM_WriteRunReport)
        ->Unit(benchmark::kMillisecond);

    std::vector<char*> argv{const_cast<char*>("tovra-sim")};
    std::vector<std::string> own(args);
    for (std::string& a : own) argv.push_back(a.data());
    int argc = int(argv.size());
    benchmark::Initialize(&argc, argv.data());
    if (benchmark::ReportUnrecognizedArguments(argc, argv.data())) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace tovra::sim
