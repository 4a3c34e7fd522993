#include "demo-gen/RouteSounds.h"

#include <cmath>
#include <utility>
#include <vector>

#include "demo-gen/Callouts.h"
#include "demo-gen/DataText.h"
#include "demo-gen/RouteAudio.h"
#include "demo-gen/Synth.h"

namespace tovra::demo {

namespace {

double midiHz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// A mallet note: bright at the strike, soon mellow.
Samples malletNote(double hz, double seconds) {
    Samples s = partials(seconds + 0.6, {{hz, 1.0, 0.35 * seconds + 0.2},
                                         {hz * 2, 0.35, 0.12 * seconds + 0.08},
                                         {hz * 3, 0.12, 0.08},
                                         {hz * 4.07, 0.08, 0.05}});
    fadeEdges(s, 0.005, 0.1);
    return s;
}

// Departure melodies, one per station: notes (MIDI) and beats at 120 per
// minute, sixteen beats, ending exactly on the departure time.
Samples melody(int tune, bool quick) {
    using Tune = std::vector<std::pair<int, double>>;
    static const Tune tunes[] = {
        {{76, 1},
         {79, 1},
         {84, 1},
         {83, 1},
         {81, 1},
         {79, 1},
         {76, 1},
         {79, 1},
         {81, 1},
         {84, 1},
         {86, 1},
         {84, 1},
         {79, 1},
         {81, 1},
         {84, 2}},
        {{72, .5},
         {76, .5},
         {79, 1},
         {76, .5},
         {79, .5},
         {84, 1},
         {83, 1},
         {79, 1},
         {81, 2},
         {77, 1},
         {81, 1},
         {79, 1},
         {76, 1},
         {74, 1},
         {72, 3}},
        {{79, 1.5},
         {81, .5},
         {79, 1},
         {76, 1},
         {74, 1},
         {76, 1},
         {79, 2},
         {84, 1.5},
         {83, .5},
         {81, 1},
         {79, 1},
         {81, 1},
         {83, 1},
         {84, 2}},
        {{69, 1},
         {72, 1},
         {76, 1},
         {81, 1},
         {79, 1},
         {76, 1},
         {72, 2},
         {74, 1},
         {77, 1},
         {81, 1},
         {79, 1},
         {76, 1},
         {74, 1},
         {72, 2}},
        {{84, .5},
         {83, .5},
         {81, .5},
         {79, .5},
         {76, 1},
         {79, 1},
         {81, 1},
         {84, 1},
         {86, 2},
         {84, 1},
         {81, 1},
         {79, 1},
         {81, 1},
         {84, 1},
         {79, 1},
         {84, 2}},
        {{67, 1},
         {72, 1},
         {74, 1},
         {76, 1},
         {79, 2},
         {76, 1},
         {74, 1},
         {72, 1},
         {74, 1},
         {76, 1},
         {79, 1},
         {74, 2},
         {72, 2}},
    };
    const double beat = 0.5, total = 8.0;
    Samples s = silence(total);
    double t = 0;
    for (const auto& [note, beats] : tunes[tune % 6]) {
        mixInto(s, malletNote(midiHz(note), beats * beat), t, 0.5f);
        t += beats * beat;
    }
    const int bass[] = {48, 53, 55, 48};
    for (int bar = 0; bar < 4; ++bar)
        mixInto(s, partials(2.0, {{midiHz(bass[bar]), 0.35, 0.9}}), bar * 2.0);
    s.resize(sampleCount(quick ? 1.0 : total));  // the departure waits for it: its length matters
    fadeEdges(s, 0.0, 0.08);
    normalise(s, 0.7f);
    return s;
}

Samples platform(double seconds) {
    Samples s = silence(seconds + 0.5);
    Random r(77);
    for (int voice = 0; voice < 9; ++voice) {
        Samples v = whiteNoise(seconds + 0.5, 700 + std::uint64_t(voice));
        filter(v, Biquad::bandpass(450 + 140.0 * voice, 3.0));
        const double rate = 3 + r.uniform() * 3, phase = r.uniform() * 6.28;
        for (std::size_t i = 0; i < v.size(); ++i) {
            const double t = double(i) / kSampleRate;
            const double talk = std::max(0.0, std::sin(rate * 6.28 * t + phase)) *
                                (0.5 + 0.5 * std::sin(0.7 * t + voice));
            v[i] *= float(talk);
        }
        mixInto(s, v, 0.0, 0.4f);
    }
    for (double t = 0.3; t < seconds; t += 0.55 + r.uniform() * 0.4)
        mixInto(s, knock(400, 0.05, 2.0, std::uint64_t(t * 1000)), t, 0.08f);
    makeLoop(s, 0.5);
    normalise(s, 0.35f);
    return s;
}

// A ten-car train going by on the next track at 80 km/h.
Samples passingTrain(double seconds) {
    const double speed = 80 / 3.6, arrive = 2.0;
    Samples s = whiteNoise(seconds, 91);
    filter(s, Biquad::lowpass(500));
    Samples wind = whiteNoise(seconds, 92);
    filter(wind, Biquad::bandpass(1200, 0.7));
    mixInto(s, wind, 0.0, 0.3f);
    const double pass = 200 / speed;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kSampleRate;
        const double near = t < arrive          ? std::pow(t / arrive, 3)
                            : t < arrive + pass ? 1.0
                                                : std::exp(-(t - arrive - pass) * 1.5);
        s[i] *= float(0.15 + 0.85 * near);
    }
    normalise(s, 0.5f);
    for (int car = 0; car < 10; ++car)
        for (double axle : {0.0, 2.1, 13.8, 15.9}) {
            const double t = arrive + (car * 20.0 + axle + 2.0) / speed;
            if (t < seconds)
                mixInto(s, knock(130, 0.08, 1.2, std::uint64_t(t * 1000) + 9), t, 0.5f);
        }
    fadeEdges(s, 0.3, 0.8);
    normalise(s, 0.8f);
    return s;
}

Samples crossingBell() {
    Samples s = silence(0.9);
    for (double t : {0.0, 0.45}) mixInto(s, bell(760, 0.45, 0.12), t, 0.6f);
    s.resize(sampleCount(0.9));
    normalise(s, 0.6f);
    return s;
}

Samples roar(double seconds, double lowpass, double resonance, std::uint64_t seed) {
    Samples s = whiteNoise(seconds, seed);
    filter(s, Biquad::lowpass(lowpass));
    Samples body = whiteNoise(seconds, seed + 1);
    filter(body, Biquad::bandpass(resonance, 2.5));
    mixInto(s, body, 0.0, 2.0f);
    fadeEdges(s, 1.0, 1.5);
    normalise(s, 0.7f);
    return s;
}

Samples bridge(double seconds) {
    Samples s = roar(seconds, 400, 95, 55);
    for (double t = 0.4; t < seconds - 0.5; t += 1.12)
        for (double axle : {0.0, 0.095})
            mixInto(s, knock(220, 0.15, 1.5, std::uint64_t((t + axle) * 1000)), t + axle, 0.6f);
    normalise(s, 0.7f);
    return s;
}

Samples cabAir(double seconds) {
    Samples s = whiteNoise(seconds + 0.3, 61);
    filter(s, Biquad::lowpass(900));
    normalise(s, 0.5f);
    makeLoop(s, 0.3);
    mixInto(s, partials(seconds, {{120, 0.2}, {240, 0.08}}), 0.0);
    normalise(s, 0.12f);
    return s;
}

}  // namespace

Samples routeSound(const AudioItem& item, const Speech& speech, bool quick) {
    const double shortening = quick ? 0.1 : 1.0;
    switch (item.kind) {
        case AudioKind::Speech:
            return speech.say(item.speech, SpeechStyle::Announcement);
        case AudioKind::Melody:
            return melody(item.variant, quick);
        case AudioKind::Platform:
            return platform(4.0 * shortening);
        case AudioKind::PassingTrain:
            return passingTrain(14.0 * shortening);
        case AudioKind::CrossingBell:
            return crossingBell();
        case AudioKind::Tunnel:
            return roar(25.0 * shortening, 320, 70, 41);
        case AudioKind::Bridge:
            return bridge(6.0 * shortening);
        case AudioKind::CabAir:
            return cabAir(3.0 * shortening);
        case AudioKind::SignalChime: {
            Samples s = chime(880, 2.0);
            normalise(s, 0.5f);
            return s;
        }
    }
    return {};
}

void writeRouteSounds(const std::filesystem::path& root, const LinePlan& plan, const Speech& speech,
                      bool quick) {
    for (const AudioItem& item : allRouteAudio(plan))
        writeWave(onDisk(root, item.file), routeSound(item, speech, quick));
}

void writeCalloutSounds(const std::filesystem::path& root, const LinePlan& plan,
                        const Speech& speech) {
    for (const CalloutItem& c : allCallouts(plan))
        writeWave(onDisk(root, c.file), speech.say(c.speech, SpeechStyle::Callout));
}

void writeTitleSounds(const std::filesystem::path& root, bool quick) {
    Samples jingle = silence(quick ? 0.5 : 3.2);
    const int notes[] = {72, 76, 79, 84, 88};
    for (int k = 0; k < 5; ++k)
        mixInto(jingle, malletNote(midiHz(notes[k]), 0.6 + 0.3 * k), 0.18 * k, 0.4f);
    mixInto(jingle, partials(2.5, {{midiHz(48), 0.3, 1.2}, {midiHz(55), 0.2, 1.2}}), 0.0);
    jingle.resize(sampleCount(quick ? 0.5 : 3.2));
    fadeEdges(jingle, 0.0, 0.3);
    normalise(jingle, 0.7f);
    writeWave(onDisk(root, "sound\\25829.wav"), jingle);

    std::vector<Partial> horn;
    for (int k = 1; k <= 6; ++k)
        horn.push_back({349.0 * k, 0.9 / k}), horn.push_back({440.0 * k, 0.7 / k});
    Samples start = partials(quick ? 0.4 : 1.4, horn);
    filter(start, Biquad::lowpass(3500));
    fadeEdges(start, 0.05, 0.3);
    normalise(start, 0.7f);
    writeWave(onDisk(root, "sound\\start.wav"), start);
}

}  // namespace tovra::demo
