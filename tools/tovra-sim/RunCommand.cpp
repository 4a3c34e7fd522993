#include <fstream>
#include <iostream>
#include <memory>

#include "Commands.h"
#include "Options.h"
#include "Trace.h"
#include "headless/HeadlessRun.h"

namespace tovra::sim {

int runCommand(const std::vector<std::string>& args) {
    const Options options(args, {"data", "seconds", "trace", "trace-every", "seed"}, {});
    RunChoice choice;
    choice.dataDir = options.required("data");
    const double seconds = options.number("seconds", 60);
    const long every = options.integer("trace-every", 1);
    if (every < 1) throw std::invalid_argument("--trace-every must be at least 1");

    auto run = std::make_unique<HeadlessRun>(choice, unsigned(options.integer("seed", 1)));
    run->cab.load();

    std::ofstream file;
    std::ostream* out = nullptr;
    if (options.has("trace")) {
        if (options.text("trace") == "-") {
            out = &std::cout;
        } else {
            file.open(options.text("trace"));
            if (!file) throw std::invalid_argument("cannot write " + options.text("trace"));
            out = &file;
        }
    }
    Trace trace(*(out ? out : &std::cout));
    if (out) trace.writeHeader();

    const long periods = long(seconds * SimClock::kPeriodsPerSecond + 0.5);
    long logicTicks = 0;
    for (long i = 0; i < periods; ++i) {
        run->scheduler.step();
        if (run->clock.periods() % SimClock::kPeriodsPerLogicTick == 0 && ++logicTicks % every == 0 && out)
            trace.writeRow(run->clock.seconds(), run->cab);
    }
    std::cerr << "run: " << choice.dataDir.string() << ": " << seconds << " s simulated, "
              << logicTicks << " logic ticks\n";
    return 0;
}

}  // namespace tovra::sim
