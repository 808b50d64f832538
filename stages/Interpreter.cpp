// The one engine that runs every scene script: the init tables once, the step list every step.
#include "engine/CentralSystem.h"
#include "engine/EnemyBullet.h"
#include "engine/Enemys.h"
#include "stages/Resets.h"
#include "stages/Script.h"
#include "world/World.h"

namespace veltrano {

namespace {

int& LayerStepVariable(int which) {
    int* const steps[6] = {&Layer1StepX, &Layer1StepY, &Layer2StepX,
                           &Layer2StepY, &Layer3StepX, &Layer3StepY};
    return *steps[which];
}

int& ScriptVariableOf(int which) {
    int* const variables[4] = {&Boss2Phase, &Boss2Dir, &Stage9BossPhase, &Stage9BossCorner};
    return *variables[which];
}

int Evaluate(const Arg& a) {
    switch (a.Kind) {
        case ArgKind::Constant:
            return a.A;
        case ArgKind::Frame:
            return a.A + a.B * StageFrame;
        case ArgKind::Layer:
            return a.B * LayerStepVariable(a.A);
        case ArgKind::XOf:
            return EnemyX[a.A] + a.B;
        case ArgKind::YOf:
            return EnemyY[a.A] + a.B;
        case ArgKind::FrameCycle:
            return (StageFrame - a.A) % a.B > a.C ? a.D : a.E;
        case ArgKind::Variable:
            return a.B * ScriptVariableOf(a.A);
        case ArgKind::HPOf:
            return EnemyHP[a.A] + a.B;
    }
    return a.A;
}

bool AnyDestroyed(int first, int last) {
    for (int i = first; i <= last; ++i) {
        if (EnemyState[i] == StateDestroyed) return true;
    }
    return false;
}

bool AllHPBelowOne(int first, int last) {
    for (int i = first; i <= last; ++i) {
        if (EnemyHP[i] >= 1) return false;
    }
    return true;
}

// Evaluates one guard's condition.
bool Holds(Op op, const int* a) {
    switch (op) {
        case Op::IfFlag:
            return BonusFlags[a[0]] == 1;
        case Op::IfAllDestroyed:
            return AllDestroyed(a[0], a[1]);
        case Op::IfAnyDestroyed:
            return AnyDestroyed(a[0], a[1]);
        case Op::IfAllHPBelowOne:
            return AllHPBelowOne(a[0], a[1]);
        case Op::IfFrameIn:
            return StageFrame >= a[0] && StageFrame <= a[1];
        case Op::IfDeadTimeIn:
            return EnemyState[a[0]] == StateDestroyed && EnemyDeadTime[a[0]] >= a[1] &&
                   EnemyDeadTime[a[0]] <= a[2];
        case Op::IfValueAbove:
            return a[0] > a[1];
        case Op::IfCycleFrameIn:
            return StageFrame % a[0] >= a[1] && StageFrame % a[0] <= a[2];
        default:
            return true;
    }
}

void SetStates(int first, int last, int state, bool clearBulletStep) {
    for (int i = first; i <= last; ++i) EnemyState[i] = state;
    if (clearBulletStep) {
        for (int i = first; i <= last; ++i) BulletStep[i] = 0;
    }
}

int CoordValue(const Coord& c, int member) {
    switch (c.How) {
        case Coord::Constant:
            return c.Base;
        case Coord::Stepped:
            return c.Base + c.Step * member;
        case Coord::Random:
            return RandomInt(c.Range) * c.Times + c.Base;
    }
    return c.Base;
}

void LayTiles(int* xs, int* ys) {
    for (int i = 0; i < TileCount; ++i) {
        xs[i] = GridTileX(i);
        ys[i] = GridTileY(i);
    }
}

}  // namespace

void PlaceHudRows() {
    const int upper = PlayerY > 32 ? 0 : PlayerY - 32;
    const int lower = PlayerY > 32 ? 16 : PlayerY - 16;
    for (int slot = FirstScoreDigitSlot; slot <= LastScoreDigitSlot; ++slot) EnemyY[slot] = upper;
    for (int slot = FirstStatusSlot; slot <= LastStatusSlot; ++slot) EnemyY[slot] = lower;
}

void PlaceBossDigits() {
    const int y = PlayerY > 32 ? 0 : PlayerY - 32;
    for (int slot = FirstBossDigitSlot; slot <= LastBossDigitSlot; ++slot) EnemyY[slot] = y;
}

void RunInit(const SceneScript& script) {
    switch (script.Reset) {
        case ResetKind::None:
            break;
        case ResetKind::Menu:
            ResetForMenu();
            break;
        case ResetKind::ShipSelect:
            ResetForShipSelect();
            break;
        case ResetKind::Stage:
            ResetForStage(false);
            break;
        case ResetKind::FirstStage:
            ResetForStage(true);
            break;
        case ResetKind::StaffRoll:
            ResetForStaffRoll();
            break;
    }
    if (script.LaysLayers) {
        LayTiles(Layer1TileX, Layer1TileY);
        LayTiles(Layer2TileX, Layer2TileY);
        LayTiles(Layer3TileX, Layer3TileY);
        for (int i = 0; i < 6; ++i) LayerStepVariable(i) = script.LayerSteps[i];
    }
    for (const HitPointRange& r : script.HitPoints) {
        for (int slot = r.First; slot <= r.Last; ++slot) EnemyHP[slot] = r.HP;
    }
    // Random coordinates are drawn in table order, member by member, X before Y.
    for (const Placement& p : script.Placements) {
        for (int k = 0; k < p.Count; ++k) {
            EnemyX[p.First + k] = CoordValue(p.X, k);
            EnemyY[p.First + k] = CoordValue(p.Y, k);
        }
    }
    if (script.BossSlot != KeepValue) BossSlot = script.BossSlot;
    if (script.BonusFlagCount != KeepValue) {
        BonusFlagCount = script.BonusFlagCount;
        for (uint8_t& flag : BonusFlags) flag = 0;
    }
    if (script.Reset != ResetKind::None) StageFrame = script.StartFrame;
    if (script.InitHook != nullptr) script.InitHook();
}

void RunStep(const SceneScript& script) {
    const Statement* const statements = script.Step.data();
    const size_t count = script.Step.size();
    int computed[MaxArgs];
    for (size_t pc = 0; pc < count; ++pc) {
        const Statement& s = statements[pc];
        const int* a = s.Args;
        if (s.DynamicCount != 0) {
            for (int i = 0; i < MaxArgs; ++i) computed[i] = s.Args[i];
            for (uint32_t d = 0; d < s.DynamicCount; ++d) {
                const DynamicArg& dyn = script.Dynamic[s.DynamicFirst + d];
                computed[dyn.Position] = Evaluate(dyn.Value);
            }
            a = computed;
        }
        switch (s.Code) {
            case Op::MoveDuring:
                MoveDuring(a[0], a[1], a[2], a[3], a[4]);
                break;
            case Op::ScrollWithGround:
                ScrollWithGround(a[0], a[1]);
                break;
            case Op::SinkDuring:
                SinkDuring(a[0], a[1], a[2]);
                break;
            case Op::CircleDuring:
                CircleDuring(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
                break;
            case Op::CircleFrom:
                CircleFrom(a[0], a[1], a[2], a[3], a[4], a[5], a[6]);
                break;
            case Op::ChaseRow:
                ChaseRow(a[0], a[1], a[2]);
                break;
            case Op::DetonateNear:
                DetonateNear(a[0]);
                break;
            case Op::FireStraight:
                FireStraight(a[0], a[1], a[2], a[3], a[4], a[5], a[6]);
                break;
            case Op::FireAngled:
                FireAngled(a[0], a[1], a[2], a[3], a[4], a[5], a[6]);
                break;
            case Op::FireAimed:
                FireAimed(a[0], a[1], a[2], a[3], a[4], a[5], a[6]);
                break;
            case Op::FireAngledOnDeath:
                FireAngledOnDeath(a[0], a[1], a[2], a[3], a[4]);
                break;
            case Op::FireOnDeath:
                FireOnDeath(a[0], a[1], a[2], a[3], a[4]);
                break;
            case Op::FireStraightStop:
                FireStraightStop(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
                break;
            case Op::FireAngledStop:
                FireAngledStop(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
                break;
            case Op::FireAimedStop:
                FireAimedStop(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]);
                break;
            case Op::FireAtPlayerMark:
                FireAtPlayerMark(a[0], a[1], a[2], a[3], a[4], a[5], a[6]);
                break;
            case Op::FireAimedExact:
                FireAimedExact(a[0], a[1], a[2], a[3], a[4], a[5], a[6]);
                break;
            case Op::BonusCheck:
                if (StageFrame == a[0] && AllDestroyed(a[1], a[2])) {
                    BonusFlags[a[3]] = 1;
                    Score += a[4];
                }
                break;
            case Op::IfFlag:
            case Op::IfAllDestroyed:
            case Op::IfAnyDestroyed:
            case Op::IfAllHPBelowOne:
            case Op::IfFrameIn:
            case Op::IfDeadTimeIn:
            case Op::IfValueAbove:
            case Op::IfCycleFrameIn:
                if (!Holds(s.Code, a)) pc += s.Skip;
                break;
            case Op::SetLayerStep:
                LayerStepVariable(a[0]) = a[1];
                break;
            case Op::SetBossSlot:
                BossSlot = a[0];
                break;
            case Op::SetState:
                SetStates(a[0], a[1], a[2], a[3] != 0);
                break;
            case Op::SetHP:
                EnemyHP[a[0]] = a[1];
                break;
            case Op::AddScore:
                Score += a[0];
                break;
            case Op::SetControl:
                ControlEnabled = static_cast<uint8_t>(a[0]);
                if (a[0] == 0) FireHeld = 0;  // the ship flies on by itself, without firing
                break;
            case Op::SetStageFrame:
                StageFrame = a[0];
                break;
            case Op::SetRespawnSide:
                RespawnSide = a[0];
                break;
            case Op::SetPosition:
                EnemyX[a[0]] = a[1];
                EnemyY[a[0]] = a[2];
                break;
            case Op::HudRows:
                PlaceHudRows();
                break;
            case Op::HudBossDigits:
                PlaceBossDigits();
                break;
            case Op::Call:
                if (const ScriptHook& hook = script.Hooks[a[0]]; hook.WithArgument != nullptr) {
                    hook.WithArgument(a[1]);
                } else {
                    hook.Plain();
                }
                break;
            case Op::ClearBulletStep:
                for (int i = a[0]; i <= a[1]; ++i) BulletStep[i] = 0;
                break;
        }
    }
}

}  // namespace veltrano
