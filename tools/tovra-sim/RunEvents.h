#pragma once

#include <cstdint>

#include "EventLog.h"

namespace tovra {
struct HeadlessRun;
}

namespace tovra::sim {

// Events that the cab keeps in its own records rather than reporting: the
// call-outs queued and started, and the protection's log lines. Looked at
// after every logic tick.
class RunEventWatcher {
  public:
    void afterLogicTick(const HeadlessRun& run, EventLog& log);

  private:
    std::uint64_t calloutsAdded_ = 0;
    std::uint64_t calloutsStarted_ = 0;
    std::uint64_t protectionSeen_ = 0;
};

}  // namespace tovra::sim
