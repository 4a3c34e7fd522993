#pragma once

#include <gtest/gtest.h>

#include <string>

#include "headless/HeadlessRun.h"
#include "view/StatusTextUpdates.h"

namespace tovra::test {

// A cab that was never loaded, with [InfoLabel] lines that name their own
// number ("L1" .. "L22") and a quiet state that gives no advice.
struct StatusTextsFixture : ::testing::Test {
    StatusTextsFixture() : run(RunChoice{}, 1), cab(run.cab) {
        for (int n = 1; n <= 22; ++n) cab.settings.InfoLabels.push_back("L" + std::to_string(n));
        cab.state.EngineState = 1;
        cab.route.MovieStopFrames[0] = 100000;
    }
    HeadlessRun run;
    Cab& cab;
};

}  // namespace tovra::test
