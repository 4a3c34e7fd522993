#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <iostream>
#include <memory>
#include <thread>

#include "Commands.h"
#include "EventLog.h"
#include "Options.h"
#include "RunChoiceOptions.h"
#include "RunEvents.h"
#include "Script.h"
#include "ScriptPlayer.h"
#include "Trace.h"
#include "headless/HeadlessRun.h"
#include "report/ReportFiles.h"

namespace tovra::sim {

namespace {

// Opens an output named by an option; "-" is standard output.
std::ostream* openOutput(const Options& options, const std::string& name, std::ofstream& file) {
    if (!options.has(name)) return nullptr;
    if (options.text(name) == "-") return &std::cout;
    file.open(options.text(name));
    if (!file) throw std::invalid_argument("cannot write " + options.text(name));
    return &file;
}

// The report of the run as it stands, dated by the wall clock.
void writeReport(const std::string& file, const RunChoice& choice, const Cab& cab) {
    const std::time_t now = std::time(nullptr);
    char when[32];
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", std::localtime(&now));
    const ReportSubject subject{choice.routeFile, choice.vehicleFile, cab.route.LineName, when,
                                cab.route.Stations};
    WrittenReport written;
    try {
        written = writeRunReport(file, subject, cab.runRecord.record());
    } catch (const std::runtime_error& error) {
        throw std::invalid_argument(error.what());
    }
    std::cerr << "run: report " << written.html.string() << " and " << written.csv.string()
              << ", score " << written.score << "\n";
}

}  // namespace

int runCommand(const std::vector<std::string>& args, const SoundDeviceFactory& realSound,
               const VideoMeasure& measureVideo) {
    std::vector<std::string> known = kRunChoiceOptions;
    known.insert(known.end(), {"script", "seconds", "trace", "trace-every", "events", "seed",
                               "sound", "report"});
    const Options options(args, known, {"until-end", "trace-panel"});
    const bool untilEnd = options.has("until-end");
    // With --until-end the run stops when it ends, or after S seconds at most.
    const double seconds = options.number("seconds", untilEnd ? 4 * 3600 : 60);
    const long every = options.integer("trace-every", 1);
    if (every < 1) throw std::invalid_argument("--trace-every must be at least 1");

    std::vector<ScriptCommand> script;
    if (options.has("script")) {
        std::ifstream in(options.text("script"));
        if (!in) throw std::invalid_argument("cannot read " + options.text("script"));
        script = parseScript(in);
    }

    std::ofstream traceFile, eventFile;
    std::ostream* traceOut = openOutput(options, "trace", traceFile);
    std::ostream* eventOut = openOutput(options, "events", eventFile);

    const std::string soundKind = options.text("sound", "fake");
    if (soundKind != "fake" && soundKind != "openal")
        throw std::invalid_argument("--sound must be fake or openal");
    std::unique_ptr<SoundDevice> device;
    if (soundKind == "openal") {
        if (!realSound) throw std::invalid_argument("this build has no real sound device");
        device = realSound();
    }

    const RunChoice choice = runChoice(options);
    if (choice.routeFile.empty()) throw std::invalid_argument("--route is required");
    auto run = std::make_unique<HeadlessRun>(choice, unsigned(options.integer("seed", 1)),
                                             device.get(), measureVideo);
    std::unique_ptr<EventLog> events;
    RunEventWatcher watcher;
    if (eventOut) {
        events = std::make_unique<EventLog>(*eventOut);
        run->sound.setListener([&events, &run](const FakeSoundDevice::Operation& op) {
            events->soundOperation(op.time, op.channel, op.name, op.value,
                                   run->sound.fileName(op.channel));
        });
        run->host.setMessageListener([&events, &run](const std::string& text) {
            events->message(run->clock.seconds(), text);
        });
    }
    run->cab.load();

    Trace trace(traceOut ? *traceOut : std::cout, options.has("trace-panel"));
    if (traceOut) trace.writeHeader();

    const long periods = long(seconds * SimClock::kPeriodsPerSecond + 0.5);
    std::size_t next = 0;
    long logicTicks = 0;
    // Real sound plays in real time: the ticks keep pace with the wall clock.
    const auto wallStart = std::chrono::steady_clock::now();
    for (long i = 0; i < periods; ++i) {
        while (next < script.size() && script[next].seconds <= run->clock.seconds())
            play(script[next++], *run);
        deliverPosted(*run);
        run->scheduler.step();
        if (device)
            std::this_thread::sleep_until(wallStart +
                                          std::chrono::duration<double>(run->clock.seconds()));
        if (run->clock.periods() % SimClock::kPeriodsPerLogicTick != 0) continue;
        if (events) watcher.afterLogicTick(*run, *events);
        if (++logicTicks % every == 0 && traceOut) trace.writeRow(run->clock.seconds(), run->cab);
        if (untilEnd && run->cab.stations.runEnded) break;
    }
    std::cerr << "run: " << choice.dataDir.string() << " " << choice.routeFile << " with "
              << choice.vehicleFile << ": " << seconds << " s simulated, " << logicTicks
              << " logic ticks, position " << double(run->cab.state.Position) / 100 << " m\n";
    if (options.has("report")) writeReport(options.text("report"), choice, run->cab);
    return 0;
}

}  // namespace tovra::sim
