// The object slots. What a slot looks like follows from its slot number: every range of slots has its
// own picture while it is active or inert, and its own way of showing an item or a destruction. Every
// slot of a drawn range is drawn each frame; parked slots fall off the screen and are clipped away.
#include <iterator>

#include "render/Render.h"
#include "render/SpriteCells.h"
#include "world/World.h"

namespace veltrano {
namespace {

constexpr AnimationFrame LongBurstFrames[] = {
    {{80, 208, 16, 16}, 8},   {{160, 0, 32, 32}, 0},   {{80, 208, 16, 16}, 8},
    {{192, 64, 64, 64}, -16}, {{192, 0, 64, 64}, -16}, {{192, 64, 64, 64}, -16},
};
constexpr Animation LongBurst{LongBurstFrames, static_cast<int>(std::size(LongBurstFrames))};
// The short burst is the long one without its large second half.
constexpr Animation ShortBurst{LongBurstFrames, 3};
constexpr AnimationFrame SparkFrames[] = {{{80, 208, 16, 16}, 0}};
constexpr Animation Spark{SparkFrames, 1};

enum class LookKind { Nothing, Picture, EvenFramePicture, Spark, ShortBurst, LongBurst };

struct Look {
    LookKind Kind = LookKind::Nothing;
    SpriteCell Cell;
};

constexpr Look Nothing{};
constexpr Look SparkLook{LookKind::Spark, NoSprite};
constexpr Look ShortBurstLook{LookKind::ShortBurst, NoSprite};
constexpr Look LongBurstLook{LookKind::LongBurst, NoSprite};
constexpr Look Picture(SpriteCell cell) {
    return {LookKind::Picture, cell};
}
constexpr Look EvenFramePicture(SpriteCell cell) {
    return {LookKind::EvenFramePicture, cell};
}

struct SlotRangeLook {
    int First, Last;
    SpriteCell Normal;    // state 0 or 1
    Look Item;            // state 2
    Look Other;           // state 3 and any other value, negative ones included
    int NormalStepY = 0;  // the normal picture moves this far down the sheet with each slot of the range
};

// The slots below 400 look the same in every state but 0 and 1.
constexpr SlotRangeLook Slots(int first, int last, SpriteCell normal, Look otherwise, int stepY = 0) {
    return {first, last, normal, otherwise, otherwise, stepY};
}

// Large enemies, bosses and their parts, in drawing order: slot 8 goes under slot 7.
constexpr SlotRangeLook LargeObjectLooks[] = {
    Slots(0, 5, {0, 0, 32, 32}, Picture({160, 0, 32, 32}), 32),
    Slots(6, 6, {96, 160, 32, 32}, LongBurstLook),
    Slots(8, 8, {256, 0, 96, 96}, EvenFramePicture({256, 0, 96, 96})),
    Slots(7, 7, {96, 192, 32, 32}, LongBurstLook),
    Slots(9, 9, {96, 224, 32, 32}, LongBurstLook),
    Slots(10, 10, {128, 160, 32, 32}, LongBurstLook),
    Slots(11, 11, {128, 192, 32, 32}, LongBurstLook),
    Slots(12, 12, {128, 224, 32, 32}, LongBurstLook),
    Slots(13, 17, {160, 32, 32, 32}, LongBurstLook, 32),
    Slots(18, 19, {192, 160, 32, 32}, LongBurstLook, 32),
    Slots(20, 21, {224, 128, 32, 32}, LongBurstLook, 32),
    Slots(22, 29, {224, 192, 32, 32}, ShortBurstLook),
};

// The 32-by-32 blocks of the continue countdown's numeral.
constexpr SlotRangeLook CountdownBlockLooks[] = {
    Slots(100, 149, {32, 0, 32, 32}, Picture({160, 0, 32, 32})),
    Slots(150, 199, {32, 32, 32, 32}, Picture({160, 0, 32, 32})),
    Slots(200, 249, {32, 64, 32, 32}, Picture({160, 0, 32, 32})),
    Slots(250, 299, {32, 96, 32, 32}, Picture({160, 0, 32, 32})),
    Slots(300, 349, {32, 128, 32, 32}, Picture({160, 0, 32, 32})),
    Slots(350, 399, {32, 160, 32, 32}, Picture({160, 0, 32, 32})),
};

// Items, enemies, scenery and enemy bullets. Slots 7000..7999 are never drawn.
constexpr SlotRangeLook ObjectAndBulletLooks[] = {
    {FirstPowerItemSlot,
     LastPowerItemSlot,
     {96, 64, 32, 32},
     Picture({128, 32, 32, 32}),
     Nothing},  // power-up
    {FirstHitPointItemSlot,
     LastHitPointItemSlot,
     {96, 64, 32, 32},
     Picture({128, 64, 32, 32}),
     Nothing},  // extra hit point
    {FirstOptionItemSlot,
     LastOptionItemSlot,
     {96, 64, 32, 32},
     Picture({128, 96, 32, 32}),
     Nothing},  // option
    {FirstExtraShipItemSlot,
     LastExtraShipItemSlot,
     {96, 64, 32, 32},
     Picture({128, 128, 32, 32}),
     Nothing},  // extra ship
    {1000, 1499, {64, 160, 16, 16}, SparkLook, SparkLook},
    {1500, 1999, {80, 160, 16, 16}, SparkLook, SparkLook},
    {2000, 2499, {64, 32, 32, 32}, ShortBurstLook, ShortBurstLook},
    {2500, 2999, {64, 0, 32, 32}, ShortBurstLook, ShortBurstLook},
    {3000, 3499, {64, 64, 32, 32}, ShortBurstLook, ShortBurstLook},
    {3500, 3999, {96, 0, 32, 32}, ShortBurstLook, ShortBurstLook},
    {4000, 4499, {96, 32, 32, 32}, ShortBurstLook, ShortBurstLook},
    {4500, 4999, {80, 192, 16, 16}, SparkLook, SparkLook},
    {5000, 5499, {192, 128, 32, 32}, ShortBurstLook, ShortBurstLook},
    {5500, 5749, {64, 96, 32, 32}, ShortBurstLook, ShortBurstLook},
    {5750, 5999, {96, 96, 32, 32}, ShortBurstLook, ShortBurstLook},
    {6000, 6249, {64, 128, 32, 32}, ShortBurstLook, ShortBurstLook},
    {6250, 6499, {96, 128, 32, 32}, ShortBurstLook, ShortBurstLook},
    {6500, 6999, {128, 0, 32, 32}, ShortBurstLook, ShortBurstLook},
    {8000, 8999, {80, 176, 16, 16}, SparkLook, SparkLook},
    {9000, 9999, {64, 208, 16, 16}, Nothing, Nothing},
    {10000, 10999, {64, 192, 16, 16}, Nothing, Nothing},
    {11000, 14999, {64, 224, 8, 8}, Nothing, Nothing},
    {15000, 19999, {64, 176, 16, 16}, Nothing, Nothing},
};

void DrawLook(const Look& look, int slot) {
    const int x = EnemyX[slot], y = EnemyY[slot];
    switch (look.Kind) {
        case LookKind::Nothing:
            return;
        case LookKind::Picture:
            DrawSprite(look.Cell, x, y);
            return;
        case LookKind::EvenFramePicture:
            if (StageFrame % 2 == 0) DrawSprite(look.Cell, x, y);
            return;
        case LookKind::Spark:
            DrawAnimation(Spark, EnemyDeadTime[slot], x, y);
            return;
        case LookKind::ShortBurst:
            DrawAnimation(ShortBurst, EnemyDeadTime[slot], x, y);
            return;
        case LookKind::LongBurst:
            DrawAnimation(LongBurst, EnemyDeadTime[slot], x, y);
            return;
    }
}

void DrawSlotRange(const SlotRangeLook& range) {
    for (int slot = range.First; slot <= range.Last; ++slot) {
        // Unsigned, so a negative state is neither normal nor an item.
        const unsigned state = static_cast<unsigned>(EnemyState[slot]);
        if (state <= static_cast<unsigned>(StateInert)) {
            SpriteCell cell = range.Normal;
            cell.Y += range.NormalStepY * (slot - range.First);
            DrawSprite(cell, EnemyX[slot], EnemyY[slot]);
        } else {
            DrawLook(state == static_cast<unsigned>(StateItem) ? range.Item : range.Other, slot);
        }
    }
}

template <size_t N>
void DrawSlotRanges(const SlotRangeLook (&ranges)[N]) {
    for (const SlotRangeLook& range : ranges) DrawSlotRange(range);
}

}  // namespace

void DrawLargeObjects() {
    DrawSlotRanges(LargeObjectLooks);
}

void DrawCountdownBlocks() {
    DrawSlotRanges(CountdownBlockLooks);
}

void DrawObjectsAndBullets() {
    DrawSlotRanges(ObjectAndBulletLooks);
}

void DrawShipAndFrontObjects() {
    DrawShip();
    DrawPlayerShots();
    DrawOptions();
    DrawLargeObjects();
    DrawCountdownBlocks();
    DrawPictureSlots();
}

}  // namespace veltrano
