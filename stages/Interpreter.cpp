// The one engine that runs every scene script: the init tables once, the step list every step.
#include <utility>

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

// A guard's condition. A guard kind without one here does not compile.
template <Op op>
bool Holds(const int* a) {
    if constexpr (op == Op::IfFlag) {
        return BonusFlags[a[0]] == 1;
    } else if constexpr (op == Op::IfAllDestroyed) {
        return AllDestroyed(a[0], a[1]);
    } else if constexpr (op == Op::IfAnyDestroyed) {
        return AnyDestroyed(a[0], a[1]);
    } else if constexpr (op == Op::IfAllHPBelowOne) {
        return AllHPBelowOne(a[0], a[1]);
    } else if constexpr (op == Op::IfFrameIn) {
        return StageFrame >= a[0] && StageFrame <= a[1];
    } else if constexpr (op == Op::IfDeadTimeIn) {
        return EnemyState[a[0]] == StateDestroyed && EnemyDeadTime[a[0]] >= a[1] &&
               EnemyDeadTime[a[0]] <= a[2];
    } else if constexpr (op == Op::IfValueAbove) {
        return a[0] > a[1];
    } else if constexpr (op == Op::IfCycleFrameIn) {
        return StageFrame % a[0] >= a[1] && StageFrame % a[0] <= a[2];
    } else {
        static_assert(op != op, "a guard without a condition");
    }
}

// An engine procedure run with the statement's first arguments, as many as it takes.
template <typename... Ints, size_t... I>
void CallWith(void (*procedure)(Ints...), const int* a, std::index_sequence<I...>) {
    procedure(a[I]...);
}
template <typename... Ints>
void CallEngine(void (*procedure)(Ints...), const int* a) {
    static_assert(sizeof...(Ints) <= MaxArgs,
                  "an engine procedure takes more arguments than a statement holds");
    CallWith(procedure, a, std::index_sequence_for<Ints...>{});
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

// ---- The interpreter's own statements, one handler each ---------------------------------------

void RunBonusCheck(const int* a) {
    if (StageFrame == a[0] && AllDestroyed(a[1], a[2])) {
        BonusFlags[a[3]] = 1;
        Score += a[4];
    }
}

void RunSetLayerStep(const int* a) {
    LayerStepVariable(a[0]) = a[1];
}

void RunSetBossSlot(const int* a) {
    BossSlot = a[0];
}

// Bullets first..last restart their flight from the origin.
void ClearBulletSteps(int first, int last) {
    for (int i = first; i <= last; ++i) BulletStep[i] = 0;
}

void RunSetState(const int* a) {
    const int first = a[0], last = a[1], state = a[2];
    for (int i = first; i <= last; ++i) EnemyState[i] = state;
    if (a[3] != 0) ClearBulletSteps(first, last);
}

void RunSetHP(const int* a) {
    EnemyHP[a[0]] = a[1];
}

void RunAddScore(const int* a) {
    Score += a[0];
}

void RunSetControl(const int* a) {
    ControlEnabled = static_cast<uint8_t>(a[0]);
    if (a[0] == 0) FireHeld = 0;  // the ship flies on by itself, without firing
}

void RunSetStageFrame(const int* a) {
    StageFrame = a[0];
}

void RunSetRespawnSide(const int* a) {
    RespawnSide = a[0];
}

void RunSetPosition(const int* a) {
    EnemyX[a[0]] = a[1];
    EnemyY[a[0]] = a[2];
}

void RunHudRows(const int*) {
    PlaceHudRows();
}

void RunHudBossDigits(const int*) {
    PlaceBossDigits();
}

void RunClearBulletStep(const int* a) {
    ClearBulletSteps(a[0], a[1]);
}

// A Call statement: the script's hook, with its argument when it takes one.
void RunHook(const ScriptHook& hook, int argument) {
    if (hook.WithArgument != nullptr) {
        hook.WithArgument(argument);
    } else {
        hook.Plain();
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

// The step's dispatch: one case per statement kind, expanded from the list, each running the handler
// its column names.
#define VELTRANO_RUN_Engine(name) CallEngine(name, a)
#define VELTRANO_RUN_Guard(name) \
    if (!Holds<Op::name>(a)) pc += s.Skip
#define VELTRANO_RUN_Own(name) Run##name(a)
#define VELTRANO_RUN_Hook(name) RunHook(script.Hooks[a[0]], a[1])
#define VELTRANO_RUN_CASE(name, handler, args) \
    case Op::name:                             \
        VELTRANO_RUN_##handler(name);          \
        break;

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
        switch (s.Code) { VELTRANO_SCRIPT_OPS(VELTRANO_RUN_CASE) }
    }
}

#undef VELTRANO_RUN_CASE
#undef VELTRANO_RUN_Hook
#undef VELTRANO_RUN_Own
#undef VELTRANO_RUN_Guard
#undef VELTRANO_RUN_Engine

}  // namespace veltrano
