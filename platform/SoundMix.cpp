#include "platform/SoundMix.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>

namespace veltrano {

SoundBuffer SoundSlots[SoundSlotCount];

namespace {

SoftLimiter Limiter;
MixMeter Meter;
MixParts* Parts = nullptr;

std::atomic<bool> Quiet{false};
// The level of the whole mix in frames of its fade: FadeFrames is full, 0 silent. Quiet takes it down
// to silence over FadeFrames, and the end of quiet back up, so the focus pause never clicks.
int QuietFade = FadeFrames;

}  // namespace

void PlaySlot(SoundSlot slot, bool loop) {
    MixerLock lock;
    PlayBuffer(SoundSlots[slot], loop);
}
void StopSlot(SoundSlot slot) {
    MixerLock lock;
    StopBuffer(SoundSlots[slot]);
}
void RewindSlot(SoundSlot slot) {
    MixerLock lock;
    RewindBuffer(SoundSlots[slot]);
}
int SlotVolume(SoundSlot slot) {
    MixerLock lock;
    return SoundSlots[slot].Volume;
}
void SetSlotVolume(SoundSlot slot, int volume) {
    MixerLock lock;
    SetBufferVolume(SoundSlots[slot], volume);
}
void RestartSlot(SoundSlot slot) {
    MixerLock lock;
    PlayBuffer(SoundSlots[slot], false);
    RewindBuffer(SoundSlots[slot]);
}
void SilenceSlot(SoundSlot slot) {
    MixerLock lock;
    StopBuffer(SoundSlots[slot]);
    RewindBuffer(SoundSlots[slot]);
}
void SwapWaveIntoSlot(SoundSlot slot, Wave& wave, std::string& file) {
    MixerLock lock;
    SwapWaveInto(SoundSlots[slot], wave, file);
}

void ResetSoundBank() {
    MixerLock lock;
    Limiter.Reset();
    QuietFade = FadeFrames;
    for (SoundBuffer& buffer : SoundSlots) {
        buffer.Playing = false;
        buffer.Position = 0;
        buffer.Volume = 0;
    }
}

void FreeSoundBank() {
    SoundBuffer freed[SoundSlotCount];
    MixerLock lock;
    for (int s = 0; s < SoundSlotCount; ++s) std::swap(freed[s], SoundSlots[s]);
}

void SetSoundBankQuiet(bool quiet) {
    Quiet = quiet;
}

bool SoundBankQuiet() {
    return Quiet;
}

void KeepMixParts(MixParts* parts) {
    MixerLock lock;
    Parts = parts;
}

namespace {

// The share of one part at the master gain, as 16-bit samples.
void KeepPart(std::vector<int16_t>& part, const int32_t* sum, int frames) {
    for (int i = 0; i < frames * MixChannels; ++i)
        part.push_back(
            static_cast<int16_t>(std::clamp(std::lrint(sum[i] * SoftLimiter::MasterGain), -32768L, 32767L)));
}

// Mixes `frames` frames of every slot through the limiter into `out`, and measures them.
void MixHeard(int16_t* out, int frames) {
    // Mixed in chunks on the stack, so mixing allocates nothing; the effects and the music are
    // summed apart first, so a run can keep each for measuring.
    constexpr int Chunk = 512;
    int32_t sum[Chunk * MixChannels], music[Chunk * MixChannels];
    for (int done = 0; done < frames; done += Chunk) {
        const int n = std::min(Chunk, frames - done);
        MixBuffers(SoundSlots, StageMusic, sum, n);
        MixBuffers(SoundSlots + StageMusic, SoundSlotCount - StageMusic, music, n);
        if (Parts) {
            KeepPart(Parts->Effects, sum, n);
            KeepPart(Parts->Music, music, n);
        }
        for (int i = 0; i < n * MixChannels; ++i) sum[i] += music[i];
        int16_t* mixed = out + static_cast<size_t>(done) * MixChannels;
        Limiter.Process(sum, mixed, n);
        for (int i = 0; i < n * MixChannels; ++i) {
            const int level = std::abs(static_cast<int>(mixed[i]));
            Meter.Peak = std::max(Meter.Peak, level);
            if (level >= 32767) ++Meter.FullScaleSamples;
        }
    }
    Meter.Frames += frames;
    Meter.LimitedFrames = Limiter.LimitedFrames();
}

// Moves the quiet fade a frame at a time towards where it is going and scales each frame by it.
void FadeForQuiet(int16_t* out, int frames, bool quiet) {
    for (int f = 0; f < frames; ++f) {
        if (quiet)
            QuietFade = std::max(QuietFade - 1, 0);
        else if (QuietFade < FadeFrames)
            ++QuietFade;
        else
            return;
        for (int c = 0; c < MixChannels; ++c) {
            int16_t& sample = out[static_cast<size_t>(f) * MixChannels + c];
            sample = static_cast<int16_t>(sample * QuietFade / FadeFrames);
        }
    }
}

}  // namespace

void MixSoundBank(int16_t* out, int frames) {
    const bool quiet = Quiet;
    MixerLock lock;
    // Quiet, only the fade is heard; the sounds then hold where they are until quiet ends.
    const int heard = quiet ? std::min(frames, QuietFade) : frames;
    if (heard > 0) MixHeard(out, heard);
    FadeForQuiet(out, heard, quiet);
    std::fill(out + static_cast<size_t>(heard) * MixChannels, out + static_cast<size_t>(frames) * MixChannels,
              int16_t{0});
}

MixMeter SoundBankMeter() {
    MixerLock lock;
    return Meter;
}

}  // namespace veltrano
