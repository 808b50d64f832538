// The kinds of object as the rest of the game meets them: the class a reset gives each slot, the points
// its destruction is worth, the sound it dies with, and the hit points a stage gives it by default.
// Every slot is checked against its kind's row, and every row against the rules of play.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/SoundBank.h"
#include "app/headless/HeadlessGame.h"
#include "engine/CentralSystem.h"
#include "stages/ScriptBuilder.h"
#include "tests/support/ProgramFolder.h"
#include "world/ObjectKinds.h"
#include "world/World.h"

using namespace veltrano;

namespace {

// The first and the last slot of every kind.
std::vector<int> KindEdges() {
    std::vector<int> edges;
    for (const ObjectKind& kind : ObjectKinds) edges.insert(edges.end(), {kind.First, kind.Last});
    return edges;
}

bool Mentions(const SceneScript& s, const std::string& text) {
    for (const std::string& e : s.Errors)
        if (e.find(text) != std::string::npos) return true;
    return false;
}

}  // namespace

TEST(ObjectKinds, EverySlotIsResetAndScoredAsItsKindSaysAndTheKindsKeepTheRulesOfPlay) {
    EnemySize[700] = 4;
    EnemyState[7000] = StateDestroyed;
    ResetWorldState();
    for (int slot = 0; slot < ObjectSlotCount; ++slot) {
        const ObjectKind& kind = KindOfSlot(slot);
        ASSERT_TRUE(kind.First <= slot && slot <= kind.Last) << "slot " << slot;
        ASSERT_EQ(EnemySize[slot], kind.HitClass) << "slot " << slot;
        ASSERT_EQ(EnemyState[slot], kind.Inert ? StateInert : StateActive) << "slot " << slot;
        ASSERT_EQ(SlotPoints(slot), kind.Points) << "slot " << slot;
    }
    for (const ObjectKind& kind : ObjectKinds) {
        SCOPED_TRACE("kind " + std::to_string(kind.First) + ".." + std::to_string(kind.Last));
        // A boss or a boss's part falls with the boss's sound, and nothing else does.
        EXPECT_EQ(kind.DeathSound == BossDeathSound, kind.Boss);
        // An item carrier is heard as an item when it falls; no other kind is.
        EXPECT_EQ(kind.DeathSound == ItemSound, kind.HitClass == ItemCarrierClass);
        // What takes no damage, what never takes part and an enemy bullet are worth nothing.
        const bool worthless = kind.HitClass == SmallShotProofClass || kind.HitClass == LargeShotProofClass ||
                               kind.Inert || kind.First >= FirstBulletSlot;
        if (worthless) {
            EXPECT_EQ(kind.Points, 0);
        }
        // An enemy bullet vanishes silently and takes no hit points from a stage.
        if (kind.First >= FirstBulletSlot) {
            EXPECT_EQ(kind.DeathSound, NoSound);
            EXPECT_EQ(kind.DefaultHP, 0);
        }
    }
    EXPECT_EQ(FirstBossSlot, 6);
    EXPECT_EQ(LastBossSlot, 19);
    // Outside the slots nothing is worth anything, and nothing is read past the table.
    EXPECT_EQ(SlotPoints(-1), 0);
    EXPECT_EQ(SlotPoints(ObjectSlotCount), 0);
}

TEST(ObjectKinds, TheKindsDrawnShowAPictureAndOnlyBulletsAndItemsVanishWithoutABurst) {
    for (const ObjectKind& kind : ObjectKinds) {
        SCOPED_TRACE("kind " + std::to_string(kind.First) + ".." + std::to_string(kind.Last));
        if (kind.Pass == DrawPass::None) {
            EXPECT_FALSE(kind.Normal.Drawn());
            continue;
        }
        EXPECT_TRUE(kind.Normal.Drawn());
        // A bullet and a collected item leave nothing behind; everything else that is drawn explodes.
        const bool vanishes = kind.First >= FirstBulletSlot || kind.HitClass == ItemCarrierClass;
        EXPECT_EQ(kind.Other.Kind == LookKind::Nothing, vanishes);
    }
    // The shield of the second boss is drawn before, so under, the boss itself.
    int shieldRow = -1, bossRow = -1;
    for (int k = 0; k < ObjectKindCount; ++k) {
        if (ObjectKinds[k].First == 8) shieldRow = k;
        if (ObjectKinds[k].First == 7) bossRow = k;
    }
    EXPECT_LT(shieldRow, bossRow);
}

TEST(ObjectKinds, DefaultHitPointsFollowTheKindsAndAStageThatCutsOrRestatesAKindIsStopped) {
    struct Expected {
        int Slot, HP;
    };
    constexpr Expected Defaults[] = {{800, 2},   {999, 2},  {1000, 1},  {1799, 1}, {1800, 5},
                                     {2399, 5},  {3000, 5}, {3500, 10}, {4499, 3}, {5500, 15},
                                     {6499, 15}, {6500, 7}, {6999, 7},  {8000, 2}, {8999, 2}};
    SceneScript script;
    script.Name = "defaults";
    ScriptBuilder s(script);
    s.DefaultHitPoints();
    ASSERT_TRUE(script.Errors.empty()) << script.Errors.front();
    for (const Expected& e : Defaults) EXPECT_EQ(s.HitPointsOf(e.Slot), e.HP) << "slot " << e.Slot;
    // The big turrets have no default: every stage says what they take.
    EXPECT_EQ(s.HitPointsOf(2400), 0);
    EXPECT_TRUE(Mentions(script, "hit points of slot 2400"));

    // The stages before the heavy craft leave them alone.
    SceneScript early;
    ScriptBuilder e(early);
    e.DefaultHitPoints(FirstObjectSlot, FirstHeavyCraftSlot - 1);
    ASSERT_TRUE(early.Errors.empty());
    for (const HitPointRange& r : early.HitPoints) EXPECT_LT(r.Last, FirstHeavyCraftSlot);

    // A range that cuts a kind in two, or holds no kind with a default, is a fault and gives nothing.
    SceneScript faulty;
    ScriptBuilder f(faulty);
    f.DefaultHitPoints(1000, 1500);
    f.DefaultHitPoints(FirstBulletSlot, LastBulletSlot);
    EXPECT_TRUE(Mentions(faulty, "cuts the kind 1500..1799 in two"));
    EXPECT_TRUE(Mentions(faulty, "holds no kind with default hit points"));
    EXPECT_TRUE(faulty.HitPoints.empty());

    // A stage that writes out the default of whole kinds is stopped, so the default stays in the
    // kinds' table alone; a value of its own, a part of a kind or a kind without a default is its own.
    struct Written {
        int First, Last, HP;
        bool Restates;
    };
    constexpr Written Writes[] = {
        {3000, 3499, 5, true},  {3500, 3999, 10, true},
        {1000, 1799, 1, true},  {FirstItemSlot, LastItemSlot, 2, true},
        {3000, 3999, 5, false}, {1000, 1999, 1, false},
        {2000, 2499, 5, false}, {1996, 1999, 5, false},
        {3000, 3499, 6, false}, {2400, 2479, 0, false},
        {20, 21, 25, false},    {FirstBulletSlot, LastBulletSlot, 0, false},
    };
    for (const Written& w : Writes) {
        SceneScript written;
        ScriptBuilder b(written);
        b.HitPoints(w.First, w.Last, w.HP);
        EXPECT_EQ(Mentions(written, "restates the kinds' default"), w.Restates) << w.First << ".." << w.Last;
        EXPECT_EQ(written.HitPoints.empty(), w.Restates) << w.First << ".." << w.Last;
    }
}

TEST(ObjectKinds, EachKindIsHeardDyingWithItsOwnSoundAndABossTwice) {
    HeadlessGame game(testdata::MakeProgramFolder().string());
    constexpr SoundSlot DeathSounds[] = {EnemyDeathSound, BigEnemyDeathSound, BossDeathSound, ItemSound};
    // One frame of the world step with `slot` destroyed `deadTime` frames ago; which death sounds began.
    auto heard = [&](int slot, int deadTime) {
        Scene = TitleScene;
        StageFrame = 700;  // the title's animation is over: nothing else moves or sounds
        WorldRunning = 1;
        SilenceAllSounds();
        EnemyState[slot] = StateDestroyed;
        EnemyDeadTime[slot] = deadTime;
        game.Frame();
        std::string names;
        for (SoundSlot s : DeathSounds)
            if (SoundSlots[s].Playing) names += std::to_string(s) + " ";
        EnemyState[slot] = StateActive;
        EnemyDeadTime[slot] = 0;
        return names;
    };
    for (const int slot : KindEdges()) {
        SCOPED_TRACE("slot " + std::to_string(slot));
        const ObjectKind& kind = KindOfSlot(slot);
        const std::string expected = kind.DeathSound == NoSound ? "" : std::to_string(kind.DeathSound) + " ";
        EXPECT_EQ(heard(slot, 0), expected);
        EXPECT_EQ(heard(slot, 18), kind.Boss ? expected : "");
        EXPECT_EQ(heard(slot, 17), "");
    }
    // A carrier shot down into an item sounds like a small enemy's death.
    SilenceAllSounds();
    StageFrame = 700;
    EnemyState[850] = StateItem;
    ItemAge[850] = 0;
    game.Frame();
    EXPECT_TRUE(SoundSlots[EnemyDeathSound].Playing);
    EXPECT_FALSE(SoundSlots[ItemSound].Playing);
}
