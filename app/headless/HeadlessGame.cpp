#include "app/headless/HeadlessGame.h"

#include "app/ProgramFolder.h"
#include "app/SoundBank.h"
#include "platform/SoundMix.h"

namespace veltrano {

HeadlessGame::HeadlessGame(const std::string& programFolder, ClockTime clock, ReplayPlayer* player) {
    SetProgramFolder(programFolder);
    Form.AttachPlayer(player);
    Form.FormCreate(clock);
    Form.DXDraw1InitializeSurface();
    Form.DXSound1Initialize();
    Chunk.resize(static_cast<size_t>(FrameAudio) * MixChannels);
}

HeadlessGame::~HeadlessGame() {
    Form.DXSound1Finalize();
    Form.DXDraw1FinalizeSurface();
    BackBuffer.DropsPixels = false;  // the back buffer outlives the game
}

void HeadlessGame::Frame() {
    Form.DXTimer1Timer(25);
    MixSoundBank(Chunk.data(), FrameAudio);
    if (KeepAudio) Audio.insert(Audio.end(), Chunk.begin(), Chunk.end());
}

void HeadlessGame::Frames(int count) {
    for (int i = 0; i < count; ++i) Frame();
}

}  // namespace veltrano
