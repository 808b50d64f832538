// Enemy bullets and bursts. The bullets fill their cells in two tones, a dark rim and a light core in
// colours no backdrop uses, so they read over every backdrop at their true size;
// the four burst frames share one fire palette and grow from a flash to a billowing ball, and the
// ship's own burst burns in its blue-white plasma colours.
#include <algorithm>
#include <cmath>

#include "render/SpriteCells.h"
#include "tools/assetgen/PictureKit.h"
#include "tools/assetgen/PictureSheets.h"

namespace veltrano::assetgen {

namespace {

using namespace veltrano::cells;

const Ramp FireRamp = {{0x3A1420, 0x9A2818, 0xE05A18, 0xF8A428, 0xF8E468, 0xFFFFF0}};
const Ramp PlasmaRamp = {{0x1A2050, 0x2850B0, 0x3890E8, 0x70D0F8, 0xC8F4FF, 0xFFFFFF}};
const uint32_t Smoke[3] = {0x3A3440, 0x5A5060, 0x7A7080};

// Hot pink for the common round bullets, the colour no backdrop of the game uses; every bullet is
// more colourful than the stages it flies over.
const TwoTones PinkTones = {0x2A0418, 0xFF50C8, 0xFF90E0, 0xFFD8F4};
const TwoTones CyanTones = {0x002050, 0x18A8FF, 0x60D0FF, 0xB8ECFF};
const TwoTones LimeTones = {0x142004, 0xD8FF48, 0xF0FFA8, 0xFFFFF0};

// A round bullet that fills its cell, so what the eye sees is what can hit.
Sprite RoundBullet(int size, const TwoTones& tones, bool ring) {
    Sprite s(size, size);
    const float c = size / 2.0f;
    Mask m = size <= 8 ? RectMask(size, size, 0, 0, size, size) : EllipseMask(size, size, c, c, c, c);
    if (size <= 8)  // a rounded square: an 8-pixel disc would leave its corners bare and look smaller
        for (const int x : {0, size - 1})
            for (const int y : {0, size - 1}) m.Set(x, y, false);
    PaintTwoTone(s, m, tones, c, c, size * 0.3f);
    if (ring) {
        // The heavy shell: a dark band inside the core, so it reads as a ring, not a ball.
        const Mask band = EllipseMask(size, size, c, c, c * 0.55f, c * 0.55f)
                              .Cut(EllipseMask(size, size, c, c, c * 0.38f, c * 0.38f));
        Fill(s, band, tones.Rim);
    }
    return s;
}

// The mine's shard: a diamond from corner to corner of its cell.
Sprite ShardBullet() {
    Sprite s(16, 16);
    const Mask m = PolygonMask(16, 16, {{8, -0.5f}, {16.5f, 8}, {8, 16.5f}, {-0.5f, 8}});
    PaintTwoTone(s, m, LimeTones, 8, 8, 5);
    return s;
}

// One burst frame: `size` pixels, fire reaching `reach` of the half size, smoke outside `smokeFrom`,
// `sparks` flying debris, a shock ring when `ring`.
Sprite Burst(int size, float reach, float smokeFrom, int sparks, bool ring, const Ramp& fire, uint32_t seed) {
    Sprite s(size, size);
    const float c = size / 2.0f, half = size / 2.0f;
    const int period = size * 2;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float dx = x + 0.5f - c, dy = y + 0.5f - c;
            const float r = std::sqrt(dx * dx + dy * dy) / half;
            const float n = PeriodicFractal(x * 2, y * 2, std::max(4, size / 2), period, seed);
            const float edge = reach * (0.75f + 0.5f * n);
            if (r > edge) continue;
            // Hottest at the centre and towards the upper left, where the flash is seen first.
            float heat = (1 - r / edge) * 5.2f + 0.9f * n - 0.4f - 0.6f * (dx + dy) / (half * 2);
            if (r > smokeFrom * edge) {
                const int k = std::clamp(static_cast<int>((n + Bayer(x, y) * 0.5f) * 3), 0, 2);
                if (heat < 2.2f) {
                    s.Put(x, y, Smoke[k]);
                    continue;
                }
            }
            s.Put(x, y, Dithered(fire, heat, x, y));
        }
    if (ring) {
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const float r = std::hypot(x + 0.5f - c, y + 0.5f - c) / half;
                if (r > 0.9f && r < 0.97f && Bayer(x, y) < 0.5f) s.Put(x, y, fire.Shade[4]);
            }
    }
    Scatter sc(seed);
    for (int k = 0; k < sparks; ++k) {
        const float a = sc.Unit() * 6.2831853f, r = (0.55f + 0.4f * sc.Unit()) * half;
        const int x = static_cast<int>(c + r * std::cos(a)), y = static_cast<int>(c + r * std::sin(a));
        s.Put(x, y, fire.Shade[5]);
        s.Put(x + 1, y, fire.Shade[3]);
    }
    return s;
}

}  // namespace

void PaintEffects(Surface& sheet) {
    Place(sheet, RoundBullet(16, PinkTones, false), BulletLarge.X, BulletLarge.Y);
    Place(sheet, ShardBullet(), BulletShard.X, BulletShard.Y);
    Place(sheet, RoundBullet(16, CyanTones, true), BulletHeavy.X, BulletHeavy.Y);
    Place(sheet, RoundBullet(8, PinkTones, false), BulletSmall.X, BulletSmall.Y);
    Place(sheet, Burst(16, 0.95f, 2.0f, 0, false, FireRamp, 3), BurstFlash.X, BurstFlash.Y);
    Place(sheet, Burst(32, 0.92f, 0.85f, 6, false, FireRamp, 5), BurstBall.X, BurstBall.Y);
    Place(sheet, Burst(64, 0.6f, 0.8f, 12, false, FireRamp, 7), BurstRising.X, BurstRising.Y);
    Place(sheet, Burst(64, 0.85f, 0.62f, 16, true, FireRamp, 9), BurstPeak.X, BurstPeak.Y);
    Place(sheet, Burst(16, 0.85f, 2.0f, 0, false, PlasmaRamp, 11), ShipBurstSmall.X, ShipBurstSmall.Y);
    Place(sheet, Burst(32, 0.85f, 2.0f, 8, true, PlasmaRamp, 13), ShipBurstLarge.X, ShipBurstLarge.Y);
}

}  // namespace veltrano::assetgen
