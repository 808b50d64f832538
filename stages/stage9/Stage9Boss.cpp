// The stage 9 boss patrols the screen's edge with four pods and four parts around it. Each time its
// hit points fall past a threshold it sheds a ring of attachments and the scene's clock jumps to the
// next phase's own stretch; a phase left standing too long is forced on by setting the hit points.
#include "stages/stage9/Stage9Boss.h"

#include <algorithm>

#include "world/World.h"

namespace veltrano {

namespace {

constexpr int Boss = Stage9Boss;
constexpr int FirstPod = 5000, LastPod = 5003;
constexpr int FirstPart = 4500, LastPart = 4503;
// The boss's own aimed triples are small shots, in slots the stage's waves leave free.
constexpr int BossTriples = 14500;

// Each phase's stretch of the timeline, and the frames within it that force the next phase.
constexpr int PhaseStart[3] = {6000, 13000, 20000};
constexpr int ForceFrame[2] = {8000, 15000};
constexpr int ForcedHP[2] = {297, 157};
// The hit points a phase starts with, just below the band that triggers it.
constexpr int PhaseHP[2] = {295, 155};
// The later phases time out as long after their start as the first.
constexpr int LaterTimeOuts[2] = {17000, 24000};

// Corners of the patrol: down the left side, right along the bottom, up the right side, left along
// the top.
constexpr int PatrolLeft = 64, PatrolRight = 544, PatrolTop = 64, PatrolBottom = 384, PatrolStep = 2;

void FreeBullets() {
    for (int slot = FirstScriptBulletSlot; slot <= LastBulletSlot; ++slot) {
        EnemyState[slot] = StateDestroyed;
        BulletStep[slot] = 0;
    }
}

void Patrol() {
    int& x = EnemyX[Boss];
    int& y = EnemyY[Boss];
    switch (Stage9BossCorner) {
        case 0:
            y += PatrolStep;
            if (y >= PatrolBottom) Stage9BossCorner = 1;
            break;
        case 1:
            x += PatrolStep;
            if (x >= PatrolRight) Stage9BossCorner = 2;
            break;
        case 2:
            y -= PatrolStep;
            if (y <= PatrolTop) Stage9BossCorner = 3;
            break;
        default:
            x -= PatrolStep;
            if (x <= PatrolLeft) Stage9BossCorner = 0;
            break;
    }
}

// Every 250 steps the scenery turns a quarter: down, right, up, left.
void TurnScenery() {
    static constexpr int Dx[4] = {0, 1, 0, -1}, Dy[4] = {1, 0, -1, 0};
    const int phase = StageFrame % 1000;
    if (phase % 250 != 0) return;
    const int q = phase / 250;
    Layer1StepX = 4 * Dx[q];
    Layer1StepY = 4 * Dy[q];
    Layer2StepX = 16 * Dx[q];
    Layer2StepY = 16 * Dy[q];
    Layer3StepX = 32 * Dx[q];
    Layer3StepY = 32 * Dy[q];
}

// Sheds the pods (phase 1) or the parts (phase 2) and moves the clock to the new phase's stretch.
// The boss-only scene's fight starts below the stage's bands, so there a phase change never heals
// the boss: it keeps the hit points it has when they are already below the phase's start.
void EnterPhase(int phase, int shift) {
    EnemyHP[Boss] = shift == 0 ? PhaseHP[phase - 1] : std::min(EnemyHP[Boss], PhaseHP[phase - 1]);
    const int first = phase == 1 ? FirstPod : FirstPart;
    for (int slot = first; slot <= first + 3; ++slot) EnemyState[slot] = StateDestroyed;
    Stage9BossPhase = phase;
    StageFrame = PhaseStart[phase] - shift;
    // The shots of the phase just left would stop dead once their calls end, so they go at once.
    FreeBullets();
}

// `shift` is the fight's: the boss-only scene runs the whole fight earlier.
void BossStep(int shift) {
    if (StageFrame < PhaseStart[0] - shift) return;
    Patrol();
    TurnScenery();
    if (EnemyState[Boss] == StateDestroyed) return;
    const int hp = EnemyHP[Boss];
    if (Stage9BossPhase == 0 && hp >= 296 && hp <= 299) {
        EnterPhase(1, shift);
    } else if (Stage9BossPhase == 1 && hp >= 156 && hp <= 159) {
        EnterPhase(2, shift);
    }
    // Forcing comes after the test, so in the stage the change follows on the next step. The
    // boss-only scene changes phase at once instead of raising the hit points into the band.
    for (int i = 0; i < 2; ++i) {
        if (StageFrame != ForceFrame[i] - shift) continue;
        if (shift == 0)
            EnemyHP[Boss] = ForcedHP[i];
        else if (Stage9BossPhase == i)
            EnterPhase(i + 1, shift);
    }
}

void ClearPhases() {
    Stage9BossPhase = 0;
    Stage9BossCorner = 0;
}

}  // namespace

void PlaceStage9Boss(ScriptBuilder& s) {
    s.Place(Boss, 64, -96);
    // A new fight always opens in phase 0 with the patrol going down.
    s.InitHook(ClearPhases);
}

void WriteStage9Boss(ScriptBuilder& s, const BossFight& fight) {
    auto f = [&fight](int frame) { return fight.At(frame); };
    s.FromFrame(f(PhaseStart[0]), [&] { s.HudBossDigits(); });
    s.Call(BossStep, fight.Shift);
    const int podDx[4] = {-64, 64, 64, -64}, podDy[4] = {-64, -64, 64, 64};
    const int partDx[4] = {-32, 48, 48, -32}, partDy[4] = {-32, -32, 48, 48};
    for (int p = 0; p < 4; ++p) {
        s.PlaceRelative(FirstPod + p, Boss, podDx[p], podDy[p]);
        s.PlaceRelative(FirstPart + p, Boss, partDx[p], partDy[p]);
    }

    // Phase 0: each pod turns a stream round the clock; the boss adds aimed triples of small shots.
    s.FramesIn(f(PhaseStart[0]), f(PhaseStart[1]) - 1, [&] {
        for (int p = 0; p < 4; ++p) {
            for (int w = 0; w < 36; ++w) {
                s.FireAngled({.bullet = 15000 + 36 * p + w,
                              .carrier = FirstPod + p,
                              .angle = 10 * w + 90 * p,
                              .speed = 8,
                              .from = f(6000),
                              .phase = 8 * w,
                              .period = 288});
            }
        }
        for (int i = 0; i < 6; ++i) {
            const int offsets[3] = {0, 60, -60};
            for (int j = 0; j < 3; ++j)
                s.FireAimed({.bullet = BossTriples + 3 * i + j,
                             .carrier = Boss,
                             .offset = offsets[j],
                             .speed = 6,
                             .from = f(6000),
                             .phase = 48 * i + 24,
                             .period = 288});
        }
    });
    // Phase 1: the parts turn two streams each, in opposite directions.
    s.FramesIn(f(PhaseStart[1]), f(PhaseStart[2]) - 1, [&] {
        for (int p = 0; p < 4; ++p) {
            for (int w = 0; w < 36; ++w) {
                const int bullet = 15200 + 72 * p + w, base = 225 + 90 * p;
                s.FireAngled({.bullet = bullet,
                              .carrier = FirstPart + p,
                              .angle = base + 10 * w,
                              .speed = 6,
                              .from = f(13104),
                              .phase = 8 * w,
                              .period = 288});
                s.FireAngled({.bullet = bullet + 36,
                              .carrier = FirstPart + p,
                              .angle = base - 10 * w,
                              .speed = 6,
                              .from = f(13104),
                              .phase = 8 * w,
                              .period = 288});
            }
        }
    });
    // Phase 2: the boss turns both streams itself, twice as often, between aimed triples.
    s.FromFrame(f(PhaseStart[2]), [&] {
        for (int w = 0; w < 18; ++w) {
            s.FireAngled({.bullet = 15500 + w,
                          .carrier = Boss,
                          .angle = 225 + 20 * w,
                          .speed = 8,
                          .from = f(20016),
                          .phase = 8 * w,
                          .period = 144});
            s.FireAngled({.bullet = 15518 + w,
                          .carrier = Boss,
                          .angle = 225 - 20 * w,
                          .speed = 8,
                          .from = f(20016),
                          .phase = 8 * w,
                          .period = 144});
        }
        for (int i = 0; i < 3; ++i) {
            const int offsets[3] = {0, 30, -30};
            for (int j = 0; j < 3; ++j)
                s.FireAimed({.bullet = BossTriples + 20 + 3 * i + j,
                             .carrier = Boss,
                             .offset = offsets[j],
                             .speed = 8,
                             .from = f(20016),
                             .phase = 48 * i + 24,
                             .period = 144});
        }
    });

    s.AtFrame(fight.TimeOut, [&] { s.SetState(Boss, Boss, StateDestroyed); });
    for (int t : LaterTimeOuts) s.AtFrame(f(t), [&] { s.SetState(Boss, Boss, StateDestroyed); });
    s.WhileAllDestroyed(Boss, Boss, [&] {
        s.SetState(FirstPod, LastPod, StateDestroyed);
        s.SetState(FirstPart, LastPart, StateDestroyed);
        s.ClearEnemyBullets();
    });
}

}  // namespace veltrano
