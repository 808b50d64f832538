// The six ships (each its own silhouette and colours), their armoured hulls, shots and options.
// Ships face right and are symmetric about their middle row, like the sprites of the era.
#include <algorithm>
#include <cmath>

#include "render/SpriteCells.h"
#include "tools/assetgen/PictureKit.h"
#include "tools/assetgen/PictureSheets.h"
#include "tools/assetgen/PictureSprites.h"

namespace veltrano::assetgen {

namespace {

constexpr int S = 32;

Mask Sym(std::initializer_list<Point> upperHalf) {
    return SymmetricMask(S, upperHalf);
}

struct ShipColours {
    Ramp Hull, Wing, Accent;
};

const ShipColours ShipPalette[6] = {
    {MakeRamp(0x4A84E0), MakeRamp(0x3458A8), MakeRamp(0xE8ECF4)},
    {MakeRamp(0xE07A30), MakeRamp(0xB04A2C), MakeRamp(0xF0D060)},
    {MakeRamp(0x58B050), MakeRamp(0x3A7840), MakeRamp(0xE0E8C8)},
    {MakeRamp(0x9A68D8), MakeRamp(0x6A44A0), MakeRamp(0xF0C8F0)},
    {MakeRamp(0xD04040), MakeRamp(0x902C38), MakeRamp(0xF8D048)},
    {MakeRamp(0xB8C2D0), MakeRamp(0x3A9A98), MakeRamp(0x70E0D0)},
};

const Ramp Glass = MakeRamp(0x40C8E8, 1.0f, 1.3f);
const Ramp Flame = MakeRamp(0xF08828, 0.6f, 1.4f);
const Ramp Metal = MakeRamp(0x8890A0);

void Canopy(Sprite& s, float cx, float cy, float rx, float ry) {
    const Mask m = EllipseMask(S, S, cx, cy, rx, ry);
    ShadeSphere(s, m, Glass, cx - 0.5f, cy - 0.8f, rx, ry);
    s.Put(static_cast<int>(cx - rx * 0.4f), static_cast<int>(cy - ry * 0.5f), 0xFFFFFF);
}

void Exhaust(Sprite& s, int x0, int len, float cy, float halfHeight) {
    len = std::min(len, x0 - 2);  // the flame's outline stays inside the cell
    const Mask m = PolygonMask(S, S,
                               {{static_cast<float>(x0), cy - halfHeight},
                                {static_cast<float>(x0 - len), cy},
                                {static_cast<float>(x0), cy + halfHeight}});
    ShadeGlow(s, m, Flame, static_cast<float>(x0), cy, static_cast<float>(len) + 1);
}

// Ship 1: a slim dart with long swept wings, built for the wave laser.
void Ship1(Sprite& s, const ShipColours& c) {
    ShadeBevel(s, Sym({{7, 15.5f}, {12, 9}, {8, 2}, {5, 2}, {6, 9}, {5, 15.5f}}), c.Wing, 3.0f);
    ShadeBevel(s, Sym({{4, 15.5f}, {6, 11.5f}, {20, 11}, {30, 15.5f}}), c.Hull, 3.2f);
    ShadeBevel(s, Sym({{7, 3}, {10, 3}, {11, 5}, {7, 5}}), c.Accent, 3.5f);
    Canopy(s, 18, 14.2f, 4.5f, 2.3f);
    Exhaust(s, 5, 4, 15.5f, 2.5f);
}

// Ship 2: a broad delta with twin cannon pods on the wing tips, for the spread gun.
void Ship2(Sprite& s, const ShipColours& c) {
    ShadeBevel(s, Sym({{6, 15.5f}, {8, 5}, {14, 5}, {24, 15.5f}}), c.Wing, 3.0f);
    ShadeBevel(s, Sym({{8, 4}, {22, 4}, {22, 7}, {8, 7}}), c.Accent, 3.0f);
    ShadeBevel(s, Sym({{3, 15.5f}, {5, 12}, {18, 12}, {28, 15.5f}}), c.Hull, 3.3f);
    Canopy(s, 16, 14.2f, 4, 2.2f);
    Exhaust(s, 6, 4, 10.5f, 2);
    Exhaust(s, 6, 4, 20.5f, 2);
}

// Ship 3: twin booms joined by a forward-swept wing; its guns face both ways.
void Ship3(Sprite& s, const ShipColours& c) {
    ShadeBevel(s, Sym({{9, 15.5f}, {13, 7}, {21, 5}, {19, 15.5f}}), c.Wing, 3.0f);
    Mask boom = Sym({{7, 7}, {9, 5}, {22, 5}, {26, 7}, {22, 9}, {9, 9}});
    boom.Cut(RectMask(S, S, 0, 10, S, 12));
    ShadeBevel(s, boom, c.Hull, 3.2f);
    for (const int y : {6, 25}) ShadeBevel(s, RectMask(S, S, 23, y, 3, 1), c.Accent, 4.0f);  // gun muzzles
    ShadeBevel(s, Sym({{7, 15.5f}, {9, 12.5f}, {20, 12.5f}, {27, 15.5f}}), c.Hull, 3.3f);
    Canopy(s, 18, 14.3f, 3.5f, 2);
    Exhaust(s, 7, 4, 7, 1.6f);
    Exhaust(s, 7, 4, 24, 1.6f);
    Exhaust(s, 7, 3, 15.5f, 2);
}

// Ship 4: a round-bodied craft with cross-shaped fins, for the wide pattern.
void Ship4(Sprite& s, const ShipColours& c) {
    ShadeBevel(s, Sym({{8, 15.5f}, {10, 3}, {14, 3}, {17, 15.5f}}), c.Wing, 3.0f);
    ShadeBevel(s, Sym({{20, 15.5f}, {23, 9}, {25, 9}, {26, 15.5f}}), c.Accent, 3.0f);
    const Mask body = EllipseMask(S, S, 16, 16, 12, 6.5f);
    ShadeSphere(s, body, c.Hull, 14, 13, 12, 7);
    Canopy(s, 20, 14, 4, 2.5f);
    Exhaust(s, 5, 4, 15.5f, 3);
}

// Ship 5: a heavy interceptor with two big engines and a long nose.
void Ship5(Sprite& s, const ShipColours& c) {
    ShadeBevel(s, Sym({{8, 15.5f}, {11, 6}, {16, 6}, {22, 15.5f}}), c.Wing, 2.9f);
    for (const float y : {9.5f, 21.5f}) {
        const Mask pod = EllipseMask(S, S, 12, y, 7, 3);
        ShadeSphere(s, pod, Metal, 11, y - 1.5f, 7, 3);
        Exhaust(s, 5, 4, y, 2);
    }
    ShadeBevel(s, Sym({{6, 15.5f}, {8, 12}, {20, 12}, {30, 15.5f}}), c.Hull, 3.2f);
    ShadeBevel(s, Sym({{10, 13}, {14, 13}, {14, 15.5f}, {10, 15.5f}}), c.Accent, 3.4f);
    Canopy(s, 19, 14.2f, 4, 2);
}

// Ship 6: a guardian with a broad shield prow and canards.
void Ship6(Sprite& s, const ShipColours& c) {
    ShadeBevel(s, Sym({{6, 15.5f}, {7, 4}, {11, 4}, {15, 15.5f}}), c.Wing, 3.0f);
    ShadeBevel(s, Sym({{21, 15.5f}, {23, 10}, {26, 10}, {27, 15.5f}}), c.Wing, 3.0f);
    ShadeBevel(s, Sym({{4, 15.5f}, {6, 10.5f}, {18, 10.5f}, {23, 12}, {29, 15.5f}}), c.Hull, 3.4f);
    ShadeBevel(s, Sym({{22, 12.5f}, {25, 13}, {28, 15.5f}, {22, 15.5f}}), c.Accent, 3.2f);
    // A teal stripe down each flank, the guardian's livery.
    for (int x = 7; x < 20; ++x) {
        s.Put(x, 12, c.Wing.Shade[3]);
        s.Put(x, 19, c.Wing.Shade[2]);
    }
    Canopy(s, 15, 14, 4, 2.2f);
    Exhaust(s, 5, 4, 13, 1.6f);
    Exhaust(s, 5, 4, 18, 1.6f);
}

using ShipPainter = void (*)(Sprite&, const ShipColours&);
const ShipPainter ShipPainters[6] = {Ship1, Ship2, Ship3, Ship4, Ship5, Ship6};

Sprite MakeShip(int type) {
    Sprite s(S, S);
    ShipPainters[type](s, ShipPalette[type]);
    Outline(s, InkColour);
    return s;
}

// The armoured hull: the ship inside a shield of bright hexagonal plating. Rows of them also form
// the countdown numerals, so the shield fills its square and the squares butt against each other.
Sprite MakeArmouredShip(int type) {
    Sprite s(S, S);
    const Ramp& rim = ShipPalette[type].Accent;
    const Ramp& plate = ShipPalette[type].Hull;
    Mask shield = RectMask(S, S, 0, 0, S, S);
    for (int k = 0; k < 4; ++k) {
        // Cut the corners so joined blocks read as separate tiles.
        shield.Set(k == 0 || k == 1 ? 0 : 31, k == 0 || k == 2 ? 0 : 31, false);
    }
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x) {
            if (!shield.At(x, y)) continue;
            const int edge = std::min(std::min(x, 31 - x), std::min(y, 31 - y));
            if (edge == 0)
                s.Put(x, y, (x == 0 || y == 0) ? rim.Shade[4] : plate.Shade[0]);
            else if (edge == 1)
                s.Put(x, y, (x == 1 || y == 1) ? rim.Shade[5] : plate.Shade[1]);
            else if (edge == 2)
                s.Put(x, y, plate.Shade[2]);
            else {
                // A honeycomb of dark lines over a lit plate.
                const int hx = (x + ((y / 5) % 2) * 4) % 8, hy = y % 5;
                const bool line = hy == 0 || hx == 0;
                s.Put(x, y, line ? plate.Shade[1] : Dithered(plate, 3.6f - 0.05f * (x + y), x, y));
            }
        }
    Sprite ship = MakeShip(type);
    Stamp(s, ship, 0, 0);
    return s;
}

// The colour of each weapon's shots and options, in two tones: a dark rim and a light core, both
// saturated enough that a shot is more colourful than any stage it flies over.
const TwoTones ShotTones[] = {
    {0x00306C, 0x2898FF, 0x68C8FF, 0xB8E8FF},  // wave: ice blue
    {0x301000, 0xFFB040, 0xFFD888, 0xFFFCF0},  // spread: orange
    {0x063010, 0x40E050, 0x98FFA0, 0xE8FFE8},  // twin: green
    {0x200838, 0xC890FF, 0xE4C8FF, 0xFCF8FF},  // cross: violet
    {0x502400, 0xFFD040, 0xFFEC98, 0xFFFFF4},  // flank: gold
    {0x003A28, 0x20E8A0, 0x80FFD0, 0xE0FFF4},  // guard: mint
};

// Shots: each type's projectile in two tones, a dark rim and a light core in the weapon's own colour,
// large in its cell so it reads against every backdrop.
void Shot(Sprite& s, int type) {
    const TwoTones& t = ShotTones[type];
    switch (type) {
        case 0:  // wave laser: a long bolt with a white core
            PaintTwoTone(s, EllipseMask(16, 16, 8, 8, 7.5f, 4.5f), t, 10, 8, 4.5f);
            break;
        case 1:  // spread: a fireball with a short tail
            PaintTwoTone(
                s, EllipseMask(16, 16, 9, 8, 5.5f, 5.5f).Add(PolygonMask(16, 16, {{1, 8}, {7, 4}, {7, 12}})),
                t, 10, 8, 3.5f);
            break;
        case 2:  // twin: a diamond shard that flies forwards or backwards
            PaintTwoTone(s, PolygonMask(16, 16, {{0.5f, 8}, {8, 3}, {15.5f, 8}, {8, 13}}), t, 8, 8, 3.5f);
            break;
        case 3: {  // cross: a pulsing ring
            Mask m = EllipseMask(16, 16, 8, 8, 7, 7);
            m.Cut(EllipseMask(16, 16, 8, 8, 2.5f, 2.5f));
            PaintTwoTone(s, m, t, 8, 8, 4.5f);
            break;
        }
        case 4:  // flank: a four-pointed plasma star, the same in every direction it flies
            PaintTwoTone(
                s,
                PolygonMask(
                    16, 16,
                    {{8, 0.5f}, {11, 5}, {15.5f, 8}, {11, 11}, {8, 15.5f}, {5, 11}, {0.5f, 8}, {5, 5}}),
                t, 8, 8, 3.5f);
            break;
        default:  // guard: a pair of short parallel beams
            PaintTwoTone(s, RectMask(16, 16, 1, 2, 14, 5).Add(RectMask(16, 16, 1, 9, 14, 5)), t, 12, 8, 5);
            break;
    }
}

// Options: small orbs glowing in their weapon's colour, two-toned like the shots, with a white-hot eye
// facing forwards.
void OptionPod(Sprite& s, int type) {
    PaintTwoTone(s, EllipseMask(16, 16, 8, 8, 6.5f, 6.5f), ShotTones[type], 10, 7.5f, 4);
}

}  // namespace

Sprite ShipSprite(int type) {
    return MakeShip(type);
}

void PaintShips(Surface& sheet) {
    for (int t = 0; t < 6; ++t) {
        Place(sheet, MakeShip(t), cells::ShipCell(t).X, cells::ShipCell(t).Y);
        Place(sheet, MakeArmouredShip(t), cells::ArmouredShipCell(t).X, cells::ArmouredShipCell(t).Y);
        Sprite shot(16, 16);
        Shot(shot, t);
        Place(sheet, shot, cells::ShotCells[t].X, cells::ShotCells[t].Y);
        Sprite option(16, 16);
        OptionPod(option, t);
        Place(sheet, option, cells::OptionCells[t].X, cells::OptionCells[t].Y);
    }
}

}  // namespace veltrano::assetgen
