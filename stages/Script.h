// The scene-script model: every scene is an init (a reset, tables of layers, hit points and start
// positions) and a step (an ordered list of statements), held as data and run by one interpreter.
// Scripts are built once at start-up; running them never allocates.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veltrano {

// One kind of statement per primitive, pattern, guard and assignment. The motion and fire kinds take
// their arguments in the order the engine's procedures do.
// Every statement kind, once: the enum, the names in fault messages, the builder's guards and the
// interpreter's dispatch all expand this list, so they cannot drift apart. X(name, handler, arguments)
// for each, where the handler says how the interpreter runs the statement:
//   Engine  the engine's procedure of the same name, given the arguments in order;
//   Guard   a condition; when it fails, the guarded block that follows is passed over;
//   Own     the interpreter's own Run<name>;
//   Hook    the script's bespoke function (a boss, a menu that draws).
// A kind whose handler is missing does not compile.
// clang-format off
#define VELTRANO_SCRIPT_OPS(X)                                                                          \
    /* Motion primitives. */                                                                          \
    X(MoveDuring,        Engine, "slot, dx, dy, from, to")                                            \
    X(ScrollWithGround,  Engine, "slot, from")                                                        \
    X(SinkDuring,        Engine, "slot, from, to")                                                    \
    X(CircleDuring,      Engine, "slot, cx, cy, radius, startAngle, angleStep, from, to")             \
    X(CircleFrom,        Engine, "slot, cx, cy, radius, startAngle, angleStep, from")                 \
    X(ChaseRow,          Engine, "slot, from, speed")                                                 \
    X(DetonateNear,      Engine, "slot")                                                              \
    /* Fire patterns (bullet slot first, then the carrier). */                                        \
    X(FireStraight,      Engine, "bullet, carrier, from, phase, period, dy, dx")                      \
    X(FireAngled,        Engine, "bullet, carrier, angle, phase, period, from, speed")                \
    X(FireAimed,         Engine, "bullet, carrier, offset, phase, period, from, speed")               \
    X(FireAngledOnDeath, Engine, "bullet, carrier, angle, deadTime, speed")                           \
    X(FireOnDeath,       Engine, "bullet, carrier, offset, deadTime, speed")                          \
    X(FireStraightStop,  Engine, "bullet, carrier, from, moveSpan, phase, period, dy, dx")            \
    X(FireAngledStop,    Engine, "bullet, carrier, angle, moveSpan, phase, period, from, speed")      \
    X(FireAimedStop,     Engine, "bullet, carrier, offset, moveSpan, phase, period, from, speed")     \
    X(FireAtPlayerMark,  Engine, "bullet, carrier, angle, phase, period, from, speed")                \
    X(FireAimedExact,    Engine, "bullet, carrier, offset, phase, period, from, speed")               \
    /* When StageFrame = frame and first..last are all destroyed, the flag is set and the points */   \
    /* are paid. */                                                                                   \
    X(BonusCheck,        Own,    "frame, first, last, flag, points")                                  \
    /* Guards: when the condition fails, the next Skip statements (the guarded block) are passed */   \
    /* over. */                                                                                       \
    X(IfFlag,            Guard,  "flag")                                                              \
    X(IfAllDestroyed,    Guard,  "first, last")                                                       \
    X(IfAnyDestroyed,    Guard,  "first, last")                                                       \
    X(IfAllHPBelowOne,   Guard,  "first, last")                                                       \
    X(IfFrameIn,         Guard,  "lo, hi (inclusive)")                                                \
    X(IfDeadTimeIn,      Guard,  "slot, lo, hi (inclusive, slot destroyed)")                          \
    X(IfValueAbove,      Guard,  "value, threshold (arguments usually computed each step)")           \
    /* Assignments. */                                                                                \
    X(SetLayerStep,      Own,    "which (LayerStep), value")                                          \
    X(SetBossSlot,       Own,    "slot")                                                              \
    X(SetState,          Own,    "first, last, state, clearBulletStep (0 or 1)")                      \
    X(SetHP,             Own,    "slot, value")                                                       \
    X(AddScore,          Own,    "points")                                                            \
    X(SetControl,        Own,    "value: ControlEnabled, and FireHeld when 0")                        \
    X(SetStageFrame,     Own,    "value")                                                             \
    X(SetRespawnSide,    Own,    "value")                                                             \
    X(SetPosition,       Own,    "slot, x, y")                                                        \
    /* The head-up display follows the ship's height. */                                              \
    X(HudRows,           Own,    "")                                                                  \
    X(HudBossDigits,     Own,    "")                                                                  \
    /* Bespoke behaviour written as a plain function (bosses with phase variables, menus that */      \
    /* draw). A hook may take one argument, given when the script is written. */                      \
    X(Call,              Hook,   "hook index, argument")                                              \
    /* A guard on the frame of a repeating cycle: StageFrame mod period, with the sign of */          \
    /* StageFrame, in lo..hi (inclusive), so frames before 0 never match a cycle frame above 0. */    \
    X(IfCycleFrameIn,    Guard,  "period, lo, hi")                                                    \
    /* Bullets restart their flight from the origin: BulletStep of first..last set to 0. */           \
    X(ClearBulletStep,   Own,    "first, last")
// clang-format on

#define VELTRANO_OP_ENUM(name, handler, args) name,
enum class Op : uint8_t { VELTRANO_SCRIPT_OPS(VELTRANO_OP_ENUM) };
#undef VELTRANO_OP_ENUM

#define VELTRANO_OP_COUNT(name, handler, args) +1
constexpr int OpCount = 0 VELTRANO_SCRIPT_OPS(VELTRANO_OP_COUNT);
#undef VELTRANO_OP_COUNT

// Whether a statement kind is a guard, which encloses a block, from the handler column.
constexpr bool IsGuard(Op op) {
#define VELTRANO_OP_GUARD_Engine false
#define VELTRANO_OP_GUARD_Guard true
#define VELTRANO_OP_GUARD_Own false
#define VELTRANO_OP_GUARD_Hook false
#define VELTRANO_OP_IS_GUARD(name, handler, args) VELTRANO_OP_GUARD_##handler,
    constexpr bool Guards[] = {VELTRANO_SCRIPT_OPS(VELTRANO_OP_IS_GUARD)};
#undef VELTRANO_OP_IS_GUARD
#undef VELTRANO_OP_GUARD_Engine
#undef VELTRANO_OP_GUARD_Guard
#undef VELTRANO_OP_GUARD_Own
#undef VELTRANO_OP_GUARD_Hook
    return Guards[static_cast<int>(op)];
}

constexpr int MaxArgs = 8;

// Which of the six layer steps an argument or an assignment names.
enum class LayerStep : uint8_t { Layer1X, Layer1Y, Layer2X, Layer2Y, Layer3X, Layer3Y };

// How an argument is worked out when it is not a constant.
enum class ArgKind : uint8_t {
    Constant,    // A
    Frame,       // A + B * StageFrame
    Layer,       // B * the layer step A
    XOf,         // EnemyX[A] + B
    YOf,         // EnemyY[A] + B
    FrameCycle,  // ((StageFrame - A) mod B) > C ? D : E, the remainder with the sign of the dividend
    Variable,    // B * the scene variable A (ScriptVariable)
    HPOf,        // EnemyHP[A] + B
};

// The scene-private variables of bespoke bosses that a script may read, e.g. to fire only in a phase.
enum class ScriptVariable : uint8_t { Boss2Phase, Boss2Dir, Stage9BossPhase, Stage9BossCorner };

// A value that follows a repeating cycle of frames: `above` while the frame's place in the cycle
// ((StageFrame - shift) mod period, with the sign of the dividend) is past `threshold`, else `otherwise`.
struct CycleChoice {
    int shift = 0, period = 0, threshold = 0;
    int above = 0, otherwise = 0;
};

// An argument as a script writes it: an int, or one of the computed kinds, evaluated every step.
struct Arg {
    ArgKind Kind = ArgKind::Constant;
    int A = 0, B = 0, C = 0, D = 0, E = 0;

    constexpr Arg(int value) : A(value) {}  // NOLINT: plain numbers are the common case
    static constexpr Arg Frame(int base, int perFrame) { return Arg(ArgKind::Frame, base, perFrame); }
    static constexpr Arg TimesLayer(int times, LayerStep which) {
        return Arg(ArgKind::Layer, static_cast<int>(which), times);
    }
    static constexpr Arg XOf(int slot, int add) { return Arg(ArgKind::XOf, slot, add); }
    static constexpr Arg YOf(int slot, int add) { return Arg(ArgKind::YOf, slot, add); }
    static constexpr Arg HPOf(int slot) { return Arg(ArgKind::HPOf, slot, 0); }
    static constexpr Arg Cycle(const CycleChoice& c) {
        Arg a(ArgKind::FrameCycle, c.shift, c.period);
        a.C = c.threshold;
        a.D = c.above;
        a.E = c.otherwise;
        return a;
    }
    static constexpr Arg Of(ScriptVariable which) {
        return Arg(ArgKind::Variable, static_cast<int>(which), 1);
    }
    constexpr bool IsConstant() const { return Kind == ArgKind::Constant; }

   private:
    constexpr Arg(ArgKind kind, int a, int b) : Kind(kind), A(a), B(b) {}
};

// A computed argument of one statement: where it goes and how it is worked out.
struct DynamicArg {
    uint8_t Position;
    Arg Value;
};

struct Statement {
    Op Code;
    uint8_t DynamicCount = 0;
    uint32_t DynamicFirst = 0;  // index into SceneScript::Dynamic
    uint32_t Skip = 0;          // guards: the length of the guarded block
    int32_t Args[MaxArgs] = {};
};

// The reset an init starts with.
enum class ResetKind : uint8_t {
    None,        // nothing is reset (the scene's own init hook does everything)
    Menu,        // title, key configuration, score list
    ShipSelect,  // the menu reset with the demonstration ship
    Stage,       // stages 2 to 10
    FirstStage,  // stage 1: shots parked lower, one hit point, the burst stopped but options kept
    StaffRoll,   // the demonstration ship off the left edge with both options, every slot active
};

struct HitPointRange {
    int First, Last, HP;
};

// One coordinate of a start-position group: constant, base + k x step for member k, or
// RandomInt(range) x times + base.
struct Coord {
    enum Kind : uint8_t { Constant, Stepped, Random } How = Constant;
    int Base = 0;
    int Step = 0;   // Stepped: added per member
    int Range = 0;  // Random: the draw is in [0, Range)
    int Times = 1;  // Random: the draw is multiplied by this

    constexpr Coord(int value) : Base(value) {}  // NOLINT: plain numbers are the common case
    static constexpr Coord Per(int base, int step) {
        Coord c(base);
        c.How = Stepped;
        c.Step = step;
        return c;
    }
    static constexpr Coord Rand(int range, int base = 0, int times = 1) {
        Coord c(base);
        c.How = Random;
        c.Range = range;
        c.Times = times;
        return c;
    }
};

struct Placement {
    int First, Count;
    Coord X, Y;
};

constexpr int KeepValue = -1000000;  // a BossSlot or flag count the init leaves as it was

// A plain function, or a function of one argument, that a Call statement runs.
struct ScriptHook {
    void (*Plain)() = nullptr;
    void (*WithArgument)(int) = nullptr;
};

struct SceneScript {
    std::string Name;
    // Init.
    ResetKind Reset = ResetKind::None;
    bool LaysLayers = false;
    int LayerSteps[6] = {};  // in LayerStep order
    std::vector<HitPointRange> HitPoints;
    std::vector<Placement> Placements;
    int BossSlot = KeepValue;
    int BonusFlagCount = KeepValue;
    int StartFrame = 0;
    void (*InitHook)() = nullptr;  // bespoke init, run last
    // Step.
    std::vector<Statement> Step;
    std::vector<DynamicArg> Dynamic;
    std::vector<ScriptHook> Hooks;
    // Faults found while the script was built; a faulty statement is left out of Step.
    std::vector<std::string> Errors;
};

// Runs a script's init or one step of it.
void RunInit(const SceneScript& script);
void RunStep(const SceneScript& script);

// The HUD rule: the upper row (score digits) and lower row (weapon, lives, speed) stand at Y 0 and 16,
// or ride above the ship when it flies near the top.
void PlaceHudRows();
void PlaceBossDigits();

}  // namespace veltrano
