#include <cmath>
#include <limits>
#include <type_traits>

#include <gtest/gtest.h>

#include "common/TextFields.h"
#include "data/VehicleFileFixture.h"

namespace tovra::test {
namespace {

using VehicleSections = VehicleFileTest;

TEST_F(VehicleSections, NumericKindsRoundAsTheirFieldsDo) {
    static_assert(std::is_same_v<decltype(NotchRecord::AccelStart), double>);
    static_assert(std::is_same_v<decltype(VehicleSpec::Mt), Currency>);
    // Just above the midway point of two doubles: rounding through the
    // extended type first would land on 1.0.
    const std::string nearMidway = "1.000000000000000111022302462515654042363166809082031251";
    const VehicleSpec v = load(
        "[BrakeRate]\n0.03125\n-0.09375\n70.00004\n[BrakeRate2]\n0.00126\n"
        "[Mt]\n12.34567\n[Tons]\n 301.5 \n[Engine_Type]\n1\n"
        "[Notch]\n" +
        nearMidway + "\n0.1\n35\n70\n0.98\n1\n#\n");
    EXPECT_EQ(v.BrakeRateAir.raw(), 312);    // 312.5: halves go to even
    EXPECT_EQ(v.BrakeRateElec.raw(), -938);  // -937.5
    EXPECT_EQ(v.BrakeRateSpeed.raw(), 700000);
    EXPECT_EQ(v.FrictionCoef, Extended(Currency::fromRaw(13)));  // read as fixed-point
    EXPECT_EQ(v.Mt.raw(), 123457);
    EXPECT_EQ(v.Tons.raw(), 3015000);
    ASSERT_EQ(v.Notch.size(), 1u);
    EXPECT_EQ(v.Notch[0].AccelStart, std::nextafter(1.0, 2.0));
    EXPECT_EQ(v.Notch[0].AccelConst, 0.1);
    EXPECT_EQ(v.Notch[0].DecayBase, 0.98);
}

TEST_F(VehicleSections, ScalarKeysReachTheirFields) {
    const VehicleSpec v = load(
        "[Handle]\n1\n[BrakeType]\n1\n[BrakeType2]\n2\n[Brake]\n7\n[Power]\n5\n"
        "[NotchBack]\n3\n[Hold]\n1\n[Pull]\n1\n[Const]\n2\n25\n[Back]\n1\n"
        "[PowerDelay]\n4\n[BrakeDelay]\n5\n[EBrakeDelay]\n6\n[PowerJerk]\n7\n[SAPDelay]\n8\n"
        "[BrakeUp]\n200\n[BrakeDown]\n150\n[SAPUp]\n300\n[SAPDown]\n250\n[EBrakeUp]\n9\n"
        "[EBrakeDown]\n10\n[EBrakeCurr]\n400\n[BPReturn]\n11\n[MAXPress]\n440\n[EBPress]\n480\n"
        "[SAPPress]\n390\n[HighAirPress]\n880\n[LowAirPress]\n780\n[Engine_Type]\n1\n"
        "[DoorLock]\n1\n[Power_Type]\n1\n[Brake_Type]\n1\n[DoorType]\n-3\n[Tt]\n20\n[Tct]\n30\n"
        "[Cars]\n10\n[EB]\n1\n[MaxSpeed]\n120\n[Lose_elec]\n5\n[ELBR]\n1\n[Mc]\n1\n"
        "[ATS_Type]\n2\n[ATS_Alert]\n12\n[ATS_Time]\n50\n[ATS_Cnt]\n13\n[Gear_Type]\nMT\n");
    const std::int32_t got[] = {
        v.Handle,    v.BrakeType,  v.BrakeType2,   v.Brake,       v.Power,
        v.NotchBack, v.Hold,       v.Pull,         v.ConstNotch,  v.ConstMinSpeed,
        v.Back,      v.PowerDelay, v.BrakeDelay,   v.EBrakeDelay, v.PowerJerk,
        v.SAPDelay,  v.BrakeUp,    v.BrakeDown,    v.SAPUp,       v.SAPDown,
        v.EBrakeUp,  v.EBrakeDown, v.EBrakeCurr,   v.BPReturn,    v.MAXPress,
        v.EBPress,   v.SAPPress,   v.HighAirPress, v.LowAirPress, v.Engine_Type,
        v.DoorLock,  v.Power_Type, v.Brake_Type,   v.DoorType,    v.Cars,
        v.EB,        v.MaxSpeed,   v.Lose_elec,    v.ELBR,        v.Mc,
        v.ATS_Type,  v.ATS_Alert,  v.ATS_Time,     v.ATS_Cnt,     v.Gear_Type};
    const std::int32_t want[] = {1,   1,   2,   7,   5,   3,   1,   1,   2, 25, 1,   4,
                                 5,   6,   7,   8,   200, 150, 300, 250, 9, 10, 400, 11,
                                 440, 480, 390, 880, 780, 1,   1,   1,   1, -3, 10,  1,
                                 120, 5,   1,   1,   2,   12,  50,  13,  1};
    static_assert(std::size(got) == std::size(want));
    for (std::size_t i = 0; i < std::size(want); ++i) EXPECT_EQ(got[i], want[i]) << "value " << i;
    EXPECT_EQ(v.Tt.raw(), 200000);
    EXPECT_EQ(v.Tct.raw(), 300000);
}

TEST_F(VehicleSections, GearTypeTakesOnlyTheExactWords) {
    EXPECT_EQ(load("[Gear_Type]\nMT\n").Gear_Type, 1);
    EXPECT_EQ(load("[Gear_Type]\nmt\n").Gear_Type, 0);
    EXPECT_EQ(load("[Gear_Type]\nMT \n").Gear_Type, 0);
    EXPECT_EQ(load("[Gear_Type]\nMT\n[Gear_Type]\nCVT\n").Gear_Type, 1);
    EXPECT_EQ(load("[Gear_Type]\nMT\n[Gear_Type]\nAT\n").Gear_Type, 0);
}

TEST_F(VehicleSections, SoundTables) {
    VehicleSpec v = load(
        "[Sound_BK]\n99\n[BrakeType]\n1\n[Brake]\n3\n[Power]\n2\n"
        "[Sound_BK]\n1\n2\n3\n[Sound_BA]\n10\n11\n12\n13\n[Sound_PA]\n20\n21\n"
        "[Sound_EB]\n5\n; none\n[Sound_Apply]\n6\n7\n[Sound_Horn4]\n30\n31\n32\n33\n4\n15\n"
        "[SwitchSound]\n40, 35,2\n#\n[EngineSound2]\n1\n2\n3\n4\n[DriveSound]\nrun.wav\n\n#\n");
    EXPECT_EQ(v.Sound_BK, (std::vector<std::int32_t>{1, 2, 3}));  // 99 came before [Brake]
    EXPECT_EQ(v.Sound_BA, (std::vector<std::int32_t>{10, 11, 12, 13}));
    EXPECT_EQ(v.Sound_PA, (std::vector<std::int32_t>{20, 21}));
    EXPECT_EQ(v.Sound_EB, (std::array<std::int32_t, 2>{5, 0}));
    EXPECT_EQ(v.Sound_Apply, (std::array<std::int32_t, 2>{6, 7}));
    EXPECT_TRUE(v.HasSound_Horn4);
    EXPECT_EQ(v.Sound_Horn4[4], 4);
    EXPECT_EQ(v.HornAir.raw(), 150000);
    ASSERT_EQ(v.SwitchSound.size(), 1u);
    EXPECT_EQ(v.SwitchSound[0].Speed, 35);
    EXPECT_EQ(v.SwitchSound[0].SwitchId, 2);
    EXPECT_EQ(v.EngineSound2, (std::array<std::int32_t, 4>{1, 2, 3, 4}));
    EXPECT_EQ(v.DriveSound, (std::vector<std::string>{"run.wav", ""}));

    EXPECT_EQ(load("[Sound_EB]\n5\n8\n").Sound_EB[1], 8);
    EXPECT_EQ(failure("[Sound_EB]\n5\nx\n"), vehicleError("- 列車の基本設定"));
    // The largest step count must not overflow: the lines simply run out.
    EXPECT_EQ(failure("[BrakeType]\n1\n[Brake]\n2147483647\n[Sound_BA]\n1\n"),
              vehicleError("- 列車の基本設定"));
}

TEST_F(VehicleSections, EngineSoundEntries) {
    const VehicleSpec v = load(
        "[EngineSound1]\nmotor.wav\n1\n0\n40\n80\n0.5\n1\n1.5\n0\n90\n100\n#\n"
        "[EngineSound3]\ngear.wav\n2\n3\n10\n20\n0.8\n1.2\n50\n60\n#\n");
    ASSERT_EQ(v.EngineSound1.size(), 1u);
    EXPECT_EQ(v.EngineSound1[0].File, "motor.wav");
    EXPECT_EQ(v.EngineSound1[0].x2, 80);
    EXPECT_EQ(v.EngineSound1[0].p2, 1.5L);
    EXPECT_EQ(v.EngineSound1[0].gain2, 100);
    ASSERT_EQ(v.EngineSound3.size(), 1u);
    EXPECT_EQ(v.EngineSound3[0].Gear, 3);
    EXPECT_EQ(v.EngineSound3[0].x1, 20);
    EXPECT_EQ(v.EngineSound3[0].gain1, 60);
}

TEST_F(VehicleSections, TractionTables) {
    const VehicleSpec v = load(
        "[EngineRate]\n800, 12.5\n900,10\n#\n"
        "[CurrentP]\n450\n2.8\n38.5\n1,1200,-5.5,0\n2,1500,3,1\n#\n"
        "[BrakeCurr]\n0\n350\n#\n[CurrentB]\n0.25,7.5,1\n#\n[PowerMode]\n直列,S\n並列,P\n#\n");
    ASSERT_EQ(v.EngineRate.size(), 2u);
    EXPECT_EQ(v.EngineRate[0].RpmOffset, 800);
    EXPECT_EQ(v.EngineRate[0].RpmFactor, 12.5L);
    EXPECT_EQ(v.MaxCurrent, 450);
    EXPECT_EQ(v.CurrAccel, parseDecimal("2.8"));
    EXPECT_EQ(v.CurrSpeed, 38.5L);
    ASSERT_EQ(v.CurrentP.size(), 2u);
    EXPECT_EQ(v.CurrentP[0].StepV0, -5.5L);
    EXPECT_EQ(v.CurrentP[1].StepNotch, 2);
    EXPECT_EQ(v.CurrentP[1].Spare, 1);
    EXPECT_EQ(v.BrakeCurrMax, (std::vector<std::int32_t>{0, 350}));
    ASSERT_EQ(v.CurrentB.size(), 1u);
    EXPECT_EQ(v.CurrentB[0].EbB, 7.5L);
    ASSERT_EQ(v.PowerModeName.size(), 2u);
    EXPECT_EQ(v.PowerModeName[1][0], "並列");
    EXPECT_EQ(v.PowerModeName[1][1], "P");
}

TEST_F(VehicleSections, RepeatedSectionsAndCounts) {
    // Later values win; a list without a count keeps later entries of the
    // earlier occurrence, a counted one starts again.
    const VehicleSpec v = load(
        "[BrakeCurr]\n100\n200\n300\n#\n[BrakeCurr]\n150\n#\n"
        "[CurrentB]\n1,2,3\n4,5,6\n#\n[CurrentB]\n7,8,9\n#\n"
        "[Lamp_signal]\n1\n2\n16\n16\nsig.bmp\n25\n45\n75\n#\n"
        "[Lamp_signal]\n1\n2\n16\n16\nsig.bmp\n\n55\n\n\n#\n");
    EXPECT_EQ(v.BrakeCurrMax, (std::vector<std::int32_t>{150, 200, 300}));
    ASSERT_EQ(v.CurrentB.size(), 1u);
    EXPECT_EQ(v.CurrentB[0].EbA, 7);
    // Empty lines keep the earlier value and still count.
    EXPECT_EQ(v.Lamp_signalSpeeds, (std::vector<std::int32_t>{25, 55, 75, 0}));
    EXPECT_EQ(failure("[Lamp_signal]\n1\n2\n16\n16\nsig.bmp\nfast\n#\n"),
              vehicleError("[Lamp_signal]"));
}

TEST_F(VehicleSections, CabPanel) {
    const VehicleSpec v = load(
        "[Clock]\n700\n20\n18\n[Panel]\npanel.bmp\n0\n400\n[Panel2]\n\n0\n0\n"
        "[Lamp_Fin]\nfin.bmp\n5\n6\n[Lamp_YY]\nyy.bmp\n7\n8\n"
        "[Needle_Speed]\nspeed.bmp\n100\n500\n0\n0\n-135\n2.25\n4.5\n"
        "[Needle_BC_L]\nbc.bmp\n300\n700\n0.125\n"
        "[Needle_I]\ni.bmp\n1\n2\n3\n4\n-90\n0.3\n2\n"
        "[GearImageList2]\n10\n20\n30\n40\nlever.bmp\n"
        "[Others]\n\n1\n2\nsecond.bmp\n3\n4\n#\n");
    EXPECT_EQ(v.ClockHandLength, 18);
    EXPECT_EQ(v.Panel.File, "panel.bmp");
    EXPECT_EQ(v.Panel.Y, 400);
    EXPECT_EQ(v.Panel2.File, "");
    EXPECT_EQ(v.Lamp_Fin.X, 5);
    EXPECT_EQ(v.Lamp_YY.Y, 8);
    EXPECT_EQ(v.Needle_Speed.StartAngle, -135);
    EXPECT_EQ(v.Needle_Speed.Rate, 2.25L);
    EXPECT_EQ(v.Needle_Speed.Rate2, 4.5L);
    EXPECT_EQ(v.Needle_BC_L.BaseY, 700);
    EXPECT_EQ(v.Needle_BC_L.Rate, 0.125L);
    EXPECT_EQ(v.Needle_I.Spare, (std::array<std::int32_t, 2>{3, 4}));
    EXPECT_EQ(v.Needle_I.Source, 2);
    EXPECT_EQ(v.GearImageList2.PatternHeight, 40);
    EXPECT_EQ(v.GearImageList2.File, "lever.bmp");
    // The empty first entry keeps its place, so the second stays entry 1.
    ASSERT_EQ(v.Others.size(), 2u);
    EXPECT_EQ(v.Others[0].File, "");
    EXPECT_EQ(v.Others[1].File, "second.bmp");
    EXPECT_EQ(v.Others[1].Y, 4);
}

}  // namespace
}  // namespace tovra::test
