// Built things: the fortress hull and its girder tower, the machine wall, the sky-fortress deck and
// the living core of the last stage.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/PictureTiles.h"

namespace veltrano::assetgen {

// ---- Stage 2 and 7: the fortress hull ----

void PaintHullPlate(Tile t, bool vents) {
    const Ramp steel = MakeRamp(vents ? 0x566276 : 0x646E82);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            float level = 2.9f + 0.5f * PeriodicFractal(x, y, 20, TileSize, vents ? 51 : 52) - 0.01f * y;
            if (x < 2 || y < 2) level = 4.6f;
            if (x >= TileSize - 2 || y >= TileSize - 2) level = 0.8f;
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
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) t.Clear(x, y);
    auto beam = [&](float x0, float y0, float x1, float y1, float width) {
        const Mask m = LineMask(TileSize, TileSize + 40, x0, y0, x1, y1, width);
        for (int y = 0; y < TileSize + 40; ++y)
            for (int x = 0; x < TileSize; ++x)
                if (m.At(x, y)) {
                    const int ty = y % TileSize;
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
    for (int y = 0; y < TileSize; ++y)
        for (int leg = 0; leg < 2; ++leg) {
            const int x0 = leg == 0 ? 12 : 58;
            for (int x = x0; x < x0 + 10; ++x) {
                float level = x == x0 ? 4.8f : x == x0 + 9 ? 0.6f : 3.4f - 0.25f * (x - x0);
                if (y % 20 == 10 && (x == x0 + 3 || x == x0 + 6)) level = 5;
                t.Put(x, y, Dithered(iron, level, x, y));
            }
        }
}

void PaintMachineWall(Tile t) {
    const Ramp plate = MakeRamp(0x4A5468);
    const Ramp pipe = MakeRamp(0x9A7A48);
    const Ramp conduit = MakeRamp(0x4A8070);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            // Recessed panels laid like bricks: two courses of unequal height, the joints of the
            // lower course between those of the upper, so a wall of these tiles shows no grid.
            const bool upper = y < 46;
            const int py = upper ? y : y - 46;
            static constexpr int UpperJoints[] = {0, 27, 53}, LowerJoints[] = {14, 48, TileSize + 14};
            int px = upper ? x : x + TileSize - 48;  // the lower course's last brick runs on from the left
            for (const int joint : upper ? UpperJoints : LowerJoints)
                if (x >= joint) px = x - joint;
            float level = 2.2f + 0.4f * PeriodicNoise(x, y, 10, TileSize, 91);
            if (px == 2 || py == 2) level = 0.6f;
            if (px == 3 || py == 3) level = 3.8f;
            if (px == 1 || py == 1) level = 1.2f;
            uint32_t c = Dithered(plate, level, x, y);
            // Two pipes across the whole tile, so rows of tiles share one continuous run.
            for (const int py0 : {12, 22}) {
                const int d = y - py0;
                if (d >= -3 && d <= 3) {
                    const float l = 3.0f - 0.75f * d + (d == -2 ? 1.2f : 0);
                    c = Dithered(pipe, (px == 20 || px == 21) ? 1.0f : l, x, y);
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

// ---- Stage 6: the sky fortress over the farmland ----

void PaintFortressDeck(Tile t, bool rails) {
    const Ramp iron = MakeRamp(0x68707E);
    const Ramp accent = MakeRamp(0xC84830);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) t.Clear(x, y);
    auto paint = [&](const Mask& m, const Ramp& r, float level) {
        for (int y = 0; y < TileSize; ++y)
            for (int x = 0; x < TileSize; ++x)
                if (m.At(x, y)) {
                    float l = level;
                    if (!m.At(x, y - 1)) l += 1.6f;
                    if (!m.At(x, y + 1)) l -= 1.6f;
                    t.Put(x, y, Dithered(r, l, x, y));
                }
    };
    // Both deck tiles carry their beams at the same heights, so any pair joins side by side.
    Mask beams = RectMask(TileSize, TileSize, 0, 6, TileSize, 10);
    beams.Add(RectMask(TileSize, TileSize, 0, 60, TileSize, 10));
    Mask web(TileSize, TileSize);
    if (!rails) {
        for (int k = 0; k < 2; ++k) {
            web.Add(LineMask(TileSize, TileSize, k * 40.0f, 16, k * 40.0f + 20, 60, 4));
            web.Add(LineMask(TileSize, TileSize, k * 40.0f + 20, 60, k * 40.0f + 40, 16, 4));
        }
    } else {
        web.Add(RectMask(TileSize, TileSize, 0, 34, TileSize, 6));
        for (int k = 0; k < 4; ++k) web.Add(RectMask(TileSize, TileSize, 8 + k * 20, 16, 4, 44));
    }
    paint(web, iron, 2.2f);
    paint(beams, iron, 3.0f);
    // Red marker bands on the beams.
    for (int x = 0; x < TileSize; ++x)
        if ((x / 4) % 5 == 0)
            for (const int y : {8, 9, 62, 63}) t.Put(x, y, Dithered(accent, 3.5f, x, y));
    if (rails)
        for (int x = 0; x < TileSize; ++x)
            t.Put(x, 36, (x / 2) % 2 ? 0xF8E070 : 0x604830);  // a lit guide rail
}

// ---- Stage 10: the core of the enemy ----

void PaintCore(Tile t, bool eye) {
    const Ramp flesh = MakeRamp(0x5E2034);
    const Ramp vein = MakeRamp(0xB83828, 1.0f, 1.0f);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
            const float n = PeriodicFractal(x, y, 20, TileSize, 131);
            // Ribs of armour every 20 pixels, with living tissue between them; they sway as they run
            // down, so the wall does not read as a ruled grid.
            const int sway = static_cast<int>(8 * PeriodicNoise(0, y, 20, TileSize, 135));
            const int rib = (x + 10 + sway) % 20;
            float level = 1.2f + 1.4f * n;
            if (rib < 4) level = rib == 0 ? 0.4f : rib == 1 ? 3.8f : 2.6f - 0.4f * rib;
            uint32_t c = Dithered(flesh, level, x, y);
            // Veins along the ridges of a slow noise, brightest on their crests.
            const float flow = 0.75f * PeriodicNoise(x, y, 20, TileSize, 133) +
                               0.25f * PeriodicNoise(x, y, 10, TileSize, 134);
            const float ridge = 1 - 2 * std::fabs(flow - 0.5f);
            if (rib >= 4 && ridge > 0.94f) c = Dithered(vein, 1.8f + 40 * (ridge - 0.94f), x, y);
            t.Put(x, y, c);
        }
    if (!eye) return;
    const Ramp iris = MakeRamp(0xE8B030, 1.0f, 1.2f);
    for (int y = 0; y < TileSize; ++y)
        for (int x = 0; x < TileSize; ++x) {
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

}  // namespace veltrano::assetgen
