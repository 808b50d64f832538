#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/Mixer.h"

using namespace veltrano;

namespace {

// A mono 16-bit wave of `count` samples, each sample its index times `step`.
std::string WriteRamp(const char* name, int rate, int count, int step) {
    const auto path = std::filesystem::temp_directory_path() / name;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + count * 2);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(count * 2);
    for (int i = 0; i < count; ++i) u16(static_cast<uint16_t>(i * step));
    return path.string();
}

}  // namespace

TEST(Mixer, PlayStopRewindAndLoopMoveThePositionAsBuffersDo) {
    SoundBuffer buffer;
    std::string error;
    ASSERT_TRUE(LoadWaveFile(buffer, WriteRamp("ramp.wav", MixRate, 100, 10), &error)) << error;
    EXPECT_EQ(buffer.FrameCount(), 100u);
    int16_t out[2 * 64];
    PlayBuffer(buffer, false);
    MixBuffers(&buffer, 1, out, 30);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[2 * 29 + 1], 290);  // both channels carry the mono sample
    EXPECT_EQ(buffer.Position, 30u);
    StopBuffer(buffer);
    MixBuffers(&buffer, 1, out, 30);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(buffer.Position, 30u);  // stopping keeps the position
    PlayBuffer(buffer, false);
    PlayBuffer(buffer, true);  // already playing: no restart, no change of loop
    EXPECT_FALSE(buffer.Looping);
    RewindBuffer(buffer);
    EXPECT_EQ(buffer.Position, 0u);
    MixBuffers(&buffer, 1, out, 64);
    MixBuffers(&buffer, 1, out, 64);
    EXPECT_FALSE(buffer.Playing);  // ran out without looping
    StopBuffer(buffer);
    RewindBuffer(buffer);
    PlayBuffer(buffer, true);
    for (int i = 0; i < 5; ++i) MixBuffers(&buffer, 1, out, 64);
    EXPECT_TRUE(buffer.Playing);
    EXPECT_EQ(buffer.Position, (5u * 64u) % 100u);
}

TEST(Mixer, VolumeIsInHundredthsOfADecibelAndBuffersAddWithoutWrapping) {
    SoundBuffer loud[2];
    std::string error;
    const std::string path = WriteRamp("loud.wav", MixRate, 10, 3000);  // up to 27000
    ASSERT_TRUE(LoadWaveFile(loud[0], path, &error));
    ASSERT_TRUE(LoadWaveFile(loud[1], path, &error));
    PlayBuffer(loud[0], false);
    PlayBuffer(loud[1], false);
    int16_t out[20];
    MixBuffers(loud, 2, out, 10);
    EXPECT_EQ(out[2], 6000);
    EXPECT_EQ(out[18], 32767);  // clipped, not wrapped
    for (auto& b : loud) RewindBuffer(b);
    SetBufferVolume(loud[0], -600);  // about half
    SetBufferVolume(loud[1], -10000);
    MixBuffers(loud, 2, out, 10);
    EXPECT_NEAR(out[18], 27000 / 2, 300);
}

TEST(Mixer, OtherRatesAreResampledAndBadFilesRefusedWithTheirName) {
    SoundBuffer buffer;
    std::string error;
    ASSERT_TRUE(LoadWaveFile(buffer, WriteRamp("slow.wav", 22050, 1000, 1), &error));
    EXPECT_EQ(buffer.FrameCount(), 2000u);
    EXPECT_EQ(buffer.Frames[2 * 100], 50);  // half-rate source: every frame twice, interpolated
    EXPECT_EQ(buffer.Frames[2 * 101], 51);

    const auto bad = std::filesystem::temp_directory_path() / "bad.wav";
    std::ofstream(bad, std::ios::binary) << "RIFF\x04\x00\x00\x00WAVE";
    EXPECT_FALSE(LoadWaveFile(buffer, bad.string(), &error));
    EXPECT_NE(error.find("bad.wav"), std::string::npos);
    EXPECT_EQ(buffer.FrameCount(), 2000u);  // the buffer keeps what it held
    EXPECT_FALSE(LoadWaveFile(buffer, "/nonexistent/x.wav", &error));
    EXPECT_NE(error.find("x.wav"), std::string::npos);
}
