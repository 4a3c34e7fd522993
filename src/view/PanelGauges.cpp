#include "view/PanelGauges.h"

#include <cmath>

#include "cab/Cab.h"
#include "sim/DoorInterlock.h"
#include "view/PanelMath.h"

namespace tovra {

namespace {

void turn(Cab& cab, const char* name, int angle) {
    if (Sprite* s = cab.sprites.find(name)) s->angle = angle;
}

void turnNeedle(Cab& cab, const char* name, const RoundNeedle& n, Extended value) {
    turn(cab, name, gaugeAngle(value, n.Rate, n.StartAngle));
}

void raise(Cab& cab, const char* name, const LinearGauge& g, Extended value) {
    if (Sprite* s = cab.sprites.find(name)) s->y = linearGaugeTop(g.BaseY, g.Rate, value);
}

void light(Cab& cab, const char* name, bool lit) {
    if (Sprite* s = cab.sprites.find(name)) s->visible = lit;
}

// The last resistor step of a notch: the next row belongs to another notch.
// The row after the last is empty (notch 0), so the final step is one too.
bool lastStepOfNotch(const Cab& cab) {
    const auto& rows = cab.vehicle.CurrentP;
    const std::int32_t step = cab.traction.PowerStep;
    if (step < 1 || std::size_t(step) >= rows.size()) return false;
    const std::size_t next = std::size_t(step) + 1;
    const std::int32_t nextNotch = next < rows.size() ? rows[next].StepNotch : 0;
    return rows[std::size_t(step)].StepNotch != nextNotch;
}

bool regeneratingOnPower(const Cab& cab) {
    const TrainState& s = cab.state;
    if (s.PowerHandle < 1 || !(s.TractiveForce < 0) || s.PowerNotch < 1) return false;
    const auto& notches = cab.vehicle.Notch;
    const std::size_t record = std::size_t(s.PowerNotch) - 1;
    return record < notches.size() && notches[record].AccelStart < 0;
}

}  // namespace

void updateDrawnGauges(Cab& cab, std::int32_t& ammeterShown) {
    const VehicleSpec& v = cab.vehicle;
    const TrainState& s = cab.state;
    if (Sprite* needle = cab.sprites.find("img_Needle_I")) {
        ammeterShown = easeAmmeter(ammeterShown, s.AmmeterValue);
        needle->angle = ammeterAngle(ammeterShown, v.Needle_I.Rate, v.Needle_I.StartAngle,
                                     v.Needle_I.Source, s.Reverser);
    }
    turnNeedle(cab, "img_Needle_V", v.Needle_V, Extended(s.VoltmeterValue));
    const Extended bc = Extended(v.Mc == 0 ? s.BcPressT : s.BcPressM);
    turnNeedle(cab, "img_Needle_BC", v.Needle_BC, bc);
    turnNeedle(cab, "img_Needle_BP", v.Needle_BP, s.BpPress);
    turnNeedle(cab, "img_Needle_MR", v.Needle_MR,
               Extended(s.MrPress) + Extended(cab.runningSound.hornAir));
    turnNeedle(cab, "img_Needle_SAP", v.Needle_SAP, Extended(s.SapPress));
    turnNeedle(cab, "img_Needle_ER", v.Needle_ER, Extended(s.ErPress));
    raise(cab, "img_Needle_BC_L", v.Needle_BC_L, bc);
    raise(cab, "img_Needle_MR_L", v.Needle_MR_L, Extended(s.MrPress));
}

void update_speed_gauges(Cab& cab) {
    const RoundNeedle& n = cab.vehicle.Needle_Speed;
    const Extended speed = cab.state.Speed;
    if (const auto angle = speedNeedleAngle(speed, n.Rate, n.Rate2, n.StartAngle))
        turn(cab, "img_Needle_speed", *angle);
    if (Sprite* digits = cab.sprites.find("img_digi_speed")) {
        digits->visible = true;
        const auto shown = roundHalfAway(speed);
        if (shown < 200) digits->patternIndex = int(std::llabs(shown));
    }
}

void updatePanelLamps(Cab& cab) {
    const TrainState& s = cab.state;
    const std::int32_t brakeSteps = cab.vehicle.Brake;
    const bool interlock = doorInterlockPasses(cab.vehicle, cab.traction.doorsOpen);
    const bool serviceBrake = -brakeSteps < s.BrakeNotch && s.BrakeNotch < 0;
    light(cab, "img_Lamp_Power", s.PowerNotch >= 1 && interlock);
    light(cab, "img_Lamp_Gen",
          (s.HoldBrake && s.ResistForce > 0 && s.ElecBrakeCurrent > 0) ||
              (serviceBrake && s.ElecBrakeCurrent > 0) || regeneratingOnPower(cab));
    if (interlock) {
        light(cab, "img_Lamp_Ele",
              s.PowerNotch >= 1 ||
                  (s.BrakeNotch < 0 && -brakeSteps < s.BrakeHandle && s.ElecBrakeCurrent > 0));
    }
    light(cab, "img_Lamp_Air", serviceBrake);
    light(cab, "img_Lamp_const", s.ConstSpeed != 0);
    light(cab, "img_Lamp_fin", lastStepOfNotch(cab));
}

}  // namespace tovra
