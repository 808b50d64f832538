// The building blocks shared by the effects and the music: a seeded noise source, band-limited
// oscillators and small filters. Everything is plain arithmetic on doubles, so every run of the
// generator produces the same samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace veltrano::assetgen {

// Every wave the generator writes is at this rate: the effects in mono, the music in stereo.
inline constexpr int SampleRate = 32000;
inline constexpr double Pi = 3.14159265358979323846;

// xorshift32: our own noise, the same on every platform and standard library.
class NoiseRng {
   public:
    explicit NoiseRng(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in [-1, 1).
    double Signed() { return static_cast<double>(Next() >> 8) / 8388608.0 - 1.0; }

   private:
    uint32_t state_;
};

// One cycle of a sine and its first point again, filled before main() runs.
inline constexpr int SineTableSize = 4096;
extern const double* const SineTable;

// Sine of a phase given in cycles, from the table (fast, and independent of the C library's sin).
inline double SineCycles(double phase) {
    int64_t whole = static_cast<int64_t>(phase);
    if (phase < 0) --whole;
    const double position = (phase - static_cast<double>(whole)) * SineTableSize;
    int index = static_cast<int>(position);
    if (index >= SineTableSize) index = SineTableSize - 1;
    const double frac = position - index;
    return SineTable[index] + (SineTable[index + 1] - SineTable[index]) * frac;
}

// The phase of an oscillator in cycles, kept in [0, 1).
inline double Wrap(double phase) {
    return phase - static_cast<double>(static_cast<int64_t>(phase));
}

// Correction that removes most aliasing from a step at phase 0, for a phase increment dt.
inline double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// Band-limited pulse of the given duty (0..1) and saw, both in [-1, 1].
inline double PulseWave(double phase, double dt, double duty) {
    double shifted = phase + 1.0 - duty;
    if (shifted >= 1.0) shifted -= 1.0;
    return (phase < duty ? 1.0 : -1.0) + PolyBlep(phase, dt) - PolyBlep(shifted, dt);
}
inline double SawWave(double phase, double dt) {
    return 2.0 * phase - 1.0 - PolyBlep(phase, dt);
}
inline double TriangleWave(double phase) {
    return phase < 0.5 ? 4.0 * phase - 1.0 : 3.0 - 4.0 * phase;
}

// One-pole low-pass; the cut-off is given as the coefficient of OnePoleCoefficient.
double OnePoleCoefficient(double cutoffHz, double rate);
struct OnePole {
    double state = 0;
    double LowPass(double in, double k) { return state += k * (in - state); }
    double HighPass(double in, double k) { return in - LowPass(in, k); }
};

// Resonant state-variable filter (Chamberlin): low-pass output, cut-off and damping per sample.
struct StateVariableFilter {
    double low = 0, band = 0;
    double LowPass(double in, double f, double damping) {
        low += f * band;
        const double high = in - low - damping * band;
        band += f * high;
        return low;
    }
};
// The frequency coefficient of the state-variable filter, kept in its stable range.
double SvfCoefficient(double cutoffHz, double rate);

// Adds `from` into `into` starting at `offset` samples, scaled by `gain`; `into` grows as needed.
void MixInto(std::vector<float>& into, const std::vector<float>& from, size_t offset, double gain);

}  // namespace veltrano::assetgen
