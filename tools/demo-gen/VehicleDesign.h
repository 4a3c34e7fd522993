#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "demo-gen/Canvas.h"

namespace tovra::demo {

struct NotchCurve {
    double accelStart, accelConst;
    int speedConst, speedPower;
    double decayBase;
    int mode;
};

struct ResistorStep {
    int notch;
    double k, v0;
};

struct BrakeCurrentStep {
    double a, b;
};

struct EngineGear {
    int speedLow, speedHigh, speedMax;
    double effortLow, effortHigh, effortMax;  // kgf
};

struct EngineRate {
    int offset;
    double factor;
};

// The voice of a traction sound, for the synthesiser.
enum class Tone {
    InverterCarrier,  // the inverter's carrier whine at low speed
    InverterSweep,    // its rising synchronous tones
    MotorHum,         // motor and gear hum that follows the speed
    DcMotor,          // a series-wound motor's whine
    Engine,           // diesel engine firing
    EngineHigh,       // its upper harmonics under load
    Converter,        // torque converter and gearbox whine
};

// An "[EngineSound1]" entry: breakpoints, pitch ratios and gains.
struct TractionSound {
    std::string name;  // file name without folder
    Tone tone;
    int kind;
    std::array<double, 3> x, pitch, gain;
};

// An "[EngineSound3]" entry.
struct GearSound {
    std::string name;
    Tone tone;
    int kind, gear;
    std::array<double, 2> x, pitch, gain;
};

// Colours and scales of a cab panel.
struct PanelStyle {
    Colour body, bodyDark, face, ink, needle, accent;
    bool darkFaces;  // white ticks on black dials
    int speedScale;  // km/h at the end of the speedometer
};

// The sound character of a vehicle, for the synthesiser.
enum class Voice { ModernEmu, OldEmu, Diesel };

// Everything the demo writes about one vehicle.
struct VehicleDesign {
    std::string fileName;  // the vehicle file
    std::string folder;    // its folder under the data folder, "" or ending in "\"
    std::string assets;    // prefix of its pictures and sounds, inside the folder
    std::string title;     // the name on the title screen
    Voice voice;
    PanelStyle panel;

    int handle, brakeType, brakeType2, brake, power, notchBack, hold, pull;
    int constNotch, constMinSpeed, back;
    double brakeRateAir, brakeRateElec, brakeRateSpeed, frictionCoef;
    int powerDelay, brakeDelay, eBrakeDelay, powerJerk, sapDelay;
    int brakeUp, brakeDown, sapUp, sapDown, eBrakeUp, eBrakeDown, eBrakeCurr, bpReturn;
    int maxPress, ebPress, sapPress, highAirPress, lowAirPress;
    int engineType, doorLock, powerType, brake_Type, doorType;
    double mt, tt, tct;
    int cars;
    double tons;
    int eb, maxSpeed, loseElec, elbr, mc;
    int atsType, atsAlert, atsTime, atsCnt;

    std::vector<EngineRate> engineRates;
    std::string gearType;  // "AT" or "MT"; empty leaves it out
    std::vector<NotchCurve> notches;
    int maxCurrent = 0;
    double currAccel = 0, currSpeed = 0;
    std::vector<ResistorStep> resistorSteps;
    std::vector<int> brakeCurrMax;
    std::vector<BrakeCurrentStep> brakeCurrentSteps;
    std::vector<EngineGear> engine;
    std::vector<std::pair<std::string, std::string>> powerModes;
    std::vector<TractionSound> tractionSounds;
    std::vector<GearSound> gearSounds;
    int hornAir = 0;  // "[Sound_Horn4]" air value

    std::string gearName(int position) const;  // for the gear indicator pictures
};

// The three vehicles of the demo: the default modern commuter train, an
// older electric train and a diesel railcar.
const std::vector<VehicleDesign>& vehicleDesigns();

}  // namespace tovra::demo
