#pragma once

#include <cstdint>
#include <vector>

#include "demo-gen/Wave.h"

namespace tovra::demo {

// Small building blocks of the demo's synthesised sounds.

class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed * 2654435761u + 0x9E3779B97F4A7C15ull) {}
    double uniform();  // 0..1
    float noise() { return float(uniform() * 2 - 1); }

  private:
    std::uint64_t state_;
};

// A second-order filter (the usual audio cookbook forms).
class Biquad {
  public:
    static Biquad lowpass(double hz, double q = 0.707);
    static Biquad highpass(double hz, double q = 0.707);
    static Biquad bandpass(double hz, double q);
    float process(float x);

  private:
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double z1 = 0, z2 = 0;
};

std::size_t sampleCount(double seconds);
Samples silence(double seconds);
Samples whiteNoise(double seconds, std::uint64_t seed);
void filter(Samples& s, Biquad f);
void scale(Samples& s, float gain);
// Linear fade over the first and last `seconds`.
void fadeEdges(Samples& s, double in, double out);
// Multiplies by exp(-t / tau).
void decay(Samples& s, double tau);
void mixInto(Samples& into, const Samples& s, double atSeconds, float gain = 1.0f);
void normalise(Samples& s, float peak);
// Cross-fades the last `seconds` into the beginning so that the sound loops
// without a click; the result is shorter by that much.
void makeLoop(Samples& s, double seconds);
Samples concat(const std::vector<Samples>& parts);

// A sum of sine partials (frequency in Hz, relative amplitude, decay time
// constant in seconds, 0 for a steady partial).
struct Partial {
    double hz, amplitude, tau = 0;
};
Samples partials(double seconds, const std::vector<Partial>& parts);

// A struck metal bar or bell: inharmonic partials dying away.
Samples bell(double hz, double seconds, double tau);
// A soft chime note, as in door and departure chimes.
Samples chime(double hz, double seconds);
// A short mechanical click or knock centred on `hz`.
Samples knock(double hz, double seconds, double q, std::uint64_t seed);
// Compressed air escaping: noise above `hz` with an attack and a decay.
Samples hiss(double seconds, double hz, double attack, double tau, std::uint64_t seed);

}  // namespace tovra::demo
