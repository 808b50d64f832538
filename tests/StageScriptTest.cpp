#include <gtest/gtest.h>

#include <string>

#include "stages/Scenes.h"
#include "stages/Stage.h"

using namespace veltrano;

namespace {

bool Mentions(const SceneScript& s, const std::string& text) {
    for (const std::string& e : s.Errors) {
        if (e.find(text) != std::string::npos) return true;
    }
    return false;
}

void Destroy(int slot, int deadTime) {
    EnemyState[slot] = StateDestroyed;
    EnemyDeadTime[slot] = deadTime;
}

}  // namespace

TEST(StageScript, EveryWrittenSceneBuildsWithoutFaultsAndTheDispatchCoversOnlyItsScenes) {
    for (int scene = FirstScene; scene <= LastScene; ++scene) {
        const SceneScript* script = SceneScriptOf(scene);
        ASSERT_NE(script, nullptr) << scene;
        EXPECT_TRUE(script->Errors.empty()) << script->Name << ": " << script->Errors.front();
    }
    EXPECT_EQ(SceneScriptOf(FirstScene - 1), nullptr);
    EXPECT_EQ(SceneScriptOf(LastScene + 1), nullptr);
    EXPECT_GT(SceneScriptOf(Stage1Scene)->Step.size(), 500u);

    // A scene outside the table, or one without content yet, leaves the world alone.
    ResetWorldState();
    EnemyX[1000] = 77;
    StageFrame = 123;
    // The first scene still without content, if any is left.
    int empty = FirstScene - 1;
    for (int scene = FirstScene; scene <= LastScene && empty < FirstScene; ++scene) {
        const SceneScript* script = SceneScriptOf(scene);
        if (script->Reset == ResetKind::None && script->Step.empty() && script->InitHook == nullptr)
            empty = scene;
    }
    for (int scene : {FirstScene - 1, LastScene + 1, empty}) {
        Scene = scene;
        SceneInit();
        SceneStep();
        EXPECT_EQ(EnemyX[1000], 77);
        EXPECT_EQ(StageFrame, 123);
    }
}

TEST(StageScript, MistypedNumbersAreCaughtWhenTheScriptIsBuilt) {
    SceneScript script;
    script.Name = "faulty";
    ScriptBuilder s(script);
    s.Flags(4);
    // A bullet slot moved as an enemy, an enemy slot used as a bullet, a carrier past the last slot.
    s.MoveDuring({.slot = 9001, .dx = 1, .from = 0, .to = 10});
    s.FireAimed({.bullet = 8999, .carrier = 1000, .speed = 6, .from = 0, .period = 60});
    s.FireAimed({.bullet = 11000, .carrier = 20000, .speed = 6, .from = 0, .period = 60});
    // A window that never opens, a phase the period never reaches, flag 4 of a table of 4.
    s.MoveDuring({.slot = 1000, .dx = 1, .from = 64, .to = 32});
    s.FireAimed({.bullet = 11001, .carrier = 1000, .speed = 6, .from = 0, .phase = 60, .period = 60});
    s.BonusCheck({.first = 1000, .last = 1003, .frame = 100, .flag = 4, .points = 500});
    s.HitPoints(2000, 1999, 5);
    s.Place({.first = 19990, .count = 11, .x = 0, .y = 0});
    s.SetBossSlot(20);
    const size_t faults = script.Errors.size();
    EXPECT_EQ(faults, 9u);
    EXPECT_TRUE(script.Step.empty());  // nothing faulty reaches the step list
    EXPECT_TRUE(script.HitPoints.empty());
    EXPECT_TRUE(script.Placements.empty());
    EXPECT_TRUE(Mentions(script, "MoveDuring slot 9001 outside 0..8999"));
    EXPECT_TRUE(Mentions(script, "window (64, 32)"));

    // A field the statement needs and was not given, or one it has no use for.
    s.FireAimed({.bullet = 11003, .carrier = 1000, .from = 0, .period = 60});
    s.FireAngled(
        {.bullet = 11004, .carrier = 1000, .angle = 90, .speed = 6, .from = 0, .moveSpan = 9, .period = 8});
    s.CircleFrom(
        {.slot = 1000, .cx = 1, .cy = 1, .radius = 1, .startAngle = 0, .angleStep = 1, .from = 0, .to = 9});
    s.FireOnDeath({.bullet = 11005, .carrier = 1000, .speed = 6, .from = 3, .deadTime = 1});
    EXPECT_EQ(script.Errors.size(), faults + 4);
    EXPECT_TRUE(script.Step.empty());
    EXPECT_TRUE(Mentions(script, "FireAimed without its speed"));
    EXPECT_TRUE(Mentions(script, "FireAngled takes no moveSpan"));
    EXPECT_TRUE(Mentions(script, "CircleFrom takes no to"));
    EXPECT_TRUE(Mentions(script, "FireOnDeath takes no from"));

    // Two calls sharing a bullet slot are found when the script is closed...
    s.DeathShot({.bullet = 11002, .carrier = 1000});
    s.FireAimed({.bullet = 11002, .carrier = 1001, .speed = 6, .from = 0, .period = 60});
    // ...unless their frame ranges never meet, as a boss's phases do.
    s.FramesIn(0, 99, [&] {
        s.FireAngled({.bullet = 13000, .carrier = 1000, .angle = 90, .speed = 6, .from = 0, .period = 8});
    });
    s.FramesIn(100, 199, [&] {
        s.FireAngled({.bullet = 13000, .carrier = 1000, .angle = 90, .speed = 6, .from = 99, .period = 8});
    });
    s.FromFrame(150, [&] {
        s.FireAngled({.bullet = 13000, .carrier = 1001, .angle = 90, .speed = 6, .from = 0, .period = 8});
    });
    EXPECT_FALSE(s.Finish());
    EXPECT_EQ(script.Errors.size(), faults + 6);
    EXPECT_TRUE(Mentions(script, "bullet 11002 is fired by FireOnDeath and by FireAimed"));
    EXPECT_TRUE(Mentions(script, "bullet 13000"));
}

TEST(StageScript, AFaultyGuardKeepsItsBlockShut) {
    SceneScript script;
    ScriptBuilder s(script);
    s.Flags(2);
    s.WhileFlag(5, [&] { s.MoveDuring({.slot = 1000, .dx = 1, .from = -100, .to = 100}); });
    s.MoveDuring({.slot = 1001, .dx = 1, .from = -100, .to = 100});
    ASSERT_EQ(script.Errors.size(), 1u);
    ResetWorldState();
    BonusFlags[5] = 1;
    StageFrame = 0;
    RunStep(script);
    EXPECT_EQ(EnemyX[1000], ParkedPosition);
    EXPECT_EQ(EnemyX[1001], ParkedPosition + 1);
}

TEST(StageScript, GuardsChecksAndComputedArgumentsFollowTheWorldEveryStep) {
    SceneScript script;
    ScriptBuilder s(script);
    s.Flags(3);
    s.BonusCheck({.first = 1000, .last = 1001, .frame = 10, .flag = 2, .points = 300});
    s.WhileFlag(2, [&] { s.MoveDuring({.slot = 1002, .dx = 1, .from = 0, .to = 1000}); });
    s.MoveDuring({.slot = 1003, .dx = Arg::TimesLayer(2, LayerStep::Layer1X), .from = 0, .to = 1000});
    s.PlaceRelative(1004, 1003, 16, -32);
    s.MoveDuring(
        {.slot = 1005,
         .dy = Arg::Cycle({.shift = 50, .period = 200, .threshold = 99, .above = 2, .otherwise = -2}),
         .from = 0,
         .to = 1000});
    s.CircleDuring({.slot = 1006,
                    .cx = 300,
                    .cy = 200,
                    .radius = Arg::Frame(400, -4),
                    .startAngle = 0,
                    .angleStep = 90,
                    .from = 0,
                    .to = 1000});
    s.AtDeadTime(6, 100, [&] {
        s.SetStageFrame(10000);
        s.SetLayerStep(LayerStep::Layer2X, -2);
    });
    s.WhileAllDestroyed(6, 6, [&] { s.SetState(11000, 11009, StateDestroyed, true); });
    s.AtFrame(20, [&] { s.WhileAnyDestroyed(2000, 2003, [&] { s.AddScore(7); }); });
    ASSERT_TRUE(s.Finish()) << script.Errors.front();

    ResetWorldState();
    Score = 0;
    Layer1StepX = -1;
    EnemyX[1003] = 100;
    EnemyY[1003] = 100;
    EnemyState[1000] = EnemyState[1001] = StateDestroyed;
    BulletStep[11003] = 5;
    for (StageFrame = 1; StageFrame <= 10; ++StageFrame) RunStep(script);
    EXPECT_EQ(Score, 300);  // paid once, on its frame
    EXPECT_EQ(BonusFlags[2], 1);
    EXPECT_EQ(EnemyX[1002], ParkedPosition + 1);  // the guarded block ran on the check's own step
    EXPECT_EQ(EnemyX[1003], 100 - 2 * 10);
    Layer1StepX = 3;  // the drift is read again at each step
    RunStep(script);
    EXPECT_EQ(EnemyX[1003], 80 + 6);
    EXPECT_EQ(EnemyX[1004], 86 + 16);
    EXPECT_EQ(EnemyY[1004], 100 - 32);
    EXPECT_EQ(EnemyY[1005], ParkedPosition - 2 * 11);  // (f - 50) mod 200 is below 100 up to here
    // Radius 400 - 4 x 11, three quarter-steps round the circle.
    EXPECT_EQ(EnemyX[1006], 300);
    EXPECT_EQ(EnemyY[1006], 200 - 356);
    EXPECT_EQ(BulletStep[11003], 5);

    // A destroyed boss: bullets cleared with their step counters, and the jump at dead time 100.
    EnemyState[6] = StateDestroyed;
    EnemyDeadTime[6] = 99;
    StageFrame = 12;
    RunStep(script);
    EXPECT_EQ(EnemyState[11003], StateDestroyed);
    EXPECT_EQ(BulletStep[11003], 0);
    EXPECT_EQ(StageFrame, 12);
    EnemyDeadTime[6] = 100;
    RunStep(script);
    EXPECT_EQ(StageFrame, 10000);
    EXPECT_EQ(Layer2StepX, -2);

    EnemyState[6] = StateActive;
    StageFrame = 20;
    RunStep(script);
    EXPECT_EQ(Score, 300);
    EnemyState[2002] = StateDestroyed;
    RunStep(script);
    EXPECT_EQ(Score, 307);
}

// Every guard kind at the edges of its condition: the guarded block runs only when it holds, and the
// statement after the block runs either way.
TEST(StageScript, EveryGuardOpensItsBlockExactlyWhenItsConditionHolds) {
    struct Case {
        const char* Name;
        void (*Write)(ScriptBuilder& s, void (*body)(ScriptBuilder&));
        void (*Set)();
        bool Opens;
    };
    using Body = void (*)(ScriptBuilder&);
    // clang-format off
    const Case Cases[] = {
        {"flag set",          [](ScriptBuilder& s, Body b) { s.WhileFlag(1, [&] { b(s); }); },                [] { BonusFlags[1] = 1; },                     true},
        {"flag clear",        [](ScriptBuilder& s, Body b) { s.WhileFlag(1, [&] { b(s); }); },                [] { BonusFlags[0] = 1; BonusFlags[2] = 1; },  false},
        {"all destroyed",     [](ScriptBuilder& s, Body b) { s.WhileAllDestroyed(1000, 1001, [&] { b(s); }); }, [] { Destroy(1000, 1); Destroy(1001, 1); },  true},
        {"one still active",  [](ScriptBuilder& s, Body b) { s.WhileAllDestroyed(1000, 1001, [&] { b(s); }); }, [] { Destroy(1000, 1); Destroy(1002, 1); },  false},
        {"any destroyed",     [](ScriptBuilder& s, Body b) { s.WhileAnyDestroyed(1000, 1001, [&] { b(s); }); }, [] { Destroy(1001, 1); },                    true},
        {"none destroyed",    [](ScriptBuilder& s, Body b) { s.WhileAnyDestroyed(1000, 1001, [&] { b(s); }); }, [] { Destroy(999, 1); Destroy(1002, 1); },   false},
        {"all HP gone",       [](ScriptBuilder& s, Body b) { s.WhileAllHPBelowOne(1000, 1001, [&] { b(s); }); }, [] { EnemyHP[1000] = 0; EnemyHP[1001] = -3; }, true},
        {"one HP left",       [](ScriptBuilder& s, Body b) { s.WhileAllHPBelowOne(1000, 1001, [&] { b(s); }); }, [] { EnemyHP[1000] = 0; EnemyHP[1001] = 1; },  false},
        {"first frame",       [](ScriptBuilder& s, Body b) { s.FramesIn(10, 20, [&] { b(s); }); },           [] { StageFrame = 10; },                       true},
        {"last frame",        [](ScriptBuilder& s, Body b) { s.FramesIn(10, 20, [&] { b(s); }); },           [] { StageFrame = 20; },                       true},
        {"frame before",      [](ScriptBuilder& s, Body b) { s.FramesIn(10, 20, [&] { b(s); }); },           [] { StageFrame = 9; },                        false},
        {"frame after",       [](ScriptBuilder& s, Body b) { s.FramesIn(10, 20, [&] { b(s); }); },           [] { StageFrame = 21; },                       false},
        {"dead time in",      [](ScriptBuilder& s, Body b) { s.DeadTimeIn(1000, 3, 5, [&] { b(s); }); },     [] { Destroy(1000, 5); },                      true},
        {"dead time after",   [](ScriptBuilder& s, Body b) { s.DeadTimeIn(1000, 3, 5, [&] { b(s); }); },     [] { Destroy(1000, 6); },                      false},
        {"dead time, alive",  [](ScriptBuilder& s, Body b) { s.DeadTimeIn(1000, 3, 5, [&] { b(s); }); },     [] { EnemyDeadTime[1000] = 4; },               false},
        {"value above",       [](ScriptBuilder& s, Body b) { s.WhileAbove(Arg::Frame(0, 1), 10, [&] { b(s); }); }, [] { StageFrame = 11; },                 true},
        {"value equal",       [](ScriptBuilder& s, Body b) { s.WhileAbove(Arg::Frame(0, 1), 10, [&] { b(s); }); }, [] { StageFrame = 10; },                 false},
        {"HP below",          [](ScriptBuilder& s, Body b) { s.WhileHPBelow(1000, 5, [&] { b(s); }); },      [] { EnemyHP[1000] = 4; },                     true},
        {"HP at",             [](ScriptBuilder& s, Body b) { s.WhileHPBelow(1000, 5, [&] { b(s); }); },      [] { EnemyHP[1000] = 5; },                     false},
        {"cycle frame",       [](ScriptBuilder& s, Body b) { s.CycleFramesIn(100, 10, 20, [&] { b(s); }); }, [] { StageFrame = 320; },                      true},
        {"off the cycle",     [](ScriptBuilder& s, Body b) { s.CycleFramesIn(100, 10, 20, [&] { b(s); }); }, [] { StageFrame = 321; },                      false},
        {"before frame 0",    [](ScriptBuilder& s, Body b) { s.CycleFramesIn(100, 10, 20, [&] { b(s); }); }, [] { StageFrame = -90; },                      false},
    };
    // clang-format on
    for (const Case& c : Cases) {
        SceneScript script;
        ScriptBuilder s(script);
        s.Flags(3);
        c.Write(s, [](ScriptBuilder& in) {
            in.AddScore(1);
            in.SetPosition(1010, 5, 6);
        });
        s.AddScore(100);
        ASSERT_TRUE(s.Finish()) << c.Name << ": " << script.Errors.front();
        ResetWorldState();
        Score = 0;
        StageFrame = 0;
        for (int slot = 999; slot <= 1010; ++slot) EnemyHP[slot] = 1;
        c.Set();
        RunStep(script);
        EXPECT_EQ(Score, c.Opens ? 101 : 100) << c.Name;
        EXPECT_EQ(EnemyX[1010] == 5, c.Opens) << c.Name;
    }
}

TEST(StageScript, InitTablesPlaceMembersAndDrawRandomValuesInTableOrder) {
    SceneScript script;
    ScriptBuilder s(script);
    s.Reset(ResetKind::Stage);
    s.Layers({.layer1X = -1, .layer2X = -2, .layer2Y = 3});
    s.HitPoints(1000, 1003, 7);
    s.Place({.first = 1000, .count = 3, .x = Coord::Per(10, 32), .y = Coord::Rand(448)});
    s.Place({.first = 2000, .count = 2, .x = Coord::Rand(20, 5, 32), .y = FieldHeight});
    s.Boss(9);
    s.Flags(4);
    ASSERT_TRUE(s.Finish());

    ResetWorldState();
    EnemyHP[1004] = 42;  // not listed: keeps its value
    BonusFlags[3] = 1;
    Layer1TileX[9] = 5;
    RandomSeed = 1234;
    RunInit(script);

    uint32_t seed = 1234;
    auto next = [&](int n) {
        seed = seed * 134775813u + 1u;
        return static_cast<int>((static_cast<uint64_t>(seed) * static_cast<uint64_t>(n)) >> 32);
    };
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(EnemyX[1000 + k], 10 + 32 * k);
        EXPECT_EQ(EnemyY[1000 + k], next(448));
    }
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(EnemyX[2000 + k], next(20) * 32 + 5);
        EXPECT_EQ(EnemyY[2000 + k], 480);
    }
    EXPECT_EQ(EnemyHP[1003], 7);
    EXPECT_EQ(EnemyHP[1004], 42);
    EXPECT_EQ(BossSlot, 9);
    EXPECT_EQ(BonusFlagCount, 4);
    EXPECT_EQ(BonusFlags[3], 0);
    EXPECT_EQ(Layer1TileX[9], GridTileX(9));
    EXPECT_EQ(Layer2StepX, -2);
    EXPECT_EQ(Layer2StepY, 3);
    EXPECT_EQ(EnemyX[5000], ParkedPosition);
}

TEST(StageScript, TheStageResetDiffersInTheFirstStage) {
    for (bool first : {true, false}) {
        SCOPED_TRACE(first ? "stage 1" : "later stage");
        SceneScript script;
        ScriptBuilder s(script);
        s.Reset(first ? ResetKind::FirstStage : ResetKind::Stage);
        ResetWorldState();
        PlayerHP = 3;
        BurstActive = 1;
        BurstTimer = 40;
        BurstKeyFrames = 9;
        Option1On = Option2On = 1;
        ShotLive[5] = 1;
        EnemyState[700] = StateActive;
        EnemyDeadTime[1000] = 30;
        EnemyScored[1000] = 1;
        BulletStep[9000] = 4;
        StageFrame = 500;
        RunInit(script);
        EXPECT_EQ(PlayerX, 32);
        EXPECT_EQ(PlayerY, 224);
        EXPECT_EQ(PlayerHP, first ? 1 : 3);
        EXPECT_EQ(ShotY[5], first ? -96 : -128);
        EXPECT_EQ(ShotLive[5], 0);
        EXPECT_EQ(BurstActive, 0);
        EXPECT_EQ(BurstTimer, 0);
        EXPECT_EQ(BurstKeyFrames, first ? 9 : 0);
        EXPECT_EQ(Option1On, first ? 1 : 0);
        EXPECT_EQ(EnemyState[700], StateInert);
        EXPECT_EQ(EnemyDeadTime[1000], 0);
        EXPECT_EQ(EnemyScored[1000], 0);
        EXPECT_EQ(BulletStep[9000], 0);
        EXPECT_EQ(StageFrame, 0);
        // The head-up display waits above the screen until the first step places it.
        EXPECT_EQ(EnemyX[715], 608);
        EXPECT_EQ(EnemyY[715], -32);
        EXPECT_EQ(EnemyX[727], 48);
        EXPECT_EQ(EnemyX[728], 80);
        EXPECT_EQ(EnemyY[731], -16);
        EXPECT_EQ(EnemyX[732], 256);
    }
}

TEST(StageScript, TheHeadUpDisplayRidesAboveAShipNearTheTop) {
    PlayerY = 33;
    PlaceHudRows();
    PlaceBossDigits();
    EXPECT_EQ(EnemyY[716], 0);
    EXPECT_EQ(EnemyY[731], 16);
    EXPECT_EQ(EnemyY[713], 0);
    PlayerY = 32;  // from here on the rows follow the ship
    PlaceHudRows();
    EXPECT_EQ(EnemyY[724], 0);
    EXPECT_EQ(EnemyY[725], 16);
    PlayerY = 10;
    PlaceHudRows();
    PlaceBossDigits();
    EXPECT_EQ(EnemyY[720], -22);
    EXPECT_EQ(EnemyY[726], -6);
    EXPECT_EQ(EnemyY[715], -22);
}
