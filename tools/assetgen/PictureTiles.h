// The tile painters of the backdrop sheet, grouped by what they show, and the small helpers they
// share. Tiles that scenes lay next to each other share one base texture that repeats every 80
// pixels and keep their own features away from the edges, so any arrangement joins without a seam.
#pragma once

#include <cstdint>

#include "render/TileRules.h"
#include "tools/assetgen/PictureKit.h"

namespace veltrano::assetgen {

// One 80-by-80 cell of the backdrop sheet, written in its own coordinates.
struct Tile {
    Surface& Sheet;
    int Ox, Oy;
    void Put(int x, int y, uint32_t c) {
        if (x >= 0 && y >= 0 && x < TileSize && y < TileSize) PutSheet(Sheet, Ox + x, Oy + y, c);
    }
    void Clear(int x, int y) {
        if (x >= 0 && y >= 0 && x < TileSize && y < TileSize) Sheet.Row(Oy + y)[Ox + x] = KeyColour;
    }
};

float Smooth(float e0, float e1, float v);
// Distance from the tile's edge, for features that must fade out before they reach it.
float EdgeFade(int x, int y, float margin);
// Distance in radii from (40, 40) of an oval with a ragged shore, for lakes and islands.
float BlobDistance(int x, int y, float rx, float ry, float wobble, uint32_t seed, int cell);

// Land and water: stages 1, 3, 4, 6 and 8.
void PaintFarmland(Tile t, bool lake);
void PaintSea(Tile t, bool reef);
void PaintMist(Tile t);
void PaintRock(Tile t, bool crystals);
void PaintRidge(Tile t);
// Sky and space: clouds, the title sky, the curtain, stage 9's nebula and stars.
void PaintCloud(Tile t);
void PaintTitleSky(Tile t);
void PaintCurtain(Tile t);
void PaintNebula(Tile t, bool farStars);
void PaintStarField(Tile t, uint32_t seed, int count);
// Built things: the fortress hull, its tower, the machine wall, the sky-fortress deck, the core.
void PaintHullPlate(Tile t, bool vents);
void PaintGirderTower(Tile t);
void PaintMachineWall(Tile t);
void PaintFortressDeck(Tile t, bool rails);
void PaintCore(Tile t, bool eye);

}  // namespace veltrano::assetgen
