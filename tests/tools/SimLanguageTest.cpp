// tovra-sim keeps the cab's Japanese texts in its traces unless --lang asks
// for another language.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "support/QuickDemo.h"
#include "support/SimBinary.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

struct LanguageRun {
    std::string stationText;
    std::string report;
};

LanguageRun runIn(const test::TempDir& dir, const std::string& language) {
    const std::string trace = (dir / (language + ".csv")).string();
    const std::string report = (dir / (language + ".html")).string();
    const test::SimResult r =
        test::runSim("run --data " + test::quickDemo().string() +
                     " --route line_rapid_down.dat --seconds 1" + " --trace " + trace +
                     " --report " + report + (language.empty() ? "" : " --lang " + language));
    EXPECT_EQ(r.status, 0) << r.output;
    std::ifstream in(report);
    return {test::TraceTable(trace).text(0, "station_text"),
            std::string(std::istreambuf_iterator<char>(in), {})};
}

TEST(SimLanguage, JapaneseUnlessAskedAndTheDataKeepsItsNames) {
    test::TempDir dir;
    const LanguageRun plain = runIn(dir, "");
    const LanguageRun japanese = runIn(dir, "ja");
    const LanguageRun english = runIn(dir, "en");

    const std::string nowAt = "ただいま ";
    ASSERT_EQ(plain.stationText.rfind(nowAt, 0), 0u) << plain.stationText;
    EXPECT_EQ(japanese.stationText, plain.stationText);
    // The station's name is the data's in both languages.
    const std::string station = plain.stationText.substr(nowAt.size());
    EXPECT_EQ(english.stationText, "Now at " + station);
    EXPECT_NE(plain.report.find("lang=\"ja\""), std::string::npos);
    EXPECT_NE(english.report.find("lang=\"en\""), std::string::npos);
    EXPECT_NE(english.report.find("Station by station"), std::string::npos);
    EXPECT_EQ(english.report.find("駅ごとの記録"), std::string::npos);

    const test::SimResult wrong = test::runSim("run --lang fr");
    EXPECT_EQ(wrong.status, 1);
    EXPECT_NE(wrong.output.find("--lang takes ja or en"), std::string::npos) << wrong.output;
}

}  // namespace
}  // namespace tovra
