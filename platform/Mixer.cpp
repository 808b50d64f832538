#include "platform/Mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

namespace veltrano {

namespace {

uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t Le16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

// The linear gain of an attenuation in hundredths of a decibel, in 1/65536 units.
int32_t GainOf(int volume) {
    if (volume <= -10000) return 0;
    if (volume >= 0) return 65536;
    return static_cast<int32_t>(std::lround(65536.0 * std::pow(10.0, volume / 2000.0)));
}

}  // namespace

bool LoadWaveFile(SoundBuffer& buffer, const std::string& path, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = path + ": " + why;
        return false;
    };
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail("cannot open the wave file");
    std::vector<unsigned char> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (data.size() < 12 || std::memcmp(data.data(), "RIFF", 4) != 0 || std::memcmp(&data[8], "WAVE", 4) != 0)
        return fail("not a RIFF WAVE file");

    int channels = 0, rate = 0, bits = 0;
    const unsigned char* samples = nullptr;
    size_t sampleBytes = 0;
    for (size_t at = 12; at + 8 <= data.size();) {
        const uint32_t size = Le32(&data[at + 4]);
        const size_t body = at + 8;
        const size_t available = std::min<size_t>(size, data.size() - body);
        if (std::memcmp(&data[at], "fmt ", 4) == 0 && available >= 16) {
            if (Le16(&data[body]) != 1) return fail("only uncompressed PCM waves are supported");
            channels = Le16(&data[body + 2]);
            rate = static_cast<int>(Le32(&data[body + 4]));
            bits = Le16(&data[body + 14]);
        } else if (std::memcmp(&data[at], "data", 4) == 0) {
            samples = &data[body];
            sampleBytes = available;
        }
        at = body + size + (size & 1);
    }
    if (channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate < 1000 || rate > 192000)
        return fail("unsupported wave format");
    if (samples == nullptr) return fail("the wave has no data");

    const int bytesPerFrame = channels * bits / 8;
    const size_t sourceFrames = sampleBytes / bytesPerFrame;
    auto sampleAt = [&](size_t frame, int channel) -> int {
        const unsigned char* p = samples + frame * bytesPerFrame + channel * (bits / 8);
        return bits == 8 ? (static_cast<int>(p[0]) - 128) << 8 : static_cast<int16_t>(Le16(p));
    };
    // Linear resampling to the mixer's rate; a wave already at that rate is copied as it is.
    const size_t frames = rate == MixRate
                              ? sourceFrames
                              : static_cast<size_t>(static_cast<double>(sourceFrames) * MixRate / rate);
    std::vector<int16_t> converted(frames * MixChannels);
    for (size_t f = 0; f < frames; ++f) {
        const double at = rate == MixRate ? static_cast<double>(f) : static_cast<double>(f) * rate / MixRate;
        const size_t i = static_cast<size_t>(at);
        const double t = at - static_cast<double>(i);
        const size_t j = std::min(i + 1, sourceFrames - 1);
        for (int c = 0; c < MixChannels; ++c) {
            const int sc = channels == 2 ? c : 0;
            const double v = sampleAt(i, sc) * (1.0 - t) + sampleAt(j, sc) * t;
            converted[f * MixChannels + c] = static_cast<int16_t>(std::lround(v));
        }
    }
    buffer.Frames = std::move(converted);
    buffer.Position = 0;
    buffer.Playing = false;
    buffer.Looping = false;
    buffer.File = path;
    return true;
}

void PlayBuffer(SoundBuffer& buffer, bool loop) {
    if (buffer.Playing) return;
    buffer.Looping = loop;
    buffer.Playing = !buffer.Frames.empty();
    if (buffer.Position >= buffer.FrameCount()) buffer.Position = 0;
}

void StopBuffer(SoundBuffer& buffer) {
    buffer.Playing = false;
}
void RewindBuffer(SoundBuffer& buffer) {
    buffer.Position = 0;
}
void SetBufferVolume(SoundBuffer& buffer, int volume) {
    buffer.Volume = std::clamp(volume, -10000, 0);
}

void MixBuffers(SoundBuffer* buffers, int count, int16_t* out, int frames) {
    // Mixed in chunks on the stack, so mixing allocates nothing.
    constexpr int Chunk = 512;
    int32_t sum[Chunk * MixChannels];
    for (int done = 0; done < frames; done += Chunk) {
        const int n = std::min(Chunk, frames - done);
        std::fill(sum, sum + n * MixChannels, 0);
        for (int b = 0; b < count; ++b) {
            SoundBuffer& buf = buffers[b];
            if (!buf.Playing) continue;
            const int32_t gain = GainOf(buf.Volume);
            const size_t length = buf.FrameCount();
            for (int f = 0; f < n; ++f) {
                if (buf.Position >= length) {
                    if (!buf.Looping || length == 0) {
                        buf.Playing = false;
                        break;
                    }
                    buf.Position = 0;
                }
                const int16_t* frame = &buf.Frames[buf.Position * MixChannels];
                for (int c = 0; c < MixChannels; ++c)
                    sum[f * MixChannels + c] +=
                        static_cast<int32_t>((static_cast<int64_t>(frame[c]) * gain) >> 16);
                ++buf.Position;
            }
        }
        for (int i = 0; i < n * MixChannels; ++i)
            out[done * MixChannels + i] = static_cast<int16_t>(std::clamp(sum[i], -32768, 32767));
    }
}

}  // namespace veltrano
