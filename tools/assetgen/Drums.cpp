#include "tools/assetgen/Drums.h"

#include <cmath>

#include "tools/assetgen/SoundSynth.h"

namespace veltrano::assetgen {

namespace {

constexpr size_t RiseSamples = SampleRate / 2000;

struct DrumShape {
    double seconds;
    double toneHz, toneEndHz, pitchFall;  // sine body: from toneHz towards toneEndHz, time constant in s
    double toneDecay, toneLevel;          // time constant of the body's level, and its share
    double noiseDecay, noiseLevel;        // the same for the noise
    double noiseLowHz, noiseHighHz;       // band of the noise (0: open)
};

DrumShape ShapeFor(int midiNote) {
    const int octave = midiNote / 12;
    const double tune = std::exp2((octave - 4) * 0.5);
    switch (midiNote % 12) {
        case 0:
            return {0.42, 160, 44, 0.035, 0.16, 1.0, 0.006, 0.35, 0, 4000};
        case 2:
            return {0.24, 200, 160, 0.05, 0.06, 0.45, 0.085, 0.8, 1200, 9000};
        case 4:
            return {0.07, 0, 0, 1, 1, 0.0, 0.018, 1.6, 7000, 0};
        case 5:
            return {0.32, 0, 0, 1, 1, 0.0, 0.11, 1.1, 6000, 0};
        case 7:
            return {0.4, 120 * tune, 80 * tune, 0.12, 0.17, 0.9, 0.03, 0.25, 0, 3000};
        case 9:
            return {0.32, 190 * tune, 130 * tune, 0.1, 0.13, 0.9, 0.03, 0.25, 0, 4000};
        case 11:
            return {1.6, 0, 0, 1, 1, 0.0, 0.5, 0.7, 3500, 0};
        default:
            return {0.05, 900, 700, 0.01, 0.012, 0.6, 0.008, 0.4, 2000, 0};
    }
}

}  // namespace

std::vector<float> RenderDrum(int midiNote, double velocity, uint32_t seed) {
    const DrumShape d = ShapeFor(midiNote);
    std::vector<float> out(static_cast<size_t>(d.seconds * SampleRate));
    NoiseRng rng(seed);
    OnePole low, high;
    const double lowK = d.noiseHighHz > 0 ? OnePoleCoefficient(d.noiseHighHz, SampleRate) : 1.0;
    const double highK = d.noiseLowHz > 0 ? OnePoleCoefficient(d.noiseLowHz, SampleRate) : 0.0;
    const double toneFall = std::exp(-1.0 / (d.toneDecay * SampleRate));
    const double noiseFall = std::exp(-1.0 / (d.noiseDecay * SampleRate));
    const double pitchFall = std::exp(-1.0 / (d.pitchFall * SampleRate));
    double phase = 0.0, tone = d.toneLevel, noise = d.noiseLevel, hz = d.toneHz;
    const size_t fadeFrom = out.size() - out.size() / 8;
    for (size_t i = 0; i < out.size(); ++i) {
        double v = 0.0;
        if (d.toneLevel > 0) {
            v += tone * SineCycles(phase);
            phase = Wrap(phase + hz / SampleRate);
            hz = d.toneEndHz + (hz - d.toneEndHz) * pitchFall;
            tone *= toneFall;
        }
        double n = rng.Signed();
        if (d.noiseHighHz > 0) n = low.LowPass(n, lowK);
        if (d.noiseLowHz > 0) n = high.HighPass(n, highK);
        v += noise * n;
        noise *= noiseFall;
        // A hit rises over half a millisecond and its last eighth fades to silence, so it neither
        // starts nor stops on a step.
        if (i < RiseSamples) v *= static_cast<double>(i) / RiseSamples;
        if (i >= fadeFrom) v *= static_cast<double>(out.size() - i) / (out.size() - fadeFrom);
        out[i] = static_cast<float>(v * velocity);
    }
    return out;
}

}  // namespace veltrano::assetgen
