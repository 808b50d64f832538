// The twenty-three waves that the build generated into the program folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/Mixer.h"
#include "tests/SoundsTestWave.h"
#include "tools/assetgen/Music.h"
#include "tools/assetgen/Sfx.h"
#include "tools/assetgen/SoundSynth.h"
#include "world/Music.h"
#include "world/Sounds.h"

using namespace veltrano::assetgen;
using veltrano::soundtest::ReadTestWave;
using veltrano::soundtest::TestWave;

namespace {

const std::filesystem::path SoundsFolder =
    std::filesystem::path(VELTRANO_PROGRAM_DIR) / veltrano::SoundsFolderName;

// The waves by the names the game loads them under (AppProgramFilesTest pins the names).
const auto& EffectFiles = veltrano::EffectNames;
const auto& MusicFiles = veltrano::MusicNames;

// Each file is read once for all the tests.
const TestWave& Load(const std::string& name) {
    static std::map<std::string, TestWave> loaded;
    auto found = loaded.find(name);
    if (found == loaded.end())
        found = loaded.emplace(name, ReadTestWave(SoundsFolder / (name + ".wav"))).first;
    return found->second;
}

double Rms(const std::vector<int16_t>& s) {
    double sum = 0;
    for (int16_t v : s) sum += static_cast<double>(v) * v;
    return s.empty() ? 0.0 : std::sqrt(sum / s.size());
}

int Peak(const std::vector<int16_t>& s) {
    int peak = 0;
    for (int16_t v : s) peak = std::max(peak, std::abs(static_cast<int>(v)));
    return peak;
}

// The longest run of samples sitting at full scale.
int LongestFullScaleRun(const std::vector<int16_t>& s) {
    int longest = 0, run = 0;
    for (int16_t v : s) {
        run = (v >= 32767 || v <= -32767) ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

// The step between neighbouring samples (every `stride`-th value is one channel's sample) that
// `percent` of all steps stay within.
int StepPercentile(const int16_t* s, size_t count, size_t stride, int percent) {
    std::vector<size_t> stepCount(65536, 0);
    for (size_t i = stride; i < count; i += stride) ++stepCount[std::abs(s[i] - s[i - stride])];
    const size_t wanted = (count / stride - 1) * percent / 100;
    size_t seen = 0;
    int step = 0;
    while (seen + stepCount[step] < wanted) seen += stepCount[step++];
    return step;
}

// The energy of the channels' mean between `low` and `high` Hz (two second-order high-passes, then
// two low-passes), and over all frequencies.
struct BandEnergy {
    double band = 0, all = 0;
};
BandEnergy EnergyBetween(const std::vector<int16_t>& s, int channels, double low, double high) {
    struct Biquad {
        double b0, b1, b2, a1, a2, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        Biquad(bool highPass, double hz) {
            const double w = 2 * Pi * hz / SampleRate, c = std::cos(w), alpha = std::sin(w) / std::sqrt(2.0);
            const double a0 = 1 + alpha, edge = highPass ? (1 + c) / 2 : (1 - c) / 2;
            b0 = edge / a0;
            b1 = (highPass ? -2 * edge : 2 * edge) / a0;
            b2 = edge / a0;
            a1 = -2 * c / a0;
            a2 = (1 - alpha) / a0;
        }
        double Run(double x) {
            const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
            x2 = x1, x1 = x, y2 = y1, y1 = y;
            return y;
        }
    };
    Biquad filters[4] = {{true, low}, {true, low}, {false, high}, {false, high}};
    BandEnergy e;
    for (size_t i = 0; i + channels <= s.size(); i += channels) {
        double v = 0;
        for (int c = 0; c < channels; ++c) v += s[i + c];
        v /= channels;
        e.all += v * v;
        for (Biquad& f : filters) v = f.Run(v);
        e.band += v * v;
    }
    return e;
}

}  // namespace

TEST(SoundsFiles, TheShotKeepsOutOfTheMelodysBand) {
    // The shot restarts eight times a second for a whole stage: in 1-3 kHz, where the melodies
    // sing, it must stay well below every stage's music, and little of it may lie there at all.
    const TestWave& shot = Load(EffectFiles[veltrano::ShotSound]);
    const BandEnergy shotEnergy = EnergyBetween(shot.samples, shot.channels, 1000, 3000);
    EXPECT_LT(shotEnergy.band, shotEnergy.all * 0.03);
    for (const char* name : MusicFiles) {
        SCOPED_TRACE(name);
        const TestWave& music = Load(name);
        const double musicPerSecond =
            EnergyBetween(music.samples, music.channels, 1000, 3000).band / music.Seconds();
        EXPECT_LT(10 * std::log10(8 * shotEnergy.band / musicPerSecond), -10.0);
    }
}

TEST(SoundsFiles, EveryEffectIsMonoEveryPieceStereo16BitPcmCentredOnZeroThatStartsAndEndsAtZero) {
    std::vector<std::string> names(std::begin(EffectFiles), std::end(EffectFiles));
    names.insert(names.end(), std::begin(MusicFiles), std::end(MusicFiles));
    ASSERT_EQ(names.size(), 23u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const TestWave& wave = Load(name);
        ASSERT_EQ(wave.problem, "");
        const int channels =
            std::find(std::begin(MusicFiles), std::end(MusicFiles), name) != std::end(MusicFiles)
                ? MusicChannels
                : 1;
        EXPECT_EQ(wave.format, 1);
        EXPECT_EQ(wave.channels, channels);
        EXPECT_EQ(wave.rate, SampleRate);
        EXPECT_EQ(wave.bits, 16);
        EXPECT_EQ(wave.blockAlign, 2 * channels);
        EXPECT_EQ(wave.byteRate, SampleRate * 2 * channels);
        EXPECT_GT(Peak(wave.samples), 32767 / 5) << "too quiet";
        EXPECT_LT(LongestFullScaleRun(wave.samples), 2);
        // An offset eats headroom and thumps when the sound starts; a first sample far from zero
        // clicks when the sound starts from silence, a last one when it stops.
        double sum = 0;
        for (int16_t v : wave.samples) sum += v;
        EXPECT_LT(std::abs(sum / static_cast<double>(wave.samples.size())), 0.005 * 32768) << "DC offset";
        for (int c = 0; c < channels; ++c) {
            EXPECT_LE(std::abs(wave.samples[c]), 0.01 * 32768);
            EXPECT_LE(std::abs(wave.samples[wave.samples.size() - channels + c]), 0.01 * 32768);
        }
    }
}

TEST(SoundsFiles, MusicIsEvenlyLoudAndEveryEffectStandsOutOverIt) {
    double quietest = 1e9, loudest = 0;
    for (const char* name : MusicFiles) {
        const double rms = Rms(Load(name).samples);
        quietest = std::min(quietest, rms);
        loudest = std::max(loudest, rms);
    }
    EXPECT_LT(20 * std::log10(loudest / quietest), 2.0) << "music loudness differs between pieces";
    // An effect is heard over the music when its loudest 50 ms are louder than the music; the
    // shot, which fires ten times a second, may sit just below it.
    for (const char* name : EffectFiles) {
        SCOPED_TRACE(name);
        const std::vector<int16_t>& s = Load(name).samples;
        const size_t window = SampleRate / 20;
        double punch = 0;
        for (size_t at = 0; at + window <= s.size() || at == 0; at += window / 10) {
            const std::vector<int16_t> part(s.begin() + at, s.begin() + std::min(s.size(), at + window));
            punch = std::max(punch, Rms(part));
        }
        const double overMusic = 20 * std::log10(punch / loudest);
        EXPECT_GT(overMusic, std::string(name) == EffectFiles[veltrano::ShotSound] ? -1.0 : 2.0);
    }
}

TEST(SoundsFiles, EveryWaveLoadsWithTheGamesLoaderAsItIs) {
    static_assert(SampleRate == veltrano::MixRate,
                  "waves are written at the mixer's rate, so loading is a copy");
    std::vector<std::string> names(std::begin(EffectFiles), std::end(EffectFiles));
    names.insert(names.end(), std::begin(MusicFiles), std::end(MusicFiles));
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        veltrano::SoundBuffer buffer;
        std::string error;
        ASSERT_TRUE(veltrano::LoadWaveFile(buffer, (SoundsFolder / (name + ".wav")).string(), &error))
            << error;
        EXPECT_EQ(buffer.Samples, Load(name).samples);
    }
}

TEST(SoundsFiles, MusicLastsFortyFiveToOneHundredTwentySecondsAndEffectsAreShort) {
    double totalBytes = 0;
    for (const char* name : MusicFiles) {
        SCOPED_TRACE(name);
        const TestWave& wave = Load(name);
        EXPECT_GE(wave.Seconds(), 45.0);
        EXPECT_LE(wave.Seconds(), 120.0);
        totalBytes += wave.samples.size() * 2.0;
    }
    for (const char* name : EffectFiles) {
        SCOPED_TRACE(name);
        const TestWave& wave = Load(name);
        EXPECT_GT(wave.Seconds(), 0.05);
        EXPECT_LT(wave.Seconds(), 4.0);
        totalBytes += wave.samples.size() * 2.0;
    }
    EXPECT_LT(totalBytes, 100e6) << "the sounds must leave room for the pictures in the data budget";
}

TEST(SoundsFiles, MusicLoopsWithoutAClickAtTheJoin) {
    for (const char* name : MusicFiles) {
        SCOPED_TRACE(name);
        const std::vector<int16_t>& s = Load(name).samples;
        ASSERT_GT(s.size(), 1000u);
        // The join must look like an ordinary step of the piece (below the 99th percentile), not
        // like one of its rare drum transients, on either side.
        for (int c = 0; c < MusicChannels; ++c)
            EXPECT_LE(std::abs(s[c] - s[s.size() - MusicChannels + c]),
                      StepPercentile(s.data() + c, s.size() - c, MusicChannels, 99));
        // And the piece does not fade out or in around the join: the loop is continuous music.
        const std::vector<int16_t> head(s.begin(), s.begin() + SampleRate / 2);
        const std::vector<int16_t> tail(s.end() - SampleRate / 2, s.end());
        EXPECT_GT(Rms(head), Rms(s) * 0.2);
        EXPECT_GT(Rms(tail), Rms(s) * 0.2);
    }
}

TEST(SoundsFiles, MusicStandsInStereoAndItsMonoSumLosesNothing) {
    for (const char* name : MusicFiles) {
        SCOPED_TRACE(name);
        const std::vector<int16_t>& s = Load(name).samples;
        double ll = 0, rr = 0, lr = 0, mono = 0;
        for (size_t i = 0; i + 1 < s.size(); i += 2) {
            const double l = s[i], r = s[i + 1];
            ll += l * l, rr += r * r, lr += l * r, mono += (l + r) * (l + r) / 4;
        }
        // The voices stand apart (the sides are not one signal twice), yet the sides agree enough
        // that a mono speaker hears the whole piece at nearly its level.
        const double correlation = lr / std::sqrt(ll * rr);
        EXPECT_LT(correlation, 0.98);
        EXPECT_GT(correlation, 0.5);
        EXPECT_GT(10 * std::log10(mono / ((ll + rr) / 2)), -1.5);
        EXPECT_LT(std::fabs(10 * std::log10(ll / rr)), 1.5) << "one side louder";
    }
}

TEST(SoundsFiles, TheShotIsShortAndQuieterThanTheBomb) {
    const TestWave &shot = Load(EffectFiles[veltrano::ShotSound]),
                   &bomb = Load(EffectFiles[veltrano::BombSound]);
    EXPECT_LT(shot.Seconds(), 0.25);
    EXPECT_LT(Rms(shot.samples), Rms(bomb.samples) * 0.7);
    EXPECT_LT(Peak(shot.samples), Peak(bomb.samples) / 2);
    EXPECT_GE(Load(EffectFiles[veltrano::BossAlarmSound]).Seconds(), 2.0);
    EXPECT_LE(Load(EffectFiles[veltrano::BossAlarmSound]).Seconds(), 4.0);
}

TEST(SoundsFiles, TheBuildsFilesEqualFreshRendersSoEveryRunGivesTheSameBytes) {
    for (int e = 0; e < veltrano::EffectSlotCount; ++e) {
        const auto effect = static_cast<veltrano::SoundSlot>(e);
        SCOPED_TRACE(EffectFiles[e]);
        const std::vector<int16_t> first = RenderEffectWave(effect);
        EXPECT_EQ(first, RenderEffectWave(effect));
        EXPECT_EQ(first, Load(EffectFiles[e]).samples);
    }
    // One piece twice in this process and once in the build's: its noise and state start afresh.
    const int boss2 = static_cast<int>(veltrano::MusicPiece::Boss2);
    std::vector<int16_t> first, second;
    double tempo = 0;
    std::string error;
    ASSERT_TRUE(RenderSongWave(boss2, &first, &tempo, &error)) << error;
    ASSERT_TRUE(RenderSongWave(boss2, &second, &tempo, &error)) << error;
    EXPECT_EQ(first, second);
    EXPECT_EQ(first, Load(SongName(boss2)).samples);
}
