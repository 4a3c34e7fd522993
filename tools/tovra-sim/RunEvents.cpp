#include "RunEvents.h"

#include <algorithm>
#include <string>

#include "headless/HeadlessRun.h"

namespace tovra::sim {

namespace {

std::string waveFields(const HeadlessRun& run, int wave) {
    return "\"wave\":" + std::to_string(wave) + ",\"file\":" + jsonString(run.sound.waveFile(wave));
}

}  // namespace

void RunEventWatcher::afterLogicTick(const HeadlessRun& run, EventLog& log) {
    const double t = run.clock.seconds();
    const CalloutState& callouts = run.cab.callouts;
    const auto& queue = callouts.CalloutQueue;
    const auto filled =
        std::size_t(std::find(queue.begin(), queue.end(), std::nullopt) - queue.begin());
    const auto fresh =
        std::size_t(std::min<std::uint64_t>(callouts.added - calloutsAdded_, filled));
    for (std::size_t i = filled - fresh; i < filled; ++i)
        log.record(t, "callout_queued", waveFields(run, *queue[i]));
    if (callouts.started != calloutsStarted_ && queue[0])
        log.record(t, "callout_played", waveFields(run, *queue[0]));
    calloutsAdded_ = callouts.added;
    calloutsStarted_ = callouts.started;

    const ProtectionLog& protection = run.cab.protection.log;
    for (std::uint64_t n = protectionSeen_ + 1; n <= protection.lastSequence(); ++n) {
        if (const ProtectionLog::Line* line = protection.find(n))
            log.record(t, "protection", "\"text\":" + jsonString(line->text()));
    }
    protectionSeen_ = protection.lastSequence();
}

}  // namespace tovra::sim
