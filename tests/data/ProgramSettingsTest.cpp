#include "data/ProgramSettings.h"

#include <gtest/gtest.h>

#include "common/DataError.h"
#include "data/ControllerFiles.h"
#include "headless/MemorySettingsStore.h"
#include "support/TempDir.h"

namespace tovra {
namespace {

const char* kVelmoran = R"(表示設定
[Disp]
30,1
10
800
450
310
[Path]
video\
[Forward]
前
[Neutral]
切
[Reverse]
後
[Stop]
停車
[Pass]
通過
[Stop2]
運転停車
[EB]
非常
[Cars]
両編成
[Stops]
停止位置まで
停止位置を
[Doors]
左側
右側
[Gears]
1速
2速
3速
[InfoLabel]
次は
ドアが開きます
#
[Start]
運転開始(&S)
[Save]
保存(&V)
)";

TEST(ProgramSettings, ReadsEveryKindOfValue) {
    test::TempDir dir;
    const ProgramSettings s = loadProgramSettings(dir.writeCp932("velmoran.dat", kVelmoran));
    EXPECT_EQ(s.TickRate, 30);
    EXPECT_EQ(s.FrameLimitFactor, 1);
    EXPECT_EQ(s.StaffOverlayX, 10);
    EXPECT_EQ(s.VideoWidth, 800);
    EXPECT_EQ(s.VideoHeight, 450);
    EXPECT_EQ(s.FadeExtraHeight, 310);
    EXPECT_EQ(s.VideoDir, "video\\");
    EXPECT_EQ(s.Forward, "前");
    EXPECT_EQ(s.StopText, "停車");
    EXPECT_EQ(s.Stop2Text, "運転停車");
    EXPECT_EQ(s.EB, "非常");
    EXPECT_EQ(s.Stops[1], "停止位置を");
    EXPECT_EQ(s.Gears[2], "3速");
    EXPECT_EQ(s.InfoLabels, (std::vector<std::string>{"次は", "ドアが開きます"}));
    EXPECT_EQ(s.StartCaption, "運転開始(&S)");
    EXPECT_EQ(s.SaveCaption, "保存(&V)");
    EXPECT_EQ(s.MoveCaption, "");  // absent key keeps its default
}

TEST(ProgramSettings, FailuresGiveTheFileMessage) {
    test::TempDir dir;
    const auto expectFailure = [&](const std::string& text) {
        try {
            loadProgramSettings(dir.writeCp932("velmoran.dat", text));
            ADD_FAILURE() << "loaded: " << text;
        } catch (const DataError& e) {
            EXPECT_STREQ(e.what(), "stringファイルに誤りがあります");
            EXPECT_NE(e.detail().find("velmoran.dat"), std::string::npos) << e.detail();
        }
    };
    expectFailure("[Disp]\n30\n10\n800\n450\n310\n");  // one field: "Error" is no integer
    expectFailure("[Disp]\n30,x\n10\n800\n450\n310\n");
    expectFailure("[Disp]\n0,1\n10\n800\n450\n310\n");  // every per-tick step would be infinite
    expectFailure("[Disp]\n-30,1\n10\n800\n450\n310\n");
    expectFailure("[Start]\n運転開始(&S)\n");  // no tick rate at all
    try {
        loadProgramSettings(dir / "missing.dat");
        ADD_FAILURE();
    } catch (const DataError& e) {
        EXPECT_STREQ(e.what(), "stringファイルに誤りがあります");
    }
}

TEST(ProgramSettings, InfoLabelsEndAtTheEndOfTheFileAndAtTheirCapacity) {
    test::TempDir dir;
    const std::string disp = "[Disp]\n30,1\n10\n800\n450\n310\n";
    EXPECT_EQ(loadProgramSettings(dir.writeCp932("a.dat", disp + "[InfoLabel]\n一\n二"))
                  .InfoLabels.size(),
              2u);
    std::string many = disp + "[InfoLabel]\n";
    for (int i = 0; i < 101; ++i) many += "label\n";
    EXPECT_THROW(loadProgramSettings(dir.writeCp932("b.dat", many + "#\n")), DataError);
}

TEST(MasconTable, EndsAtHashOrEndAndRefusesMoreThan26) {
    test::TempDir dir;
    EXPECT_EQ(loadMasconTable(dir.writeCp932("m1.dat", "P1\nP2\n#\nP3\n")).entries,
              (std::vector<std::string>{"P1", "P2"}));
    EXPECT_EQ(loadMasconTable(dir.writeCp932("m2.dat", "P1\nP2")).entries.size(), 2u);
    std::string many;
    for (int i = 0; i < 27; ++i) many += "C" + std::to_string(i) + "\n";
    EXPECT_EQ(
        loadMasconTable(dir.writeCp932("m3.dat", many.substr(0, many.rfind("C26")))).entries.size(),
        26u);
    EXPECT_THROW(loadMasconTable(dir.writeCp932("m4.dat", many)), DataError);
    EXPECT_THROW(loadMasconTable(dir / "missing.dat"), DataError);
}

TEST(ControllerCodes, StopAtTheFirstMissingValue) {
    MemorySettingsStore store;
    for (int i = 0; i < 6; ++i)
        store.writeInteger("dgcontroller", "P" + std::to_string(i), 100 + i);
    store.writeInteger("dgcontroller", "B0", 200);
    store.writeInteger("dgcontroller", "B2", 202);  // B1 missing: not read
    store.writeInteger("dgcontroller", "EB", 300);
    const ControllerCodes codes = loadControllerCodes(store);
    EXPECT_EQ(codes.power[5], 105);
    EXPECT_EQ(codes.brake[0], 200);
    EXPECT_EQ(codes.brake[2], 0);
    EXPECT_EQ(codes.emergency, 0);
}

TEST(HelpText, CaptionThenLines) {
    test::TempDir dir;
    const HelpText help =
        loadHelpText(dir.writeCp932("operation.dat", "操作説明\n1行目\n\n3行目\n"));
    EXPECT_EQ(help.caption, "操作説明");
    EXPECT_EQ(help.lines, (std::vector<std::string>{"1行目", "", "3行目"}));
    EXPECT_TRUE(loadHelpText(dir / "none.dat").lines.empty());
}

}  // namespace
}  // namespace tovra
