// Sound buffers and our own mixer. Every buffer holds one whole wave at the mixer's rate, mono or
// stereo as its file was; the audio device, when there is one, pulls mixed frames from its own
// thread, and a headless run mixes exactly the same way frame by frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace veltrano {

// The rate the generator writes every wave at, so loading one is a plain copy.
constexpr int MixRate = 32000;
constexpr int MixChannels = 2;
// A wave that would take more than this once converted is refused rather than filling memory.
constexpr size_t MaxWaveBytes = size_t{64} << 20;
// A sound cut off while it is heard (stopped, or rewound while playing) fades to silence over this
// many frames (4 ms) instead of stopping dead, which would click.
constexpr int FadeFrames = MixRate / 250;

struct SoundBuffer {
    std::vector<int16_t> Samples;  // at MixRate, `Channels` interleaved samples per frame
    int Channels = 1;
    size_t Position = 0;  // in frames from the start
    bool Playing = false;
    bool Looping = false;
    int Volume = 0;    // hundredths of a decibel: 0 full, -10000 silent
    std::string File;  // the file it was loaded from
    // The mixer has played from Position since it was last set: only then is there a sound to cut.
    bool Heard = false;
    // The fade of what was cut: the frames that would have followed the cut, already faded, in stereo.
    // It plays beside whatever the buffer plays next (a restarted sound starts at once from its
    // start), needs no samples of the wave, so a load does not cut it short, and a second cut before
    // it has ended adds its own fade to what is left of this one.
    int32_t Tail[FadeFrames * MixChannels] = {};
    int TailAt = FadeFrames;  // the next tail frame to play; FadeFrames when there is none

    size_t FrameCount() const { return Samples.size() / static_cast<size_t>(Channels); }
    int16_t Left(size_t frame) const { return Samples[frame * Channels]; }
    int16_t Right(size_t frame) const { return Samples[frame * Channels + Channels - 1]; }
};

// The samples of a PCM RIFF WAVE (8- or 16-bit, mono or stereo, any rate) at the mixer's rate.
struct Wave {
    std::vector<int16_t> Samples;
    int Channels = 1;
    // A wave that loads but is damaged (cut short, no sound at all): what is wrong, for a message.
    std::string Damage;
};

// Reads a wave file: only the chunks its header declares, refusing folders, read errors, formats
// the mixer cannot play and waves over MaxWaveBytes. On failure returns false with one line naming
// the file.
bool ReadWaveFile(const std::string& path, Wave* wave, std::string* error);
// The same from bytes in memory; `name` is what a message calls them.
bool ReadWaveBytes(const unsigned char* data, size_t size, const std::string& name, Wave* wave,
                   std::string* error);

// Puts a read wave into the buffer, replacing what it held and stopping it. The old samples end up
// in `wave`, so whoever calls this can free them outside the mixer's lock.
void SwapWaveInto(SoundBuffer& buffer, Wave& wave, std::string& file);
// ReadWaveFile then SwapWaveInto; on failure the buffer is left as it was.
bool LoadWaveFile(SoundBuffer& buffer, const std::string& path, std::string* error);

// Playing a buffer that has run to its end starts it again from its start.
void PlayBuffer(SoundBuffer& buffer, bool loop);  // no restart when already playing
// Both keep the meaning the game relies on (stop keeps the position; a rewind of a playing buffer
// plays its start at once); what was heard fades out over FadeFrames beside it.
void StopBuffer(SoundBuffer& buffer);
void RewindBuffer(SoundBuffer& buffer);
void SetBufferVolume(SoundBuffer& buffer, int volume);

// Adds `frames` stereo frames of every playing buffer, each at its volume, into `sum` (overwritten,
// 32-bit, so nothing wraps however many play), advancing them.
void MixBuffers(SoundBuffer* buffers, int count, int32_t* sum, int frames);

// The last stage of the mix: a master gain, then a limiter that looks a short way ahead and lowers
// the gain smoothly before a peak would pass its ceiling, so the sum never clips and never reaches
// full scale. It delays the sound by LookAhead - 1 frames.
class SoftLimiter {
   public:
    static constexpr int LookAhead = 64;
    // About -1 dB of full scale: the loudest sample the mix ever gives.
    static constexpr int Ceiling = 29200;
    static constexpr float MasterGain = 0.7f;

    SoftLimiter() { Reset(); }
    void Reset();
    // Turns `frames` stereo frames of a 32-bit sum into 16-bit output.
    void Process(const int32_t* sum, int16_t* out, int frames);
    // Frames given out below full gain, over the limiter's life.
    long LimitedFrames() const { return Limited; }

   private:
    float Delay[LookAhead * MixChannels] = {};
    float Required[LookAhead] = {};  // the gain each frame of the look-ahead window needs
    float Held[LookAhead] = {};      // the gains of the last LookAhead frames, averaged when applied
    float Released = 1;              // falls at once to what the window needs, rises back slowly
    int At = 0;
    int SinceLoud = LookAhead;     // frames since one needed less than full gain
    int SinceReduced = LookAhead;  // frames since the released gain was below 1
    long Limited = 0;
};

// The mixer's lock: the audio thread holds it while it mixes, the game while it changes a buffer.
// It is only ever held for a few operations on a buffer, never while a file is read.
class MixerLock {
   public:
    MixerLock();
    ~MixerLock();
    MixerLock(const MixerLock&) = delete;
    MixerLock& operator=(const MixerLock&) = delete;
};

}  // namespace veltrano
