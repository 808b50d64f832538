// Sky and space: the stage 1 cloud, the title sky, the curtain, stage 9's nebula and near stars.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/PictureTiles.h"

namespace veltrano::assetgen {

namespace {

struct Puff {
    float X, Y, R;
};

// How deep (x, y) lies in the deepest of a cloud's puffs (0 outside, 1 at a centre), and how much
// that puff's surface there faces the light from the upper left.
struct PuffSample {
    float Depth = 0, Light = 0;
};

template <size_t N>
PuffSample SamplePuffs(const Puff (&puffs)[N], int x, int y) {
    PuffSample best;
    for (const Puff& p : puffs) {
        const float dx = (x + 0.5f - p.X) / p.R, dy = (y + 0.5f - p.Y) / p.R;
        const float v = 1 - (dx * dx + dy * dy);
        if (v > best.Depth)
            best = {v, std::max(0.0f, -0.55f * dx - 0.7f * dy + 0.45f * std::sqrt(std::max(0.0f, v)))};
    }
    return best;
}

}  // namespace

void PaintCloud(Tile t) {
    const Ramp r = MakeRamp(0xC8D4EC, 0.5f, 1.3f);
    const Puff puffs[] = {{26, 46, 14}, {40, 36, 18}, {55, 44, 14}, {33, 52, 12},
                          {50, 54, 11}, {62, 52, 9},  {18, 54, 8}};
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            const auto [best, light] = SamplePuffs(puffs, x, y);
            if (best <= 0 || y > 62) {
                t.Clear(x, y);
                continue;
            }
            // The flat underside of a fair-weather cumulus, and a thin dithered fringe at its edge.
            if (best < 0.18f && Bayer(x, y) > best / 0.18f) {
                t.Clear(x, y);
                continue;
            }
            const float level = 1.7f + 3.6f * light - (y > 56 ? 0.8f : 0);
            t.Put(x, y, Dithered(r, level, x, y));
        }
}

// ---- The curtain and the title sky ----

void PaintCurtain(Tile t) {
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            uint32_t c = 0x1C1440;
            // A faint quilted diamond keeps the panels from reading as flat paint.
            const int d1 = (x + y) % 20, d2 = (x - y + 80) % 20;
            if (d1 == 0 || d2 == 0) c = 0x241A52;
            if (x == 0 || y == 0) c = 0x2C2260;
            if (x == TileSize - 1 || y == TileSize - 1) c = 0x120C2E;
            t.Put(x, y, c);
        }
}

void PaintTitleSky(Tile t) {
    // A wallpaper of small fair-weather clouds, pale enough that the score list's black text reads
    // on it anywhere.
    const Colour sky = {164, 202, 240}, shade = {204, 222, 246}, cloud = {250, 252, 255};
    const Puff puffs[] = {{30, 50, 9}, {40, 45, 11}, {51, 50, 8}, {22, 54, 6}, {58, 54, 5}};
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            const auto [depth, light] = SamplePuffs(puffs, x, y);
            Colour c = sky;
            if (depth > 0 && y < 57) {
                // Three dithered steps from the shaded underside to the sunlit top.
                const float q = std::floor(std::min(1.0f, light * 1.4f) * 2 + Bayer(x, y)) / 2;
                c = Mix(shade, cloud, q);
            } else if (y == 20 && x > 4 && x < 30) {
                c = Mix(sky, cloud, 0.45f);  // a thin streak of high cloud
            } else if (y == 21 && x > 10 && x < 24) {
                c = Mix(sky, cloud, 0.3f);
            }
            t.Put(x, y, Pack(c));
        }
}

// ---- Stage 9 and the last battles: space ----

void PaintNebula(Tile t, bool farStars) {
    const Colour deep = {6, 6, 22}, violet = {58, 24, 86}, blue = {24, 44, 104}, rose = {120, 44, 96};
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            const float a = PeriodicFractal(x, y, 40, TileSize, 111),
                        b = PeriodicFractal(x, y, 20, TileSize, 113);
            const float veil = Smooth(0.45f, 0.8f, a);
            Colour c = Mix(deep, Mix(blue, violet, b), veil);
            if (veil > 0.7f && b > 0.6f) c = Mix(c, rose, 0.5f);
            // A few dithered steps instead of a smooth blend.
            const float q = std::floor(veil * 5 + Bayer(x, y)) / 5;
            c = Mix(deep, Mix(blue, violet, b), q);
            t.Put(x, y, Pack(c));
        }
    Scatter s(farStars ? 117 : 119);
    const int count = farStars ? 34 : 16;
    for (int i = 0; i < count; ++i) {
        const int x = 1 + s.Below(TileSize - 2), y = 1 + s.Below(TileSize - 2);
        const int b = s.Below(3);
        t.Put(x, y, b == 0 ? 0x8890B0 : b == 1 ? 0xB0B8D8 : 0xE8E8FF);
    }
    if (!farStars) return;
    // A far spiral galaxy, safely inside the tile but off its middle, so the galaxies of a scrolling
    // checkerboard do not stand in rows.
    for (int y = 46; y < 67; ++y)
        for (int x = 12; x < 40; ++x) {
            const float dx = (x - 26) / 12.0f, dy = (y - 56 + 0.25f * (x - 26)) / 5.0f;
            const float d = std::sqrt(dx * dx + dy * dy);
            if (d < 1 && Bayer(x, y) < (1 - d) * 1.3f)
                t.Put(x, y, d < 0.25f ? 0xF8F0D8 : d < 0.55f ? 0xB8A8D8 : 0x605888);
        }
}

void PaintStarField(Tile t, uint32_t seed, int count) {
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) t.Clear(x, y);
    Scatter s(seed);
    for (int i = 0; i < count; ++i) {
        const int x = 3 + s.Below(TileSize - 6), y = 3 + s.Below(TileSize - 6);
        const int kind = s.Below(4);
        const uint32_t core = kind == 0 ? 0xFFF4D0 : kind == 1 ? 0xD0E0FF : 0xF0F0FF;
        t.Put(x, y, core);
        if (kind <= 1) {
            // A twinkle cross on the brighter stars.
            const uint32_t arm = kind == 0 ? 0xB08850 : 0x5868A8;
            t.Put(x - 1, y, arm);
            t.Put(x + 1, y, arm);
            t.Put(x, y - 1, arm);
            t.Put(x, y + 1, arm);
            if (i % 3 == 0) {
                t.Put(x - 2, y, 0x303858);
                t.Put(x + 2, y, 0x303858);
            }
        }
    }
}

}  // namespace veltrano::assetgen
