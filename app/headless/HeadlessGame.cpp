#include "app/headless/HeadlessGame.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/ProgramFolder.h"
#include "app/SoundBank.h"
#include "platform/Mixer.h"
#include "platform/SoundMix.h"
#include "platform/SystemFolders.h"

namespace veltrano {

ScratchDataFolder::ScratchDataFolder(const std::string& programFolder) {
    std::error_code ec;
    std::string error;
    Folder = MakeTemporaryFolder("veltrano-data-", &error);
    if (Folder.empty()) throw LoadError(error);
    if (!PrepareDataFolder(programFolder, Folder, &error)) {
        std::filesystem::remove_all(Folder, ec);
        throw LoadError(error);
    }
}

ScratchDataFolder::~ScratchDataFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
}

HeadlessGame::HeadlessGame(const std::string& programFolder, ClockTime clock, ReplayPlayer* player,
                           const std::string& dataFolder) {
    SetProgramFolder(programFolder);
    if (!dataFolder.empty()) SetDataFolder(dataFolder);
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
