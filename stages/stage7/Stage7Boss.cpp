// The boss of stage 7, and the boss-only scene that replays it. Two arcs of shot-proof plates open
// to the left of the boss like a claw, a pod at each tip; the boss fires in a cycle of 2000 steps.
#include "stages/stage7/Stage7Boss.h"

#include "stages/Scenes.h"

namespace veltrano {

namespace {

constexpr int Boss = Stage7Boss;
constexpr int StageEntry = 5200;  // the entry frame of the stage, to which the sway keeps its phase
constexpr int Cycle = 2000;
constexpr int PincerLag = 48;
constexpr int SwayEnd = 20000;
constexpr int FirstPlate = 4500;
constexpr int UpperPod = 5000, LowerPod = 5001;
// Small shots, which the stage's waves leave free: the pods' aimed fans once the boss is worn down.
constexpr int WornFans = 12200;

void PlaceParts(ScriptBuilder& s) {
    for (int c = 0; c < 4; ++c) {
        s.PlaceRelative(FirstPlate + c, Boss, 16 - 16 * c, -16 - 16 * c);
        s.PlaceRelative(FirstPlate + 4 + c, Boss, 16 - 16 * c, 32 + 16 * c);
    }
    s.PlaceRelative(UpperPod, FirstPlate + 3, 0, -32);
    s.PlaceRelative(LowerPod, FirstPlate + 7, 0, 16);
}

void WriteVolleys(ScriptBuilder& s, int entry) {
    const auto at = [&](int p) { return (entry + p) % Cycle; };
    // Under everything the boss turns a slow stream, a shot every eight steps, so the fight never
    // falls silent.
    for (int n = 0; n < Cycle / 8; ++n)
        s.FireAngled({.bullet = 16100 + n,
                      .carrier = Boss,
                      .angle = 180 + 17 * n,
                      .speed = 3,
                      .from = entry,
                      .phase = at(8 * n),
                      .period = Cycle});
    // and a second one, half as thick, turning the other way.
    for (int n = 0; n < Cycle / 16; ++n)
        s.FireAngled({.bullet = 17700 + n,
                      .carrier = Boss,
                      .angle = 180 - 31 * n,
                      .speed = 4,
                      .from = entry,
                      .phase = at(16 * n + 4),
                      .period = Cycle});
    // The plates fire eight waves of straight shots, the plates two steps apart, five times a cycle;
    // in each wave one plate stays silent, a different one each time, so a lane always opens.
    for (int burst = 0; burst < 5; ++burst) {
        for (int w = 0; w < 8; ++w) {
            for (int c = 0; c < 8; ++c) {
                if (c == (3 * burst + 5 * w) % 8) continue;
                const int bullet = burst == 0 ? 15736 + c + 8 * w : 16400 + c + 8 * w + 64 * (burst - 1);
                s.FireStraight({.bullet = bullet,
                                .carrier = FirstPlate + c,
                                .dx = -8,
                                .from = entry,
                                .phase = at(16 + 400 * burst + 16 * w + 2 * c),
                                .period = Cycle});
            }
        }
    }
    // The pods sweep fans of 54 shots five degrees apart, from each other's side and back again,
    // three times a cycle, faster each time. The lower pod sweeps a beat after the upper one, so the
    // two arms never close on the ship's side together.
    for (int n = 0; n < 54; ++n) {
        s.FireAngled({.bullet = 15800 + n,
                      .carrier = UpperPod,
                      .angle = 90 + 5 * n,
                      .speed = 6,
                      .from = entry,
                      .phase = at(200 + 2 * n),
                      .period = Cycle});
        s.FireAngled({.bullet = 15854 + n,
                      .carrier = LowerPod,
                      .angle = 270 - 5 * n,
                      .speed = 6,
                      .from = entry,
                      .phase = at(PincerLag + 200 + 2 * n),
                      .period = Cycle});
        // Between the first two sweeps the pods fire aimed fans of three instead, one every 12 steps.
        s.FireAimed({.bullet = 16700 + n,
                     .carrier = UpperPod,
                     .offset = 15 * (n % 3) - 15,
                     .speed = 5,
                     .from = entry,
                     .phase = at(600 + 12 * (n / 3)),
                     .period = Cycle});
        s.FireAimed({.bullet = 16754 + n,
                     .carrier = LowerPod,
                     .offset = 15 * (n % 3) - 15,
                     .speed = 5,
                     .from = entry,
                     .phase = at(606 + 12 * (n / 3)),
                     .period = Cycle});
        s.FireAngled({.bullet = 15908 + n,
                      .carrier = UpperPod,
                      .angle = 355 - 5 * n,
                      .speed = 8,
                      .from = entry,
                      .phase = at(1000 + 2 * n),
                      .period = Cycle});
        s.FireAngled({.bullet = 15962 + n,
                      .carrier = LowerPod,
                      .angle = 5 + 5 * n,
                      .speed = 8,
                      .from = entry,
                      .phase = at(PincerLag + 1000 + 2 * n),
                      .period = Cycle});
        s.FireAngled({.bullet = 16808 + n,
                      .carrier = UpperPod,
                      .angle = 357 - 5 * n,
                      .speed = 7,
                      .from = entry,
                      .phase = at(1800 + 2 * n),
                      .period = Cycle});
        s.FireAngled({.bullet = 16862 + n,
                      .carrier = LowerPod,
                      .angle = 3 + 5 * n,
                      .speed = 7,
                      .from = entry,
                      .phase = at(PincerLag + 1800 + 2 * n),
                      .period = Cycle});
    }
    // Aimed triples from the boss, each one faster than the one before, three times a cycle.
    // Each round keeps clear of the pods' sweeps, so a sweep and a volley never close in together.
    constexpr int RoundStart[3] = {500, 700, 1300};
    for (int round = 0; round < 3; ++round) {
        for (int w = 0; w < 8; ++w) {
            for (int n = 0; n < 3; ++n) {
                const int bullet = round == 0 ? 16016 + n + 3 * w : 16920 + n + 3 * w + 24 * (round - 1);
                s.FireAimed({.bullet = bullet,
                             .carrier = Boss,
                             .offset = 10 * n - 10,
                             .speed = 4 + w,
                             .from = entry,
                             .phase = at(RoundStart[round] + 16 * w),
                             .period = Cycle});
            }
        }
    }
    // Four slow shots leave the pods; each opens into a ring of ten aimed shots on its way.
    for (int q = 0; q < 4; ++q) {
        const int carrier = 16040 + q;
        const int pod = q % 2 == 0 ? UpperPod : LowerPod;
        const int launch = 1400 + 64 * q;
        s.FireAngled({.bullet = carrier,
                      .carrier = pod,
                      .angle = q % 2 == 0 ? 210 : 150,
                      .speed = 4,
                      .from = entry,
                      .phase = at(launch),
                      .period = Cycle});
        for (int n = 0; n < 10; ++n) {
            s.FireAimed({.bullet = 16044 + n + 10 * q,
                         .carrier = carrier,
                         .offset = 36 * n,
                         .speed = 3,
                         .from = entry,
                         .phase = at(launch + 40),
                         .period = Cycle});
        }
    }
    // Worn down by a third, the pods add aimed fans of three small shots every 40 steps; by two thirds the
    // boss throws rings of sixteen every 80 steps as well, each turned from the last.
    const int hp = s.HitPointsOf(Boss);
    s.WhileHPBelow(Boss, hp * 2 / 3, [&] {
        for (int w = 0; w < Cycle / 40; ++w) {
            for (int n = 0; n < 3; ++n) {
                s.FireAimed({.bullet = WornFans + 3 * w + n,
                             .carrier = UpperPod,
                             .offset = 12 * n - 12,
                             .speed = 6,
                             .from = entry,
                             .phase = at(20 + 40 * w),
                             .period = Cycle});
                s.FireAimed({.bullet = WornFans + 150 + 3 * w + n,
                             .carrier = LowerPod,
                             .offset = 12 * n - 12,
                             .speed = 6,
                             .from = entry,
                             .phase = at(20 + 40 * w),
                             .period = Cycle});
            }
        }
    });
    s.WhileHPBelow(Boss, hp / 3, [&] {
        for (int w = 0; w < Cycle / 80; ++w) {
            for (int n = 0; n < 16; ++n)
                s.FireAngled({.bullet = 17300 + 16 * w + n,
                              .carrier = Boss,
                              .angle = 22 * n + 7 * w,
                              .speed = 4,
                              .from = entry,
                              .phase = at(40 + 80 * w),
                              .period = Cycle});
        }
    });
}

}  // namespace

void WriteStage7Boss(ScriptBuilder& s, const BossFight& fight) {
    const int entry = fight.At(StageEntry);
    s.FromFrame(entry, [&] { s.HudBossDigits(); });
    s.MoveDuring({.slot = Boss, .dx = -8, .from = entry - 18, .to = entry});
    // Two pixels a step: 100 steps down, 100 up.
    s.MoveDuring(
        {.slot = Boss,
         .dy = Arg::Cycle(
             {.shift = 50 + entry - StageEntry, .period = 200, .threshold = 99, .above = 2, .otherwise = -2}),
         .from = entry,
         .to = SwayEnd});
    PlaceParts(s);
    WriteVolleys(s, entry);
    s.AtFrame(fight.TimeOut, [&] { s.SetState(Boss, Boss, StateDestroyed); });
    s.WhileAllDestroyed(Boss, Boss, [&] { s.ClearEnemyBullets(); });
}

// The boss alone, after a lead-in of 320 steps over the stage's scenery.
void WriteBossRush7(ScriptBuilder& s) {
    s.Reset(ResetKind::Stage);
    s.Layers({.layer1X = -1, .layer2X = -1, .layer2Y = 2, .layer3X = -1, .layer3Y = -4});
    s.Boss(Boss);
    s.StartAt(-320);
    s.HitPoints(Boss, Boss, 200);
    s.Place(Boss, 672, 224);

    s.HudRows();
    WriteStage7Boss(s, RowOf(BossRush7Scene).Fight);
}

}  // namespace veltrano
