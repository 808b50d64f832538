#include "tools/assetgen/PictureCompose.h"

#include <algorithm>
#include <utility>

#include "platform/Display.h"
#include "render/Render.h"
#include "stages/SceneTable.h"
#include "world/World.h"

namespace veltrano::assetgen {
namespace {

// The standard grid: tile i in column i div 8 and row i mod 8, from (-80, -80), moved by the shift
// and wrapped into the grid's 800 by 640 span.
void PlaceLayer(int* tileX, int* tileY, LayerShift shift) {
    for (int i = 0; i < TileCount; ++i) {
        const int x = (i / 8 - 1) * 80 + shift.Dx, y = (i % 8) * 80 - 80 + shift.Dy;
        tileX[i] = ((x + 80) % 800 + 800) % 800 - 80;
        tileY[i] = ((y + 80) % 640 + 640) % 640 - 80;
    }
}

// Runs `draw` with the game's back buffer and background sheet standing for `screen` and `sheet`,
// and with the scene and layer state it needs; everything borrowed is put back afterwards.
template <typename Draw>
void WithGameSurfaces(Surface& screen, const Surface& sheet, int scene, Draw draw) {
    struct Saved {
        int Scene, StageFrame, StaffRollBackdrop;
        int L1X[TileCount], L1Y[TileCount], L2X[TileCount], L2Y[TileCount], L3X[TileCount], L3Y[TileCount];
        uint8_t Flags[TileCount];
    };
    static Saved saved;
    saved.Scene = Scene;
    saved.StageFrame = StageFrame;
    saved.StaffRollBackdrop = StaffRollBackdrop;
    std::copy_n(Layer1TileX, TileCount, saved.L1X);
    std::copy_n(Layer1TileY, TileCount, saved.L1Y);
    std::copy_n(Layer2TileX, TileCount, saved.L2X);
    std::copy_n(Layer2TileY, TileCount, saved.L2Y);
    std::copy_n(Layer3TileX, TileCount, saved.L3X);
    std::copy_n(Layer3TileY, TileCount, saved.L3Y);
    std::copy_n(ForegroundTileOn, TileCount, saved.Flags);

    Surface sheetCopy = sheet;
    std::swap(BackBuffer, screen);
    std::swap(BackgroundSheet, sheetCopy);
    Scene = scene;
    StageFrame = 0;
    StaffRollBackdrop = 0;
    std::fill_n(ForegroundTileOn, TileCount, uint8_t{1});
    draw();
    std::swap(BackgroundSheet, sheetCopy);
    std::swap(BackBuffer, screen);

    Scene = saved.Scene;
    StageFrame = saved.StageFrame;
    StaffRollBackdrop = saved.StaffRollBackdrop;
    std::copy_n(saved.L1X, TileCount, Layer1TileX);
    std::copy_n(saved.L1Y, TileCount, Layer1TileY);
    std::copy_n(saved.L2X, TileCount, Layer2TileX);
    std::copy_n(saved.L2Y, TileCount, Layer2TileY);
    std::copy_n(saved.L3X, TileCount, Layer3TileX);
    std::copy_n(saved.L3Y, TileCount, Layer3TileY);
    std::copy_n(saved.Flags, TileCount, ForegroundTileOn);
}

}  // namespace

void DrawSceneBackdrop(Surface& screen, const Surface& backgroundSheet, int scene, LayerShift layer1,
                       LayerShift layer2) {
    WithGameSurfaces(screen, backgroundSheet, scene, [&] {
        PlaceLayer(Layer1TileX, Layer1TileY, layer1);
        PlaceLayer(Layer2TileX, Layer2TileY, layer2);
        static BackPicture picture;
        TakeBackPicture(picture, TileSetOfScene(scene));
        DrawBackgroundLayers(picture, BackBuffer);
    });
}

void DrawSceneForeground(Surface& screen, const Surface& backgroundSheet, int scene, LayerShift layer3) {
    WithGameSurfaces(screen, backgroundSheet, scene, [&] {
        PlaceLayer(Layer3TileX, Layer3TileY, layer3);
        static FrontPicture picture;
        TakeFrontPicture(picture, TileSetOfScene(scene));
        DrawForegroundLayer(picture, BackBuffer);
    });
}

}  // namespace veltrano::assetgen
