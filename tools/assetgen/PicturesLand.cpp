// Land and water seen from high above: farmland, sea, mist, cave rock and its ridge.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/PictureTiles.h"

namespace veltrano::assetgen {

namespace {

// ---- Stage 1 and 6: farmland far below ----

// Summer fields: mossy and meadow greens, ripe wheat and a ploughed brown. Their hues differ more than
// their lightness, so no one field stands out as a landmark that comes back with the tile.
const Ramp FieldRamps[] = {MakeRamp(0x4C9430), MakeRamp(0x8CA030), MakeRamp(0x38883A),
                           MakeRamp(0xB49838), MakeRamp(0x5EA040), MakeRamp(0x9A6430)};

// Aerial haze over the farmland: a touch of the sky's blue over every colour.
uint32_t Haze(uint32_t c) {
    return Pack(Mix(Unpack(c), Colour{96, 140, 190}, 0.08f));
}

// Furrows run on a diagonal of their own in each field, never along a row or a column, so that the
// ploughed land shows no lines at a fixed place of the tile.
bool Furrow(int x, int y, uint32_t field) {
    switch (field % 4) {
        case 0:
            return (((x + 2 * y) % 5) + 5) % 5 == 0;
        case 1:
            return (((2 * x - y) % 5) + 5) % 5 == 0;
        case 2:
            return (((x - 2 * y) % 5) + 5) % 5 == 0;
        default:
            return (((x + y) % 4) + 4) % 4 == 0;
    }
}

}  // namespace

void PaintFarmland(Tile t, bool copses) {
    const Ramp tree = MakeRamp(0x1E6A2C);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            // Fields are the irregular cells of ten points, their borders wandering a little, and
            // each of the two farmland tiles bends them its own way inside, so the same fields do
            // not come back every 80 pixels.
            const Shift bend = InnerShift(x, y, 24, copses ? 17 : 15);
            const int wx = static_cast<int>(std::lround(x + 6 * (TileNoise(x, y, 20, 11) - 0.5f) + bend.X));
            const int wy = static_cast<int>(std::lround(y + 6 * (TileNoise(x, y, 20, 12) - 0.5f) + bend.Y));
            const CellSample cell = PeriodicCells(wx, wy, 10, 5);
            const uint32_t field = Hash(static_cast<uint32_t>(cell.Nearest), 0, 5);
            const Ramp& r = FieldRamps[field % 6];
            float level = 2.4f + 0.9f * TileFractal(x, y, 10, 3) - (Furrow(x, y, field >> 4) ? 0.6f : 0);
            // The sun stands at the upper left: a hedgerow casts its shadow on the field below and to
            // the right of it.
            if (PeriodicCells(wx - 2, wy - 2, 10, 5).Border < 1.7f) level -= 0.8f;
            uint32_t c = Grained(r, level, x, y, 2.0f);
            // Hedgerows follow the borders, with a tree here and there along them, lit on top.
            if (cell.Border < 1.7f)
                c = Grained(tree, 1.1f + 1.3f * TileNoise(x, y, 4, 9) + 0.5f * (1.7f - cell.Border), x, y);
            // Small copses of trees scattered over the fields: dark crowns, lit on the upper left. The
            // second farmland tile has more of them, away from its edges so that both tiles join.
            float wood = TileFractal(x, y, 10, 21);
            if (copses) wood += 0.06f * EdgeFade(x, y, 12);
            if (wood > 0.68f) {
                const float lit = TileFractal(x + 1, y + 1, 10, 21) - wood;
                c = Grained(tree, 2.2f + 12 * lit, x, y, 0.6f);
            }
            t.Put(x, y, Haze(c));
        }
}

// ---- Stage 3: the sea ----

void PaintSea(Tile t, bool shallows) {
    const Ramp sea = MakeRamp(0x2060B8);
    const Ramp shoal = MakeRamp(0x1CA0A8);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            const float n = TileFractal(x, y, 20, 61);
            // Wave crests run on a shallow diagonal, bent by the swell, and break into short pieces.
            const float swell = std::sin((x + 2 * y) * 3.14159265f / 10 + 5 * n);
            const float broken = TileNoise(x, y, 10, 62);
            float level = 1.8f + 1.6f * n;
            if (swell > 0.9f && broken > 0.45f)
                level += 1.4f;
            else if (swell < -0.9f)
                level -= 0.5f;
            uint32_t c = Grained(sea, level, x, y);
            // The second sea tile has sandbanks below its water, paler in its middle.
            if (shallows) {
                const float bank = TileFractal(x, y, 20, 64) * EdgeFade(x, y, 16);
                if (bank > 0.42f) c = Grained(shoal, level + 3 * (bank - 0.42f), x, y);
            }
            t.Put(x, y, c);
        }
}

void PaintMist(Tile t) {
    const Ramp mist = MakeRamp(0x9AC4E0, 0.4f, 0.6f);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            const float n = TileFractal(x, y * 2, 20, 71);
            const float dx = (x - 40) / 34.0f, dy = (y - 40) / 22.0f;
            const float body = (1 - (dx * dx + dy * dy)) * EdgeFade(x, y, 8);
            const float density = Smooth(0.0f, 0.6f, body) * Smooth(0.3f, 0.7f, n);
            // Scattered wisps at most one pixel in three: the sea always shows through the mist.
            if (density > 0.05f && Bayer(x, y) < density * 0.35f)
                t.Put(x, y, Grained(mist, 2 + 2 * density, x, y));
            else
                t.Clear(x, y);
        }
}

// ---- Stages 4 and 8: the cave ----

void PaintRock(Tile t, bool glints) {
    // Warm sandstone, lit from the upper left, with veins of cold ore.
    const Ramp rock = MakeRamp(0xA8643A);
    const Ramp rust = MakeRamp(0x9A4A36);
    const Ramp gem = MakeRamp(0x30D8E0, 1.0f, 1.0f);
    // The height of the wall at a pixel: rounded boulders of many sizes (irregular cells that swell
    // from their cracks) under a fine fractal grain. Each of the two rock tiles bends the boulders its
    // own way inside, so the checkerboard they form does not show the same stones every 80 pixels.
    auto height = [glints](int x, int y) {
        const Shift bend = InnerShift(x, y, 22, glints ? 91 : 93);
        const CellSample boulder = PeriodicCells(static_cast<int>(std::lround(x + bend.X)),
                                                 static_cast<int>(std::lround(y + bend.Y)), 14, 83);
        return 0.45f * std::sqrt(std::min(boulder.Border, 9.0f) / 9.0f) + 0.55f * TileFractal(x, y, 20, 81);
    };
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            const float h = height(x, y);
            // Lit where the relief rises towards the light, shaded where it falls away from it.
            const float slope = h - height(x - 1, y - 1);
            float level = 2.1f + 1.6f * (h - 0.5f) + 5.5f * slope;
            // Long cracks follow the valleys of a slow noise.
            const float crack =
                std::fabs(0.6f * TileNoise(x, y, 20, 85) + 0.4f * TileNoise(x, y, 10, 84) - 0.5f);
            if (crack < 0.015f)
                level -= 1.2f;
            else if (crack < 0.03f)
                level -= 0.5f;
            // Bands of redder stone wander through the ochre.
            const Ramp& stone = TileNoise(x, y, 40, 89) > 0.58f ? rust : rock;
            uint32_t c = Grained(stone, level, x, y);
            // The second rock tile has grains of ore that catch the light, scattered evenly.
            if (glints && Hash(x, y, 87) % 97 == 0) c = Grained(gem, 2.5f, x, y);
            t.Put(x, y, c);
        }
}

void PaintRidge(Tile t) {
    const Ramp rock = MakeRamp(0x2E5A58);  // darker and cooler than the machine wall behind it
    for (int x = 0; x < TileSize; ++x) {
        // Jagged upper and lower edges from periodic noise, so the ridge runs on without a joint,
        // and stalactites of uneven length hang from its underside.
        const int tooth = static_cast<int>(14 * std::max(0.0f, TileNoise(x, 3, 10, 107) - 0.45f) * 2);
        const int top = 16 + static_cast<int>(18 * TileFractal(x, 0, 20, 101));
        const int bottom = 46 + static_cast<int>(12 * TileFractal(x, 7, 20, 103)) + tooth;
        for (int y = 0; y < TileSize; ++y) {
            if (y < top || y > bottom) {
                t.Clear(x, y);
                continue;
            }
            const float h = TileFractal(x, y, 10, 105);
            float level = 1.8f + 1.8f * (h - 0.5f) + (y - top < 2 ? 1.2f : 0) - (bottom - y < 3 ? 0.8f : 0);
            // Strata: lighter bands slant along the ridge.
            if ((y - top + x / 3 + static_cast<int>(4 * h)) % 9 == 0) level += 0.7f;
            t.Put(x, y, Grained(rock, level, x, y));
        }
    }
}

}  // namespace veltrano::assetgen
