// The staff roll on the headless game: one run from the last boss scene's end to the title, recorded
// step by step, and checks of its init and its credits on their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/Display.h"
#include "stages/StepText.h"
#include "stages/staffroll/StaffRollShow.h"
#include "tests/support/StageGame.h"

using namespace veltrano;
using namespace veltrano::testdata;

namespace {

constexpr int RingSlots[] = {1032, 1040, 1048, 1084};

// What the world looked like at the end of one step of the roll.
struct Snapshot {
    Pos Ship;
    int Fire, Burst, Option1, Option2, Alt;
    int Type, Backdrop, Layer1X, Layer2X;
    int Cursor, Lit;
    int Cleared, Picture;
    int Lives, Active;
    Pos Rings[4];
};

Snapshot Take() {
    Snapshot s{};
    s.Ship = {PlayerX, PlayerY};
    s.Fire = FireHeld;
    s.Burst = BurstActive;
    s.Option1 = Option1On;
    s.Option2 = Option2On;
    s.Alt = OptionAltFormation;
    s.Type = ShotType;
    s.Backdrop = StaffRollBackdrop;
    s.Layer1X = Layer1StepX;
    s.Layer2X = Layer2StepX;
    s.Cursor = PanelCursor;
    s.Lit = static_cast<int>(std::count(std::begin(PanelCellOn), std::end(PanelCellOn), 1));
    s.Cleared = GameCleared;
    s.Picture = StaffRollPicture;
    s.Lives = Lives;
    s.Active = PlayerActive;
    for (int i = 0; i < 4; ++i) s.Rings[i] = At(RingSlots[i]);
    return s;
}

constexpr int LastRecordedStep = 3070;
constexpr int EarlyConfirmStep = 3000;
constexpr int RecordedScore = 12345;

// One whole roll, entered the way the game enters it, with the ship left to the script: nothing
// keeps it untouchable.
class StaffRollRun : public ::testing::Test {
   protected:
    // Recorded by the first test that runs (the test's own program folder needs a running test).
    void SetUp() override {
        if (!Steps.empty()) return;
        StageGame g{Pictures::Dropped};
        Steps.assign(LastRecordedStep + 1, Snapshot{});
        GameCleared = 0;
        Score = RecordedScore;
        // The last boss scene ends: its boss has been down for 99 steps.
        Scene = BossRush10Scene;
        SceneInit();
        PanelCursor = 29;  // where the last boss's curtain stopped
        FireHeld = 1;      // the player was firing when the boss fell
        EnemyHP[17] = 0;
        EnemyState[17] = StateDestroyed;
        EnemyDeadTime[17] = 99;
        g.Game.Frame();
        EnteredScene = Scene;
        EnteredFrame = StageFrame;
        while (StageFrame <= LastRecordedStep && g.Game.Form.FramesRun() < 10000) {
            const int step = StageFrame;
            if (step == EarlyConfirmStep) {
                g.Game.Platform.Press(Vk::Space);
                g.Game.Frame();
                g.Game.Platform.Press(Vk::Space, false);
                SceneAfterEarlyConfirm = Scene;
            } else {
                g.Game.Frame();
            }
            Steps[step] = Take();
        }
        g.Game.Platform.Press(Vk::Space);
        g.Game.Frame();
        SceneAfterConfirm = Scene;
        ScoreRecorded =
            std::find(std::begin(HighScores), std::end(HighScores), RecordedScore) != std::end(HighScores);
        ClearedAfterConfirm = GameCleared;
    }

    static const Snapshot& AfterStep(int step) { return Steps[step]; }

    static inline std::vector<Snapshot> Steps;
    static inline int EnteredScene = 0, EnteredFrame = -1;
    static inline int SceneAfterEarlyConfirm = 0, SceneAfterConfirm = 0, ClearedAfterConfirm = 0;
    static inline bool ScoreRecorded = false;
};

}  // namespace

TEST_F(StaffRollRun, TheLastBossSceneHandsOverToTheRollWhichEndsOnConfirmAfterTheClosingPicture) {
    EXPECT_EQ(EnteredScene, StaffRollScene);
    EXPECT_EQ(EnteredFrame, 0);
    EXPECT_EQ(SceneAfterEarlyConfirm, StaffRollScene);  // before frame 3065 confirm does nothing
    EXPECT_EQ(SceneAfterConfirm, TitleScene);
    EXPECT_TRUE(ScoreRecorded);
    EXPECT_EQ(ClearedAfterConfirm, 1);  // the new game keeps the cleared flag
}

TEST_F(StaffRollRun, TheGameIsMarkedClearedAt3063AndTheClosingPictureStaysFrom3064) {
    EXPECT_EQ(AfterStep(3062).Cleared, 0);
    EXPECT_EQ(AfterStep(3063).Cleared, 1);
    EXPECT_EQ(AfterStep(3063).Picture, 0);
    EXPECT_EQ(AfterStep(3064).Picture, 1);
    EXPECT_EQ(AfterStep(LastRecordedStep).Picture, 1);
}

TEST_F(StaffRollRun, TheShipFliesItsLegsAndIsPlacedAtEachNewWeapon) {
    EXPECT_EQ(AfterStep(319).Ship, (Pos{-32, 224}));
    EXPECT_EQ(AfterStep(340).Ship, (Pos{94, 224}));
    EXPECT_EQ(AfterStep(343).Ship, (Pos{94, 224}));  // between two legs the ship holds still
    EXPECT_EQ(AfterStep(356).Ship, (Pos{146, 172}));
    EXPECT_EQ(AfterStep(367).Ship, (Pos{146, 106}));
    EXPECT_EQ(AfterStep(387).Ship, (Pos{146, 106}));  // down four steps, up four
    EXPECT_EQ(AfterStep(459).Ship, (Pos{2, 160}));
    EXPECT_EQ(AfterStep(615).Ship, (Pos{2, 208}));
    EXPECT_EQ(AfterStep(823).Ship, (Pos{50, 256}));
    EXPECT_EQ(AfterStep(979).Ship, (Pos{50, 424}));
    EXPECT_EQ(AfterStep(1184).Ship, (Pos{50, 418}));  // the third weapon lifts the ship by 6
    EXPECT_EQ(AfterStep(1531).Ship, (Pos{418, 314}));
    EXPECT_EQ(AfterStep(1727).Ship, (Pos{802, 194}));  // out past the right edge
    EXPECT_EQ(AfterStep(1728).Ship, (Pos{-48, 224}));
    EXPECT_EQ(AfterStep(2007).Ship, (Pos{68, 280}));
    EXPECT_EQ(AfterStep(2139).Ship, (Pos{32, 224}));
    EXPECT_EQ(AfterStep(2403).Ship, (Pos{296, 200}));
    EXPECT_EQ(AfterStep(2591).Ship, (Pos{32, 224}));
    EXPECT_EQ(AfterStep(2691).Ship, (Pos{32, 440}));
    EXPECT_EQ(AfterStep(2775).Ship, (Pos{32, 272}));
    EXPECT_EQ(AfterStep(2999).Ship, (Pos{1232, 272}));
    EXPECT_EQ(AfterStep(LastRecordedStep).Ship, (Pos{1232, 272}));
}

TEST_F(StaffRollRun, TheShipFiresOnlyInItsWindowsAndSpendsBothOptionsOnItsTwoBursts) {
    EXPECT_EQ(AfterStep(365).Fire, 0);  // whatever the player held when the boss fell
    EXPECT_EQ(AfterStep(366).Fire, 1);
    EXPECT_EQ(AfterStep(687).Fire, 1);
    EXPECT_EQ(AfterStep(688).Fire, 0);
    EXPECT_EQ(AfterStep(807).Fire, 0);
    EXPECT_EQ(AfterStep(808).Fire, 1);
    EXPECT_EQ(AfterStep(2463).Fire, 0);
    EXPECT_EQ(AfterStep(2464).Fire, 1);
    EXPECT_EQ(AfterStep(2799).Fire, 1);
    EXPECT_EQ(AfterStep(2800).Fire, 0);
    EXPECT_EQ(AfterStep(LastRecordedStep).Fire, 0);

    EXPECT_EQ(AfterStep(2692).Burst, 0);
    EXPECT_EQ(AfterStep(2693).Burst, 1);
    EXPECT_EQ(AfterStep(2742).Option2, 1);
    EXPECT_EQ(AfterStep(2743).Option2, 0);  // fifty steps of burst use up the second option
    EXPECT_EQ(AfterStep(2743).Option1, 1);
    EXPECT_EQ(AfterStep(2747).Burst, 1);
    EXPECT_EQ(AfterStep(2796).Option1, 1);
    EXPECT_EQ(AfterStep(2797).Option1, 0);
    EXPECT_EQ(AfterStep(2797).Burst, 0);
}

TEST_F(StaffRollRun, EachSegmentChangesWeaponBackdropAndScroll) {
    struct Expected {
        int Step, Type, Backdrop, Layer1X, Layer2X, Alt;
    };
    for (const Expected& e :
         {Expected{739, 1, 0, -8, -8, 0}, Expected{740, 2, 1, -2, -8, 0}, Expected{1183, 2, 1, -2, -8, 0},
          Expected{1184, 3, 2, -4, -8, 0}, Expected{1728, 4, 2, -4, -8, 0}, Expected{2138, 4, 2, -4, -8, 0},
          Expected{2139, 5, 3, -1, -2, 1}, Expected{2591, 6, 4, -1, -2, 1}}) {
        const Snapshot& s = AfterStep(e.Step);
        EXPECT_EQ(s.Type, e.Type) << e.Step;
        EXPECT_EQ(s.Backdrop, e.Backdrop) << e.Step;
        EXPECT_EQ(s.Layer1X, e.Layer1X) << e.Step;
        EXPECT_EQ(s.Layer2X, e.Layer2X) << e.Step;
        EXPECT_EQ(s.Alt, e.Alt) << e.Step;
    }
    // The fourth weapon leaves the curtain's cursor where the last opening left it.
    EXPECT_EQ(AfterStep(1728).Cursor, AfterStep(1727).Cursor);
}

TEST_F(StaffRollRun, EveryClosingCurtainCoversTheScreenAndEveryOpeningClearsIt) {
    EXPECT_EQ(AfterStep(688).Lit, 0);
    struct Run {
        int First, Last;
        bool Closing;
    };
    for (const Run& r : {Run{689, 737, true}, Run{742, 790, false}, Run{1133, 1181, true},
                         Run{1186, 1234, false}, Run{2089, 2137, true}, Run{2141, 2189, false},
                         Run{2541, 2589, true}, Run{2593, 2641, false}, Run{2945, 2993, true}}) {
        // Two steps before the end one cell is still to change: every step changed a new cell.
        EXPECT_EQ(AfterStep(r.Last - 2).Lit, r.Closing ? 47 : 1) << r.First;
        EXPECT_EQ(AfterStep(r.Last).Lit, r.Closing ? 48 : 0) << r.First;
        EXPECT_EQ(AfterStep(r.Last + 1).Lit, r.Closing ? 48 : 0) << r.First;
    }
    EXPECT_EQ(AfterStep(791).Cursor, 0);
    EXPECT_EQ(AfterStep(1235).Cursor, 0);
    EXPECT_EQ(AfterStep(LastRecordedStep).Lit, 48);  // the last curtain stays behind the closing picture
}

TEST_F(StaffRollRun, TheRingsCloseOnTheCentreAndOpenAgainOnTheFarSide) {
    const int throughCentre[] = {2316, 2356, 2396, 2416};
    for (int i = 0; i < 4; ++i) {
        const int f = throughCentre[i];
        EXPECT_EQ(AfterStep(f).Rings[i], (Pos{312, 232})) << RingSlots[i];
        // Ten steps either side the first member stands 40 pixels out, on opposite sides of the centre.
        const Pos before = AfterStep(f - 10).Rings[i], after = AfterStep(f + 10).Rings[i];
        const int bx = before.X - 312, by = before.Y - 232, ax = after.X - 312, ay = after.Y - 232;
        EXPECT_NEAR(bx * bx + by * by, 1600, 90) << RingSlots[i];
        EXPECT_NEAR(ax * ax + ay * ay, 1600, 90) << RingSlots[i];
        EXPECT_LT(bx * ax + by * ay, -1200) << RingSlots[i];
    }
}

TEST_F(StaffRollRun, TheDemonstrationShipComesThroughUnharmed) {
    for (int step = 0; step <= LastRecordedStep; ++step) {
        ASSERT_EQ(AfterStep(step).Lives, 4) << step;
        ASSERT_EQ(AfterStep(step).Active, 1) << step;
    }
}

TEST(StaffRoll, TheInitWaitsWithTheShipOffTheLeftEdgeAndEverySlotActive) {
    ResetWorldState();
    // Leftovers of the last boss scene.
    FireHeld = 1;
    BurstActive = 1;
    BurstTimer = 20;
    Option1On = 0;
    ShotPower = 1;
    ShotType = 4;
    StaffRollBackdrop = 3;
    EnemyDeadTime[4000] = 7;
    EnemyScored[4000] = 1;
    BulletStep[12000] = 5;
    EnemyHP[7000] = 42;
    Scene = StaffRollScene;
    SceneInit();

    EXPECT_EQ(ControlEnabled, 0);
    EXPECT_EQ(FireHeld, 0);
    EXPECT_EQ(BurstActive, 0);
    EXPECT_EQ(BurstTimer, 0);
    EXPECT_EQ(PlayerX, -32);
    EXPECT_EQ(PlayerY, 224);
    EXPECT_EQ(PlayerSpeed, 6);
    EXPECT_EQ(PlayerHP, 1);
    EXPECT_EQ(ShotPower, 3);
    EXPECT_EQ(Option1On, 1);
    EXPECT_EQ(Option2On, 1);
    EXPECT_EQ(ShotType, 1);
    EXPECT_EQ(StaffRollBackdrop, 0);
    EXPECT_EQ(StageFrame, 0);
    EXPECT_EQ(Layer1StepX, -8);
    EXPECT_EQ(Layer2StepX, -8);
    EXPECT_EQ(Layer3StepX, -16);
    EXPECT_EQ(Layer3StepY, -2);
    EXPECT_EQ(EnemyDeadTime[4000], 0);
    EXPECT_EQ(EnemyScored[4000], 0);
    EXPECT_EQ(BulletStep[12000], 0);

    EXPECT_EQ(At(739), (Pos{256, 176}));
    EXPECT_EQ(At(1019), (Pos{40, 864}));
    EXPECT_EQ(At(1021), (Pos{0, -272}));
    EXPECT_EQ(At(1519), (Pos{640, 352}));
    EXPECT_EQ(At(3002), (Pos{248, -32}));
    EXPECT_EQ(At(3504), (Pos{-128, -128}));  // the first two of each last column stay parked
    EXPECT_EQ(At(3506), (Pos{640, 288}));
    EXPECT_EQ(At(3535), (Pos{640, 448}));
    EXPECT_EQ(At(4003), (Pos{640, 448}));
    for (int slot : {0, 705, 739, 1000, 15000}) EXPECT_EQ(EnemyState[slot], StateActive) << slot;

    const int hp[][2] = {{999, 2},   {1000, 1}, {1799, 1},  {1800, 5}, {2479, 10}, {2480, 100}, {3499, 5},
                         {3500, 10}, {4499, 3}, {5500, 15}, {6999, 7}, {8999, 2},  {7000, 42}};
    for (const auto& [slot, points] : hp) EXPECT_EQ(EnemyHP[slot], points) << slot;
}

TEST(StaffRoll, ABlockThatDriftsOffTheLeftEdgeBurstsWithItsSixShots) {
    StageGame g;
    Scene = StaffRollScene;
    SceneInit();
    // Nobody shoots the block: it must go by the script's own rule.
    auto unarmed = [] {
        PlayerUntouchable = 1;
        FireHeld = 0;
    };
    g.RunThroughStep(1183, unarmed);
    EXPECT_EQ(At(4000), (Pos{2, 352}));
    EXPECT_EQ(EnemyState[4000], StateActive);
    g.RunThroughStep(1184, unarmed);
    EXPECT_EQ(EnemyX[4000], 0);
    EXPECT_EQ(EnemyState[4000], StateDestroyed);
    EXPECT_EQ(EnemyState[4001], StateActive);  // 32 steps behind
    g.RunThroughStep(1185, unarmed);
    for (int bullet : {9000, 9032, 9064, 9096, 9128, 9160}) {
        EXPECT_EQ(EnemyState[bullet], StateActive) << bullet;
        EXPECT_LT(std::abs(EnemyX[bullet] - EnemyX[4000]), 48) << bullet;
        EXPECT_LT(std::abs(EnemyY[bullet] - EnemyY[4000]), 48) << bullet;
    }
    EXPECT_EQ(EnemyState[9001], StateDestroyed);  // the next block's shots wait for it
}

TEST(StaffRoll, CreditsShowOnlyInTheirStepsAndStaffStandsInTheMiddle) {
    if (!OpenTextFace(nullptr)) GTEST_SKIP() << "no Japanese face installed";
    if (BackBuffer.Empty()) BackBuffer.Create(ScreenWidth, ScreenHeight);
    struct Box {
        int Left = ScreenWidth, Top = ScreenHeight, Right = -1, Bottom = -1;
    };
    auto whiteAt = [](int step) {
        std::fill(BackBuffer.Pixels.begin(), BackBuffer.Pixels.end(), 0u);
        StageFrame = step;
        DrawStaffCredits(step, BackBuffer);
        Box b;
        for (int y = 0; y < ScreenHeight; ++y) {
            for (int x = 0; x < ScreenWidth; ++x) {
                if (PixelAt(BackBuffer, x, y) != 0xFFFFFFu) continue;
                b = {std::min(b.Left, x), std::min(b.Top, y), std::max(b.Right, x), std::max(b.Bottom, y)};
            }
        }
        return b;
    };
    EXPECT_EQ(whiteAt(100).Right, -1);
    EXPECT_EQ(whiteAt(228).Right, -1);
    for (int step : {101, 227}) {
        const Box staff = whiteAt(step);
        ASSERT_GE(staff.Right, 0) << step;
        EXPECT_LE(std::abs(staff.Left + staff.Right - ScreenWidth), 6) << step;
        EXPECT_GT(staff.Top, 160) << step;
        EXPECT_LT(staff.Bottom, 320) << step;
    }
    // The long credit at (40, 20), and the two closing lines one under the other.
    const Box group = whiteAt(1961);
    EXPECT_GE(group.Left, 40);
    EXPECT_LT(group.Left, 60);
    EXPECT_LT(group.Bottom, 100);
    const Box thanks = whiteAt(2943);
    EXPECT_GE(thanks.Left, 80);
    EXPECT_LT(thanks.Left, 100);
    EXPECT_GT(thanks.Bottom, 120);
    EXPECT_LT(thanks.Bottom, 200);
    EXPECT_EQ(whiteAt(2944).Right, -1);
}
