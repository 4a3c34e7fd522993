#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <chrono>
#include <ctime>
#include <fstream>
#include <iostream>
#include <deque>
#include <memory>
#include <mutex>
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
#include "remote/CommandKeys.h"
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

// Commands from the server's thread, applied by the loop between ticks.
class CommandInbox {
  public:
    void add(remote::RemoteCommand command) {
        const std::lock_guard lock(mutex_);
        commands_.push_back(std::move(command));
    }
    std::deque<remote::RemoteCommand> take() {
        const std::lock_guard lock(mutex_);
        return std::exchange(commands_, {});
    }

  private:
    std::mutex mutex_;
    std::deque<remote::RemoteCommand> commands_;
};

// Resident memory of this process in MB, from /proc.
double residentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// `--stats` of a run at the wall clock's pace: every 10 s how late the
// physics ticks began after they came due, how long the work of a period
// took, the memory, and the remote server's counters, on stderr.
class PaceStats {
  public:
    using Clock = std::chrono::steady_clock;
    explicit PaceStats(Clock::time_point start) : last_(start) {}

    void tick(Clock::duration late, Clock::duration work) {
        worstLate_ = std::max(worstLate_, late);
        sumLate_ += late;
        worstWork_ = std::max(worstWork_, work);
        ++ticks_;
    }
    void reportIfDue(Clock::time_point now, const RemoteEndpoint* remote) {
        if (now - last_ < std::chrono::seconds(10) || ticks_ == 0) return;
        const auto ms = [](Clock::duration d) {
            return std::chrono::duration<double, std::milli>(d).count();
        };
        char line[256];
        std::snprintf(line, sizeof line,
                      "tovra-sim: %ld ticks, physics ticks up to %.2f ms late (mean %.3f ms), "
                      "tick work up to %.2f ms, memory %.1f MB",
                      ticks_, ms(worstLate_), ms(sumLate_) / double(ticks_), ms(worstWork_),
                      residentMegabytes());
        std::cerr << line << (remote ? ", " + remote->statsText() : std::string()) << std::endl;
        last_ = now;
        worstLate_ = worstWork_ = sumLate_ = {};
        ticks_ = 0;
    }

  private:
    Clock::time_point last_;
    Clock::duration worstLate_{}, sumLate_{}, worstWork_{};
    long ticks_ = 0;
};

}  // namespace

int runCommand(const std::vector<std::string>& args, const SoundDeviceFactory& realSound,
               const VideoMeasure& measureVideo, const RemoteFactory& remoteFactory) {
    std::vector<std::string> known = kRunChoiceOptions;
    known.insert(known.end(), {"script", "seconds", "trace", "trace-every", "events", "seed",
                               "sound", "report", "remote", "remote-token"});
    const Options options(args, known, {"until-end", "trace-panel", "realtime", "stats"});
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

    // Real sound plays in real time: the ticks keep pace with the wall clock.
    const bool realtime = options.has("realtime") || device;
    if (options.has("remote") && !options.has("realtime"))
        throw std::invalid_argument("--remote needs --realtime");
    if (options.has("remote-token") && !options.has("remote"))
        throw std::invalid_argument("--remote-token needs --remote");
    if (options.has("stats") && !realtime) throw std::invalid_argument("--stats needs --realtime");
    if (options.has("remote") && !remoteFactory)
        throw std::invalid_argument("this build has no remote interface");

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

    CommandInbox inbox;
    std::unique_ptr<RemoteEndpoint> remote;
    std::optional<remote::SnapshotTaker> snapshots;
    std::int64_t commandsApplied = 0;
    ScriptKeys keys(*run);
    if (options.has("remote")) {
        snapshots.emplace(run->cab);
        remote = remoteFactory(options.text("remote"), options.text("remote-token"),
                               [&inbox](remote::RemoteCommand c) { inbox.add(std::move(c)); });
    }

    const long periods = long(seconds * SimClock::kPeriodsPerSecond + 0.5);
    std::size_t next = 0;
    long logicTicks = 0;
    using Clock = std::chrono::steady_clock;
    const auto wallStart = Clock::now();
    std::optional<PaceStats> stats;
    if (options.has("stats")) stats.emplace(wallStart);
    for (long i = 0; i < periods; ++i) {
        Clock::time_point began{};
        Clock::duration late{};
        if (realtime) {
            const auto due = wallStart + std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(double(i) /
                                                                           SimClock::kPeriodsPerSecond));
            std::this_thread::sleep_until(due);
            began = Clock::now();
            late = began - due;
        }
        // Commands of the remote interface, through the keyboard's own path.
        for (const remote::RemoteCommand& command : inbox.take()) {
            remote::applyCommand(command, keys, run->cab);
            commandsApplied = command.sequence;
        }
        while (next < script.size() && script[next].seconds <= run->clock.seconds())
            play(script[next++], *run);
        deliverPosted(*run);
        run->scheduler.step();
        if (remote) remote->publish(snapshots->take(run->cab, run->clock.periods(), commandsApplied));
        if (stats) {
            const auto now = Clock::now();
            stats->tick(late, now - began);
            stats->reportIfDue(now, remote.get());
        }
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
