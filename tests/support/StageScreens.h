// The ten stages' scenery as a player meets it: each stage entered and played by the game itself (its
// init places the tiles, its script changes the scroll, its passes draw them), the tiles drawn without
// the sprites at the start and every 600 frames up to frame 3,000. The picture tests measure the
// backdrops on these screens, so they see the tiles exactly as the game lays them.
#pragma once

#include <vector>

#include "platform/Display.h"
#include "render/Render.h"
#include "tests/support/StageGame.h"

namespace veltrano::testdata {

struct StageScreen {
    int Stage = 0, Frame = 0;
    Surface Backdrop;  // layers 1 and 2: what every sprite is drawn over
    Surface Scenery;   // layer 3 over them too: the whole picture the tiles make
};

inline constexpr int StageCount = 10;
inline constexpr int ScreenEvery = 600, LastScreenFrame = 3000;

// The stage's screens in the order of their frames. The game plays with its pictures dropped and
// draws only the tile layers on the frames looked at, so a stage takes a fraction of a second.
inline std::vector<StageScreen> ShootStageScreens(int stage) {
    std::vector<StageScreen> screens;
    StageGame g(Pictures::Dropped);
    g.Enter(Stage1Scene + stage - 1);
    for (int frame = 0; frame <= LastScreenFrame; ++frame) {
        if (frame % ScreenEvery == 0) {
            StageScreen s{stage, frame, {}, {}};
            BackBuffer.DropsPixels = false;
            DrawBackgroundLayers();
            s.Backdrop = BackBuffer;
            DrawForegroundLayer();
            s.Scenery = BackBuffer;
            BackBuffer.DropsPixels = true;
            screens.push_back(std::move(s));
        }
        PlayerUntouchable = 1;
        g.Game.Frame();
    }
    BackBuffer.DropsPixels = false;
    return screens;
}

}  // namespace veltrano::testdata
