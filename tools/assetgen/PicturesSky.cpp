// Sky and space: the stage 1 cloud, the title sky, the curtain, stage 9's nebula and near stars.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/PictureTiles.h"

namespace veltrano::assetgen {

void PaintCloud(Tile t) {
    // Thin drifting wisps rather than a solid cumulus: their shape comes from noise, their edges
    // fray into a dither, and they thin out well before the tile's edge, so the clouds of a layer
    // read as haze passing over the land, not as stamps on a lattice.
    const Ramp r = MakeRamp(0xA8B4C8, 0.5f, 0.6f);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            const float n = TileFractal(x * 2, y * 3, 20, 41);
            const float dx = (x + 0.5f - 42) / 30.0f, dy = (y + 0.5f - 38) / 16.0f;
            const float body = Smooth(0.0f, 0.5f, 1 - (dx * dx + dy * dy)) * EdgeFade(x, y, 10);
            const float density = body * Smooth(0.35f, 0.75f, n);
            // Solid where the wisp is thick, frayed into a dither only at its edge.
            if (density < 0.1f || (density < 0.3f && Bayer(x, y) > (density - 0.1f) * 5)) {
                t.Clear(x, y);
                continue;
            }
            t.Put(x, y, Grained(r, 3.4f + 1.6f * density - (dy > 0.4f ? 0.3f : 0), x, y, 0.5f));
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
    // A fair-weather sky the title lays on every cell of the screen, so it must show nothing the eye
    // can count: no cloud of its own, but bands of high cirrus about 25 pixels apart on a shallow
    // slant, bent and broken by noise, and a scatter of small flecks of cloud. The bands' period
    // divides the tile's, so they run on across its edges and the eye follows them, not the tile.
    // Pale throughout, so the score list's black text reads on it anywhere.
    constexpr float Pi = 3.14159265f;
    const Colour deep = {132, 176, 236}, sky = {150, 192, 242}, wisp = {222, 236, 252};
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            const float bend = 0.35f * TileFractal(x, y, 40, 281) + 0.65f * TileFractal(x, y, 20, 282);
            const float phase = 2 * Pi * (x + 3 * y) / TileSize + 6.0f * bend;
            const float band = 0.5f + 0.5f * std::sin(phase);
            // Where the band is thick and the breaking noise lets it through, a wisp; its soft upper
            // edge catches the light, the clear sky under it is the deepest blue.
            const float broken = Smooth(0.3f, 0.7f, TileFractal(x, y, 10, 283));
            const float grain = static_cast<float>(Hash(x, y, 285) >> 8) / 16777216.0f - 0.5f;
            const float thick = std::clamp(Smooth(0.55f, 0.95f, band) * broken + 0.12f * grain, 0.0f, 1.0f);
            Colour c = Mix(sky, deep, Smooth(0.35f, 0.0f, band) * 0.6f);
            c = Mix(c, wisp, thick * 0.65f);
            t.Put(x, y, Pack(c));
        }
    // Small flecks of cloud, short and flat, each wrapped round the tile's edges: a bright top row
    // over a paler underside.
    Scatter scatter(271);
    for (int k = 0; k < 12; ++k) {
        const int fx = scatter.Below(TileSize), fy = scatter.Below(TileSize), length = 3 + scatter.Below(5);
        for (int i = 0; i < length; ++i) {
            const int px = (fx + i) % TileSize;
            t.Put(px, fy, Pack(Mix(sky, wisp, 0.7f)));
            if (i > 0 && i + 1 < length) t.Put(px, (fy + 1) % TileSize, Pack(Mix(sky, wisp, 0.4f)));
        }
    }
}

// ---- Stage 9 and the last battles: space ----

namespace {

// Stars of a tile each in a column and a row of their own, so that a sky of repeated tiles has as
// many stars in every column and row of the screen.
struct StarPlace {
    int X, Y;
};
StarPlace PlaceStar(int k, uint32_t seed, int margin) {
    // Golden-ratio steps spread the stars' columns and rows as evenly as their count allows.
    const int span = TileSize - 2 * margin;
    const float across = std::fmod(k * 0.6180340f + (Hash(seed) % 1000) / 1000.0f, 1.0f);
    const float down = std::fmod(k * 0.7548777f + (Hash(seed, 1) % 1000) / 1000.0f, 1.0f);
    return {margin + static_cast<int>(across * span), margin + static_cast<int>(down * span)};
}

}  // namespace

void PaintNebula(Tile t, bool farStars) {
    // Deep space and three gases: a teal, a blue and a rose violet, blending into each other.
    const Colour deep = {12, 14, 44}, teal = {28, 92, 144}, blue = {42, 70, 160}, violet = {120, 50, 128};
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            // The veil is the same on the edges of both nebula tiles, so the checkerboard they form
            // joins anywhere, and each bends it its own way inside, so its clouds do not come back
            // every 80 pixels.
            const Shift bend = InnerShift(x, y, 26, farStars ? 121 : 123);
            const int vx = static_cast<int>(std::lround(x + bend.X)),
                      vy = static_cast<int>(std::lround(y + bend.Y));
            const float a = TileFractal(vx, vy, 40, 111),
                        b = Smooth(0.3f, 0.7f, TileFractal(vx, vy, 10, 113));
            const float grain = static_cast<float>(Hash(x, y, 115) >> 8) / 16777216.0f - 0.5f;
            const float veil = std::clamp(Smooth(0.25f, 0.8f, a) + 0.5f * grain, 0.0f, 1.0f);
            const Colour gas = b < 0.5f ? Mix(teal, blue, 2 * b) : Mix(blue, violet, 2 * b - 1);
            t.Put(x, y, Pack(Mix(deep, gas, veil)));
        }
    // Faint far stars, different on the two tiles; no galaxy or other landmark, since half the sky
    // is each tile.
    const uint32_t seed = farStars ? 117 : 119;
    const int count = farStars ? 30 : 22;
    for (int k = 0; k < count; ++k) {
        const StarPlace p = PlaceStar(k, seed, 1);
        const int b = static_cast<int>(Hash(k, seed, 3) % 3);
        t.Put(p.X, p.Y, b == 0 ? 0x585C78 : b == 1 ? 0x707890 : 0x9098B0);
    }
}

void PaintStarField(Tile t, uint32_t seed, int count) {
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) t.Clear(x, y);
    for (int i = 0; i < count; ++i) {
        const StarPlace p = PlaceStar(i, seed, 3);
        const int kind = static_cast<int>(Hash(i, seed, 5) % 4);
        const uint32_t core = kind == 0 ? 0xE8DCC0 : kind == 1 ? 0xC0CCE8 : 0xD8D8E8;
        t.Put(p.X, p.Y, core);
        if (kind == 0) {
            // A small twinkle cross on the brightest stars.
            const uint32_t arm = 0x706048;
            t.Put(p.X - 1, p.Y, arm);
            t.Put(p.X + 1, p.Y, arm);
            t.Put(p.X, p.Y - 1, arm);
            t.Put(p.X, p.Y + 1, arm);
        }
    }
}

}  // namespace veltrano::assetgen
