// The backdrop tiles. Tiles that scenes lay next to each other share one base texture that repeats
// every 80 pixels, and keep their own features away from the edges, so any arrangement joins
// without a seam. Overlays fade out with a dither instead of blending, as the key allows no alpha.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/PictureKit.h"
#include "tools/assetgen/PictureSheets.h"

namespace veltrano::assetgen {

namespace {

constexpr int T = 80;

struct Tile {
    Surface& Sheet;
    int Ox, Oy;
    void Put(int x, int y, uint32_t c) {
        if (x >= 0 && y >= 0 && x < T && y < T) PutSheet(Sheet, Ox + x, Oy + y, c);
    }
    void Clear(int x, int y) {
        if (x >= 0 && y >= 0 && x < T && y < T) Sheet.Row(Oy + y)[Ox + x] = KeyColour;
    }
    uint32_t At(int x, int y) const { return Sheet.Row(Oy + y)[Ox + x]; }
};

float Smooth(float e0, float e1, float v) {
    const float t = std::clamp((v - e0) / (e1 - e0), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

// Distance from the tile's edge, for features that must fade out before they reach it.
float EdgeFade(int x, int y, float margin) {
    const float d = static_cast<float>(std::min(std::min(x, T - 1 - x), std::min(y, T - 1 - y)));
    return Smooth(0, margin, d);
}

// Distance in radii from (40, 40) of an oval with a ragged shore, for lakes and islands.
float BlobDistance(int x, int y, float rx, float ry, float wobble, uint32_t seed, int cell) {
    const float dx = (x - 40) / rx, dy = (y - 40) / ry;
    return std::sqrt(dx * dx + dy * dy) + wobble * (PeriodicNoise(x, y, cell, T, seed) - 0.5f);
}

// ---- Stage 1 and 6: farmland far below ----

// Muted field colours: the ground lies far below, so it must not outshine the sprites.
const Ramp FieldRamps[] = {MakeRamp(0x58883E), MakeRamp(0x7A9448), MakeRamp(0x4A7A48),
                           MakeRamp(0x9A9058), MakeRamp(0x64905A), MakeRamp(0x887E50)};

// Aerial haze over the farmland: a little of the sky's blue-grey over every colour.
uint32_t Haze(uint32_t c) {
    return Pack(Mix(Unpack(c), Colour{112, 138, 160}, 0.18f));
}

void PaintFarmland(Tile t, bool lake) {
    const Ramp tree = MakeRamp(0x2E6A34);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            // Field borders wander a little but stay on the 80-pixel period.
            const float wx = x + 13 + 7 * (PeriodicNoise(x, y, 20, T, 11) - 0.5f);
            const float wy = y + 13 + 7 * (PeriodicNoise(x, y, 20, T, 12) - 0.5f);
            const int fx = (static_cast<int>(std::floor(wx * 3 / T)) % 3 + 3) % 3;
            const int fy = (static_cast<int>(std::floor(wy * 3 / T)) % 3 + 3) % 3;
            const uint32_t field = Hash(fx, fy, 5);
            const Ramp& r = FieldRamps[field % 6];
            // Furrows run along or across each field.
            const float along = (field >> 8) & 1 ? wx : wy;
            float level =
                2.6f + 0.8f * PeriodicFractal(x, y, 10, T, 3) + (std::fmod(along + 80, 4.0f) < 1 ? -0.6f : 0);
            uint32_t c = Dithered(r, level, x, y);
            // Hedgerows follow the borders.
            const float bx = std::fmod(wx * 3 + 3 * T, static_cast<float>(T)),
                        by = std::fmod(wy * 3 + 3 * T, static_cast<float>(T));
            if (bx < 5 || by < 5) c = Dithered(tree, 1.6f + PeriodicNoise(x, y, 4, T, 9), x, y);
            // Copses of trees: dark crowns with a lit upper-left pixel.
            const float wood = PeriodicFractal(x, y, 20, T, 21);
            if (wood > 0.64f) c = Dithered(tree, wood > 0.7f ? 2.6f - 2.5f * (wood - 0.7f) * 5 : 3.4f, x, y);
            t.Put(x, y, Haze(c));
        }
    if (!lake) {
        // A farmstead: a red roof and a white wall in the middle field.
        for (int y = 34; y < 45; ++y)
            for (int x = 33; x < 47; ++x) {
                uint32_t c = y < 40 ? (y - 34 < (x < 40 ? 40 - x : x - 39) ? 0
                                       : x < 40                            ? 0xB04A3A
                                                                           : 0x7E3430)
                                    : 0xD8D0C0;
                if (y >= 40 && (x == 36 || x == 43) && y < 43) c = 0x404860;
                if (c) t.Put(x, y, Haze(c));
            }
        for (int x = 34; x < 47; ++x) t.Put(x, 45, Haze(0x3A4030));
        return;
    }
    const Ramp water = MakeRamp(0x3A78C8);
    const Ramp sand = MakeRamp(0xC8B478);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            const float dy = (y - 40) / 20.0f;
            const float d = BlobDistance(x, y, 26, 20, 0.35f, 31, 10);
            if (d < 0.86f) {
                float level = 2.0f + 1.4f * (1 - d) - 0.8f * dy;
                if ((y % 6 == 2) && PeriodicNoise(x, 0, 8, T, 33) > 0.6f && d < 0.6f) level = 4.6f;  // glints
                t.Put(x, y, Haze(Dithered(water, level, x, y)));
            } else if (d < 1.0f) {
                t.Put(x, y, Haze(Dithered(sand, 3.4f - (d - 0.86f) * 8, x, y)));
            }
        }
}

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

void PaintCloud(Tile t) {
    const Ramp r = MakeRamp(0xC8D4EC, 0.5f, 1.3f);
    const Puff puffs[] = {{26, 46, 14}, {40, 36, 18}, {55, 44, 14}, {33, 52, 12},
                          {50, 54, 11}, {62, 52, 9},  {18, 54, 8}};
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
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
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            uint32_t c = 0x1C1440;
            // A faint quilted diamond keeps the panels from reading as flat paint.
            const int d1 = (x + y) % 20, d2 = (x - y + 80) % 20;
            if (d1 == 0 || d2 == 0) c = 0x241A52;
            if (x == 0 || y == 0) c = 0x2C2260;
            if (x == T - 1 || y == T - 1) c = 0x120C2E;
            t.Put(x, y, c);
        }
}

void PaintTitleSky(Tile t) {
    // A wallpaper of small fair-weather clouds, pale enough that the score list's black text reads
    // on it anywhere.
    const Colour sky = {164, 202, 240}, shade = {204, 222, 246}, cloud = {250, 252, 255};
    const Puff puffs[] = {{30, 50, 9}, {40, 45, 11}, {51, 50, 8}, {22, 54, 6}, {58, 54, 5}};
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
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

// ---- Stage 2 and 7: the fortress hull ----

void PaintHullPlate(Tile t, bool vents) {
    const Ramp steel = MakeRamp(vents ? 0x566276 : 0x646E82);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            float level = 2.9f + 0.5f * PeriodicFractal(x, y, 20, T, vents ? 51 : 52) - 0.01f * y;
            if (x < 2 || y < 2) level = 4.6f;
            if (x >= T - 2 || y >= T - 2) level = 0.8f;
            // Panel seams splitting the plate into four.
            if (!vents && (x == 40 || y == 40)) level = 1.0f;
            if (!vents && (x == 41 || y == 41)) level = 4.2f;
            t.Put(x, y, Dithered(steel, level, x, y));
        }
    // Rivets at the corners of each panel.
    const int rivets[] = {6, 34, 46, 73};
    for (int ry : rivets)
        for (int rx : rivets) {
            if (vents && rx > 10 && rx < 70 && ry > 10 && ry < 70) continue;
            t.Put(rx, ry, steel.Shade[5]);
            t.Put(rx + 1, ry, steel.Shade[3]);
            t.Put(rx, ry + 1, steel.Shade[2]);
            t.Put(rx + 1, ry + 1, steel.Shade[0]);
        }
    if (!vents) {
        // A hazard stripe along the lower panels.
        for (int y = 60; y < 66; ++y)
            for (int x = 8; x < 32; ++x) t.Put(x, y, ((x + y) / 3) % 2 ? 0xB89030 : 0x2A2230);
        return;
    }
    // A grille of deep slots glowing faintly from inside.
    for (int s = 0; s < 7; ++s) {
        const int y0 = 16 + s * 7;
        for (int x = 14; x < 66; ++x) {
            t.Put(x, y0, steel.Shade[0]);
            t.Put(x, y0 + 1, (x / 2 + s) % 5 == 0 ? 0x2E5868 : 0x201828);
            t.Put(x, y0 + 2, 0x301C30);
            t.Put(x, y0 + 3, steel.Shade[4]);
        }
    }
}

void PaintGirderTower(Tile t) {
    const Ramp iron = MakeRamp(0x5A5070);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) t.Clear(x, y);
    auto beam = [&](float x0, float y0, float x1, float y1, float width) {
        const Mask m = LineMask(T, T + 40, x0, y0, x1, y1, width);
        for (int y = 0; y < T + 40; ++y)
            for (int x = 0; x < T; ++x)
                if (m.At(x, y)) {
                    const int ty = y % T;
                    const bool edge = !m.At(x - 1, y) || !m.At(x, y - 1);
                    t.Put(x, ty, Dithered(iron, edge ? 4.6f : 2.6f + 0.6f * Bayer(x, y), x, ty));
                }
    };
    // Two X-braces per tile, each spanning 40 pixels, so the tower repeats every 40 pixels downwards.
    for (int k = 0; k < 3; ++k) {
        const float y0 = k * 40.0f;
        beam(22, y0, 58, y0 + 40, 4);
        beam(58, y0, 22, y0 + 40, 4);
        beam(20, y0 + 1, 60, y0 + 1, 3);
    }
    // The two legs, with lit and shaded faces and bolt heads.
    for (int y = 0; y < T; ++y)
        for (int leg = 0; leg < 2; ++leg) {
            const int x0 = leg == 0 ? 12 : 58;
            for (int x = x0; x < x0 + 10; ++x) {
                float level = x == x0 ? 4.8f : x == x0 + 9 ? 0.6f : 3.4f - 0.25f * (x - x0);
                if (y % 20 == 10 && (x == x0 + 3 || x == x0 + 6)) level = 5;
                t.Put(x, y, Dithered(iron, level, x, y));
            }
        }
}

// ---- Stage 3: the sea ----

void PaintSea(Tile t, bool reef) {
    const Ramp sea = MakeRamp(0x2A6AB0);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            const float n = PeriodicFractal(x, y, 20, T, 61);
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
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            const float dx = (x - 40) / 24.0f, dy = (y - 40) / 18.0f;
            const float d = BlobDistance(x, y, 24, 18, 0.45f, 63, 8);
            if (d < 0.62f) {
                const float lit = -0.6f * dx - 0.8f * dy;
                const bool green = d < 0.42f && PeriodicNoise(x, y, 4, T, 65) > 0.35f;
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
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            const float n = PeriodicFractal(x, y * 2, 20, T, 71);
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

// ---- Stages 4 and 8: the cave, and the machine wall of stage 5 ----

void PaintRock(Tile t, bool crystals) {
    const Ramp rock = MakeRamp(0x6A5060);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            const float h = PeriodicFractal(x, y, 20, T, 81);
            const float hl = PeriodicFractal(x - 1, y - 1, 20, T, 81);
            float level =
                2.4f + 2.2f * (h - 0.5f) + 9.0f * (h - hl);  // lit where the relief rises to the upper left
            // Long cracks follow the valleys of a slow noise.
            const float crack = std::fabs(0.7f * PeriodicNoise(x, y, 20, T, 83) +
                                          0.3f * PeriodicNoise(x, y, 10, T, 84) - 0.5f);
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
    } shards[] = {{40, 52, 26, 0.1f},
                  {31, 54, 17, -0.45f},
                  {49, 55, 18, 0.5f},
                  {24, 58, 10, -0.8f},
                  {56, 58, 11, 0.85f}};
    for (const auto& s : shards) {
        const float tx = std::sin(s.Tilt), ty = -std::cos(s.Tilt);
        const Mask m = PolygonMask(T, T,
                                   {{s.X - 4 * ty, s.Y + 4 * tx},
                                    {s.X + tx * s.Len * 0.8f - 4 * ty, s.Y + ty * s.Len * 0.8f + 4 * tx},
                                    {s.X + tx * s.Len, s.Y + ty * s.Len},
                                    {s.X + tx * s.Len * 0.8f + 4 * ty, s.Y + ty * s.Len * 0.8f - 4 * tx},
                                    {s.X + 4 * ty, s.Y - 4 * tx}});
        for (int y = 0; y < T; ++y)
            for (int x = 0; x < T; ++x)
                if (m.At(x, y)) {
                    // One facet lit, one in shade, split along the crystal's axis.
                    const float side = (x - s.X) * -ty + (y - s.Y) * tx;
                    float level = side < 0 ? 4.3f : 2.2f;
                    if (!m.At(x - 1, y) || !m.At(x, y - 1)) level = 5;
                    t.Put(x, y, Dithered(gem, level, x, y));
                }
    }
}

void PaintMachineWall(Tile t) {
    const Ramp plate = MakeRamp(0x4A5468);
    const Ramp pipe = MakeRamp(0x9A7A48);
    const Ramp conduit = MakeRamp(0x4A8070);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            // Recessed panels on a 40-pixel grid.
            const int px = x % 40, py = y % 40;
            float level = 2.2f + 0.4f * PeriodicNoise(x, y, 10, T, 91);
            if (px == 2 || py == 2) level = 0.6f;
            if (px == 3 || py == 3) level = 3.8f;
            if (px == 1 || py == 1) level = 1.2f;
            uint32_t c = Dithered(plate, level, x, y);
            // Two pipes across the whole tile, so rows of tiles share one continuous run.
            for (const int py0 : {12, 22}) {
                const int d = y - py0;
                if (d >= -3 && d <= 3) {
                    const float l = 3.0f - 0.75f * d + (d == -2 ? 1.2f : 0);
                    c = Dithered(pipe, (x % 40 == 30 || x % 40 == 31) ? 1.0f : l, x, y);
                }
            }
            // A vertical conduit down the whole tile.
            if (x >= 58 && x < 68)
                c = Dithered(conduit, x == 58 ? 4.8f : x == 67 ? 0.5f : 3.4f - 0.3f * (x - 59), x, y);
            if (x >= 58 && x < 68 && y % 20 == 5) c = conduit.Shade[0];
            t.Put(x, y, c);
        }
    // A status panel with lamps.
    for (int y = 44; y < 68; ++y)
        for (int x = 10; x < 44; ++x) {
            uint32_t c = (x == 10 || y == 44)   ? plate.Shade[0]
                         : (x == 43 || y == 67) ? plate.Shade[4]
                                                : 0x1A1C28;
            if (y >= 48 && y < 52 && x >= 14 && x < 40 && (x - 14) % 6 < 4)
                c = (x - 14) / 6 == 2 ? 0xF04838 : (x - 14) / 6 == 0 ? 0x58F070 : 0xF0C040;
            if (y >= 56 && y < 64 && x >= 14 && x < 40) c = ((x + y) % 3 == 0) ? 0x38A858 : 0x183820;
            t.Put(x, y, c);
        }
}

void PaintRidge(Tile t) {
    const Ramp rock = MakeRamp(0x584050);
    for (int x = 0; x < T; ++x) {
        // Jagged upper and lower edges from periodic noise, so the ridge runs on without a joint.
        const int top = 18 + static_cast<int>(16 * PeriodicFractal(x, 0, 20, T, 101));
        const int bottom = 54 + static_cast<int>(14 * PeriodicFractal(x, 7, 20, T, 103));
        for (int y = 0; y < T; ++y) {
            if (y < top || y > bottom) {
                t.Clear(x, y);
                continue;
            }
            const float h = PeriodicFractal(x, y, 10, T, 105);
            float level = 2.0f + 1.8f * (h - 0.5f) + (y - top < 2 ? 2.2f : 0) - (bottom - y < 2 ? 1.2f : 0);
            t.Put(x, y, Dithered(rock, level, x, y));
        }
    }
}

// ---- Stage 6: the sky fortress over the farmland ----

void PaintFortressDeck(Tile t, bool rails) {
    const Ramp iron = MakeRamp(0x7A5A50);
    const Ramp accent = MakeRamp(0xC84830);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) t.Clear(x, y);
    auto paint = [&](const Mask& m, const Ramp& r, float level) {
        for (int y = 0; y < T; ++y)
            for (int x = 0; x < T; ++x)
                if (m.At(x, y)) {
                    float l = level;
                    if (!m.At(x, y - 1)) l += 1.6f;
                    if (!m.At(x, y + 1)) l -= 1.6f;
                    t.Put(x, y, Dithered(r, l, x, y));
                }
    };
    // Both deck tiles carry their beams at the same heights, so any pair joins side by side.
    Mask beams = RectMask(T, T, 0, 6, T, 10);
    beams.Add(RectMask(T, T, 0, 60, T, 10));
    Mask web(T, T);
    if (!rails) {
        for (int k = 0; k < 2; ++k) {
            web.Add(LineMask(T, T, k * 40.0f, 16, k * 40.0f + 20, 60, 4));
            web.Add(LineMask(T, T, k * 40.0f + 20, 60, k * 40.0f + 40, 16, 4));
        }
    } else {
        web.Add(RectMask(T, T, 0, 34, T, 6));
        for (int k = 0; k < 4; ++k) web.Add(RectMask(T, T, 8 + k * 20, 16, 4, 44));
    }
    paint(web, iron, 2.2f);
    paint(beams, iron, 3.0f);
    // Red marker bands on the beams.
    for (int x = 0; x < T; ++x)
        if ((x / 4) % 5 == 0)
            for (const int y : {8, 9, 62, 63}) t.Put(x, y, Dithered(accent, 3.5f, x, y));
    if (rails)
        for (int x = 0; x < T; ++x) t.Put(x, 36, (x / 2) % 2 ? 0xF8E070 : 0x604830);  // a lit guide rail
}

// ---- Stage 9 and the last battles: space ----

void PaintNebula(Tile t, bool farStars) {
    const Colour deep = {6, 6, 22}, violet = {58, 24, 86}, blue = {24, 44, 104}, rose = {120, 44, 96};
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            const float a = PeriodicFractal(x, y, 40, T, 111), b = PeriodicFractal(x, y, 20, T, 113);
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
        const int x = 1 + s.Below(T - 2), y = 1 + s.Below(T - 2);
        const int b = s.Below(3);
        t.Put(x, y, b == 0 ? 0x8890B0 : b == 1 ? 0xB0B8D8 : 0xE8E8FF);
    }
    if (!farStars) return;
    // A far spiral galaxy, safely inside the tile.
    for (int y = 30; y < 50; ++y)
        for (int x = 26; x < 54; ++x) {
            const float dx = (x - 40) / 12.0f, dy = (y - 40) / 5.0f;
            const float d = std::sqrt(dx * dx + dy * dy);
            if (d < 1 && Bayer(x, y) < (1 - d) * 1.3f)
                t.Put(x, y, d < 0.25f ? 0xF8F0D8 : d < 0.55f ? 0xB8A8D8 : 0x605888);
        }
}

void PaintStarField(Tile t, uint32_t seed, int count) {
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) t.Clear(x, y);
    Scatter s(seed);
    for (int i = 0; i < count; ++i) {
        const int x = 3 + s.Below(T - 6), y = 3 + s.Below(T - 6);
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

// ---- Stage 10: the core of the enemy ----

void PaintCore(Tile t, bool eye) {
    const Ramp flesh = MakeRamp(0x5E2034);
    const Ramp vein = MakeRamp(0xB83828, 1.0f, 1.0f);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            const float n = PeriodicFractal(x, y, 20, T, 131);
            // Ribs of armour every 20 pixels, with living tissue between them.
            const int rib = (x + 10) % 20;
            float level = 1.2f + 1.4f * n;
            if (rib < 4) level = rib == 0 ? 0.4f : rib == 1 ? 3.8f : 2.6f - 0.4f * rib;
            uint32_t c = Dithered(flesh, level, x, y);
            // Veins along the ridges of a slow noise, brightest on their crests.
            const float flow =
                0.75f * PeriodicNoise(x, y, 20, T, 133) + 0.25f * PeriodicNoise(x, y, 10, T, 134);
            const float ridge = 1 - 2 * std::fabs(flow - 0.5f);
            if (rib >= 4 && ridge > 0.94f) c = Dithered(vein, 1.8f + 40 * (ridge - 0.94f), x, y);
            t.Put(x, y, c);
        }
    if (!eye) return;
    const Ramp iris = MakeRamp(0xE8B030, 1.0f, 1.2f);
    for (int y = 0; y < T; ++y)
        for (int x = 0; x < T; ++x) {
            const float dx = (x + 0.5f - 40) / 30.0f, dy = (y + 0.5f - 40) / 20.0f;
            const float d = std::sqrt(dx * dx + dy * dy);
            if (d > 1.08f) continue;
            uint32_t c;
            if (d > 0.95f)
                c = 0x200810;  // lid rim
            else if (d > 0.6f)
                c = Dithered(MakeRamp(0xE8D0C8), 4.2f - 3 * (d - 0.6f) - 1.5f * dy, x, y);  // white
            else {
                const float r = std::hypot((x + 0.5f - 40) / 12.0f, (y + 0.5f - 40) / 12.0f);
                if (r < 0.45f)
                    c = 0x100408;  // pupil
                else if (r < 1.0f)
                    c = Dithered(iris, 4.6f - 3.4f * r, x, y);
                else
                    c = Dithered(MakeRamp(0xE8D0C8), 3.4f - 1.5f * dy, x, y);
            }
            t.Put(x, y, c);
        }
    t.Put(35, 35, 0xFFFFFF);
    t.Put(36, 35, 0xFFFFFF);
    t.Put(35, 36, 0xFFFFFF);
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
}

}  // namespace veltrano::assetgen
