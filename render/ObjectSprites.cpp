// The object slots. What a slot looks like follows from its kind's row: every kind has its own picture
// while it is active or inert, and its own way of showing an item or a destruction. Every
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

void DrawLook(const Look& look, const SlotsPicture& slots, int stageFrame, int slot, Surface& target) {
    const int x = slots.X[slot], y = slots.Y[slot];
    switch (look.Kind) {
        case LookKind::Nothing:
            return;
        case LookKind::Picture:
            DrawSprite(target, look.Cell, x, y);
            return;
        case LookKind::EvenFramePicture:
            if (stageFrame % 2 == 0) DrawSprite(target, look.Cell, x, y);
            return;
        case LookKind::Spark:
            DrawAnimation(target, Spark, slots.DeadTime[slot], x, y);
            return;
        case LookKind::ShortBurst:
            DrawAnimation(target, ShortBurst, slots.DeadTime[slot], x, y);
            return;
        case LookKind::LongBurst:
            DrawAnimation(target, LongBurst, slots.DeadTime[slot], x, y);
            return;
    }
}

void DrawKind(const ObjectKind& kind, const SlotsPicture& slots, int stageFrame, Surface& target) {
    for (int slot = kind.First; slot <= kind.Last; ++slot) {
        // Unsigned, so a negative state is neither normal nor an item.
        const unsigned state = static_cast<unsigned>(slots.State[slot]);
        if (state <= static_cast<unsigned>(StateInert)) {
            DrawSprite(target, NormalCellOf(kind, slot), slots.X[slot], slots.Y[slot]);
        } else {
            DrawLook(state == static_cast<unsigned>(StateItem) ? kind.Item : kind.Other, slots, stageFrame,
                     slot, target);
        }
    }
}

// The kinds a pass draws, in the order of their rows.
void DrawPassKinds(DrawPass pass, const SlotsPicture& slots, int stageFrame, Surface& target) {
    for (const ObjectKind& kind : ObjectKinds)
        if (kind.Pass == pass) DrawKind(kind, slots, stageFrame, target);
}

}  // namespace

void DrawLargeObjects(const BackPicture& p, Surface& target) {
    DrawPassKinds(DrawPass::LargeObjects, p.Slots, p.StageFrame, target);
}

void DrawCountdownBlocks(const FrontPicture& p, Surface& target) {
    DrawPassKinds(DrawPass::CountdownBlocks, p.Slots, p.StageFrame, target);
}

void DrawObjectsAndBullets(const BackPicture& p, Surface& target) {
    // Twenty thousand slots to walk for nothing when the surface takes no pixels.
    if (target.DropsPixels) return;
    DrawPassKinds(DrawPass::ObjectsAndBullets, p.Slots, p.StageFrame, target);
}

void DrawShipAndFrontObjects(const BackPicture& p, Surface& target) {
    DrawShip(p, target);
    DrawPlayerShots(p, target);
    DrawOptions(p, target);
    DrawLargeObjects(p, target);
    DrawPassKinds(DrawPass::CountdownBlocks, p.Slots, p.StageFrame, target);
    DrawPictureSlots(p, target);
}

}  // namespace veltrano
