#pragma once

#include <optional>

#include "report/RunRecord.h"

namespace tovra {

struct TrainState;
struct ProtectionState;

// Keeps the run record: the cab hands it the records it reads after every
// logic tick, and the run-control menus tell it of moves and restores.
class RunRecorder {
  public:
    // A fresh record; `emergencyHandle` is the brake handle position of the
    // driver's emergency brake.
    void begin(std::int32_t emergencyHandle);

    void afterLogicTick(const TrainState& state, const ProtectionState& protection, bool doorsOpen);
    // The train was placed elsewhere: what follows is a new leg.
    void startLeg(RunEventKind why);

    const RunRecord& record() const { return record_; }

  private:
    void addEvent(RunEventKind kind, const RunSample& at);
    void addSample(const RunSample& sample);
    void addTotals(const RunSample& now, const TrainState& state);

    RunRecord record_;
    std::int32_t emergencyHandle_ = 0;
    std::optional<RunSample> previous_;           // none at the start of a leg
    std::optional<double> previousAcceleration_;  // m/s²
    bool jerking_ = false;
    bool protectionBrake_ = false, protectionEmergency_ = false, bell_ = false, emergency_ = false;
    std::int64_t ticks_ = 0;
};

}  // namespace tovra
