// The whole game without window or audio device, for tests and the sim tool: start-up as the
// program does it, then one call per 25 ms frame, with the mixed audio of each frame.
#pragma once

#include <string>
#include <vector>

#include "app/Main.h"
#include "platform/headless/HeadlessBackend.h"

namespace veltrano {

class HeadlessGame {
   public:
    // Starts the game on the data of `programFolder`; throws LoadError like the program would.
    explicit HeadlessGame(const std::string& programFolder, ClockTime clock = {});
    ~HeadlessGame();

    // Runs exactly one frame (a 25 ms tick) and mixes its 25 ms of audio.
    void Frame();
    void Frames(int count);
    void KeyDown(int vk) { Form.FormKeyDown(vk); }
    void Close() { Form.FormCloseQuery(); }

    HeadlessBackend Platform;
    TForm1 Form{Platform};
    // Audio of the frames run so far, when KeepAudio is set (interleaved stereo, 44100 Hz).
    bool KeepAudio = false;
    std::vector<int16_t> Audio;

   private:
    long MixedFrames = 0;
    std::vector<int16_t> Chunk;
};

}  // namespace veltrano
