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
        s.FireAngled(16100 + n, Boss, 180 + 17 * n, at(8 * n), Cycle, entry, 3);
    // and a second one, half as thick, turning the other way.
    for (int n = 0; n < Cycle / 16; ++n)
        s.FireAngled(17700 + n, Boss, 180 - 31 * n, at(16 * n + 4), Cycle, entry, 4);
    // The plates fire eight waves of straight shots, the plates two steps apart, five times a cycle;
    // in each wave one plate stays silent, a different one each time, so a lane always opens.
    for (int burst = 0; burst < 5; ++burst) {
        for (int w = 0; w < 8; ++w) {
            for (int c = 0; c < 8; ++c) {
                if (c == (3 * burst + 5 * w) % 8) continue;
                const int bullet = burst == 0 ? 15736 + c + 8 * w : 16400 + c + 8 * w + 64 * (burst - 1);
                s.FireStraight(bullet, FirstPlate + c, entry, at(16 + 400 * burst + 16 * w + 2 * c), Cycle, 0,
                               -8);
            }
        }
    }
    // The pods sweep fans of 54 shots five degrees apart, from each other's side and back again,
    // three times a cycle, faster each time. The lower pod sweeps a beat after the upper one, so the
    // two arms never close on the ship's side together.
    for (int n = 0; n < 54; ++n) {
        s.FireAngled(15800 + n, UpperPod, 90 + 5 * n, at(200 + 2 * n), Cycle, entry, 6);
        s.FireAngled(15854 + n, LowerPod, 270 - 5 * n, at(PincerLag + 200 + 2 * n), Cycle, entry, 6);
        // Between the first two sweeps the pods fire aimed fans of three instead, one every 12 steps.
        s.FireAimed(16700 + n, UpperPod, 15 * (n % 3) - 15, at(600 + 12 * (n / 3)), Cycle, entry, 5);
        s.FireAimed(16754 + n, LowerPod, 15 * (n % 3) - 15, at(606 + 12 * (n / 3)), Cycle, entry, 5);
        s.FireAngled(15908 + n, UpperPod, 355 - 5 * n, at(1000 + 2 * n), Cycle, entry, 8);
        s.FireAngled(15962 + n, LowerPod, 5 + 5 * n, at(PincerLag + 1000 + 2 * n), Cycle, entry, 8);
        s.FireAngled(16808 + n, UpperPod, 357 - 5 * n, at(1800 + 2 * n), Cycle, entry, 7);
        s.FireAngled(16862 + n, LowerPod, 3 + 5 * n, at(PincerLag + 1800 + 2 * n), Cycle, entry, 7);
    }
    // Aimed triples from the boss, each one faster than the one before, three times a cycle.
    // Each round keeps clear of the pods' sweeps, so a sweep and a volley never close in together.
    constexpr int RoundStart[3] = {500, 700, 1300};
    for (int round = 0; round < 3; ++round) {
        for (int w = 0; w < 8; ++w) {
            for (int n = 0; n < 3; ++n) {
                const int bullet = round == 0 ? 16016 + n + 3 * w : 16920 + n + 3 * w + 24 * (round - 1);
                s.FireAimed(bullet, Boss, 10 * n - 10, at(RoundStart[round] + 16 * w), Cycle, entry, 4 + w);
            }
        }
    }
    // Four slow shots leave the pods; each opens into a ring of ten aimed shots on its way.
    for (int q = 0; q < 4; ++q) {
        const int carrier = 16040 + q;
        const int pod = q % 2 == 0 ? UpperPod : LowerPod;
        const int launch = 1400 + 64 * q;
        s.FireAngled(carrier, pod, q % 2 == 0 ? 210 : 150, at(launch), Cycle, entry, 4);
        for (int n = 0; n < 10; ++n) {
            s.FireAimed(16044 + n + 10 * q, carrier, 36 * n, at(launch + 40), Cycle, entry, 3);
        }
    }
    // Worn down by a third, the pods add aimed fans of three small shots every 40 steps; by two thirds the
    // boss throws rings of sixteen every 80 steps as well, each turned from the last.
    const int hp = s.HitPointsOf(Boss);
    s.WhileHPBelow(Boss, hp * 2 / 3, [&] {
        for (int w = 0; w < Cycle / 40; ++w) {
            for (int n = 0; n < 3; ++n) {
                s.FireAimed(WornFans + 3 * w + n, UpperPod, 12 * n - 12, at(20 + 40 * w), Cycle, entry, 6);
                s.FireAimed(WornFans + 150 + 3 * w + n, LowerPod, 12 * n - 12, at(20 + 40 * w), Cycle, entry,
                            6);
            }
        }
    });
    s.WhileHPBelow(Boss, hp / 3, [&] {
        for (int w = 0; w < Cycle / 80; ++w) {
            for (int n = 0; n < 16; ++n)
                s.FireAngled(17300 + 16 * w + n, Boss, 22 * n + 7 * w, at(40 + 80 * w), Cycle, entry, 4);
        }
    });
}

}  // namespace

void WriteStage7Boss(ScriptBuilder& s, const BossFight& fight) {
    const int entry = fight.At(StageEntry);
    s.FromFrame(entry, [&] { s.HudBossDigits(); });
    s.MoveDuring(Boss, -8, 0, entry - 18, entry);
    // Two pixels a step: 100 steps down, 100 up.
    s.MoveDuring(Boss, 0, Arg::Cycle(50 + entry - StageEntry, 200, 99, 2, -2), entry, SwayEnd);
    PlaceParts(s);
    WriteVolleys(s, entry);
    s.AtFrame(fight.TimeOut, [&] { s.SetState(Boss, Boss, StateDestroyed); });
    s.WhileAllDestroyed(Boss, Boss, [&] { s.ClearEnemyBullets(); });
}

// The boss alone, after a lead-in of 320 steps over the stage's scenery.
void WriteBossRush7(ScriptBuilder& s) {
    s.Reset(ResetKind::Stage);
    s.Layers(-1, -1, -1, 0, 2, -4);
    s.Boss(Boss);
    s.StartAt(-320);
    s.HitPoints(Boss, Boss, 200);
    s.Place(Boss, 672, 224);

    s.HudRows();
    WriteStage7Boss(s, RowOf(BossRush7Scene).Fight);
}

}  // namespace veltrano
