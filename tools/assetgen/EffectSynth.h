// A one-shot effect voice in the manner of the sfxr family: one oscillator shaped by an
// attack/sustain/punch/decay envelope, with pitch slides, vibrato, an arpeggio, a duty sweep and
// low- and high-pass filters. Units are physical (seconds, Hz, octaves) rather than sfxr's 0..1 knobs.
#pragma once

#include <cstdint>
#include <vector>

namespace veltrano::assetgen {

enum class EffectWave { Square, Saw, Sine, Triangle, Noise };

struct EffectParams {
    EffectWave wave = EffectWave::Square;
    double attack = 0.0, sustain = 0.1, decay = 0.2;  // seconds
    double punch = 0.0;  // extra level at the start of the sustain, fading to none by its end
    double startHz = 440.0;
    double minHz = 0.0;         // a falling pitch that passes this ends the sound (sfxr's cut-off)
    double slide = 0.0;         // octaves per second
    double deltaSlide = 0.0;    // change of the slide, octaves per second per second
    double vibratoDepth = 0.0;  // fraction of the frequency
    double vibratoHz = 0.0;
    double arpRatio = 1.0;  // the pitch is multiplied by this every arpTime seconds ...
    double arpTime = 0.0;
    int arpSteps = 0;                    // ... this many times
    double duty = 0.5, dutySweep = 0.0;  // square duty and its change per second
    double lowPassHz = 0.0;              // 0: no low-pass
    double lowPassSlide = 0.0;           // octaves per second
    double resonance = 0.0;              // 0..1
    double highPassHz = 0.0;             // 0: no high-pass
    double highPassSlide = 0.0;
    double repeatTime = 0.0;  // restarts pitch and arpeggio every so often, as sfxr's repeat does
    double volume = 1.0;
    uint32_t seed = 1;
};

// The effect's samples at SampleRate, unnormalised, ending when the envelope ends.
std::vector<float> RenderEffect(const EffectParams& params);

}  // namespace veltrano::assetgen
