// Each effect is one or a few sfxr-style voices layered: a body (noise or tone) for what the player
// hears first, a low thump for weight, and late crackles for the bigger explosions.
#include "tools/assetgen/Sfx.h"

#include <iterator>

#include "tools/assetgen/EffectSynth.h"
#include "tools/assetgen/SoundSynth.h"
#include "tools/assetgen/WaveFile.h"

namespace veltrano::assetgen {

namespace {

size_t At(double seconds) {
    return static_cast<size_t>(seconds * SampleRate);
}

// A low sine that drops in pitch: the weight under every explosion.
EffectParams Thump(double startHz, double seconds, double slide) {
    EffectParams p;
    p.wave = EffectWave::Sine;
    p.startHz = startHz;
    p.slide = slide;
    p.sustain = seconds * 0.2;
    p.punch = 0.5;
    p.decay = seconds * 0.8;
    return p;
}

// A burst of noise whose grain falls and whose brightness closes: the body of an explosion.
EffectParams Blast(double grainHz, double sustain, double decay, double lowPassHz, uint32_t seed) {
    EffectParams p;
    p.wave = EffectWave::Noise;
    p.startHz = grainHz;
    p.slide = -0.6 / (sustain + decay);
    p.sustain = sustain;
    p.punch = 0.8;
    p.decay = decay;
    p.lowPassHz = lowPassHz;
    p.lowPassSlide = -1.2 / (sustain + decay);
    p.resonance = 0.2;
    p.seed = seed;
    return p;
}

std::vector<float> Shot() {
    // It restarts eight times a second for a whole stage, so it keeps out of the melody's band
    // (1-3 kHz): a soft low thud for the weight of the shot under a short bright tick for its edge.
    EffectParams thud;
    thud.wave = EffectWave::Sine;
    thud.startHz = 560;
    thud.slide = -14.0;
    thud.sustain = 0.008;
    thud.punch = 0.6;
    thud.decay = 0.05;
    std::vector<float> out = RenderEffect(thud);
    EffectParams tick;
    tick.wave = EffectWave::Triangle;
    tick.startHz = 4600;
    tick.slide = 3.0;
    tick.sustain = 0.004;
    tick.decay = 0.024;
    tick.highPassHz = 3000;
    MixInto(out, RenderEffect(tick), 0, 0.5);
    return out;
}

std::vector<float> EnemyDeath() {
    std::vector<float> out = RenderEffect(Blast(1400, 0.04, 0.26, 6000, 11));
    EffectParams pop;
    pop.wave = EffectWave::Square;
    pop.startHz = 420;
    pop.slide = -5.0;
    pop.sustain = 0.02;
    pop.decay = 0.09;
    pop.highPassHz = 120;
    MixInto(out, RenderEffect(pop), 0, 0.5);
    return out;
}

std::vector<float> BigEnemyDeath() {
    std::vector<float> out = RenderEffect(Blast(700, 0.08, 0.62, 4200, 23));
    MixInto(out, RenderEffect(Thump(140, 0.45, -3.0)), 0, 0.9);
    MixInto(out, RenderEffect(Blast(1600, 0.02, 0.22, 7000, 29)), At(0.09), 0.5);
    return out;
}

std::vector<float> BossDeath() {
    // A long roar with secondary blasts going off inside it as the hull breaks up.
    std::vector<float> out = RenderEffect(Blast(380, 0.3, 2.3, 2600, 37));
    MixInto(out, RenderEffect(Thump(110, 1.6, -1.2)), 0, 1.0);
    const double blasts[][3] = {{0.22, 1200, 0.7}, {0.5, 900, 0.8}, {0.85, 1500, 0.6}, {1.3, 700, 0.5}};
    uint32_t seed = 41;
    for (const auto& b : blasts) {
        MixInto(out, RenderEffect(Blast(b[1], 0.04, 0.45, 5000, seed++)), At(b[0]), b[2]);
        MixInto(out, RenderEffect(Thump(90, 0.4, -2.0)), At(b[0]), b[2] * 0.6);
    }
    return out;
}

std::vector<float> Item() {
    // A rising major arpeggio of bright squares, each note ringing into the next.
    const double notes[] = {1318.5, 1661.2, 1975.5, 2637.0};
    std::vector<float> out;
    for (int i = 0; i < 4; ++i) {
        EffectParams p;
        p.wave = EffectWave::Square;
        p.duty = 0.5;
        p.dutySweep = -1.5;
        p.startHz = notes[i];
        p.sustain = 0.03;
        p.punch = 0.5;
        p.decay = i == 3 ? 0.3 : 0.12;
        p.vibratoDepth = 0.006;
        p.vibratoHz = 12;
        p.lowPassHz = 9000;
        MixInto(out, RenderEffect(p), At(0.045 * i), 1.0);
    }
    return out;
}

std::vector<float> Speed() {
    EffectParams p;
    p.wave = EffectWave::Square;
    p.duty = 0.5;
    p.dutySweep = -2.5;
    p.startHz = 480;
    p.slide = 5.5;
    p.sustain = 0.05;
    p.punch = 0.3;
    p.decay = 0.08;
    p.arpRatio = 1.5;
    p.arpTime = 0.06;
    p.arpSteps = 1;
    p.lowPassHz = 8000;
    return RenderEffect(p);
}

std::vector<float> MeDeath() {
    // The ship's engine whines down while it breaks apart.
    EffectParams whine;
    whine.wave = EffectWave::Saw;
    whine.startHz = 900;
    whine.slide = -1.5;
    whine.deltaSlide = -2.5;
    whine.vibratoDepth = 0.08;
    whine.vibratoHz = 16;
    whine.sustain = 0.25;
    whine.punch = 0.3;
    whine.decay = 0.75;
    whine.lowPassHz = 5000;
    whine.lowPassSlide = -1.5;
    std::vector<float> out = RenderEffect(whine);
    for (float& s : out) s *= 0.6f;
    MixInto(out, RenderEffect(Blast(900, 0.12, 1.1, 5000, 53)), 0, 1.0);
    MixInto(out, RenderEffect(Thump(160, 0.7, -2.0)), 0, 0.8);
    return out;
}

std::vector<float> Bomb() {
    // Deep and heavy: mostly sub-bass and closed-down noise.
    std::vector<float> out = RenderEffect(Blast(220, 0.14, 1.35, 1500, 61));
    MixInto(out, RenderEffect(Thump(75, 1.1, -1.3)), 0, 1.3);
    MixInto(out, RenderEffect(Blast(1800, 0.01, 0.12, 8000, 67)), 0, 0.35);
    return out;
}

std::vector<float> BossAlarm() {
    // A two-tone siren sweeping up and down, a fifth apart, for three seconds.
    EffectParams p;
    p.wave = EffectWave::Square;
    p.duty = 0.5;
    p.startHz = 620;
    p.vibratoDepth = 0.22;
    p.vibratoHz = 1.6;
    p.attack = 0.03;
    p.sustain = 2.7;
    p.decay = 0.3;
    p.lowPassHz = 3200;
    p.resonance = 0.3;
    std::vector<float> out = RenderEffect(p);
    p.wave = EffectWave::Saw;
    p.startHz = 930;
    MixInto(out, RenderEffect(p), 0, 0.45);
    return out;
}

// Each effect slot's voice and peak, from the one list of the effects.
struct EffectRecipe {
    std::vector<float> (*render)();
    double peak;  // of full scale: the balance between the effects
};

#define VELTRANO_EFFECT_RECIPE(slot, name, peak) {name, peak},
const EffectRecipe Recipes[] = {VELTRANO_EFFECTS(VELTRANO_EFFECT_RECIPE)};
#undef VELTRANO_EFFECT_RECIPE
static_assert(std::size(Recipes) == EffectSlotCount);

}  // namespace

std::vector<int16_t> RenderEffectWave(SoundSlot effect) {
    const EffectRecipe& recipe = Recipes[effect];
    return FinishEffect(recipe.render(), recipe.peak);
}

}  // namespace veltrano::assetgen
