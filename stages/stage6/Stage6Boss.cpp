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

void WriteVolleys(ScriptBuilder& s, int entry) {
    const auto at = [&](int p) { return (entry + p) % Cycle; };
    // The pylons open with four rings of 24 each, the lower one half a beat behind.
    for (int r = 0; r < 4; ++r) {
        for (int n = 0; n < 24; ++n) {
            const int angle = 15 * n + 5 * r;
            s.FireAngled(16496 + n + 24 * r, UpperPylon, angle, at(16 + 96 * r), Cycle, entry, 4);
            s.FireAngled(16592 + n + 24 * r, LowerPylon, angle + 7, at(64 + 96 * r), Cycle, entry, 4);
        }
    }
    // The plates fire aimed fans of seven, one plate after the other.
    for (int w = 0; w < 4; ++w) {
        for (int d = 0; d < 4; ++d) {
            for (int n = 0; n < 7; ++n) {
                s.FireAimed(16688 + n + 7 * d + 28 * w, FirstPlate + d, 10 * n - 30, at(480 + 8 * d + 64 * w),
                            Cycle, entry, 6);
            }
        }
    }
    // Each arm throws a slow fan of eight; every shot of it drops three pairs sideways as it flies.
    for (int d = 0; d < 4; ++d) {
        for (int n = 0; n < 8; ++n) {
            const int carrier = 16800 + n + 8 * d;
            const int angle = 145 + 10 * n;
            const int launch = 800 + 4 * n + 48 * d;
            s.FireAngled(carrier, FirstArm + d, angle, at(launch), Cycle, entry, 3);
            for (int c = 0; c < 3; ++c) {
                for (int side = 0; side < 2; ++side) {
                    const int turn = side == 0 ? 90 : -90;
                    s.FireAngled(16832 + n + 8 * d + 32 * (2 * c + side), carrier, angle + turn,
                                 at(launch + 16 * (c + 1)), Cycle, entry, 5);
                }
            }
        }
    }
    // The boss itself closes the cycle with a fast aimed stream.
    for (int n = 0; n < 16; ++n) s.FireAimed(17024 + n, Boss, 0, at(1200 + 8 * n), Cycle, entry, 8);

    // The arms stand or fall together.
    s.WhileAnyDestroyed(FirstArm, LastArm, [&] { s.SetState(FirstArm, LastArm, StateDestroyed); });
    // Without its upper pylon the boss adds fast fans of five and six, alternately, every 32 steps.
    s.WhileAllDestroyed(UpperPylon, UpperPylon, [&] {
        int bullet = 17040;
        for (int w = 0; w < 8; ++w) {
            const int count = w % 2 == 0 ? 5 : 6;
            for (int n = 0; n < count; ++n) {
                s.FireAimed(bullet++, Boss, 10 * n - 5 * (count - 1), 32 * w, 256, entry, 10);
            }
        }
    });
}

}  // namespace

void WriteStage6BossParts(ScriptBuilder& s) {
    s.HitPoints(FirstArm, LastArm, 200);
    s.HitPoints(UpperPylon, 2499, 400);
}

void WriteStage6Boss(ScriptBuilder& s, const BossFight& fight) {
    const int entry = fight.At(StageEntry);
    s.FromFrame(entry, [&] { s.HudBossDigits(); });
    s.MoveDuring(Boss, -8, 0, entry - 18, entry);
    // One pixel a step: 96 steps down, 96 up.
    s.MoveDuring(Boss, 0, Arg::Cycle(48 + entry - StageEntry, 192, 95, 1, -1), entry, SwayEnd);
    PlaceParts(s);
    WriteVolleys(s, entry);
    s.AtFrame(fight.TimeOut, [&] { s.SetState(Boss, Boss, StateDestroyed); });
    s.WhileAllDestroyed(Boss, Boss, [&] {
        s.SetState(FirstArm, LowerPylon, StateDestroyed);
        s.SetState(FirstPlate, LastPlate, StateDestroyed);
        s.SetState(11000, 19999, StateDestroyed);
    });
}

// The boss alone, after a lead-in of 320 steps over the stage's scenery.
void WriteBossRush6(ScriptBuilder& s) {
    s.Reset(ResetKind::Stage);
    s.Layers(-4, -8, -20);
    s.Boss(Boss);
    s.StartAt(-320);
    s.HitPoints(Boss, Boss, 200);
    WriteStage6BossParts(s);
    s.Place(Boss, 704, 224);

    s.HudRows();
    WriteStage6Boss(s, RowOf(BossRush6Scene).Fight);
}

}  // namespace veltrano
