// The whole game without window or audio device, for tests and the sim tool: start-up as the
// program does it, then one call per 25 ms frame, with the mixed audio of each frame.
#pragma once

#include <string>
#include <vector>

#include "app/Main.h"
#include "platform/Display.h"
#include "platform/Mixer.h"
#include "platform/headless/HeadlessBackend.h"

namespace veltrano {

// A data folder of a tool's own for the length of its run: a new folder under the system's temporary
// folder with copies of the program folder's ini and save file, removed again at the end. A tool that
// plays the game (the staff roll sets the cleared flag) never writes into the program folder it ships.
class ScratchDataFolder {
   public:
    // Throws LoadError when the folder cannot be made or the files not copied.
    explicit ScratchDataFolder(const std::string& programFolder);
    ScratchDataFolder(const ScratchDataFolder&) = delete;
    ScratchDataFolder& operator=(const ScratchDataFolder&) = delete;
    ~ScratchDataFolder();
    const std::string& Path() const { return Folder; }

   private:
    std::string Folder;
};

class HeadlessGame {
   public:
    // Starts the game on the data of `programFolder`; throws LoadError like the program would. A
    // replay player given here is attached before start-up, as the program attaches one. The ini and
    // the save file are the program folder's, or `dataFolder`'s when one is given.
    explicit HeadlessGame(const std::string& programFolder, ClockTime clock = {},
                          ReplayPlayer* player = nullptr, const std::string& dataFolder = {});
    ~HeadlessGame();

    // Runs exactly one frame (a 25 ms tick) and mixes its 25 ms of audio.
    void Frame();
    void Frames(int count);
    // A key-down event of the window, through the player's bindings.
    void KeyDown(int vk) {
        if (const int heard = PlayerKeys.Heard(vk)) Form.FormKeyDown(heard);
    }
    // From here on nothing is drawn into the back buffer; the game plays exactly as before. For runs
    // that never look at the pictures, which then take about half the time.
    void DropPictures() { BackBuffer.DropsPixels = true; }
    void Close() { Form.FormCloseQuery(); }

    HeadlessBackend Platform;
    TForm1 Form{Platform};
    // Audio of the frames run so far, when KeepAudio is set (interleaved stereo at MixRate).
    bool KeepAudio = false;
    std::vector<int16_t> Audio;
    // The audio of one 25 ms frame, as the mixer gave it.
    const std::vector<int16_t>& FrameSound() const { return Chunk; }

    static constexpr int FrameAudio = MixRate / 40;
    static_assert(FrameAudio * 40 == MixRate, "a frame's audio is a whole number of samples");

   private:
    std::vector<int16_t> Chunk;
};

}  // namespace veltrano
