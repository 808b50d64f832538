// Land and water seen from high above: farmland, sea, mist, cave rock and its ridge.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/PictureTiles.h"

namespace veltrano::assetgen {

namespace {

// ---- Stage 1 and 6: farmland far below ----

// Muted field colours: the ground lies far below, so it must not outshine the sprites.
const Ramp FieldRamps[] = {MakeRamp(0x58883E), MakeRamp(0x7A9448), MakeRamp(0x4A7A48),
                           MakeRamp(0x9A9058), MakeRamp(0x64905A), MakeRamp(0x887E50)};

// Aerial haze over the farmland: a little of the sky's blue-grey over every colour.
uint32_t Haze(uint32_t c) {
    return Pack(Mix(Unpack(c), Colour{112, 138, 160}, 0.18f));
}

}  // namespace

void PaintFarmland(Tile t, bool lake) {
    const Ramp tree = MakeRamp(0x2E6A34);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            // Field borders wander a little but stay on the 80-pixel period.
            const float wx = x + 13 + 7 * (PeriodicNoise(x, y, 20, TileSize, 11) - 0.5f);
            const float wy = y + 13 + 7 * (PeriodicNoise(x, y, 20, TileSize, 12) - 0.5f);
            const int fx = (static_cast<int>(std::floor(wx * 3 / TileSize)) % 3 + 3) % 3;
            const int fy = (static_cast<int>(std::floor(wy * 3 / TileSize)) % 3 + 3) % 3;
            const uint32_t field = Hash(fx, fy, 5);
            const Ramp& r = FieldRamps[field % 6];
            // Furrows run along or across each field.
            const float along = (field >> 8) & 1 ? wx : wy;
            float level = 2.6f + 0.8f * PeriodicFractal(x, y, 10, TileSize, 3) +
                          (std::fmod(along + 80, 4.0f) < 1 ? -0.6f : 0);
            uint32_t c = Dithered(r, level, x, y);
            // Hedgerows follow the borders.
            const float bx = std::fmod(wx * 3 + 3 * TileSize, static_cast<float>(TileSize)),
                        by = std::fmod(wy * 3 + 3 * TileSize, static_cast<float>(TileSize));
            if (bx < 5 || by < 5) c = Dithered(tree, 1.6f + PeriodicNoise(x, y, 4, TileSize, 9), x, y);
            // Copses of trees: dark crowns with a lit upper-left pixel.
            const float wood = PeriodicFractal(x, y, 20, TileSize, 21);
            if (wood > 0.64f) c = Dithered(tree, wood > 0.7f ? 2.6f - 2.5f * (wood - 0.7f) * 5 : 3.4f, x, y);
            t.Put(x, y, Haze(c));
        }
    if (!lake) {
        // A farmstead in a corner field, off the tile's middle, so the farms of a scrolling row do
        // not line up in a grid with the lakes.
        const int ox = -16, oy = 14;
        for (int y = 34; y < 45; ++y)
            for (int x = 33; x < 47; ++x) {
                uint32_t c = y < 40 ? (y - 34 < (x < 40 ? 40 - x : x - 39) ? 0
                                       : x < 40                            ? 0xB04A3A
                                                                           : 0x7E3430)
                                    : 0xD8D0C0;
                if (y >= 40 && (x == 36 || x == 43) && y < 43) c = 0x404860;
                if (c) t.Put(x + ox, y + oy, Haze(c));
            }
        for (int x = 34; x < 47; ++x) t.Put(x + ox, 45 + oy, Haze(0x3A4030));
        return;
    }
    const Ramp water = MakeRamp(0x3A78C8);
    const Ramp sand = MakeRamp(0xC8B478);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            // The lake lies off the middle, up and to the right.
            const float dy = (y - 34) / 18.0f;
            const float d = BlobDistance(x - 8, y + 6, 23, 18, 0.35f, 31, 10);
            if (d < 0.86f) {
                float level = 2.0f + 1.4f * (1 - d) - 0.8f * dy;
                if ((y % 6 == 2) && PeriodicNoise(x, 0, 8, TileSize, 33) > 0.6f && d < 0.6f)
                    level = 4.6f;  // glints
                t.Put(x, y, Haze(Dithered(water, level, x, y)));
            } else if (d < 1.0f) {
                t.Put(x, y, Haze(Dithered(sand, 3.4f - (d - 0.86f) * 8, x, y)));
            }
        }
}

// ---- Stage 3: the sea ----

void PaintSea(Tile t, bool reef) {
    const Ramp sea = MakeRamp(0x2A6AB0);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            const float n = PeriodicFractal(x, y, 20, TileSize, 61);
            // Wave crests: thin bright lines where a slow swell pattern peaks.
            const float swell = std::sin((x * 2 + y * 9) * 3.14159265f / 40 + 6 * n);
            float level = 2.0f + 1.4f * n;
            if (swell > 0.93f)
                level = 4.6f;
            else if (swell > 0.8f)
                level = 3.6f;
            t.Put(x, y, Dithered(sea, level, x, y));
        }
    if (!reef) return;
    const Ramp rock = MakeRamp(0x8A7458);
    const Ramp shallow = MakeRamp(0x3AA8B8);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            const float dx = (x - 40) / 24.0f, dy = (y - 40) / 18.0f;
            const float d = BlobDistance(x, y, 24, 18, 0.45f, 63, 8);
            if (d < 0.62f) {
                const float lit = -0.6f * dx - 0.8f * dy;
                const bool green = d < 0.42f && PeriodicNoise(x, y, 4, TileSize, 65) > 0.35f;
                t.Put(x, y,
                      Dithered(green ? MakeRamp(0x3E8A3A) : rock, 2.8f + 1.6f * lit + 0.6f * (0.62f - d), x,
                               y));
            } else if (d < 0.8f) {
                t.Put(x, y, 0xEEF6F8 ^ ((Bayer(x, y) > 0.5f) ? 0x101008 : 0));  // surf
            } else if (d < 1.5f && EdgeFade(x, y, 4) > 0.99f) {
                if (Bayer(x, y) < (1.5f - d) * 1.6f)
                    t.Put(x, y, Dithered(shallow, 3.0f - (d - 0.8f) * 2, x, y));
            }
        }
}

void PaintMist(Tile t) {
    const Ramp mist = MakeRamp(0xD8E8F0, 0.4f, 1.0f);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            const float n = PeriodicFractal(x, y * 2, 20, TileSize, 71);
            const float dx = (x - 40) / 34.0f, dy = (y - 40) / 18.0f;
            const float body = (1 - (dx * dx + dy * dy)) * EdgeFade(x, y, 6);
            const float density = Smooth(0.0f, 0.6f, body) * Smooth(0.3f, 0.7f, n);
            // A 50% dither at most: the sea always shows through the mist.
            if (density > 0.05f && Bayer(x, y) < density * 0.55f && ((x + y) & 1) == 0)
                t.Put(x, y, Dithered(mist, 3 + 2 * density, x, y));
            else
                t.Clear(x, y);
        }
}

// ---- Stages 4 and 8: the cave ----

void PaintRock(Tile t, bool crystals) {
    const Ramp rock = MakeRamp(0x6A5060);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            const float h = PeriodicFractal(x, y, 20, TileSize, 81);
            const float hl = PeriodicFractal(x - 1, y - 1, 20, TileSize, 81);
            float level =
                2.4f + 2.2f * (h - 0.5f) + 9.0f * (h - hl);  // lit where the relief rises to the upper left
            // Long cracks follow the valleys of a slow noise.
            const float crack = std::fabs(0.7f * PeriodicNoise(x, y, 20, TileSize, 83) +
                                          0.3f * PeriodicNoise(x, y, 10, TileSize, 84) - 0.5f);
            if (crack < 0.018f)
                level = 0.3f;
            else if (crack < 0.03f)
                level -= 0.8f;
            t.Put(x, y, Dithered(rock, level, x, y));
        }
    if (!crystals) return;
    const Ramp gem = MakeRamp(0x38C8D8, 1.0f, 1.4f);
    const struct {
        float X, Y, Len, Tilt;
    } shards[] = {
        // A large cluster low on the left and a small one high on the right, so the crystals of a
        // checkerboard of tiles do not stand in rows.
        {28, 60, 24, 0.1f},  {20, 62, 15, -0.45f}, {36, 63, 16, 0.5f}, {13, 66, 9, -0.8f},
        {43, 66, 10, 0.85f}, {62, 30, 12, -0.2f},  {56, 32, 8, -0.7f}, {68, 32, 7, 0.6f},
    };
    for (const auto& s : shards) {
        const float tx = std::sin(s.Tilt), ty = -std::cos(s.Tilt);
        const Mask m = PolygonMask(TileSize, TileSize,
                                   {{s.X - 4 * ty, s.Y + 4 * tx},
                                    {s.X + tx * s.Len * 0.8f - 4 * ty, s.Y + ty * s.Len * 0.8f + 4 * tx},
                                    {s.X + tx * s.Len, s.Y + ty * s.Len},
                                    {s.X + tx * s.Len * 0.8f + 4 * ty, s.Y + ty * s.Len * 0.8f - 4 * tx},
                                    {s.X + 4 * ty, s.Y - 4 * tx}});
        for (int y = 0; y < TileSize; ++y)
            for (int x = 0; x < TileSize; ++x)
                if (m.At(x, y)) {
                    // One facet lit, one in shade, split along the crystal's axis.
                    const float side = (x - s.X) * -ty + (y - s.Y) * tx;
                    float level = side < 0 ? 4.3f : 2.2f;
                    if (!m.At(x - 1, y) || !m.At(x, y - 1)) level = 5;
                    t.Put(x, y, Dithered(gem, level, x, y));
                }
    }
}

void PaintRidge(Tile t) {
    const Ramp rock = MakeRamp(0x3E3848);  // darker and cooler than the cave wall behind it
    for (int x = 0; x < TileSize; ++x) {
        // Jagged upper and lower edges from periodic noise, so the ridge runs on without a joint.
        // Stalactites hang from its underside every 16 pixels, longer where the noise says so.
        const int tip = 8 + 6 * static_cast<int>(Hash(x / 16, 0, 107) & 1);
        const int tooth = std::max(0, tip - tip * std::abs(x % 16 - 8) / 5);
        const int top = 18 + static_cast<int>(14 * PeriodicFractal(x, 0, 20, TileSize, 101));
        const int bottom = 48 + static_cast<int>(10 * PeriodicFractal(x, 7, 20, TileSize, 103)) + tooth;
        for (int y = 0; y < TileSize; ++y) {
            if (y < top || y > bottom) {
                t.Clear(x, y);
                continue;
            }
            const float h = PeriodicFractal(x, y, 10, TileSize, 105);
            float level = 2.0f + 1.8f * (h - 0.5f) + (y - top < 2 ? 2.2f : 0) - (bottom - y < 3 ? 1.2f : 0);
            // Strata: lighter bands run along the ridge.
            if ((y - top + static_cast<int>(4 * h)) % 9 == 0) level += 0.9f;
            t.Put(x, y, Dithered(rock, level, x, y));
        }
    }
}

}  // namespace veltrano::assetgen
