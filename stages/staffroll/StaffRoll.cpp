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
    s.Layers({.layer1X = -8, .layer2X = -8, .layer3X = -16, .layer3Y = -2});
    s.InitHook(InitStaffRoll);

    s.DefaultHitPoints();
    s.HitPoints(2400, 2479, 10);
    s.HitPoints(2480, 2499, 100);

    s.Place(ClosingPictureSlot, 256, 176);

    s.Place({.first = 1000, .count = 4, .x = FieldWidth, .y = 320});
    s.Place({.first = 1004, .count = 4, .x = FieldWidth, .y = 400});
    s.Place({.first = 1008, .count = 4, .x = FieldWidth, .y = Coord::Per(352, 32)});
    s.Place({.first = 1012, .count = 4, .x = FieldWidth, .y = Coord::Per(352, 32)});
    s.Place({.first = 1016, .count = 4, .x = 40, .y = Coord::Per(FieldHeight, 128)});
    s.Place({.first = 1020, .count = 4, .x = 0, .y = Coord::Per(-400, 128)});
    s.Place({.first = 1024, .count = 4, .x = 120, .y = Coord::Per(FieldHeight, 128)});
    s.Place({.first = 1028, .count = 4, .x = 80, .y = Coord::Per(-400, 128)});
    s.Place({.first = 1120, .count = 4, .x = FieldWidth, .y = FieldHeight});
    s.Place({.first = 1124, .count = 4, .x = FieldWidth, .y = -16});
    s.Place({.first = 1128, .count = 4, .x = -16, .y = FieldHeight});
    s.Place({.first = 1132, .count = 4, .x = -16, .y = -16});
    s.Place({.first = 1500, .count = 4, .x = FieldWidth, .y = 0});
    s.Place({.first = 1504, .count = 4, .x = 320, .y = -32});
    s.Place({.first = 1508, .count = 4, .x = FieldWidth, .y = 200});
    s.Place({.first = 1512, .count = 8, .x = FieldWidth, .y = Coord::Per(128, 32)});
    s.Place({.first = 2000, .count = 4, .x = FieldWidth, .y = Coord::Per(40, 32)});
    s.Place({.first = 2004, .count = 4, .x = FieldWidth, .y = Coord::Per(64, 64)});
    s.Place({.first = 3000, .count = 4, .x = Coord::Per(312, -32), .y = -32});
    s.Place({.first = 3500, .count = 4, .x = FieldWidth, .y = 224});
    // The last columns stand six high; the two first members of each group of eight stay parked.
    for (int first : {3506, 3514, 3522, 3530})
        s.Place({.first = first, .count = 6, .x = FieldWidth, .y = Coord::Per(288, 32)});
    s.Place({.first = 4000, .count = 4, .x = FieldWidth, .y = Coord::Per(352, 32)});
}

// Fliers that cross the screen before the first curtain, and the guns that cover them.
void WriteFirstSegment(ScriptBuilder& s) {
    for (int i = 0; i < 4; ++i) {
        s.MoveDuring({.slot = 1000 + i, .dx = -4, .dy = -4, .from = 320 + 4 * i, .to = 360 + 4 * i});
        s.MoveDuring({.slot = 1000 + i, .dx = -5, .dy = -2, .from = 360 + 4 * i, .to = 1000});
    }
    for (int i = 0; i < 4; ++i) {
        s.MoveDuring({.slot = 1004 + i, .dx = -6, .from = 360 + 4 * i, .to = 400 + 4 * i});
        s.MoveDuring({.slot = 1004 + i, .dx = 4, .dy = -4, .from = 400 + 4 * i, .to = 1000});
    }
    for (int i = 0; i < 4; ++i) {
        s.MoveDuring({.slot = 1500 + i, .dx = -6, .from = 400 + 4 * i, .to = 440 + 4 * i});
        s.MoveDuring({.slot = 1500 + i, .dy = 6, .from = 440 + 4 * i, .to = 1000});
        for (int k = 0; k < 4; ++k)
            s.FireAimed({.bullet = 11000 + i + 4 * k,
                         .carrier = 1500 + i,
                         .speed = 4,
                         .from = 0,
                         .phase = 4 * i + 4 * k + 2,
                         .period = 400});
    }
    constexpr int DropFrame = 480;  // the next four drop from above, 4 steps apart
    for (int i = 0; i < 4; ++i) {
        s.MoveDuring({.slot = 1504 + i, .dy = 6, .from = DropFrame + 4 * i, .to = 1000});
        for (int k = 0; k < 4; ++k)
            s.FireAimed({.bullet = 11016 + i + 4 * k,
                         .carrier = 1504 + i,
                         .speed = 6,
                         .from = 0,
                         .phase = 4 * i + 4 * k + 82,
                         .period = 400});
    }
    for (int i = 0; i < 4; ++i) {
        s.MoveDuring({.slot = 2000 + i, .dx = -4, .from = 544 + 16 * i, .to = 2000});
        for (int k = 0; k < 4; ++k) {
            const int phase = 544 + 16 * i + 8 * k;
            s.FireAimed({.bullet = 15000 + i + 4 * k,
                         .carrier = 2000 + i,
                         .speed = 8,
                         .from = 0,
                         .phase = phase,
                         .period = 1000});
            s.FireAimed({.bullet = 15016 + i + 4 * k,
                         .carrier = 2000 + i,
                         .offset = 20,
                         .speed = 8,
                         .from = 0,
                         .phase = phase,
                         .period = 1000});
            s.FireAimed({.bullet = 15032 + i + 4 * k,
                         .carrier = 2000 + i,
                         .offset = -20,
                         .speed = 8,
                         .from = 0,
                         .phase = phase,
                         .period = 1000});
        }
    }
}

// The second and third weapons: a diving column, slow blocks that burst when shot or when they
// leave the screen, then gun rows.
void WriteMiddleSegments(ScriptBuilder& s) {
    for (int j = 0; j < 4; ++j) {
        s.MoveDuring({.slot = 1508 + j, .dx = -6, .from = 800 + 4 * j, .to = 820 + 4 * j});
        s.MoveDuring({.slot = 1508 + j, .dx = -4, .dy = 4, .from = 820 + 4 * j, .to = 2000});
        for (int k = 0; k < 4; ++k) {
            const int phase = 4 * j + 4 * k + 4;
            s.FireAimed({.bullet = 11032 + j + 4 * k,
                         .carrier = 1508 + j,
                         .offset = 10,
                         .speed = 6,
                         .from = 0,
                         .phase = phase,
                         .period = 800});
            s.FireAimed({.bullet = 11048 + j + 4 * k,
                         .carrier = 1508 + j,
                         .offset = -10,
                         .speed = 6,
                         .from = 0,
                         .phase = phase,
                         .period = 800});
        }
    }
    struct DeathShot {
        int FirstBullet, Offset, Speed;
    };
    constexpr DeathShot BlockShots[] = {{9000, 0, 7},  {9032, 0, 9},  {9064, 5, 8},
                                        {9096, -5, 8}, {9128, 5, 10}, {9160, -5, 10}};
    for (int j = 0; j < 4; ++j) {
        const int block = 4000 + j;
        s.MoveDuring({.slot = block, .dx = -2, .from = 864 + 32 * j, .to = 8000});
        s.WhileAbove(1, Arg::XOf(block, 0), [&] { s.SetState(block, block, StateDestroyed); });
        for (const DeathShot& d : BlockShots)
            s.FireOnDeath({.bullet = d.FirstBullet + j,
                           .carrier = block,
                           .offset = d.Offset,
                           .speed = d.Speed,
                           .deadTime = 1});
    }
    for (int j = 0; j < 4; ++j) s.MoveDuring({.slot = 1008 + j, .dx = -6, .from = 1000, .to = 2000});
    for (int j = 0; j < 4; ++j) s.MoveDuring({.slot = 1012 + j, .dx = -6, .from = 1016, .to = 2000});
    for (int j = 0; j < 4; ++j) {
        s.MoveDuring({.slot = 2004 + j, .dx = -2, .from = 1240, .to = 1256});
        for (int k = 0; k < 4; ++k) {
            const int phase = 16 * k + 60;
            s.FireAimed({.bullet = 15048 + j + 4 * k,
                         .carrier = 2004 + j,
                         .speed = 6,
                         .from = 0,
                         .phase = phase,
                         .period = 1200});
            s.FireAimed({.bullet = 15064 + j + 4 * k,
                         .carrier = 2004 + j,
                         .offset = -15,
                         .speed = 6,
                         .from = 0,
                         .phase = phase,
                         .period = 1200});
            s.FireAimed({.bullet = 15080 + j + 4 * k,
                         .carrier = 2004 + j,
                         .offset = 15,
                         .speed = 6,
                         .from = 0,
                         .phase = phase,
                         .period = 1200});
        }
    }
    for (int j = 0; j < 4; ++j) {
        s.MoveDuring({.slot = 1512 + j, .dx = -4, .from = 1392, .to = 1400});
        for (int k = 0; k < 4; ++k)
            s.FireAimed({.bullet = 11064 + j + 4 * k,
                         .carrier = 1512 + j,
                         .speed = 6,
                         .from = 0,
                         .phase = 16 * k + 196,
                         .period = 1200});
    }
    for (int j = 0; j < 4; ++j) {
        s.MoveDuring({.slot = 1516 + j, .dx = -4, .from = 1396, .to = 1404});
        for (int k = 0; k < 4; ++k)
            s.FireAimed({.bullet = 11080 + j + 4 * k,
                         .carrier = 1516 + j,
                         .speed = 6,
                         .from = 0,
                         .phase = 16 * k + 200,
                         .period = 1200});
    }
    for (int j = 0; j < 4; ++j) {
        s.MoveDuring({.slot = 1016 + j, .dx = 1, .dy = -4, .from = 1464, .to = 2000});
        s.MoveDuring({.slot = 1020 + j, .dx = 1, .dy = 4, .from = 1464, .to = 2000});
        s.MoveDuring({.slot = 1024 + j, .dx = 1, .dy = -4, .from = 1464, .to = 2000});
        s.MoveDuring({.slot = 1028 + j, .dx = 1, .dy = 4, .from = 1464, .to = 2000});
    }
}

// Every member of a ring circles the centre of the screen on a radius that shrinks by 4 each step,
// passes through the centre at `throughCentre` and grows again on the far side.
struct ClosingRing {
    int first, count;
    int angleApart, angleStep;
    int from, throughCentre;
};

void Ring(ScriptBuilder& s, const ClosingRing& ring) {
    for (int j = 0; j < ring.count; ++j) {
        s.CircleDuring({.slot = ring.first + j,
                        .cx = 312,
                        .cy = 232,
                        .radius = Arg::Frame(4 * ring.throughCentre, -4),
                        .startAngle = ring.angleApart * j,
                        .angleStep = ring.angleStep,
                        .from = ring.from,
                        .to = 4000});
    }
}

// The fourth to sixth weapons: chasers with star bursts, sinking blocks, rings closing on the centre,
// fliers from the four corners and the last columns.
void WriteLastSegments(ScriptBuilder& s) {
    for (int j = 0; j < 4; ++j) {
        s.ChaseRow(3500 + j, 1800 + 64 * j, 2);
        for (int k = 0; k < 8; ++k)
            s.FireAngledOnDeath({.bullet = 10000 + j + 4 * k,
                                 .carrier = 3500 + j,
                                 .angle = 45 * k,
                                 .speed = 6,
                                 .deadTime = 1});
    }
    for (int j = 0; j < 4; ++j) s.SinkDuring(3000 + j, 1800 + 32 * j, 3000);
    Ring(s,
         {.first = 1032, .count = 8, .angleApart = 45, .angleStep = 1, .from = 2224, .throughCentre = 2316});
    Ring(s,
         {.first = 1040, .count = 8, .angleApart = 45, .angleStep = -1, .from = 2264, .throughCentre = 2356});
    Ring(s,
         {.first = 1048, .count = 36, .angleApart = 10, .angleStep = 2, .from = 2304, .throughCentre = 2396});
    Ring(
        s,
        {.first = 1084, .count = 36, .angleApart = 10, .angleStep = -2, .from = 2324, .throughCentre = 2416});
    for (int j = 0; j < 4; ++j) {
        s.MoveDuring({.slot = 1120 + j, .dx = -4, .dy = -4, .from = 2464 + 8 * j, .to = 3000});
        s.MoveDuring({.slot = 1124 + j, .dx = -4, .dy = 4, .from = 2464 + 8 * j, .to = 3000});
        s.MoveDuring({.slot = 1128 + j, .dx = 4, .dy = -4, .from = 2464 + 8 * j, .to = 3000});
        s.MoveDuring({.slot = 1132 + j, .dx = 4, .dy = 4, .from = 2464 + 8 * j, .to = 3000});
    }
    const int columns[4][3] = {
        {3504, 2656, 10032}, {3512, 2672, 10096}, {3520, 2688, 10160}, {3528, 2704, 10224}};
    for (const auto& [first, from, firstBullet] : columns) {
        for (int j = 0; j < 8; ++j) {
            s.MoveDuring({.slot = first + j, .dx = -2, .from = from, .to = 3500});
            for (int k = 0; k < 8; ++k)
                s.FireAngledOnDeath({.bullet = firstBullet + j + 8 * k,
                                     .carrier = first + j,
                                     .angle = 45 * k,
                                     .speed = 6,
                                     .deadTime = 1});
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
