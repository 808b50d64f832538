// The scene table against the scripts it names: every boss the scene machine watches is the boss
// the script shows, and a boss-only scene stages its stage's fight at the same moment of the fight.
#include <gtest/gtest.h>

#include <string>

#include "render/TileRules.h"
#include "stages/SceneTable.h"

using namespace veltrano;

namespace {

// The first frame from which the script shows the boss's hit points: the lower bound of the frame
// guard round its first HudBossDigits statement.
int BossDigitsFrom(const SceneScript& script) {
    const std::vector<Statement>& step = script.Step;
    for (size_t i = 0; i < step.size(); ++i) {
        if (step[i].Code != Op::HudBossDigits) continue;
        for (size_t j = i; j-- > 0;) {
            if (step[j].Code == Op::IfFrameIn && j + step[j].Skip >= i) return step[j].Args[0];
        }
        return INT_MIN;  // shown from the first step
    }
    return NoFrame;
}

bool SetsBossSlot(const SceneScript& script, int slot) {
    for (const Statement& s : script.Step)
        if (s.Code == Op::SetBossSlot && s.Args[0] == slot) return true;
    return false;
}

}  // namespace

TEST(SceneTable, EveryScriptShowsTheBossItsRowWatches) {
    for (const SceneRow& row : SceneRows) {
        SCOPED_TRACE(row.Name);
        const SceneScript* script = SceneScriptOf(row.Scene);
        ASSERT_NE(script, nullptr);
        EXPECT_EQ(script->Name, row.Name);
        EXPECT_TRUE(script->Errors.empty()) << script->Errors.front();
        if (row.Fight.Slot == NoBoss) {
            EXPECT_EQ(row.End.MusicStopAt, NoFrame);
            continue;
        }
        EXPECT_GE(row.Fight.Slot, FirstBossSlot);
        EXPECT_LE(row.Fight.Slot, LastBossSlot);
        // Stage 4 shows its first boss and moves on to the one whose fall ends the scene.
        EXPECT_TRUE(script->BossSlot == row.Fight.Slot || SetsBossSlot(*script, row.Fight.Slot))
            << "the script shows slot " << script->BossSlot << ", the scene machine watches "
            << row.Fight.Slot;
        // The music stops before the next scene begins, and the whiteout ends before either.
        if (row.End.NextSceneAt != NoFrame) {
            EXPECT_LT(row.End.MusicStopAt, row.End.NextSceneAt);
            EXPECT_LT(row.End.WhiteoutLast, row.End.MusicStopAt);
            EXPECT_EQ(row.End.WhiteoutLast - row.End.WhiteoutFirst, 47) << "one lit cell a step for 48 cells";
        } else {
            EXPECT_NE(row.EndFrame, NoFrame) << "a scene whose boss does not end it ends on its clock";
        }
    }
}

TEST(SceneTable, ABossOnlySceneStagesItsStagesFightAtTheSameMoment) {
    for (int stage = 1; stage <= 10; ++stage) {
        const SceneRow& stageRow = RowOf(StageScene(stage));
        const SceneRow& bossRow = RowOf(BossSceneOf(stage));
        SCOPED_TRACE(bossRow.Name);
        EXPECT_EQ(stageRow.Fight.Shift, 0);
        EXPECT_EQ(bossRow.Fight.Slot, stageRow.Fight.Slot);
        EXPECT_EQ(std::string(bossRow.Music.StageFile), stageRow.Music.StageFile);
        EXPECT_EQ(std::string(bossRow.Music.BossFile), stageRow.Music.BossFile);

        // The boss's hit points appear at the same stage frame of the fight in both scenes, and the
        // boss-only scene's boss arrives soon after its start, not a stage's length later.
        const int stageEntry = BossDigitsFrom(*SceneScriptOf(stageRow.Scene));
        const int bossEntry = BossDigitsFrom(*SceneScriptOf(bossRow.Scene));
        ASSERT_NE(stageEntry, NoFrame);
        ASSERT_NE(bossEntry, NoFrame);
        EXPECT_EQ(bossRow.Fight.At(stageEntry), bossEntry);
        EXPECT_GE(bossEntry, 0);
        EXPECT_LE(bossEntry, 200);

        // The alarm sounds before the boss music, which starts no later than the boss shows.
        for (const SceneRow* row : {&stageRow, &bossRow}) {
            EXPECT_LT(row->Music.AlarmFrame, row->Music.BossFrame);
            EXPECT_LE(row->Music.BossFrame, row == &stageRow ? stageEntry : bossEntry);
        }
    }
}

TEST(SceneTable, EveryTileSetIsLaidBySomeScene) {
    bool laid[TileSetCount] = {};
    for (const SceneRow& row : SceneRows) laid[static_cast<int>(row.Tiles)] = true;
    for (const BorrowedBackdrop& borrowed : tilerules::StaffRollBackdrops)
        laid[static_cast<int>(borrowed.From)] = true;
    EXPECT_FALSE(laid[static_cast<int>(TileSet::None)]) << "a scene that lays nothing";
    for (int set = 1; set < TileSetCount; ++set)
        EXPECT_TRUE(laid[set]) << "tile set " << set << " is never laid";
}
