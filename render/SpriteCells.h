// Cells of the character sheet: every rectangle the sprite and display passes cut from CharacterSheet,
// named, and the tables that say which slot, weapon or value shows which cell. The drawing passes draw
// by these tables, and the picture generator paints and checks the same cells, so a picture can only
// be drawn where the game looks for it. Every sprite is a keyed copy from CharacterSheet.
#pragma once

#include <cstddef>

#include "platform/Display.h"
#include "platform/Surface.h"
#include "world/ObjectKinds.h"
#include "world/SheetCells.h"
#include "world/World.h"

namespace veltrano {

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
// Shot and option cells, by ShotType 1..6.
constexpr SpriteCell ShotCells[] = {
    {0, 192, 16, 16},  {16, 192, 16, 16}, {32, 192, 16, 16},
    {48, 192, 16, 16}, {0, 208, 16, 16},  {16, 208, 16, 16},
};
constexpr SpriteCell OptionCells[] = {
    {0, 224, 16, 16},  {16, 224, 16, 16}, {32, 224, 16, 16},
    {48, 224, 16, 16}, {0, 240, 16, 16},  {16, 240, 16, 16},
};

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

// The normal picture of `slot` in its kind's range.
constexpr SpriteCell NormalCellOf(const ObjectKind& kind, int slot) {
    SpriteCell cell = kind.Normal;
    cell.Y += kind.NormalStepY * (slot - kind.First);
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
    for (const ObjectKind& kind : ObjectKinds) {
        if (kind.Pass == DrawPass::None) continue;
        for (int slot = kind.First; slot <= kind.Last; ++slot) visit(NormalCellOf(kind, slot));
        for (const Look& look : {kind.Item, kind.Other})
            if (look.Cell.Drawn()) visit(look.Cell);
    }
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
inline void DrawSprite(Surface& target, const SpriteCell& cell, int x, int y) {
    if (!cell.Drawn() || x >= target.Width || y >= target.Height || x <= -cell.W || y <= -cell.H) return;
    if (WatchSpriteDraws != nullptr) WatchSpriteDraws(cell);
    DrawRect(target, x, y, Rect{cell.X, cell.Y, cell.X + cell.W, cell.Y + cell.H}, &CharacterSheet, true);
}

// Cell `value` of a table of `count` cells indexed from `first`, or no picture for any other value.
inline SpriteCell CellByValue(const SpriteCell* cells, int count, int first, int value) {
    const unsigned index = static_cast<unsigned>(value) - static_cast<unsigned>(first);
    return index < static_cast<unsigned>(count) ? cells[index] : NoSprite;
}

// Frame `t` of the animation at (x, y). The count is compared unsigned, so a negative t (a timer that
// has not started) shows nothing rather than indexing before the list.
inline void DrawAnimation(Surface& target, const Animation& animation, int t, int x, int y) {
    const unsigned frame = static_cast<unsigned>(t) / AnimationFrameLength;
    if (frame >= static_cast<unsigned>(animation.Count)) return;
    const AnimationFrame& shown = animation.Frames[frame];
    DrawSprite(target, shown.Cell, x + shown.Offset, y + shown.Offset);
}

}  // namespace veltrano
