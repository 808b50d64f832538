// The boss of stage 6, and the boss-only scene that replays it. The boss hides behind four small
// shot-proof plates, holds four arms on the diagonals and two pylons far above and below, and fires
// in a cycle of 1600 steps.
#include "stages/stage6/Stage6Boss.h"

#include "stages/Scenes.h"

namespace veltrano {

namespace {

constexpr int Boss = Stage6Boss;
constexpr int StageEntry = 4800;  // the entry frame of the stage, to which the sway keeps its phase
constexpr int Cycle = 1600;
constexpr int SwayEnd = 20000;
constexpr int FirstPlate = 4500, LastPlate = 4503;
constexpr int FirstArm = 2420, LastArm = 2423;
constexpr int UpperPylon = 2424, LowerPylon = 2425;
// Small shots, which the stage's waves leave free: the plates' fans and the last rings.
constexpr int PlateFans = 11700, LastRings = 12100;

void PlaceParts(ScriptBuilder& s) {
    for (int d = 0; d < 2; ++d) {
        s.PlaceRelative(FirstPlate + d, Boss, 16 + 16 * d, -16 + 16 * d);
        s.PlaceRelative(FirstPlate + 2 + d, Boss, 16 + 16 * d, 32 - 16 * d);
    }
    for (int d = 0; d < 2; ++d) {
        s.PlaceRelative(FirstArm + d, Boss, -64 + 32 * d, -64 + 32 * d);
        s.PlaceRelative(FirstArm + 2 + d, Boss, -64 + 32 * d, 64 - 32 * d);
    }
    s.PlaceRelative(UpperPylon, Boss, 0, -160);
    s.PlaceRelative(LowerPylon, Boss, 0, 160);
}

// A stream that turns `turn` degrees per shot, one shot every `gap` steps all cycle long, on bullets
// first.. (one per shot of the cycle).
struct StreamShots {
    int bullet, carrier;
    int angle, turn;
    int speed;
    int entry, gap;
};

void Stream(ScriptBuilder& s, const StreamShots& stream) {
    const auto at = [&](int p) { return (stream.entry + p) % Cycle; };
    for (int n = 0; n < Cycle / stream.gap; ++n)
        s.FireAngled({.bullet = stream.bullet + n,
                      .carrier = stream.carrier,
                      .angle = stream.angle + stream.turn * n,
                      .speed = stream.speed,
                      .from = stream.entry,
                      .phase = at(stream.gap * n),
                      .period = Cycle});
}

// The pylons open with eight rings of 24 each, the lower one half a beat behind, each ring
// turned a little from the last.
void WritePylonRings(ScriptBuilder& s, int entry) {
    const auto at = [&](int p) { return (entry + p) % Cycle; };
    for (int r = 0; r < 8; ++r) {
        for (int n = 0; n < 24; ++n) {
            const int angle = 15 * n + 5 * r;
            const int upper = r < 4 ? 16496 + n + 24 * r : 17900 + n + 24 * (r - 4);
            const int lower = r < 4 ? 16592 + n + 24 * r : 17996 + n + 24 * (r - 4);
            s.FireAngled({.bullet = upper,
                          .carrier = UpperPylon,
                          .angle = angle,
                          .speed = 4,
                          .from = entry,
                          .phase = at(16 + 96 * r),
                          .period = Cycle});
            s.FireAngled({.bullet = lower,
                          .carrier = LowerPylon,
                          .angle = angle + 7,
                          .speed = 4,
                          .from = entry,
                          .phase = at(64 + 96 * r),
                          .period = Cycle});
        }
    }
}

// The plates fire aimed fans of seven small shots, one plate after the other, fourteen times over,
// from `FirstPlateFan` steps into the boss's cycle.
void WritePlateFans(ScriptBuilder& s, int entry) {
    constexpr int FirstPlateFan = 480;
    const auto at = [&](int p) { return (entry + p) % Cycle; };
    for (int w = 0; w < 14; ++w) {
        for (int d = 0; d < 4; ++d) {
            for (int n = 0; n < 7; ++n) {
                const int bullet = PlateFans + n + 7 * d + 28 * w;
                s.FireAimed({.bullet = bullet,
                             .carrier = FirstPlate + d,
                             .offset = 10 * n - 30,
                             .speed = 6,
                             .from = entry,
                             .phase = at(FirstPlateFan + 8 * d + 64 * w),
                             .period = Cycle});
            }
        }
    }
}

// Each arm throws a slow fan of eight; every shot of it drops three pairs sideways as it flies.
void WriteArmFans(ScriptBuilder& s, int entry) {
    const auto at = [&](int p) { return (entry + p) % Cycle; };
    for (int d = 0; d < 4; ++d) {
        for (int n = 0; n < 8; ++n) {
            const int carrier = 16800 + n + 8 * d;
            const int angle = 145 + 10 * n;
            const int launch = 800 + 4 * n + 48 * d;
            s.FireAngled({.bullet = carrier,
                          .carrier = FirstArm + d,
                          .angle = angle,
                          .speed = 3,
                          .from = entry,
                          .phase = at(launch),
                          .period = Cycle});
            for (int c = 0; c < 3; ++c) {
                for (int side = 0; side < 2; ++side) {
                    const int turn = side == 0 ? 90 : -90;
                    s.FireAngled({.bullet = 16832 + n + 8 * d + 32 * (2 * c + side),
                                  .carrier = carrier,
                                  .angle = angle + turn,
                                  .speed = 5,
                                  .from = entry,
                                  .phase = at(launch + 16 * (c + 1)),
                                  .period = Cycle});
                }
            }
        }
    }
}

// The boss closes the cycle with a fast aimed stream, then aimed triples that speed up.
void WriteClosingFire(ScriptBuilder& s, int entry) {
    const auto at = [&](int p) { return (entry + p) % Cycle; };
    for (int n = 0; n < 16; ++n)
        s.FireAimed({.bullet = 17024 + n,
                     .carrier = Boss,
                     .speed = 8,
                     .from = entry,
                     .phase = at(1200 + 8 * n),
                     .period = Cycle});
    for (int w = 0; w < 16; ++w) {
        for (int n = 0; n < 3; ++n)
            s.FireAimed({.bullet = 18500 + 3 * w + n,
                         .carrier = Boss,
                         .offset = 20 * n - 20,
                         .speed = 5 + w / 4,
                         .from = entry,
                         .phase = at(1340 + 16 * w),
                         .period = Cycle});
    }
}

// What the boss adds, and what its parts do, as it is worn down.
void WriteFireAsItWears(ScriptBuilder& s, int entry) {
    const auto at = [&](int p) { return (entry + p) % Cycle; };
    // The arms stand or fall together.
    s.WhileAnyDestroyed(FirstArm, LastArm, [&] { s.SetState(FirstArm, LastArm, StateDestroyed); });
    // Without its upper pylon the boss adds fast fans of five and six, alternately, every 32 steps.
    s.WhileAllDestroyed(UpperPylon, UpperPylon, [&] {
        int bullet = 17040;
        for (int w = 0; w < 8; ++w) {
            const int count = w % 2 == 0 ? 5 : 6;
            for (int n = 0; n < count; ++n) {
                s.FireAimed({.bullet = bullet++,
                             .carrier = Boss,
                             .offset = 10 * n - 5 * (count - 1),
                             .speed = 10,
                             .from = entry,
                             .phase = 32 * w,
                             .period = 256});
            }
        }
    });
    // Worn down by a third, the boss turns a second stream against the first and throws aimed fans
    // of three every 48 steps; by two thirds, rings of sixteen small shots every 32 steps as well,
    // which outweigh all that its arms and pylons fired.
    const int hp = s.HitPointsOf(Boss);
    s.WhileHPBelow(Boss, hp * 2 / 3, [&] {
        Stream(s, {.bullet = 17300,
                   .carrier = Boss,
                   .angle = 270,
                   .turn = -29,
                   .speed = 4,
                   .entry = entry,
                   .gap = 8});
        for (int w = 0; w < Cycle / 48; ++w) {
            for (int n = 0; n < 3; ++n)
                s.FireAimed({.bullet = 17500 + 3 * w + n,
                             .carrier = Boss,
                             .offset = 15 * n - 15,
                             .speed = 7,
                             .from = entry,
                             .phase = at(24 + 48 * w),
                             .period = Cycle});
        }
    });
    s.WhileHPBelow(Boss, hp / 3, [&] {
        for (int w = 0; w < Cycle / 32; ++w) {
            for (int n = 0; n < 16; ++n)
                s.FireAngled({.bullet = LastRings + 16 * w + n,
                              .carrier = Boss,
                              .angle = 45 * n / 2 + 13 * w,
                              .speed = 4,
                              .from = entry,
                              .phase = at(40 + 32 * w),
                              .period = Cycle});
        }
    });
}

// One cycle of the fight, volley by volley in the order they are written (the order their
// statements run), then what changes as the boss wears down.
void WriteVolleys(ScriptBuilder& s, int entry) {
    // Under everything the boss turns a slow stream, a shot every eight steps, so the fight never
    // falls silent, whatever has been shot away.
    Stream(s,
           {.bullet = 17100, .carrier = Boss, .angle = 90, .turn = 23, .speed = 3, .entry = entry, .gap = 8});
    WritePylonRings(s, entry);
    WritePlateFans(s, entry);
    WriteArmFans(s, entry);
    WriteClosingFire(s, entry);
    WriteFireAsItWears(s, entry);
}

}  // namespace

void WriteStage6BossParts(ScriptBuilder& s) {
    s.HitPoints(FirstArm, LastArm, 200);
    s.HitPoints(UpperPylon, 2499, 400);
}

void WriteStage6Boss(ScriptBuilder& s, const BossFight& fight) {
    const int entry = fight.At(StageEntry);
    s.FromFrame(entry, [&] { s.HudBossDigits(); });
    s.MoveDuring({.slot = Boss, .dx = -8, .from = entry - 18, .to = entry});
    // One pixel a step: 96 steps down, 96 up.
    s.MoveDuring(
        {.slot = Boss,
         .dy = Arg::Cycle(
             {.shift = 48 + entry - StageEntry, .period = 192, .threshold = 95, .above = 1, .otherwise = -1}),
         .from = entry,
         .to = SwayEnd});
    PlaceParts(s);
    WriteVolleys(s, entry);
    s.AtFrame(fight.TimeOut, [&] { s.SetState(Boss, Boss, StateDestroyed); });
    s.WhileAllDestroyed(Boss, Boss, [&] {
        s.SetState(FirstArm, LowerPylon, StateDestroyed);
        s.SetState(FirstPlate, LastPlate, StateDestroyed);
        s.ClearEnemyBullets();
    });
}

// The boss alone, after a lead-in of 320 steps over the stage's scenery.
void WriteBossRush6(ScriptBuilder& s) {
    s.Reset(ResetKind::Stage);
    s.Layers({.layer1X = -4, .layer2X = -8, .layer3X = -20});
    s.Boss(Boss);
    s.StartAt(-320);
    s.HitPoints(Boss, Boss, 200);
    WriteStage6BossParts(s);
    s.Place(Boss, 704, 224);

    s.HudRows();
    WriteStage6Boss(s, RowOf(BossRush6Scene).Fight);
}

}  // namespace veltrano
