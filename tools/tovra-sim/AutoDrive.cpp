#include "AutoDrive.h"

#include <chrono>
#include <cmath>
#include <iomanip>
#include <memory>

#include "AutoDriver.h"
#include "headless/HeadlessRun.h"
#include "cab/KeyInput.h"
#include "view/KeptPictures.h"

namespace tovra::sim {

namespace {

using WallClock = std::chrono::steady_clock;

double secondsSince(WallClock::time_point start) {
    return std::chrono::duration<double>(WallClock::now() - start).count();
}

int stopsWorked(const Cab& cab) {
    int n = 0;
    for (const StationProgress& p : cab.stations.progress) n += p.doorsOpenedHere ? 1 : 0;
    return n;
}

// The stops from the start of an ended run on whose doors nothing happened.
int stopsMissed(const Cab& cab) {
    if (!cab.stations.runEnded) return 0;
    int n = 0;
    const auto& stations = cab.route.Stations;
    for (std::size_t j = std::size_t(cab.stations.startStation); j < stations.size(); ++j) {
        const bool stop = stations[j].kind == 0 || stations[j].kind == 2;
        n += stop && !cab.stations.progress[j].doorsOpenedHere ? 1 : 0;
    }
    return n;
}

// Rounded down, so that playback types it after the same tick.
void writeScriptLine(std::ostream& out, std::int64_t periods, char key) {
    const double micro = std::floor(double(periods) * 1e6 / SimClock::kPeriodsPerSecond);
    out << std::fixed << std::setprecision(6) << micro / 1e6 << " char "
        << (key == ' ' ? std::string("space") : std::string(1, key)) << '\n';
}

}  // namespace

AutoDriveResult autoDrive(const RunChoice& choice, unsigned seed, double seconds,
                          std::ostream* record) {
    AutoDriveResult result;
    const long periods = long(seconds * SimClock::kPeriodsPerSecond + 0.5);
    long done = 0;
    HeaderPictureDecoder pictureFiles;
    KeptPictures pictures(pictureFiles);
    while (done < periods) {
        auto start = WallClock::now();
        auto run = std::make_unique<HeadlessRun>(choice, seed, nullptr, VideoMeasure{}, &pictures);
        run->cab.load();
        ++result.runs;
        result.loadWallSeconds += secondsSince(start);

        start = WallClock::now();
        AutoDriver driver;
        const Extended startPosition = run->cab.state.Position;
        bool protecting = false;
        for (; done < periods && !run->cab.stations.runEnded; ++done) {
            run->scheduler.step();
            if (run->clock.periods() % SimClock::kPeriodsPerLogicTick != 0) continue;
            ++result.logicTicks;
            const bool brakes = run->cab.state.ProtectEmergency || run->cab.state.ProtectService;
            if (brakes && !protecting) ++result.protectionBrakes;
            protecting = brakes;
            const auto key = driver.decide(run->cab);
            if (!key) continue;
            AsciiDown(run->cab, *key);
            // Only the first run can be played back from a script.
            if (record && result.runs == 1) writeScriptLine(*record, run->clock.periods(), *key);
        }
        result.tickWallSeconds += secondsSince(start);
        result.stops += stopsWorked(run->cab);
        result.missedStops += stopsMissed(run->cab);
        result.distanceMetres += double(run->cab.state.Position - startPosition) / 100;
    }
    result.simulatedSeconds = double(done) / SimClock::kPeriodsPerSecond;
    return result;
}

}  // namespace tovra::sim
