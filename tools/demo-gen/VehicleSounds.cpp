#include "demo-gen/VehicleSounds.h"

#include <cmath>

#include "demo-gen/DataText.h"
#include "demo-gen/DriveSounds.h"
#include "demo-gen/Synth.h"

namespace tovra::demo {

namespace {

// Sounds are made at full length and cut for a quick set.
struct Maker {
    Voice voice;
    bool quick;
    std::uint64_t seed;

    Samples finish(Samples s, float peak) const {
        normalise(s, peak);
        if (quick && s.size() > sampleCount(0.25)) {
            s.resize(sampleCount(0.25));
            fadeEdges(s, 0.0, 0.02);
        }
        return s;
    }
};

// Wheels over rail joints every 25 m: the two axles of the leading bogie,
// then those of the trailing one, wrapped round a loop of `length` seconds.
Samples jointTrack(double speed, double length, float loudness, std::uint64_t seed) {
    Samples track = silence(length);
    const double ms = speed / 3.6;
    const double period = 25.0 / ms;
    Random r(seed);
    for (double t0 = 0.05; t0 < length; t0 += period) {
        for (double offset : {0.0, 2.1, 13.8, 15.9}) {
            const double t = std::fmod(t0 + offset / ms, length);
            Samples thump = knock(95 + 20 * r.uniform(), 0.09, 1.2, seed + std::uint64_t(t * 1000));
            Samples clack =
                knock(1100 + 300 * r.uniform(), 0.05, 3.0, seed + 7 + std::uint64_t(t * 1000));
            Samples hit = thump;
            mixInto(hit, clack, 0.0, 0.35f);
            const double space = length - t;
            if (double(hit.size()) / kSampleRate > space) {
                // Wrap the tail to the beginning so that the loop stays seamless.
                const std::size_t keep = sampleCount(space);
                Samples tail(hit.begin() + long(std::min(keep, hit.size())), hit.end());
                hit.resize(std::min(keep, hit.size()));
                mixInto(track, tail, 0.0, loudness);
            }
            mixInto(track, hit, t, loudness);
        }
    }
    track.resize(sampleCount(length));
    return track;
}

Samples running(const Maker& m, int speed) {
    if (speed == 0) {
        Samples s = whiteNoise(2.3, m.seed);
        filter(s, Biquad::lowpass(160));
        makeLoop(s, 0.3);
        return m.finish(s, 0.03f);
    }
    const double period = 25.0 / (speed / 3.6);
    const double length = period * std::ceil(2.5 / period);
    Samples rumble = whiteNoise(length + 0.4, m.seed + std::uint64_t(speed));
    filter(rumble, Biquad::lowpass(140 + 11.0 * speed, 0.9));
    filter(rumble, Biquad::lowpass(140 + 11.0 * speed, 0.9));
    normalise(rumble, 1.0f);
    Samples rail = whiteNoise(length + 0.4, m.seed + 100 + std::uint64_t(speed));
    filter(rail, Biquad::bandpass(1800 + 18.0 * speed, 0.9));
    normalise(rail, 1.0f);
    Samples s = rumble;
    mixInto(s, rail, 0.0, float(0.08 + 0.25 * speed / 120.0));
    makeLoop(s, 0.4);
    const float joints = m.voice == Voice::ModernEmu ? 0.35f
                         : m.voice == Voice::OldEmu  ? 0.9f
                                                     : 0.65f;
    mixInto(s, jointTrack(speed, length, joints, m.seed + 200 + std::uint64_t(speed)), 0.0);
    s.resize(sampleCount(length));
    return m.finish(s, float(0.12 + 0.7 * std::pow(speed / 120.0, 0.8)));
}

// A steady tone of two seconds whose partials repeat exactly, plus noise made
// loopable, for sounds that are played with a changing pitch.
Samples toneLoop(const std::vector<Partial>& parts, double noiseHz, double noiseQ, float noiseGain,
                 std::uint64_t seed) {
    Samples noise = whiteNoise(2.3, seed);
    filter(noise, Biquad::bandpass(noiseHz, noiseQ));
    normalise(noise, noiseGain);
    makeLoop(noise, 0.3);
    Samples s = partials(2.0, parts);
    mixInto(s, noise, 0.0);
    return s;
}

// Firing strokes of a diesel engine at `hz`, two seconds, loopable.
Samples firing(double hz, double brightness, std::uint64_t seed) {
    Samples s = silence(2.0);
    Random r(seed);
    const double period = 1.0 / hz;
    for (double t = 0; t < 2.0 - 1e-9; t += period) {
        Samples pulse = knock(80 + 120 * brightness, std::min(0.12, period * 1.6), 1.0,
                              seed + std::uint64_t(t * 977));
        const double space = 2.0 - t;
        Samples tail;
        if (double(pulse.size()) / kSampleRate > space) {
            tail.assign(pulse.begin() + long(sampleCount(space)), pulse.end());
            pulse.resize(sampleCount(space));
        }
        const float g = float(0.8 + 0.2 * r.uniform());
        mixInto(s, pulse, t, g);
        mixInto(s, tail, 0.0, g);
    }
    s.resize(sampleCount(2.0));
    Samples exhaust = whiteNoise(2.3, seed + 5);
    filter(exhaust, Biquad::bandpass(250 + 400 * brightness, 0.6));
    normalise(exhaust, 0.3f);
    makeLoop(exhaust, 0.3);
    mixInto(s, exhaust, 0.0);
    return s;
}

Samples traction(const Maker& m, Tone tone) {
    switch (tone) {
        case Tone::InverterCarrier:
            return m.finish(
                toneLoop({{1050, 1.0}, {1010, 0.25}, {1090, 0.25}, {2100, 0.2}, {3150, 0.06}}, 4500,
                         1.0, 0.05f, m.seed + 1),
                0.5f);
        case Tone::InverterSweep:
            return m.finish(toneLoop({{520, 1.0},
                                      {1040, 0.45},
                                      {1560, 0.3},
                                      {2080, 0.15},
                                      {410, 0.3},
                                      {630, 0.3},
                                      {104, 0.2}},
                                     1500, 1.2, 0.08f, m.seed + 2),
                            0.5f);
        case Tone::MotorHum:
            return m.finish(
                toneLoop({{210, 1.0}, {630, 0.45}, {840, 0.35}, {1050, 0.15}, {1680, 0.1}}, 700,
                         0.8, 0.25f, m.seed + 3),
                0.45f);
        case Tone::DcMotor:
            return m.finish(
                toneLoop(
                    {{300, 1.0}, {600, 0.6}, {900, 0.45}, {1200, 0.3}, {1500, 0.2}, {2400, 0.1}},
                    2200, 0.7, 0.2f, m.seed + 4),
                0.5f);
        case Tone::Engine:
            return m.finish(firing(36, 0.3, m.seed + 5), 0.6f);
        case Tone::EngineHigh: {
            Samples s = firing(72, 1.0, m.seed + 6);
            mixInto(s, partials(2.0, {{1800, 0.12}, {2400, 0.05}}), 0.0);
            return m.finish(s, 0.5f);
        }
        case Tone::Converter:
            return m.finish(
                toneLoop({{640, 1.0}, {1280, 0.4}, {1920, 0.15}}, 900, 0.5, 0.35f, m.seed + 7),
                0.4f);
    }
    return {};
}

// Two-tone air horn; `part` 0 whole, 1 attack, 2/3 sustain, 4 release.
Samples horn(const Maker& m, double low, double high, int part) {
    const double lengths[] = {1.1, 0.4, 0.5, 0.5, 0.35};
    const double len = lengths[part];
    std::vector<Partial> parts;
    for (int k = 1; k <= 6; ++k) {
        parts.push_back({low * k, 0.9 / k});
        parts.push_back({high * k, 0.7 / k});
    }
    if (part == 3) parts.push_back({high * 1.006, 0.2});  // a slow beat, so the two sustains differ
    Samples s = partials(len, parts);
    filter(s, Biquad::lowpass(3500));
    if (part == 0) fadeEdges(s, 0.05, 0.25);
    if (part == 1) fadeEdges(s, 0.06, 0.0);
    if (part == 4) fadeEdges(s, 0.0, 0.33);
    if (part == 2 || part == 3) fadeEdges(s, 0.01, 0.01);
    return m.finish(s, 0.8f);
}

Samples doorChime(const Maker& m, bool opening) {
    Samples s = silence(2.6);
    if (m.voice == Voice::ModernEmu) {
        const double notes[] = {988, 784, 988, 784};
        for (int k = 0; k < 4; ++k) mixInto(s, chime(notes[k], 0.6), 0.25 * k, 0.5f);
    } else if (m.voice == Voice::Diesel) {
        Samples buzz = partials(0.6, {{220, 0.6}, {440, 0.4}, {660, 0.3}, {880, 0.2}});
        fadeEdges(buzz, 0.01, 0.05);
        mixInto(s, buzz, 0.0, 0.5f);
    }
    mixInto(s, hiss(1.0, 1500, 0.02, 0.25, m.seed + (opening ? 11 : 12)), opening ? 0.3 : 0.9,
            0.5f);
    Samples slide = whiteNoise(1.0, m.seed + 13);
    filter(slide, Biquad::bandpass(300, 1.5));
    fadeEdges(slide, 0.2, 0.3);
    mixInto(s, slide, opening ? 0.4 : 1.0, 0.25f);
    if (!opening) mixInto(s, knock(120, 0.2, 1.0, m.seed + 14), 2.0, 0.7f);
    return m.finish(s, 0.7f);
}

Samples compressor(const Maker& m, int part) {
    if (part == 1) {
        Samples s;
        if (m.voice == Voice::OldEmu) {
            s = firing(9, 0.1, m.seed + 20);  // a piston compressor's thud
            filter(s, Biquad::lowpass(600));
        } else {
            s = toneLoop({{100, 1.0}, {200, 0.5}, {300, 0.3}, {400, 0.1}}, 900, 0.7, 0.3f,
                         m.seed + 21);
        }
        return m.finish(s, 0.35f);
    }
    if (part == 0) {
        Samples s = partials(0.8, {{60, 0.8}, {100, 0.6}, {200, 0.3}});
        fadeEdges(s, 0.4, 0.05);
        return m.finish(s, 0.3f);
    }
    Samples s = partials(1.2, {{100, 0.6, 0.3}, {200, 0.3, 0.2}});
    mixInto(s, hiss(1.0, 2000, 0.01, 0.15, m.seed + 22), 0.3, 0.5f);
    return m.finish(s, 0.4f);
}

Samples engineStart(const Maker& m) {
    Samples starter = toneLoop({{180, 0.6}, {360, 0.3}, {540, 0.2}}, 1200, 0.6, 0.5f, m.seed + 30);
    starter.resize(sampleCount(1.5));
    fadeEdges(starter, 0.1, 0.2);
    Samples s = starter;
    Samples idle = firing(25, 0.2, m.seed + 31);
    for (std::size_t i = 0; i < idle.size(); ++i)
        idle[i] *= float(std::min(1.0, 0.3 + double(i) / kSampleRate));
    mixInto(s, idle, 1.3, 1.0f);
    fadeEdges(s, 0.0, 0.4);
    return m.finish(s, 0.7f);
}

Samples engineStop(const Maker& m) {
    Samples s = silence(2.5);
    double t = 0, hz = 25;
    while (t < 2.3 && hz > 3) {
        Samples pulse = knock(90, 0.12, 1.0, m.seed + std::uint64_t(t * 1000) + 40);
        mixInto(s, pulse, t, float(1.0 - t / 2.5));
        t += 1.0 / hz;
        hz *= 0.93;
    }
    return m.finish(s, 0.6f);
}

Samples points(const Maker& m, double speed) {
    // Each wheelset over the switch blade and the crossing nose.
    const double ms = speed / 3.6;
    Samples s = silence(22.0 / ms + 0.5);
    for (double gap : {0.0, 9.0}) {
        for (double axle : {0.0, 2.1, 13.8, 15.9}) {
            const double t = (gap + axle) / ms;
            mixInto(s, knock(140, 0.1, 1.2, m.seed + std::uint64_t(t * 999)), t, 0.8f);
            mixInto(s, knock(1600, 0.06, 2.5, m.seed + std::uint64_t(t * 997) + 1), t, 0.4f);
        }
    }
    return m.finish(s, 0.7f);
}

Samples make(const Maker& m, int sound) {
    const auto seed = m.seed + std::uint64_t(sound) * 101;
    switch (sound) {
        case kBrakeApply:
            return m.finish(hiss(0.45, 1800, 0.01, 0.12, seed), 0.45f);
        case kBrakeRelease:
            return m.finish(hiss(1.4, 1200, 0.02, 0.4, seed), 0.4f);
        case kBrakeClick:
            return m.finish(knock(2200, 0.05, 4.0, seed), 0.5f);
        case kPowerClick:
            return m.finish(knock(1500, 0.05, 3.0, seed), 0.5f);
        case kPowerOff:
            return m.finish(knock(1100, 0.06, 3.0, seed), 0.45f);
        case kEmergency:
            return m.finish(hiss(2.8, 700, 0.02, 0.9, seed), 0.85f);
        case kApplyAir:
            return m.finish(hiss(0.8, 1400, 0.03, 0.25, seed), 0.4f);
        case kAtsBell: {
            Samples s = silence(1.0);
            for (int k = 0; k < 20; ++k) mixInto(s, bell(2100, 0.2, 0.08), k * 0.05, 0.25f);
            s.resize(sampleCount(1.0));
            return m.finish(s, 0.7f);
        }
        case kAtsChime: {
            Samples s = silence(1.2);
            mixInto(s, chime(1319, 0.6), 0.0, 0.6f);
            mixInto(s, chime(1047, 0.6), 0.4, 0.6f);
            s.resize(sampleCount(1.2));
            return m.finish(s, 0.6f);
        }
        case kAtsAck:
            return m.finish(chime(1568, 0.5), 0.5f);
        case kCabSignal:
            return m.finish(partials(0.25, {{2000, 1.0, 0.1}, {4000, 0.2, 0.05}}), 0.5f);
        case kAtsWarn: {
            Samples s = silence(1.0);
            for (int k = 0; k < 3; ++k) mixInto(s, partials(0.15, {{2600, 1.0}}), 0.3 * k, 0.5f);
            return m.finish(s, 0.5f);
        }
        case kHorn:
            return m.voice == Voice::OldEmu ? horn(m, 660, 660, 0) : horn(m, 349, 440, 0);
        case kWhistle:
            return m.finish(partials(0.7, {{1760, 1.0, 0.5}, {3520, 0.2, 0.3}}), 0.5f);
        case kHorn3:
            return horn(m, 233, 294, 0);
        case kHornStart:
        case kHornSustainA:
        case kHornSustainB:
        case kHornEnd: {
            const int part = 1 + (sound - kHornStart);
            return m.voice == Voice::OldEmu ? horn(m, 660, 660, part) : horn(m, 349, 440, part);
        }
        case kDoorOpen:
            return doorChime(m, true);
        case kDoorClose:
            return doorChime(m, false);
        case kVigilanceBell: {
            Samples s = silence(1.0);
            for (int k = 0; k < 4; ++k)
                mixInto(s, partials(0.12, {{3000, 1.0}, {1500, 0.3}}), 0.25 * k, 0.5f);
            return m.finish(s, 0.6f);
        }
        case kSqueal: {
            Samples s = toneLoop({{3300, 1.0}, {3340, 0.6}, {6600, 0.1}}, 3300, 6.0, 0.4f, seed);
            return m.finish(s, 0.25f);
        }
        case kCompressorStart:
            return compressor(m, 0);
        case kCompressorRun:
            return compressor(m, 1);
        case kCompressorEnd:
            return compressor(m, 2);
        case kStopAlarm: {
            Samples s = silence(1.6);
            mixInto(s, chime(1175, 0.8), 0.0, 0.6f);
            mixInto(s, chime(880, 0.9), 0.5, 0.6f);
            return m.finish(s, 0.55f);
        }
        case kBuzzer: {
            Samples s = partials(0.5, {{150, 1.0}, {300, 0.7}, {450, 0.5}, {600, 0.4}, {750, 0.3}});
            return m.finish(s, 0.5f);
        }
        case kDepartureSignal: {
            Samples s = partials(0.9, {{180, 1.0}, {360, 0.6}, {540, 0.4}});
            fadeEdges(s, 0.01, 0.05);
            return m.finish(s, 0.5f);
        }
        case kPointsSlow:
            return points(m, 25);
        case kPointsFast:
            return points(m, 70);
        case kEngineIdle:
            return m.finish(firing(25, 0.2, seed), 0.5f);
        case kEngineIdleDoors:
            return m.finish(firing(26, 0.15, seed), 0.45f);
        case kEngineStart:
            return engineStart(m);
        case kEngineStop:
            return engineStop(m);
        default:
            return running(m, (sound - kRunning) * 10);
    }
}

Maker makerFor(const VehicleDesign& v, bool quick) {
    return {v.voice, quick, std::uint64_t(v.voice) * 7919 + 17};
}

}  // namespace

Samples driveSound(const VehicleDesign& vehicle, int sound, bool quick) {
    return make(makerFor(vehicle, quick), sound);
}

void writeVehicleSounds(const std::filesystem::path& root, const VehicleDesign& v, bool quick) {
    const Maker m = makerFor(v, quick);
    const auto path = [&](const std::string& name) {
        return onDisk(root, v.folder + v.assets + name);
    };
    for (int k = 0; k < kDriveSoundCount; ++k) writeWave(path(driveSoundName(k)), make(m, k));
    for (const auto& t : v.tractionSounds) writeWave(path(t.name), traction(m, t.tone));
    for (const auto& g : v.gearSounds) writeWave(path(g.name), traction(m, g.tone));
}

}  // namespace tovra::demo
