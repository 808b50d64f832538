#include <gtest/gtest.h>

#include "render/Render.h"
#include "stages/SceneTable.h"
#include "tests/RenderTestSheets.h"
#include "tests/support/FramePasses.h"

using namespace veltrano;
using namespace veltrano::rendertest;

namespace {

constexpr int ProbeX = 160, ProbeY = 240;

int* TileXOf(int layer) {
    return layer == 1 ? Layer1TileX : layer == 2 ? Layer2TileX : Layer3TileX;
}
int* TileYOf(int layer) {
    return layer == 1 ? Layer1TileY : layer == 2 ? Layer2TileY : Layer3TileY;
}

void ParkAllTiles() {
    for (int layer = 1; layer <= 3; ++layer)
        for (int i = 0; i < TileCount; ++i) TileXOf(layer)[i] = TileYOf(layer)[i] = -1000;
}

// Draws one tile alone on an untouched screen and says what stands there: "back(160,0) opaque",
// "back(80,0) keyed" or "untouched". Layers 1 and 2 go through the background pass, layer 3 through
// the foreground pass.
std::string ProbeTile(int scene, int layer, int tile) {
    ClearBackBuffer();
    ParkAllTiles();
    TileXOf(layer)[tile] = ProbeX;
    TileYOf(layer)[tile] = ProbeY;
    Scene = scene;
    if (layer == 3)
        DrawForegroundLayer();
    else
        DrawBackgroundLayers();
    const std::string cell = ShownAt(ProbeX + 10, ProbeY + 10, 10, 10);
    if (cell == "untouched") return cell;
    const uint32_t keyPoint = PixelAt(BackBuffer, ProbeX + KeyDX, ProbeY + KeyDY);
    return cell + (keyPoint == KeyColour ? " opaque" : keyPoint == Untouched ? " keyed" : " mixed");
}

struct TileProbe {
    int Scene, Layer, Tile;
    const char* Shown;
};

void ExpectProbes(std::initializer_list<TileProbe> probes) {
    for (const TileProbe& p : probes)
        EXPECT_EQ(ProbeTile(p.Scene, p.Layer, p.Tile), p.Shown)
            << "scene " << p.Scene << ", layer " << p.Layer << ", tile " << p.Tile;
}

// Visible squares of the standard grid: columns 1..8 and rows 1..6.
bool OnScreenGridTile(int i) {
    return i / 8 >= 1 && i / 8 <= 8 && i % 8 >= 1 && i % 8 <= 6;
}

}  // namespace

TEST(RenderBackground, EachSceneDrawsItsCellsPerTileIndex) {
    StartRenderTest();
    ExpectProbes({
        {-2, 1, 0, "back(240,80) opaque"},
        {1, 1, 79, "back(240,80) opaque"},
        {1, 2, 5, "untouched"},
        {2, 1, 3, "back(160,0) opaque"},
        {2, 1, 4, "back(0,0) opaque"},
        {14, 2, 10, "back(80,0) keyed"},
        {14, 2, 11, "untouched"},
        {4, 1, 7, "back(160,160) keyed"},
        {4, 1, 10, "back(160,160) keyed"},
        {16, 1, 12, "back(0,160) keyed"},
        {4, 2, 6, "back(80,160) keyed"},
        {4, 2, 5, "untouched"},
        {5, 1, 9, "back(0,240) keyed"},    // column 1, row 1: even square
        {9, 1, 10, "back(80,240) keyed"},  // column 1, row 2: odd square
        {17, 2, 47, "back(160,240) keyed"},
        {21, 2, 48, "untouched"},  // 48 mod 40 is 8
        {6, 1, 3, "untouched"},    // no layer 1 at all
        {18, 2, 3, "back(160,240) keyed"},
        {7, 1, 6, "back(160,0) opaque"},
        {7, 2, 55, "back(0,320) keyed"},
        {19, 2, 56, "back(80,320) keyed"},
        {19, 2, 71, "back(80,320) keyed"},
        {7, 2, 72, "untouched"},
        {8, 1, 9, "back(80,80) opaque"},
        {20, 1, 10, "back(0,80) opaque"},
        {8, 2, 26, "back(80,80) opaque"},
        {8, 2, 29, "back(0,80) opaque"},
        {8, 2, 27, "untouched"},
        {10, 1, 0, "back(160,320) keyed"},
        {12, 1, 1, "back(240,320) keyed"},
        {13, 2, 0, "back(80,400) keyed"},
        {22, 2, 1, "back(0,400) keyed"},
        {11, 1, 45, "back(160,400) keyed"},
        {23, 1, 42, "back(160,400) keyed"},
        {11, 1, 43, "back(240,400) keyed"},
        {11, 2, 2, "untouched"},
        {25, 1, 7, "back(240,0) opaque"},
        {26, 1, 7, "untouched"},  // no such scene
    });
}

TEST(RenderBackground, StaffRollBorrowsTheBackdropOfAnotherScene) {
    StartRenderTest();
    StaffRollBackdrop = 0;  // layer 1 as scene 11
    ExpectProbes({{24, 1, 2, "back(160,400) keyed"}, {24, 2, 0, "untouched"}});
    StaffRollBackdrop = 1;  // layers 1 and 2 as scene 10, but never its foreground
    ExpectProbes(
        {{24, 1, 1, "back(240,320) keyed"}, {24, 2, 0, "back(80,400) keyed"}, {24, 3, 0, "untouched"}});
    StaffRollBackdrop = 2;  // as scene 7
    ExpectProbes({{24, 1, 3, "back(160,0) opaque"}, {24, 2, 20, "back(80,320) keyed"}});
    StaffRollBackdrop = 3;  // layer 2 as scene 6
    ExpectProbes({{24, 1, 3, "untouched"}, {24, 2, 3, "back(160,240) keyed"}});
    StaffRollBackdrop = 4;  // as scene 5
    ExpectProbes({{24, 1, 9, "back(0,240) keyed"}, {24, 2, 0, "back(160,240) keyed"}});
    for (int other : {5, -1}) {
        StaffRollBackdrop = other;
        ExpectProbes({{24, 1, 0, "untouched"}, {24, 2, 0, "untouched"}});
    }
}

TEST(RenderBackground, LayerTwoCoversLayerOneExceptWhereItIsKeyed) {
    StartRenderTest();
    Scene = Stage1Scene;
    ParkAllTiles();
    // The opaque (0,0) under the keyed (80,0), one pixel apart so that their key points differ.
    Layer1TileX[4] = 200;
    Layer2TileX[5] = 201;
    Layer1TileY[4] = Layer2TileY[5] = 100;
    DrawBackgroundLayers();
    EXPECT_EQ(ShownAt(211, 110, 10, 10), "back(80,0)");
    EXPECT_EQ(ShownAt(201 + KeyDX, 100 + KeyDY, 1 + KeyDX, KeyDY), "back(0,0)");
    EXPECT_EQ(ShownAt(200, 100), "back(0,0)");  // the column layer 2 leaves free
}

TEST(RenderBackground, StageTwoLayersCoverEverySquareExactlyOnce) {
    // Each layer alone, the other parked: layer 1 shows only the even squares, layer 2 only the odd.
    auto expectSquares = [](int scene, int* parkedTileX, const char* even, const char* odd) {
        StartRenderTest();
        Scene = scene;
        for (int i = 0; i < TileCount; ++i) parkedTileX[i] = -1000;
        DrawBackgroundLayers();
        for (int i = 0; i < TileCount; ++i) {
            if (!OnScreenGridTile(i)) continue;
            const bool onEven = (i / 8) % 2 == i % 2;
            EXPECT_EQ(ShownAt(GridTileX(i) + 10, GridTileY(i) + 10, 10, 10), onEven ? even : odd)
                << "scene " << scene << ", tile " << i;
        }
    };
    for (int scene : {Stage2Scene, 15}) {
        expectSquares(scene, Layer2TileX, "back(0,80)", "untouched");
        expectSquares(scene, Layer1TileX, "untouched", "back(80,80)");
    }
    // Together, scrolled half a tile to the left, they leave no point of the screen uncovered and
    // copy the key colour as it is.
    ResetWorldState();
    Scene = Stage2Scene;
    ClearBackBuffer();
    for (int i = 0; i < TileCount; ++i) Layer1TileX[i] = Layer2TileX[i] = GridTileX(i) - 40;
    DrawBackgroundLayers();
    int uncovered = 0;
    for (int y = 0; y < ScreenHeight; y += 3)
        for (int x = 0; x < ScreenWidth; x += 3) uncovered += PixelAt(BackBuffer, x, y) == Untouched;
    EXPECT_EQ(uncovered, 0);
    EXPECT_EQ(ShownAt(0, 10), "back(40,90)");  // tile 9 (column 1, row 1) shows its right half at x 0
    EXPECT_EQ(PixelAt(BackBuffer, 40 + KeyDX, KeyDY), KeyColour);
}

TEST(RenderForeground, EachSceneDrawsItsLayerThreeCells) {
    StartRenderTest();
    ExpectProbes({
        {3, 3, 0, "back(160,80) keyed"},
        {3, 3, 8, "back(160,80) keyed"},
        {3, 3, 9, "untouched"},
        {15, 3, 0, "untouched"},  // the boss scene of stage 2 has no foreground
        {5, 3, 15, "back(240,240) keyed"},
        {5, 3, 14, "untouched"},
        {10, 3, 0, "back(80,400) keyed"},
        {22, 3, 8, "back(0,400) keyed"},
        {2, 3, 0, "untouched"},
        {9, 3, 0, "untouched"},
        {0, 3, 0, "untouched"},  // nor do the menus: the ship select never showed stage 2's mist
        {0, 3, 8, "untouched"},
    });
}

TEST(RenderForeground, StagesFiveAndSixShowOnlyTheTilesSwitchedOn) {
    StartRenderTest();
    ForegroundTileOn[4] = 1;
    ForegroundTileOn[5] = 2;  // only exactly 1 counts
    ExpectProbes({
        {6, 3, 4, "back(240,80) opaque"},
        {7, 3, 4, "back(240,80) opaque"},
        {6, 3, 5, "untouched"},
        {7, 3, 3, "untouched"},
        {18, 3, 4, "untouched"},
    });
}

TEST(RenderForeground, StageSevenForegroundVanishesAtFrame4958) {
    StartRenderTest();
    StageFrame = 4957;
    ExpectProbes(
        {{8, 3, 23, "back(0,80) opaque"}, {8, 3, 28, "back(80,80) opaque"}, {8, 3, 24, "untouched"}});
    StageFrame = 4958;
    ExpectProbes({{8, 3, 23, "untouched"}, {8, 3, 28, "untouched"}});
    StageFrame = -320;
    ExpectProbes({{8, 3, 0, "back(0,80) opaque"}});
}
