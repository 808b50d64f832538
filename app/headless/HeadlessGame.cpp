#include "app/headless/HeadlessGame.h"

#include "app/SoundBank.h"
#include "platform/Mixer.h"

namespace veltrano {

HeadlessGame::HeadlessGame(const std::string& programFolder, ClockTime clock) {
    SetProgramFolder(programFolder);
    Form.FormCreate(clock);
    Form.DXDraw1InitializeSurface();
    Form.DXSound1Initialize();
    Chunk.resize(static_cast<size_t>(MixRate / 40 + 1) * MixChannels);
}

HeadlessGame::~HeadlessGame() {
    Form.DXSound1Finalize();
    Form.DXDraw1FinalizeSurface();
}

void HeadlessGame::Frame() {
    Form.DXTimer1Timer(25);
    // 1102 or 1103 frames of audio, so that 40 frames make exactly one second.
    ++MixedFrames;
    const int frames = static_cast<int>(MixedFrames * MixRate / 40 - (MixedFrames - 1) * MixRate / 40);
    MixSoundBank(Chunk.data(), frames);
    if (KeepAudio) Audio.insert(Audio.end(), Chunk.begin(), Chunk.begin() + frames * MixChannels);
}

void HeadlessGame::Frames(int count) {
    for (int i = 0; i < count; ++i) Frame();
}

}  // namespace veltrano
