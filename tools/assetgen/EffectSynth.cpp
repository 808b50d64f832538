#include "tools/assetgen/EffectSynth.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "tools/assetgen/SoundSynth.h"

namespace veltrano::assetgen {

namespace {

// The oscillator runs this many steps per output sample and they are averaged, which tames the
// aliasing of hard-edged waves at high pitches.
constexpr int Oversample = 4;

struct PitchState {
    double hz;
    double slide;
    double nextArp;
    int arpsLeft;
};

PitchState StartPitch(const EffectParams& p) {
    return {p.startHz, p.slide, p.arpTime, p.arpSteps};
}

double Envelope(const EffectParams& p, double t) {
    if (t < p.attack) return t / p.attack;
    t -= p.attack;
    if (t < p.sustain) return 1.0 + p.punch * (1.0 - t / p.sustain);
    t -= p.sustain;
    if (t < p.decay) return 1.0 - t / p.decay;
    return 0.0;
}

// One oversampled step of the pitch: a repeat starts the sweep again, the arpeggio steps, the slide
// moves.
void StepPitch(const EffectParams& p, double time, double dt, double* sinceRepeat, PitchState* pitch) {
    if (p.repeatTime > 0 && *sinceRepeat >= p.repeatTime) {
        *sinceRepeat = 0.0;
        *pitch = StartPitch(p);
        pitch->nextArp = time + p.arpTime;
    }
    if (pitch->arpsLeft > 0 && time >= pitch->nextArp) {
        pitch->hz *= p.arpRatio;
        pitch->nextArp += p.arpTime;
        --pitch->arpsLeft;
    }
    pitch->slide += p.deltaSlide * dt;
    pitch->hz *= std::exp2(pitch->slide * dt);
}

// The noise wave's 32 steps, drawn afresh each cycle: the pitch sets the grain, as in sfxr.
struct NoiseCycle {
    NoiseRng Rng;
    std::array<double, 32> Steps{};
    explicit NoiseCycle(uint32_t seed) : Rng(seed) { Draw(); }
    void Draw() {
        for (double& n : Steps) n = Rng.Signed();
    }
};

// The wave's value after its phase moved from `before` to `phase` by `step`.
double WaveValue(EffectWave wave, double phase, double before, double step, double duty, NoiseCycle& noise) {
    switch (wave) {
        case EffectWave::Square:
            return PulseWave(phase, step, duty);
        case EffectWave::Saw:
            return SawWave(phase, step);
        case EffectWave::Sine:
            return SineCycles(phase);
        case EffectWave::Triangle:
            return TriangleWave(phase);
        case EffectWave::Noise:
            if (phase < before) noise.Draw();
            return noise.Steps[static_cast<int>(phase * 32.0) & 31];
    }
    return 0.0;
}

// Once a sample: the duty cycle and the filters' corners move along their sweeps.
void SweepOneSample(const EffectParams& p, double* duty, double* lowPassHz, double* highPassHz) {
    *duty = std::clamp(*duty + p.dutySweep / SampleRate, 0.05, 0.95);
    if (p.lowPassHz > 0)
        *lowPassHz = std::clamp(*lowPassHz * std::exp2(p.lowPassSlide / SampleRate), 20.0, 16000.0);
    if (p.highPassHz > 0)
        *highPassHz = std::clamp(*highPassHz * std::exp2(p.highPassSlide / SampleRate), 10.0, 16000.0);
}

}  // namespace

std::vector<float> RenderEffect(const EffectParams& params) {
    // Even a sound with an instant attack rises over a millisecond, so it does not start with a click.
    EffectParams p = params;
    p.attack = std::max(p.attack, 0.001);
    const double total = p.attack + p.sustain + p.decay;
    const size_t count = static_cast<size_t>(total * SampleRate);
    std::vector<float> out;
    out.reserve(count);
    const double dt = 1.0 / (SampleRate * Oversample);
    NoiseCycle noise(p.seed);

    PitchState pitch = StartPitch(p);
    double phase = 0.0, duty = p.duty, time = 0.0, sinceRepeat = 0.0;
    double lowPassHz = p.lowPassHz, highPassHz = p.highPassHz;
    StateVariableFilter lowPass;
    OnePole highPass;
    const double damping = 2.0 - 1.9 * std::clamp(p.resonance, 0.0, 1.0);
    for (size_t i = 0; i < count; ++i) {
        const double level = Envelope(p, static_cast<double>(i) / SampleRate) * p.volume;
        const double lowF = SvfCoefficient(lowPassHz, SampleRate * Oversample);
        const double highK = OnePoleCoefficient(highPassHz, SampleRate * Oversample);
        double sum = 0.0;
        for (int s = 0; s < Oversample; ++s) {
            StepPitch(p, time, dt, &sinceRepeat, &pitch);
            if (p.minHz > 0 && pitch.hz < p.minHz) break;
            double hz = pitch.hz;
            if (p.vibratoDepth > 0) hz *= 1.0 + p.vibratoDepth * SineCycles(p.vibratoHz * time);
            const double step = std::min(hz * dt, 0.5);
            const double before = phase;
            phase = Wrap(phase + step);
            double v = WaveValue(p.wave, phase, before, step, duty, noise);
            if (p.lowPassHz > 0) v = lowPass.LowPass(v, lowF, damping);
            if (p.highPassHz > 0) v = highPass.HighPass(v, highK);
            sum += v;
            time += dt;
            sinceRepeat += dt;
        }
        if (p.minHz > 0 && pitch.hz < p.minHz) break;
        SweepOneSample(p, &duty, &lowPassHz, &highPassHz);
        out.push_back(static_cast<float>(sum / Oversample * level));
    }
    // A sound cut short by its pitch floor fades over 5 ms instead of stopping dead.
    const size_t fade = std::min<size_t>(out.size(), SampleRate / 200);
    for (size_t i = 0; i < fade; ++i) out[out.size() - 1 - i] *= static_cast<float>(i) / fade;
    return out;
}

}  // namespace veltrano::assetgen
