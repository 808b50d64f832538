// The kinds of object as the rest of the game meets them: the class a reset gives each slot, the points
// its destruction is worth, the sound it dies with, and the hit points a stage gives it by default.
// Every edge of every kind is checked against the rules of play, so a row that slips by one slot
// fails here.
#include <gtest/gtest.h>

#include <string>

#include "app/SoundBank.h"
#include "app/headless/HeadlessGame.h"
#include "engine/CentralSystem.h"
#include "stages/ScriptBuilder.h"
#include "tests/support/ProgramFolder.h"
#include "world/ObjectKinds.h"
#include "world/World.h"

using namespace veltrano;

namespace {

struct SlotFacts {
    int Slot;
    int HitClass;
    int State;  // after a reset
    int Points;
    SoundSlot Death;
    bool Boss;
};

// clang-format off
constexpr SlotFacts Edges[] = {
    {0,     3, StateActive, 0,       NoSound,            false},
    {5,     3, StateActive, 0,       NoSound,            false},
    {6,     4, StateActive, 100000,  BossDeathSound,     true},
    {7,     4, StateActive, 200000,  BossDeathSound,     true},
    {8,     3, StateActive, 0,       BossDeathSound,     true},
    {9,     4, StateActive, 300000,  BossDeathSound,     true},
    {10,    4, StateActive, 0,       BossDeathSound,     true},
    {11,    4, StateActive, 400000,  BossDeathSound,     true},
    {17,    4, StateActive, 1000000, BossDeathSound,     true},
    {18,    4, StateActive, 5000000, BossDeathSound,     true},
    {19,    5, StateActive, 0,       BossDeathSound,     true},
    {20,    1, StateActive, 0,       BigEnemyDeathSound, false},
    {699,   1, StateActive, 0,       BigEnemyDeathSound, false},
    {700,   0, StateInert,  0,       BigEnemyDeathSound, false},
    {799,   0, StateInert,  0,       BigEnemyDeathSound, false},
    {800,   6, StateActive, 200,     ItemSound,          false},
    {999,   6, StateActive, 200,     ItemSound,          false},
    {1000,  1, StateActive, 100,     EnemyDeathSound,    false},
    {1799,  1, StateActive, 100,     EnemyDeathSound,    false},
    {1800,  1, StateActive, 500,     EnemyDeathSound,    false},
    {1999,  1, StateActive, 500,     EnemyDeathSound,    false},
    {2000,  4, StateActive, 500,     EnemyDeathSound,    false},
    {2399,  4, StateActive, 500,     EnemyDeathSound,    false},
    {2400,  4, StateActive, 1000,    BigEnemyDeathSound, false},
    {2479,  4, StateActive, 1000,    BigEnemyDeathSound, false},
    {2480,  4, StateActive, 5000,    BigEnemyDeathSound, false},
    {2499,  4, StateActive, 5000,    BigEnemyDeathSound, false},
    {2500,  5, StateActive, 0,       EnemyDeathSound,    false},
    {2899,  5, StateActive, 0,       EnemyDeathSound,    false},
    {2900,  5, StateActive, 0,       BigEnemyDeathSound, false},
    {2999,  5, StateActive, 0,       BigEnemyDeathSound, false},
    {3000,  4, StateActive, 500,     EnemyDeathSound,    false},
    {3499,  4, StateActive, 500,     EnemyDeathSound,    false},
    {3500,  4, StateActive, 1000,    BigEnemyDeathSound, false},
    {3999,  4, StateActive, 1000,    BigEnemyDeathSound, false},
    {4000,  4, StateActive, 500,     BigEnemyDeathSound, false},
    {4499,  4, StateActive, 500,     BigEnemyDeathSound, false},
    {4500,  2, StateActive, 0,       EnemyDeathSound,    false},
    {4999,  2, StateActive, 0,       EnemyDeathSound,    false},
    {5000,  5, StateActive, 0,       EnemyDeathSound,    false},
    {5499,  5, StateActive, 0,       EnemyDeathSound,    false},
    {5500,  4, StateActive, 1500,    BigEnemyDeathSound, false},
    {6499,  4, StateActive, 1500,    BigEnemyDeathSound, false},
    {6500,  4, StateActive, 700,     EnemyDeathSound,    false},
    {6999,  4, StateActive, 700,     EnemyDeathSound,    false},
    {7000,  1, StateInert,  0,       EnemyDeathSound,    false},
    {7999,  1, StateInert,  0,       EnemyDeathSound,    false},
    {8000,  1, StateActive, 200,     EnemyDeathSound,    false},
    {8999,  1, StateActive, 200,     EnemyDeathSound,    false},
    {9000,  0, StateActive, 0,       NoSound,            false},
    {10999, 0, StateActive, 0,       NoSound,            false},
    {11000, 8, StateActive, 0,       NoSound,            false},
    {12999, 8, StateActive, 0,       NoSound,            false},
    {13000, 0, StateActive, 0,       NoSound,            false},
    {19999, 0, StateActive, 0,       NoSound,            false},
};
// clang-format on

bool Mentions(const SceneScript& s, const std::string& text) {
    for (const std::string& e : s.Errors)
        if (e.find(text) != std::string::npos) return true;
    return false;
}

}  // namespace

TEST(ObjectKinds, EveryEdgeOfEveryKindKeepsItsClassPointsSoundAndBossMark) {
    EnemySize[700] = 4;
    EnemyState[7000] = StateDestroyed;
    ResetWorldState();
    for (const SlotFacts& f : Edges) {
        SCOPED_TRACE("slot " + std::to_string(f.Slot));
        EXPECT_EQ(EnemySize[f.Slot], f.HitClass);
        EXPECT_EQ(EnemyState[f.Slot], f.State);
        EXPECT_EQ(SlotPoints(f.Slot), f.Points);
        EXPECT_EQ(KindOfSlot(f.Slot).DeathSound, f.Death);
        EXPECT_EQ(KindOfSlot(f.Slot).Boss, f.Boss);
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
    for (const SlotFacts& f : Edges) {
        SCOPED_TRACE("slot " + std::to_string(f.Slot));
        const std::string expected = f.Death == NoSound ? "" : std::to_string(f.Death) + " ";
        EXPECT_EQ(heard(f.Slot, 0), expected);
        EXPECT_EQ(heard(f.Slot, 18), f.Boss ? expected : "");
        EXPECT_EQ(heard(f.Slot, 17), "");
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
