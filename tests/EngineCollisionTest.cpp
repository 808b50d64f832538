#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "engine/CentralSystem.h"
#include "stages/SceneTable.h"
#include "world/World.h"

using namespace veltrano;
using namespace veltrano::test;

namespace {

void StartStage() {
    ResetWorldState();
    Scene = Stage1Scene;
    PlayerX = 300;
    PlayerY = 200;
}

void SlotPass(int slot) {
    CheckPlayerHit(slot);
    CheckShotHits(slot);
    CheckItemPickup(slot);
    ScoreSlot(slot);
}

}  // namespace

TEST(EngineCollision, ContactCostsAHitPointAndTheClassDecidesTheObject) {
    StartStage();
    PlaceObject(25, 305, 205, 1);  // a small enemy rams the ship on its last hit point
    SlotPass(25);
    EXPECT_EQ(PlayerHP, 0);
    EXPECT_EQ(PlayerShown, 0);
    EXPECT_EQ(PlayerActive, 0);
    EXPECT_EQ(PlayerUntouchable, 1);
    EXPECT_EQ(EnemyState[25], StateActive);

    // A shot-proof object held in contact for three steps takes three hit points.
    StartStage();
    PlayerHP = 3;
    PlaceObject(4500, 305, 210, 2);
    for (int step = 1; step <= 3; ++step) {
        SlotPass(4500);
        EXPECT_EQ(PlayerHP, 3 - step);
        EXPECT_EQ(PlayerActive, step < 3 ? 1 : 0);
    }
    EXPECT_EQ(EnemyState[4500], StateActive);

    // Large objects give way only from slot 800 on; a rammed bullet is freed.
    StartStage();
    PlayerHP = 3;
    PlaceObject(5, 300, 200, 3);
    PlaceObject(2000, 300, 200, 3);
    PlaceObject(3000, 300, 200, 4);
    PlaceObject(9500, 301, 201, 0);
    BulletStep[9500] = 4;
    for (int slot : {5, 2000, 3000, 9500}) CheckPlayerHit(slot);
    EXPECT_EQ(PlayerHP, 0);
    EXPECT_EQ(EnemyState[5], StateActive);
    EXPECT_EQ(EnemyState[2000], StateDestroyed);
    EXPECT_EQ(EnemyState[3000], StateActive);  // it took the ship's last hit point
    EXPECT_EQ(EnemyState[9500], StateActive);  // the lost ship is untouchable
}

TEST(EngineCollision, EveryClassRamsOrHitsAShipOnEachOfItsHitPoints) {
    // What contact does to the object, by hit class; `Survivor` is read after the ship's hit point is
    // taken, and `From800` spares the slots below 800.
    enum Fate { NoContact, Destroyed, DestroyedIfShipSurvives, Stays, DestroyedFrom800, SurvivorFrom800 };
    const Fate fates[] = {
        Destroyed, DestroyedIfShipSurvives, Stays, DestroyedFrom800, SurvivorFrom800, Stays, Stays, NoContact,
        Destroyed};
    // A large object below 800, an enemy, an enemy bullet; each at 10,10 from the ship, inside every
    // contact box.
    for (int slot : {25, 2000, 9500}) {
        for (int hitClass = -1; hitClass <= 9; ++hitClass) {
            for (int hp = 1; hp <= 3; ++hp) {
                StartStage();
                PlayerHP = hp;
                PlaceObject(slot, 310, 210, hitClass, 4);
                BulletStep[slot] = 7;
                CheckPlayerHit(slot);
                const Fate fate = hitClass >= 0 && hitClass <= 8 ? fates[hitClass] : NoContact;
                const int hpAfter = fate == NoContact ? hp : hp - 1;
                const bool destroyed = fate == Destroyed ||
                                       (fate == DestroyedIfShipSurvives && hpAfter >= 1) ||
                                       (fate == DestroyedFrom800 && slot >= 800) ||
                                       (fate == SurvivorFrom800 && hpAfter >= 1 && slot >= 800);
                const std::string what = "slot " + std::to_string(slot) + " class " +
                                         std::to_string(hitClass) + " ship on " + std::to_string(hp);
                EXPECT_EQ(PlayerHP, hpAfter) << what;
                EXPECT_EQ(EnemyState[slot], destroyed ? StateDestroyed : StateActive) << what;
                EXPECT_EQ(EnemyHP[slot], 4) << what;  // ramming never costs the object hit points
                if (slot >= FirstBulletSlot) {
                    EXPECT_EQ(BulletStep[slot], destroyed ? 0 : 7) << what;
                }
                const bool lost = hpAfter <= 0;
                EXPECT_EQ(PlayerShown, lost ? 0 : 1) << what;
                EXPECT_EQ(PlayerActive, lost ? 0 : 1) << what;
                EXPECT_EQ(PlayerUntouchable, lost ? 1 : 0) << what;
                BulletStep[slot] = 0;
            }
        }
    }
}

TEST(EngineCollision, ShotsWearDownEachHitPointAndTheLastOneDecides) {
    // One shot a step against enemies and carriers of 1 to 3 hit points: destroyed (or an item) on the
    // step that takes the last one, and not a step before.
    for (int hitClass : {1, 4, 6}) {
        for (int hp = 1; hp <= 3; ++hp) {
            StartStage();
            const int slot = hitClass == 6 ? 900 : 3000;
            PlaceObject(slot, 300, 100, hitClass, hp);
            for (int step = 1; step <= hp; ++step) {
                PlaceShot(step, 300, 100);
                CheckShotHits(slot);
                const std::string what = "class " + std::to_string(hitClass) + " with " + std::to_string(hp) +
                                         " hit points, shot " + std::to_string(step);
                EXPECT_EQ(ShotLive[step], 0) << what;
                EXPECT_EQ(EnemyHP[slot], hp - step) << what;
                const int downState = hitClass == 6 ? StateItem : StateDestroyed;
                EXPECT_EQ(EnemyState[slot], step == hp ? downState : StateActive) << what;
            }
        }
    }
}

TEST(EngineCollision, ContactBoxesAreStrictAndOffsetInsideTheShip) {
    struct Case {
        int hitClass, dx, dy;
        bool touches;
    };
    const Case cases[] = {
        {1, 17, 17, true},  {1, 18, 0, false}, {1, -1, -1, true}, {1, -2, 0, false}, {4, -17, 17, true},
        {4, -18, 0, false}, {8, 6, 10, false}, {8, 7, 7, true},   {7, 0, 0, false},  {9, 0, 0, false},
    };
    for (const Case& c : cases) {
        StartStage();
        PlayerHP = 3;
        PlaceObject(2100, 300 + c.dx, 200 + c.dy, c.hitClass);
        CheckPlayerHit(2100);
        EXPECT_EQ(PlayerHP, c.touches ? 2 : 3) << c.hitClass << " " << c.dx << "," << c.dy;
    }
    // No contact while untouchable, off screen, or for an inert object.
    StartStage();
    PlayerHP = 3;
    PlayerUntouchable = 1;
    PlaceObject(2100, 300, 200, 4);
    CheckPlayerHit(2100);
    PlayerUntouchable = 0;
    PlayerX = PlayerY = -20;
    PlaceObject(2101, -32, -20, 4);
    CheckPlayerHit(2101);
    PlaceObject(7000, -20, -20, 1, 1, StateInert);
    CheckPlayerHit(7000);
    EXPECT_EQ(PlayerHP, 3);
}

TEST(EngineCollision, SmallBulletsTakeOnlyBurstShots) {
    StartStage();
    PlaceObject(9000, 200, 100, 0);
    BulletStep[9000] = 6;
    PlaceShot(50, 205, 95);  // an ordinary shot of group 0
    CheckShotHits(9000);
    EXPECT_EQ(EnemyState[9000], StateActive);
    EXPECT_EQ(ShotLive[50], 1);
    PlaceShot(750, 195, 110);  // a burst stream
    CheckShotHits(9000);
    EXPECT_EQ(EnemyState[9000], StateDestroyed);
    EXPECT_EQ(BulletStep[9000], 0);
    EXPECT_EQ(ShotLive[750], 1);
    // Large bullets likewise, with the 32-pixel shot box.
    PlaceObject(11000, 200, 300, 8);
    PlaceShot(60, 225, 310);
    CheckShotHits(11000);
    EXPECT_EQ(EnemyState[11000], StateActive);
    PlaceShot(1650, 225, 310);
    CheckShotHits(11000);
    EXPECT_EQ(EnemyState[11000], StateDestroyed);
}

TEST(EngineCollision, ShotsArrivingTogetherAreAllSpentAndTheEnemyScoresOnce) {
    StartStage();
    PlaceObject(3000, 400, 300, 4, 2);
    PlaceShot(10, 400, 300);
    PlaceShot(120, 420, 310);
    PlaceShot(1699, 410, 290);
    PlaceShot(11, 400, 284);  // just outside the box
    ObjectPass();
    EXPECT_EQ(ShotLive[10] + ShotLive[120] + ShotLive[1699], 0);
    EXPECT_EQ(ShotLive[11], 1);
    EXPECT_EQ(EnemyHP[3000], -1);
    EXPECT_EQ(EnemyState[3000], StateDestroyed);
    EXPECT_EQ(Score, 500);
    EXPECT_EQ(EnemyDeadTime[3000], 1);
    ObjectPass();
    EXPECT_EQ(Score, 500);
    EXPECT_EQ(EnemyDeadTime[3000], 2);

    // Many shots of one group, on both sides of the group's block boundaries, and a spent shot
    // lying in the box, which does not count.
    StartStage();
    PlaceObject(3001, 200, 200, 4, 10);
    for (int k : {0, 1, 19, 20, 21, 39, 40, 99}) PlaceShot(k, 190, 210);
    PlaceShot(50, 190, 210);
    ShotLive[50] = 0;
    CheckShotHits(3001);
    EXPECT_EQ(EnemyHP[3001], 2);
    for (int k : {0, 1, 19, 20, 21, 39, 40, 99}) EXPECT_EQ(ShotLive[k], 0) << k;
}

TEST(EngineCollision, ShotBoxesAndReactionsByClass) {
    struct Case {
        int hitClass, sx;
        bool shotSpent;
        int hpAfter;
    };
    const Case cases[] = {
        {1, 15, true, 4},   {1, 16, false, 5}, {1, -15, true, 4}, {1, -16, false, 5}, {4, -31, true, 4},
        {4, -32, false, 5}, {2, 0, true, 5},   {5, -20, true, 5}, {3, 0, false, 5},   {7, 0, false, 5},
    };
    for (const Case& c : cases) {
        StartStage();
        PlaceObject(2200, 300, 100, c.hitClass, 5);
        PlaceShot(0, 300 - c.sx, 100);
        CheckShotHits(2200);
        EXPECT_EQ(ShotLive[0], c.shotSpent ? 0 : 1) << c.hitClass << " " << c.sx;
        EXPECT_EQ(EnemyHP[2200], c.hpAfter) << c.hitClass << " " << c.sx;
    }
    // A target whose box does not reach the screen cannot be shot.
    StartStage();
    PlaceObject(30, -16, 100, 1);
    PlaceShot(0, -10, 100);
    CheckShotHits(30);
    EXPECT_EQ(EnemyHP[30], 1);
    EXPECT_EQ(ShotLive[0], 1);
}

TEST(EngineCollision, ShotDownCarrierBecomesAnItemCollectedEvenByALostShip) {
    StartStage();
    PlaceObject(900, 200, 200, 6, 1);
    PlaceShot(0, 200, 200);
    PlaceShot(1, 205, 200);
    ObjectPass();
    EXPECT_EQ(EnemyState[900], StateItem);
    EXPECT_EQ(EnemySize[900], 7);
    EXPECT_EQ(ShotLive[0], 0);
    EXPECT_EQ(ShotLive[1], 1);  // the item no longer takes shots
    EXPECT_EQ(ItemAge[900], 1);
    EXPECT_EQ(Score, 0);
    // The ship was lost and the item drifts into its last position.
    PlayerShown = 0;
    PlayerActive = 0;
    PlayerUntouchable = 1;
    PlayerX = 190;
    PlayerY = 215;
    ShotLive[1] = 0;
    ObjectPass();
    EXPECT_EQ(Option1On, 1);
    EXPECT_EQ(EnemyState[900], StateDestroyed);
    EXPECT_EQ(Score, 200);
}

TEST(EngineCollision, ItemEffectsByRange) {
    StartStage();
    ShotPower = 2;
    PlayerHP = 2;
    const int items[] = {800, 801, 850, 851, 900, 901, 950, 951, 2000};
    for (int slot : items) PlaceObject(slot, 310, 190, 7, 0, StateItem);
    for (int slot : items) CheckItemPickup(slot);
    EXPECT_EQ(ShotPower, 3);
    EXPECT_EQ(PlayerHP, 3);
    EXPECT_EQ(Option1On, 1);
    EXPECT_EQ(Option2On, 1);
    EXPECT_EQ(Lives, 6);
    EXPECT_EQ(EnemyState[801], StateDestroyed);  // collected even when it had no effect
    EXPECT_EQ(EnemyState[2000], StateItem);      // not an item range: left alone
    PlaceObject(802, 324, 200, 7, 0, StateItem);
    CheckItemPickup(802);
    EXPECT_EQ(EnemyState[802], StateItem);
}

TEST(EngineCollision, PointsGoBySlotAndOnlyInScoringScenes) {
    // Every row of the points table at both its ends, and the slots just outside them.
    const struct {
        int First, Last, Points;
    } rows[] = {
        {0, 5, 0},          {6, 6, 100000},    {7, 7, 200000},     {8, 8, 0},          {9, 9, 300000},
        {10, 10, 0},        {11, 11, 400000},  {12, 12, 500000},   {13, 13, 600000},   {14, 14, 700000},
        {15, 15, 800000},   {16, 16, 900000},  {17, 17, 1000000},  {18, 18, 5000000},  {19, 799, 0},
        {800, 999, 200},    {1000, 1799, 100}, {1800, 2399, 500},  {2400, 2479, 1000}, {2480, 2499, 5000},
        {2500, 2999, 0},    {3000, 3499, 500}, {3500, 3999, 1000}, {4000, 4499, 500},  {4500, 5499, 0},
        {5500, 6499, 1500}, {6500, 6999, 700}, {7000, 7999, 0},    {8000, 8999, 200},  {9000, 19999, 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SlotPoints(row.First), row.Points) << "slot " << row.First;
        EXPECT_EQ(SlotPoints(row.Last), row.Points) << "slot " << row.Last;
    }

    StartStage();
    for (int slot : {8, 10, 18}) PlaceObject(slot, -128, -128, 3, 0, StateDestroyed);
    PlaceObject(1000, -128, -128, 1, 1, StateDestroyed);  // removed by a script: hit points left
    for (int slot : {8, 10, 18, 1000}) ScoreSlot(slot);
    EXPECT_EQ(Score, 5000000);
    EXPECT_EQ(EnemyScored[1000], 1);

    StartStage();
    Scene = BossRush1Scene;
    PlaceObject(6, -128, -128, 4, 0, StateDestroyed);
    ScoreSlot(6);
    EXPECT_EQ(Score, 0);
    EXPECT_EQ(EnemyScored[6], 0);
    EXPECT_EQ(EnemyDeadTime[6], 1);
}

TEST(EngineCollision, BossWindowFollowsTheSceneBoss) {
    ResetWorldState();
    Scene = Stage3Scene;
    EnemyState[9] = StateDestroyed;
    int open = 0;
    for (int t = 0; t <= 300; ++t) {
        EnemyDeadTime[9] = t;
        if (BossWindowOpen()) {
            ++open;
            EXPECT_GE(t, 143);
            EXPECT_LE(t, 190);
        }
    }
    EXPECT_EQ(open, 48);
    Scene = Stage1Scene;
    EnemyDeadTime[6] = 36;
    EXPECT_TRUE(BossWindowOpen());
    EnemyDeadTime[6] = 84;
    EXPECT_FALSE(BossWindowOpen());
    Scene = 18;  // the fifth boss-only scene
    EnemyDeadTime[12] = 50;
    EXPECT_TRUE(BossWindowOpen());
    Scene = Stage5Scene;
    EXPECT_FALSE(BossWindowOpen());
    Scene = TitleScene;
    EnemyDeadTime[6] = 50;
    EXPECT_FALSE(BossWindowOpen());
}

TEST(EngineCollision, AllDestroyedCountsEverySlotOfTheRange) {
    ResetWorldState();
    for (int i = 2400; i <= 2411; ++i) EnemyState[i] = StateDestroyed;
    EXPECT_TRUE(AllDestroyed(2400, 2411));
    for (int state : {StateActive, StateInert, StateItem}) {
        EnemyState[2405] = state;
        EXPECT_FALSE(AllDestroyed(2400, 2411)) << state;
    }
    EXPECT_TRUE(AllDestroyed(2405, 2404));
    EXPECT_FALSE(AllDestroyed(2405, 2403));
    EnemyState[ObjectSlotCount - 1] = StateDestroyed;
    EXPECT_FALSE(AllDestroyed(ObjectSlotCount - 1, ObjectSlotCount));
}
