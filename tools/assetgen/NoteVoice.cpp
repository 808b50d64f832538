// How one note of an instrument sounds: oscillator, envelope, vibrato and filter.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/Drums.h"
#include "tools/assetgen/Sequencer.h"
#include "tools/assetgen/SoundSynth.h"

namespace veltrano::assetgen {

namespace {

constexpr size_t ControlInterval = 16;

// Attack, decay to the sustain level while the key is held, then a straight release from wherever
// the level stands. The shortest attack and release still last a few milliseconds, so no note clicks.
class Adsr {
   public:
    Adsr(const Instrument& in, size_t gate)
        : attack_(std::max(in.attack, 0.002) * SampleRate),
          decay_(std::max(in.decay, 0.001) * SampleRate),
          release_(std::max(in.release, 0.004) * SampleRate),
          sustain_(in.sustain),
          gate_(static_cast<double>(gate)),
          releaseFrom_(Held(gate_)) {}

    size_t Length() const { return static_cast<size_t>(gate_ + release_) + 1; }

    double At(double i) const {
        if (i < gate_) return Held(i);
        return std::max(0.0, releaseFrom_ * (1.0 - (i - gate_) / release_));
    }

   private:
    double Held(double i) const {
        if (i < attack_) return i / attack_;
        i -= attack_;
        if (i < decay_) return 1.0 - (1.0 - sustain_) * (i / decay_);
        return sustain_;
    }

    double attack_, decay_, release_, sustain_, gate_, releaseFrom_;
};

double Oscillator(const Instrument& in, double phase, double step, double duty) {
    switch (in.kind) {
        case VoiceKind::Pulse:
            return PulseWave(phase, step, duty);
        case VoiceKind::Saw:
            return SawWave(phase, step);
        case VoiceKind::Triangle:
            return TriangleWave(phase);
        default:
            return SineCycles(phase);
    }
}

}  // namespace

std::vector<float> RenderNote(const Instrument& in, int midiNote, double velocity, size_t gateSamples,
                              uint32_t seed, std::vector<float>* detuned) {
    if (in.kind == VoiceKind::Drums) return RenderDrum(midiNote, velocity * in.volume, seed);
    const Adsr envelope(in, gateSamples);
    std::vector<float> out(envelope.Length());
    const bool apart = detuned != nullptr && in.detuneCents != 0 && in.kind != VoiceKind::Fm;
    if (apart) detuned->assign(out.size(), 0.0f);
    const double hz = 440.0 * std::exp2((midiNote - 69) / 12.0);
    const double detune = std::exp2(in.detuneCents / 1200.0);
    const double lowK = in.lowPassHz > 0 ? OnePoleCoefficient(in.lowPassHz, SampleRate) : 1.0;
    const double vibratoStart = in.vibratoDelay * SampleRate;
    const double vibratoScale = in.vibratoDepth * 0.0577622650466621;  // ln 2 / 12: semitones to ratio
    const double fmFall =
        in.fmIndexDecay > 0 ? std::exp(-std::log(3.0) / (in.fmIndexDecay * SampleRate)) : 1.0;
    double phase = 0.0, phase2 = 0.25, modPhase = 0.0, fmIndex = in.fmIndex;
    OnePole low1, low2, apartLow1, apartLow2;
    const double gain = velocity * in.volume * (in.detuneCents != 0 ? 0.6 : 1.0);
    double step = hz / SampleRate, duty = in.duty;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i);
        // Vibrato and pulse-width sweep are slow: they are worked out every half millisecond only.
        if (i % ControlInterval == 0) {
            double f = hz;
            if (in.vibratoDepth > 0 && t > vibratoStart) {
                // The vibrato fades in over a quarter second rather than switching on.
                const double grow = std::min(1.0, (t - vibratoStart) / (0.25 * SampleRate));
                f *= 1.0 + vibratoScale * grow * SineCycles(in.vibratoHz * (t - vibratoStart) / SampleRate);
            }
            step = std::min(f / SampleRate, 0.45);
            if (in.pwmDepth > 0)
                duty = std::clamp(in.duty + in.pwmDepth * SineCycles(in.pwmHz * t / SampleRate), 0.05, 0.95);
        }
        double v, second = 0.0;
        if (in.kind == VoiceKind::Fm) {
            v = SineCycles(phase + fmIndex * SineCycles(modPhase) * (1.0 / (2.0 * Pi)));
            modPhase = Wrap(modPhase + step * in.fmRatio);
            fmIndex = in.fmIndex / 3.0 + (fmIndex - in.fmIndex / 3.0) * fmFall;
        } else {
            v = Oscillator(in, phase, step, duty);
            if (in.detuneCents != 0) {
                (apart ? second : v) += Oscillator(in, phase2, step * detune, duty);
                phase2 = Wrap(phase2 + step * detune);
            }
        }
        phase = Wrap(phase + step);
        if (in.lowPassHz > 0) v = low2.LowPass(low1.LowPass(v, lowK), lowK);
        const double level = gain * envelope.At(t);
        out[i] = static_cast<float>(v * level);
        if (apart) {
            if (in.lowPassHz > 0) second = apartLow2.LowPass(apartLow1.LowPass(second, lowK), lowK);
            (*detuned)[i] = static_cast<float>(second * level);
        }
    }
    return out;
}

}  // namespace veltrano::assetgen
