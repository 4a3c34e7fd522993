#include <cmath>

#include "demo-gen/VehicleDesign.h"

namespace tovra::demo {

namespace {

// A modern ten-car commuter train: one-handle controller, inverter traction
// with two power modes, electro-pneumatic brake blended with regenerative
// braking, the pattern protection and a vigilance device.
VehicleDesign modernEmu() {
    VehicleDesign v{};
    v.fileName = "train_E231.dat";
    v.folder = "";
    v.assets = "train\\e231\\";
    v.title = "通勤形電車 2310形";
    v.voice = Voice::ModernEmu;
    v.panel = {rgb(62, 70, 84),
               rgb(36, 40, 48),
               rgb(18, 20, 24),
               rgb(240, 240, 236),
               rgb(255, 140, 40),
               rgb(0, 156, 96),
               true,
               140};
    v.handle = 0, v.brakeType = 1, v.brakeType2 = 1, v.brake = 8, v.power = 8, v.notchBack = 0;
    v.hold = 0, v.pull = 0, v.constNotch = 0, v.constMinSpeed = 0, v.back = 1;
    v.brakeRateAir = 4.6, v.brakeRateElec = 3.8, v.brakeRateSpeed = 40, v.frictionCoef = 0.012;
    v.powerDelay = 3, v.brakeDelay = 6, v.eBrakeDelay = 9, v.powerJerk = 0, v.sapDelay = 4;
    v.brakeUp = 200, v.brakeDown = 160, v.sapUp = 300, v.sapDown = 250;
    v.eBrakeUp = 600, v.eBrakeDown = 1500, v.eBrakeCurr = 400, v.bpReturn = 60;
    v.maxPress = 400, v.ebPress = 440, v.sapPress = 400, v.highAirPress = 880, v.lowAirPress = 780;
    v.engineType = 1, v.doorLock = 1, v.powerType = 1, v.brake_Type = 1, v.doorType = 1;
    v.mt = 140, v.tt = 117, v.tct = 63, v.cars = 10, v.tons = 320;
    v.eb = 1, v.maxSpeed = 120, v.loseElec = 5, v.elbr = 40, v.mc = 0;
    v.atsType = 1, v.atsAlert = 0, v.atsTime = 5, v.atsCnt = 1;
    // P1..P5 of the normal mode, then three gentler notches for wet rails.
    v.notches = {{0.7, 0.7, 15, 25, 0.92, 0},  {1.3, 1.3, 25, 40, 0.95, 0},
                 {1.8, 1.8, 30, 50, 0.97, 0},  {2.2, 2.2, 33, 55, 0.98, 0},
                 {2.5, 2.5, 35, 60, 0.985, 0}, {1.0, 1.0, 25, 45, 0.96, 1},
                 {1.6, 1.6, 30, 55, 0.98, 1},  {2.0, 2.0, 35, 60, 0.985, 1}};
    v.powerModes = {{"P", "通常"}, {"R", "雨天"}};
    v.tractionSounds = {
        {"vvvf_carrier.wav", Tone::InverterCarrier, 0, {0, 12, 30}, {1.0, 1.0, 1.0}, {80, 70, 15}},
        {"vvvf_sweep.wav", Tone::InverterSweep, 0, {10, 40, 80}, {0.5, 1.0, 1.6}, {30, 80, 45}},
        {"motor_hum.wav", Tone::MotorHum, 2, {0, 60, 120}, {0.15, 1.0, 2.0}, {20, 55, 70}},
        {"vvvf_regen.wav", Tone::InverterSweep, 1, {5, 40, 100}, {0.35, 1.0, 1.9}, {40, 75, 50}},
    };
    v.hornAir = 30;
    return v;
}

// Switching speeds of the resistor steps: each step starts at 1.25 times the
// current limit and is left when the current has fallen to it.
std::vector<ResistorStep> resistorSteps(int maxCurrent) {
    // Step 1 is the shunting notch alone; steps 2..7 series, 8..12 parallel,
    // 13..15 field weakening.
    const double bounds[] = {0, 5, 11, 18, 26, 34, 42, 49, 56, 63, 69, 75, 82, 90, 98};
    const int notchOf[] = {2, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 4, 4, 4};
    std::vector<ResistorStep> steps{{1, 0, -1}, {1, 1600, -10}};
    for (std::size_t j = 0; j + 1 < std::size(bounds); ++j) {
        const double v0 = (1.25 * bounds[j] - bounds[j + 1]) / 0.25;
        steps.push_back({notchOf[j], std::round(maxCurrent * (bounds[j + 1] - v0)), v0});
    }
    return steps;
}

// An older electric train: two handles with a holding-brake position, resistor
// control, the automatic air brake with a rheostatic brake, and the bell
// protection.
VehicleDesign olderEmu() {
    VehicleDesign v{};
    v.fileName = "train_oldemu.dat";
    v.folder = "train_oldemu\\";
    v.assets = "parts\\";
    v.title = "旧形電車 700形";
    v.voice = Voice::OldEmu;
    v.panel = {rgb(104, 128, 110),
               rgb(66, 84, 72),
               rgb(242, 238, 226),
               rgb(20, 20, 20),
               rgb(16, 16, 16),
               rgb(190, 40, 30),
               false,
               120};
    v.handle = 1, v.brakeType = 0, v.brakeType2 = 1, v.brake = 4, v.power = 4, v.notchBack = 2;
    v.hold = 1, v.pull = 0, v.constNotch = 0, v.constMinSpeed = 0, v.back = 0;
    v.brakeRateAir = 4.2, v.brakeRateElec = 2.0, v.brakeRateSpeed = 30, v.frictionCoef = 0.02;
    v.powerDelay = 4, v.brakeDelay = 8, v.eBrakeDelay = 12, v.powerJerk = 0, v.sapDelay = 6;
    v.brakeUp = 160, v.brakeDown = 110, v.sapUp = 100, v.sapDown = 100;
    v.eBrakeUp = 400, v.eBrakeDown = 800, v.eBrakeCurr = 380, v.bpReturn = 45;
    v.maxPress = 360, v.ebPress = 420, v.sapPress = 360, v.highAirPress = 880, v.lowAirPress = 780;
    v.engineType = 1, v.doorLock = 1, v.powerType = 0, v.brake_Type = 0, v.doorType = 0;
    v.mt = 170, v.tt = 62, v.tct = 68, v.cars = 8, v.tons = 300;
    v.eb = 0, v.maxSpeed = 100, v.loseElec = 15, v.elbr = 20, v.mc = 1;
    v.atsType = 0, v.atsAlert = 0, v.atsTime = 5, v.atsCnt = 0;
    v.maxCurrent = 400, v.currAccel = 2.0, v.currSpeed = 40;
    v.resistorSteps = resistorSteps(v.maxCurrent);
    // Rheostatic brake: current limit per brake-valve position, and steps
    // whose current is the speed over a falling resistance.
    v.brakeCurrMax = {0, 0, 300, 380, 0};
    v.brakeCurrentSteps.push_back({0, 0});
    for (int j = 1; j <= 12; ++j) v.brakeCurrentSteps.push_back({0.24 * std::pow(0.8, j - 1), 0});
    v.powerModes = {{"P", "直並列"}};
    v.tractionSounds = {
        {"motor_dc.wav", Tone::DcMotor, 0, {0, 50, 100}, {0.1, 1.0, 2.0}, {30, 80, 75}},
        {"gear_whine.wav", Tone::MotorHum, 2, {0, 50, 100}, {0.1, 1.0, 2.0}, {15, 40, 55}},
        {"motor_dc_brake.wav", Tone::DcMotor, 1, {15, 50, 100}, {0.3, 1.0, 2.0}, {40, 70, 60}},
    };
    v.hornAir = 40;
    return v;
}

// A two-car diesel railcar: automatic three-speed transmission, notched
// electric-command brake, cab-signal protection and a constant-speed key.
VehicleDesign dieselRailcar() {
    VehicleDesign v{};
    v.fileName = "train_dmu.dat";
    v.folder = "train_dmu\\";
    v.assets = "parts\\";
    v.title = "気動車 DC20形";
    v.voice = Voice::Diesel;
    v.panel = {rgb(190, 176, 144),
               rgb(140, 128, 100),
               rgb(250, 250, 246),
               rgb(24, 24, 24),
               rgb(200, 30, 30),
               rgb(30, 80, 170),
               false,
               120};
    v.handle = 0, v.brakeType = 2, v.brakeType2 = 0, v.brake = 8, v.power = 5, v.notchBack = 0;
    v.hold = 0, v.pull = 0, v.constNotch = 1, v.constMinSpeed = 30, v.back = 1;
    v.brakeRateAir = 4.3, v.brakeRateElec = 0, v.brakeRateSpeed = 40, v.frictionCoef = 0.015;
    v.powerDelay = 6, v.brakeDelay = 6, v.eBrakeDelay = 6, v.powerJerk = 10, v.sapDelay = 4;
    v.brakeUp = 180, v.brakeDown = 140, v.sapUp = 200, v.sapDown = 200;
    v.eBrakeUp = 0, v.eBrakeDown = 0, v.eBrakeCurr = 100, v.bpReturn = 50;
    v.maxPress = 410, v.ebPress = 430, v.sapPress = 410, v.highAirPress = 880, v.lowAirPress = 780;
    v.engineType = 0, v.doorLock = 1, v.powerType = 1, v.brake_Type = 1, v.doorType = 1;
    v.mt = 40, v.tt = 40, v.tct = 0, v.cars = 2, v.tons = 80;
    v.eb = 0, v.maxSpeed = 100, v.loseElec = 0, v.elbr = 0, v.mc = 0;
    v.atsType = 2, v.atsAlert = 0, v.atsTime = 3, v.atsCnt = 1;
    // Row 0 is neutral; its negative top speed lets the automatic gearbox
    // choose first gear from a standstill.
    v.engine = {{0, 0, -1, 0, 0, 0},
                {0, 20, 38, 5000, 4000, 2600},
                {30, 45, 68, 2900, 2300, 1600},
                {60, 80, 105, 1900, 1450, 950}};
    v.engineRates = {{30, 0.0}, {55, 1.0}, {35, 0.9}, {20, 0.75}};
    v.gearType = "AT";
    v.powerModes = {{"P", "自動変速"}};
    v.tractionSounds = {
        {"engine_low.wav", Tone::Engine, -1, {20, 55, 100}, {0.7, 1.3, 2.3}, {60, 80, 90}},
        {"engine_load1.wav", Tone::EngineHigh, 1, {40, 70, 100}, {0.8, 1.2, 1.6}, {40, 60, 70}},
        {"engine_load2.wav", Tone::EngineHigh, 2, {40, 70, 100}, {0.8, 1.2, 1.6}, {40, 60, 70}},
        {"engine_load3.wav", Tone::EngineHigh, 3, {40, 70, 100}, {0.8, 1.2, 1.6}, {40, 60, 70}},
    };
    v.gearSounds = {
        {"converter1.wav", Tone::Converter, 1, 1, {0, 40}, {0.6, 1.6}, {50, 60}},
        {"converter2.wav", Tone::Converter, 1, 2, {28, 70}, {0.7, 1.4}, {45, 55}},
        {"direct.wav", Tone::MotorHum, 1, 3, {55, 105}, {0.8, 1.6}, {40, 55}},
    };
    v.hornAir = 30;
    return v;
}

}  // namespace

std::string VehicleDesign::gearName(int position) const {
    if (engineType != 0) return position == 0 ? "―" : std::to_string(position);
    static const char* const names[] = {"中立", "変速1", "変速2", "直結"};
    return position >= 0 && position < 4 ? names[position] : std::to_string(position);
}

const std::vector<VehicleDesign>& vehicleDesigns() {
    static const std::vector<VehicleDesign> designs{modernEmu(), olderEmu(), dieselRailcar()};
    return designs;
}

}  // namespace tovra::demo
