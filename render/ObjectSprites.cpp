// The object slots. What a slot looks like follows from its slot number: every range of slots has its
// own picture while it is active or inert, and its own way of showing an item or a destruction. Every
// slot of a drawn range is drawn each frame; parked slots fall off the screen and are clipped away.
#include <iterator>

#include "render/Render.h"
#include "render/SpriteCells.h"
#include "world/World.h"

namespace veltrano {
namespace {

using namespace cells;

constexpr Animation LongBurst{LongBurstFrames, static_cast<int>(std::size(LongBurstFrames))};
// The short burst is the long one without its large second half.
constexpr Animation ShortBurst{LongBurstFrames, 3};
constexpr Animation Spark{SparkFrames, static_cast<int>(std::size(SparkFrames))};

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
            DrawSprite(NormalCellOf(range, slot), EnemyX[slot], EnemyY[slot]);
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
    // Twenty thousand slots to walk for nothing when the back buffer takes no pixels.
    if (BackBuffer.DropsPixels) return;
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
