#pragma once

#include "data/ProgramSettings.h"
#include "data/RouteSpec.h"
#include "data/VehicleSpec.h"
#include "sim/DieselState.h"
#include "sim/MotionState.h"
#include "sim/TractionState.h"
#include "sim/TrainState.h"

namespace tovra::test {

// The records the train's own steps work on.
struct TrainRecords {
    ProgramSettings settings;
    VehicleSpec vehicle;
    RouteSpec route;
    TrainState state;
    TractionState traction;
    MotionState motion;
    DieselState diesel;
};

// A ten-car electric train of 300 t, standing, brakes released, ready to
// run, with no line around it. Tests change what they probe.
struct ElectricTrain {
    ElectricTrain() {
        train.settings.TickRate = 30;
        VehicleSpec& v = train.vehicle;
        v.Engine_Type = 1;
        v.Power_Type = 1;
        v.Brake_Type = 1;
        v.BrakeType = 1;
        v.BrakeType2 = 1;
        v.Power = 4;
        v.Brake = 8;
        v.NotchBack = 0;
        v.PowerDelay = 3;
        v.BrakeDelay = 10;
        v.SAPDelay = 5;
        v.EBrakeDelay = 4;
        v.BrakeUp = 200;
        v.BrakeDown = 150;
        v.SAPUp = 200;
        v.SAPDown = 200;
        v.EBrakeUp = 600;
        v.EBrakeDown = 900;
        v.EBrakeCurr = 1000;
        v.BPReturn = 60;
        v.MAXPress = 400;
        v.EBPress = 440;
        v.SAPPress = 390;
        v.HighAirPress = 880;
        v.LowAirPress = 780;
        v.ELBR = 80;
        v.Lose_elec = 5;
        v.MaxSpeed = 120;
        v.Mt = 120;
        v.Tt = 150;
        v.Tct = 30;
        v.Tons = 300;
        v.Cars = 10;
        v.BrakeRateAir = 4.5L;
        v.BrakeRateElec = 4.2L;
        v.BrakeRateSpeed = 70;
        v.FrictionCoef = 0.03L;
        v.Notch = {{3.0, 2.5, 35, 60, 0.98, 1},
                   {2.0, 2.0, 30, 50, 0.97, 1},
                   {2.5, 2.2, 32, 55, 0.98, 1},
                   {3.0, 2.6, 36, 62, 0.98, 1}};
        train.route.Friction = 0.3L;
        s.EngineState = 1;
        s.Reverser = 1;
        s.MrPress = 880;
        s.ErPress = 490;
        s.BpPress = 490;
        s.LineVoltage = 1500;
    }

    static constexpr Extended kMassKg = 300000;

    TrainRecords train;
    TrainState& s = train.state;
    VehicleSpec& veh = train.vehicle;
};

}  // namespace tovra::test
