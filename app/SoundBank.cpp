#include "app/SoundBank.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

#include "app/ProgramFolder.h"
#include "stages/SceneTable.h"

namespace veltrano {

SoundBuffer SoundSlots[SoundSlotCount];

namespace {

SoftLimiter Limiter;
MixMeter Meter;

std::atomic<bool> Quiet{false};

// The music slots start with the first stage's pieces, ready for a game started from the title.
constexpr const char* StartMusic[] = {RowOf(Stage1Scene).Music.StageFile, RowOf(Stage1Scene).Music.BossFile};
static_assert(EffectSlotCount + std::size(StartMusic) == SoundSlotCount);

void BankLoad(SoundSlot slot, const char* name) {
    // The file is read and converted before the mixer is touched, so a slow disk never holds up the
    // audio device; the old samples are freed after the lock is let go.
    std::string path = ProgramPath(name), error;
    Wave wave;
    if (!ReadWaveFile(path, &wave, &error)) throw LoadError(error);
    if (!wave.Damage.empty())
        std::fprintf(stderr, "VeltranoGame2: %s: %s\n", path.c_str(), wave.Damage.c_str());
    MixerLock lock;
    SwapWaveInto(SoundSlots[slot], wave, path);
}

// Each operation takes the mixer's lock, so the audio thread sees it whole and at once.
void BankPlay(SoundSlot slot, bool loop) {
    MixerLock lock;
    PlayBuffer(SoundSlots[slot], loop);
}
void BankStop(SoundSlot slot) {
    MixerLock lock;
    StopBuffer(SoundSlots[slot]);
}
void BankRewind(SoundSlot slot) {
    MixerLock lock;
    RewindBuffer(SoundSlots[slot]);
}
int BankVolume(SoundSlot slot) {
    MixerLock lock;
    return SoundSlots[slot].Volume;
}
void BankSetVolume(SoundSlot slot, int volume) {
    MixerLock lock;
    SetBufferVolume(SoundSlots[slot], volume);
}

// The pairs below are one step for the mixer: it never plays a frame between their two halves.
void BankRestart(SoundSlot slot) {
    MixerLock lock;
    PlayBuffer(SoundSlots[slot], false);
    RewindBuffer(SoundSlots[slot]);
}

void BankSilence(SoundSlot slot) {
    MixerLock lock;
    StopBuffer(SoundSlots[slot]);
    RewindBuffer(SoundSlots[slot]);
}

// The game's cues reach the mixer through the bank, registered as the program's sound device.
const SoundDevice Bank{BankPlay,      BankStop, BankRewind,  BankVolume,
                       BankSetVolume, BankLoad, BankRestart, BankSilence};
[[maybe_unused]] const bool BankRegistered = (RegisterSoundDevice(&Bank), true);

}  // namespace

void LoadSoundBank() {
    RegisterSoundDevice(&Bank);
    {
        MixerLock lock;
        Limiter.Reset();
        for (SoundBuffer& buffer : SoundSlots) {
            buffer.Playing = false;
            buffer.Position = 0;
            buffer.Volume = 0;
        }
    }
    for (int s = 0; s < EffectSlotCount; ++s) LoadWave(static_cast<SoundSlot>(s), EffectFiles[s]);
    for (int m = 0; m < static_cast<int>(std::size(StartMusic)); ++m)
        LoadWave(static_cast<SoundSlot>(EffectSlotCount + m), StartMusic[m]);
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

namespace {

MixParts* Parts = nullptr;

// The share of one part at the master gain, as 16-bit samples.
void KeepPart(std::vector<int16_t>& part, const int32_t* sum, int frames) {
    for (int i = 0; i < frames * MixChannels; ++i)
        part.push_back(
            static_cast<int16_t>(std::clamp(std::lrint(sum[i] * SoftLimiter::MasterGain), -32768L, 32767L)));
}

}  // namespace

void KeepMixParts(MixParts* parts) {
    MixerLock lock;
    Parts = parts;
}

void MixSoundBank(int16_t* out, int frames) {
    if (Quiet) {
        std::fill(out, out + static_cast<size_t>(frames) * MixChannels, int16_t{0});
        return;
    }
    // Mixed in chunks on the stack, so mixing allocates nothing; the effects and the music are
    // summed apart first, so a run can keep each for measuring.
    constexpr int Chunk = 512;
    int32_t sum[Chunk * MixChannels], music[Chunk * MixChannels];
    MixerLock lock;
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

MixMeter SoundBankMeter() {
    MixerLock lock;
    return Meter;
}

}  // namespace veltrano
