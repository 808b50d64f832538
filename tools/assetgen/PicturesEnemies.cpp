// The rank and file: fliers, guns, blocks, debris, mines, drones, heavy craft, pods, the item carrier
// and its four items. Enemies face left, towards the ship, in gunmetal with red and olive markings.
#include <algorithm>
#include <cmath>

#include "tools/assetgen/PictureKit.h"
#include "tools/assetgen/PictureSheets.h"
#include "tools/assetgen/PictureSprites.h"
#include "tools/assetgen/PixelFont.h"

namespace veltrano::assetgen {

namespace {

const Ramp Gunmetal = MakeRamp(0x788090);
const Ramp EnemyRed = MakeRamp(0xC83C3C);
const Ramp Olive = MakeRamp(0x8A9448);
const Ramp Sand = MakeRamp(0xB89868);
const Ramp Eye = MakeRamp(0xF8D040, 0.5f, 1.5f);

Mask SymAbout(int size, std::initializer_list<Point> upperHalf) {
    return SymmetricMask(size, upperHalf);
}

Sprite WallBlock() {
    // A block of dressed stone that reads over any backdrop by its light face. Walls stand in long
    // rows and columns of these, so the block draws no hard line at a fixed place: its edge climbs
    // from a dark rim through four shades to the face, and the face is lit smoothly from the upper
    // left, with no dither or inner frame whose lines a wall would repeat every 32 pixels.
    Sprite s(32, 32);
    const Ramp stone = MakeRamp(0xA89C94);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int edge = std::min(std::min(x, y), std::min(31 - x, 31 - y));
            const float lit = (31 - x - y) / 62.0f;  // 0.5 at the upper left, -0.5 at the lower right
            // A deep rim and a bright face: one of the two stands clear of any backdrop a wall crosses.
            static constexpr float Climb[] = {0.6f, 1.4f, 2.2f, 2.9f, 3.5f};
            float level = edge < 5 ? Climb[edge] : 4.2f + 0.6f * lit;
            if (edge < 5 && x + y < 31) level += 0.2f;  // the rims that face the light
            const int lo = std::min(4, static_cast<int>(level));
            s.Put(x, y, Pack(Mix(Unpack(stone.Shade[lo]), Unpack(stone.Shade[lo + 1]), level - lo)));
        }
    return s;
}

Sprite GunTurret() {
    Sprite s(32, 32);
    ShadeBevel(s, PolygonMask(32, 32, {{5, 29}, {8, 21}, {24, 21}, {27, 29}}), Gunmetal, 3.0f);
    ShadeBevel(s, RectMask(32, 32, 2, 13, 14, 4), Gunmetal, 3.0f);  // barrel
    ShadeBevel(s, RectMask(32, 32, 2, 12, 3, 6), Gunmetal, 2.2f);   // muzzle brake
    const Mask dome = EllipseMask(32, 32, 16, 20, 9, 9);
    Mask top = dome;
    top.Cut(RectMask(32, 32, 0, 21, 32, 11));
    ShadeSphere(s, top, EnemyRed, 13, 14, 9, 9);
    ShadeGlow(s, EllipseMask(32, 32, 13, 16, 2, 2), Eye, 12.5f, 15.5f, 2.5f);
    Outline(s, InkColour);
    return s;
}

Sprite Debris() {
    Sprite s(32, 32);
    const Mask rock =
        PolygonMask(32, 32, {{6, 10}, {13, 3}, {23, 5}, {29, 13}, {27, 24}, {18, 29}, {8, 26}, {3, 18}});
    ShadeSphere(s, rock, Sand, 13, 11, 15, 15);
    // Cracks and a scorched patch.
    Mask crack = LineMask(32, 32, 10, 12, 18, 18, 1.2f);
    crack.Add(LineMask(32, 32, 18, 18, 24, 15, 1.2f));
    Fill(s, crack, Sand.Shade[0]);
    for (int k = 0; k < 5; ++k) s.Put(19 + k, 23 - k / 2, Sand.Shade[1]);
    Outline(s, InkColour);
    return s;
}

Sprite Mine() {
    Sprite s(32, 32);
    ShadeBevel(s, SpokesMask(32, 32, 16, 16, 8, 0, 13, 2.6f, 0), Gunmetal, 3.2f);
    const Mask ball = EllipseMask(32, 32, 16, 16, 9, 9);
    ShadeSphere(s, ball, MakeRamp(0x585468), 13, 13, 9.5f, 9.5f);
    ShadeGlow(s, EllipseMask(32, 32, 16, 16, 3, 3), MakeRamp(0xF83828, 0.5f, 1.5f), 15.5f, 15.5f, 3.5f);
    Outline(s, InkColour);
    return s;
}

Sprite Drone() {
    Sprite s(32, 32);
    ShadeBevel(s, SymAbout(32, {{20, 15.5f}, {25, 6}, {29, 6}, {28, 15.5f}}), Olive, 3.0f);
    const Mask body = PolygonMask(32, 32, {{3, 16}, {9, 10}, {28, 11}, {28, 21}, {9, 22}});
    ShadeBevel(s, body, MakeRamp(0xD8B838), 3.2f, 1.4f);
    for (int x = 12; x < 26; ++x)
        for (int y = 12; y < 21; ++y)
            if (((x + y) / 3) % 2 == 0 && s.IsSolid(x, y))
                s.Put(x, y, Dithered(MakeRamp(0x383040), 2.5f, x, y));
    ShadeGlow(s, EllipseMask(32, 32, 8, 16, 2.5f, 2.5f), MakeRamp(0xF04830, 0.5f, 1.5f), 7.5f, 15.5f, 3);
    Outline(s, InkColour);
    return s;
}

Sprite ItemCarrier() {
    Sprite s(32, 32);
    // A red-and-white striped capsule with handles: shoot it open for an item.
    const Mask shell = EllipseMask(32, 32, 16, 16, 13, 10);
    ShadeSphere(s, shell, MakeRamp(0xE8E0E0), 12, 11, 13, 10);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (shell.At(x, y) && (x / 5) % 2 == 0) {
                const float l = 1.2f + 3.2f * (1 - std::hypot(x - 12.0f, y - 11.0f) / 17);
                s.Put(x, y, Dithered(EnemyRed, l, x, y));
            }
    ShadeBevel(s, RectMask(32, 32, 13, 3, 6, 3), Gunmetal, 3.0f);
    ShadeBevel(s, RectMask(32, 32, 13, 26, 6, 3), Gunmetal, 3.0f);
    ShadeGlow(s, EllipseMask(32, 32, 16, 16, 3.5f, 3.5f), Eye, 15, 15, 4);
    Outline(s, InkColour);
    return s;
}

// Items: a jewel-cut badge in the item's colour with a large symbol a player reads at a glance.
Sprite ItemBadge(uint32_t colour, const char* text, int scale) {
    Sprite s(32, 32);
    const Ramp r = MakeRamp(colour, 1.0f, 1.2f);
    const Mask badge =
        PolygonMask(32, 32, {{9, 3}, {23, 3}, {29, 9}, {29, 23}, {23, 29}, {9, 29}, {3, 23}, {3, 9}});
    ShadeSphere(s, badge, r, 12, 11, 17, 17);
    Mask inner =
        PolygonMask(32, 32, {{10, 6}, {22, 6}, {26, 10}, {26, 22}, {22, 26}, {10, 26}, {6, 22}, {6, 10}});
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (badge.At(x, y) && !inner.At(x, y) && (inner.At(x + 1, y + 1) || inner.At(x - 1, y - 1)))
                s.Put(x, y, r.Shade[5]);
    const std::string label = text;
    const int w = TextPixelWidth(label, scale, scale);
    const int x0 = (32 - w) / 2, y0 = (32 - 7 * scale) / 2;
    const Mask letters = TextMask(32, 32, label, x0, y0, scale, scale, scale);
    const Mask shadow = letters.Shifted(1, 1);
    Fill(s, Mask(shadow).Cut(letters), r.Shade[0]);
    DrawLabel(s, label, x0, y0, scale, scale, MakeRamp(0xFFF4E0, 0.3f, 1.0f), scale);
    Outline(s, InkColour);
    return s;
}

Sprite HitPointItem() {
    Sprite s = ItemBadge(0x38B048, "", 2);
    // A white cross, the universal sign for repair.
    const Mask cross = RectMask(32, 32, 13, 8, 6, 16).Add(RectMask(32, 32, 8, 13, 16, 6));
    Fill(s, cross.Shifted(1, 1), 0x1C5028);
    ShadeBevel(s, cross, MakeRamp(0xF0F4F0, 0.3f, 1.0f), 4.0f);
    return s;
}

Sprite ExtraShipItem() {
    Sprite s = ItemBadge(0xE0A828, "", 1);
    Mask text = TextMask(32, 32, "1UP", 7, 17, 1, 1, 1);
    Fill(s, text.Shifted(1, 1), 0x503010);
    Fill(s, text, 0xFFFFFF);
    // A tiny ship above the legend.
    const Mask ship = PolygonMask(32, 32, {{9, 9}, {13, 7}, {23, 11}, {13, 15}, {9, 13}});
    ShadeBevel(s, ship, MakeRamp(0x4A84E0), 3.5f);
    return s;
}

// A small fighter for the 16-pixel cells.
Sprite SmallFlier() {
    Sprite s(16, 16);
    ShadeBevel(s, SymAbout(16, {{7, 7.5f}, {10, 2}, {13, 2}, {12, 7.5f}}), Gunmetal, 3.0f);
    ShadeBevel(s, SymAbout(16, {{2, 7.5f}, {5, 5}, {13, 6}, {13, 7.5f}}), EnemyRed, 3.2f);
    s.Put(6, 7, 0xF8F070);
    s.Put(6, 8, 0xC88020);
    Outline(s, InkColour);
    return s;
}

Sprite Gunner() {
    Sprite s(16, 16);
    ShadeBevel(s, SymAbout(16, {{6, 7.5f}, {9, 3}, {13, 3}, {13, 7.5f}}), Olive, 3.0f);
    ShadeBevel(s, RectMask(16, 16, 2, 6, 6, 1), Gunmetal, 3.0f);
    ShadeBevel(s, RectMask(16, 16, 2, 9, 6, 1), Gunmetal, 3.0f);
    ShadeSphere(s, EllipseMask(16, 16, 9, 8, 4, 3), Olive, 8, 6.5f, 4, 3.5f);
    s.Put(7, 7, 0xF84830);
    Outline(s, InkColour);
    return s;
}

Sprite Scout() {
    Sprite s(16, 16);
    // A light lilac hull with a pale canopy: the small flier keeps a bright top over lit farmland.
    ShadeSphere(s, EllipseMask(16, 16, 8, 9, 6, 3), MakeRamp(0xB48CDC, 1.0f, 1.4f), 7, 8, 6, 3);
    ShadeSphere(s, EllipseMask(16, 16, 8, 7, 3, 2.5f), MakeRamp(0xA8B0C8, 1.0f, 1.4f), 7, 6, 3, 2.5f);
    for (int x = 4; x < 13; x += 3) s.Put(x, 10, 0xF8E070);
    Outline(s, InkColour);
    return s;
}

Sprite PartOrb() {
    Sprite s(16, 16);
    ShadeSphere(s, EllipseMask(16, 16, 8, 8, 6, 6), MakeRamp(0x6A6478), 6.5f, 6.5f, 6.5f, 6.5f);
    ShadeGlow(s, EllipseMask(16, 16, 7, 8, 2.5f, 2.5f), MakeRamp(0xF05070, 0.5f, 1.5f), 6.5f, 7.5f, 3);
    Outline(s, InkColour);
    return s;
}

Sprite Pod() {
    Sprite s(32, 32);
    ShadeBevel(s, SpokesMask(32, 32, 16, 16, 4, 0, 13, 4, 3.14159265f / 4), EnemyRed, 3.0f);
    ShadeSphere(s, EllipseMask(32, 32, 16, 16, 9, 9), Gunmetal, 13, 13, 9, 9);
    Mask ring = EllipseMask(32, 32, 16, 16, 5, 5);
    ShadeGlow(s, ring, MakeRamp(0x60E8F0, 0.5f, 1.5f), 15, 15, 5.5f);
    Outline(s, InkColour);
    return s;
}

}  // namespace

// A heavy craft facing left: a fuselage, a wing pair, an engine and a cockpit, in its own colours.
Sprite HeavyCraft(const Ramp& hull, const Ramp& wing, float span, float nose, bool twinTail) {
    Sprite s(32, 32);
    ShadeBevel(s, SymAbout(32, {{11, 15.5f}, {18, 15.5f - span}, {24, 15.5f - span}, {22, 15.5f}}), wing,
               3.0f);
    if (twinTail) ShadeBevel(s, SymAbout(32, {{24, 12}, {28, 6}, {30, 6}, {29, 12}}), wing, 2.6f);
    ShadeBevel(s, SymAbout(32, {{nose, 15.5f}, {nose + 5, 11}, {27, 10.5f}, {30, 13}, {30, 15.5f}}), hull,
               3.2f);
    ShadeSphere(s, EllipseMask(32, 32, nose + 8, 14, 3.5f, 2), MakeRamp(0xF05848, 1, 1.3f), nose + 7, 13,
                3.5f, 2);
    Outline(s, InkColour);
    return s;
}

void PaintEnemies(Surface& sheet) {
    Place(sheet, WallBlock(), cells::WallBlock);
    Place(sheet, GunTurret(), cells::Turret);
    Place(sheet, Debris(), cells::Debris);
    Place(sheet, HeavyCraft(MakeRamp(0x6A8A58), MakeRamp(0x485A40), 12, 2, false), cells::HeavyCraftA);
    Place(sheet, HeavyCraft(MakeRamp(0x8A6A98), MakeRamp(0x584468), 9, 3, true), cells::HeavyCraftC);
    Place(sheet, Mine(), cells::Mine);
    Place(sheet, Drone(), cells::Drone);
    Place(sheet, ItemCarrier(), cells::ItemCarrier);
    Place(sheet, HeavyCraft(MakeRamp(0x5A80A0), MakeRamp(0x3A5068), 13, 4, true), cells::HeavyCraftB);
    Place(sheet, HeavyCraft(MakeRamp(0xA07048), MakeRamp(0x704830), 10, 2, false), cells::HeavyCraftD);
    Place(sheet, HeavyCraft(MakeRamp(0xB04048), MakeRamp(0x6A6878), 7, 1, true), cells::Interceptor);
    Place(sheet, ItemBadge(0xD83830, "P", 2), cells::ItemPower);
    Place(sheet, HitPointItem(), cells::ItemHitPoint);
    Place(sheet, ItemBadge(0x3870D8, "O", 2), cells::ItemOption);
    Place(sheet, ExtraShipItem(), cells::ItemExtraShip);
    Place(sheet, SmallFlier(), cells::SmallFlier);
    Place(sheet, Gunner(), cells::Gunner);
    Place(sheet, Scout(), cells::Scout);
    Place(sheet, PartOrb(), cells::PartOrb);
    Place(sheet, Pod(), cells::Pod);
}

}  // namespace veltrano::assetgen
