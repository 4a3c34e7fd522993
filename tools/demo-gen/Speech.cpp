#include "demo-gen/Speech.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <vector>

#include "demo-gen/Synth.h"

extern char** environ;

namespace tovra::demo {

namespace {

// Runs a program with arguments (no shell) and waits; true on exit status 0.
bool run(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::filesystem::path scratchFile() {
    static std::atomic<int> counter{0};
    return std::filesystem::temp_directory_path() /
           ("tovra-demo-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".wav");
}

// Cuts the silence espeak-ng leaves around a phrase.
void trim(Samples& s) {
    std::size_t a = 0, b = s.size();
    while (a < b && std::abs(s[a]) < 0.01f) ++a;
    while (b > a && std::abs(s[b - 1]) < 0.01f) --b;
    s = Samples(s.begin() + long(a), s.begin() + long(b));
}

// Beeps in place of words: one per few kana, rising for an announcement.
Samples tones(const std::string& kana, SpeechStyle style) {
    const std::size_t syllables = std::max<std::size_t>(2, kana.size() / 3);
    const std::size_t beeps = std::min<std::size_t>(8, std::max<std::size_t>(2, syllables / 3));
    Samples s;
    for (std::size_t k = 0; k < beeps; ++k) {
        const double hz =
            style == SpeechStyle::Callout ? 440.0 + 60.0 * double(k % 2) : 523.0 + 40.0 * double(k);
        Samples beep = partials(0.16, {{hz, 1.0}, {hz * 2, 0.2}});
        fadeEdges(beep, 0.01, 0.04);
        mixInto(s, beep, 0.2 * double(k));
    }
    mixInto(s, silence(0.1), 0.2 * double(beeps));
    return s;
}

}  // namespace

Speech::Speech(bool useVoice) : available_(useVoice && run({"espeak-ng", "--version"})) {}

Samples Speech::voice(const std::string& kana, SpeechStyle style) const {
    const auto file = scratchFile();
    const bool callout = style == SpeechStyle::Callout;
    const bool ok = run({"espeak-ng", "-v", callout ? "ja" : "ja+f3", "-s", callout ? "165" : "140",
                         "-p", callout ? "38" : "58", "-w", file.string(), kana});
    Samples s = ok ? readWave(file) : Samples{};
    std::error_code ec;
    std::filesystem::remove(file, ec);
    trim(s);
    return s;
}

Samples Speech::say(const std::string& kana, SpeechStyle style) const {
    Samples words = available_ ? voice(kana, style) : Samples{};
    if (words.empty()) words = tones(kana, style);
    if (style == SpeechStyle::Callout) {
        filter(words, Biquad::highpass(120));
        normalise(words, 0.8f);
        Samples out = silence(0.05);
        mixInto(out, words, 0.05);
        mixInto(out, silence(0.15), double(out.size()) / kSampleRate);
        return out;
    }
    // Over the train's loudspeakers: narrow band and a little room, after the
    // two-note chime.
    filter(words, Biquad::highpass(350));
    filter(words, Biquad::lowpass(3400));
    Samples room = words;
    const std::size_t delay = sampleCount(0.045);
    room.resize(room.size() + delay * 4, 0.0f);
    for (std::size_t i = delay; i < room.size(); ++i) room[i] += 0.3f * room[i - delay];
    normalise(room, 0.75f);
    Samples out = silence(0.2);
    mixInto(out, chime(1047, 0.7), 0.1, 0.45f);
    mixInto(out, chime(784, 0.9), 0.45, 0.45f);
    mixInto(out, room, 1.3);
    mixInto(out, silence(0.4), double(out.size()) / kSampleRate);
    return out;
}

}  // namespace tovra::demo
