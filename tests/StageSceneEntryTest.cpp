// Entering a scene and the title's own facts: every entry leaves the shots with the velocities of the
// weapon the scene ends up with, and a skipped title shows what the animation would have shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "engine/CentralSystem.h"
#include "stages/Scenes.h"
#include "stages/Stage.h"
#include "world/World.h"

using namespace veltrano;

namespace {

constexpr int TitleSlots[] = {700, 701, 702, 703, 704, MenuCursorSlot};

struct Places {
    int X[std::size(TitleSlots)], Y[std::size(TitleSlots)];
    bool operator==(const Places&) const = default;
};

Places TitlePlaces() {
    Places p{};
    for (size_t k = 0; k < std::size(TitleSlots); ++k) {
        p.X[k] = EnemyX[TitleSlots[k]];
        p.Y[k] = EnemyY[TitleSlots[k]];
    }
    return p;
}

void RunTitleUntil(int frame) {
    while (StageFrame < frame) {
        SceneStep();
        ++StageFrame;
    }
}

}  // namespace

TEST(SceneEntry, EveryEntryLeavesTheShotsWithTheVelocitiesOfTheWeaponItEndsWith) {
    for (int scene = FirstScene; scene <= LastScene; ++scene) {
        SCOPED_TRACE("scene " + std::to_string(scene));
        NewGame();
        ShotType = 1 + (scene + 6) % 6;
        std::fill(ShotVX, ShotVX + ShotCount, 99);
        EnterScene(scene);
        EXPECT_EQ(Scene, scene);
        int vx[ShotCount];
        std::copy(ShotVX, ShotVX + ShotCount, vx);
        SetShotVelocities();
        EXPECT_TRUE(std::equal(vx, vx + ShotCount, ShotVX)) << "weapon " << ShotType;
    }
    NewGame();
}

TEST(SceneEntry, ASkippedTitleShowsWhereTheAnimationEndsAndOnlyWhileItRuns) {
    NewGame();
    RunTitleUntil(640);
    const Places ended = TitlePlaces();
    EXPECT_EQ(ended.X[5], 208);  // the cursor beside the first entry
    EXPECT_EQ(ended.Y[5], 288);

    for (int skipAt : {0, 1, 183, 300, 599}) {
        SCOPED_TRACE("skipped at " + std::to_string(skipAt));
        NewGame();
        RunTitleUntil(skipAt);
        EXPECT_TRUE(SkipTitleAnimation());
        EXPECT_EQ(StageFrame, 640);
        EXPECT_TRUE(TitlePlaces() == ended);
    }
    NewGame();
    RunTitleUntil(600);
    const Places late = TitlePlaces();
    EXPECT_FALSE(SkipTitleAnimation());
    EXPECT_EQ(StageFrame, 600);
    EXPECT_TRUE(TitlePlaces() == late);
    NewGame();
}
