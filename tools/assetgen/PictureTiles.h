// The tile painters of the backdrop sheet, grouped by what they show, and the small helpers they
// share. Tiles that scenes lay next to each other share one base texture that repeats every 80
// pixels and keep their own features away from the edges, so any arrangement joins without a seam.
// Every tile a layer repeats shows its details at the same place on the screen, so a stage's texture
// is spread evenly over the tile: no line runs along a row or a column (seams and pipes run on the
// diagonals, which cross every row and column alike), and nothing stands out at one place of the tile
// except in the tiles that the scenes lay sparsely.
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
// Value noise in [0, 1) that repeats every 80 pixels, like PeriodicNoise, but with its lattice bent
// by a slow warp. A lattice that stands still puts the noise's steepest slopes on the same columns
// and rows of every tile (halfway between lattice lines) and its flattest on the lattice lines: a
// faint grid of its own. Bent, the slopes fall on every column and row alike.
float TileNoise(int x, int y, int cell, uint32_t seed);
// Several octaves of TileNoise from `cell` down to 2 pixels.
float TileFractal(int x, int y, int cell, uint32_t seed);
// A shade of `ramp` for a level in [0, 5], blended smoothly between the two nearest shades, with a
// per-pixel grain of `grain` levels that repeats every 80 pixels. A dither's texture is as strong as
// the level is far from a shade, so it differs from place to place; the grain gives every part of a
// tile the same fine texture, and the features of a tile stand on it evenly.
uint32_t Grained(const Ramp& ramp, float level, int x, int y, float grain = 1.6f, uint32_t seed = 0);
// Irregular cells (fields, plates of tissue) that repeat every 80 pixels: which of `count` seeded
// points lies nearest to (x, y) round the wrap, and how far the cell's border is (the second-nearest
// distance less the nearest).
struct CellSample {
    int Nearest = 0;
    float Border = 0;
};
CellSample PeriodicCells(int x, int y, int count, uint32_t seed);
// Distance to the nearest diagonal line x + y = k * spacing (rising) or x - y = k * spacing
// (falling); the spacing divides 80, so the lines run on from tile to tile.
float RisingDiagonal(int x, int y, int spacing, int offset = 0);
float FallingDiagonal(int x, int y, int spacing, int offset = 0);
// Land and water: stages 1, 3, 4, 6 and 8.
void PaintFarmland(Tile t, bool copses);
void PaintSea(Tile t, bool shallows);
void PaintMist(Tile t);
void PaintRock(Tile t, bool glints);
void PaintRidge(Tile t);
// Sky and space: clouds, the title sky, the curtain, stage 9's nebula and stars.
void PaintCloud(Tile t);
void PaintTitleSky(Tile t);
void PaintCurtain(Tile t);
void PaintNebula(Tile t, bool farStars);
void PaintStarField(Tile t, uint32_t seed, int count);
// Built things: the fortress hull, its tower, the machine wall, the sky-fortress deck, the core.
void PaintHullPlate(Tile t, bool worn);
void PaintGirderTower(Tile t);
void PaintMachineWall(Tile t);
void PaintFortressDeck(Tile t, bool rails);
void PaintCore(Tile t, bool eye);

}  // namespace veltrano::assetgen
