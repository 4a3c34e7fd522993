#include "sim/Compressor.h"

#include "sim/Cab.h"

namespace tovra {

namespace {

constexpr Extended kVoltmeterStep = 250;  // V per logic tick

void runCompressor(Cab& cab) {
    TrainState& s = cab.state;
    const VehicleSpec& veh = cab.vehicle;
    bool& on = cab.traction.CompressorOn;
    if (s.MrPress < veh.LowAirPress && !on) {
        cab.sound.playOnce(veh.CP_Start);
        cab.sound.playLoop(veh.CP_Cnt);
        on = true;
    }
    if (on && s.MrPress >= veh.HighAirPress) {
        cab.sound.playOnce(veh.CP_End);
        cab.sound.stop(veh.CP_Cnt);
        on = false;
    }
    if (on) s.MrPress += veh.Engine_Type == 1 ? 0.3L : s.EngineRpm / 100 * 0.4L;
}

// Moves 250 V a tick towards the line voltage, never past it.
void followLineVoltage(TrainState& s) {
    const Extended gap = Extended(s.LineVoltage) - Extended(s.VoltmeterValue);
    if (gap > kVoltmeterStep)
        s.VoltmeterValue += kVoltmeterStep;
    else if (gap < -kVoltmeterStep)
        s.VoltmeterValue -= kVoltmeterStep;
    else
        s.VoltmeterValue = s.LineVoltage;
}

}  // namespace

void step_compressor(Cab& cab) {
    runCompressor(cab);
    followLineVoltage(cab.state);
}

}  // namespace tovra
