// Sound buffers and our own mixer. Every buffer holds one whole wave, converted at load to the
// mixer's format (44100 Hz, stereo, 16-bit); the audio device, when there is one, only pulls mixed
// frames, so a headless run mixes exactly the same way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veltrano {

constexpr int MixRate = 44100;
constexpr int MixChannels = 2;

struct SoundBuffer {
    std::vector<int16_t> Frames;  // interleaved stereo
    size_t Position = 0;          // in frames from the start
    bool Playing = false;
    bool Looping = false;
    int Volume = 0;    // hundredths of a decibel: 0 full, -10000 silent
    std::string File;  // the file it was loaded from

    size_t FrameCount() const { return Frames.size() / MixChannels; }
};

// Reads a PCM RIFF WAVE (8- or 16-bit, mono or stereo, any rate) into the buffer, replacing what it
// held and stopping it. On failure returns false with a message naming the file; the buffer is
// left as it was.
bool LoadWaveFile(SoundBuffer& buffer, const std::string& path, std::string* error);

void PlayBuffer(SoundBuffer& buffer, bool loop);  // no restart when already playing
void StopBuffer(SoundBuffer& buffer);
void RewindBuffer(SoundBuffer& buffer);
void SetBufferVolume(SoundBuffer& buffer, int volume);

// Adds `frames` stereo frames of every playing buffer into `out` (overwritten), advancing them.
void MixBuffers(SoundBuffer* buffers, int count, int16_t* out, int frames);

}  // namespace veltrano
