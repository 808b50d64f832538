// The staff roll: the credits run while the ship flies a demonstration by itself, each weapon in turn
// against a parade of enemies, with a curtain of cover panels between the weapons. The game is marked
// as cleared near the end and the closing picture stays until the confirm key ends the game.
#include "stages/Scenes.h"
#include "stages/staffroll/StaffRollShow.h"

namespace veltrano {

namespace {

constexpr int ClosingPictureSlot = 739;

void InitStaffRoll() {
    ShotType = 1;
    StaffRollBackdrop = 0;
}

void WriteInit(ScriptBuilder& s) {
    s.Reset(ResetKind::StaffRoll);
    s.Layers(-8, -8, -16, 0, 0, -2);
    s.InitHook(InitStaffRoll);

    s.DefaultHitPoints();
    s.HitPoints(2400, 2479, 10);
    s.HitPoints(2480, 2499, 100);

    s.Place(ClosingPictureSlot, 256, 176);

    s.Place(1000, 4, 640, 320);
    s.Place(1004, 4, 640, 400);
    s.Place(1008, 4, 640, Coord::Per(352, 32));
    s.Place(1012, 4, 640, Coord::Per(352, 32));
    s.Place(1016, 4, 40, Coord::Per(480, 128));
    s.Place(1020, 4, 0, Coord::Per(-400, 128));
    s.Place(1024, 4, 120, Coord::Per(480, 128));
    s.Place(1028, 4, 80, Coord::Per(-400, 128));
    s.Place(1120, 4, 640, 480);
    s.Place(1124, 4, 640, -16);
    s.Place(1128, 4, -16, 480);
    s.Place(1132, 4, -16, -16);
    s.Place(1500, 4, 640, 0);
    s.Place(1504, 4, 320, -32);
    s.Place(1508, 4, 640, 200);
    s.Place(1512, 8, 640, Coord::Per(128, 32));
    s.Place(2000, 4, 640, Coord::Per(40, 32));
    s.Place(2004, 4, 640, Coord::Per(64, 64));
    s.Place(3000, 4, Coord::Per(312, -32), -32);
    s.Place(3500, 4, 640, 224);
    // The last columns stand six high; the two first members of each group of eight stay parked.
    for (int first : {3506, 3514, 3522, 3530}) s.Place(first, 6, 640, Coord::Per(288, 32));
    s.Place(4000, 4, 640, Coord::Per(352, 32));
}

// Fliers that cross the screen before the first curtain, and the guns that cover them.
void WriteFirstSegment(ScriptBuilder& s) {
    for (int i = 0; i < 4; ++i) {
        s.MoveDuring(1000 + i, -4, -4, 320 + 4 * i, 360 + 4 * i);
        s.MoveDuring(1000 + i, -5, -2, 360 + 4 * i, 1000);
    }
    for (int i = 0; i < 4; ++i) {
        s.MoveDuring(1004 + i, -6, 0, 360 + 4 * i, 400 + 4 * i);
        s.MoveDuring(1004 + i, 4, -4, 400 + 4 * i, 1000);
    }
    for (int i = 0; i < 4; ++i) {
        s.MoveDuring(1500 + i, -6, 0, 400 + 4 * i, 440 + 4 * i);
        s.MoveDuring(1500 + i, 0, 6, 440 + 4 * i, 1000);
        for (int k = 0; k < 4; ++k) s.FireAimed(11000 + i + 4 * k, 1500 + i, 0, 4 * i + 4 * k + 2, 400, 0, 4);
    }
    for (int i = 0; i < 4; ++i) {
        s.MoveDuring(1504 + i, 0, 6, 480 + 4 * i, 1000);
        for (int k = 0; k < 4; ++k)
            s.FireAimed(11016 + i + 4 * k, 1504 + i, 0, 4 * i + 4 * k + 82, 400, 0, 6);
    }
    for (int i = 0; i < 4; ++i) {
        s.MoveDuring(2000 + i, -4, 0, 544 + 16 * i, 2000);
        for (int k = 0; k < 4; ++k) {
            const int phase = 544 + 16 * i + 8 * k;
            s.FireAimed(15000 + i + 4 * k, 2000 + i, 0, phase, 1000, 0, 8);
            s.FireAimed(15016 + i + 4 * k, 2000 + i, 20, phase, 1000, 0, 8);
            s.FireAimed(15032 + i + 4 * k, 2000 + i, -20, phase, 1000, 0, 8);
        }
    }
}

// The second and third weapons: a diving column, slow blocks that burst when shot or when they
// leave the screen, then gun rows.
void WriteMiddleSegments(ScriptBuilder& s) {
    for (int j = 0; j < 4; ++j) {
        s.MoveDuring(1508 + j, -6, 0, 800 + 4 * j, 820 + 4 * j);
        s.MoveDuring(1508 + j, -4, 4, 820 + 4 * j, 2000);
        for (int k = 0; k < 4; ++k) {
            const int phase = 4 * j + 4 * k + 4;
            s.FireAimed(11032 + j + 4 * k, 1508 + j, 10, phase, 800, 0, 6);
            s.FireAimed(11048 + j + 4 * k, 1508 + j, -10, phase, 800, 0, 6);
        }
    }
    struct DeathShot {
        int FirstBullet, Offset, Speed;
    };
    constexpr DeathShot BlockShots[] = {{9000, 0, 7},  {9032, 0, 9},  {9064, 5, 8},
                                        {9096, -5, 8}, {9128, 5, 10}, {9160, -5, 10}};
    for (int j = 0; j < 4; ++j) {
        const int block = 4000 + j;
        s.MoveDuring(block, -2, 0, 864 + 32 * j, 8000);
        s.WhileAbove(1, Arg::XOf(block, 0), [&] { s.SetState(block, block, StateDestroyed); });
        for (const DeathShot& d : BlockShots) s.FireOnDeath(d.FirstBullet + j, block, d.Offset, 1, d.Speed);
    }
    for (int j = 0; j < 4; ++j) s.MoveDuring(1008 + j, -6, 0, 1000, 2000);
    for (int j = 0; j < 4; ++j) s.MoveDuring(1012 + j, -6, 0, 1016, 2000);
    for (int j = 0; j < 4; ++j) {
        s.MoveDuring(2004 + j, -2, 0, 1240, 1256);
        for (int k = 0; k < 4; ++k) {
            const int phase = 16 * k + 60;
            s.FireAimed(15048 + j + 4 * k, 2004 + j, 0, phase, 1200, 0, 6);
            s.FireAimed(15064 + j + 4 * k, 2004 + j, -15, phase, 1200, 0, 6);
            s.FireAimed(15080 + j + 4 * k, 2004 + j, 15, phase, 1200, 0, 6);
        }
    }
    for (int j = 0; j < 4; ++j) {
        s.MoveDuring(1512 + j, -4, 0, 1392, 1400);
        for (int k = 0; k < 4; ++k) s.FireAimed(11064 + j + 4 * k, 1512 + j, 0, 16 * k + 196, 1200, 0, 6);
    }
    for (int j = 0; j < 4; ++j) {
        s.MoveDuring(1516 + j, -4, 0, 1396, 1404);
        for (int k = 0; k < 4; ++k) s.FireAimed(11080 + j + 4 * k, 1516 + j, 0, 16 * k + 200, 1200, 0, 6);
    }
    for (int j = 0; j < 4; ++j) {
        s.MoveDuring(1016 + j, 1, -4, 1464, 2000);
        s.MoveDuring(1020 + j, 1, 4, 1464, 2000);
        s.MoveDuring(1024 + j, 1, -4, 1464, 2000);
        s.MoveDuring(1028 + j, 1, 4, 1464, 2000);
    }
}

// Every member of a ring circles the centre of the screen on a radius that shrinks by 4 each step,
// passes through the centre at `throughCentre` and grows again on the far side.
void Ring(ScriptBuilder& s, int first, int count, int angleApart, int angleStep, int throughCentre,
          int from) {
    for (int j = 0; j < count; ++j) {
        s.CircleDuring(first + j, 312, 232, Arg::Frame(4 * throughCentre, -4), angleApart * j, angleStep,
                       from, 4000);
    }
}

// The fourth to sixth weapons: chasers with star bursts, sinking blocks, rings closing on the centre,
// fliers from the four corners and the last columns.
void WriteLastSegments(ScriptBuilder& s) {
    for (int j = 0; j < 4; ++j) {
        s.ChaseRow(3500 + j, 1800 + 64 * j, 2);
        for (int k = 0; k < 8; ++k) s.FireAngledOnDeath(10000 + j + 4 * k, 3500 + j, 45 * k, 1, 6);
    }
    for (int j = 0; j < 4; ++j) s.SinkDuring(3000 + j, 1800 + 32 * j, 3000);
    Ring(s, 1032, 8, 45, 1, 2316, 2224);
    Ring(s, 1040, 8, 45, -1, 2356, 2264);
    Ring(s, 1048, 36, 10, 2, 2396, 2304);
    Ring(s, 1084, 36, 10, -2, 2416, 2324);
    for (int j = 0; j < 4; ++j) {
        s.MoveDuring(1120 + j, -4, -4, 2464 + 8 * j, 3000);
        s.MoveDuring(1124 + j, -4, 4, 2464 + 8 * j, 3000);
        s.MoveDuring(1128 + j, 4, -4, 2464 + 8 * j, 3000);
        s.MoveDuring(1132 + j, 4, 4, 2464 + 8 * j, 3000);
    }
    const int columns[4][3] = {
        {3504, 2656, 10032}, {3512, 2672, 10096}, {3520, 2688, 10160}, {3528, 2704, 10224}};
    for (const auto& [first, from, firstBullet] : columns) {
        for (int j = 0; j < 8; ++j) {
            s.MoveDuring(first + j, -2, 0, from, 3500);
            for (int k = 0; k < 8; ++k) s.FireAngledOnDeath(firstBullet + j + 8 * k, first + j, 45 * k, 1, 6);
        }
    }
}

}  // namespace

void WriteStaffRoll(ScriptBuilder& s) {
    WriteInit(s);
    s.Call(NoteStaffCredits);
    s.Call(FlyDemonstrationShip);
    s.Call(HoldDemonstrationFire);
    s.Call(ChangeDemonstrationSegment);
    s.Call(RunPanelCurtains);
    s.Call(CloseStaffRoll);
    WriteFirstSegment(s);
    WriteMiddleSegments(s);
    WriteLastSegments(s);
}

}  // namespace veltrano
