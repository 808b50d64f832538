#include <gtest/gtest.h>

#include "tests/support/StageGame.h"

using namespace veltrano;
using namespace veltrano::testdata;

namespace {

int ForegroundTilesOn() {
    int on = 0;
    for (uint8_t t : ForegroundTileOn) on += t == 1;
    return on;
}

}  // namespace

TEST(StageSix, AfterStageFivesClosingRunItOpensEarlyWhileTheForegroundScrollsAway) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage6Scene);
    EXPECT_EQ(StageFrame, 0);  // entered any other way, it starts at 0

    for (uint8_t& t : ForegroundTileOn) t = 1;  // what stage 5's closing run leaves
    g.Enter(Stage6Scene);
    EXPECT_EQ(StageFrame, -96);
    EXPECT_EQ(ForegroundTilesOn(), TileCount);
    g.Game.Frame();
    // The first column scrolled from -80 to -100 and is forgotten; the second stands at -20.
    EXPECT_EQ(StageFrame, -95);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(ForegroundTileOn[i], 0) << i;
    EXPECT_EQ(ForegroundTilesOn(), TileCount - 8);
    // At 20 pixels a step another column passes the edge every four steps, the last one on the 36th
    // step; none comes back when the tiles wrap round to the right.
    g.RunThroughStep(-62);
    EXPECT_EQ(ForegroundTilesOn(), 8);
    g.RunThroughStep(-61);
    EXPECT_EQ(ForegroundTilesOn(), 0);
    g.RunThroughStep(0);
    EXPECT_EQ(ForegroundTilesOn(), 0);
    EXPECT_EQ(At(900), (Pos{640, 224}));  // nothing moved during the lead-in
}

TEST(StageSix, GunnersRideTheirPlatformAndFallWithIt) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage6Scene);
    g.RunThroughStep(200);
    // Platform 0 moves from step 97: 104 steps of 2 pixels.
    EXPECT_EQ(At(2400), (Pos{656 - 2 * 104, 64}));
    EXPECT_EQ(At(1800), (Pos{656 - 208 - 16, 32}));
    EXPECT_EQ(At(1812), (Pos{656 - 208 - 16, 112}));
    // The platforms of the climbing group carry two gunners each.
    EXPECT_EQ(At(1816), (Pos{-16, 512}));
    EXPECT_EQ(At(1820), (Pos{-32, 528}));

    ShootDown(2400, 2400);
    const int before = Score;
    g.RunThroughStep(201);
    for (int gunner : {1800, 1804, 1808, 1812}) {
        EXPECT_EQ(EnemyState[gunner], StateDestroyed) << gunner;
        EXPECT_EQ(EnemyHP[gunner], 5) << gunner;  // not hit, so not scored
    }
    EXPECT_EQ(EnemyState[1801], StateActive);  // the next platform's gunners fly on
    EXPECT_EQ(Score - before, 1000);           // the platform alone
}

TEST(StageSix, TheSpiralRingsComeOnlyForAllFourPlatformsAndPassThroughTheCentre) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage6Scene);
    g.RunThroughStep(400);
    ShootDown(2400, 2402);
    g.RunThroughStep(471);
    EXPECT_EQ(BonusFlags[1], 0);
    g.RunThroughStep(600);
    EXPECT_EQ(At(1000), (Pos{-128, -128}));
    ShootDown(2403, 2403);  // too late: the check was at 471
    g.RunThroughStep(700);
    EXPECT_EQ(BonusFlags[1], 0);

    g.Enter(Stage6Scene);
    g.RunThroughStep(400);
    ShootDown(2400, 2403);
    const int before = Score;
    g.RunThroughStep(471);
    EXPECT_EQ(BonusFlags[1], 1);
    EXPECT_EQ(Score - before, 20000 + 4 * 1000);
    g.RunThroughStep(473);
    // One degree back from member 0's start, on a radius of 4 x (564 - 473) = 364.
    EXPECT_EQ(At(1000), (Pos{676, 226}));
    g.RunThroughStep(564);
    for (int k = 0; k < 12; ++k) EXPECT_EQ(At(1000 + k), (Pos{312, 232})) << k;
    EXPECT_EQ(At(1012), (Pos{-128, -128}));  // the second ring opens after 564
    g.RunThroughStep(565);
    // A negative radius puts member 3 (at -3 degrees now) on the far side of the centre.
    EXPECT_EQ(At(1003), (Pos{308, 232}));
    // The second ring starts at a radius of 4 x (656 - 565) = 364, turning the other way.
    EXPECT_EQ(At(1012), (Pos{676, 238}));
}

TEST(StageSix, RunnersBurstAtTheLeftEdgeAndCountForTheirFilesBonus) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage6Scene);
    StageFrame = 2520;  // the runners set off at 2528: skip the waves before them
    // The fastest runner of the first file (8 pixels a step from 2529) reaches X 0 at step 2608.
    g.RunThroughStep(2607);
    EXPECT_EQ(At(4003), (Pos{8, 0}));
    EXPECT_EQ(EnemyState[4003], StateActive);
    EXPECT_EQ(EnemyState[9003], StateDestroyed);
    g.RunThroughStep(2608);
    EXPECT_EQ(EnemyState[4003], StateDestroyed);
    EXPECT_EQ(EnemyHP[4003], 3);
    // Its parting shots go off all the same, on the next step.
    g.RunThroughStep(2609);
    for (int bullet : {9003, 9007, 9023, 9043}) EXPECT_EQ(EnemyState[bullet], StateActive) << bullet;
    g.RunThroughStep(2700);
    ShootDown(4000, 4002);
    ShootDown(4004, 4007);
    const int before = Score;
    g.RunThroughStep(2783);
    EXPECT_EQ(BonusFlags[2], 1);
    // 4001 and 4002 ran out as well before they were shot; only the five still running score.
    EXPECT_EQ(Score - before, 20000 + 5 * 500);
    g.RunThroughStep(2790);
    EXPECT_EQ(At(4008), (Pos{640 - 2 * 6, 224}));
    EXPECT_EQ(At(4011), (Pos{640 - 8 * 6, 224}));
    EXPECT_EQ(At(4012), (Pos{640, 0}));  // the third file needs the second one gone by 2911
}

TEST(StageSix, ATurretShotDownBeforeItLeavesBringsAFileOfDivers) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage6Scene);
    StageFrame = 1880;  // the turrets enter at 1888: skip the waves before them
    g.RunThroughStep(1950);
    EXPECT_EQ(EnemyX[2016], 640 - 6 * 31);  // its dash ends at 1920
    ShootDown(2016, 2016);
    const int before = Score;
    g.RunThroughStep(2015);
    EXPECT_EQ(BonusFlags[5], 1);
    EXPECT_EQ(Score - before, 2500 + 500);
    g.RunThroughStep(2143);
    EXPECT_EQ(BonusFlags[6], 0);  // the second turret was left alone
    EXPECT_EQ(At(1520), (Pos{560, 480}));
    // Diver 0 moves from 2017, diver 3 from 2029.
    EXPECT_EQ(At(1516), (Pos{560 - 3 * 127, -16 + 7 * 127}));
    EXPECT_EQ(At(1519), (Pos{560 - 3 * 115, -16 + 7 * 115}));
}

TEST(StageSix, TheExtraShipNeedsBothOptionsAndEveryGunAndGunshipDestroyed) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage6Scene);
    StageFrame = 4590;  // the item reads only the frame and the hit points: skip the waves
    g.RunThroughStep(4600);
    ShootDown(2000, 2015);
    ShootDown(2408, 2415);
    Option2On = 0;
    g.RunThroughStep(4620);
    EXPECT_EQ(At(950), (Pos{640, 224}));
    Option2On = 1;
    EnemyHP[2415] = 1;  // one gunship still has a hit point
    g.RunThroughStep(4630);
    EXPECT_EQ(At(950), (Pos{640, 224}));
    EnemyHP[2415] = 0;
    g.RunThroughStep(4640);
    EXPECT_EQ(At(950), (Pos{620, 224}));
}

TEST(StageSix, TheBossArrivesSwaysAndLosesItsArmsTogether) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage6Scene);
    StageFrame = 4760;  // the boss reads only the frame: skip the waves
    g.RunThroughStep(4782);
    EXPECT_EQ(At(13), (Pos{704, 224}));
    EXPECT_EQ(At(2420), (Pos{640, 160}));  // every part waits off screen
    EXPECT_EQ(EnemyY[713], -32);
    g.RunThroughStep(4800);
    EXPECT_EQ(At(13), (Pos{568, 224}));
    EXPECT_EQ(EnemyY[713], 0);
    EXPECT_EQ(At(4501), (Pos{600, 224}));
    EXPECT_EQ(At(4503), (Pos{600, 240}));
    EXPECT_EQ(At(2423), (Pos{536, 256}));
    EXPECT_EQ(At(2424), (Pos{568, 64}));
    EXPECT_EQ(At(2425), (Pos{568, 384}));
    // (F - 48) mod 192 is above 95 until 4847: down a pixel a step, then up for 96 steps.
    g.RunThroughStep(4847);
    EXPECT_EQ(EnemyY[13], 224 + 47);
    g.RunThroughStep(4943);
    EXPECT_EQ(EnemyY[13], 224 + 47 - 96);
    EXPECT_EQ(EnemyY[2425], 224 + 47 - 96 + 160);
    g.RunThroughStep(4944);
    EXPECT_EQ(EnemyY[13], 224 + 47 - 95);

    EnemyHP[2421] = 0;
    EnemyState[2421] = StateDestroyed;
    g.RunThroughStep(4945);
    for (int arm = 2420; arm <= 2423; ++arm) EXPECT_EQ(EnemyState[arm], StateDestroyed) << arm;
    EXPECT_EQ(EnemyState[2424], StateActive);

    // Without the upper pylon the boss adds its fans of five at every 32nd step of the 256 cycle.
    ShootDown(2424, 2424);
    g.RunThroughStep(5119);
    EXPECT_EQ(EnemyState[17040], StateDestroyed);
    g.RunThroughStep(5120);  // 5120 = 20 x 256
    for (int bullet = 17040; bullet < 17045; ++bullet) EXPECT_EQ(EnemyState[bullet], StateActive) << bullet;
}

TEST(StageSix, ABossStillStandingAtTheTimeOutTakesItsPartsAndBulletsWithIt) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage6Scene);
    StageFrame = 8780;
    g.RunThroughStep(8799);
    ASSERT_EQ(EnemyState[13], StateActive);
    const int before = Score;
    g.RunThroughStep(8800);
    EXPECT_EQ(EnemyState[13], StateDestroyed);
    EXPECT_EQ(Score, before);  // no boss bonus
    for (int part : {2420, 2423, 2424, 2425, 4500, 4503}) EXPECT_EQ(EnemyState[part], StateDestroyed) << part;
    for (int slot = 11000; slot <= 19999; ++slot) ASSERT_EQ(EnemyState[slot], StateDestroyed) << slot;
    const int lastStep = g.RunToNextScene();
    EXPECT_EQ(Scene, Stage7Scene);
    EXPECT_EQ(lastStep, 8899);
}

TEST(StageSix, TheBossAloneEntersAfterItsLeadInAndHandsOnToTheNextBoss) {
    StageGame g{Pictures::Dropped};
    g.Enter(BossRush6Scene);
    EXPECT_EQ(StageFrame, -320);
    EXPECT_EQ(BossSlot, 13);
    EXPECT_EQ(EnemyHP[13], 200);
    EXPECT_EQ(EnemyHP[2420], 200);
    EXPECT_EQ(EnemyHP[2425], 400);
    g.RunThroughStep(0);
    EXPECT_EQ(At(13), (Pos{568, 224}));
    EXPECT_EQ(At(2424), (Pos{568, 64}));
    g.RunThroughStep(47);
    EXPECT_EQ(EnemyY[13], 224 + 47);  // the same sway as in the stage
    // Shot down, it takes its parts and every bullet along, and the next boss comes 100 steps later.
    ShootDown(13, 13);
    const int before = Score;
    g.RunThroughStep(48);
    EXPECT_EQ(EnemyState[2424], StateDestroyed);
    EXPECT_EQ(EnemyState[4502], StateDestroyed);
    EXPECT_EQ(Score, before);  // the boss-only scenes pay nothing
    const int lastStep = g.RunToNextScene();
    EXPECT_EQ(Scene, BossRush6Scene + 1);
    EXPECT_EQ(lastStep, 147);
}

TEST(StageSix, TheBonusDiversShotsNeverWaitForTheClimbingGunnersShots) {
    StageGame g{Pictures::Dropped};
    g.Enter(Stage6Scene);
    StageFrame = 950;  // the climbing platforms set off at 960: skip the waves before them
    g.RunThroughStep(1312);
    // The last platform's lower gunner fires straight left at step 1312.
    EXPECT_EQ(At(2407), (Pos{540, 225}));
    EXPECT_EQ(At(11643), (Pos{524, 265}));
    g.RunThroughStep(1340);
    ShootDown(2404, 2407);
    g.RunThroughStep(1343);
    ASSERT_EQ(BonusFlags[4], 1);
    g.RunThroughStep(1368);
    // The gunner's shot is still crossing the screen when the fourth diver fires its first shot.
    EXPECT_EQ(EnemyState[11643], StateActive);
    EXPECT_EQ(At(11643), (Pos{524 - 8 * 56, 265}));
    EXPECT_EQ(EnemyState[11371], StateActive);
    EXPECT_EQ(At(11371), (Pos{484, -12}));
}
