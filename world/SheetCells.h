// The cells of the character sheet that object slots show, and the ways a slot can show one: a
// picture, or an explosion that plays out over the frames after its destruction. They sit below the
// drawing passes because each kind of object names its pictures in its own row (world/ObjectKinds.h);
// render/SpriteCells.h adds the cells of the ship, the shots and the display.
#pragma once

namespace veltrano {

// The rectangle (X, Y)-(X + W, Y + H) of CharacterSheet; a width of 0 is no picture at all.
struct SpriteCell {
    int X = 0, Y = 0, W = 0, H = 0;
    constexpr bool Drawn() const { return W > 0; }
    constexpr bool operator==(const SpriteCell&) const = default;
};

constexpr SpriteCell NoSprite{};

namespace cells {

// clang-format off
// The ship of each weapon type, its armoured hull (also the blocks of the countdown numeral) and its
// explosion; ShotType 1..6 is row 0..5.
constexpr SpriteCell ShipCell(int row) { return {0, 32 * row, 32, 32}; }
constexpr SpriteCell ArmouredShipCell(int row) { return {32, 32 * row, 32, 32}; }
constexpr int ShipRows = 6;
constexpr SpriteCell ShipBurstSmall{160, 224, 16, 16};
constexpr SpriteCell ShipBurstLarge{160, 192, 32, 32};

// Bursts, from a flash to a fireball.
constexpr SpriteCell BurstFlash{80, 208, 16, 16};
constexpr SpriteCell BurstBall{160, 0, 32, 32};
constexpr SpriteCell BurstRising{192, 64, 64, 64};
constexpr SpriteCell BurstPeak{192, 0, 64, 64};

// Bosses and their parts.
constexpr SpriteCell BossOne{96, 160, 32, 32};
constexpr SpriteCell BossTwo{96, 192, 32, 32};
constexpr SpriteCell BossTwoShield{256, 0, 96, 96};
constexpr SpriteCell BossThree{96, 224, 32, 32};
constexpr SpriteCell BossFourFirst{128, 160, 32, 32};
constexpr SpriteCell BossFourSecond{128, 192, 32, 32};
constexpr SpriteCell BossFive{128, 224, 32, 32};
// Bosses 6 to 10 stand one below the other, like the two gods and the two guards.
constexpr int BossStepY = 32;
constexpr SpriteCell LateBossCell(int k) { return {160, 32 + BossStepY * k, 32, 32}; }
constexpr int LateBossCount = 5;
constexpr SpriteCell GodBattle{192, 160, 32, 32};
constexpr SpriteCell GodEndurance{192, 192, 32, 32};
constexpr SpriteCell GuardA{224, 128, 32, 32};
constexpr SpriteCell GuardB{224, 160, 32, 32};
constexpr SpriteCell Shard{224, 192, 32, 32};

// Items, enemies and scenery.
constexpr SpriteCell ItemCarrier{96, 64, 32, 32};
constexpr SpriteCell ItemPower{128, 32, 32, 32};
constexpr SpriteCell ItemHitPoint{128, 64, 32, 32};
constexpr SpriteCell ItemOption{128, 96, 32, 32};
constexpr SpriteCell ItemExtraShip{128, 128, 32, 32};
constexpr SpriteCell SmallFlier{64, 160, 16, 16};
constexpr SpriteCell Gunner{80, 160, 16, 16};
constexpr SpriteCell Turret{64, 32, 32, 32};
constexpr SpriteCell WallBlock{64, 0, 32, 32};
constexpr SpriteCell Debris{64, 64, 32, 32};
constexpr SpriteCell Mine{96, 0, 32, 32};
constexpr SpriteCell Drone{96, 32, 32, 32};
constexpr SpriteCell PartOrb{80, 192, 16, 16};
constexpr SpriteCell Pod{192, 128, 32, 32};
constexpr SpriteCell HeavyCraftA{64, 96, 32, 32};
constexpr SpriteCell HeavyCraftB{96, 96, 32, 32};
constexpr SpriteCell HeavyCraftC{64, 128, 32, 32};
constexpr SpriteCell HeavyCraftD{96, 128, 32, 32};
constexpr SpriteCell Interceptor{128, 0, 32, 32};
constexpr SpriteCell Scout{80, 176, 16, 16};

// Enemy bullets.
constexpr SpriteCell BulletHeavy{64, 208, 16, 16};
constexpr SpriteCell BulletShard{64, 192, 16, 16};
constexpr SpriteCell BulletSmall{64, 224, 8, 8};
constexpr SpriteCell BulletLarge{64, 176, 16, 16};
// clang-format on

}  // namespace cells

// What a range of object slots shows.
enum class LookKind { Nothing, Picture, EvenFramePicture, Spark, ShortBurst, LongBurst };

struct Look {
    LookKind Kind = LookKind::Nothing;
    SpriteCell Cell;
};

namespace cells {

constexpr Look NothingLook{};
constexpr Look SparkLook{LookKind::Spark, NoSprite};
constexpr Look ShortBurstLook{LookKind::ShortBurst, NoSprite};
constexpr Look LongBurstLook{LookKind::LongBurst, NoSprite};
constexpr Look Picture(SpriteCell cell) {
    return {LookKind::Picture, cell};
}
constexpr Look EvenFramePicture(SpriteCell cell) {
    return {LookKind::EvenFramePicture, cell};
}

}  // namespace cells

}  // namespace veltrano
