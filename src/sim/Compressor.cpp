#include "sim/Compressor.h"

#include "data/VehicleSpec.h"
#include "ports/SoundChannels.h"
#include "sim/TractionState.h"
#include "sim/TrainState.h"

namespace tovra {

namespace {

constexpr Extended kVoltmeterStep = 250;  // V per logic tick

void runCompressor(TrainState& s, bool& on, const VehicleSpec& veh, SoundChannels& sound) {
    if (s.MrPress < veh.LowAirPress && !on) {
        sound.playOnce(veh.CP_Start);
        sound.playLoop(veh.CP_Cnt);
        on = true;
    }
    if (on && s.MrPress >= veh.HighAirPress) {
        sound.playOnce(veh.CP_End);
        sound.stop(veh.CP_Cnt);
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

void step_compressor(TrainState& s, TractionState& traction, const VehicleSpec& veh,
                     SoundChannels& sound) {
    runCompressor(s, traction.CompressorOn, veh, sound);
    followLineVoltage(s);
}

}  // namespace tovra
