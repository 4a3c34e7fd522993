#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/Currency.h"
#include "common/Numeric.h"

namespace tovra {

// An image placed at (X, Y) of the cab surface; an empty File means none.
struct PlacedImage {
    std::string File;
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

// A needle turned about its sprite: angle = StartAngle + value * Rate (degrees).
struct RoundNeedle {
    std::string File;
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::array<std::int32_t, 2> Spare{};  // must be integers; no effect
    std::int32_t StartAngle = 0;
    Extended Rate = 0;
    Extended Rate2 = 0;       // "[Needle_Speed]" only: the rate below 10 km/h
    std::int32_t Source = 0;  // "[Needle_I]" only: ammeter source 0, 1 or 2
};

// A bar moved vertically: top = BaseY - value * Rate (pixels).
struct LinearGauge {
    std::string File;
    std::int32_t X = 0;
    std::int32_t BaseY = 0;
    Extended Rate = 0;
};

// A picture cut into patterns of PatternWidth x PatternHeight.
struct PatternImage {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t PatternWidth = 0;
    std::int32_t PatternHeight = 0;
    std::string File;
};

// One power notch; entry i serves notch i + 1.
struct NotchRecord {
    double AccelStart = 0;  // km/h/s
    double AccelConst = 0;  // km/h/s
    std::int32_t SpeedConst = 0;
    std::int32_t SpeedPower = 0;
    double DecayBase = 0;
    std::int32_t ModeNumber = 0;
};

struct CurrentPRow {
    std::int32_t StepNotch = 0;
    Extended StepK = 0;
    Extended StepV0 = 0;
    std::int32_t Spare = 0;
};

struct CurrentBRow {
    Extended EbA = 0;
    Extended EbB = 0;
    std::int32_t Spare = 0;
};

// One gear of a diesel railcar (row k for gear k).
struct EngineRow {
    std::int32_t SpeedLow = 0;
    std::int32_t SpeedHigh = 0;
    std::int32_t SpeedMax = 0;
    double EffortLow = 0;  // kgf
    double EffortHigh = 0;
    double EffortMax = 0;
};

struct EngineRateRow {
    std::int32_t RpmOffset = 0;
    Extended RpmFactor = 0;
};

struct SwitchSoundRow {
    std::int32_t Sound = 0;
    std::int32_t Speed = 0;  // km/h
    std::int32_t SwitchId = 0;
};

struct EngineSound1Entry {
    std::string File;
    std::int32_t Kind = 0;
    Extended x0 = 0, x1 = 0, x2 = 0;
    Extended p0 = 0, p1 = 0, p2 = 0;
    Extended gain0 = 0, gain1 = 0, gain2 = 0;
};

struct EngineSound3Entry {
    std::string File;
    std::int32_t Kind = 0;
    std::int32_t Gear = 0;
    Extended x0 = 0, x1 = 0;
    Extended p0 = 0, p1 = 0;
    Extended gain0 = 0, gain1 = 0;
};

// Every value of one vehicle file. Scalars are named after their keys; file
// names stay as written, relative to the vehicle folder. All sound values are
// indexes into DriveSound.
struct VehicleSpec {
    // Controls and brakes.
    std::int32_t Handle = 0;
    std::int32_t BrakeType = 0;
    std::int32_t BrakeType2 = 0;
    std::int32_t Brake = 0;
    std::int32_t Power = 0;
    std::int32_t NotchBack = 0;
    std::int32_t Hold = 0;
    std::int32_t Pull = 0;
    std::int32_t ConstNotch = 0;
    std::int32_t ConstMinSpeed = 0;
    std::int32_t Back = 0;
    Currency BrakeRateAir;
    Currency BrakeRateElec;
    Currency BrakeRateSpeed;
    Extended FrictionCoef = 0;  // written with four decimals at most
    std::int32_t PowerDelay = 0;
    std::int32_t BrakeDelay = 0;
    std::int32_t EBrakeDelay = 0;
    std::int32_t PowerJerk = 0;
    std::int32_t SAPDelay = 0;
    std::int32_t BrakeUp = 0;
    std::int32_t BrakeDown = 0;
    std::int32_t SAPUp = 0;
    std::int32_t SAPDown = 0;
    std::int32_t EBrakeUp = 0;
    std::int32_t EBrakeDown = 0;
    std::int32_t EBrakeCurr = 0;
    std::int32_t BPReturn = 0;
    std::int32_t MAXPress = 0;
    std::int32_t EBPress = 0;
    std::int32_t SAPPress = 0;
    std::int32_t HighAirPress = 0;
    std::int32_t LowAirPress = 0;

    // Traction and the train.
    std::int32_t Engine_Type = 0;  // 1 electric, 0 diesel
    std::int32_t DoorLock = 0;
    std::int32_t Power_Type = 0;
    std::int32_t Brake_Type = 0;
    std::int32_t DoorType = 0;
    Currency Mt;
    Currency Tt;
    Currency Tct;
    std::int32_t Cars = 0;
    Currency Tons;
    std::int32_t EB = 0;
    std::int32_t MaxSpeed = 0;
    std::int32_t Lose_elec = 0;
    std::int32_t ELBR = 0;
    std::int32_t Mc = 0;
    std::int32_t ATS_Type = 0;
    std::int32_t ATS_Alert = 0;
    std::int32_t ATS_Time = 0;
    std::int32_t ATS_Cnt = 0;
    std::int32_t Gear_Type = 0;  // 0 automatic, 1 manual

    std::vector<NotchRecord> Notch;
    std::vector<std::int32_t> ModeStart;  // first notch record of each power mode
    std::int32_t MaxCurrent = 0;
    Extended CurrAccel = 0;
    Extended CurrSpeed = 0;
    std::vector<CurrentPRow> CurrentP;
    std::vector<std::int32_t> BrakeCurrMax;  // per brake position
    std::vector<CurrentBRow> CurrentB;
    std::vector<EngineRow> Engine;
    std::vector<EngineRateRow> EngineRate;
    std::vector<std::array<std::string, 2>> PowerModeName;

    static constexpr std::size_t kNotchCapacity = 11;
    static constexpr std::size_t kModeCapacity = 9;
    static constexpr std::size_t kCurrentPCapacity = 100;
    static constexpr std::size_t kBrakeCurrCapacity = 10;
    static constexpr std::size_t kCurrentBCapacity = 100;
    static constexpr std::size_t kEngineCapacity = 11;
    static constexpr std::size_t kEngineRateCapacity = 9;
    static constexpr std::size_t kPowerModeCapacity = 10;

    // Sounds. The per-step tables hold as many values as Brake (BA: Brake + 1)
    // or Power had when the section was read.
    std::vector<std::int32_t> Sound_BK, Sound_BR, Sound_BA, Sound_PA, Sound_PR;
    std::array<std::int32_t, 2> Sound_EB{};
    std::array<std::int32_t, 2> Sound_Apply{};
    std::int32_t Sound_Ats1 = 0;
    std::int32_t Sound_Ats2 = 0;
    std::int32_t Sound_Ats3 = 0;
    std::int32_t Sound_Atc = 0;
    std::int32_t Sound_Horn = 0;
    std::int32_t Sound_Horn2 = 0;
    std::int32_t Sound_Horn3 = 0;
    // Start, two sustain sounds, end, sustain interval in ticks, air use.
    std::array<std::int32_t, 6> Sound_Horn4{};
    bool HasSound_Horn4 = false;
    Currency HornAir;  // the sixth Sound_Horn4 value
    std::int32_t Sound_DoorOpen = 0;
    std::int32_t Sound_DoorClose = 0;
    std::int32_t Sound_EBring = 0;
    std::int32_t Sound_squeak = 0;
    std::int32_t CP_Start = 0;
    std::int32_t CP_Cnt = 0;
    std::int32_t CP_End = 0;
    std::int32_t Stop = 0;
    std::int32_t Buzzer = 0;
    std::int32_t DepSign = 0;
    std::int32_t ATS_Warn = 0;
    std::vector<SwitchSoundRow> SwitchSound;
    std::vector<EngineSound1Entry> EngineSound1;
    // Idle, idle with the doors open, start, stop.
    std::array<std::int32_t, 4> EngineSound2{};
    std::vector<EngineSound3Entry> EngineSound3;
    std::vector<std::string> DriveSound;

    static constexpr std::size_t kSwitchSoundCapacity = 501;
    static constexpr std::size_t kEngineSoundCapacity = 100;
    static constexpr std::size_t kDriveSoundCapacity = 501;

    // Cab panel.
    std::int32_t ClockX = 0;
    std::int32_t ClockY = 0;
    std::int32_t ClockHandLength = 0;
    PlacedImage Panel, Panel2;
    PlacedImage Lamp_Door, Lamp_Power, Lamp_EB, Lamp_Gen, Lamp_Air, Lamp_Fin, Lamp_Ele;
    PlacedImage Lamp_Ats1, Lamp_Ats2, Lamp_ATSP1, Lamp_ATSP2;
    PlacedImage Lamp_G, Lamp_YG, Lamp_Y, Lamp_YY, Lamp_R;  // read, never shown
    PlacedImage Lamp_Fwd, Lamp_Back, Lamp_Const, Lamp_Stop;
    RoundNeedle Needle_Speed, Needle_BC, Needle_SAP, Needle_ER, Needle_BP, Needle_MR;
    RoundNeedle Needle_V, Needle_I;
    LinearGauge Needle_BC_L, Needle_MR_L;
    PatternImage Lamp_signal;
    std::vector<std::int32_t> Lamp_signalSpeeds;  // the speed pattern k shows
    PatternImage NotchImageP, NotchImageB, NotchImageP2, NotchImageB2;
    PatternImage GearImageList, GearImageList2, Digi_Speed;
    std::vector<PlacedImage> Others;  // entry k becomes "img_other" + k

    static constexpr std::size_t kLampSignalCapacity = 10;
    static constexpr std::size_t kOthersCapacity = 11;
};

}  // namespace tovra
