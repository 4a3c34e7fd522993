#include "SoakChecks.h"

#include <cmath>
#include <utility>

#include "cab/Cab.h"
#include "common/TextFields.h"

namespace tovra::sim {

namespace {

// Beyond any train; the saved states refuse faster ones too.
constexpr Extended kFastestSpeed = 1000;  // km/h

}  // namespace

void ChannelGuard::check(int channel, const char* operation) {
    if (breach_ || (channel >= 0 && channel < kChannelCount)) return;
    breach_ = std::string(operation) + " on channel " + std::to_string(channel) +
              ", beyond the device's " + std::to_string(kChannelCount);
}

std::optional<int> ChannelGuard::loadWave(const std::filesystem::path& file) {
    return device_->loadWave(file);
}

void ChannelGuard::assign(int channel, int wave) {
    check(channel, "assign");
    device_->assign(channel, wave);
}

void ChannelGuard::playOnce(int channel) {
    check(channel, "play once");
    device_->playOnce(channel);
}

void ChannelGuard::playLoop(int channel) {
    check(channel, "play loop");
    device_->playLoop(channel);
}

void ChannelGuard::stop(int channel) {
    check(channel, "stop");
    device_->stop(channel);
}

SoundDevice::Status ChannelGuard::status(int channel) const {
    return device_->status(channel);
}

void ChannelGuard::setVolume(int channel, int volume) {
    check(channel, "volume");
    device_->setVolume(channel, volume);
}

void ChannelGuard::setPitch(int channel, double ratio) {
    check(channel, "pitch");
    device_->setPitch(channel, ratio);
}

std::optional<std::string> stateBreach(const Cab& cab) {
    const TrainState& s = cab.state;
    const std::pair<const char*, Extended> numbers[] = {
        {"Speed", s.Speed},
        {"Position", s.Position},
        {"StepDistance", s.StepDistance},
        {"RemainDistance", s.RemainDistance},
        {"BpPress", s.BpPress},
        {"ErCeiling", s.ErCeiling},
        {"ElecBrakeCurrent", s.ElecBrakeCurrent},
        {"EngineRpm", s.EngineRpm},
        {"EngineRpmTarget", cab.diesel.EngineRpmTarget},
        {"NextStopPosition", cab.NextStopPosition},
        {"GradSamplePos", cab.motion.GradSamplePos},
        {"PatternPos", cab.protection.PatternPos},
    };
    for (const auto& [name, value] : numbers) {
        if (!std::isfinite(value))
            return std::string(name) + " is " + formatGeneral(double(value), 6);
    }
    const std::pair<const char*, Extended> pressures[] = {
        {"BcPressM", s.BcPressM}, {"BcPressT", s.BcPressT}, {"ErPress", s.ErPress},
        {"BpPress", s.BpPress},   {"MrPress", s.MrPress},   {"SapPress", s.SapPress},
    };
    for (const auto& [name, value] : pressures) {
        if (value < 0) return std::string(name) + " is " + formatFixed(value, 4) + " kPa, below 0";
    }
    if (std::fabs(s.Speed) > kFastestSpeed)
        return "a speed of " + formatFixed(s.Speed, 1) + " km/h";
    return std::nullopt;
}

std::optional<std::string> clockBreach(std::int32_t before, std::int32_t after) {
    if (after > before) return std::nullopt;
    return "the clock stood at " + std::to_string(before) + " over a physics tick (now " +
           std::to_string(after) + ")";
}

bool resetApplies(const Cab& cab) {
    return !cab.keysLocked() && cab.state.BrakeHandle == -cab.vehicle.Brake &&
           std::fabs(cab.state.Speed) < 0.1L;
}

std::optional<std::string> resetBreach(const Cab& cab) {
    if (!cab.state.ProtectEmergency && !cab.state.ProtectService) return std::nullopt;
    return std::string("a reset at rest with the emergency brake left the ") +
           (cab.state.ProtectEmergency ? "emergency" : "service") + " protection brake on";
}

}  // namespace tovra::sim
