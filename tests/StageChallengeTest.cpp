// The two fights against the god, played on the headless game.
#include <gtest/gtest.h>

#include "platform/Input.h"
#include "tests/support/StageGame.h"

using namespace veltrano;
using namespace veltrano::testdata;

namespace {

Pos Plus(Pos p, int dx, int dy) {
    return {p.X + dx, p.Y + dy};
}

int ActiveIn(int first, int last) {
    int count = 0;
    for (int slot = first; slot <= last; ++slot) count += EnemyState[slot] == StateActive;
    return count;
}

}  // namespace

TEST(StageChallenge, TheBattleStartsWithALeadInAndTheBossSetsOffOnItsCircleWithoutAJump) {
    StageGame g{Pictures::Dropped};
    PlayerUntouchable = 1;  // left over from a loss in the last stage
    EnemyHP[19] = 7;
    g.Enter(ChallengeBattleScene);
    EXPECT_EQ(StageFrame, -64);
    EXPECT_EQ(BossSlot, 18);
    EXPECT_EQ(EnemyHP[18], 800);
    EXPECT_EQ(EnemyHP[19], 7);  // no range of the table
    EXPECT_EQ(EnemyHP[2490], 50);
    EXPECT_EQ(EnemyHP[6999], 7);
    EXPECT_EQ(PlayerUntouchable, 0);
    EXPECT_EQ(PlayerX, 32);
    EXPECT_EQ(PlayerY, 224);
    EXPECT_EQ(Layer1StepX, 2);
    EXPECT_EQ(Layer2StepX, 8);
    EXPECT_EQ(Layer3StepX, -16);
    EXPECT_EQ(Layer3StepY, -2);
    EXPECT_EQ(At(18), (Pos{544, 224}));

    g.RunThroughStep(-1);
    EXPECT_EQ(At(18), (Pos{544, 224}));
    EXPECT_EQ(EnemyY[713], -32);  // the boss digits wait for frame 0
    g.RunThroughStep(0);
    EXPECT_EQ(At(18), (Pos{544, 224}));
    EXPECT_EQ(EnemyY[713], 0);
    g.RunThroughStep(1);
    EXPECT_EQ(At(18), (Pos{544, 225}));
    g.RunThroughStep(90);
    EXPECT_EQ(At(18), (Pos{512, 256}));
    g.RunThroughStep(360);
    EXPECT_EQ(At(18), (Pos{544, 224}));
}

TEST(StageChallenge, TheRingsOfTheBattleTurnAndTheFirstRingWaitsForTheSecondCycle) {
    StageGame g{Pictures::Dropped};
    g.Enter(ChallengeBattleScene);
    g.RunThroughStep(2);
    EXPECT_EQ(ActiveIn(15001, 15001), 0);
    g.RunThroughStep(3);
    // The second ring leaves the middle of the boss, all eight shots at once.
    for (int j = 0; j < 8; ++j) {
        EXPECT_EQ(EnemyState[15001 + 32 * j], StateActive) << j;
        EXPECT_EQ(At(15001 + 32 * j), Plus(At(18), 8, 8)) << j;
    }
    // The first ring is due at cycle frame 0, but frame 0 is its start and is not above it.
    EXPECT_NE(EnemyState[15000], StateActive);
    EXPECT_EQ(EnemyX[15000], -128);
    const Pos muzzle = At(15001);
    g.RunThroughStep(4);
    EXPECT_EQ(At(15001), Plus(muzzle, 8, 1));  // 8 degrees at 8 pixels a step
    g.RunThroughStep(999);
    EXPECT_NE(EnemyState[15000], StateActive);
    g.RunThroughStep(1000);
    EXPECT_EQ(EnemyState[15000], StateActive);
    EXPECT_EQ(At(15000), Plus(At(18), 8, 8));
}

TEST(StageChallenge, ShotsOfTheBattleFireShotsOfTheirOwn) {
    StageGame g{Pictures::Dropped};
    g.Enter(ChallengeBattleScene);

    // Only the flight counts of the side streams restart at cycle frame 32; the states stay.
    g.RunThroughStep(31);
    BulletStep[15900] = 5;
    BulletStep[15960] = 5;
    const int state = EnemyState[15900];
    g.RunThroughStep(32);
    EXPECT_EQ(BulletStep[15900], 0);
    EXPECT_EQ(EnemyState[15900], state);
    EXPECT_EQ(BulletStep[15960], 5);
    BulletStep[15960] = 0;

    // A ring shot drops a slow shot 8 frames after its launch, turned by 135 degrees.
    g.RunThroughStep(128);
    const Pos ringOrigin = At(15256);
    g.RunThroughStep(136);
    EXPECT_EQ(At(15256), Plus(ringOrigin, 64, 0));
    ASSERT_EQ(EnemyState[11000], StateActive);
    const Pos slowOrigin = Plus(At(15256), 4, 4);
    EXPECT_EQ(At(11000), slowOrigin);
    g.RunThroughStep(137);
    EXPECT_EQ(At(11000), Plus(slowOrigin, -1, 1));
    g.RunThroughStep(138);
    EXPECT_EQ(At(11000), Plus(slowOrigin, -3, 3));

    // A side stream shot turns into an aimed shot where it stands, 8 frames after its launch.
    g.RunThroughStep(416);
    EXPECT_EQ(EnemyState[15832], StateActive);
    g.RunThroughStep(424);
    EXPECT_EQ(EnemyState[15832], StateDestroyed);
    EXPECT_EQ(BulletStep[15832], 0);
    EXPECT_EQ(EnemyState[15960], StateActive);
    EXPECT_EQ(At(15960), At(15832));

    // The launchers leave the boss at 576, stop at 608 and spin spirals from 592 until 743.
    g.RunThroughStep(576);
    const Pos boss = At(18);
    EXPECT_EQ(At(16088), Plus(boss, 8, 14));
    EXPECT_EQ(At(16089), Plus(boss, 8, 2));
    g.RunThroughStep(592);
    EXPECT_EQ(EnemyState[11512], StateActive);
    EXPECT_EQ(At(11512), Plus(At(16088), 4, 4));
    g.RunThroughStep(620);
    EXPECT_EQ(At(16088), Plus(boss, 8, 8 + 6 * 32));
    EXPECT_EQ(At(16089), Plus(boss, 8, 8 - 6 * 32));
    g.RunThroughStep(742);
    EXPECT_EQ(EnemyState[16088], StateActive);
    g.RunThroughStep(743);
    EXPECT_EQ(EnemyState[16088], StateDestroyed);
    EXPECT_EQ(EnemyState[16089], StateDestroyed);
}

TEST(StageChallenge, ABattleBossLeftStandingAtFrame20000IsSwitchedOffAndTheStaffRollFollows) {
    StageGame g{Pictures::Dropped};
    g.Enter(ChallengeBattleScene);
    g.RunThroughStep(10);
    StageFrame = 19990;
    g.RunThroughStep(19999);
    ASSERT_EQ(EnemyState[18], StateActive);
    const int before = Score;
    g.RunThroughStep(20000);
    EXPECT_EQ(EnemyState[18], StateDestroyed);
    EXPECT_EQ(EnemyHP[18], 800);
    g.RunThroughStep(20001);
    EXPECT_EQ(Score, before);  // no boss bonus
    EXPECT_EQ(ActiveIn(11000, 19999), 0);
    int lastStep = 0;
    while (Scene == ChallengeBattleScene && g.Game.Form.FramesRun() < 30000) {
        lastStep = StageFrame;
        g.Game.Frame();
    }
    EXPECT_EQ(Scene, StaffRollScene);
    EXPECT_EQ(lastStep, 20099);
}

TEST(StageChallenge, TheEndurancePhasesFireFromTheStillBossAndAreSweptApart) {
    StageGame g{Pictures::Dropped};
    EnemyHP[18] = 7;
    g.Enter(ChallengeEnduranceScene);
    EXPECT_EQ(StageFrame, -64);
    EXPECT_EQ(BossSlot, 19);
    EXPECT_EQ(EnemyHP[19], 999);
    EXPECT_EQ(EnemyHP[18], 7);
    EXPECT_EQ(At(19), (Pos{512, 224}));

    // Phase 1: a stream shot and its first aimed shot leave at frame 0.
    g.RunThroughStep(-1);
    EXPECT_EQ(EnemyX[13000], -128);  // nothing launched in the lead-in
    EXPECT_EQ(EnemyX[11000], -128);
    g.RunThroughStep(0);
    EXPECT_EQ(At(13000), (Pos{520, 232}));
    EXPECT_EQ(At(11000), (Pos{524, 236}));

    // The sweep at 520 empties the field until phase 2 begins at 600.
    g.RunThroughStep(519);
    EXPECT_GT(ActiveIn(11000, 19999), 0);
    g.RunThroughStep(599);
    EXPECT_EQ(ActiveIn(11000, 19999), 0);
    g.RunThroughStep(1119);
    EXPECT_GT(ActiveIn(13000, 13639), 0);
    EnemyState[15500] = StateActive;  // a marker above the reach of the sweep at 1120
    g.RunThroughStep(1120);
    EXPECT_EQ(ActiveIn(11000, 14999), 0);
    EXPECT_EQ(EnemyState[15500], StateActive);

    // Phase 3: a slow shot stops after 30 frames and turns into a shot that throws two more.
    g.RunThroughStep(1229);
    EXPECT_EQ(At(13000), (Pos{632, 232}));
    g.RunThroughStep(1230);
    EXPECT_EQ(EnemyState[13000], StateDestroyed);
    EXPECT_EQ(EnemyState[13600], StateActive);
    EXPECT_EQ(At(13600), (Pos{632, 232}));
    EXPECT_EQ(At(11000), (Pos{636, 236}));
    EXPECT_EQ(At(11480), (Pos{636, 236}));
    g.RunThroughStep(1720);
    EXPECT_EQ(ActiveIn(11000, 19999), 0);
    EXPECT_EQ(At(19), (Pos{512, 224}));  // the boss never moved
}

TEST(StageChallenge, TheTrialBossCannotBeShotAndIsSwitchedOffAtFrame4000) {
    StageGame g{Pictures::Dropped};
    g.Enter(ChallengeEnduranceScene);
    g.Game.Platform.Press(Vk::X);
    g.RunThroughStep(3999);
    int shotsInFlight = 0;
    for (int k = 0; k < ShotCount; ++k) shotsInFlight += ShotLive[k];
    EXPECT_GT(shotsInFlight, 0);
    EXPECT_EQ(EnemyHP[19], 999);  // every shot is stopped without harm
    EXPECT_EQ(EnemyState[19], StateActive);
    // The last spirals have left the field by now; a marker shows the final sweep.
    EnemyState[19999] = StateActive;
    BulletStep[19999] = 3;
    g.RunThroughStep(4000);
    EXPECT_EQ(EnemyState[19], StateDestroyed);
    EXPECT_EQ(ActiveIn(11000, 19999), 0);
    int counting = 0;
    for (int slot = 11000; slot <= 19999; ++slot) counting += BulletStep[slot] != 0;
    EXPECT_EQ(counting, 0);
    EXPECT_EQ(g.RunToNextScene(), 4099);
    EXPECT_EQ(Scene, StaffRollScene);
}

TEST(StageChallenge, ALostShipLeavesTheBulletsOfBothFightsInFlight) {
    for (int scene : {ChallengeBattleScene, ChallengeEnduranceScene}) {
        StageGame g{Pictures::Dropped};
        g.Enter(scene);
        while (!(RespawnTimer >= 1 && RespawnTimer <= 70) && g.Game.Form.FramesRun() < 3000) g.Game.Frame();
        ASSERT_GE(RespawnTimer, 1) << "the ship was never hit in scene " << scene;
        // A marker in the range that the loss sweeps in every other play scene.
        EnemyState[14999] = StateActive;
        BulletStep[14999] = 3;
        g.Game.Frame();
        EXPECT_EQ(EnemyState[14999], StateActive) << scene;
        EXPECT_EQ(BulletStep[14999], 3) << scene;
    }
}
