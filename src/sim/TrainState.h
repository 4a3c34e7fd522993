#pragma once

#include <array>
#include <cstdint>

#include "common/Currency.h"

namespace tovra {

// A handle delay: set pending by a handle movement, counted in physics ticks.
struct HandleDelay {
    bool pending = false;
    std::int32_t count = 0;
};

// The dynamic state of the one simulated train. Later subsystems add their
// own fields next to the core ones below.
struct TrainState {
    Extended Speed = 0;           // km/h, negative when running backwards
    Extended Position = 0;        // cm since the start position
    Extended StepDistance = 0;    // cm advanced in the last physics tick
    Extended RemainDistance = 0;  // cm to the next stop position

    std::int32_t Reverser = 0;  // 1 forward, 0 neutral, -1 reverse
    std::int32_t PowerHandle = 0;
    std::int32_t PowerNotch = 0;
    std::int32_t BrakeHandle = 0;  // 0 or negative; -Brake is emergency
    std::int32_t BrakeNotch = 0;
    std::int32_t SapNotch = 0;
    std::int32_t ElecBrakeNotch = 0;

    bool ProtectEmergency = false;
    bool ProtectService = false;
    bool HoldBrake = false;
    std::int32_t ConstSpeed = 0;

    HandleDelay PowerDelayState, BrakeDelayState, SapDelayState, ElecBrakeDelayState;

    Currency BcPressM, BcPressT;  // kPa
    Currency ErPress, MrPress, SapPress;
    Extended BpPress = 0;
    Extended ErCeiling = 0;

    Extended ElecBrakeCurrent = 0;  // A
    std::int32_t MotorCurrent = 0;
    std::int32_t AmmeterValue = 0;
    Currency LineVoltage, VoltmeterValue;  // V

    Currency Gradient;                                                   // permil, positive uphill
    Currency TractiveForce, LastTractiveForce, BrakeForce, ResistForce;  // N
    Currency NextSpeed;                                                  // km/h
    Currency FrictionFactor, Adhesion;
    Currency AdhesionLimit;  // N

    Extended EngineRpm = 0;
    std::int32_t EngineState = 0;  // 1 running, 0 stopped, -1 starting, -2 stopping

    std::int32_t Clock = 0;  // 1/30 s since midnight
    std::int32_t LogicTickCount = 0;

    // The video: the main-video frame of the train's position, the frame of
    // a sub-video while one plays, and VideoMode[0] 0 main, 1 station video,
    // 2 moving sub-video, 9 switching; VideoMode[1] 1 once turned back.
    std::int32_t Frame = 0;
    std::int32_t SubFrame = 0;
    std::int32_t SubStart = 0;
    std::int32_t SubEnd = 0;
    std::array<std::int32_t, 2> VideoMode{};
    bool FollowVideoSpeed = false;  // testing aid: speed follows the filmed speed

    // The train moved a handle; the handle texts and lamps are yet to follow.
    bool handleDisplayDue = false;
};

}  // namespace tovra
