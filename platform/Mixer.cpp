#include "platform/Mixer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <mutex>

#include "platform/Files.h"

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

// Where the wave reader's bytes come from: a file read piece by piece, or memory.
class ByteSource {
   public:
    virtual ~ByteSource() = default;
    virtual uint64_t Size() const = 0;
    // Reads exactly `count` bytes at `offset` (which the caller keeps within Size()); false on a
    // read error, with the reason in Problem.
    virtual bool ReadAt(uint64_t offset, void* into, size_t count) = 0;
    std::string Problem;
};

class MemorySource : public ByteSource {
   public:
    MemorySource(const unsigned char* data, size_t size) : Data(data), Length(size) {}
    uint64_t Size() const override { return Length; }
    bool ReadAt(uint64_t offset, void* into, size_t count) override {
        std::memcpy(into, Data + offset, count);
        return true;
    }

   private:
    const unsigned char* Data;
    size_t Length;
};

// A wave file read through the one guarded file layer: a folder, a FIFO or a device is refused
// with the same words as every other file of the game.
class FileSource : public ByteSource {
   public:
    bool Open(const std::string& path) {
        std::string why;
        if (File.Open(path, &why) == FileStatus::Done) return true;
        Problem = why.substr(std::min(why.size(), path.size() + 2));  // the caller names the file
        return false;
    }
    uint64_t Size() const override { return File.Size(); }
    bool ReadAt(uint64_t offset, void* into, size_t count) override {
        size_t got = 0;
        std::string why;
        if (!File.ReadAt(offset, into, count, &got, &why)) {
            Problem = why.substr(why.find(": ") == std::string::npos ? 0 : why.find(": ") + 2);
            return false;
        }
        if (got < count) Problem = "the wave file ended while it was read";
        return got == count;
    }

   private:
    ReadOnlyFile File;
};

// Real waves carry a handful of chunks; a file that is mostly tiny chunk headers is not one.
constexpr int MaxChunks = 1024;

std::string Megabytes(uint64_t bytes) {
    return std::to_string((bytes + (1u << 20) - 1) >> 20) + " MB";
}

// What the header of a wave says about its sound, and where the sound is.
struct WaveLayout {
    int Format = 0, Channels = 0, Rate = 0, Bits = 0;
    bool HaveFormat = false, HaveData = false;
    uint64_t DataAt = 0, DataBytes = 0;
    std::string Damage;  // a wave that loads but is damaged: what is wrong, for a message
    int BytesPerFrame() const { return Channels * Bits / 8; }
};

// Checks the RIFF header and finds the format and data chunks. Only the two chunks the mixer needs
// are read; the others are stepped over unread.
bool FindChunks(ByteSource& source, WaveLayout* layout, std::string* why) {
    const uint64_t size = source.Size();
    unsigned char head[16];
    if (size < 12) {
        *why = "not a RIFF WAVE file";
        return false;
    }
    if (!source.ReadAt(0, head, 12)) return *why = source.Problem, false;
    if (std::memcmp(head, "RIFF", 4) != 0 || std::memcmp(head + 8, "WAVE", 4) != 0) {
        *why = "not a RIFF WAVE file";
        return false;
    }
    uint64_t at = 12;
    for (int chunk = 0; at + 8 <= size && !(layout->HaveFormat && layout->HaveData); ++chunk) {
        if (chunk == MaxChunks) {
            *why = "not a RIFF WAVE file (too many chunks)";
            return false;
        }
        if (!source.ReadAt(at, head, 8)) return *why = source.Problem, false;
        const uint64_t declared = Le32(head + 4);
        const uint64_t body = at + 8;
        const uint64_t available = std::min(declared, size - body);
        if (std::memcmp(head, "fmt ", 4) == 0 && available >= 16 && !layout->HaveFormat) {
            if (!source.ReadAt(body, head, 16)) return *why = source.Problem, false;
            layout->Format = Le16(head);
            layout->Channels = Le16(head + 2);
            layout->Rate = static_cast<int>(Le32(head + 4));
            layout->Bits = Le16(head + 14);
            layout->HaveFormat = true;
        } else if (std::memcmp(head, "data", 4) == 0 && !layout->HaveData) {
            // A data chunk that ends early gives what it holds, and says so.
            layout->DataAt = body;
            layout->DataBytes = available;
            layout->HaveData = true;
            if (declared > available)
                layout->Damage = "its data chunk claims " + std::to_string(declared) +
                                 " bytes and the file holds " + std::to_string(available) +
                                 "; the sound is cut short";
        }
        at = body + declared + (declared & 1);
    }
    return true;
}

// Refuses what the mixer cannot play, and a sound too large for memory once converted.
bool CheckFormat(const WaveLayout& layout, uint64_t* frames, std::string* why) {
    if (!layout.HaveFormat) {
        *why = "the wave has no format chunk";
        return false;
    }
    if (layout.Format != 1) {
        *why = "only uncompressed PCM waves are supported";
        return false;
    }
    const int channels = layout.Channels, bits = layout.Bits, rate = layout.Rate;
    if (channels < 1 || channels > 2 || (bits != 8 && bits != 16) || rate < 1000 || rate > 192000) {
        *why = "unsupported wave format (" + std::to_string(channels) + " channels, " + std::to_string(bits) +
               " bits, " + std::to_string(rate) + " Hz)";
        return false;
    }
    if (!layout.HaveData) {
        *why = "the wave has no data";
        return false;
    }
    const uint64_t sourceFrames = layout.DataBytes / static_cast<uint64_t>(layout.BytesPerFrame());
    *frames = rate == MixRate ? sourceFrames : sourceFrames * MixRate / static_cast<uint64_t>(rate);
    const uint64_t convertedBytes = *frames * static_cast<uint64_t>(channels) * 2;
    if (convertedBytes > MaxWaveBytes || layout.DataBytes > MaxWaveBytes) {
        *why = "the wave is too large (" + Megabytes(std::max(convertedBytes, layout.DataBytes)) +
               " of sound; a wave may take at most " + Megabytes(MaxWaveBytes) + ")";
        return false;
    }
    return true;
}

// Reads the sound into 16-bit samples at the mixer's rate, resampling linearly when the wave has
// another rate.
bool ConvertSamples(ByteSource& source, const WaveLayout& layout, uint64_t frames, std::vector<int16_t>* out,
                    std::string* why) {
    const int channels = layout.Channels, bits = layout.Bits, bytesPerFrame = layout.BytesPerFrame();
    std::vector<int16_t> samples(static_cast<size_t>(frames) * channels);
    if (layout.Rate == MixRate && bits == 16) {
        // The generator's own waves: read straight into place.
        if (!samples.empty() && !source.ReadAt(layout.DataAt, samples.data(), samples.size() * 2))
            return *why = source.Problem, false;
        if constexpr (std::endian::native == std::endian::big)
            for (int16_t& v : samples) v = static_cast<int16_t>(Le16(reinterpret_cast<unsigned char*>(&v)));
        *out = std::move(samples);
        return true;
    }
    const uint64_t sourceFrames = layout.DataBytes / static_cast<uint64_t>(bytesPerFrame);
    std::vector<unsigned char> raw(static_cast<size_t>(sourceFrames) * bytesPerFrame);
    if (!raw.empty() && !source.ReadAt(layout.DataAt, raw.data(), raw.size()))
        return *why = source.Problem, false;
    auto sampleAt = [&](uint64_t frame, int channel) -> int32_t {
        const unsigned char* p = &raw[frame * bytesPerFrame + static_cast<size_t>(channel) * (bits / 8)];
        return bits == 8 ? (static_cast<int32_t>(p[0]) - 128) * 256 : static_cast<int16_t>(Le16(p));
    };
    if (layout.Rate == MixRate) {
        for (size_t f = 0; f < frames; ++f)
            for (int c = 0; c < channels; ++c)
                samples[f * channels + c] = static_cast<int16_t>(sampleAt(f, c));
    } else {
        // Linear resampling in 32.32 fixed point.
        const uint64_t step = (static_cast<uint64_t>(layout.Rate) << 32) / MixRate;
        uint64_t position = 0;
        for (size_t f = 0; f < frames; ++f, position += step) {
            const uint64_t i = position >> 32;
            const uint64_t j = std::min(i + 1, sourceFrames - 1);
            const int64_t t = static_cast<int64_t>((position & 0xFFFFFFFFu) >> 16);
            for (int c = 0; c < channels; ++c) {
                const int64_t a = sampleAt(i, c), b = sampleAt(j, c);
                samples[f * channels + c] = static_cast<int16_t>(a + (((b - a) * t + 32768) >> 16));
            }
        }
    }
    *out = std::move(samples);
    return true;
}

bool ParseWave(ByteSource& source, Wave* wave, std::string* why) {
    wave->Damage.clear();
    WaveLayout layout;
    uint64_t frames = 0;
    if (!FindChunks(source, &layout, why) || !CheckFormat(layout, &frames, why) ||
        !ConvertSamples(source, layout, frames, &wave->Samples, why))
        return false;
    wave->Channels = layout.Channels;
    wave->Damage = frames == 0 ? "it holds no sound" : layout.Damage;
    return true;
}

std::mutex& MixerMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace

bool ReadWaveFile(const std::string& path, Wave* wave, std::string* error) {
    FileSource file;
    std::string why;
    if (!file.Open(path)) {
        why = file.Problem;
    } else if (ParseWave(file, wave, &why)) {
        return true;
    }
    if (error) *error = path + ": " + why;
    return false;
}

bool ReadWaveBytes(const unsigned char* data, size_t size, const std::string& name, Wave* wave,
                   std::string* error) {
    MemorySource memory(data, size);
    std::string why;
    if (ParseWave(memory, wave, &why)) return true;
    if (error) *error = name + ": " + why;
    return false;
}

void SwapWaveInto(SoundBuffer& buffer, Wave& wave, std::string& file) {
    StopBuffer(buffer);  // a sound still heard fades out from its tail, which outlives its samples
    buffer.Samples.swap(wave.Samples);
    std::swap(buffer.Channels, wave.Channels);
    buffer.File.swap(file);
    buffer.Position = 0;
    buffer.Playing = false;
    buffer.Looping = false;
}

bool LoadWaveFile(SoundBuffer& buffer, const std::string& path, std::string* error) {
    Wave wave;
    if (!ReadWaveFile(path, &wave, error)) return false;
    std::string file = path;
    SwapWaveInto(buffer, wave, file);
    return true;
}

namespace {

// Keeps the next FadeFrames frames of a sound that is being cut, faded to silence, added to what is
// left of an earlier fade.
void StartTail(SoundBuffer& buffer) {
    if (!buffer.Playing || !buffer.Heard) return;
    int32_t left[FadeFrames * MixChannels] = {};
    for (int k = buffer.TailAt; k < FadeFrames; ++k)
        for (int c = 0; c < MixChannels; ++c)
            left[(k - buffer.TailAt) * MixChannels + c] = buffer.Tail[k * MixChannels + c];
    const size_t length = buffer.FrameCount();
    size_t at = buffer.Position;
    for (int k = 0; k < FadeFrames; ++k, ++at) {
        if (at >= length) {
            if (!buffer.Looping) break;
            at = 0;
        }
        // A straight line from the level of the cut down to silence, one step a frame.
        const int32_t keep = FadeFrames - k;
        for (int c = 0; c < MixChannels; ++c) {
            const int32_t v = c == 0 ? buffer.Left(at) : buffer.Right(at);
            left[k * MixChannels + c] += v * keep / (FadeFrames + 1);
        }
    }
    std::copy(std::begin(left), std::end(left), buffer.Tail);
    buffer.TailAt = 0;
}

// Adds `run` frames of a mono or stereo wave, at a gain in 1/65536 units, to a stereo sum.
void AddRun(const int16_t* from, int channels, int32_t gain, int32_t* into, int run) {
    // A 16-bit sample times a gain of at most 65536 fits in 32 bits.
    if (channels == 1) {
        for (int i = 0; i < run; ++i) {
            const int32_t v = static_cast<int32_t>((from[i] * gain) >> 16);
            into[2 * i] += v;
            into[2 * i + 1] += v;
        }
    } else {
        for (int i = 0; i < 2 * run; ++i) into[i] += static_cast<int32_t>((from[i] * gain) >> 16);
    }
}

// The rest of a cut sound's fade, at the buffer's volume.
void MixTail(SoundBuffer& buffer, int32_t gain, int32_t* sum, int frames) {
    for (int f = 0; f < frames && buffer.TailAt < FadeFrames; ++f, ++buffer.TailAt)
        for (int c = 0; c < MixChannels; ++c)
            sum[f * MixChannels + c] +=
                static_cast<int32_t>((int64_t{buffer.Tail[buffer.TailAt * MixChannels + c]} * gain) >> 16);
}

// The playing sound from its position, looping or ending at the end of the wave.
void MixPlaying(SoundBuffer& buffer, int32_t gain, int32_t* sum, int frames) {
    const size_t length = buffer.FrameCount();
    for (int f = 0; f < frames;) {
        if (buffer.Position >= length) {
            if (!buffer.Looping || length == 0) {
                buffer.Playing = false;
                return;
            }
            buffer.Position = 0;
        }
        // Runs up to the end of the wave without a test per frame.
        const int run = static_cast<int>(std::min<size_t>(frames - f, length - buffer.Position));
        AddRun(&buffer.Samples[buffer.Position * buffer.Channels], buffer.Channels, gain,
               sum + static_cast<size_t>(f) * MixChannels, run);
        buffer.Position += static_cast<size_t>(run);
        buffer.Heard = true;
        f += run;
    }
}

}  // namespace

void PlayBuffer(SoundBuffer& buffer, bool loop) {
    if (buffer.Playing) return;
    buffer.Looping = loop;
    buffer.Playing = !buffer.Samples.empty();
    buffer.Heard = false;
    if (buffer.Position >= buffer.FrameCount()) buffer.Position = 0;
}

void StopBuffer(SoundBuffer& buffer) {
    StartTail(buffer);
    buffer.Playing = false;
    buffer.Heard = false;
}
void RewindBuffer(SoundBuffer& buffer) {
    // Restarting a sound twice before the mixer has played any of it cuts nothing the second time.
    StartTail(buffer);
    buffer.Position = 0;
    buffer.Heard = false;
}
void SetBufferVolume(SoundBuffer& buffer, int volume) {
    buffer.Volume = std::clamp(volume, -10000, 0);
}

void MixBuffers(SoundBuffer* buffers, int count, int32_t* sum, int frames) {
    std::fill(sum, sum + static_cast<size_t>(frames) * MixChannels, 0);
    for (int b = 0; b < count; ++b) {
        SoundBuffer& buffer = buffers[b];
        if (!buffer.Playing && buffer.TailAt >= FadeFrames) continue;
        const int32_t gain = GainOf(buffer.Volume);
        MixTail(buffer, gain, sum, frames);
        if (buffer.Playing) MixPlaying(buffer, gain, sum, frames);
    }
}

void SoftLimiter::Reset() {
    std::fill(std::begin(Delay), std::end(Delay), 0.0f);
    std::fill(std::begin(Required), std::end(Required), 1.0f);
    std::fill(std::begin(Held), std::end(Held), 1.0f);
    Released = 1;
    At = 0;
    SinceLoud = SinceReduced = LookAhead;
}

void SoftLimiter::Process(const int32_t* sum, int16_t* out, int frames) {
    // The released gain climbs back over about 80 ms.
    constexpr float ReleaseStep = 1.0f / (0.08f * MixRate);
    constexpr float Limit = static_cast<float>(Ceiling);
    for (int f = 0; f < frames; ++f) {
        const float left = static_cast<float>(sum[2 * f]) * MasterGain;
        const float right = static_cast<float>(sum[2 * f + 1]) * MasterGain;
        const float peak = std::max(std::fabs(left), std::fabs(right));
        Required[At] = peak > Limit ? Limit / peak : 1.0f;
        Delay[2 * At] = left;
        Delay[2 * At + 1] = right;
        SinceLoud = Required[At] < 1.0f ? 0 : std::min(SinceLoud + 1, LookAhead);

        // The gain falls at once to the lowest any frame of the window needs and rises back slowly.
        // The frame leaving the delay is in every window of the last LookAhead frames, so the
        // average of their gains is never more than it needs: the ceiling holds, and the gain
        // reaches its low point smoothly over the look-ahead instead of in one step.
        float lowest = 1.0f;
        if (SinceLoud < LookAhead)
            for (float need : Required) lowest = std::min(lowest, need);
        Released = std::min(lowest, Released + (1.0f - Released) * ReleaseStep);
        if (Released > 0.9999f && lowest >= 1.0f) Released = 1.0f;
        Held[At] = Released;
        SinceReduced = Released < 1.0f ? 0 : std::min(SinceReduced + 1, LookAhead);

        float gain = 1.0f;
        if (SinceReduced < LookAhead) {
            float total = 0;
            for (float held : Held) total += held;
            gain = total / LookAhead;
            if (gain < 1.0f) ++Limited;
        }
        At = (At + 1) % LookAhead;  // now the oldest frame, LookAhead - 1 frames ago
        for (int c = 0; c < MixChannels; ++c) {
            const float v = std::clamp(Delay[2 * At + c] * gain, -Limit, Limit);
            out[2 * f + c] = static_cast<int16_t>(std::lrint(v));
        }
    }
}

MixerLock::MixerLock() {
    MixerMutex().lock();
}
MixerLock::~MixerLock() {
    MixerMutex().unlock();
}

}  // namespace veltrano
