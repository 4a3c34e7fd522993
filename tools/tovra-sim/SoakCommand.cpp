#include <sys/resource.h>

#include <iostream>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "Commands.h"
#include "Options.h"
#include "RunChoiceOptions.h"
#include "ScriptPlayer.h"
#include "SoakChecks.h"
#include "common/TextCodec.h"
#include "common/TextFields.h"
#include "headless/HeadlessRun.h"
#include "cab/SerialInput.h"

namespace tovra::sim {

namespace {

// The keys a driver presses most, then any printable character.
constexpr std::string_view kDrivingChars = "12345890wtfbnrdcz ";
const char* const kVirtualKeys[] = {
    "F1",  "F2",  "F3",    "F4",        "F5",     "F6",       "F7",         "F8", "F9",  "F10",
    "F11", "F12", "Enter", "Backspace", "PageUp", "PageDown", "ScrollLock", "Up", "Down"};

// Inputs of every kind, drawn from one seeded generator so that a breach
// comes back with the same seed.
class RandomInputs {
  public:
    explicit RandomInputs(unsigned seed) : random_(seed) {}

    // Plays one input; true when it was the reset key, pressed at rest with
    // the brake at emergency.
    bool playOne(HeadlessRun& run) {
        Cab& cab = run.cab;
        switch (below(10)) {
            case 0:
            case 1:
            case 2: {
                const char c = below(4) > 0 ? kDrivingChars[below(kDrivingChars.size())]
                                            : char(' ' + below(95));
                const bool reset = c == 'r' && resetApplies(cab);
                play({0, "char", {c == ' ' ? "space" : std::string(1, c)}}, run);
                return reset;
            }
            case 3: {
                std::vector<std::string> args{kVirtualKeys[below(std::size(kVirtualKeys))]};
                if (below(2) == 0) args.push_back("shift");
                play({0, "key", args}, run);
                if (below(2) == 0) play({0, "keyup", {args[0]}}, run);
                return false;
            }
            case 4:
                play({0, "wheel", {below(2) == 0 ? "up" : "down"}}, run);
                return false;
            case 5:
                play({0, "hold", {below(2) == 0 ? "3" : "4", below(2) == 0 ? "on" : "off"}}, run);
                return false;
            case 6:
                if (!cab.mascon.entries.empty() && below(2) == 0) {
                    const std::string& entry = cab.mascon.entries[below(cab.mascon.entries.size())];
                    RxChar(cab, utf8ToCp932(entry) + "\r");
                } else {
                    RxChar(cab, garbage());
                }
                return false;
            case 7:
            case 8:
                play({0,
                      "pad",
                      {std::to_string(between(-70000, 70000)),
                       std::to_string(between(-70000, 70000)), std::to_string(below(65536))}},
                     run);
                return false;
            default:
                playMenu(run);
                return false;
        }
    }

  private:
    std::size_t below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }
    long between(long low, long high) {
        return std::uniform_int_distribution<long>(low, high)(random_);
    }

    std::string garbage() {
        std::string bytes(below(40) + 1, '\0');
        for (char& b : bytes) b = char(below(256));
        if (below(2) == 0) bytes += '\r';
        return bytes;
    }

    // Menus with what they offer and with what they do not: slots never
    // saved, stations outside the line, every controller type.
    void playMenu(HeadlessRun& run) {
        const long stations = long(run.cab.route.Stations.size());
        switch (below(5)) {
            case 0:
                // Pausing is rare, so that most of the run is driven.
                if (below(20) == 0) play({0, "menu", {"start"}}, run);
                break;
            case 1:
                play({0, "menu", {"save", std::to_string(1 + below(3))}}, run);
                break;
            case 2:
                play({0, "menu", {"restore", std::to_string(1 + below(3))}}, run);
                break;
            case 3:
                play({0, "menu", {"move", std::to_string(between(-2, stations + 2))}}, run);
                break;
            default:
                play({0, "menu", {"controller", std::to_string(below(4))}}, run);
                break;
        }
    }

    std::mt19937 random_;
};

long peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

}  // namespace

int soakCommand(const std::vector<std::string>& args) {
    std::vector<std::string> known = kRunChoiceOptions;
    known.insert(known.end(), {"hours", "seed"});
    const Options options(args, known, {});
    const double hours = options.number("hours", 1);
    if (!(hours > 0)) throw std::invalid_argument("--hours must be above 0");
    const long seed = options.integer("seed", 1);
    const RunChoice choice = runChoice(options);
    if (choice.routeFile.empty()) throw std::invalid_argument("--route is required");

    ChannelGuard guard;
    auto run = std::make_unique<HeadlessRun>(choice, unsigned(seed), &guard);
    guard.wrap(run->sound);
    run->cab.load();

    RandomInputs inputs{static_cast<unsigned>(seed)};
    std::bernoulli_distribution inputNow(1.0 / 10);  // three inputs a second on average
    std::mt19937 timing{static_cast<unsigned>(seed) ^ 0x9E3779B9u};
    const long periods = long(hours * 3600 * SimClock::kPeriodsPerSecond + 0.5);
    const long periodsPerHour = 3600L * SimClock::kPeriodsPerSecond;
    const auto breach = [&](long tick, const std::string& what) {
        std::cerr << "soak: breach at tick " << tick << " (" << formatFixed(run->clock.seconds(), 2)
                  << " s simulated), seed " << seed << ": " << what << '\n';
        return 3;
    };

    for (long tick = 1; tick <= periods; ++tick) {
        if (inputNow(timing) && inputs.playOne(*run)) {
            if (auto what = resetBreach(run->cab)) return breach(tick, *what);
        }
        deliverPosted(*run);
        const bool ticking = run->cab.physicsTimerRunning();
        const std::int32_t clock = run->cab.state.Clock;
        run->scheduler.step();
        if (auto what = stateBreach(run->cab)) return breach(tick, *what);
        if (ticking && run->cab.physicsTimerRunning()) {
            if (auto what = clockBreach(clock, run->cab.state.Clock)) return breach(tick, *what);
        }
        if (guard.breach()) return breach(tick, *guard.breach());
        if (tick % periodsPerHour == 0) {
            std::cerr << "soak: " << tick / periodsPerHour << " h simulated, position "
                      << formatFixed(run->cab.state.Position / 100, 0) << " m, peak memory "
                      << peakMegabytes() << " MB\n";
        }
    }
    std::cout << "soak: " << choice.routeFile << " with " << choice.vehicleFile << ": "
              << formatGeneral(hours, 6) << " h simulated with seed " << seed
              << ", no breach, position " << formatFixed(run->cab.state.Position / 100, 0)
              << " m, peak memory " << peakMegabytes() << " MB\n";
    return 0;
}

}  // namespace tovra::sim
