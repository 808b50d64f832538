#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "app/ProgramFolder.h"
#include "app/SoundBank.h"
#include "engine/CentralSystem.h"
#include "world/World.h"

using namespace veltrano;

namespace {

void ParkBlocks() {
    for (int slot = 100; slot <= 399; ++slot) EnemyX[slot] = EnemyY[slot] = CountdownParkedPosition;
}

// The blocks a numeral placed, as (x, y) positions, and how many slots it used.
std::set<std::pair<int, int>> PlacedBlocks(int* used) {
    std::set<std::pair<int, int>> blocks;
    *used = 0;
    for (int slot = 100; slot <= 399; ++slot) {
        if (EnemyX[slot] != CountdownParkedPosition) {
            blocks.insert({EnemyX[slot], EnemyY[slot]});
            ++*used;
        }
    }
    return blocks;
}

}  // namespace

TEST(EngineCountdown, NumeralsAreBuiltFromBlocksInConsecutiveSlots) {
    ResetWorldState();
    ParkBlocks();
    ShowCountdownDigit(1);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(EnemyX[150 + i], 192 + 32 * i);
        EXPECT_EQ(EnemyY[150 + i], 224);
    }
    EXPECT_EQ(EnemyX[158], CountdownParkedPosition);

    // Every numeral fills its own slots from its base, once per position, inside 192..416 by 112..336.
    const int baseSlots[10] = {100, 150, 250, 350, 100, 150, 200, 250, 300, 350};
    const int blockCounts[10] = {20, 8, 14, 18, 34, 26, 18, 17, 13, 20};
    for (int d = 0; d <= 9; ++d) {
        ParkBlocks();
        ShowCountdownDigit(d);
        int used = 0;
        const auto blocks = PlacedBlocks(&used);
        EXPECT_EQ(used, blockCounts[d]) << d;
        EXPECT_EQ(static_cast<int>(blocks.size()), used) << d;
        EXPECT_NE(EnemyX[baseSlots[d]], CountdownParkedPosition) << d;
        EXPECT_EQ(EnemyX[baseSlots[d] - 1 < 100 ? 399 : baseSlots[d] - 1], CountdownParkedPosition) << d;
        for (auto [x, y] : blocks) {
            EXPECT_TRUE(x >= 192 && x <= 416) << d << ": " << x;
            EXPECT_TRUE(y >= 112 && y <= 336) << d << ": " << y;
        }
    }
    // 〇 is a ring: its top row and bottom row match, as do its two sides.
    ParkBlocks();
    ShowCountdownDigit(0);
    int used = 0;
    const auto ring = PlacedBlocks(&used);
    for (auto [x, y] : ring)
        EXPECT_TRUE(ring.count({x, 448 - y}) && ring.count({608 - x, y})) << x << "," << y;

    // Anything but 0..9 (the 10 of the countdown's first step) shows nothing.
    for (int d : {10, -1, 99}) {
        ParkBlocks();
        ShowCountdownDigit(d);
        PlacedBlocks(&used);
        EXPECT_EQ(used, 0) << d;
    }
}

TEST(EngineCountdown, ContinueStepCountsTenSecondsAndSilencesTheMusicAtTheEnd) {
    SetProgramFolder(VELTRANO_PROGRAM_DIR);
    LoadSoundBank();  // the music the countdown silences
    ResetWorldState();
    Scene = Stage2Scene;
    EnemyX[150] = EnemyY[150] = 40;  // a script's use of a block slot is undone on every call
    ContinueCountdown = 123;
    ContinueStep();
    EXPECT_EQ(EnemyX[150], CountdownParkedPosition);
    EXPECT_EQ(ContinueCountdown, 400);
    EXPECT_EQ(WorldRunning, 1);

    GameOver = 1;
    SoundSlots[StageMusic].Playing = SoundSlots[BossMusic].Playing = true;
    SoundSlots[StageMusic].Position = 500;
    ContinueStep();  // 400: the world stops, no numeral yet
    EXPECT_EQ(WorldRunning, 0);
    EXPECT_EQ(ContinueCountdown, 399);
    int used = 0;
    PlacedBlocks(&used);
    EXPECT_EQ(used, 0);

    ContinueStep();  // 399: 九
    EXPECT_EQ(EnemyX[350], 256);
    EXPECT_EQ(EnemyY[350], 112);
    while (ContinueCountdown > 359) ContinueStep();
    EXPECT_EQ(EnemyX[350], 256);  // 360 still shows 九
    ContinueStep();               // 359: 八, and nothing of 九 lingers
    EXPECT_EQ(EnemyX[300], 288);
    EXPECT_EQ(EnemyX[350], CountdownParkedPosition);

    while (ContinueCountdown > 1) ContinueStep();
    ContinueStep();
    EXPECT_EQ(ContinueCountdown, 0);
    EXPECT_EQ(CountdownExpired, 0);
    EXPECT_TRUE(SoundSlots[StageMusic].Playing);
    ContinueStep();  // 0: 〇 for the last step, and the music stops
    EXPECT_EQ(EnemyX[100], 256);
    EXPECT_EQ(EnemyY[100], 112);
    EXPECT_EQ(CountdownExpired, 1);
    EXPECT_EQ(ContinueCountdown, 0);
    EXPECT_FALSE(SoundSlots[StageMusic].Playing);
    EXPECT_FALSE(SoundSlots[BossMusic].Playing);
    EXPECT_EQ(SoundSlots[StageMusic].Position, 0u);
}
