// The three tile layers, drawn by the rules of the current scene's tile set: each drawn tile is one
// copy of its 80-by-80 cell of the background sheet to the tile's position on its layer.
#include "platform/Display.h"
#include "render/Render.h"
#include "render/TileRules.h"
#include "world/World.h"

namespace veltrano {
namespace {

void DrawLayer(const LayerRule& rule, const int* tileX, const int* tileY) {
    if (rule.Pattern == TilePattern::NotDrawn) return;
    for (int tile = 0; tile < TileCount; ++tile) {
        const TileCell cell = CellOfTile(rule, tile, ForegroundTileOn[tile] == 1);
        if (!cell.Drawn()) continue;
        DrawRect(BackBuffer, tileX[tile], tileY[tile],
                 Rect{cell.X, cell.Y, cell.X + TileSize, cell.Y + TileSize}, &BackgroundSheet,
                 rule.Keys == Keying::Keyed);
    }
}

}  // namespace

void DrawBackgroundLayers(TileSet set) {
    DrawLayer(TileSetLayerRule(set, 1, StaffRollBackdrop), Layer1TileX, Layer1TileY);
    DrawLayer(TileSetLayerRule(set, 2, StaffRollBackdrop), Layer2TileX, Layer2TileY);
}

void DrawForegroundLayer(TileSet set) {
    const Foreground& foreground = RulesOf(set).Front;
    if (StageFrame >= foreground.HiddenFromFrame) return;
    DrawLayer(foreground.Layer3, Layer3TileX, Layer3TileY);
}

}  // namespace veltrano
