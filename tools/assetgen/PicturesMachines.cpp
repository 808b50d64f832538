// Built things: the fortress hull and its girder tower, the machine wall, the sky-fortress deck and
// the living core of the last stage.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/PictureTiles.h"

namespace veltrano::assetgen {

namespace {

// A seam on the diagonal lattice of armour plates: a dark groove and a lit lip on the side that
// faces the light from the upper left. `d` is the signed distance across the seam.
float SeamLevel(float level, float d) {
    if (std::fabs(d) < 0.75f) return 0.7f;
    if (d >= 0.75f && d < 1.5f) return level + 1.3f;
    return level;
}

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

void PaintHullPlate(Tile t, bool worn) {
    const Ramp steel = MakeRamp(0x5E687C);
    const Ramp rust = MakeRamp(0x6E5A50);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            // Armour plates laid on the diagonals: a lattice of diamonds that straddle the tiles'
            // edges, each diamond split once more along its rising diagonal.
            const float rising = SignedRising(x, y, 80), falling = SignedFalling(x, y, 80);
            const float split = SignedRising(x, y, 80, 40);
            // The diamonds across the tiles' upper and lower edges are a shade lighter than those
            // across their left and right edges.
            const bool across = std::abs(y - 40) > std::abs(x - 40);
            float level = 2.3f + (across ? 0.5f : 0) + 0.9f * TileFractal(x, y, 20, 52);
            if (std::fabs(split) < 0.75f) level -= 0.9f;
            level = SeamLevel(level, rising);
            level = SeamLevel(level, falling);
            uint32_t c = Grained(steel, level, x, y);
            // Rivets along the seams, seven pixels apart, so they fall on every column alike.
            const bool onSeam =
                std::fabs(std::fabs(rising) - 2.8f) < 0.4f || std::fabs(std::fabs(falling) - 2.8f) < 0.4f;
            if (onSeam && ((x * 3 + y) % 7 == 0)) c = steel.Shade[5];
            // The worn plates have streaks of rust and soot inside, none near the tile's edge.
            if (worn) {
                const float grime = TileFractal(x, y * 3, 20, 55) * EdgeFade(x, y, 14);
                if (grime > 0.5f) c = Grained(rust, level - 0.4f + 2 * (grime - 0.5f), x, y);
            }
            t.Put(x, y, c);
        }
}

void PaintGirderTower(Tile t) {
    const Ramp iron = MakeRamp(0x5A6070);
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
    const Ramp plate = MakeRamp(0x4A5468);
    const Ramp pipe = MakeRamp(0x8A7248);
    const Ramp conduit = MakeRamp(0x4A7868);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            // A dark plate with grilles of slats on the falling diagonal.
            float level = 1.6f + 0.6f * TileFractal(x, y, 10, 91);
            const float grille = TileNoise(x, y, 20, 93);
            if (grille > 0.55f && ((x - y + 160) % 4) == 0) level -= 0.9f;
            uint32_t c = Grained(plate, level, x, y);
            // Pipes woven on both diagonals, twenty pixels apart: brass ones rising, green conduits
            // falling, each round with its lit side to the upper left. Where they cross, the rising
            // pipe runs over on even crossings and under on odd ones.
            const float up = SignedRising(x, y, 40, 10), down = SignedFalling(x, y, 40, 30);
            const bool onUp = std::fabs(up) < 3.2f, onDown = std::fabs(down) < 2.6f;
            const int crossing = (((x + y + 150) / 40) + ((x - y + 170) / 40)) & 1;
            if (onUp && (!onDown || crossing == 0)) {
                c = Grained(pipe, 2.8f - 0.6f * up + (std::fabs(up + 1.5f) < 0.6f ? 1.0f : 0), x, y);
            } else if (onDown) {
                c = Grained(conduit, 2.6f - 0.6f * down + (std::fabs(down + 1.2f) < 0.6f ? 1.0f : 0), x, y);
            } else if (std::fabs(up) < 4.2f || std::fabs(down) < 3.6f) {
                c = plate.Shade[0];  // the shadow beside a pipe
            }
            // Clamps around the pipes, every 13 pixels along them.
            if (onUp && ((x * 2 + 40 - y) % 13 + 13) % 13 == 0) c = pipe.Shade[1];
            t.Put(x, y, c);
        }
}

// ---- Stage 6: the sky fortress over the farmland ----

void PaintFortressDeck(Tile t, bool walkways) {
    const Ramp iron = MakeRamp(0x68707E);
    const Ramp accent = MakeRamp(0xA84838);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            // An open truss of girders on both diagonals, the farmland showing through its bays.
            const float up = SignedRising(x, y, 40, 20), down = SignedFalling(x, y, 40, 20);
            const bool onUp = std::fabs(up) < 2.2f, onDown = std::fabs(down) < 2.2f;
            // Walkway plates fill some bays of the second deck tile, away from its edges.
            const bool bay = walkways && TileNoise(x, y, 40, 141) > 0.55f && EdgeFade(x, y, 8) > 0.99f &&
                             std::fabs(up) < 9 && std::fabs(down) < 9;
            if (!onUp && !onDown && !bay) {
                t.Clear(x, y);
                continue;
            }
            float level =
                onUp || onDown ? 2.6f - 0.5f * (onUp ? up : down) : 1.8f + ((x + y) % 3 == 0 ? 0.6f : 0);
            uint32_t c = Grained(iron, level, x, y);
            // Red marker bands on the girders.
            if ((onUp && ((x - y + 160) / 3) % 7 == 0) || (onDown && ((x + y) / 3) % 7 == 0))
                c = Grained(accent, 3.0f, x, y);
            t.Put(x, y, c);
        }
}

// ---- Stage 10: the core of the enemy ----

void PaintCore(Tile t, bool eye) {
    const Ramp flesh = MakeRamp(0x5E2034);
    const Ramp vein = MakeRamp(0xB83828, 1.0f, 1.0f);
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
