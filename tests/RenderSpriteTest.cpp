#include <gtest/gtest.h>

#include "render/Render.h"
#include "tests/RenderTestSheets.h"
#include "tests/support/FramePasses.h"

using namespace veltrano;
using namespace veltrano::rendertest;

namespace {

void PlaceSlot(int slot, int x, int y, int state, int deadTime = 0) {
    EnemyX[slot] = x;
    EnemyY[slot] = y;
    EnemyState[slot] = state;
    EnemyDeadTime[slot] = deadTime;
}

// Draws the ship alone on an untouched screen.
void RedrawShip() {
    ClearBackBuffer();
    DrawShip();
}

bool ScreenUntouched() {
    for (uint32_t p : BackBuffer.Pixels)
        if (p != Untouched) return false;
    return true;
}

// Draws the slot alone at (100, 100) in the given state and death time, through the pass that owns it.
void RedrawSlot(int slot, int state, int deadTime, void (*pass)()) {
    ClearBackBuffer();
    PlaceSlot(slot, 100, 100, state, deadTime);
    pass();
}

}  // namespace

TEST(RenderShip, PictureFollowsWeaponTypeAndHitPoints) {
    StartRenderTest();
    PlayerX = 100;
    PlayerY = 50;
    ShotType = 3;
    RedrawShip();
    EXPECT_TRUE(SpriteAt(0, 64, 32, 32, 100, 50));
    PlayerHP = 2;
    RedrawShip();
    EXPECT_TRUE(SpriteAt(32, 64, 32, 32, 100, 50));
    ShotType = 6;
    PlayerHP = 3;
    RedrawShip();
    EXPECT_TRUE(SpriteAt(32, 160, 32, 32, 100, 50));
    for (int unknown : {0, 7, -1}) {
        ShotType = unknown;
        RedrawShip();
        EXPECT_TRUE(ScreenUntouched()) << "ShotType " << unknown;
    }
}

TEST(RenderShip, BlinksOnItsLastHitPointWhileUntouchable) {
    StartRenderTest();
    PlayerX = PlayerY = 200;
    PlayerUntouchable = 1;
    for (int frame : {10, -4, 0}) {
        StageFrame = frame;
        RedrawShip();
        EXPECT_TRUE(SpriteAt(0, 0, 32, 32, 200, 200)) << "frame " << frame;
    }
    for (int frame : {11, -3}) {
        StageFrame = frame;
        RedrawShip();
        EXPECT_TRUE(ScreenUntouched()) << "frame " << frame;
    }
    // A sturdier ship never blinks, and a touchable one neither.
    PlayerHP = 2;
    RedrawShip();
    EXPECT_TRUE(SpriteAt(32, 0, 32, 32, 200, 200));
    PlayerHP = 1;
    PlayerUntouchable = 0;
    RedrawShip();
    EXPECT_TRUE(SpriteAt(0, 0, 32, 32, 200, 200));
}

TEST(RenderShip, ExplodesByRespawnTimerOnceGone) {
    StartRenderTest();
    PlayerShown = 0;
    PlayerX = 300;
    PlayerY = 100;
    const struct {
        int Timer;
        int CellX, CellY, Size, Offset;
    } frames[] = {{0, 160, 224, 16, 8},  {5, 160, 224, 16, 8},  {6, 160, 192, 32, 0},
                  {11, 160, 192, 32, 0}, {12, 160, 224, 16, 8}, {17, 160, 224, 16, 8}};
    for (const auto& f : frames) {
        RespawnTimer = f.Timer;
        RedrawShip();
        EXPECT_TRUE(SpriteAt(f.CellX, f.CellY, f.Size, f.Size, 300 + f.Offset, 100 + f.Offset))
            << "timer " << f.Timer;
    }
    for (int timer : {18, 100, -1}) {
        RespawnTimer = timer;
        RedrawShip();
        EXPECT_TRUE(ScreenUntouched()) << "timer " << timer;
    }
}

TEST(RenderShots, ShotsAndOptionsTakeTheCellsOfTheWeaponType) {
    StartRenderTest();
    ShotType = 5;
    ShotX[0] = 10, ShotY[0] = 20, ShotLive[0] = 1;
    ShotX[1699] = 600, ShotY[1699] = 400, ShotLive[1699] = 1;  // the last shot of the last burst group
    ShotX[50] = 300, ShotY[50] = 300, ShotLive[50] = 2;        // only exactly 1 is in flight
    DrawPlayerShots();
    EXPECT_TRUE(SpriteAt(0, 208, 16, 16, 10, 20));
    EXPECT_TRUE(SpriteAt(0, 208, 16, 16, 600, 400));
    EXPECT_EQ(ShownAt(300, 300), "untouched");

    Option1On = 1, Option1X = 100, Option1Y = 120;
    Option2On = 1, Option2X = 140, Option2Y = 120;
    DrawOptions();
    EXPECT_TRUE(SpriteAt(0, 240, 16, 16, 100, 120));
    EXPECT_TRUE(SpriteAt(0, 240, 16, 16, 140, 120));

    ClearBackBuffer();
    ShotType = 2;
    Option2On = 0;
    DrawPlayerShots();
    DrawOptions();
    EXPECT_TRUE(SpriteAt(16, 192, 16, 16, 10, 20));
    EXPECT_TRUE(SpriteAt(16, 224, 16, 16, 100, 120));
    EXPECT_EQ(ShownAt(140, 120), "untouched");
}

TEST(RenderObjects, LargeObjectsShowTheCellOfTheirSlot) {
    StartRenderTest();
    const struct {
        int Slot, CellX, CellY, Size;
    } normal[] = {// The first and the last slot of every row of the table, and a slot between where the
                  // picture steps down the sheet.
                  {0, 0, 0, 32},      {1, 0, 32, 32},     {5, 0, 160, 32},    {6, 96, 160, 32},
                  {7, 96, 192, 32},   {8, 256, 0, 96},    {9, 96, 224, 32},   {10, 128, 160, 32},
                  {11, 128, 192, 32}, {12, 128, 224, 32}, {13, 160, 32, 32},  {14, 160, 64, 32},
                  {16, 160, 128, 32}, {17, 160, 160, 32}, {18, 192, 160, 32}, {19, 192, 192, 32},
                  {20, 224, 128, 32}, {21, 224, 160, 32}, {22, 224, 192, 32}, {29, 224, 192, 32},
                  {100, 32, 0, 32},   {149, 32, 0, 32},   {150, 32, 32, 32},  {199, 32, 32, 32},
                  {200, 32, 64, 32},  {249, 32, 64, 32},  {250, 32, 96, 32},  {299, 32, 96, 32},
                  {300, 32, 128, 32}, {349, 32, 128, 32}, {350, 32, 160, 32}, {399, 32, 160, 32}};
    for (const auto& n : normal) {
        for (int state : {StateActive, StateInert}) {
            RedrawSlot(n.Slot, state, 0, DrawShipAndFrontObjects);
            EXPECT_TRUE(SpriteAt(n.CellX, n.CellY, n.Size, n.Size, 100, 100)) << "slot " << n.Slot;
        }
        PlaceSlot(n.Slot, ParkedPosition, ParkedPosition, StateActive);
    }
    // Slots between the drawn ranges stay invisible wherever they stand.
    for (int slot : {30, 99, 400, 699, 712, 7000, 7999}) {
        RedrawSlot(slot, StateActive, 0, DrawShipAndFrontObjects);
        DrawObjectsAndBullets();
        EXPECT_TRUE(ScreenUntouched()) << "slot " << slot;
        PlaceSlot(slot, ParkedPosition, ParkedPosition, StateActive);
    }
}

TEST(RenderObjects, DestroyedLargeObjectsShowWreckBurstOrBlink) {
    StartRenderTest();
    // Slots 0..5 and the countdown blocks keep a wreck for as long as they stay destroyed.
    for (int slot : {0, 5, 100, 150, 200, 250, 300, 350, 399}) {
        for (int state : {StateItem, StateDestroyed, -1}) {
            RedrawSlot(slot, state, 500, DrawShipAndFrontObjects);
            EXPECT_TRUE(SpriteAt(160, 0, 32, 32, 100, 100)) << "slot " << slot << " state " << state;
        }
        PlaceSlot(slot, ParkedPosition, ParkedPosition, StateActive);
    }
    // Slot 8 blinks on even frames and never bursts.
    StageFrame = 4;
    RedrawSlot(8, StateDestroyed, 0, DrawLargeObjects);
    EXPECT_TRUE(SpriteAt(256, 0, 96, 96, 100, 100));
    StageFrame = 5;
    RedrawSlot(8, StateDestroyed, 0, DrawLargeObjects);
    EXPECT_TRUE(ScreenUntouched());
}

TEST(RenderObjects, BurstsAndSparksFollowTheTimeSinceDestruction) {
    StartRenderTest();
    const struct {
        int DeadTime, CellX, CellY, Size, Offset;
    } longBurst[] = {{0, 80, 208, 16, 8},   {5, 80, 208, 16, 8},    {6, 160, 0, 32, 0},
                     {12, 80, 208, 16, 8},  {18, 192, 64, 64, -16}, {23, 192, 64, 64, -16},
                     {24, 192, 0, 64, -16}, {30, 192, 64, 64, -16}, {35, 192, 64, 64, -16}};
    for (int slot : {6, 13, 21}) {
        for (const auto& f : longBurst) {
            RedrawSlot(slot, StateDestroyed, f.DeadTime, DrawLargeObjects);
            EXPECT_TRUE(SpriteAt(f.CellX, f.CellY, f.Size, f.Size, 100 + f.Offset, 100 + f.Offset))
                << "slot " << slot << " time " << f.DeadTime;
        }
        for (int late : {36, 1000, -1}) {
            RedrawSlot(slot, StateDestroyed, late, DrawLargeObjects);
            EXPECT_TRUE(ScreenUntouched()) << "slot " << slot << " time " << late;
        }
        PlaceSlot(slot, ParkedPosition, ParkedPosition, StateActive);
    }
    // The short burst stops before the large pictures, for items and wrecks alike.
    for (int slot : {22, 2000, 6999}) {
        using Pass = void (*)();
        const Pass pass =
            slot < 30 ? static_cast<Pass>(DrawLargeObjects) : static_cast<Pass>(DrawObjectsAndBullets);
        for (int state : {StateItem, StateDestroyed}) {
            RedrawSlot(slot, state, 12, pass);
            EXPECT_TRUE(SpriteAt(80, 208, 16, 16, 108, 108)) << "slot " << slot;
            RedrawSlot(slot, state, 18, pass);
            EXPECT_TRUE(ScreenUntouched()) << "slot " << slot;
        }
        PlaceSlot(slot, ParkedPosition, ParkedPosition, StateActive);
    }
    // A spark is one small flash at the slot's own corner.
    for (int slot : {1000, 4999, 8000}) {
        RedrawSlot(slot, StateDestroyed, 5, DrawObjectsAndBullets);
        EXPECT_TRUE(SpriteAt(80, 208, 16, 16, 100, 100)) << "slot " << slot;
        for (int late : {6, -1}) {
            RedrawSlot(slot, StateDestroyed, late, DrawObjectsAndBullets);
            EXPECT_TRUE(ScreenUntouched()) << "slot " << slot;
        }
        PlaceSlot(slot, ParkedPosition, ParkedPosition, StateActive);
    }
}

TEST(RenderObjects, EveryRangeAboveTheItemsShowsItsOwnCell) {
    StartRenderTest();
    const struct {
        int Slot, CellX, CellY, Size;
    } ranges[] = {// The first and the last slot of every row of the table.
                  {1000, 64, 160, 16},  {1499, 64, 160, 16},  {1500, 80, 160, 16}, {1999, 80, 160, 16},
                  {2000, 64, 32, 32},   {2499, 64, 32, 32},   {2500, 64, 0, 32},   {2999, 64, 0, 32},
                  {3000, 64, 64, 32},   {3499, 64, 64, 32},   {3500, 96, 0, 32},   {3999, 96, 0, 32},
                  {4000, 96, 32, 32},   {4499, 96, 32, 32},   {4500, 80, 192, 16}, {4999, 80, 192, 16},
                  {5000, 192, 128, 32}, {5499, 192, 128, 32}, {5500, 64, 96, 32},  {5749, 64, 96, 32},
                  {5750, 96, 96, 32},   {5999, 96, 96, 32},   {6000, 64, 128, 32}, {6249, 64, 128, 32},
                  {6250, 96, 128, 32},  {6499, 96, 128, 32},  {6500, 128, 0, 32},  {6999, 128, 0, 32},
                  {8000, 80, 176, 16},  {8999, 80, 176, 16},  {9000, 64, 208, 16}, {9999, 64, 208, 16},
                  {10000, 64, 192, 16}, {10999, 64, 192, 16}, {11000, 64, 224, 8}, {14999, 64, 224, 8},
                  {15000, 64, 176, 16}, {19999, 64, 176, 16}};
    for (const auto& r : ranges) {
        RedrawSlot(r.Slot, StateActive, 0, DrawObjectsAndBullets);
        EXPECT_TRUE(SpriteAt(r.CellX, r.CellY, r.Size, r.Size, 100, 100)) << "slot " << r.Slot;
        // Bullets vanish the moment they leave state 0 or 1.
        if (r.Slot >= FirstBulletSlot) {
            RedrawSlot(r.Slot, StateDestroyed, 0, DrawObjectsAndBullets);
            EXPECT_TRUE(ScreenUntouched()) << "slot " << r.Slot;
        }
        PlaceSlot(r.Slot, ParkedPosition, ParkedPosition, StateDestroyed);
    }
}

TEST(RenderObjects, ItemCarriersTurnIntoTheirItem) {
    StartRenderTest();
    const struct {
        int Slot, ItemX, ItemY;
    } items[] = {{800, 128, 32}, {849, 128, 32}, {850, 128, 64},  {899, 128, 64},
                 {900, 128, 96}, {949, 128, 96}, {950, 128, 128}, {999, 128, 128}};
    for (const auto& item : items) {
        for (int state : {StateActive, StateInert}) {
            RedrawSlot(item.Slot, state, 0, DrawObjectsAndBullets);
            EXPECT_TRUE(SpriteAt(96, 64, 32, 32, 100, 100)) << "slot " << item.Slot;
        }
        RedrawSlot(item.Slot, StateItem, 0, DrawObjectsAndBullets);
        EXPECT_TRUE(SpriteAt(item.ItemX, item.ItemY, 32, 32, 100, 100)) << "slot " << item.Slot;
        // A taken item shows no burst, and a negative state is not a carrier.
        for (int state : {StateDestroyed, -1, -2}) {
            RedrawSlot(item.Slot, state, 0, DrawObjectsAndBullets);
            EXPECT_TRUE(ScreenUntouched()) << "slot " << item.Slot << " state " << state;
        }
        PlaceSlot(item.Slot, ParkedPosition, ParkedPosition, StateActive);
    }
}

TEST(RenderOrder, LaterGroupsCoverEarlierOnes) {
    // Everything at one point; each group removed in turn uncovers the one drawn before it.
    StartRenderTest();
    Scene = Stage5Scene;
    const int x = 200, y = 200;
    for (int i = 0; i < TileCount; ++i) Layer1TileX[i] = Layer2TileX[i] = Layer3TileX[i] = -1000;
    Layer2TileX[0] = x - 8, Layer2TileY[0] = y - 8;  // scene 6's every-tile layer 2
    PlayerX = x, PlayerY = y;
    ShotX[0] = x, ShotY[0] = y, ShotLive[0] = 1;
    Option1On = 1, Option1X = x, Option1Y = y;
    PlaceSlot(8, x, y, StateActive);
    PlaceSlot(7, x, y, StateActive);
    PlaceSlot(700, x, y, StateInert);
    PlaceSlot(800, x, y, StateActive);
    PlaceSlot(19999, x, y, StateActive);
    ForegroundTileOn[0] = 1;
    Layer3TileX[0] = x - 16, Layer3TileY[0] = y - 16;
    PlaceSlot(399, x, y, StateActive);  // the second countdown pass stands above layer 3
    PlaceSlot(713, x, y, StateInert);   // boss digits

    // Top to bottom: what shows at the point, how far the picture's corner lies up and left of the
    // point, and how to take that picture away.
    const struct {
        const char* Shown;
        int CornerOffset;
        void (*Remove)();
    } stack[] = {
        {"char(256,128)", 1, [] { EnemyX[713] = ParkedPosition; }},   // display
        {"char(32,160)", 1, [] { EnemyX[399] = ParkedPosition; }},    // countdown block, second pass
        {"back(240,80)", 17, [] { Layer3TileX[0] = -1000; }},         // foreground
        {"char(64,176)", 1, [] { EnemyX[19999] = ParkedPosition; }},  // bullet
        {"char(96,64)", 1, [] { EnemyX[800] = ParkedPosition; }},     // item carrier
        {"char(0,256)", 1, [] { EnemyX[700] = ParkedPosition; }},     // title picture
        {"char(96,192)", 1, [] { EnemyX[7] = ParkedPosition; }},
        {"char(256,0)", 1, [] { EnemyX[8] = ParkedPosition; }},
        {"char(0,224)", 1, [] { Option1On = 0; }},
        {"char(0,192)", 1, [] { ShotLive[0] = 0; }},
        {"char(0,0)", 1, [] { PlayerShown = 0, RespawnTimer = 1000; }},
        {"back(160,240)", 9, [] {}},  // background
    };
    for (const auto& picture : stack) {
        ClearBackBuffer();
        DrawFramePasses();
        EXPECT_EQ(ShownAt(x + 1, y + 1, picture.CornerOffset, picture.CornerOffset), picture.Shown);
        picture.Remove();
    }

    // In the first pass the countdown blocks lie above the large objects and below the pictures.
    PlaceSlot(7, x, y, StateActive);
    PlaceSlot(399, x, y, StateActive);
    ClearBackBuffer();
    DrawShipAndFrontObjects();
    EXPECT_EQ(ShownAt(x + 1, y + 1, 1, 1), "char(32,160)");
    PlaceSlot(700, x, y, StateInert);
    DrawShipAndFrontObjects();
    EXPECT_EQ(ShownAt(x + 1, y + 1, 1, 1), "char(0,256)");
}
