// Built things: the fortress hull and its girder tower, the machine wall, the sky-fortress deck and
// the living core of the last stage.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/PictureTiles.h"

namespace veltrano::assetgen {

namespace {

float SignedRising(int x, int y, int spacing, int offset = 0) {
    const int r = (((x + y - offset) % spacing) + spacing) % spacing;
    return (r <= spacing / 2 ? r : r - spacing) / std::sqrt(2.0f);
}

float SignedFalling(int x, int y, int spacing, int offset = 0) {
    const int r = (((x - y - offset) % spacing) + spacing) % spacing;
    return (r <= spacing / 2 ? r : r - spacing) / std::sqrt(2.0f);
}

}  // namespace

// ---- Stage 2 and 7: the fortress hull ----

namespace {

float Unit(uint32_t h) {
    return static_cast<float>(h >> 8) / 16777216.0f;
}

}  // namespace

void PaintHullPlate(Tile t, bool second) {
    const Ramp steel = MakeRamp(0x3858B8);
    const uint32_t kind = second ? 2 : 1;
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            // Armour plates of many sizes with faint, irregular seams: no line keeps to a row, a
            // column or a diagonal, and each kind of hull tile bends its seams its own way inside, so
            // the two kinds side by side do not show the same plates every 80 pixels.
            const Shift bend = InnerShift(x, y, 14, 60 + 2 * kind);
            const int px = static_cast<int>(std::lround(x + bend.X)),
                      py = static_cast<int>(std::lround(y + bend.Y));
            const CellSample plate = PeriodicCells(px, py, 9, 52);
            // Each plate stands proud of its grooves: the edges facing the light from the upper left
            // catch it, those facing away fall into shadow.
            const float relief =
                std::min(plate.Border, 3.0f) - std::min(PeriodicCells(px - 1, py - 1, 9, 52).Border, 3.0f);
            const float hump =
                std::sin(3.14159265f * (x + 0.5f) / TileSize) * std::sin(3.14159265f * (y + 0.5f) / TileSize);
            float level = 2.4f + 0.5f * TileFractal(x, y, 10, 52) +
                          0.8f * (Unit(Hash(static_cast<uint32_t>(plate.Nearest), 0, 53)) - 0.5f) +
                          0.6f * hump * (TileNoise(x, y, 20, 70 + kind) - 0.5f);
            if (plate.Border < 1.0f)
                level -= 0.7f;  // the groove between two plates
            else
                level += 0.8f * relief;
            // Rivets here and there along the seams.
            if (plate.Border > 2.6f && plate.Border < 3.4f &&
                Hash(static_cast<uint32_t>(x), static_cast<uint32_t>(y), 54) % 9 == 0)
                level += 0.7f;
            const uint32_t c = Grained(steel, level, x, y, 2.2f);
            t.Put(x, y, c);
        }
}

void PaintGirderTower(Tile t) {
    const Ramp iron = MakeRamp(0x6A5CA0);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) t.Clear(x, y);
    auto beam = [&](float x0, float y0, float x1, float y1, float width) {
        const Mask m = LineMask(TileSize, TileSize + 40, x0, y0, x1, y1, width);
        for (int y = 0; y < TileSize + 40; ++y)
            for (int x = 0; x < TileSize; ++x)
                if (m.At(x, y)) {
                    const int ty = y % TileSize;
                    const bool edge = !m.At(x - 1, y) || !m.At(x, y - 1);
                    t.Put(x, ty, Grained(iron, edge ? 3.6f : 2.4f + 0.6f * Bayer(x, y), x, ty));
                }
    };
    // Two X-braces per tile, each spanning 40 pixels, so the tower repeats every 40 pixels downwards.
    for (int k = 0; k < 3; ++k) {
        const float y0 = k * 40.0f;
        beam(22, y0, 58, y0 + 40, 4);
        beam(58, y0, 22, y0 + 40, 4);
    }
    // The two legs, round tubes that shade softly from their lit side to their dark side instead of
    // showing a hard rim, so the tower does not cut a line down the whole screen.
    for (int y = 0; y < TileSize; ++y)
        for (int leg = 0; leg < 2; ++leg) {
            const int x0 = leg == 0 ? 14 : 56;
            for (int x = x0; x < x0 + 10; ++x) {
                const float across = (x - x0 + 0.5f) / 10.0f;
                float level = 2.2f + 1.2f * std::sin(across * 3.14159265f) - 0.8f * across;
                if (y % 20 == 10 && (x == x0 + 3 || x == x0 + 6)) level += 1.0f;
                t.Put(x, y, Grained(iron, level, x, y));
            }
        }
}

// ---- Stage 5, and the shafts of stages 4 and 8: the machine wall ----

void PaintMachineWall(Tile t) {
    const Ramp plate = MakeRamp(0x2A7A66);
    const Ramp pipe = MakeRamp(0xC88E30);
    const Ramp conduit = MakeRamp(0xB04030);
    constexpr float Pi = 3.14159265f;
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            // A dark wall of broad panels with faint, irregular joints, and patches of fine grille.
            const CellSample panel = PeriodicCells(x, y, 5, 91);
            float level = 1.7f + 0.6f * TileFractal(x, y, 20, 91) +
                          0.4f * (static_cast<float>(Hash(static_cast<uint32_t>(panel.Nearest), 0, 92) >> 8) /
                                      16777216.0f -
                                  0.5f);
            if (panel.Border < 1.0f) level -= 0.5f;
            if (TileNoise(x, y, 20, 93) > 0.6f && ((x - y + 160) % 4) == 0) level -= 0.4f;
            // One run of pipes climbs the wall every 80 pixels, swaying gently as it goes: a brass
            // main with a thinner green conduit beside it, each round and lit from the upper left.
            // They run one way only, so the wall shows no lattice, and softly, behind the bullets.
            const float sway = 3.0f * std::sin(2 * Pi * (x - y) / TileSize);
            float across = std::fmod(x + y + sway + 2.0f * TileSize - 30.0f, static_cast<float>(TileSize));
            if (across >= TileSize / 2) across -= TileSize;
            across /= std::sqrt(2.0f);
            if (std::fabs(across) < 3.2f) {
                // Clamps round the main every 40 pixels along it.
                const bool clamp = ((x - y + 160) % 40) < 2;
                level = 2.1f - 0.25f * across - (clamp ? 0.5f : 0);
                t.Put(x, y, Grained(pipe, level, x, y, 2.2f));
                continue;
            }
            if (across > 6.5f && across < 9.5f) {
                t.Put(x, y, Grained(conduit, 2.0f - 0.25f * (across - 8), x, y, 2.2f));
                continue;
            }
            if ((across >= 3.2f && across < 5.0f) || (across >= 9.5f && across < 10.5f))
                level -= 0.5f;  // the shadow below a pipe
            t.Put(x, y, Grained(plate, level, x, y, 2.2f));
        }
}

// ---- Stage 6: the sky fortress over the farmland ----

void PaintFortressDeck(Tile t, bool walkways) {
    const Ramp iron = MakeRamp(0x6E6470);
    const Ramp accent = MakeRamp(0xD03C28);
    const uint32_t kind = walkways ? 2 : 1;
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            // Long girders climb on the rising diagonal every 40 pixels; cross braces on the falling
            // diagonal stand only here and there between them, and each kind of deck tile chooses
            // its own inside, so the truss reads as one structure rather than a lattice of tiles.
            const float hump =
                std::sin(3.14159265f * (x + 0.5f) / TileSize) * std::sin(3.14159265f * (y + 0.5f) / TileSize);
            const float up = SignedRising(x, y, 40, 20), down = SignedFalling(x, y, 40, 20);
            const float braced =
                TileNoise(x, y, 40, 143) + 0.5f * hump * (TileNoise(x, y, 20, 150 + kind) - 0.5f);
            const bool onUp = std::fabs(up) < 2.6f, onDown = std::fabs(down) < 1.5f && braced > 0.5f;
            // Walkway plates fill some bays of the second deck tile, away from its edges.
            const bool bay = walkways && TileNoise(x, y, 40, 141) * hump > 0.45f && std::fabs(up) < 12;
            if (!onUp && !onDown && !bay) {
                t.Clear(x, y);
                continue;
            }
            // Iron a little darker than the land below, so the deck shows as a quiet silhouette.
            float level = onUp ? 1.8f - 0.3f * up
                               : (onDown ? 1.6f - 0.3f * down : 1.4f + 0.5f * TileFractal(x, y, 10, 145));
            uint32_t c = Grained(iron, level, x, y);
            // A few red marker bands where a brace meets a girder.
            if (onUp && std::fabs(down) < 3.0f && braced > 0.5f) c = Grained(accent, 2.6f, x, y);
            t.Put(x, y, c);
        }
}

// ---- Stage 10: the core of the enemy ----

void PaintCore(Tile t, bool eye) {
    const Ramp flesh = MakeRamp(0x8C1838);
    const Ramp vein = MakeRamp(0xE84820, 1.0f, 1.0f);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            // Living tissue of irregular cells with dark membranes between them, each cell swelling
            // towards its middle; veins run along the ridges of a slow noise.
            const CellSample cell = PeriodicCells(x, y, 14, 131);
            const float n = TileFractal(x, y, 20, 131);
            float level = 1.2f + 1.0f * n + 0.15f * std::min(cell.Border, 8.0f);
            if (cell.Border < 1.2f) level = 0.4f;
            uint32_t c = Grained(flesh, level, x, y);
            const float flow = 0.75f * TileNoise(x, y, 20, 133) + 0.25f * TileNoise(x, y, 10, 134);
            const float ridge = 1 - 2 * std::fabs(flow - 0.5f);
            if (cell.Border >= 1.2f && ridge > 0.95f) c = Grained(vein, 1.6f + 40 * (ridge - 0.95f), x, y);
            t.Put(x, y, c);
        }
    if (!eye) return;
    // The eye opens in few tiles of the wall; its lids fade into the tissue.
    const Ramp iris = MakeRamp(0xC89030, 1.0f, 1.0f);
    const Ramp white = MakeRamp(0xB8A098);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            const float dx = (x + 0.5f - 40) / 28.0f, dy = (y + 0.5f - 40) / 18.0f;
            const float d = std::sqrt(dx * dx + dy * dy);
            if (d > 1.0f || (d > 0.9f && Bayer(x, y) < (d - 0.9f) * 10)) continue;
            uint32_t c;
            if (d > 0.88f)
                c = 0x200810;  // lid rim
            else {
                const float r = std::hypot((x + 0.5f - 40) / 11.0f, (y + 0.5f - 40) / 11.0f);
                if (r < 0.45f)
                    c = 0x100408;  // pupil
                else if (r < 1.0f)
                    c = Grained(iris, 3.8f - 2.6f * r, x, y);
                else
                    c = Grained(white, 3.0f - 2 * (d - 0.6f) - 1.2f * dy, x, y);
            }
            t.Put(x, y, c);
        }
    t.Put(36, 36, 0xF0E8E0);
    t.Put(37, 36, 0xF0E8E0);
}

}  // namespace veltrano::assetgen
