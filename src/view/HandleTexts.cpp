#include "view/HandleTexts.h"

#include "sim/PowerModes.h"

namespace tovra {

namespace {

const std::string& powerModeName(const VehicleSpec& v, std::int32_t mode, std::size_t which) {
    static const std::string none;
    return mode >= 0 && std::size_t(mode) < v.PowerModeName.size()
               ? v.PowerModeName[std::size_t(mode)][which]
               : none;
}

// Later rules win where several apply.
void updateBrakeText(std::string& text, const TrainState& s, const VehicleSpec& v,
                     const ProgramSettings& t) {
    const std::int32_t handle = s.BrakeHandle;
    if (handle == -v.Brake) text = t.EB;
    if (handle == 0) text = t.Neut;
    if (v.BrakeType > 0 && -v.Brake < handle && handle < 0 && !s.HoldBrake) {
        text = "B" + std::to_string(-handle);
    }
    if (s.HoldBrake) text = t.Hold2;
    if (v.BrakeType == 0) {
        switch (handle) {
            case -3:
                text = t.Apply;
                break;
            case -2:
                text = t.Hold;
                break;
            case -1:
                text = t.Maintain;
                break;
            case -5:
                text = t.Remove;
                break;
            default:
                break;
        }
    }
}

void updateMasconText(std::string& text, const TrainState& s, std::int32_t mode,
                      const VehicleSpec& v, const ProgramSettings& t) {
    if (s.ConstSpeed != 0) {
        text = t.Const;
    } else if (s.PowerHandle == 0) {
        text = t.Neut2;
    } else if (s.PowerHandle > 0 && s.PowerHandle <= v.Power) {
        const std::int32_t inMode =
            mode == 0 ? s.PowerHandle : s.PowerHandle - modeStartOf(v, mode - 1);
        text = powerModeName(v, mode, 0) + std::to_string(inMode);
    }
}

const std::string& reverserText(std::int32_t r, const ProgramSettings& t) {
    return r == 1 ? t.Forward : r == -1 ? t.Reverse : t.Neutral;
}

}  // namespace

void showHandleTexts(HandleTexts& texts, const TrainState& s, const HandleState& h,
                     const VehicleSpec& v, const ProgramSettings& t) {
    updateBrakeText(texts.BrakeText, s, v, t);
    updateMasconText(texts.MasconText, s, h.PowerMode, v, t);
    texts.ReverserText = reverserText(s.Reverser, t);
}

void updateGearText(std::string& text, const VehicleSpec& v, const ProgramSettings& t,
                    std::int32_t powerMode, std::int32_t lever) {
    if (v.Engine_Type == 1) {
        text = powerModeName(v, powerMode, 1);
        return;
    }
    const auto& gears = t.Gears;
    if (lever == 0 || lever == 1) {
        text = gears[std::size_t(lever)];
    } else if (lever == 2 && v.Engine.size() == 3) {
        text = gears[2];
    } else if (lever >= 2) {
        text = gears[2] + std::to_string(lever - 1);
    }
}

}  // namespace tovra
