// The three tile layers, drawn by the rules of the picture's tile set: each drawn tile is one copy of
// its 80-by-80 cell of the background sheet to the tile's position on its layer.
#include "platform/Display.h"
#include "render/Render.h"
#include "render/TileRules.h"
#include "world/World.h"

namespace veltrano {
namespace {

void DrawLayer(const LayerRule& rule, const LayerPicture& layer, const uint8_t* tileOn, Surface& target) {
    if (rule.Pattern == TilePattern::NotDrawn) return;
    for (int tile = 0; tile < TileCount; ++tile) {
        const TileCell cell = CellOfTile(rule, tile, tileOn[tile] == 1);
        if (!cell.Drawn()) continue;
        DrawRect(target, layer.X[tile], layer.Y[tile],
                 Rect{cell.X, cell.Y, cell.X + TileSize, cell.Y + TileSize}, &BackgroundSheet,
                 rule.Keys == Keying::Keyed);
    }
}

}  // namespace

void DrawBackgroundLayers(const BackPicture& p, Surface& target) {
    DrawLayer(TileSetLayerRule(p.Set, 1, p.StaffRollBackdrop), p.Layer1, p.TileOn, target);
    DrawLayer(TileSetLayerRule(p.Set, 2, p.StaffRollBackdrop), p.Layer2, p.TileOn, target);
}

void DrawForegroundLayer(const FrontPicture& p, Surface& target) {
    const Foreground& foreground = RulesOf(p.Set).Front;
    if (p.StageFrame >= foreground.HiddenFromFrame) return;
    DrawLayer(foreground.Layer3, p.Layer3, p.TileOn, target);
}

}  // namespace veltrano
