#pragma once

#include <memory>
#include <string>

#include "data/CabDataFixture.h"
#include "headless/HeadlessRun.h"

namespace tovra::test {

// The small data set loaded and started. Its stations, in order: 始発駅 (stop,
// 5000 cm, frame 150), 通過駅 (pass, 10000 cm), 停車駅 (stop without doors,
// 16250 cm, frame 450), 中間駅 (stop, 25000 cm, frame 600), 終着駅 (stop,
// 52500 cm, frame 1050). Route sounds 0, 1 and 2 play 2, 5 and 3 seconds.
struct LoadedRun {
    explicit LoadedRun(const std::string& route = routeWithTitle())
        : data(writtenRoute(route)), run(std::make_unique<HeadlessRun>(data->choice(), 1)) {
        run->cab.load();
    }

    static std::string routeWithTitle() {
        return replaced(CabData::routeText(), "[StartPos]", "[LineName2]\n快速\n[StartPos]");
    }

    Cab& cab() { return run->cab; }
    bool spriteVisible(const char* name) { return cab().sprites.find(name)->visible; }

    std::unique_ptr<CabData> data;
    std::unique_ptr<HeadlessRun> run;

  private:
    static std::unique_ptr<CabData> writtenRoute(const std::string& route) {
        auto data = std::make_unique<CabData>();
        data->writeRoute(route);
        return data;
    }
};

}  // namespace tovra::test
