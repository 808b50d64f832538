// Enemy bullets and bursts. The bullets are small, hot and outlined so they read over every backdrop;
// the four burst frames share one fire palette and grow from a flash to a billowing ball, and the
// ship's own burst burns in its blue-white plasma colours.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/PictureKit.h"
#include "tools/assetgen/PictureSheets.h"

namespace veltrano::assetgen {

namespace {

const Ramp FireRamp = {{0x3A1420, 0x9A2818, 0xE05A18, 0xF8A428, 0xF8E468, 0xFFFFF0}};
const Ramp PlasmaRamp = {{0x1A2050, 0x2850B0, 0x3890E8, 0x70D0F8, 0xC8F4FF, 0xFFFFFF}};
const uint32_t Smoke[3] = {0x3A3440, 0x5A5060, 0x7A7080};

Sprite Bullet(int size, float radius, uint32_t colour, bool ring) {
    Sprite s(size, size);
    const float c = size / 2.0f;
    Mask m = EllipseMask(size, size, c, c, radius, radius);
    ShadeGlow(s, m, MakeRamp(colour, 0.6f, 1.6f), c - 0.5f, c - 0.5f, radius + 0.5f);
    if (ring) {
        Mask hole = EllipseMask(size, size, c, c, radius * 0.45f, radius * 0.45f);
        Fill(s, hole, 0xFFFFFF);
    }
    Outline(s, 0x200818);
    return s;
}

Sprite ShardBullet() {
    Sprite s(16, 16);
    const Mask m = PolygonMask(16, 16, {{8, 3}, {11, 8}, {8, 13}, {5, 8}});
    ShadeGlow(s, m, MakeRamp(0x98E838, 0.6f, 1.6f), 7.5f, 7, 6);
    Outline(s, 0x102008);
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
    Place(sheet, Bullet(16, 4.5f, 0xF05030, false), 64, 176);
    Place(sheet, ShardBullet(), 64, 192);
    Place(sheet, Bullet(16, 5.5f, 0x5890F8, true), 64, 208);
    Place(sheet, Bullet(8, 2.1f, 0xF868A0, false), 64, 224);
    Place(sheet, Burst(16, 0.95f, 2.0f, 0, false, FireRamp, 3), 80, 208);
    Place(sheet, Burst(32, 0.92f, 0.85f, 6, false, FireRamp, 5), 160, 0);
    Place(sheet, Burst(64, 0.6f, 0.8f, 12, false, FireRamp, 7), 192, 64);
    Place(sheet, Burst(64, 0.85f, 0.62f, 16, true, FireRamp, 9), 192, 0);
    Place(sheet, Burst(16, 0.85f, 2.0f, 0, false, PlasmaRamp, 11), 160, 224);
    Place(sheet, Burst(32, 0.85f, 2.0f, 8, true, PlasmaRamp, 13), 160, 192);
}

}  // namespace veltrano::assetgen
