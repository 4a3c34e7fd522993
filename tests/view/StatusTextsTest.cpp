#include "StatusTextsFixture.h"
#include "data/CabDataFixture.h"

namespace tovra {
namespace {

using StatusTextsTest = test::StatusTextsFixture;

// Each source string names its label.
void nameTheSources(Cab& cab) {
    ControllerState& c = cab.controller;
    StationState& st = cab.stations;
    StatusTexts& t = cab.statusTexts;
    cab.handleTexts.ReverserText = "0";
    cab.handleTexts.MasconText = "1";
    cab.handleTexts.BrakeText = "2";
    cab.handleTexts.GearText = "3";
    st.stationText = "4";
    st.doorMessage = "5";
    t.doorSideText = "6";
    st.clockText = "7";
    t.signalText = "8";
    t.signalMessage = "9";
    t.limitText = "10";
    cab.motion.SpeedText = "11";
    cab.motion.RemainText = "12";
    st.fromStationName = "13";
    st.toStationName = "14";
    t.limitText2 = "no label";
    t.noticeText = "no label";
}

TEST_F(StatusTextsTest, LabelsOnlyWhileMojiIsSet) {
    nameTheSources(cab);
    auto& labels = cab.statusTexts.labels;
    labels.fill("kept");
    const auto update = [&](bool shown, bool oneMan) {
        update_cab_labels(cab.statusTexts, cab.handleTexts, cab.stations, cab.motion, shown,
                          oneMan);
    };
    update(false, true);
    for (const std::string& label : labels) EXPECT_EQ(label, "kept");

    update(true, false);
    for (std::size_t k = 0; k < labels.size(); ++k)
        EXPECT_EQ(labels[k], k == 6 ? "kept" : std::to_string(k)) << "Label" << k;

    update(true, true);
    EXPECT_EQ(labels[6], "6");
}

TEST_F(StatusTextsTest, BareTitleGivesWayToTheLineName) {
    cab.route.LineName = "快速線 下り";
    EXPECT_EQ(cab.statusTexts.caption, "ヴェルモラン");
    update_window_caption(cab.statusTexts, cab.host, cab.route);
    EXPECT_EQ(run.host.caption, "快速線 下り");
    EXPECT_EQ(cab.statusTexts.caption, "快速線 下り");

    setWindowCaption(cab.statusTexts, cab.host, "X:120 Y:-3000");
    update_window_caption(cab.statusTexts, cab.host, cab.route);
    EXPECT_EQ(run.host.caption, "X:120 Y:-3000");

    setWindowCaption(cab.statusTexts, cab.host, "ヴェルモラン");
    update_window_caption(cab.statusTexts, cab.host, cab.route);
    EXPECT_EQ(run.host.caption, "快速線 下り");
}

TEST_F(StatusTextsTest, EasyCabDoorLine) {
    std::string& line = cab.statusTexts.easyCabDoorLine;
    cab.stations.doorOpening = 1;
    cab.traction.doorsOpen = true;
    update_easy_cab_door_line(cab.statusTexts, cab.stations, cab.traction);
    EXPECT_EQ(line, "ドアが開いています");
    cab.stations.doorOpening = 0;
    update_easy_cab_door_line(cab.statusTexts, cab.stations, cab.traction);
    EXPECT_EQ(line, "ドアを閉めています");
    cab.traction.doorsOpen = false;
    update_easy_cab_door_line(cab.statusTexts, cab.stations, cab.traction);
    EXPECT_EQ(line, "");
}

// The logic tick of a loaded run fills the texts.
TEST(StatusTextsTick, LogicTickShowsSignCaptionLimitAndLabels) {
    test::CabData data;
    data.writeRoute(test::replaced(test::CabData::routeText(), "[SignImageList]",
                                   "[Sign]\n2,90,400,0\n#\n[SignImageList]"));
    HeadlessRun run(data.choice(), 1);
    Cab& cab = run.cab;
    cab.load();
    cab.options.Moji = 1;
    cab.Timer1Timer();

    EXPECT_EQ(run.host.caption, "快速線 下り");
    EXPECT_EQ(cab.statusTexts.shownSign, 2);
    EXPECT_EQ(cab.calloutOffer.kankoPending, 2);
    EXPECT_TRUE(cab.sprites.find("img_unten_other")->visible);
    EXPECT_EQ(cab.statusTexts.limitText.rfind("60km/h ", 0), 0u) << cab.statusTexts.limitText;
    EXPECT_EQ(cab.statusTexts.labels[10], cab.statusTexts.limitText);
    EXPECT_FALSE(cab.statusTexts.labels[7].empty());
    EXPECT_EQ(cab.statusTexts.labels[7], cab.stations.clockText);
}

}  // namespace
}  // namespace tovra
