// The game and the generator agree on the sprite sheet: every rectangle that any scene really draws
// from the character sheet, watched while each scene plays for a while with a firing pilot, is a cell
// the generator paints, of the same size.
#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "render/SpriteCells.h"
#include "tests/support/StageGame.h"
#include "tools/assetgen/PictureCells.h"

using namespace veltrano;
using namespace veltrano::assetgen;

namespace {

std::set<std::tuple<int, int, int, int>> Drawn;

void RecordDraw(const SpriteCell& cell) {
    Drawn.insert({cell.X, cell.Y, cell.W, cell.H});
}

// Long enough for the first waves, the boss of a boss-only scene, bursts and items.
constexpr int FramesPerScene = 240;

}  // namespace

TEST(PicturesDrawnCells, EveryRectangleAnySceneDrawsIsACellTheGeneratorPaints) {
    Drawn.clear();
    WatchSpriteDraws = RecordDraw;
    testdata::StageGame g;
    HeadlessBackend& keys = g.Game.Platform;
    for (int scene = FirstScene; scene <= LastScene; ++scene) {
        g.Enter(scene);
        for (int frame = 0; frame < FramesPerScene; ++frame) {
            PlayerUntouchable = 1;
            keys.Press(Vk::X);
            const bool up = (frame / 48) % 2 == 0;
            keys.Press(Vk::Up, up);
            keys.Press(Vk::Down, !up);
            g.Game.Frame();
        }
    }
    WatchSpriteDraws = nullptr;
    // The watch saw the ships, shots, enemies, bosses, bullets and the display of every scene (a
    // watch that is not hooked up sees nothing).
    EXPECT_GE(Drawn.size(), 50u);
    EXPECT_TRUE(Drawn.count({cells::ShipCell(0).X, cells::ShipCell(0).Y, 32, 32}));
    for (const auto& [x, y, w, h] : Drawn) {
        const PictureCell* cell = FindPictureCell(SheetId::Character, x, y);
        ASSERT_NE(cell, nullptr) << "a scene draws (" << x << "," << y << ") where nothing is painted";
        EXPECT_EQ(cell->W, w) << cell->Name;
        EXPECT_EQ(cell->H, h) << cell->Name;
    }
}
