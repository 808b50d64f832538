#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/Mixer.h"

using namespace veltrano;

namespace {

namespace fs = std::filesystem;

fs::path TestFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const fs::path folder =
        fs::temp_directory_path() / "veltrano-tests" / (std::string("Mixer.") + info->name());
    fs::create_directories(folder);
    return folder;
}

void PutLe(std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// The bytes of a PCM wave whose data chunk declares `declaredBytes` and holds `data`.
std::string WaveBytes(int channels, int rate, int bits, const std::string& data, uint32_t declaredBytes) {
    std::string bytes = "RIFF";
    PutLe(bytes, static_cast<uint32_t>(36 + data.size()), 4);
    bytes += "WAVEfmt ";
    PutLe(bytes, 16, 4);
    PutLe(bytes, 1, 2);
    PutLe(bytes, static_cast<uint32_t>(channels), 2);
    PutLe(bytes, static_cast<uint32_t>(rate), 4);
    PutLe(bytes, static_cast<uint32_t>(rate * channels * bits / 8), 4);
    PutLe(bytes, static_cast<uint32_t>(channels * bits / 8), 2);
    PutLe(bytes, static_cast<uint32_t>(bits), 2);
    bytes += "data";
    PutLe(bytes, declaredBytes, 4);
    return bytes + data;
}

std::string Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

// A mono 16-bit wave of `count` samples, each sample its index times `step`.
std::string WriteRamp(const char* name, int rate, int count, int step) {
    std::string data;
    for (int i = 0; i < count; ++i) PutLe(data, static_cast<uint16_t>(i * step), 2);
    return Write(TestFolder() / name, WaveBytes(1, rate, 16, data, static_cast<uint32_t>(data.size())));
}

SoundBuffer Loaded(const std::string& path) {
    SoundBuffer buffer;
    std::string error;
    EXPECT_TRUE(LoadWaveFile(buffer, path, &error)) << error;
    return buffer;
}

// A mono wave in memory: `quiet` frames of 1 (a start that is near silence, so what a restart plays
// can be told from what fades out), then `level` to the end.
SoundBuffer Steps(size_t frames, size_t quiet, int16_t level) {
    SoundBuffer buffer;
    buffer.Samples.assign(frames, level);
    std::fill(buffer.Samples.begin(), buffer.Samples.begin() + static_cast<std::ptrdiff_t>(quiet),
              int16_t{1});
    return buffer;
}

// The left channel of `frames` mixed frames of one buffer.
std::vector<int32_t> MixLeft(SoundBuffer& buffer, int frames) {
    std::vector<int32_t> sum(static_cast<size_t>(frames) * MixChannels), left;
    MixBuffers(&buffer, 1, sum.data(), frames);
    for (int f = 0; f < frames; ++f) left.push_back(sum[static_cast<size_t>(f) * MixChannels]);
    return left;
}

}  // namespace

TEST(Mixer, PlayStopRewindAndLoopMoveThePositionAsBuffersDo) {
    SoundBuffer buffer = Loaded(WriteRamp("ramp.wav", MixRate, 100, 10));
    EXPECT_EQ(buffer.FrameCount(), 100u);
    EXPECT_EQ(buffer.Channels, 1);  // a mono wave stays mono in memory
    int32_t sum[2 * 64];
    PlayBuffer(buffer, false);
    MixBuffers(&buffer, 1, sum, 30);
    EXPECT_EQ(sum[0], 0);
    EXPECT_EQ(sum[2 * 29], 290);
    EXPECT_EQ(sum[2 * 29 + 1], 290);  // both channels carry the mono sample
    EXPECT_EQ(buffer.Position, 30u);
    StopBuffer(buffer);
    MixBuffers(&buffer, 1, sum, 64);
    MixBuffers(&buffer, 1, sum, 64);  // past the stop's fade
    EXPECT_EQ(sum[2 * 63], 0);
    EXPECT_EQ(buffer.Position, 30u);  // stopping keeps the position
    PlayBuffer(buffer, false);
    PlayBuffer(buffer, true);  // already playing: no restart, no change of loop
    EXPECT_FALSE(buffer.Looping);
    RewindBuffer(buffer);
    EXPECT_EQ(buffer.Position, 0u);
    MixBuffers(&buffer, 1, sum, 64);
    MixBuffers(&buffer, 1, sum, 64);
    EXPECT_FALSE(buffer.Playing);  // ran out without looping
    EXPECT_EQ(sum[2 * 35], 990);
    EXPECT_EQ(sum[2 * 36], 0);  // and the rest of the chunk is silence
    StopBuffer(buffer);
    RewindBuffer(buffer);
    PlayBuffer(buffer, true);
    for (int i = 0; i < 5; ++i) MixBuffers(&buffer, 1, sum, 64);
    EXPECT_TRUE(buffer.Playing);
    EXPECT_EQ(buffer.Position, (5u * 64u) % 100u);
    EXPECT_EQ(sum[2 * 63], 10 * static_cast<int>((4 * 64 + 63) % 100));  // the loop joins without a gap
}

TEST(Mixer, ACutSoundFadesToSilenceOverFourMillisecondsBesideWhatPlaysNext) {
    constexpr int16_t Level = 12000;
    struct {
        const char* cut;
        size_t from;  // where the sound is when it is cut
        bool loop;
        void (*apply)(SoundBuffer&);
        int32_t next;     // what the buffer plays beside the fade: 1 is its own start, 0 nothing
        size_t fadeEnds;  // the frame after the cut from which the fade is silent
    } const table[] = {
        {"stop", 1000, true, [](SoundBuffer& b) { StopBuffer(b); }, 0, FadeFrames},
        {"rewind while playing", 1000, true, [](SoundBuffer& b) { RewindBuffer(b); }, 1, FadeFrames},
        {"restart", 1000, false,
         [](SoundBuffer& b) {
             PlayBuffer(b, false);
             RewindBuffer(b);
         },
         1, FadeFrames},
        {"restart twice in one step", 1000, false,
         [](SoundBuffer& b) {
             for (int i = 0; i < 2; ++i) {
                 PlayBuffer(b, false);
                 RewindBuffer(b);
             }
         },
         1, FadeFrames},
        {"silence", 1000, true,
         [](SoundBuffer& b) {
             StopBuffer(b);
             RewindBuffer(b);
         },
         0, FadeFrames},
        {"load over it", 1000, true,
         [](SoundBuffer& b) {
             Wave other;
             other.Samples.assign(500, 7);
             std::string file = "other";
             SwapWaveInto(b, other, file);
         },
         0, FadeFrames},
        // Near the end a looping sound's fade goes on from its start; one that does not loop ends
        // with its wave.
        {"stop near the end of a loop", 2000 - 40, true, [](SoundBuffer& b) { StopBuffer(b); }, 0,
         FadeFrames},
        {"stop near the end", 2000 - 40, false, [](SoundBuffer& b) { StopBuffer(b); }, 0, 40},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.cut);
        SoundBuffer buffer = Steps(2000, row.next ? 300 : 0, Level);
        buffer.Position = row.from - 24;
        PlayBuffer(buffer, row.loop);
        MixLeft(buffer, 24);
        row.apply(buffer);
        const std::vector<int32_t> left = MixLeft(buffer, 256);
        // The fade goes on from the level of the cut, a small step down each frame, to silence.
        std::vector<int32_t> fade;
        for (int32_t v : left) fade.push_back(v - row.next);
        EXPECT_GE(fade[0], Level * 95 / 100);
        for (size_t f = 1; f < fade.size(); ++f) {
            SCOPED_TRACE(f);
            EXPECT_LE(fade[f], fade[f - 1]);
            if (f < row.fadeEnds) {
                EXPECT_LE(fade[f - 1] - fade[f], Level / 100);
                EXPECT_GT(fade[f], 0);
            } else {
                EXPECT_EQ(fade[f], 0);
            }
        }
        // The fade lasts between three and five milliseconds.
        EXPECT_GE(FadeFrames, MixRate * 3 / 1000);
        EXPECT_LE(FadeFrames, MixRate * 5 / 1000);
        if (row.next == 1) {
            EXPECT_TRUE(buffer.Playing);  // the restarted sound plays from its start at once
            EXPECT_EQ(buffer.Position, 256u);
        } else if (std::string(row.cut) == "stop") {
            EXPECT_EQ(buffer.Position, row.from);  // stopping keeps the position
        }
    }
}

TEST(Mixer, ASecondCutWhileTheFirstFadesKeepsWhatIsLeftOfTheFirst) {
    SoundBuffer buffer = Steps(2000, 0, 12000);
    buffer.Position = 1000;
    PlayBuffer(buffer, true);
    MixLeft(buffer, 24);
    RewindBuffer(buffer);
    MixLeft(buffer, 40);  // the first fade is a third done; the restarted sound is heard
    StopBuffer(buffer);
    const std::vector<int32_t> left = MixLeft(buffer, 256);
    EXPECT_NEAR(left[0], 12000.0 * (FadeFrames - 40 + FadeFrames) / (FadeFrames + 1), 2);
    for (int f = 1; f < 256; ++f) EXPECT_LE(left[f], left[f - 1]) << f;
    EXPECT_EQ(left[FadeFrames], 0);
}

TEST(Mixer, NothingFadesWhereNothingWasHeard) {
    // A stopped sound played and rewound at once (the restart of an effect that had ended, or of a
    // piece stopped halfway) starts from its start with no trace of where it stood.
    SoundBuffer parked = Steps(2000, 300, 12000);
    parked.Position = 1000;
    PlayBuffer(parked, false);
    RewindBuffer(parked);
    std::vector<int32_t> left = MixLeft(parked, 200);
    EXPECT_TRUE(std::all_of(left.begin(), left.end(), [](int32_t v) { return v == 1; }));
    // Silencing what is already silent stays silent.
    StopBuffer(parked);
    RewindBuffer(parked);
    MixLeft(parked, 200);  // the fade of the stop above
    StopBuffer(parked);
    RewindBuffer(parked);
    left = MixLeft(parked, 200);
    EXPECT_TRUE(std::all_of(left.begin(), left.end(), [](int32_t v) { return v == 0; }));
    // A fade plays at the buffer's volume: a sound faded out to silence by its volume stays silent.
    SoundBuffer faded = Steps(2000, 0, 12000);
    SetBufferVolume(faded, -10000);
    PlayBuffer(faded, true);
    MixLeft(faded, 50);
    StopBuffer(faded);
    left = MixLeft(faded, 200);
    EXPECT_TRUE(std::all_of(left.begin(), left.end(), [](int32_t v) { return v == 0; }));
}

TEST(Mixer, PlayingAFinishedSoundAgainPlaysItFromItsStart) {
    SoundBuffer buffer = Steps(100, 0, 500);
    buffer.Samples[0] = 321;
    PlayBuffer(buffer, false);
    MixLeft(buffer, 150);
    ASSERT_FALSE(buffer.Playing);
    PlayBuffer(buffer, false);  // no rewind in between
    const std::vector<int32_t> again = MixLeft(buffer, 100);
    EXPECT_EQ(again[0], 321);
    EXPECT_EQ(again[99], 500);
    EXPECT_EQ(buffer.Position, 100u);
}

TEST(Mixer, VolumeIsInHundredthsOfADecibelAndTheSumIsThirtyTwoBit) {
    const std::string path = WriteRamp("loud.wav", MixRate, 10, 3000);  // up to 27000
    SoundBuffer loud[3] = {Loaded(path), Loaded(path), Loaded(path)};
    for (auto& b : loud) PlayBuffer(b, false);
    int32_t sum[20];
    MixBuffers(loud, 3, sum, 10);
    EXPECT_EQ(sum[2], 9000);
    EXPECT_EQ(sum[18], 81000);  // far beyond 16 bits, neither wrapped nor clipped yet
    for (auto& b : loud) RewindBuffer(b);
    struct {
        int volume;
        double gain;
    } const table[] = {{0, 1.0}, {-600, 0.501}, {-2000, 0.1}, {-10000, 0.0}, {-20000, 0.0}, {300, 1.0}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.volume);
        SetBufferVolume(loud[0], row.volume);
        StopBuffer(loud[1]);
        StopBuffer(loud[2]);
        RewindBuffer(loud[0]);
        PlayBuffer(loud[0], false);
        MixBuffers(loud, 3, sum, 10);
        EXPECT_NEAR(sum[18], 27000 * row.gain, 27000 * 0.002 + 1);
    }
    EXPECT_EQ(loud[0].Volume, 0);  // kept within -10000..0
}

TEST(Mixer, TheLimiterKeepsEveryMixBelowFullScaleAndQuietSoundUntouched) {
    constexpr int Delay = SoftLimiter::LookAhead - 1;
    SoftLimiter limiter;
    // Quiet sound passes at the master gain, only delayed.
    std::vector<int32_t> sum(2 * 4000);
    for (size_t i = 0; i < sum.size(); ++i) sum[i] = static_cast<int32_t>(((i / 2) % 200) * 50) - 5000;
    std::vector<int16_t> out(sum.size());
    limiter.Process(sum.data(), out.data(), 4000);
    for (int f = Delay; f < 4000; f += 97)
        EXPECT_EQ(out[2 * f], std::lrint(sum[2 * (f - Delay)] * SoftLimiter::MasterGain)) << f;

    // Eleven full-scale square waves at once, from silence, then silence again.
    std::vector<int32_t> burst(2 * 32000, 0);
    for (int f = 8000; f < 16000; ++f)
        burst[2 * f] = burst[2 * f + 1] = (f / 40) % 2 ? 11 * 32767 : -11 * 32768;
    std::vector<int16_t> loud(burst.size());
    limiter.Reset();
    for (int f = 0; f < 32000; f += 500) limiter.Process(&burst[2 * f], &loud[2 * f], 500);
    int peak = 0;
    for (int16_t v : loud) peak = std::max(peak, std::abs(static_cast<int>(v)));
    EXPECT_LE(peak, SoftLimiter::Ceiling);
    EXPECT_GT(peak, SoftLimiter::Ceiling * 9 / 10)
        << "the limiter lowers peaks to its ceiling, not far below";
    // Before a loud onset the gain comes down over the look-ahead, a little each frame, instead of
    // in one step on the loud frame.
    std::vector<int32_t> step(2 * 2000, 10000);
    std::fill(step.begin() + 2 * 1000, step.end(), 11 * 32767);
    std::vector<int16_t> stepOut(step.size());
    limiter.Reset();
    limiter.Process(step.data(), stepOut.data(), 2000);
    const double level = 10000 * SoftLimiter::MasterGain;
    EXPECT_EQ(stepOut[2 * (1000 + Delay - SoftLimiter::LookAhead)], std::lrint(level));
    double biggestDrop = 0;
    for (int f = 1000 + Delay - SoftLimiter::LookAhead; f < 1000 + Delay; ++f)
        biggestDrop = std::max(biggestDrop, (stepOut[2 * f] - stepOut[2 * f + 2]) / level);
    EXPECT_LT(stepOut[2 * (1000 + Delay - 1)], level * 0.2);
    EXPECT_LT(biggestDrop, 1.5 / SoftLimiter::LookAhead);
    // After the burst, quiet sound comes back to its own level: nearly in half a second, exactly in
    // a second.
    std::vector<int32_t> after(2 * 100, 10000);
    std::vector<int16_t> afterOut(after.size());
    for (int i = 0; i < 160; ++i) limiter.Process(after.data(), afterOut.data(), 100);
    EXPECT_NEAR(afterOut.back(), level, level * 0.005);
    for (int i = 0; i < 160; ++i) limiter.Process(after.data(), afterOut.data(), 100);
    EXPECT_EQ(afterOut.back(), std::lrint(level));
}

TEST(Mixer, TheLimiterTurnsLoudSoundDownByItsGainAheadOfThePeakNotByClipping) {
    constexpr int Delay = SoftLimiter::LookAhead - 1;
    constexpr int Frames = 6000, LoudFrom = 3000;
    const double ceiling = SoftLimiter::Ceiling / SoftLimiter::MasterGain;  // of the sum
    auto sine = [](int f, double amplitude) { return amplitude * std::sin(2 * 3.14159265358979 * f / 40.0); };
    struct {
        const char* signal;
        double (*at)(int f, double ceiling, double (*sine)(int, double));
    } const table[] = {
        {"a tone three times too loud after a quiet one",
         [](int f, double c, double (*s)(int, double)) { return s(f, f < LoudFrom ? 0.3 * c : 3 * c); }},
        {"one loud frame in a quiet tone",
         [](int f, double c, double (*s)(int, double)) { return f == LoudFrom ? 4 * c : s(f, 0.3 * c); }},
        {"a square wave of eleven full-scale sounds",
         [](int f, double c, double (*)(int, double)) {
             return f < LoudFrom ? 0.3 * c : ((f / 40) % 2 ? 11 * 32767.0 : -11 * 32768.0);
         }},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.signal);
        std::vector<int32_t> sum(2 * Frames);
        for (int f = 0; f < Frames; ++f)
            sum[2 * f] = sum[2 * f + 1] = static_cast<int32_t>(std::lround(row.at(f, ceiling, sine)));
        std::vector<int16_t> out(sum.size());
        SoftLimiter limiter;
        for (int f = 0; f < Frames; f += 250) limiter.Process(&sum[2 * f], &out[2 * f], 250);
        // The gain the limiter gave each frame, where the frame is loud enough to tell it exactly.
        int peak = 0;
        double lastGain = -1, biggestStep = 0, gainBeforeLoud = 1;
        int lastFrame = 0;
        for (int f = Delay; f < Frames; ++f) {
            const double in = sum[2 * (f - Delay)] * SoftLimiter::MasterGain;
            peak = std::max(peak, std::abs(static_cast<int>(out[2 * f])));
            if (std::fabs(in) < 2000) continue;
            const double gain = out[2 * f] / in;
            if (lastGain >= 0)
                biggestStep = std::max(biggestStep, std::fabs(gain - lastGain) / (f - lastFrame));
            lastGain = gain;
            lastFrame = f;
            if (f - Delay < LoudFrom) gainBeforeLoud = gain;
        }
        EXPECT_LE(peak, SoftLimiter::Ceiling);
        EXPECT_GT(peak, SoftLimiter::Ceiling * 9 / 10) << "lowered to the ceiling, not far below";
        // A gain that moves a little each frame: a sound clipped at the ceiling, or a gain that
        // comes down only when the peak is already going out, jumps.
        EXPECT_LT(biggestStep, 1.5 / SoftLimiter::LookAhead);
        // Looking ahead, the gain is already down before the loud frame goes out.
        EXPECT_LT(gainBeforeLoud, 0.6);
    }
}

TEST(Mixer, WavesAreReadAtTheMixersRateAsTheyWere) {
    // The generator's own format is a plain copy.
    SoundBuffer same = Loaded(WriteRamp("same.wav", MixRate, 1000, 7));
    EXPECT_EQ(same.FrameCount(), 1000u);
    EXPECT_EQ(same.Samples[999], 6993);
    // Half the rate: every frame twice, the new ones halfway between.
    SoundBuffer slow = Loaded(WriteRamp("slow.wav", MixRate / 2, 1000, 2));
    EXPECT_EQ(slow.FrameCount(), 2000u);
    EXPECT_EQ(slow.Samples[200], 200);
    EXPECT_EQ(slow.Samples[201], 201);
    // 8-bit stereo stays stereo, centred on 0 and scaled to 16 bits.
    std::string data;
    for (int i = 0; i < 4; ++i) data += std::string{static_cast<char>(128 + i), static_cast<char>(128 - i)};
    SoundBuffer stereo = Loaded(Write(TestFolder() / "stereo8.wav", WaveBytes(2, MixRate, 8, data, 8)));
    EXPECT_EQ(stereo.Channels, 2);
    EXPECT_EQ(stereo.FrameCount(), 4u);
    EXPECT_EQ(stereo.Left(3), 3 * 256);
    EXPECT_EQ(stereo.Right(3), -3 * 256);
    // A data chunk that ends early gives what it holds; bytes past what it declares are not sound.
    std::string ramp;
    for (int i = 0; i < 100; ++i) PutLe(ramp, static_cast<uint16_t>(i), 2);
    SoundBuffer cut = Loaded(Write(TestFolder() / "cut.wav", WaveBytes(1, MixRate, 16, ramp, 1000)));
    EXPECT_EQ(cut.FrameCount(), 100u);
    SoundBuffer trailing = Loaded(
        Write(TestFolder() / "trailing.wav", WaveBytes(1, MixRate, 16, ramp + std::string(5000, 'x'), 200)));
    EXPECT_EQ(trailing.FrameCount(), 100u);
}

TEST(Mixer, BadWavesAreRefusedWithOneLineNamingTheFileAndTheBufferKeepsWhatItHeld) {
    const fs::path folder = TestFolder();
    fs::create_directories(folder / "folder.wav");
    const std::string fifo = (folder / "fifo.wav").string();
    fs::remove(fifo);
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // A low-rate 8-bit mono wave of 1.1 MB would take over 64 MB at the mixer's rate.
    const std::string lowRate =
        Write(folder / "lowrate.wav", WaveBytes(1, 1000, 8, std::string(1100000, '\x80'), 1100000));
    std::string noFormat = "RIFF";
    PutLe(noFormat, 12, 4);
    noFormat += "WAVEdata";
    PutLe(noFormat, 0, 4);
    struct {
        std::string path;
        const char* says;
    } const table[] = {
        {"/nonexistent/x.wav", "not found"},
        {(folder / "folder.wav").string(), "is a folder"},
        {fifo, "not a regular file"},
        {Write(folder / "short.wav", std::string("RIFF\x04\x00\x00\x00WAVE", 12)), "no format"},
        {Write(folder / "text.wav", "hello, this is not a wave"), "not a RIFF WAVE"},
        {Write(folder / "noformat.wav", noFormat), "no format"},
        {Write(folder / "adpcm.wav",
               [] {
                   std::string b = WaveBytes(1, MixRate, 16, "", 0);
                   b[20] = 2;
                   return b;
               }()),
         "uncompressed PCM"},
        {Write(folder / "24bit.wav", WaveBytes(1, MixRate, 24, "", 0)), "unsupported wave format"},
        {Write(folder / "nodata.wav", WaveBytes(1, MixRate, 16, "", 0).substr(0, 36)), "no data"},
        {lowRate, "too large"},
    };
    SoundBuffer buffer = Loaded(WriteRamp("good.wav", MixRate, 50, 1));
    for (const auto& row : table) {
        SCOPED_TRACE(row.path);
        std::string error;
        EXPECT_FALSE(LoadWaveFile(buffer, row.path, &error));
        EXPECT_EQ(error.rfind(row.path + ": ", 0), 0u) << error;
        EXPECT_NE(error.find(row.says), std::string::npos) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos);
        EXPECT_EQ(buffer.FrameCount(), 50u);  // the buffer keeps what it held
    }
    // The same reader works on bytes in memory, for the fuzzer.
    Wave wave;
    std::string error;
    const std::string bytes = WaveBytes(1, MixRate, 16, std::string(20, '\0'), 20);
    EXPECT_TRUE(ReadWaveBytes(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), "m", &wave,
                              &error));
    EXPECT_EQ(wave.Samples.size(), 10u);
    EXPECT_FALSE(ReadWaveBytes(reinterpret_cast<const unsigned char*>(bytes.data()), 30, "m", &wave, &error));
}

TEST(Mixer, TheAudioThreadAndTheGameShareTheBuffersUnderTheLock) {
    // One thread mixes as the device would while the game loads, plays and stops: every change is
    // seen whole, and a load never frees samples that are being mixed.
    SoundBuffer buffers[2] = {Loaded(WriteRamp("a.wav", MixRate, 3000, 3)), {}};
    const std::string other = WriteRamp("b.wav", MixRate, 700, 5);
    std::atomic<bool> done{false};
    std::atomic<long> mixed{0};
    std::thread device([&] {
        int32_t sum[2 * 256];
        while (!done) {
            MixerLock lock;
            MixBuffers(buffers, 2, sum, 256);
            ++mixed;
        }
    });
    // The game starts once the device is mixing, so the two always overlap, however the threads
    // are scheduled.
    while (mixed.load() == 0) std::this_thread::yield();
    for (int i = 0; i < 300; ++i) {
        Wave wave;
        std::string error, path = i % 2 ? other : buffers[0].File;
        ASSERT_TRUE(ReadWaveFile(path, &wave, &error)) << error;
        {
            MixerLock lock;
            SwapWaveInto(buffers[1], wave, path);
            PlayBuffer(buffers[1], true);
            PlayBuffer(buffers[0], i % 3 == 0);
        }
        if (i % 50 == 0) std::this_thread::yield();
    }
    done = true;
    device.join();
    EXPECT_TRUE(buffers[1].Playing);
    EXPECT_LT(buffers[1].Position, buffers[1].FrameCount() + 1);
}
