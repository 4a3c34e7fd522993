// tovra_sound_bench [SECONDS]: the CPU share of the OpenAL sound device with
// all 320 channels looping while the pitch and volume of every one change
// each 100 ms, as the logic tick drives the running sounds. The backend is
// OpenAL's choice (ALSOFT_DRIVERS=null mixes into nothing at real-time pace).
#include <sndfile.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "../SoundFiles.h"
#include "platform/OpenAlSoundDevice.h"

namespace {

using Clock = std::chrono::steady_clock;

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

struct Share {
    double cpu = 0;     // of one core
    double tickMs = 0;  // spent in the channel calls per tick
};

// Runs `seconds` of 100 ms ticks; `tick` does the work of one.
template <typename Tick>
Share measure(double seconds, Tick tick) {
    const auto startWall = Clock::now();
    const double startCpu = cpuSeconds();
    double inTicks = 0;
    int ticks = 0;
    for (auto next = startWall; next - startWall < std::chrono::duration<double>(seconds);
         ++ticks) {
        const auto t = Clock::now();
        tick(ticks);
        inTicks += std::chrono::duration<double, std::milli>(Clock::now() - t).count();
        std::this_thread::sleep_until(next += std::chrono::milliseconds(100));
    }
    const double wall = std::chrono::duration<double>(Clock::now() - startWall).count();
    return {(cpuSeconds() - startCpu) / wall, inTicks / ticks};
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10;
    if (!(seconds > 0)) {
        std::fputs("usage: tovra_sound_bench [SECONDS]\n", stderr);
        return 1;
    }
    tovra::test::TempDir dir;
    tovra::test::writeTone(dir / "tone.wav", SF_FORMAT_PCM_16, 22050, 1, 2.0, 440, 0.3);
    tovra::OpenAlSoundDevice device;
    if (!device.warning().empty()) std::printf("(%s)\n", device.warning().c_str());
    const auto wave = device.loadWave(dir / "tone.wav");
    if (!wave) return 2;
    constexpr int kChannels = tovra::SoundDevice::kChannelCount;

    const Share idle = measure(seconds / 2, [](int) {});
    for (int c = 0; c < kChannels; ++c) {
        device.assign(c, *wave);
        device.playLoop(c);
    }
    const Share busy = measure(seconds, [&](int tick) {
        for (int c = 0; c < kChannels; ++c) {
            const double phase = 0.1 * tick + 0.02 * c;
            device.setPitch(c, 1.0 + 0.5 * std::sin(phase));
            device.setVolume(c, -2500 + int(1500 * std::cos(phase)));
        }
    });
    int playing = 0;
    for (int c = 0; c < kChannels; ++c)
        playing += device.status(c) == tovra::SoundDevice::Status::Looped;
    std::printf("sound device idle:             %5.1f %% of one core\n", 100 * idle.cpu);
    std::printf(
        "%d channels looping, pitch and volume of all changed every 100 ms: %5.1f %% of one core"
        " (%.3f ms per change of all)\n",
        playing, 100 * busy.cpu, busy.tickMs);
    return playing == kChannels ? 0 : 3;
}
