#include "AutoDriver.h"

#include <algorithm>
#include <cmath>

#include "cab/Cab.h"
#include "data/SpeedUnits.h"
#include "sim/ProtectionParts.h"

namespace tovra::sim {

namespace {

// Deceleration the driver plans with, and the one at which a stop begins,
// in m/s².
constexpr double kFullService = 0.9;
constexpr double kBeginBraking = 0.45;
// Metres from the stop mark within which a standing train has stopped.
constexpr double kCloseEnough = 5;

double metresPerSecond(double kmh) {
    return kmh / 3.6;
}

// Deceleration that brings `from` km/h down to `to` km/h over `metres`.
double neededDeceleration(double from, double to, double metres) {
    if (from <= to) return 0;
    const double v = metresPerSecond(from), w = metresPerSecond(to);
    return (v * v - w * w) / (2 * std::max(metres, 0.5));
}

int limitInForce(const Cab& cab) {
    const std::int32_t top = cab.vehicle.MaxSpeed > 0 ? cab.vehicle.MaxSpeed : 120;
    std::int32_t limit = top;
    if (cab.protection.SectionLimit > 0) limit = std::min(limit, cab.protection.SectionLimit);
    if (cab.protection.SignalLimit < kWarningLimit)
        limit = std::min(limit, cab.protection.SignalLimit);
    if (cab.protection.CheckSpeedInForce < kWarningLimit)
        limit = std::min(limit, cab.protection.CheckSpeedInForce);
    return limit;
}

// The brake step that gives about `deceleration`, at least 1.
int brakeStepFor(const Cab& cab, double deceleration) {
    const int service = std::max(1, cab.vehicle.Brake - 1);
    return std::clamp(int(std::ceil(deceleration / kFullService * service)), 1, service);
}

}  // namespace

// Metres to the first signal ahead when it shows stop, less a margin; none
// when it is clear. The route lists its signals along the line, so a cursor
// that follows the train finds the next one.
std::optional<double> AutoDriver::metresToStopSignal(const Cab& cab) {
    const std::vector<SignalRecord>& signals = cab.route.Signals;
    const std::int32_t frame = cab.state.Frame;
    if (nextSignal_ > 0 && signals[nextSignal_ - 1].signalFrame > frame) nextSignal_ = 0;
    while (nextSignal_ < signals.size() && signals[nextSignal_].signalFrame <= frame) ++nextSignal_;
    if (nextSignal_ == signals.size()) return std::nullopt;
    const SignalRecord& signal = signals[nextSignal_];
    // Some signals show their stop face for more than the stop aspect.
    const std::int32_t top = cab.vehicle.MaxSpeed;
    if (signalFace(signal.signalType, signal.aspect, top) != signalFace(signal.signalType, 0, top))
        return std::nullopt;
    const auto at = frame_to_position(cab.route.SpeedUnits, signal.signalFrame);
    if (!at) return std::nullopt;
    return double(Extended(*at) - cab.state.Position) / 100 - 15;
}

// One-man routes: the driver opens the doors at a stop and closes them once
// the departure time has come and the melody has started: shut before it,
// the doors would keep the starting signal at stop.
std::optional<char> AutoDriver::oneManDoors(const Cab& cab, bool standing) {
    if (cab.route.OneMan == 0 || !standing) return std::nullopt;
    const std::int32_t j = cab.stations.currentStation;
    const StationRecord& s = cab.route.stationOrEmpty(std::size_t(j));
    const Extended p = cab.state.Position;
    if (s.kind != 0 || p < s.zoneStart || p > s.zoneEnd) return std::nullopt;
    const bool open = cab.traction.doorsOpen;
    if (!open && doorsWorkedAt_ != j) return 'd';
    const bool melodyStarted = cab.stations.progress[std::size_t(j)].departureStarted;
    if (open && cab.stations.doorOpening == 1 && cab.state.Clock >= s.departureTime &&
        melodyStarted) {
        doorsWorkedAt_ = j;
        return 'd';
    }
    return std::nullopt;
}

// Power notches count up from 1, brake steps down from -1.
std::optional<char> AutoDriver::towards(const Cab& cab, int target) const {
    const TrainState& s = cab.state;
    const int now = s.PowerHandle > 0 ? s.PowerHandle : s.BrakeHandle;
    if (now < target) return '8';
    if (now > target) return '2';
    return std::nullopt;
}

std::optional<char> AutoDriver::decide(const Cab& cab) {
    const TrainState& s = cab.state;
    const double speed = std::fabs(double(s.Speed));
    const bool standing = speed < 0.1;
    const int holding = -std::max(1, (cab.vehicle.Brake - 1) / 2);

    if (s.ProtectEmergency || s.ProtectService) {
        // Reset needs the emergency position at a standstill.
        if (!standing) return towards(cab, 0);
        if (s.BrakeHandle != -cab.vehicle.Brake) return '0';
        return 'r';
    }
    if (s.Reverser != 1) {
        if (!standing) return towards(cab, holding);
        return 'f';
    }
    // The acknowledge key also answers the vigilance device.
    if (cab.protection.AtsAlarm || cab.protection.vigilanceCount > 300) return ' ';
    if (const auto door = oneManDoors(cab, standing)) return door;
    if (cab.traction.doorsOpen) return towards(cab, holding);

    double remain = double(cab.NextStopPosition - s.Position) / 100;  // m
    if (const auto signal = metresToStopSignal(cab); signal && *signal < remain)
        remain = std::max(*signal, 0.0);
    if (stopping_ || (remain > 0 && neededDeceleration(speed, 0, remain - 0.5) > kBeginBraking)) {
        stopping_ = !standing;
        if (standing) return towards(cab, holding);
        if (remain < 0.3) return towards(cab, -brakeStepFor(cab, kFullService));
        // Short of the mark and crawling: let go and roll on.
        if (speed < 3 && remain > 3)
            stopping_ = false;
        else
            return towards(cab, -brakeStepFor(cab, neededDeceleration(speed, 0, remain - 0.5)));
    }
    // Anywhere near the mark will do: the stopping window is wider.
    if (remain < kCloseEnough && standing) return towards(cab, holding);
    // Rolled past the mark: stop while still inside the window.
    if (remain <= 0 && remain > -kCloseEnough)
        return towards(cab, -brakeStepFor(cab, kFullService));

    const int limit = limitInForce(cab);
    for (const ApproachEntry& next : cab.protection.nextLimits) {
        if (!next.ahead || next.limit >= kWarningLimit) continue;
        const double d = neededDeceleration(speed, next.limit - 3, double(next.distance) / 100);
        if (d > kBeginBraking) return towards(cab, -brakeStepFor(cab, d));
    }
    if (speed > limit + 1) return towards(cab, -1);
    // Near the mark, roll up no faster than a gentle stop allows.
    const double approach = 3.6 * std::sqrt(2 * 0.3 * std::max(remain - 0.5, 0.0));
    // The last metres are coasted: an engine still winding up would carry the
    // train past the mark.
    if (remain > 0 && remain < 200 && approach < limit)
        return towards(cab, remain > kCloseEnough && speed < std::max(approach, 4.0) - 2 ? 1 : 0);
    if (speed < limit - 7) return towards(cab, cab.vehicle.Power);
    if (speed > limit - 3) return towards(cab, 0);
    return std::nullopt;
}

}  // namespace tovra::sim
