#pragma once

#include <cstdint>
#include <string>

#include "data/ProgramSettings.h"
#include "data/VehicleSpec.h"
#include "sim/HandleState.h"
#include "sim/TrainState.h"

namespace tovra {

// The handle texts the status labels show.
struct HandleTexts {
    std::string MasconText, BrakeText, ReverserText, GearText;
};

// The brake, power and reverser texts of the handles as they stand; later
// rules win where several apply.
void showHandleTexts(HandleTexts& texts, const TrainState& s, const HandleState& h,
                     const VehicleSpec& v, const ProgramSettings& t);

// GearText alone: the power mode's second name on an electric train, the gear
// lever's text on a diesel.
void updateGearText(std::string& text, const VehicleSpec& v, const ProgramSettings& t,
                    std::int32_t powerMode, std::int32_t gearLever);

}  // namespace tovra
