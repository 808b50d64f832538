// The kinds of object: every range of the 20000 object slots is one kind, and each kind has one row
// here with everything the game knows about it: how it meets the ship and the shots, whether it starts
// inert, what it is worth, what its destruction sounds like, the hit points a stage gives it unless the
// stage says otherwise, whether it is a boss, and what it looks like. The world's reset, the
// collisions, the sound cues, the drawing passes and the stage inits all read these rows; no other
// place says where a kind begins or ends.
#pragma once

#include <array>
#include <cstdint>
#include <iterator>

#include "world/SheetCells.h"
#include "world/Sounds.h"
#include "world/World.h"

namespace veltrano {

// The destruction of a kind with this sound is silent.
constexpr SoundSlot NoSound = SoundSlotCount;

// Which pass draws a kind; kinds of one pass are drawn in the order of their rows.
enum class DrawPass : uint8_t {
    None,               // never drawn
    LargeObjects,       // bosses and their parts, over the ship
    CountdownBlocks,    // the continue countdown's numeral, over the large objects
    ObjectsAndBullets,  // items, enemies, scenery and enemy bullets, under the ship
};

struct ObjectKind {
    int First, Last;
    int HitClass;  // EnemySize after a reset
    bool Inert;    // starts in state 1 after a reset
    int Points;    // added when it is destroyed with no hit points left
    SoundSlot DeathSound;
    int DefaultHP;  // what a stage gives it unless the stage says otherwise; 0: the stage decides
    bool Boss;      // a boss or a boss's part: its fall is heard twice and it may carry the display
    DrawPass Pass;
    SpriteCell Normal;    // state 0 or 1
    Look Item;            // state 2
    Look Other;           // state 3 and any other value, negative ones included
    int NormalStepY = 0;  // the normal picture moves this far down the sheet with each slot of the range
};

// The heavy craft come only in the late stages; the stages before them leave their hit points alone.
constexpr int FirstHeavyCraftSlot = 5500;

namespace kinds {

using namespace cells;

constexpr ObjectKind Kind(int first, int last, int hitClass, int points, SoundSlot sound, int hp,
                          DrawPass pass, SpriteCell normal, Look other, int stepY = 0) {
    return {.First = first,
            .Last = last,
            .HitClass = hitClass,
            .Inert = false,
            .Points = points,
            .DeathSound = sound,
            .DefaultHP = hp,
            .Boss = false,
            .Pass = pass,
            .Normal = normal,
            .Item = other,
            .Other = other,
            .NormalStepY = stepY};
}
constexpr ObjectKind Boss(int slot, int hitClass, int points, SpriteCell normal, Look other = LongBurstLook) {
    ObjectKind kind =
        Kind(slot, slot, hitClass, points, BossDeathSound, 0, DrawPass::LargeObjects, normal, other);
    kind.Boss = true;
    return kind;
}
// An item carrier: shot down, it shows the item it carries.
constexpr ObjectKind Item(int first, int last, SpriteCell item) {
    ObjectKind kind = Kind(first, last, ItemCarrierClass, 200, ItemSound, 2, DrawPass::ObjectsAndBullets,
                           ItemCarrier, NothingLook);
    kind.Item = Picture(item);
    return kind;
}
// Never drawn, and at rest until a script wakes it.
constexpr ObjectKind Inert(int first, int last, int hitClass, SoundSlot sound) {
    ObjectKind kind = Kind(first, last, hitClass, 0, sound, 0, DrawPass::None, NoSprite, NothingLook);
    kind.Inert = true;
    return kind;
}

constexpr DrawPass Large = DrawPass::LargeObjects;
constexpr DrawPass Block = DrawPass::CountdownBlocks;
constexpr DrawPass Field = DrawPass::ObjectsAndBullets;
constexpr DrawPass Unseen = DrawPass::None;
constexpr SoundSlot Small = EnemyDeathSound;
constexpr SoundSlot Big = BigEnemyDeathSound;
constexpr Look BallLook = Picture(BurstBall);

}  // namespace kinds

// clang-format off
// Rows of one pass in drawing order: the second boss's shield (slot 8) goes under the boss (slot 7).
constexpr ObjectKind ObjectKinds[] = {
    //          slots          class                 points   death sound  HP  pass    picture         destroyed
    kinds::Kind(0, 5,          LargeObjectClass,     0,       NoSound,     0,  kinds::Large, cells::ShipCell(0), kinds::BallLook, cells::ShipCell(1).Y),
    kinds::Boss(6,             LargeEnemyClass,      100000,  cells::BossOne),
    kinds::Boss(8,             LargeObjectClass,     0,       cells::BossTwoShield, cells::EvenFramePicture(cells::BossTwoShield)),
    kinds::Boss(7,             LargeEnemyClass,      200000,  cells::BossTwo),
    kinds::Boss(9,             LargeEnemyClass,      300000,  cells::BossThree),
    kinds::Boss(10,            LargeEnemyClass,      0,       cells::BossFourFirst),
    kinds::Boss(11,            LargeEnemyClass,      400000,  cells::BossFourSecond),
    kinds::Boss(12,            LargeEnemyClass,      500000,  cells::BossFive),
    kinds::Boss(13,            LargeEnemyClass,      600000,  cells::LateBossCell(0)),
    kinds::Boss(14,            LargeEnemyClass,      700000,  cells::LateBossCell(1)),
    kinds::Boss(15,            LargeEnemyClass,      800000,  cells::LateBossCell(2)),
    kinds::Boss(16,            LargeEnemyClass,      900000,  cells::LateBossCell(3)),
    kinds::Boss(17,            LargeEnemyClass,      1000000, cells::LateBossCell(4)),
    kinds::Boss(18,            LargeEnemyClass,      5000000, cells::GodBattle),
    kinds::Boss(19,            LargeShotProofClass,  0,       cells::GodEndurance),
    kinds::Kind(20, 20,        SmallEnemyClass,      0,       kinds::Big,  0,  kinds::Large, cells::GuardA, cells::LongBurstLook),
    kinds::Kind(21, 21,        SmallEnemyClass,      0,       kinds::Big,  0,  kinds::Large, cells::GuardB, cells::LongBurstLook),
    kinds::Kind(22, 29,        SmallEnemyClass,      0,       kinds::Big,  0,  kinds::Large, cells::Shard, cells::ShortBurstLook),
    kinds::Kind(30, 99,        SmallEnemyClass,      0,       kinds::Big,  0,  kinds::Unseen, NoSprite, cells::NothingLook),
    kinds::Kind(100, 149,      SmallEnemyClass,      0,       kinds::Big,  0,  kinds::Block, cells::ArmouredShipCell(0), kinds::BallLook),
    kinds::Kind(150, 199,      SmallEnemyClass,      0,       kinds::Big,  0,  kinds::Block, cells::ArmouredShipCell(1), kinds::BallLook),
    kinds::Kind(200, 249,      SmallEnemyClass,      0,       kinds::Big,  0,  kinds::Block, cells::ArmouredShipCell(2), kinds::BallLook),
    kinds::Kind(250, 299,      SmallEnemyClass,      0,       kinds::Big,  0,  kinds::Block, cells::ArmouredShipCell(3), kinds::BallLook),
    kinds::Kind(300, 349,      SmallEnemyClass,      0,       kinds::Big,  0,  kinds::Block, cells::ArmouredShipCell(4), kinds::BallLook),
    kinds::Kind(350, 399,      SmallEnemyClass,      0,       kinds::Big,  0,  kinds::Block, cells::ArmouredShipCell(5), kinds::BallLook),
    kinds::Kind(400, 699,      SmallEnemyClass,      0,       kinds::Big,  0,  kinds::Unseen, NoSprite, cells::NothingLook),
    kinds::Inert(700, 799,     SmallBulletClass,              kinds::Big),
    kinds::Item(FirstPowerItemSlot, LastPowerItemSlot,         cells::ItemPower),
    kinds::Item(FirstHitPointItemSlot, LastHitPointItemSlot,   cells::ItemHitPoint),
    kinds::Item(FirstOptionItemSlot, LastOptionItemSlot,       cells::ItemOption),
    kinds::Item(FirstExtraShipItemSlot, LastExtraShipItemSlot, cells::ItemExtraShip),
    kinds::Kind(1000, 1499,    SmallEnemyClass,      100,     kinds::Small, 1, kinds::Field, cells::SmallFlier, cells::SparkLook),
    kinds::Kind(1500, 1799,    SmallEnemyClass,      100,     kinds::Small, 1, kinds::Field, cells::Gunner, cells::SparkLook),
    kinds::Kind(1800, 1999,    SmallEnemyClass,      500,     kinds::Small, 5, kinds::Field, cells::Gunner, cells::SparkLook),
    kinds::Kind(2000, 2399,    LargeEnemyClass,      500,     kinds::Small, 5, kinds::Field, cells::Turret, cells::ShortBurstLook),
    kinds::Kind(2400, 2479,    LargeEnemyClass,      1000,    kinds::Big,   0, kinds::Field, cells::Turret, cells::ShortBurstLook),
    kinds::Kind(2480, 2499,    LargeEnemyClass,      5000,    kinds::Big,   0, kinds::Field, cells::Turret, cells::ShortBurstLook),
    kinds::Kind(2500, 2899,    LargeShotProofClass,  0,       kinds::Small, 0, kinds::Field, cells::WallBlock, cells::ShortBurstLook),
    kinds::Kind(2900, 2999,    LargeShotProofClass,  0,       kinds::Big,   0, kinds::Field, cells::WallBlock, cells::ShortBurstLook),
    kinds::Kind(3000, 3499,    LargeEnemyClass,      500,     kinds::Small, 5, kinds::Field, cells::Debris, cells::ShortBurstLook),
    kinds::Kind(3500, 3999,    LargeEnemyClass,      1000,    kinds::Big,  10, kinds::Field, cells::Mine, cells::ShortBurstLook),
    kinds::Kind(4000, 4499,    LargeEnemyClass,      500,     kinds::Big,   3, kinds::Field, cells::Drone, cells::ShortBurstLook),
    kinds::Kind(4500, 4999,    SmallShotProofClass,  0,       kinds::Small, 0, kinds::Field, cells::PartOrb, cells::SparkLook),
    kinds::Kind(5000, 5499,    LargeShotProofClass,  0,       kinds::Small, 0, kinds::Field, cells::Pod, cells::ShortBurstLook),
    kinds::Kind(FirstHeavyCraftSlot, 5749, LargeEnemyClass, 1500,    kinds::Big,  15, kinds::Field, cells::HeavyCraftA, cells::ShortBurstLook),
    kinds::Kind(5750, 5999,    LargeEnemyClass,      1500,    kinds::Big,  15, kinds::Field, cells::HeavyCraftB, cells::ShortBurstLook),
    kinds::Kind(6000, 6249,    LargeEnemyClass,      1500,    kinds::Big,  15, kinds::Field, cells::HeavyCraftC, cells::ShortBurstLook),
    kinds::Kind(6250, 6499,    LargeEnemyClass,      1500,    kinds::Big,  15, kinds::Field, cells::HeavyCraftD, cells::ShortBurstLook),
    kinds::Kind(6500, 6999,    LargeEnemyClass,      700,     kinds::Small, 7, kinds::Field, cells::Interceptor, cells::ShortBurstLook),
    kinds::Inert(7000, 7999,   SmallEnemyClass,               kinds::Small),
    kinds::Kind(8000, 8999,    SmallEnemyClass,      200,     kinds::Small, 2, kinds::Field, cells::Scout, cells::SparkLook),
    kinds::Kind(FirstBulletSlot, 9999, SmallBulletClass, 0,   NoSound,      0, kinds::Field, cells::BulletHeavy, cells::NothingLook),
    kinds::Kind(10000, 10999,  SmallBulletClass,     0,       NoSound,      0, kinds::Field, cells::BulletShard, cells::NothingLook),
    kinds::Kind(FirstScriptBulletSlot, 12999, LargeBulletClass, 0, NoSound, 0, kinds::Field, cells::BulletSmall, cells::NothingLook),
    kinds::Kind(13000, 14999,  SmallBulletClass,     0,       NoSound,      0, kinds::Field, cells::BulletSmall, cells::NothingLook),
    kinds::Kind(15000, LastBulletSlot, SmallBulletClass, 0,   NoSound,      0, kinds::Field, cells::BulletLarge, cells::NothingLook),
};
// clang-format on

constexpr int ObjectKindCount = static_cast<int>(std::size(ObjectKinds));

namespace kinds {

// Row k of ObjectKinds for every slot; a slot no row holds, or two rows hold, stops the build.
constexpr std::array<uint8_t, ObjectSlotCount> MakeKindIndex() {
    std::array<uint8_t, ObjectSlotCount> index{};
    std::array<bool, ObjectSlotCount> held{};
    for (int k = 0; k < ObjectKindCount; ++k) {
        for (int slot = ObjectKinds[k].First; slot <= ObjectKinds[k].Last; ++slot) {
            if (held[slot]) throw "two kinds hold one slot";
            held[slot] = true;
            index[slot] = static_cast<uint8_t>(k);
        }
    }
    for (bool h : held)
        if (!h) throw "a slot belongs to no kind";
    return index;
}

inline constexpr std::array<uint8_t, ObjectSlotCount> KindIndex = MakeKindIndex();

// The boss rows stand together, so the first and last of them bound a block of slots.
constexpr bool BossRowsTogether() {
    bool seen = false, ended = false;
    for (int slot = 0; slot < ObjectSlotCount; ++slot) {
        const bool boss = ObjectKinds[KindIndex[slot]].Boss;
        if (boss && ended) return false;
        if (!boss && seen) ended = true;
        seen = seen || boss;
    }
    return seen;
}
static_assert(BossRowsTogether(), "the boss slots are one block");

constexpr int FirstBossRow() {
    for (const ObjectKind& kind : ObjectKinds)
        if (kind.Boss) return kind.First;
    return -1;
}
constexpr int LastBossRow() {
    int last = -1;
    for (const ObjectKind& kind : ObjectKinds)
        if (kind.Boss && kind.Last > last) last = kind.Last;
    return last;
}

}  // namespace kinds

// The row of the kind that `slot` (0..19999) belongs to.
inline const ObjectKind& KindOfSlot(int slot) {
    return ObjectKinds[kinds::KindIndex[static_cast<unsigned>(slot)]];
}

// The bosses and their parts stand in one block of slots.
constexpr int FirstBossSlot = kinds::FirstBossRow();
constexpr int LastBossSlot = kinds::LastBossRow();

// The last slot that is not an enemy bullet.
constexpr int LastNonBulletSlot = FirstBulletSlot - 1;

}  // namespace veltrano
