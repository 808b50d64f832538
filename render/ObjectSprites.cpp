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

void DrawKind(const ObjectKind& kind) {
    for (int slot = kind.First; slot <= kind.Last; ++slot) {
        // Unsigned, so a negative state is neither normal nor an item.
        const unsigned state = static_cast<unsigned>(EnemyState[slot]);
        if (state <= static_cast<unsigned>(StateInert)) {
            DrawSprite(NormalCellOf(kind, slot), EnemyX[slot], EnemyY[slot]);
        } else {
            DrawLook(state == static_cast<unsigned>(StateItem) ? kind.Item : kind.Other, slot);
        }
    }
}

// The kinds a pass draws, in the order of their rows.
void DrawPassKinds(DrawPass pass) {
    for (const ObjectKind& kind : ObjectKinds)
        if (kind.Pass == pass) DrawKind(kind);
}

}  // namespace

void DrawLargeObjects() {
    DrawPassKinds(DrawPass::LargeObjects);
}

void DrawCountdownBlocks() {
    DrawPassKinds(DrawPass::CountdownBlocks);
}

void DrawObjectsAndBullets() {
    // Twenty thousand slots to walk for nothing when the back buffer takes no pixels.
    if (BackBuffer.DropsPixels) return;
    DrawPassKinds(DrawPass::ObjectsAndBullets);
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
