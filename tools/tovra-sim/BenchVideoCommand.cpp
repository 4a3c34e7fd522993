#include "BenchVideoCommand.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>
#include <memory>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <time.h>
#include <unistd.h>

#include "Options.h"
#include "platform/FfmpegVideoSource.h"
#include "platform/VideoDecoder.h"

namespace tovra::sim {

namespace {

using Clock = std::chrono::steady_clock;

double milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double mean(const std::vector<double>& values) {
    double sum = 0;
    for (const double v : values) sum += v;
    return values.empty() ? 0 : sum / double(values.size());
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

double cpuMilliseconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct Timing {
    std::vector<double> waits;  // ms per frame
    double cpuPerFrame = 0;     // ms of processor time, all threads
    int wrong = 0;              // requests that gave no picture, or not the one asked for
};

struct CpuMeter {
    double start = cpuMilliseconds();
    double perFrame(std::size_t frames) const {
        return (cpuMilliseconds() - start) / double(std::max<std::size_t>(frames, 1));
    }
};

// Asks for each frame in turn and waits until it is decoded: how fast the
// exact frames come in this order.
Timing exactFrames(FfmpegVideoSource& video, const std::vector<int>& frames) {
    Timing timing;
    Image picture;
    const CpuMeter cpu;
    for (const int n : frames) {
        const auto start = Clock::now();
        if (!video.frame(n, picture)) ++timing.wrong;
        timing.waits.push_back(milliseconds(Clock::now() - start));
    }
    timing.cpuPerFrame = cpu.perFrame(frames.size());
    return timing;
}

// Jumps to each frame as a driver's jump does: how long the caller's fetch
// takes (it gets the nearest picture ready) and how long until the exact
// frame is there.
std::pair<Timing, Timing> jumps(FfmpegVideoSource& video, const std::vector<int>& frames) {
    Timing wait;
    Timing exact;
    std::shared_ptr<const Image> shown;
    Image picture;
    int have = -1;
    const CpuMeter cpu;
    for (const int n : frames) {
        const auto start = Clock::now();
        have = video.fetch(n, have, shown);
        wait.waits.push_back(milliseconds(Clock::now() - start));
        if (!video.frame(n, picture)) ++exact.wrong;
        have = n;
        exact.waits.push_back(milliseconds(Clock::now() - start));
    }
    wait.cpuPerFrame = exact.cpuPerFrame = cpu.perFrame(frames.size());
    return {wait, exact};
}

// Plays the drawing pass of the cab: after each physics tick (every 1/30 s)
// it fetches the frame the tick reached. Counts the passes that had to show
// another picture than the one asked for.
Timing paced(FfmpegVideoSource& video, const std::vector<int>& perTick) {
    Timing timing;
    std::shared_ptr<const Image> shown;
    int have = -1;
    const CpuMeter cpu;
    auto next = Clock::now();
    for (const int n : perTick) {
        std::this_thread::sleep_until(next += std::chrono::microseconds(33333));
        const auto start = Clock::now();
        have = video.fetch(n, have, shown);
        timing.waits.push_back(milliseconds(Clock::now() - start));
        if (have != n) ++timing.wrong;
    }
    timing.cpuPerFrame = cpu.perFrame(perTick.size());
    return timing;
}

// The frame at each physics tick of a train at `speed` km/h on film taken at
// `filmSpeed` km/h, starting at `from`; negative speeds run backwards.
std::vector<int> framesAtTicks(int from, int ticks, int speed, int filmSpeed) {
    std::vector<int> frames;
    int frame = from;
    int accumulated = 0;
    for (int tick = 0; tick < ticks; ++tick) {
        accumulated += std::abs(speed);
        frame += (speed < 0 ? -1 : 1) * (accumulated / filmSpeed);
        accumulated %= filmSpeed;
        frames.push_back(frame);
    }
    return frames;
}

std::vector<int> stepping(int from, int count, int step) {
    std::vector<int> frames(static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t i = 0; i < frames.size(); ++i) frames[i] = from + step * int(i);
    return frames;
}

std::optional<std::filesystem::path> findProgram(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        const auto candidate = std::filesystem::path(folder.empty() ? "." : folder) / name;
        if (access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return std::nullopt;
}

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

struct Reference {
    double msPerFrame = 0;
    double cpuPerFrame = 0;
    long frames = 0;
};

double secondsAfter(const std::string& text, const std::string& label) {
    const auto at = text.find(label);
    return at == std::string::npos ? 0 : std::strtod(text.c_str() + at + label.size(), nullptr);
}

// Runs `ffmpeg -benchmark` decoding the first `frames` frames to nothing,
// with output `options` (e.g. a conversion) before it; the figures are its
// real and processor time per frame.
std::optional<Reference> ffmpegReference(const std::filesystem::path& ffmpeg,
                                         const std::filesystem::path& file, int frames,
                                         const std::string& options) {
    const std::string command =
        shellQuoted(ffmpeg.string()) + " -hide_banner -nostdin -benchmark -i " +
        shellQuoted(file.string()) + " -map 0:v:0 -frames:v " + std::to_string(frames) +
        (options.empty() ? "" : " " + options) + " -f null - 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return std::nullopt;
    std::string output;
    char buffer[4096];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, pipe))
        output.append(buffer, got);
    if (pclose(pipe) != 0) return std::nullopt;
    // Progress lines end in \r; the last "frame=" holds the total.
    const auto framePos = output.rfind("frame=");
    if (framePos == std::string::npos || output.find("rtime=") == std::string::npos)
        return std::nullopt;
    Reference reference;
    reference.frames = std::strtol(output.c_str() + framePos + 6, nullptr, 10);
    if (reference.frames <= 0) return std::nullopt;
    const double perFrame = 1000 / double(reference.frames);
    reference.msPerFrame = secondsAfter(output, "rtime=") * perFrame;
    reference.cpuPerFrame =
        (secondsAfter(output, "utime=") + secondsAfter(output, "stime=")) * perFrame;
    return reference;
}

void printRow(const std::string& name, const Timing& timing, const std::string& note = {},
              const char* wrong = "failed") {
    const double worst =
        timing.waits.empty() ? 0 : *std::max_element(timing.waits.begin(), timing.waits.end());
    std::cout << "  " << std::left << std::setw(15) << name << std::right << std::fixed
              << std::setprecision(3) << std::setw(9) << median(timing.waits) << " ms median"
              << std::setw(9) << mean(timing.waits) << " ms mean" << std::setw(10) << worst
              << " ms worst" << std::setw(8) << timing.cpuPerFrame << " ms cpu  ("
              << timing.waits.size() << " frames"
              << (timing.wrong ? ", " + std::to_string(timing.wrong) + " " + wrong : "") << ")"
              << note << '\n';
}

// The pictures handed over at the size the cab shows them: each forward
// frame decoded and scaled in one step to the cab's 800 x 450 and to
// 1920 x 1080, against ffmpeg decoding and scaling with the same filter into
// the same pixel format.
void scaledLines(const std::filesystem::path& file, int width, int height, int frames,
                 const std::optional<std::filesystem::path>& ffmpeg) {
    std::cout << "  decoded at the size shown, in one scaling step (cab's filter):\n";
    for (const auto& [w, h] : {std::pair{800, 450}, std::pair{1920, 1080}}) {
        const std::string size = std::to_string(w) + "x" + std::to_string(h);
        const std::string filter = pictureScalingFilter(width, height, w, h);
        FfmpegVideoSource video;
        video.setPictureSize(w, h);
        if (!video.open(file)) return;
        const Timing timing = exactFrames(video, stepping(0, frames, 1));
        printRow("to " + size, timing, ", " + filter);
        if (!ffmpeg) continue;
        const auto reference =
            ffmpegReference(*ffmpeg, file, frames,
                            "-vf scale=" + std::to_string(w) + ":" + std::to_string(h) +
                                ":flags=" + filter + ",format=bgra");
        if (!reference) {
            std::cout << "    ffmpeg -benchmark (scale " << filter << " to " << size
                      << " BGRA): failed\n";
            continue;
        }
        std::cout << "    ffmpeg -benchmark, decode + scale (" << filter << ") to " << size
                  << " BGRA: " << std::setprecision(3) << reference->msPerFrame
                  << " ms/frame real, " << reference->cpuPerFrame << " ms/frame cpu ("
                  << reference->frames << " frames)\n"
                  << "    to " << size << " / ffmpeg: " << std::setprecision(2)
                  << median(timing.waits) / reference->msPerFrame << " median, "
                  << mean(timing.waits) / reference->msPerFrame << " mean, "
                  << timing.cpuPerFrame / reference->cpuPerFrame << " cpu\n";
    }
}

}  // namespace

int benchVideoCommand(const std::vector<std::string>& args) {
    if (args.empty() || args[0].rfind("--", 0) == 0)
        throw std::invalid_argument("bench-video needs a FILE");
    const std::filesystem::path file = args[0];
    const Options options({args.begin() + 1, args.end()},
                          {"frames", "back", "jumps", "paced", "creep", "seed"}, {});

    FfmpegVideoSource video;
    if (!video.open(file)) {
        std::cerr << "bench-video: cannot open " << file.string() << " as a video\n";
        return 2;
    }
    const int count = video.frameCount();
    const int forward = int(std::min<long>(options.integer("frames", 1800), count));
    const int back = int(std::min<long>(options.integer("back", 300), count));
    const int jumpCount = int(options.integer("jumps", 200));
    const int pacedFrames = int(std::min<long>(options.integer("paced", 150), count));
    const int creep = int(std::min<long>(options.integer("creep", 30), count / 2));
    if (forward < 1 || back < 1 || jumpCount < 1 || pacedFrames < 1 || creep < 1)
        throw std::invalid_argument(
            "--frames, --back, --jumps, --paced and --creep need at least 1");
    std::mt19937 random(unsigned(options.integer("seed", 1)));
    std::vector<int> randomFrames(static_cast<std::size_t>(jumpCount));
    for (int& n : randomFrames) n = int(random() % unsigned(count));

    Image first;
    video.frame(0, first);
    std::cout << "bench-video: " << file.string() << ": " << count << " frames of " << first.width
              << "x" << first.height << ", " << std::thread::hardware_concurrency() << " cores\n"
              << "  waiting for each exact frame in turn:\n";
    const Timing ahead = exactFrames(video, stepping(0, forward, 1));
    printRow("forward", ahead);
    const Timing behind = exactFrames(video, stepping(count - 1, back, -1));
    printRow("backward", behind);
    std::cout << "    backward / forward: " << std::setprecision(2)
              << mean(behind.waits) / std::max(mean(ahead.waits), 1e-9) << " mean\n";
    const auto [jumpWait, jumpExact] = jumps(video, randomFrames);
    std::cout << "  random jumps:\n";
    printRow("fetch", jumpWait, ", the nearest picture ready");
    printRow("exact frame", jumpExact);
    std::cout << "  the cab's drawing pass after each 1/30 s tick (fetch time; \"late\": "
                 "another picture shown meanwhile):\n";
    video.frame(0, first);
    printRow("at 30/s", paced(video, stepping(0, pacedFrames, 1)), ", one frame a tick", "late");
    // 5 km/h on film taken at 60: a frame back every 12 ticks.
    const int from = count / 2 + creep / 2;
    video.frame(from, first);
    printRow("back 5 km/h", paced(video, framesAtTicks(from, creep * 12, -5, 60)),
             ", " + std::to_string(creep) + " frames back on 60 km/h film", "late");

    const auto ffmpeg = findProgram("ffmpeg");
    if (!ffmpeg) {
        std::cout << "  ffmpeg: not installed, no reference figure (Debian package \"ffmpeg\")\n";
        scaledLines(file, first.width, first.height, forward, std::nullopt);
        return 0;
    }
    for (const bool convert : {false, true}) {
        const auto reference =
            ffmpegReference(*ffmpeg, file, forward, convert ? "-pix_fmt bgra" : "");
        const std::string what = convert ? "decode + convert to BGRA" : "decode only";
        if (!reference) {
            std::cout << "  ffmpeg -benchmark (" << what << "): failed\n";
            continue;
        }
        std::cout << "  ffmpeg -benchmark, " << what << ": " << std::setprecision(3)
                  << reference->msPerFrame << " ms/frame real, " << reference->cpuPerFrame
                  << " ms/frame cpu (" << reference->frames << " frames)\n"
                  << "    forward / ffmpeg: " << std::setprecision(2)
                  << median(ahead.waits) / reference->msPerFrame << " median, "
                  << mean(ahead.waits) / reference->msPerFrame << " mean, "
                  << ahead.cpuPerFrame / reference->cpuPerFrame << " cpu\n";
    }
    scaledLines(file, first.width, first.height, forward, *ffmpeg);
    return 0;
}

}  // namespace tovra::sim
