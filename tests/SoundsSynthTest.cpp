// The effect voice, the music's note voice and the drums, measured the way an ear would: pitch by
// counting zero crossings, length and level from the samples.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tools/assetgen/Drums.h"
#include "tools/assetgen/EffectSynth.h"
#include "tools/assetgen/Sequencer.h"
#include "tools/assetgen/SoundSynth.h"

using namespace veltrano::assetgen;

namespace {

// The pitch of a stretch of samples in Hz, from its rising zero crossings.
double PitchOf(const std::vector<float>& s, double fromSeconds, double toSeconds) {
    const size_t from = static_cast<size_t>(fromSeconds * SampleRate),
                 to = static_cast<size_t>(toSeconds * SampleRate);
    int rising = 0;
    for (size_t i = from + 1; i < to && i < s.size(); ++i)
        if (s[i - 1] < 0 && s[i] >= 0) ++rising;
    return rising / (toSeconds - fromSeconds);
}

double Loudest(const std::vector<float>& s) {
    double peak = 0;
    for (float v : s) peak = std::fmax(peak, std::fabs(v));
    return peak;
}

}  // namespace

TEST(SoundsSynth, SineTableFollowsTheSine) {
    for (double phase = -1.0; phase <= 2.0; phase += 0.0137)
        EXPECT_NEAR(SineCycles(phase), std::sin(2 * Pi * phase), 1e-6) << phase;
}

TEST(SoundsSynth, EffectEnvelopeSlideAndArpeggioShapeTheSound) {
    EffectParams p;
    p.wave = EffectWave::Sine;
    p.startHz = 1000;
    p.sustain = 1.0;
    p.decay = 0.5;
    std::vector<float> s = RenderEffect(p);
    EXPECT_EQ(s.size(), static_cast<size_t>(1.501 * SampleRate));
    EXPECT_NEAR(PitchOf(s, 0.1, 0.9), 1000, 5);
    const std::vector<float> sustained(s.begin() + SampleRate / 2, s.begin() + SampleRate / 2 + 100);
    const std::vector<float> decaying(s.begin() + SampleRate * 5 / 4, s.begin() + SampleRate * 5 / 4 + 100);
    EXPECT_NEAR(Loudest(sustained), 1.0, 0.02);
    EXPECT_NEAR(Loudest(decaying), 0.5, 0.02) << "halfway down the decay";
    EXPECT_LT(std::fabs(s.back()), 0.01);
    EXPECT_LT(std::fabs(s.front()), 0.01) << "an instant attack still starts from silence";

    p.slide = 1.0;  // one octave up per second
    s = RenderEffect(p);
    EXPECT_NEAR(PitchOf(s, 0.0, 0.1), 1000 * std::exp2(0.05), 30);
    EXPECT_NEAR(PitchOf(s, 0.9, 1.0), 1000 * std::exp2(0.95), 50);

    p.slide = -4.0;
    p.minHz = 250;  // two octaves down: reached after half a second, which ends the sound
    s = RenderEffect(p);
    EXPECT_NEAR(s.size(), 0.5 * SampleRate, 0.01 * SampleRate);

    p = EffectParams{};
    p.wave = EffectWave::Sine;
    p.startHz = 500;
    p.sustain = 0.6;
    p.decay = 0.0;
    p.arpRatio = 2.0;
    p.arpTime = 0.2;
    p.arpSteps = 1;
    s = RenderEffect(p);
    EXPECT_NEAR(PitchOf(s, 0.05, 0.18), 500, 20);
    EXPECT_NEAR(PitchOf(s, 0.25, 0.55), 1000, 20);
}

TEST(SoundsSynth, EffectNoiseIsSeededAndFiltersDarkenIt) {
    EffectParams p;
    p.wave = EffectWave::Noise;
    p.startHz = 3000;
    p.sustain = 0.3;
    p.decay = 0.0;
    p.seed = 5;
    const std::vector<float> a = RenderEffect(p), b = RenderEffect(p);
    EXPECT_EQ(a, b);
    p.seed = 6;
    EXPECT_NE(a, RenderEffect(p));
    // A low-pass at 300 Hz leaves far fewer zero crossings than the open noise.
    p.lowPassHz = 300;
    const std::vector<float> dark = RenderEffect(p);
    EXPECT_LT(PitchOf(dark, 0.05, 0.25) * 4, PitchOf(a, 0.05, 0.25));
    for (float v : dark) ASSERT_TRUE(std::isfinite(v));
}

TEST(SoundsSynth, NotesSoundAtTheirPitchForTheirGateAndRelease) {
    for (VoiceKind kind : {VoiceKind::Pulse, VoiceKind::Triangle, VoiceKind::Saw, VoiceKind::Fm}) {
        Instrument in;
        in.kind = kind;
        in.release = 0.1;
        in.fmIndex = 1.0;
        const std::vector<float> s = RenderNote(in, 69, 1.0, SampleRate / 2, 1);
        SCOPED_TRACE(static_cast<int>(kind));
        EXPECT_NEAR(s.size(), 0.6 * SampleRate, 2);
        EXPECT_NEAR(PitchOf(s, 0.1, 0.45), 440, 6);
        EXPECT_LT(std::fabs(s.front()), 0.05);
        EXPECT_LT(std::fabs(s.back()), 0.01);
        EXPECT_GT(Loudest(s), 0.3);
        EXPECT_LE(Loudest(s), 1.6);
    }
    // A vibrato of a semitone swings the pitch but keeps its centre.
    Instrument wobble;
    wobble.kind = VoiceKind::Triangle;
    wobble.vibratoDepth = 1.0;
    wobble.vibratoDelay = 0.0;
    const std::vector<float> s = RenderNote(wobble, 69, 1.0, 2 * SampleRate, 1);
    EXPECT_NEAR(PitchOf(s, 0.5, 1.5), 440, 8);
}

TEST(SoundsSynth, EveryDrumStartsAndEndsInSilenceAndKicksAreLow) {
    for (int note = 48; note < 72; ++note) {
        SCOPED_TRACE(note);
        const std::vector<float> hit = RenderDrum(note, 1.0, 3);
        ASSERT_GT(hit.size(), 100u);
        EXPECT_EQ(hit.front(), 0.0f);
        EXPECT_LT(std::fabs(hit.back()), 0.001);
        EXPECT_GT(Loudest(hit), 0.1);
        EXPECT_EQ(hit, RenderDrum(note, 1.0, 3));
    }
    // The kick's body sits far below the hi-hat's sizzle.
    EXPECT_LT(PitchOf(RenderDrum(60, 1.0, 3), 0.05, 0.3) * 20, PitchOf(RenderDrum(64, 1.0, 3), 0.0, 0.06));
}
