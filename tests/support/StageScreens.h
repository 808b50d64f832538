// The ten stages as a player meets them: each stage entered and played by the game itself (its init
// places the tiles, its script changes the scroll, its passes draw them), looked at on its first frame
// and every 600 frames up to frame 3,000: the tiles alone, and the whole screen of the next frame. The
// picture tests measure these, so they see the tiles exactly as the game lays them.
#pragma once

#include <vector>

#include "platform/Display.h"
#include "render/Render.h"
#include "stages/SceneTable.h"
#include "tests/support/FramePasses.h"
#include "tests/support/StageGame.h"

namespace veltrano::testdata {

struct StageScreen {
    int Stage = 0, Frame = 0;
    Surface Backdrop;  // layers 1 and 2: what every sprite is drawn over
    Surface Screen;    // the whole frame that follows, sprites, layer 3 and display and all
};

inline constexpr int StageCount = 10;
inline constexpr int ScreenEvery = 600, LastScreenFrame = 3000;

// The stage's screens in the order of their frames. The game plays with its pictures dropped and
// draws only on the frames looked at, so a stage takes a fraction of a second.
inline std::vector<StageScreen> ShootStageScreens(int stage) {
    std::vector<StageScreen> screens;
    StageGame g(Pictures::Dropped);
    g.Enter(Stage1Scene + stage - 1);
    for (int frame = 0; frame <= LastScreenFrame; ++frame) {
        const bool look = frame % ScreenEvery == 0;
        if (look) {
            BackBuffer.DropsPixels = false;
            DrawBackgroundLayers();
            screens.push_back({stage, frame, BackBuffer, {}});
        }
        PlayerUntouchable = 1;
        g.Game.Frame();
        if (look) {
            screens.back().Screen = BackBuffer;
            BackBuffer.DropsPixels = true;
        }
    }
    BackBuffer.DropsPixels = false;
    return screens;
}

}  // namespace veltrano::testdata
