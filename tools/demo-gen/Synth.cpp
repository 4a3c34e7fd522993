#include "demo-gen/Synth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tovra::demo {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

}  // namespace

double Random::uniform() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return double(state_ >> 11) / double(1ull << 53);
}

Biquad Biquad::lowpass(double hz, double q) {
    const double w = kTwoPi * hz / kSampleRate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    const double a0 = 1 + alpha;
    Biquad f;
    f.b0 = (1 - c) / 2 / a0, f.b1 = (1 - c) / a0, f.b2 = (1 - c) / 2 / a0;
    f.a1 = -2 * c / a0, f.a2 = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::highpass(double hz, double q) {
    const double w = kTwoPi * hz / kSampleRate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    const double a0 = 1 + alpha;
    Biquad f;
    f.b0 = (1 + c) / 2 / a0, f.b1 = -(1 + c) / a0, f.b2 = (1 + c) / 2 / a0;
    f.a1 = -2 * c / a0, f.a2 = (1 - alpha) / a0;
    return f;
}

Biquad Biquad::bandpass(double hz, double q) {
    const double w = kTwoPi * hz / kSampleRate, alpha = std::sin(w) / (2 * q), c = std::cos(w);
    const double a0 = 1 + alpha;
    Biquad f;
    f.b0 = alpha / a0, f.b1 = 0, f.b2 = -alpha / a0;
    f.a1 = -2 * c / a0, f.a2 = (1 - alpha) / a0;
    return f;
}

float Biquad::process(float x) {
    const double y = b0 * x + z1;
    z1 = b1 * x - a1 * y + z2;
    z2 = b2 * x - a2 * y;
    return float(y);
}

std::size_t sampleCount(double seconds) {
    return std::size_t(std::max(0.0, seconds) * kSampleRate);
}

Samples silence(double seconds) {
    return Samples(sampleCount(seconds), 0.0f);
}

Samples whiteNoise(double seconds, std::uint64_t seed) {
    Random r(seed);
    Samples s(sampleCount(seconds));
    for (float& x : s) x = r.noise();
    return s;
}

void filter(Samples& s, Biquad f) {
    for (float& x : s) x = f.process(x);
}

void scale(Samples& s, float gain) {
    for (float& x : s) x *= gain;
}

void fadeEdges(Samples& s, double in, double out) {
    const std::size_t a = std::min(s.size(), sampleCount(in)),
                      b = std::min(s.size(), sampleCount(out));
    for (std::size_t i = 0; i < a; ++i) s[i] *= float(i) / float(a);
    for (std::size_t i = 0; i < b; ++i) s[s.size() - 1 - i] *= float(i) / float(b);
}

void decay(Samples& s, double tau) {
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] *= float(std::exp(-double(i) / kSampleRate / tau));
}

void mixInto(Samples& into, const Samples& s, double atSeconds, float gain) {
    const std::size_t at = sampleCount(atSeconds);
    if (into.size() < at + s.size()) into.resize(at + s.size(), 0.0f);
    for (std::size_t i = 0; i < s.size(); ++i) into[at + i] += s[i] * gain;
}

void normalise(Samples& s, float peak) {
    float top = 0;
    for (float x : s) top = std::max(top, std::abs(x));
    if (top > 0) scale(s, peak / top);
}

void makeLoop(Samples& s, double seconds) {
    const std::size_t n = std::min(sampleCount(seconds), s.size() / 2);
    const std::size_t keep = s.size() - n;
    for (std::size_t i = 0; i < n; ++i) {
        const float t = float(i) / float(n);
        s[i] = s[i] * t + s[keep + i] * (1 - t);
    }
    s.resize(keep);
}

Samples concat(const std::vector<Samples>& parts) {
    Samples out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

Samples partials(double seconds, const std::vector<Partial>& parts) {
    Samples s(sampleCount(seconds), 0.0f);
    for (const Partial& p : parts) {
        const double step = kTwoPi * p.hz / kSampleRate;
        for (std::size_t i = 0; i < s.size(); ++i) {
            const double env = p.tau > 0 ? std::exp(-double(i) / kSampleRate / p.tau) : 1.0;
            s[i] += float(p.amplitude * env * std::sin(step * double(i)));
        }
    }
    return s;
}

Samples bell(double hz, double seconds, double tau) {
    Samples s = partials(seconds, {{hz, 1.0, tau},
                                   {hz * 2.76, 0.55, tau * 0.6},
                                   {hz * 5.40, 0.30, tau * 0.35},
                                   {hz * 8.93, 0.15, tau * 0.2}});
    fadeEdges(s, 0.002, 0.02);
    return s;
}

Samples chime(double hz, double seconds) {
    Samples s = partials(
        seconds,
        {{hz, 1.0, seconds * 0.45}, {hz * 2, 0.25, seconds * 0.2}, {hz * 3, 0.08, seconds * 0.1}});
    fadeEdges(s, 0.004, 0.05);
    return s;
}

Samples knock(double hz, double seconds, double q, std::uint64_t seed) {
    Samples s = whiteNoise(seconds, seed);
    decay(s, seconds / 6);
    filter(s, Biquad::bandpass(hz, q));
    fadeEdges(s, 0.0005, 0.01);
    normalise(s, 1.0f);
    return s;
}

Samples hiss(double seconds, double hz, double attack, double tau, std::uint64_t seed) {
    Samples s = whiteNoise(seconds, seed);
    filter(s, Biquad::highpass(hz));
    filter(s, Biquad::lowpass(std::min(9000.0, hz * 4)));
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / kSampleRate;
        s[i] *= float(std::min(1.0, t / attack) * std::exp(-std::max(0.0, t - attack) / tau));
    }
    fadeEdges(s, 0.0, 0.05);
    normalise(s, 1.0f);
    return s;
}

}  // namespace tovra::demo
