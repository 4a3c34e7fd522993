#include "sim/TrainMotion.h"

#include <cmath>

#include "common/UiText.h"
#include "data/RouteSpec.h"
#include "sim/MotionState.h"
#include "sim/PhysicsMath.h"
#include "sim/TrainState.h"

namespace tovra {

namespace {

constexpr const char* kSlipText = uiTextMark("TrainMotion", "空転");
constexpr const char* kSlideText = uiTextMark("TrainMotion", "滑走");

void setText(std::string& text, const char* value) {
    if (text != value) text = value;
}

// The mass (t) whose axles carry the traction: the motor cars of an electric
// train, the whole train of a diesel railcar.
Extended drivenTonnes(const VehicleSpec& veh) {
    return veh.Engine_Type == 1 ? Extended(veh.Mt) : Extended(veh.Tons);
}

void updateAdhesion(TrainState& s, const RouteSpec& route, Extended v) {
    const Extended friction = route.Friction;
    if (s.PowerNotch >= 1)
        s.Adhesion = (v * 0.279L + 1) / (v * 0.367L + 1) * friction;
    else if (s.BrakeNotch < 0)
        s.Adhesion = friction / (v * 0.0059L + 1);
}

// The weight along the slope and the drag of a tunnel.
void addTrackForces(TrainState& s, const MotionState& motion, const VehicleSpec& veh,
                    const RouteSpec& route, Extended v, Extended m) {
    const Extended g = s.Gradient;
    s.ResistForce += -m * kGravity * g / std::sqrt(g * g + 1e6L);
    if (motion.InTunnel) {
        const Extended drag =
            Extended(route.TunnelR) / 10000 * v * v * Extended(veh.Tons) * kGravity;
        if (s.Speed >= 0)
            s.ResistForce -= drag;
        else
            s.ResistForce += drag;
    }
}

void updateAdhesionLimit(TrainState& s, const VehicleSpec& veh) {
    if (s.PowerNotch >= 1)
        s.AdhesionLimit = s.Adhesion * drivenTonnes(veh) * 1000 * kGravity + s.ResistForce;
    else if (s.BrakeNotch < 0)
        s.AdhesionLimit = s.Adhesion * Extended(veh.Tons) * 1000 * kGravity + s.ResistForce;
}

// More force than the wheels can transmit: slip under power keeps half the
// adhesion of the driven axles, a slide under braking 0.66 of the whole train.
void limitByAdhesion(TrainState& s, MotionState& motion, const VehicleSpec& veh) {
    std::string& text = motion.SlipText;
    if (s.PowerNotch >= 1 && s.AdhesionLimit < s.TractiveForce) {
        s.TractiveForce = s.Adhesion * 0.5L * drivenTonnes(veh) * 1000 * kGravity;
        setText(text, kSlipText);
    } else if (s.BrakeNotch < 0 && -Extended(s.AdhesionLimit) > s.TractiveForce) {
        s.TractiveForce = -s.Adhesion * 0.66L * Extended(veh.Tons) * 1000 * kGravity;
        setText(text, kSlideText);
    } else {
        setText(text, "");
    }
}

void addRunningResistance(TrainState& s, const VehicleSpec& veh, Extended v) {
    const Extended tons = veh.Tons;
    if (v < 8 && s.ResistForce >= 0) {
        const Extended starting = (8 - v) * kGravity * tons;
        if (s.Speed >= 0)
            s.ResistForce -= starting;
        else
            s.ResistForce += starting;
    }
    const Extended running =
        kGravity * (tons * (1.32L + 0.0164L * v) + (0.028L + 0.0078L * (veh.Cars - 1)) * v * v);
    if (s.Speed > 0.1L)
        s.ResistForce -= running;
    else if (s.Speed < -0.1L)
        s.ResistForce += running;
}

void applyDriverControls(TrainState& s) {
    if (s.ResistForce > 0 && s.HoldBrake && s.Gradient < 0) s.TractiveForce -= s.ResistForce;
    if (s.ConstSpeed != 0) s.TractiveForce = s.ResistForce < 0 ? -Extended(s.ResistForce) : 0;
}

void stopDead(TrainState& s) {
    s.Speed = 0;
    s.TractiveForce = Currency{};
    s.ResistForce = Currency{};
}

// A standing train stays put while the trailer cylinder holds it; a moving
// one whose forces would carry it through 0 km/h stops there.
void holdOrStop(TrainState& s, const VehicleSpec& veh, Extended m) {
    const Extended traction = s.TractiveForce;
    const Extended resist = s.ResistForce;
    if (s.Speed == 0) {
        const Extended holding =
            finiteOrZero(Extended(s.FrictionFactor) * s.BcPressT / veh.EBPress / 3.6L * m);
        if (holding > std::fabs(resist)) stopDead(s);
        return;
    }
    const bool outweighs = std::fabs(resist) < std::fabs(traction);
    if (s.Speed > 0 && traction < 0 && outweighs && s.NextSpeed < 0) stopDead(s);
    if (s.Speed < 0 && traction > 0 && outweighs && s.NextSpeed > 0) stopDead(s);
}

}  // namespace

void integrate_speed(TrainState& s, MotionState& motion, const VehicleSpec& veh,
                     const RouteSpec& route) {
    const Extended m = trainMassKg(veh);
    if (!(m > 0)) return;  // a train without mass has no motion to integrate
    const Extended v = std::fabs(s.Speed);
    updateAdhesion(s, route, v);
    addTrackForces(s, motion, veh, route, v, m);
    updateAdhesionLimit(s, veh);
    limitByAdhesion(s, motion, veh);
    addRunningResistance(s, veh, v);
    applyDriverControls(s);
    if (s.VideoMode[0] == 1) s.ResistForce = Currency{};
    s.NextSpeed = s.Speed + Extended(s.TractiveForce) / m * 3.6L / 10 +
                  Extended(s.ResistForce) / m * 3.6L / 10;
    holdOrStop(s, veh, m);
    if (!motion.ResistOff) s.Speed += Extended(s.ResistForce) / m * 3.6L / 10;
    s.Speed += Extended(s.TractiveForce) / m * 3.6L / 10;
}

}  // namespace tovra
