// tovra-sim run: the preceding train moves away and the signal in view
// clears behind it, as the trace shows.
#include <gtest/gtest.h>

#include "data/CabDataFixture.h"
#include "sim/ProtectionParts.h"
#include "support/SimBinary.h"

namespace tovra {
namespace {

std::string signalLine(int view, int frame) {
    std::string line = "0,0,0,5," + std::to_string(view) + "," + std::to_string(frame) + "," +
                       std::to_string(view) + "," + std::to_string(frame);
    for (int field = 9; field <= 22; ++field) line += ",0";
    return line + "\n";
}

TEST(PrecedingTrainRun, SignalInViewClearsAsThePrecedingTrainMovesOn) {
    test::CabData data;
    // Four signals 300 frames apart; the own train stands at frame 100 with
    // the first in view; the preceding train waits just past the second and
    // leaves a second and a half after the run starts.
    std::string route = test::replaced(test::CabData::routeText(),
                                       "0,0,0,1,100,300,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n"
                                       "0,0,0,1,600,750,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n",
                                       signalLine(100, 300) + signalLine(400, 600) +
                                           signalLine(700, 900) + signalLine(1000, 1200));
    route =
        test::replaced(route, "[Pre_Train]\n50,9999\n#", "[Pre_Train]\n610,1450\n0,30,1079900\n#");
    data.writeRoute(route);

    const auto trace = data.dir() / "trace.csv";
    const test::SimResult r =
        test::runSim("run --data " + data.dir().path().string() + " --route " +
                     test::CabData::kRouteFile + " --seconds 120 --trace " + trace.string());
    ASSERT_EQ(r.status, 0) << r.output;
    const test::TraceTable t(trace.string());
    ASSERT_GT(t.size(), 100u);

    // Three aspects: the block behind the preceding train at stop, the one
    // before it at caution, the first signal clear once it is two behind.
    const int top = 120;
    const int caution = signalFace(5, 1, top), clear = signalFace(5, 2, top);
    EXPECT_EQ(t.number(0, "frame"), 100);
    EXPECT_EQ(t.number(0, "pre_train_frame"), 610);
    EXPECT_EQ(t.number(0, "signal_face"), caution);
    std::size_t cleared = 0;
    while (cleared < t.size() && t.number(cleared, "signal_face") == caution) ++cleared;
    ASSERT_LT(cleared, t.size());
    EXPECT_EQ(t.number(cleared, "signal_face"), clear);
    // It cleared when the preceding train had passed the third signal.
    EXPECT_GT(t.number(cleared, "pre_train_frame"), 900);
    EXPECT_LE(t.number(cleared - 1, "pre_train_frame"), 900);
    EXPECT_EQ(t.number(cleared, "frame"), 100);  // the own train has not moved
}

}  // namespace
}  // namespace tovra
