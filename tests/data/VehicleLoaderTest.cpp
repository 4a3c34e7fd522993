#include "data/VehicleLoader.h"

#include <gtest/gtest.h>

#include "data/VehicleFileFixture.h"

namespace tovra::test {
namespace {

using VehicleLoader = VehicleFileTest;

TEST_F(VehicleLoader, RemarksOnlyLeaveTheDefaults) {
    const VehicleSpec v = load("車両ファイル\n\n; remark\n  [Handle]\n1\n");
    EXPECT_EQ(v.Handle, 0);  // a header with leading blanks matches nothing
    EXPECT_EQ(v.BrakeType, 0);
    EXPECT_EQ(v.Brake, 4);  // the automatic air brake's four steps
    EXPECT_EQ(v.Engine_Type, 0);
    EXPECT_EQ(v.Mt.raw(), 0);
    EXPECT_TRUE(v.Notch.empty());
    EXPECT_TRUE(v.DriveSound.empty());
    EXPECT_FALSE(v.HasSound_Horn4);
    EXPECT_EQ(v.Panel.File, "");
}

TEST_F(VehicleLoader, MessagesCarryTheGroupLabelInForce) {
    EXPECT_EQ(failure("[Handle]\n1 \n"), vehicleError("- 列車の基本設定"));
    EXPECT_EQ(failure("[Engine_Type]\n1\n[Notch]\n" + notch("x", 1) + "#\n"),
              vehicleError("[Notch]"));
    EXPECT_EQ(failure("[Sound_BK]\n\n[Brake]\n3\n[Sound_BA]\n1\n2\nx\n"),
              vehicleError("- 列車の基本設定"));
    EXPECT_EQ(failure("[EngineSound2]\n1\n2\n3\n"), vehicleError("[EngineSound2]"));
    // A label holds for the keys after it until the next one.
    EXPECT_EQ(failure("[Panel2]\npanel2.bmp\n0\ny\n"), vehicleError("- 運転台パネル"));
    EXPECT_EQ(failure("[Lamp_Stop]\nstop.bmp\n1\n-\n"), vehicleError("- 運転台パネル3"));
    EXPECT_EQ(failure("[Lamp_R]\nr.bmp\n1.5\n0\n"), vehicleError("- 運転台パネル3"));
    EXPECT_EQ(failure("[Needle_MR_L]\nmr.bmp\n1\n2\nrate\n"), vehicleError("- MR圧力計（リニア）"));
    EXPECT_EQ(failure("[Needle_I]\ni.bmp\n1\n2\n0\n0\n90\n0.5\n"), vehicleError("- 電流計"));
    EXPECT_EQ(failure("[Digi_Speed]\n1\n2\n3\nfour\n"), vehicleError("[Digi_Speed]"));
    // Each pass starts again from the basic label.
    EXPECT_EQ(failure("[Engine_Type]\n1\n[Notch]\n#\n[Cars]\nten\n"),
              vehicleError("- 列車の基本設定"));
}

TEST_F(VehicleLoader, MissingFileGivesTheBareMessage) {
    try {
        loadVehicleSpec(dir_ / "absent.dat");
        FAIL() << "loaded a missing file";
    } catch (const DataError& error) {
        EXPECT_STREQ(error.what(), "車両ファイルに誤りがあります");
        EXPECT_NE(error.detail().find("absent.dat"), std::string::npos);
    }
}

TEST_F(VehicleLoader, ValueLinesAreReadBlind) {
    // A text value that begins with a later key opens that key's section.
    VehicleSpec v = load("[Engine_Type]\n1\n[Gear_Type]\n[Notch]\n" + notch("2.5", 1) + "#\n");
    ASSERT_EQ(v.Notch.size(), 1u);
    EXPECT_EQ(v.Notch[0].AccelStart, 2.5);
    EXPECT_EQ(failure("[Engine_Type]\n1\n[Gear_Type]\n[Notch]\n" + notch("2.5", 1)),
              vehicleError("[Notch]"));
    // An earlier key has already been tested in that pass: the line stays a value.
    v = load("[NotchImageP]\n1\n2\n3\n4\n[Handle]\n1\n");
    EXPECT_EQ(v.NotchImageP.File, "[Handle]");
    EXPECT_EQ(v.Handle, 0);
    v = load("[Digi_Speed]\n1\n2\n3\n4\n[Others]\nother.bmp\n5\n6\n#\n");
    ASSERT_EQ(v.Others.size(), 1u);
    EXPECT_EQ(v.Others[0].File, "other.bmp");
    // "[Power]" directly followed by "[Brake]" fails: the header is the value.
    EXPECT_EQ(failure("[Power]\n[Brake]\n5\n"), vehicleError("- 列車の基本設定"));
    // Text after a header is ignored.
    v = load("[BrakeType]\n1\n[Brake]7 service steps\n6\n");
    EXPECT_EQ(v.Brake, 6);
}

TEST_F(VehicleLoader, NotchAndEngineMustMatchTheEngineType) {
    EXPECT_EQ(failure("[Notch]\n" + notch("2.5", 1) + "#\n"), kNotchOnDieselError);
    EXPECT_EQ(failure("[Notch]\n#\n[Engine_Type]\n1\n"), kNotchOnDieselError);
    EXPECT_EQ(failure("[Engine_Type]\n1\n[Engine]\n10\n20\n30\n1.5\n2.5\n3.5\n#\n"),
              kEngineOnElectricError);
    const VehicleSpec v = load("[Engine]\n10\n20\n30\n1.5\n2.5\n3.5\n#\n");
    ASSERT_EQ(v.Engine.size(), 1u);
    EXPECT_EQ(v.Engine[0].SpeedMax, 30);
    EXPECT_EQ(v.Engine[0].EffortMax, 3.5);
}

TEST_F(VehicleLoader, ModeStartMarksTheFirstNotchOfEachMode) {
    const std::string electric = "[Engine_Type]\n1\n[Notch]\n";
    VehicleSpec v =
        load(electric + notch("1", 1) + notch("1", 1) + notch("1", 2) + notch("1", 3) + "#\n");
    EXPECT_EQ(v.ModeStart, (std::vector<std::int32_t>{0, 2, 3}));
    v = load(electric + notch("1", 1) + notch("1", 2) + notch("1", 2) + notch("1", 3) + "#\n");
    EXPECT_EQ(v.ModeStart, (std::vector<std::int32_t>{0, 1, 3}));
    v = load(electric + notch("1", 0) + notch("1", 0) + "#\n");
    EXPECT_TRUE(v.ModeStart.empty());
    // Ten modes do not fit the table of nine.
    std::string tenModes = electric;
    for (int mode = 1; mode <= 10; ++mode) tenModes += notch("1", mode);
    EXPECT_EQ(failure(tenModes + "#\n"), vehicleError("[Notch]"));
}

TEST_F(VehicleLoader, BrakeStepRules) {
    VehicleSpec v = load("[BrakeType]\n0\n[Brake]\n8\n[Sound_BK]\n1\n2\n3\n4\n5\n6\n7\n8\n");
    EXPECT_EQ(v.Brake, 4);
    EXPECT_EQ(v.Sound_BK.size(), 8u);  // read with the file's value
    // Too few steps load; the loading sequence refuses them after the sounds.
    EXPECT_EQ(load("[BrakeType]\n1\n[Brake]\n2\n").Brake, 2);
    v = load("[BrakeType]\n1\n[Brake]\n3\n");
    EXPECT_EQ(v.Brake, 3);
    // Counts no train has are refused where they are read: the emergency
    // position -Brake must exist, and a friction divisor must never reach 0.
    EXPECT_EQ(failure("[BrakeType]\n1\n[Brake]\n-2147483648\n"), vehicleError("- 列車の基本設定"));
    EXPECT_EQ(failure("[Brake]\n101\n"), vehicleError("- 列車の基本設定"));
    EXPECT_EQ(load("[BrakeType]\n1\n[Brake]\n100\n").Brake, 100);
    EXPECT_EQ(failure("[BrakeRate2]\n-0.01\n"), vehicleError("- 列車の基本設定"));
    EXPECT_EQ(load("[BrakeRate2]\n0\n").FrictionCoef, 0);
}

TEST_F(VehicleLoader, ListsNeverGrowPastTheirTables) {
    std::string notches = "[Engine_Type]\n1\n[Notch]\n";
    for (int i = 0; i < 11; ++i) notches += notch("1", 1);
    EXPECT_EQ(load(notches + "#\n").Notch.size(), 11u);
    EXPECT_EQ(failure(notches + notch("1", 1) + "#\n"), vehicleError("[Notch]"));

    std::string sounds = "[DriveSound]\n";
    for (int i = 0; i < 501; ++i) sounds += "run" + std::to_string(i) + ".wav\n";
    EXPECT_EQ(load(sounds + "#\n").DriveSound.size(), 501u);
    EXPECT_EQ(failure(sounds + "extra.wav\n#\n"), vehicleError("[DriveSound]"));

    const auto repeated = [](const std::string& entry, int n) {
        std::string text;
        for (int i = 0; i < n; ++i) text += entry;
        return text + "#\n";
    };
    EXPECT_EQ(failure("[BrakeCurr]\n" + repeated("400\n", 11)), vehicleError("[BrakeCurr]"));
    EXPECT_EQ(failure("[EngineRate]\n" + repeated("800,1.5\n", 10)),
              vehicleError("- 列車の基本設定"));
    EXPECT_EQ(failure("[Others]\n" + repeated("o.bmp\n1\n2\n", 12)), vehicleError("[Others]"));
    EXPECT_EQ(failure("[Lamp_signal]\n1\n2\n3\n4\nsig.bmp\n" + repeated("45\n", 11)),
              vehicleError("[Lamp_signal]"));
    EXPECT_EQ(failure("[PowerMode]\n" + repeated("a,b\n", 11)), vehicleError("[PowerMode]"));
}

TEST_F(VehicleLoader, UnclosedListsEndWithTheFileOnlyForTexts) {
    VehicleSpec v = load("[DriveSound]\nrun0.wav\nrun1.wav");
    EXPECT_EQ(v.DriveSound, (std::vector<std::string>{"run0.wav", "run1.wav"}));
    v = load("[PowerMode]\n直列,S\n");
    ASSERT_EQ(v.PowerModeName.size(), 1u);
    EXPECT_EQ(v.PowerModeName[0][0], "直列");
    EXPECT_EQ(failure("[BrakeCurr]\n400\n"), vehicleError("[BrakeCurr]"));
    EXPECT_EQ(failure("[Others]\no.bmp\n1\n2\n"), vehicleError("[Others]"));
    // A list of numbers with an empty line inside fails.
    EXPECT_EQ(failure("[BrakeCurr]\n400\n\n300\n#\n"), vehicleError("[BrakeCurr]"));
}

TEST_F(VehicleLoader, MissingFieldsFail) {
    EXPECT_EQ(failure("[CurrentB]\n1.5,2.5\n#\n"), vehicleError("[CurrentB]"));
    EXPECT_EQ(failure("[PowerMode]\n直列\n#\n"), vehicleError("[PowerMode]"));
    EXPECT_EQ(failure("[SwitchSound]\n3,40\n#\n"), vehicleError("- 列車の基本設定"));
    EXPECT_EQ(failure("[CurrentP]\n400\n2.5\n40\n1,2.0,3.0\n#\n"), vehicleError("[CurrentP]"));
}

}  // namespace
}  // namespace tovra::test
