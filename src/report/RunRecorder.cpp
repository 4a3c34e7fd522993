#include "report/RunRecorder.h"

#include <algorithm>
#include <cmath>

#include "sim/ProtectionState.h"
#include "sim/TrainState.h"

namespace tovra {

namespace {

constexpr double kTickSeconds = 0.1;
constexpr double kJerkLimit = 1.0;  // m/s³

std::int16_t clampedShort(std::int32_t v) {
    return std::int16_t(std::clamp<std::int32_t>(v, INT16_MIN, INT16_MAX));
}

// As the stations see it: the speed rounds to 0.
bool atRest(float kmh) {
    return std::abs(kmh) <= 0.5f;
}

std::int8_t clampedByte(std::int32_t v) {
    return std::int8_t(std::clamp<std::int32_t>(v, INT8_MIN, INT8_MAX));
}

}  // namespace

void RunRecorder::begin(std::int32_t emergencyHandle) {
    *this = RunRecorder();
    emergencyHandle_ = emergencyHandle;
}

void RunRecorder::afterLogicTick(const TrainState& s, const ProtectionState& p, bool doorsOpen) {
    RunSample now;
    now.position = double(s.Position);
    now.speed = float(s.Speed);
    now.bcPressure = float(s.BcPressM);
    now.lineCurrent = float(s.AmmeterValue);
    now.lineVoltage = float(s.LineVoltage);
    now.clock = s.Clock;
    now.sectionLimit = clampedShort(p.SectionLimit);
    now.signalLimit = clampedShort(p.SignalLimit);
    now.patternSpeed = clampedShort(p.PatternSpeed);
    now.signalFace = clampedShort(p.SignalFace);
    now.leg = std::int16_t(record_.legs - 1);
    now.powerHandle = clampedByte(s.PowerHandle);
    now.brakeHandle = clampedByte(s.BrakeHandle);
    now.doorsOpen = doorsOpen;

    if (previous_) {
        const bool moving = !atRest(now.speed), wasMoving = !atRest(previous_->speed);
        if (wasMoving && !moving) addEvent(RunEventKind::Stop, now);
        if (!wasMoving && moving) addEvent(RunEventKind::Departure, now);
        if (doorsOpen != previous_->doorsOpen)
            addEvent(doorsOpen ? RunEventKind::DoorsOpened : RunEventKind::DoorsClosed, now);
    }
    // Each intervention counts where it begins; the state the run starts in
    // is none.
    const bool starting = ticks_ == 0;
    const auto rising = [&](bool on, bool& was, RunEventKind kind) {
        if (on && !was && !starting) addEvent(kind, now);
        was = on;
    };
    rising(s.ProtectService, protectionBrake_, RunEventKind::ProtectionBrake);
    rising(s.ProtectEmergency, protectionEmergency_, RunEventKind::ProtectionEmergency);
    rising(p.AtsAlarm, bell_, RunEventKind::Bell);
    // Standing, the emergency position is where the protection is reset from.
    rising(emergencyHandle_ > 0 && s.BrakeHandle <= -emergencyHandle_ && s.Speed != 0, emergency_,
           RunEventKind::Emergency);

    addTotals(now, s);
    if (ticks_++ % record_.stride == 0) addSample(now);
    previous_ = now;
}

void RunRecorder::addTotals(const RunSample& now, const TrainState& s) {
    RunTotals& t = record_.totals;
    const double watts = double(s.AmmeterValue) * double(s.LineVoltage);
    (watts >= 0 ? t.energyUsed : t.energyRegenerated) += std::abs(watts) * kTickSeconds;

    const std::int32_t limit =
        std::min<std::int32_t>(now.sectionLimit > 0 ? now.sectionLimit : kNoLimit,
                               now.signalLimit < kWarningLimit ? now.signalLimit : kNoLimit);
    if (std::abs(now.speed) > float(limit)) ++t.overspeedTicks;
    if (!previous_) return;

    t.drivenDistance += std::abs(now.position - previous_->position);
    const double acceleration =
        (std::abs(double(now.speed)) - std::abs(double(previous_->speed))) / 3.6 / kTickSeconds;
    t.peakDeceleration = std::max(t.peakDeceleration, -acceleration);
    if (previousAcceleration_) {
        const bool jerking =
            std::abs(acceleration - *previousAcceleration_) / kTickSeconds > kJerkLimit;
        if (jerking && !jerking_) ++t.jerks;
        jerking_ = jerking;
    }
    previousAcceleration_ = acceleration;
}

void RunRecorder::startLeg(RunEventKind why) {
    if (!previous_) return;  // nothing driven since the last leg began
    record_.legs = std::int16_t(std::min<int>(record_.legs + 1, INT16_MAX));
    RunSample at;
    at.clock = previous_->clock;
    at.position = previous_->position;
    at.leg = std::int16_t(record_.legs - 1);
    addEvent(why, at);
    previous_.reset();
    previousAcceleration_.reset();
    jerking_ = false;
}

void RunRecorder::addEvent(RunEventKind kind, const RunSample& at) {
    if (record_.events.size() >= RunRecord::kMaxEvents) return;
    record_.events.push_back({kind, at.clock, at.position, at.speed, at.leg});
}

void RunRecorder::addSample(const RunSample& sample) {
    auto& samples = record_.samples;
    if (samples.size() >= RunRecord::kMaxSamples) {
        // Halve the resolution rather than lose the end of a long run.
        std::size_t kept = 0;
        for (std::size_t i = 0; i < samples.size(); i += 2) samples[kept++] = samples[i];
        samples.resize(kept);
        record_.stride *= 2;
    }
    samples.push_back(sample);
}

}  // namespace tovra
