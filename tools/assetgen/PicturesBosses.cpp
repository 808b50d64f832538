// The bosses: one for each stage (two in stage 4), the stage 2 boss's great shield, the last stage's
// guards, and the god of the two last battles. Each 32-pixel boss is packed with detail and has its
// own colours, so it reads as a boss and not as one more enemy.
#include <cmath>

#include "render/SpriteCells.h"
#include "tools/assetgen/PictureKit.h"
#include "tools/assetgen/PictureSheets.h"

namespace veltrano::assetgen {

namespace {

using namespace veltrano::cells;

constexpr float Pi = 3.14159265f;

Mask Sym(std::initializer_list<Point> upperHalf) {
    return SymmetricMask(32, upperHalf);
}

void Core(Sprite& s, float cx, float cy, float r, uint32_t colour) {
    ShadeGlow(s, EllipseMask(32, 32, cx, cy, r, r), MakeRamp(colour, 0.5f, 1.5f), cx - 0.5f, cy - 0.5f,
              r + 0.5f);
}

// Bosses are the centrepieces of their stages: their colours run richer than any other sprite's, and
// a light halo outside the dark outline parts them from their own bullets and parts.
constexpr uint32_t BossHalo = 0xFFF2D0;

Sprite Finish(Sprite s) {
    Enrich(s, 1.35f);
    Outline(s, InkColour);
    Halo(s, BossHalo);
    return s;
}

// Stage 1: a swept-wing attack craft with twin cannons, the first taste of a boss.
Sprite Boss1() {
    Sprite s(32, 32);
    const Ramp wing = MakeRamp(0xD06030), hull = MakeRamp(0x9098A8);
    ShadeBevel(s, Sym({{9, 15.5f}, {20, 2}, {27, 2}, {24, 15.5f}}), wing, 3.0f);
    ShadeBevel(s, Sym({{2, 10}, {14, 9}, {14, 11}, {2, 11}}), hull, 3.0f);
    ShadeBevel(s, Sym({{3, 15.5f}, {8, 11}, {26, 10}, {30, 13}, {30, 15.5f}}), hull, 3.2f);
    ShadeSphere(s, EllipseMask(32, 32, 12, 15.5f, 4, 3), MakeRamp(0xF04838, 1, 1.4f), 11, 14, 4, 3);
    for (const float y : {5.5f, 25.5f}) Core(s, 23, y, 1.8f, 0xF8D048);
    return Finish(s);
}

// Stage 2: an armoured crab that hides behind its shield.
Sprite Boss2() {
    Sprite s(32, 32);
    const Ramp shell = MakeRamp(0x3C6CD0), claw = MakeRamp(0xD07840);
    for (const float y : {6.0f, 25.0f}) {
        Mask c = PolygonMask(32, 32, {{2, y - 2}, {10, y - 4}, {16, y}, {10, y + 3}, {3, y + 2}});
        c.Cut(PolygonMask(32, 32, {{1, y}, {7, y - 0.5f}, {1, y + 1}}));
        ShadeBevel(s, c, claw, 3.0f);
    }
    ShadeSphere(s, EllipseMask(32, 32, 18, 15.5f, 12, 10), shell, 14, 11, 12, 10);
    // Overlapping shell segments, each edge lit above a dark groove.
    for (int k = 0; k < 3; ++k)
        for (int y = 7; y < 25; ++y)
            if (s.IsSolid(16 + 5 * k, y)) {
                s.Put(16 + 5 * k, y, shell.Shade[0]);
                s.Put(15 + 5 * k, y, shell.Shade[5]);
            }
    for (const float y : {9.0f, 22.0f})
        ShadeSphere(s, EllipseMask(32, 32, 25, y, 2.5f, 2), MakeRamp(0x9098A8), 24, y - 1, 2.5f, 2);
    Core(s, 9, 15.5f, 3, 0x70F0F8);
    return Finish(s);
}

// Stage 3: the command bridge of the sea fortress, bristling with guns.
Sprite Boss3() {
    Sprite s(32, 32);
    const Ramp grey = MakeRamp(0x4AA088), deck = MakeRamp(0x8A5A38);
    ShadeBevel(s, PolygonMask(32, 32, {{2, 22}, {30, 22}, {27, 29}, {6, 29}}), deck, 3.0f);
    ShadeBevel(s, PolygonMask(32, 32, {{8, 22}, {10, 10}, {24, 10}, {26, 22}}), grey, 3.2f);
    ShadeBevel(s, RectMask(32, 32, 13, 4, 8, 6), grey, 3.4f);
    ShadeBevel(s, RectMask(32, 32, 16, 2, 2, 3), grey, 3.0f);  // mast
    for (int x = 12; x < 23; x += 3) {
        s.Put(x, 13, 0xF8E070);
        s.Put(x, 14, 0xC89030);
    }
    for (const int y : {16, 19}) ShadeBevel(s, RectMask(32, 32, 3, y, 7, 2), MakeRamp(0xA83838), 3.0f);
    Core(s, 17, 25, 2, 0xF05030);
    return Finish(s);
}

// Stage 4, first: a fortress core, a great eye in an armoured socket.
Sprite Boss4First() {
    Sprite s(32, 32);
    const Ramp armour = MakeRamp(0xC07830);
    Mask socket =
        PolygonMask(32, 32, {{8, 2}, {24, 2}, {30, 8}, {30, 24}, {24, 30}, {8, 30}, {2, 24}, {2, 8}});
    ShadeBevel(s, socket, armour, 3.0f);
    ShadeSphere(s, EllipseMask(32, 32, 16, 16, 10, 10), MakeRamp(0xE8E0D8), 13, 13, 10, 10);
    ShadeGlow(s, EllipseMask(32, 32, 14, 16, 5, 6), MakeRamp(0x40B8F0, 0.5f, 1.4f), 13, 15, 6);
    Fill(s, EllipseMask(32, 32, 14, 16, 2, 3), 0x101828);
    s.Put(12, 13, 0xFFFFFF);
    for (const int c : {5, 26}) {
        s.Put(c, 5, 0xF8F8F8);
        s.Put(c, 26, 0xF8F8F8);
    }
    return Finish(s);
}

// Stage 4, second: a crystal mothership that commands its satellites.
Sprite Boss4Second() {
    Sprite s(32, 32);
    const Ramp crystal = MakeRamp(0x48C8B8, 1.0f, 1.4f), frame = MakeRamp(0x6A5878);
    Mask ring = EllipseMask(32, 32, 16, 16, 14, 14);
    ring.Cut(EllipseMask(32, 32, 16, 16, 10, 10));
    ShadeBevel(s, ring, frame, 3.0f);
    const Mask gem = PolygonMask(32, 32, {{16, 4}, {25, 16}, {16, 28}, {7, 16}});
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (gem.At(x, y)) s.Put(x, y, Dithered(crystal, (x < 16) == (y < 16) ? 4.4f : 2.2f, x, y));
    Core(s, 16, 16, 3, 0xF8F8F0);
    for (int k = 0; k < 4; ++k) {
        const float a = k * Pi / 2 + Pi / 4;
        Core(s, 16 + 12 * std::cos(a), 16 + 12 * std::sin(a), 1.6f, 0xF868B8);
    }
    return Finish(s);
}

// Stage 5: the bronze sphere at the heart of the machine, with gun ports all round.
Sprite Boss5() {
    Sprite s(32, 32);
    const Ramp bronze = MakeRamp(0xB88848);
    ShadeSphere(s, EllipseMask(32, 32, 16, 16, 14, 14), bronze, 12, 11, 14, 14);
    // Armour seams round the equator and down the meridian.
    for (int k = 3; k < 29; ++k) {
        if (s.IsSolid(k, 16)) s.Put(k, 16, bronze.Shade[0]), s.Put(k, 15, bronze.Shade[4]);
        if (s.IsSolid(16, k) && std::abs(k - 16) > 5) s.Put(16, k, bronze.Shade[0]);
    }
    // Gun ports, each a dark mouth with a red glow inside.
    for (int k = 0; k < 8; ++k) {
        const float a = k * Pi / 4 + Pi / 8;
        Fill(s, EllipseMask(32, 32, 16 + 10 * std::cos(a), 16 + 10 * std::sin(a), 1.8f, 1.8f), 0x281410);
        s.Put(static_cast<int>(16 + 10 * std::cos(a)), static_cast<int>(16 + 10 * std::sin(a)), 0xE04028);
    }
    Core(s, 16, 16, 4, 0x60F0A0);
    return Finish(s);
}

// Stage 6: a dark gunship of the sky fortress with wide blade wings.
Sprite Boss6() {
    Sprite s(32, 32);
    const Ramp dark = MakeRamp(0x6A3848), blade = MakeRamp(0xB8B8C8);
    ShadeBevel(s, Sym({{12, 15.5f}, {26, 2}, {29, 3}, {22, 15.5f}}), blade, 3.0f);
    ShadeBevel(s, Sym({{2, 15.5f}, {9, 9}, {26, 8}, {30, 12}, {30, 15.5f}}), dark, 3.2f);
    ShadeBevel(s, Sym({{6, 12}, {12, 12}, {12, 14}, {6, 14}}), MakeRamp(0x303040), 3.0f);
    Core(s, 19, 15.5f, 3, 0xF84060);
    return Finish(s);
}

// Stage 7: an insect hive-queen of the hull, mandibles forward.
Sprite Boss7() {
    Sprite s(32, 32);
    const Ramp chitin = MakeRamp(0x4A9848), belly = MakeRamp(0xC8C060);
    for (int k = 0; k < 3; ++k) {
        const float x = 12 + 6 * k;
        Mask legs = LineMask(32, 32, x, 16, x + 3, 3.5f, 1.6f);
        legs.Add(LineMask(32, 32, x, 16, x + 3, 28.5f, 1.6f));
        ShadeBevel(s, legs, MakeRamp(0x384830), 3.0f);
    }
    ShadeSphere(s, EllipseMask(32, 32, 22, 16, 8, 7), belly, 20, 13, 8, 7);
    ShadeSphere(s, EllipseMask(32, 32, 12, 16, 6, 6), chitin, 10, 13, 6, 6);
    Mask jaws = LineMask(32, 32, 8, 12, 3, 14, 2).Add(LineMask(32, 32, 8, 20, 3, 18, 2));
    ShadeBevel(s, jaws, MakeRamp(0xE8E0C0), 3.0f);
    Core(s, 9, 13, 1.5f, 0xF83030);
    Core(s, 9, 19, 1.5f, 0xF83030);
    return Finish(s);
}

// Stage 8: a steel skull-fortress, grinning behind its frame.
Sprite Boss8() {
    Sprite s(32, 32);
    const Ramp steel = MakeRamp(0x7C98E8);
    ShadeSphere(s, EllipseMask(32, 32, 16, 13, 12, 11), steel, 12, 9, 12, 11);
    ShadeBevel(s, RectMask(32, 32, 8, 20, 16, 9), steel, 3.0f);
    for (const float x : {11.0f, 21.0f}) {
        Fill(s, EllipseMask(32, 32, x, 13, 3.5f, 3), 0x180C18);
        Core(s, x, 13, 1.5f, 0xF84028);
    }
    for (int x = 10; x < 23; x += 3)
        for (int y = 22; y < 28; ++y) s.Put(x, y, 0x282030);
    return Finish(s);
}

// Stage 9: a violet star core whose points are guns.
Sprite Boss9() {
    Sprite s(32, 32);
    ShadeSphere(s, PolygonMask(32, 32, StarPoints(16, 16, 16, 14, 7, -Pi / 2)), MakeRamp(0x8858D0, 1, 1.3f),
                13, 13, 14, 14);
    ShadeSphere(s, EllipseMask(32, 32, 16, 16, 6, 6), MakeRamp(0x404870), 14, 14, 6, 6);
    Core(s, 16, 16, 3, 0xF8E8A0);
    return Finish(s);
}

// Stage 10: the master of the core, horned and burning.
Sprite Boss10() {
    Sprite s(32, 32);
    const Ramp gold = MakeRamp(0xD8A838), flesh = MakeRamp(0xA03040);
    ShadeBevel(s, Sym({{11, 9}, {19, 2}, {23, 2}, {18, 10}}), gold, 3.6f);  // horns
    ShadeSphere(s, EllipseMask(32, 32, 16, 17, 12, 12), flesh, 12, 13, 12, 12);
    ShadeBevel(s, Sym({{6, 10}, {26, 10}, {24, 13}, {8, 13}}), gold, 3.4f);  // crown band
    for (const float y : {13.0f, 20.0f}) Core(s, 11, y, 2, 0xF8F070);
    Fill(s, RectMask(32, 32, 17, 23, 10, 2), 0x200810);
    for (int x = 18; x < 27; x += 2) s.Put(x, 23, 0xF0E8D0);
    return Finish(s);
}

// The god of the last battles: a radiant mask in a halo; serene and pale for the trial of endurance.
Sprite God(bool serene) {
    Sprite s(32, 32);
    const Ramp halo = MakeRamp(serene ? 0x58B0FF : 0xF8C848, 0.6f, 1.4f);
    const Ramp face = MakeRamp(serene ? 0xB8D0FF : 0xF0D8A8, 0.6f, 1.2f);
    ShadeGlow(s, SpokesMask(32, 32, 16, 16, 12, 9, 13, 2.2f, 0), halo, 16, 16, 16);
    Mask ring = EllipseMask(32, 32, 16, 16, 11, 11);
    ring.Cut(EllipseMask(32, 32, 16, 16, 9, 9));
    ShadeBevel(s, ring, halo, 3.6f);
    ShadeSphere(s, EllipseMask(32, 32, 16, 16, 7, 9), face, 14, 13, 7, 9);
    for (const float x : {13.0f, 19.0f}) {
        if (serene) {
            for (int dx = -2; dx <= 1; ++dx)
                s.Put(static_cast<int>(x) + dx, 15 + (dx == -2 || dx == 1 ? 0 : 1), 0x404868);
        } else {
            Core(s, x, 15, 1.6f, 0xF84020);
        }
    }
    for (int x = 14; x < 19; ++x) s.Put(x, 21, serene ? 0x8890B0 : 0xA05040);
    s.Put(16, 9, serene ? 0x60E0F8 : 0xF83848);
    return Finish(s);
}

Sprite Guard(bool second) {
    Sprite s(32, 32);
    const Ramp plate = MakeRamp(second ? 0x7848A0 : 0xA04830);
    ShadeSphere(s, PolygonMask(32, 32, StarPoints(16, 16, 12, 14, 9, second ? Pi / 12 : 0)), plate, 12, 12,
                15, 15);
    ShadeSphere(s, EllipseMask(32, 32, 16, 16, 5, 5), MakeRamp(0x585060), 14, 14, 5, 5);
    Core(s, 15, 16, 2.5f, second ? 0x60F0F8 : 0xF8F060);
    return Finish(s);
}

Sprite Shard() {
    Sprite s(32, 32);
    const Ramp ember = MakeRamp(0xD84830, 1, 1.3f);
    const Mask m = PolygonMask(32, 32, {{4, 16}, {14, 6}, {28, 10}, {24, 22}, {12, 27}});
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (m.At(x, y))
                s.Put(x, y, Dithered(ember, (x + y < 30) ? 4.2f : (x > y + 4 ? 2.8f : 1.6f), x, y));
    Core(s, 16, 15, 2.5f, 0xF8E060);
    return Finish(s);
}

// The great shield of the stage 2 boss: an octagon of hexagonal energy plates round an empty heart,
// dithered so the battle shows through it.
Sprite BossShield() {
    constexpr int W = 96;
    Sprite s(W, W);
    const Ramp energy = MakeRamp(0x58A8F0, 0.5f, 1.4f);
    const Ramp emitter = MakeRamp(0x9098B0);
    const Mask o = PolygonMask(W, W, StarPoints(48, 48, 8, 45, 45, Pi / 8));
    const Mask in = PolygonMask(W, W, StarPoints(48, 48, 8, 26, 26, Pi / 8));
    for (int y = 0; y < W; ++y)
        for (int x = 0; x < W; ++x) {
            if (!o.At(x, y)) continue;
            const bool rim = !o.At(x - 2, y) || !o.At(x + 2, y) || !o.At(x, y - 2) || !o.At(x, y + 2);
            const bool innerRim =
                in.At(x, y) && (!in.At(x - 2, y) || !in.At(x + 2, y) || !in.At(x, y - 2) || !in.At(x, y + 2));
            if (rim || innerRim) {
                s.Put(x, y, Dithered(energy, 4.6f - 0.02f * (x + y - 96), x, y));
                continue;
            }
            if (in.At(x, y)) continue;  // the heart stays open: the boss sits there
            // Hexagon cells lit towards their upper left.
            const int hy = y % 12, hx = (x + ((y / 12) % 2) * 7) % 14;
            if (hy == 0 || hx == 0)
                s.Put(x, y, energy.Shade[4]);
            else if ((x + y) % 2 == 0)
                s.Put(x, y, Dithered(energy, 2.0f + 0.12f * (12 - hy), x, y));
        }
    for (int k = 0; k < 8; ++k) {
        const float a = k * Pi / 4 + Pi / 8;
        const float cx = 48 + 42 * std::cos(a), cy = 48 + 42 * std::sin(a);
        Sprite node(W, W);
        ShadeSphere(node, EllipseMask(W, W, cx, cy, 4, 4), emitter, cx - 1, cy - 1, 4, 4);
        ShadeGlow(node, EllipseMask(W, W, cx, cy, 1.8f, 1.8f), MakeRamp(0xA0F0F8, 0.5f, 1.5f), cx, cy, 2);
        Outline(node, InkColour);
        Stamp(s, node, 0, 0);
    }
    return s;
}

}  // namespace

void PaintBosses(Surface& sheet) {
    auto at = [&](const Sprite& sprite, const SpriteCell& cell) { Place(sheet, sprite, cell.X, cell.Y); };
    at(Boss1(), BossOne);
    at(Boss2(), BossTwo);
    at(BossShield(), BossTwoShield);
    at(Boss3(), BossThree);
    at(Boss4First(), BossFourFirst);
    at(Boss4Second(), BossFourSecond);
    at(Boss5(), BossFive);
    at(Boss6(), LateBossCell(0));
    at(Boss7(), LateBossCell(1));
    at(Boss8(), LateBossCell(2));
    at(Boss9(), LateBossCell(3));
    at(Boss10(), LateBossCell(4));
    at(God(false), GodBattle);
    at(God(true), GodEndurance);
    at(Guard(false), GuardA);
    at(Guard(true), GuardB);
    at(Shard(), cells::Shard);
}

}  // namespace veltrano::assetgen
