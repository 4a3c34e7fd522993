#include "app/RunStats.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include "app/CabWindow.h"

namespace tovra {

namespace {

constexpr int kPollMs = 5;
constexpr qint64 kReportMs = 10000;

double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return double(t.tv_sec) + double(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace

RunStats::RunStats(std::function<TForm1*()> cab) : cab_(std::move(cab)) {
    timer_.setInterval(kPollMs);
    connect(&timer_, &QTimer::timeout, this, &RunStats::poll);
}

void RunStats::trainChosen() {
    wall_.start();
    timer_.start();
}

void RunStats::poll() {
    TForm1* cab = cab_();
    if (!cab) return;
    const std::int64_t frames = cab->drawState().framesDrawn;
    const qint64 now = wall_.elapsed();
    if (!firstFrameSeen_) {
        if (frames == 0) return;
        firstFrameSeen_ = true;
        std::fprintf(stderr, "tovra: first cab frame drawn %lld ms after the train was chosen\n",
                     static_cast<long long>(now));
        lastFrames_ = frames;
        lastCpuSeconds_ = processorSeconds();
        lastReportMs_ = now;
        cab->takePhysicsLateness();  // loading is no part of the run
        timer_.setInterval(int(kReportMs));
        return;
    }
    const double seconds = double(now - lastReportMs_) / 1000;
    const double cpu = processorSeconds();
    const double late =
        std::chrono::duration<double, std::milli>(cab->takePhysicsLateness()).count();
    std::fprintf(stderr,
                 "tovra: %.1f frames drawn per second, %.0f %% of one core, %.1f km/h, "
                 "physics ticks up to %.1f ms late\n",
                 double(frames - lastFrames_) / seconds, 100 * (cpu - lastCpuSeconds_) / seconds,
                 double(cab->cab().state.Speed), late);
    lastFrames_ = frames;
    lastCpuSeconds_ = cpu;
    lastReportMs_ = now;
}

}  // namespace tovra
