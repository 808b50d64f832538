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

// Smooth value noise at a real position, repeating every 80 pixels.
float LatticeNoise(float x, float y, int cell, uint32_t seed) {
    const int cells = TileSize / cell;
    auto wrap = [&](int v) { return static_cast<uint32_t>(((v % cells) + cells) % cells); };
    auto lattice = [&](int i, int j) {
        return static_cast<float>(Hash(wrap(i), wrap(j), seed) >> 8) / 16777216.0f;
    };
    const float gx = x / cell, gy = y / cell;
    const float fx0 = std::floor(gx), fy0 = std::floor(gy);
    const int ix = static_cast<int>(fx0), iy = static_cast<int>(fy0);
    float fx = gx - fx0, fy = gy - fy0;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    const float top = lattice(ix, iy) + (lattice(ix + 1, iy) - lattice(ix, iy)) * fx;
    const float bottom = lattice(ix, iy + 1) + (lattice(ix + 1, iy + 1) - lattice(ix, iy + 1)) * fx;
    return top + (bottom - top) * fy;
}

}  // namespace

namespace {

// The bend of the lattice at a pixel, from a coarse noise whose lattice lines lie off those of the
// finer ones; scaled by each octave's cell size.
struct Bend {
    float U, V;
};
Bend BendAt(int x, int y, uint32_t seed) {
    return {LatticeNoise(x + 0.5f, y + 0.5f, 40, seed + 7001) - 0.5f,
            LatticeNoise(x + 20.5f, y + 20.5f, 40, seed + 7002) - 0.5f};
}

float BentNoise(int x, int y, int cell, uint32_t seed, Bend bend) {
    const float reach = 1.2f * static_cast<float>(cell);
    return LatticeNoise(x + 0.5f + reach * bend.U, y + 0.5f + reach * bend.V, cell, seed);
}

}  // namespace

float TileNoise(int x, int y, int cell, uint32_t seed) {
    return BentNoise(x, y, cell, seed, BendAt(x, y, seed));
}

float TileFractal(int x, int y, int cell, uint32_t seed) {
    const Bend bend = BendAt(x, y, seed);
    float sum = 0, weight = 0, w = 1;
    for (int c = cell; c >= 2; c /= 2) {
        if (TileSize % c != 0) continue;
        sum += w * BentNoise(x, y, c, seed + static_cast<uint32_t>(c), bend);
        weight += w;
        w *= 0.55f;
    }
    return weight > 0 ? sum / weight : 0.5f;
}

uint32_t Grained(const Ramp& ramp, float level, int x, int y, float grain, uint32_t seed) {
    const uint32_t wx = static_cast<uint32_t>(((x % TileSize) + TileSize) % TileSize),
                   wy = static_cast<uint32_t>(((y % TileSize) + TileSize) % TileSize);
    level += grain * (static_cast<float>(Hash(wx, wy, seed + 977) >> 8) / 16777216.0f - 0.5f);
    level = std::clamp(level, 0.0f, 5.0f);
    const int lo = std::min(4, static_cast<int>(level));
    return Pack(Mix(Unpack(ramp.Shade[lo]), Unpack(ramp.Shade[lo + 1]), level - lo));
}

CellSample PeriodicCells(int x, int y, int count, uint32_t seed) {
    float best = 1e9f, second = 1e9f;
    CellSample c;
    Scatter s(seed);
    x = ((x % TileSize) + TileSize) % TileSize;
    y = ((y % TileSize) + TileSize) % TileSize;
    for (int k = 0; k < count; ++k) {
        const float px = s.Unit() * TileSize, py = s.Unit() * TileSize;
        float dx = std::fabs(x + 0.5f - px), dy = std::fabs(y + 0.5f - py);
        dx = std::min(dx, TileSize - dx);
        dy = std::min(dy, TileSize - dy);
        const float d = std::sqrt(dx * dx + dy * dy);
        if (d < best) {
            second = best;
            best = d;
            c.Nearest = k;
        } else if (d < second) {
            second = d;
        }
    }
    c.Border = second - best;
    return c;
}

Shift InnerShift(int x, int y, float reach, uint32_t seed) {
    // A smooth hump that is zero on the edges: a pyramid from the distance to the edge would crease
    // the shifted texture along the tile's diagonals.
    constexpr float Pi = 3.14159265f;
    const float hump = std::sin(Pi * (x + 0.5f) / TileSize) * std::sin(Pi * (y + 0.5f) / TileSize);
    return {2 * reach * hump * (TileNoise(x, y, 40, seed) - 0.5f),
            2 * reach * hump * (TileNoise(x, y, 40, seed + 1) - 0.5f)};
}

float RisingDiagonal(int x, int y, int spacing, int offset) {
    const int r = (((x + y - offset) % spacing) + spacing) % spacing;
    return std::min(r, spacing - r) / std::sqrt(2.0f);
}

float FallingDiagonal(int x, int y, int spacing, int offset) {
    const int r = (((x - y - offset) % spacing) + spacing) % spacing;
    return std::min(r, spacing - r) / std::sqrt(2.0f);
}

namespace {

// Backdrops stay behind everything that moves: every tile a stage scrolls past is mapped into one
// band of luminance, dark enough that the bright cores of ships, shots and bullets always stand out
// and their dark rims still show against the lightest of it. The hue of each stage's materials stays
// whole, and a little richer, so the worlds keep their colour at that moderate brightness. One mapping
// for every pixel, so tiles that join keep joining.
constexpr float BandLow = 14.0f, BandHigh = 96.0f;  // grey levels the band runs between
constexpr float BandGamma = 0.9f;
constexpr float StageChroma = 1.25f;

void Subdue(Surface& sheet, int ox, int oy) {
    for (int y = oy; y < oy + TileSize; ++y)
        for (int x = ox; x < ox + TileSize; ++x) {
            const uint32_t p = sheet.Row(y)[x];
            if (p == KeyColour) continue;
            const Colour c = Unpack(p);
            const float grey = std::max(1.0f, 0.299f * c.R + 0.587f * c.G + 0.114f * c.B);
            const float dim =
                BandLow + (BandHigh - BandLow) * std::pow(std::min(grey, 255.0f) / 255.0f, BandGamma);
            // The same hue at the new grey level, its distance from that grey a little widened.
            const float scale = dim / grey;
            const Colour out{dim + (c.R * scale - dim) * StageChroma, dim + (c.G * scale - dim) * StageChroma,
                             dim + (c.B * scale - dim) * StageChroma};
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
    PaintStarField(at(0, 400), 141, 22);
    PaintStarField(at(80, 400), 143, 20);
    PaintCore(at(160, 400), true);
    PaintCore(at(240, 400), false);
    // The title sky carries the score list's black text and the curtain the ending's white text: they
    // keep their own light and dark; every other tile is a stage's.
    for (int y = 0; y < BackgroundSheetHeight; y += TileSize)
        for (int x = 0; x < BackgroundSheetWidth; x += TileSize)
            if (TileCell{x, y} != TileCell{240, 80} && TileCell{x, y} != CoverPanelTile) Subdue(sheet, x, y);
}

}  // namespace veltrano::assetgen
