// Cells of the character sheet: every rectangle the sprite and display passes cut from CharacterSheet,
// named, and the tables that say which slot, weapon or value shows which cell. The drawing passes draw
// by these tables, and the picture generator paints and checks the same cells, so a picture can only
// be drawn where the game looks for it. Every sprite is a keyed copy from CharacterSheet onto BackBuffer.
#pragma once

#include <cstddef>

#include "platform/Display.h"
#include "platform/Surface.h"
#include "world/World.h"

namespace veltrano {

// The rectangle (X, Y)-(X + W, Y + H) of CharacterSheet; a width of 0 is no picture at all.
struct SpriteCell {
    int X = 0, Y = 0, W = 0, H = 0;
    constexpr bool Drawn() const { return W > 0; }
    constexpr bool operator==(const SpriteCell&) const = default;
};

constexpr SpriteCell NoSprite{};

// An explosion is a list of pictures, each shown for six frames and drawn at (X + Offset, Y + Offset).
struct AnimationFrame {
    SpriteCell Cell;
    int Offset = 0;
};

struct Animation {
    const AnimationFrame* Frames;
    int Count;
};

constexpr int AnimationFrameLength = 6;

namespace cells {

// clang-format off
// The ship of each weapon type, its armoured hull (also the blocks of the countdown numeral) and its
// explosion; ShotType 1..6 is row 0..5.
constexpr SpriteCell ShipCell(int row) { return {0, 32 * row, 32, 32}; }
constexpr SpriteCell ArmouredShipCell(int row) { return {32, 32 * row, 32, 32}; }
constexpr int ShipRows = 6;
constexpr SpriteCell ShipBurstSmall{160, 224, 16, 16};
constexpr SpriteCell ShipBurstLarge{160, 192, 32, 32};

// Shot and option cells, by ShotType 1..6.
constexpr SpriteCell ShotCells[] = {
    {0, 192, 16, 16},  {16, 192, 16, 16}, {32, 192, 16, 16},
    {48, 192, 16, 16}, {0, 208, 16, 16},  {16, 208, 16, 16},
};
constexpr SpriteCell OptionCells[] = {
    {0, 224, 16, 16},  {16, 224, 16, 16}, {32, 224, 16, 16},
    {48, 224, 16, 16}, {0, 240, 16, 16},  {16, 240, 16, 16},
};

// Bursts, from a flash to a fireball.
constexpr SpriteCell BurstFlash{80, 208, 16, 16};
constexpr SpriteCell BurstBall{160, 0, 32, 32};
constexpr SpriteCell BurstRising{192, 64, 64, 64};
constexpr SpriteCell BurstPeak{192, 0, 64, 64};

// Bosses and their parts, slots 6..29.
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

// Items, enemies and scenery, slots 800..8999.
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

// Enemy bullets, slots 9000..19999.
constexpr SpriteCell BulletHeavy{64, 208, 16, 16};
constexpr SpriteCell BulletShard{64, 192, 16, 16};
constexpr SpriteCell BulletSmall{64, 224, 8, 8};
constexpr SpriteCell BulletLarge{64, 176, 16, 16};
constexpr SpriteCell EnemyBulletCells[] = {BulletLarge, BulletShard, BulletHeavy, BulletSmall};

// Title, menu and key-configuration pictures.
constexpr SpriteCell LogoLeft{0, 256, 128, 128};
constexpr SpriteCell LogoMiddle{128, 256, 128, 128};
constexpr SpriteCell LogoRight{256, 256, 128, 128};
constexpr SpriteCell GameStartLabel{0, 384, 160, 32};
constexpr SpriteCell ConfigLabel{160, 384, 96, 32};
constexpr SpriteCell Cursor{256, 384, 32, 32};
constexpr SpriteCell LevelLabel{128, 416, 112, 32};
constexpr SpriteCell ButtonHeading{256, 480, 128, 32};
constexpr SpriteCell SpeedKey{256, 512, 32, 32};
constexpr SpriteCell FireKey{288, 512, 32, 32};
constexpr SpriteCell BurstKey{320, 512, 32, 32};
constexpr SpriteCell ConfirmKey{256, 544, 112, 32};
constexpr SpriteCell ExitLabel{320, 416, 32, 32};
constexpr SpriteCell DifficultyCells[] = {{0, 448, 32, 32}, {32, 448, 32, 32}, {64, 448, 32, 32}};  // 0..2
constexpr SpriteCell ButtonCells[] = {
    {160, 448, 32, 32}, {192, 448, 32, 32}, {224, 448, 32, 32}, {256, 448, 32, 32}, {288, 448, 32, 32},
    {0, 416, 32, 32},   {32, 416, 32, 32},  {64, 416, 32, 32},  {96, 416, 32, 32},  {96, 448, 32, 32},
};  // button numbers 1..10

// The head-up display: digits by character '0'..'9', weapon icons by ShotType 1..6.
constexpr SpriteCell LargeDigits[] = {
    {256, 128, 32, 32}, {288, 128, 32, 32}, {320, 128, 32, 32}, {352, 128, 32, 32}, {256, 160, 32, 32},
    {288, 160, 32, 32}, {320, 160, 32, 32}, {352, 160, 32, 32}, {352, 192, 32, 32}, {352, 224, 32, 32},
};
constexpr SpriteCell SmallDigits[] = {
    {256, 96, 16, 16},  {272, 96, 16, 16},  {288, 96, 16, 16},  {304, 96, 16, 16},  {320, 96, 16, 16},
    {256, 112, 16, 16}, {272, 112, 16, 16}, {288, 112, 16, 16}, {304, 112, 16, 16}, {320, 112, 16, 16},
};
constexpr SpriteCell WeaponIcons[] = {
    {336, 96, 16, 16},  {352, 96, 16, 16},  {368, 96, 16, 16},
    {336, 112, 16, 16}, {352, 112, 16, 16}, {368, 112, 16, 16},
};
constexpr SpriteCell SpeedLabel{352, 0, 32, 16};
constexpr SpriteCell SpeedMark{352, 16, 16, 16};
constexpr SpriteCell GameOverPicture{0, 480, 128, 128};
constexpr SpriteCell ClosingPicture{128, 480, 128, 128};

// The explosions, frame by frame.
constexpr AnimationFrame ShipExplosionFrames[] = {
    {ShipBurstSmall, 8}, {ShipBurstLarge, 0}, {ShipBurstSmall, 8},
};
constexpr AnimationFrame LongBurstFrames[] = {
    {BurstFlash, 8},        {BurstBall, 0},       {BurstFlash, 8},
    {BurstRising, -16},     {BurstPeak, -16},     {BurstRising, -16},
};
constexpr AnimationFrame SparkFrames[] = {{BurstFlash, 0}};
// clang-format on

}  // namespace cells

// What a range of object slots shows.
enum class LookKind { Nothing, Picture, EvenFramePicture, Spark, ShortBurst, LongBurst };

struct Look {
    LookKind Kind = LookKind::Nothing;
    SpriteCell Cell;
};

struct SlotRangeLook {
    int First, Last;
    SpriteCell Normal;    // state 0 or 1
    Look Item;            // state 2
    Look Other;           // state 3 and any other value, negative ones included
    int NormalStepY = 0;  // the normal picture moves this far down the sheet with each slot of the range
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

// The slots below 400 look the same in every state but 0 and 1.
constexpr SlotRangeLook Slots(int first, int last, SpriteCell normal, Look otherwise, int stepY = 0) {
    return {first, last, normal, otherwise, otherwise, stepY};
}

// clang-format off
// Large enemies, bosses and their parts, in drawing order: slot 8 goes under slot 7.
constexpr SlotRangeLook LargeObjectLooks[] = {
    Slots(0, 5, ShipCell(0), Picture(BurstBall), ShipCell(1).Y),
    Slots(6, 6, BossOne, LongBurstLook),
    Slots(8, 8, BossTwoShield, EvenFramePicture(BossTwoShield)),
    Slots(7, 7, BossTwo, LongBurstLook),
    Slots(9, 9, BossThree, LongBurstLook),
    Slots(10, 10, BossFourFirst, LongBurstLook),
    Slots(11, 11, BossFourSecond, LongBurstLook),
    Slots(12, 12, BossFive, LongBurstLook),
    Slots(13, 17, LateBossCell(0), LongBurstLook, BossStepY),
    Slots(18, 19, GodBattle, LongBurstLook, BossStepY),
    Slots(20, 21, GuardA, LongBurstLook, BossStepY),
    Slots(22, 29, Shard, ShortBurstLook),
};

// The 32-by-32 blocks of the continue countdown's numeral.
constexpr SlotRangeLook CountdownBlockLooks[] = {
    Slots(100, 149, ArmouredShipCell(0), Picture(BurstBall)),
    Slots(150, 199, ArmouredShipCell(1), Picture(BurstBall)),
    Slots(200, 249, ArmouredShipCell(2), Picture(BurstBall)),
    Slots(250, 299, ArmouredShipCell(3), Picture(BurstBall)),
    Slots(300, 349, ArmouredShipCell(4), Picture(BurstBall)),
    Slots(350, 399, ArmouredShipCell(5), Picture(BurstBall)),
};

// Items, enemies, scenery and enemy bullets. Slots 7000..7999 are never drawn.
constexpr SlotRangeLook ObjectAndBulletLooks[] = {
    {FirstPowerItemSlot, LastPowerItemSlot, ItemCarrier, Picture(ItemPower), NothingLook},
    {FirstHitPointItemSlot, LastHitPointItemSlot, ItemCarrier, Picture(ItemHitPoint), NothingLook},
    {FirstOptionItemSlot, LastOptionItemSlot, ItemCarrier, Picture(ItemOption), NothingLook},
    {FirstExtraShipItemSlot, LastExtraShipItemSlot, ItemCarrier, Picture(ItemExtraShip), NothingLook},
    {1000, 1499, SmallFlier, SparkLook, SparkLook},
    {1500, 1999, Gunner, SparkLook, SparkLook},
    {2000, 2499, Turret, ShortBurstLook, ShortBurstLook},
    {2500, 2999, WallBlock, ShortBurstLook, ShortBurstLook},
    {3000, 3499, Debris, ShortBurstLook, ShortBurstLook},
    {3500, 3999, Mine, ShortBurstLook, ShortBurstLook},
    {4000, 4499, Drone, ShortBurstLook, ShortBurstLook},
    {4500, 4999, PartOrb, SparkLook, SparkLook},
    {5000, 5499, Pod, ShortBurstLook, ShortBurstLook},
    {5500, 5749, HeavyCraftA, ShortBurstLook, ShortBurstLook},
    {5750, 5999, HeavyCraftB, ShortBurstLook, ShortBurstLook},
    {6000, 6249, HeavyCraftC, ShortBurstLook, ShortBurstLook},
    {6250, 6499, HeavyCraftD, ShortBurstLook, ShortBurstLook},
    {6500, 6999, Interceptor, ShortBurstLook, ShortBurstLook},
    {8000, 8999, Scout, SparkLook, SparkLook},
    {9000, 9999, BulletHeavy, NothingLook, NothingLook},
    {10000, 10999, BulletShard, NothingLook, NothingLook},
    {11000, 14999, BulletSmall, NothingLook, NothingLook},
    {15000, 19999, BulletLarge, NothingLook, NothingLook},
};
// clang-format on

}  // namespace cells

// The normal picture of `slot` in its range.
constexpr SpriteCell NormalCellOf(const SlotRangeLook& range, int slot) {
    SpriteCell cell = range.Normal;
    cell.Y += range.NormalStepY * (slot - range.First);
    return cell;
}

// Calls `visit` with every rectangle of CharacterSheet that a drawing pass can cut (some more than
// once): the ships, shots and options of every weapon, every slot range in every state, every
// explosion frame and every picture of the menus and the head-up display.
template <typename Visit>
constexpr void ForEachSpriteCell(Visit visit) {
    using namespace cells;
    for (int row = 0; row < ShipRows; ++row) {
        visit(ShipCell(row));
        visit(ArmouredShipCell(row));
    }
    for (const auto* table : {&ShotCells, &OptionCells, &WeaponIcons})
        for (const SpriteCell& cell : *table) visit(cell);
    for (const AnimationFrame& frame : ShipExplosionFrames) visit(frame.Cell);
    for (const AnimationFrame& frame : LongBurstFrames) visit(frame.Cell);
    for (const AnimationFrame& frame : SparkFrames) visit(frame.Cell);
    auto visitRanges = [&](const auto& ranges) {
        for (const SlotRangeLook& range : ranges) {
            for (int slot = range.First; slot <= range.Last; ++slot) visit(NormalCellOf(range, slot));
            for (const Look& look : {range.Item, range.Other})
                if (look.Cell.Drawn()) visit(look.Cell);
        }
    };
    visitRanges(LargeObjectLooks);
    visitRanges(CountdownBlockLooks);
    visitRanges(ObjectAndBulletLooks);
    for (const SpriteCell& cell : {LogoLeft, LogoMiddle, LogoRight, GameStartLabel, ConfigLabel, Cursor,
                                   LevelLabel, ButtonHeading, SpeedKey, FireKey, BurstKey, ConfirmKey,
                                   ExitLabel, SpeedLabel, SpeedMark, GameOverPicture, ClosingPicture})
        visit(cell);
    for (const SpriteCell& cell : DifficultyCells) visit(cell);
    for (const SpriteCell& cell : ButtonCells) visit(cell);
    for (const SpriteCell& cell : LargeDigits) visit(cell);
    for (const SpriteCell& cell : SmallDigits) visit(cell);
}

// Test hook: when set, called with every cell a pass actually copies onto the screen. Nothing in the
// game sets it.
using SpriteDrawWatcher = void (*)(const SpriteCell&);
inline SpriteDrawWatcher WatchSpriteDraws = nullptr;

// Most of the 20,000 slots drawn each frame are parked off the screen: those are turned away here,
// before the call, exactly where DrawRect would clip them to nothing.
inline void DrawSprite(const SpriteCell& cell, int x, int y) {
    if (!cell.Drawn() || x >= BackBuffer.Width || y >= BackBuffer.Height || x <= -cell.W || y <= -cell.H)
        return;
    if (WatchSpriteDraws != nullptr) WatchSpriteDraws(cell);
    DrawRect(BackBuffer, x, y, Rect{cell.X, cell.Y, cell.X + cell.W, cell.Y + cell.H}, &CharacterSheet, true);
}

// Cell `value` of a table of `count` cells indexed from `first`, or no picture for any other value.
inline SpriteCell CellByValue(const SpriteCell* cells, int count, int first, int value) {
    const unsigned index = static_cast<unsigned>(value) - static_cast<unsigned>(first);
    return index < static_cast<unsigned>(count) ? cells[index] : NoSprite;
}

// Frame `t` of the animation at (x, y). The count is compared unsigned, so a negative t (a timer that
// has not started) shows nothing rather than indexing before the list.
inline void DrawAnimation(const Animation& animation, int t, int x, int y) {
    const unsigned frame = static_cast<unsigned>(t) / AnimationFrameLength;
    if (frame >= static_cast<unsigned>(animation.Count)) return;
    const AnimationFrame& shown = animation.Frames[frame];
    DrawSprite(shown.Cell, x + shown.Offset, y + shown.Offset);
}

}  // namespace veltrano
