#include "view/PanelGauges.h"

#include <cmath>

#include "sim/DoorInterlock.h"
#include "view/PanelMath.h"

namespace tovra {

namespace {

void turn(SpriteModel& sprites, PanelSprite needle, int angle) {
    if (Sprite* s = sprites.find(needle)) s->angle = angle;
}

void turnNeedle(SpriteModel& sprites, PanelSprite needle, const RoundNeedle& n, Extended value) {
    turn(sprites, needle, gaugeAngle(value, n.Rate, n.StartAngle));
}

void raise(SpriteModel& sprites, PanelSprite needle, const LinearGauge& g, Extended value) {
    if (Sprite* s = sprites.find(needle)) s->y = linearGaugeTop(g.BaseY, g.Rate, value);
}

void light(SpriteModel& sprites, PanelSprite lamp, bool lit) {
    if (Sprite* s = sprites.find(lamp)) s->visible = lit;
}

// The last resistor step of a notch: the next row belongs to another notch.
// The row after the last is empty (notch 0), so the final step is one too.
bool lastStepOfNotch(const VehicleSpec& v, std::int32_t step) {
    const auto& rows = v.CurrentP;
    if (step < 1 || std::size_t(step) >= rows.size()) return false;
    const std::size_t next = std::size_t(step) + 1;
    const std::int32_t nextNotch = next < rows.size() ? rows[next].StepNotch : 0;
    return rows[std::size_t(step)].StepNotch != nextNotch;
}

bool regeneratingOnPower(const TrainState& s, const VehicleSpec& v) {
    if (s.PowerHandle < 1 || !(s.TractiveForce < 0) || s.PowerNotch < 1) return false;
    const auto& notches = v.Notch;
    const std::size_t record = std::size_t(s.PowerNotch) - 1;
    return record < notches.size() && notches[record].AccelStart < 0;
}

}  // namespace

void updateDrawnGauges(SpriteModel& sprites, const TrainState& s, const VehicleSpec& v,
                       bool hornBlowing, std::int32_t& ammeterShown) {
    if (Sprite* needle = sprites.find(PanelSprite::NeedleI)) {
        ammeterShown = easeAmmeter(ammeterShown, s.AmmeterValue);
        needle->angle = ammeterAngle(ammeterShown, v.Needle_I.Rate, v.Needle_I.StartAngle,
                                     v.Needle_I.Source, s.Reverser);
    }
    turnNeedle(sprites, PanelSprite::NeedleV, v.Needle_V, Extended(s.VoltmeterValue));
    const Extended bc = Extended(v.Mc == 0 ? s.BcPressT : s.BcPressM);
    turnNeedle(sprites, PanelSprite::NeedleBC, v.Needle_BC, bc);
    turnNeedle(sprites, PanelSprite::NeedleBP, v.Needle_BP, s.BpPress);
    // The main reservoir's needle dips by the horn's air while it blows.
    const Extended hornAir = hornBlowing ? -Extended(v.HornAir) : 0;
    turnNeedle(sprites, PanelSprite::NeedleMR, v.Needle_MR, Extended(s.MrPress) + hornAir);
    turnNeedle(sprites, PanelSprite::NeedleSAP, v.Needle_SAP, Extended(s.SapPress));
    turnNeedle(sprites, PanelSprite::NeedleER, v.Needle_ER, Extended(s.ErPress));
    raise(sprites, PanelSprite::NeedleBCLinear, v.Needle_BC_L, bc);
    raise(sprites, PanelSprite::NeedleMRLinear, v.Needle_MR_L, Extended(s.MrPress));
}

void update_speed_gauges(SpriteModel& sprites, const TrainState& s, const VehicleSpec& v) {
    const RoundNeedle& n = v.Needle_Speed;
    const Extended speed = s.Speed;
    if (const auto angle = speedNeedleAngle(speed, n.Rate, n.Rate2, n.StartAngle))
        turn(sprites, PanelSprite::NeedleSpeed, *angle);
    if (Sprite* digits = sprites.find(PanelSprite::DigiSpeed)) {
        digits->visible = true;
        const auto shown = roundHalfAway(speed);
        if (shown < 200) digits->patternIndex = int(std::llabs(shown));
    }
}

void updatePanelLamps(SpriteModel& sprites, const TrainState& s, const VehicleSpec& v,
                      const TractionState& traction) {
    const std::int32_t brakeSteps = v.Brake;
    const bool interlock = doorInterlockPasses(v, traction.doorsOpen);
    const bool serviceBrake = -brakeSteps < s.BrakeNotch && s.BrakeNotch < 0;
    light(sprites, PanelSprite::LampPower, s.PowerNotch >= 1 && interlock);
    light(sprites, PanelSprite::LampGen,
          (s.HoldBrake && s.ResistForce > 0 && s.ElecBrakeCurrent > 0) ||
              (serviceBrake && s.ElecBrakeCurrent > 0) || regeneratingOnPower(s, v));
    if (interlock) {
        light(sprites, PanelSprite::LampEle,
              s.PowerNotch >= 1 ||
                  (s.BrakeNotch < 0 && -brakeSteps < s.BrakeHandle && s.ElecBrakeCurrent > 0));
    }
    light(sprites, PanelSprite::LampAir, serviceBrake);
    light(sprites, PanelSprite::LampConst, s.ConstSpeed != 0);
    light(sprites, PanelSprite::LampFin, lastStepOfNotch(v, traction.PowerStep));
}

}  // namespace tovra
