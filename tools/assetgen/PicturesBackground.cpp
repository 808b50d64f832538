// The backdrop sheet: which tile painter fills which 80-by-80 cell.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/PictureCells.h"
#include "tools/assetgen/PictureSheets.h"
#include "tools/assetgen/PictureTiles.h"

namespace veltrano::assetgen {

float Smooth(float e0, float e1, float v) {
    const float t = std::clamp((v - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

float EdgeFade(int x, int y, float margin) {
    const float d =
        static_cast<float>(std::min(std::min(x, TileSize - 1 - x), std::min(y, TileSize - 1 - y)));
    return Smooth(0, margin, d);
}

float BlobDistance(int x, int y, float rx, float ry, float wobble, uint32_t seed, int cell) {
    const float dx = (x - 40) / rx, dy = (y - 40) / ry;
    return std::sqrt(dx * dx + dy * dy) + wobble * (PeriodicNoise(x, y, cell, TileSize, seed) - 0.5f);
}

namespace {

// Backdrops stay behind everything that moves: every tile a stage scrolls past is pulled towards a
// dim grey, with its luminance spread and its colourfulness cut, so the bright, saturated cores and
// dark rims of ships, shots and bullets always stand out. One mapping for every pixel, so tiles that
// join keep joining.
constexpr float SubduedContrast = 0.55f;
constexpr float SubduedChroma = 0.45f;
constexpr float SubduedPivot = 60.0f;

void Subdue(Surface& sheet, int ox, int oy) {
    for (int y = oy; y < oy + TileSize; ++y)
        for (int x = ox; x < ox + TileSize; ++x) {
            const uint32_t p = sheet.Row(y)[x];
            if (p == KeyColour) continue;
            const Colour c = Unpack(p);
            const float grey = 0.299f * c.R + 0.587f * c.G + 0.114f * c.B;
            const float dim = SubduedPivot + (grey - SubduedPivot) * SubduedContrast;
            const Colour out{dim + (c.R - grey) * SubduedChroma, dim + (c.G - grey) * SubduedChroma,
                             dim + (c.B - grey) * SubduedChroma};
            PutSheet(sheet, x, y, Pack(out));
        }
}

}  // namespace

void PaintBackgroundSheet(Surface& sheet) {
    auto at = [&](int x, int y) { return Tile{sheet, x, y}; };
    PaintFarmland(at(0, 0), false);
    PaintCloud(at(80, 0));
    PaintFarmland(at(160, 0), true);
    PaintCurtain(at(240, 0));
    PaintHullPlate(at(0, 80), false);
    PaintHullPlate(at(80, 80), true);
    PaintGirderTower(at(160, 80));
    PaintTitleSky(at(240, 80));
    PaintSea(at(0, 160), false);
    PaintMist(at(80, 160));
    PaintSea(at(160, 160), true);
    PaintRock(at(0, 240), false);
    PaintRock(at(80, 240), true);
    PaintMachineWall(at(160, 240));
    PaintRidge(at(240, 240));
    PaintFortressDeck(at(0, 320), false);
    PaintFortressDeck(at(80, 320), true);
    PaintNebula(at(160, 320), false);
    PaintNebula(at(240, 320), true);
    PaintStarField(at(0, 400), 141, 12);
    PaintStarField(at(80, 400), 143, 10);
    PaintCore(at(160, 400), true);
    PaintCore(at(240, 400), false);
    // The title sky carries the score list's black text and the curtain the ending's white text: they
    // keep their own light and dark; every other tile is a stage's.
    for (int y = 0; y < BackgroundSheetHeight; y += TileSize)
        for (int x = 0; x < BackgroundSheetWidth; x += TileSize)
            if (TileCell{x, y} != TileCell{240, 80} && TileCell{x, y} != CoverPanelTile) Subdue(sheet, x, y);
}

}  // namespace veltrano::assetgen
