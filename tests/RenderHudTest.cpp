#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "render/Render.h"
#include "tests/RenderTestSheets.h"
#include "tests/support/FramePasses.h"

using namespace veltrano;
using namespace veltrano::rendertest;

namespace {

void PlaceAt(int slot, int x, int y) {
    EnemyX[slot] = x;
    EnemyY[slot] = y;
}

// The display rows as a running stage lays them out.
void LayOutStageDisplay() {
    for (int k = 0; k < 3; ++k) PlaceAt(713 + k, 544 + 32 * k, 0);
    for (int k = 0; k < 9; ++k) PlaceAt(716 + k, 16 * k, 0);
    PlaceAt(725, 0, 16);
    PlaceAt(726, 16, 16);
    PlaceAt(727, 48, 16);
    for (int k = 0; k < 4; ++k) PlaceAt(728 + k, 80 + 16 * k, 16);
    PlaceAt(732, 256, 176);
}

void RedrawHud() {
    ClearBackBuffer();
    DrawHud();
}

// Large digits are 32 pixels wide, small ones 16; the cells of '0'..'9'.
constexpr int LargeDigitCells[10][2] = {{256, 128}, {288, 128}, {320, 128}, {352, 128}, {256, 160},
                                        {288, 160}, {320, 160}, {352, 160}, {352, 192}, {352, 224}};
constexpr int SmallDigitCells[10][2] = {{256, 96},  {272, 96},  {288, 96},  {304, 96},  {320, 96},
                                        {256, 112}, {272, 112}, {288, 112}, {304, 112}, {320, 112}};

::testing::AssertionResult LargeDigitAt(int digit, int slot) {
    return SpriteAt(LargeDigitCells[digit][0], LargeDigitCells[digit][1], 32, 32, EnemyX[slot], EnemyY[slot]);
}
::testing::AssertionResult SmallDigitAt(int digit, int slot) {
    return SpriteAt(SmallDigitCells[digit][0], SmallDigitCells[digit][1], 16, 16, EnemyX[slot], EnemyY[slot]);
}

}  // namespace

TEST(RenderHud, BossHitPointsShowTheirFirstThreeDigits) {
    StartRenderTest();
    Scene = Stage1Scene;
    LayOutStageDisplay();
    BossSlot = 6;
    EnemyHP[6] = 7;
    RedrawHud();
    EXPECT_STREQ(BossHPText, "007");
    EXPECT_TRUE(LargeDigitAt(0, 713));
    EXPECT_TRUE(LargeDigitAt(0, 714));
    EXPECT_TRUE(LargeDigitAt(7, 715));

    EnemyHP[6] = 1234;
    RedrawHud();
    EXPECT_STREQ(BossHPText, "1234");
    EXPECT_TRUE(LargeDigitAt(1, 713));
    EXPECT_TRUE(LargeDigitAt(2, 714));
    EXPECT_TRUE(LargeDigitAt(3, 715));

    // An unclamped negative value is padded in front of its sign; the sign itself shows nothing.
    EnemyHP[6] = -5;
    RedrawHud();
    EXPECT_STREQ(BossHPText, "0-5");
    EXPECT_TRUE(LargeDigitAt(0, 713));
    EXPECT_EQ(ShownAt(576 + 5, 5), "untouched");
    EXPECT_TRUE(LargeDigitAt(5, 715));
}

TEST(RenderHud, ScoreShowsItsFirstNineDigitsInStagesOnly) {
    StartRenderTest();
    Scene = Stage1Scene;
    LayOutStageDisplay();
    Score = 1234567;
    RedrawHud();
    EXPECT_STREQ(ScoreText, "001234567");
    const int shown[] = {0, 0, 1, 2, 3, 4, 5, 6, 7};
    for (int k = 0; k < 9; ++k) EXPECT_TRUE(SmallDigitAt(shown[k], 716 + k)) << "digit " << k;

    Score = 1987654321;
    RedrawHud();
    EXPECT_STREQ(ScoreText, "1987654321");
    const int leading[] = {1, 9, 8, 7, 6, 5, 4, 3, 2};
    for (int k = 0; k < 9; ++k) EXPECT_TRUE(SmallDigitAt(leading[k], 716 + k)) << "digit " << k;
    EXPECT_EQ(ShownAt(144 + 2, 2), "untouched");

    // The title and menus show the boss row (parked off the screen there) but no score or status.
    for (int scene : {ScoreListScene, TitleScene}) {
        Scene = scene;
        RedrawHud();
        EXPECT_TRUE(LargeDigitAt(0, 713));
        for (int slot = 716; slot <= 731; ++slot)
            EXPECT_EQ(ShownAt(EnemyX[slot] + 1, EnemyY[slot] + 1), "untouched") << "slot " << slot;
    }
}

TEST(RenderHud, StatusRowShowsWeaponLivesAndSpeed) {
    StartRenderTest();
    Scene = ChallengeScene;
    LayOutStageDisplay();
    ShotType = 4;
    Lives = 9;
    RedrawHud();
    EXPECT_TRUE(SpriteAt(336, 112, 16, 16, 0, 16));
    EXPECT_TRUE(SmallDigitAt(9, 726));
    EXPECT_TRUE(SpriteAt(352, 0, 32, 16, 48, 16));

    ShotType = 7;
    Lives = 10;
    RedrawHud();
    EXPECT_EQ(ShownAt(1, 17), "untouched");
    EXPECT_EQ(ShownAt(17, 17), "untouched");
    Lives = -1;
    RedrawHud();
    EXPECT_EQ(ShownAt(17, 17), "untouched");

    const struct { int Speed, Marks; } speeds[] = {{4, 1}, {6, 2}, {8, 3}, {10, 4}, {9, 3}};
    for (const auto& s : speeds) {
        PlayerSpeed = s.Speed;
        RedrawHud();
        for (int k = 0; k < 4; ++k) {
            if (k < s.Marks)
                EXPECT_TRUE(SpriteAt(352, 16, 16, 16, 80 + 16 * k, 16))
                    << "speed " << s.Speed << " mark " << k;
            else
                EXPECT_EQ(ShownAt(80 + 16 * k, 16), "untouched") << "speed " << s.Speed << " mark " << k;
        }
    }
}

TEST(RenderHud, GameOverPictureShowsInAnySceneOnceTheCountdownExpired) {
    StartRenderTest();
    LayOutStageDisplay();
    Scene = TitleScene;
    RedrawHud();
    EXPECT_EQ(ShownAt(256 + 64, 176 + 64), "untouched");
    CountdownExpired = 1;
    RedrawHud();
    EXPECT_TRUE(SpriteAt(0, 480, 128, 128, 256, 176));
}

TEST(RenderPictures, MenuPicturesShowTheirCellsAndTheConfiguredValues) {
    StartRenderTest();
    const struct {
        int Slot, CellX, CellY, W, H;
    } fixed[] = {{700, 0, 256, 128, 128}, {702, 256, 256, 128, 128}, {703, 0, 384, 160, 32},
                 {705, 256, 384, 32, 32}, {706, 128, 416, 112, 32},  {711, 256, 544, 112, 32},
                 {733, 320, 416, 32, 32}};
    for (const auto& p : fixed) {
        ClearBackBuffer();
        PlaceAt(p.Slot, 300, 200);
        DrawPictureSlots();
        EXPECT_TRUE(SpriteAt(p.CellX, p.CellY, p.W, p.H, 300, 200)) << "slot " << p.Slot;
        PlaceAt(p.Slot, ParkedPosition, ParkedPosition);
    }

    PlaceAt(734, 10, 10);
    const int difficultyCells[] = {0, 32, 64};
    for (int d = 0; d < 3; ++d) {
        Difficulty = d;
        ClearBackBuffer();
        DrawPictureSlots();
        EXPECT_TRUE(SpriteAt(difficultyCells[d], 448, 32, 32, 10, 10)) << "difficulty " << d;
    }
    Difficulty = 3;
    ClearBackBuffer();
    DrawPictureSlots();
    EXPECT_EQ(ShownAt(11, 11), "untouched");

    for (int k = 0; k < 4; ++k) PlaceAt(735 + k, 100 + 40 * k, 300);
    SpeedButton = 1;
    FireButton = 6;
    BurstButton = 10;
    ConfirmButton = 11;
    ClearBackBuffer();
    DrawPictureSlots();
    EXPECT_TRUE(SpriteAt(160, 448, 32, 32, 100, 300));
    EXPECT_TRUE(SpriteAt(0, 416, 32, 32, 140, 300));
    EXPECT_TRUE(SpriteAt(96, 448, 32, 32, 180, 300));
    EXPECT_EQ(ShownAt(221, 301), "untouched");
    SpeedButton = 0;
    FireButton = 5;
    BurstButton = 9;
    ClearBackBuffer();
    DrawPictureSlots();
    EXPECT_EQ(ShownAt(101, 301), "untouched");
    EXPECT_TRUE(SpriteAt(288, 448, 32, 32, 140, 300));
    EXPECT_TRUE(SpriteAt(96, 416, 32, 32, 180, 300));
}

TEST(RenderPanels, LitCellsAreCoveredOpaqueThenTheClosingPictureOnTop) {
    StartRenderTest();
    PanelCellOn[0] = 1;
    PanelCellOn[13] = 1;  // column 2, row 1
    PanelCellOn[47] = 2;  // only exactly 1 is lit
    DrawCoverPanels();
    EXPECT_EQ(ShownAt(10, 10, 10, 10), "back(240,0)");
    EXPECT_EQ(ShownAt(160 + 79, 80 + 79, 79, 79), "back(240,0)");
    EXPECT_EQ(PixelAt(BackBuffer, 160 + KeyDX, 80 + KeyDY), KeyColour);
    EXPECT_EQ(ShownAt(639, 479), "untouched");
    EXPECT_EQ(ShownAt(90, 10), "untouched");

    PlaceAt(739, 41, 40);
    DrawClosingPicture();
    EXPECT_EQ(ShownAt(42, 41, 42, 41), "back(240,0)");
    StaffRollPicture = 1;
    DrawClosingPicture();
    EXPECT_TRUE(SpriteAt(128, 480, 128, 128, 41, 40));
}

TEST(RenderFrame, DrawingLeavesTheWorldAsItWas) {
    StartRenderTest();
    Scene = Stage9Scene;
    StageFrame = 7;
    PlayerUntouchable = 1;
    for (int slot = 0; slot < ObjectSlotCount; ++slot) {
        EnemyX[slot] = (slot * 37) % 700 - 30;
        EnemyY[slot] = (slot * 53) % 520 - 30;
        EnemyState[slot] = slot % 5 - 1;
        EnemyDeadTime[slot] = slot % 40 - 2;
        EnemyHP[slot] = slot % 3 - 1;
    }
    for (int shot = 0; shot < ShotCount; shot += 3) ShotLive[shot] = 1;
    PanelCellOn[5] = 1;

    const std::vector<int> xs(EnemyX, EnemyX + ObjectSlotCount), ys(EnemyY, EnemyY + ObjectSlotCount);
    const std::vector<int> states(EnemyState, EnemyState + ObjectSlotCount);
    const std::vector<int> times(EnemyDeadTime, EnemyDeadTime + ObjectSlotCount);
    const std::vector<int> hps(EnemyHP, EnemyHP + ObjectSlotCount);
    const std::vector<uint8_t> live(ShotLive, ShotLive + ShotCount);
    const std::vector<int> tiles(Layer1TileX, Layer1TileX + TileCount);

    DrawFramePasses();

    EXPECT_EQ(xs, std::vector<int>(EnemyX, EnemyX + ObjectSlotCount));
    EXPECT_EQ(ys, std::vector<int>(EnemyY, EnemyY + ObjectSlotCount));
    EXPECT_EQ(states, std::vector<int>(EnemyState, EnemyState + ObjectSlotCount));
    EXPECT_EQ(times, std::vector<int>(EnemyDeadTime, EnemyDeadTime + ObjectSlotCount));
    EXPECT_EQ(hps, std::vector<int>(EnemyHP, EnemyHP + ObjectSlotCount));
    EXPECT_EQ(live, std::vector<uint8_t>(ShotLive, ShotLive + ShotCount));
    EXPECT_EQ(tiles, std::vector<int>(Layer1TileX, Layer1TileX + TileCount));
    EXPECT_EQ(StageFrame, 7);
    EXPECT_EQ(Scene, Stage9Scene);
    EXPECT_EQ(PanelCursor, 0);
    EXPECT_EQ(PanelCellOn[5], 1);
}
