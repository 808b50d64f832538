// Writes a scene script statement by statement, the way the scene is told: loops over members are
// plain loops here, so they are expanded once, when the script is built. Every statement is checked
// as it is written (slot ranges, windows, flags, bullet slots shared by two calls); a fault is
// recorded in the script's Errors and the faulty statement never reaches the step list.
#pragma once

#include <array>
#include <climits>
#include <initializer_list>
#include <string>
#include <vector>

#include "stages/Script.h"
#include "world/Field.h"
#include "world/ObjectKinds.h"
#include "world/World.h"

namespace veltrano {

// Slot ranges by kind, as the scripts use them.
constexpr int FirstObjectSlot = 0;
constexpr int LastObjectSlot = ObjectSlotCount - 1;

// One MoveDuring segment of a path: {dx, dy, from, to}, in MoveDuring's order.
struct Segment {
    int Dx, Dy, From, To;
};

// ---- Named arguments ------------------------------------------------------------------------------
// A statement's arguments are written by name: `s.FireAimed({.bullet = 11020 + k, .carrier = gun,
// .speed = 6, .from = 256, .phase = 48, .period = 96})`. Every kind lists its fields in one order:
// the slots (what moves or fires, and the carrier it fires from), the direction (dx before dy, an
// angle, an aim offset), the speed, then the frames (from and to, the move span, phase and period, the
// dead time). A field a statement needs and was not given, or one it has no use for and was given, is a
// fault, so a field written to the wrong call is caught as a typo is.
// (INT_MIN itself is a frame the scripts write: "since always".)
constexpr int NotGiven = INT_MIN + 1;

// MoveDuring: `slot` moves by (dx, dy) every step from frame `from` until before `to`.
struct Move {
    int slot = NotGiven;
    Arg dx = 0, dy = 0;
    Arg from = NotGiven, to = NotGiven;
};

// CircleDuring (from..to) and CircleFrom (from on, without `to`).
struct Circle {
    int slot = NotGiven;
    Arg cx = NotGiven, cy = NotGiven, radius = NotGiven;
    Arg startAngle = NotGiven, angleStep = NotGiven;
    Arg from = NotGiven, to = NotGiven;
};

// FireStraight and FireStraightStop (which alone takes the move span).
struct StraightFire {
    int bullet = NotGiven, carrier = NotGiven;
    Arg dx = 0, dy = 0;
    Arg from = NotGiven, moveSpan = NotGiven, phase = 0, period = NotGiven;
};

// FireAngled, FireAtPlayerMark, FireAngledStop (with the move span) and FireAngledOnDeath (with the
// dead time instead of the frames).
struct AngledFire {
    int bullet = NotGiven, carrier = NotGiven;
    Arg angle = NotGiven;
    Arg speed = NotGiven;
    Arg from = NotGiven, moveSpan = NotGiven, phase = 0, period = NotGiven;
    Arg deadTime = NotGiven;
};

// FireAimed, FireAimedExact, FireAimedStop (with the move span) and FireOnDeath (with the dead time
// instead of the frames); the offset turns the aim off the ship.
struct AimedFire {
    int bullet = NotGiven, carrier = NotGiven;
    Arg offset = 0;
    Arg speed = NotGiven;
    Arg from = NotGiven, moveSpan = NotGiven, phase = 0, period = NotGiven;
    Arg deadTime = NotGiven;
};

// Place: `count` members from `first`, at (x, y).
struct Placing {
    int first = NotGiven, count = 1;
    Coord x = NotGiven, y = NotGiven;
};

// BonusCheck: when first..last have all fallen at `frame`, `flag` is set and `points` are paid.
struct Bonus {
    int first = NotGiven, last = NotGiven;
    int frame = NotGiven;
    int flag = NotGiven, points = NotGiven;
};

// Layers: the three background layers' steps per frame.
struct LayerSteps {
    int layer1X = 0, layer1Y = 0, layer2X = 0, layer2Y = 0, layer3X = 0, layer3Y = 0;
    // The six steps in LayerStep's order.
    std::array<int, 6> InOrder() const { return {layer1X, layer1Y, layer2X, layer2Y, layer3X, layer3Y}; }
};

class ScriptBuilder {
   public:
    explicit ScriptBuilder(SceneScript& script) : Script(script) {}

    // ---- Init -----------------------------------------------------------------------------------
    void Reset(ResetKind kind) { Script.Reset = kind; }
    void Layers(const LayerSteps& steps);
    void HitPoints(int first, int last, int hp);
    // Every kind within first..last that has default hit points gets them; a kind with a default
    // that the range cuts in two is a fault.
    void DefaultHitPoints(int first = FirstObjectSlot, int last = LastNonBulletSlot);
    // The hit points the init gives `slot`, for a boss fight written after the init that escalates by
    // the share of them it has lost. A slot that no range written so far holds is a fault.
    int HitPointsOf(int slot);
    void Place(const Placing& p);
    void Place(int slot, Coord x, Coord y) { Place({.first = slot, .x = x, .y = y}); }
    void Boss(int slot);
    void Flags(int count);
    void StartAt(int frame) { Script.StartFrame = frame; }
    void InitHook(void (*hook)()) { Script.InitHook = hook; }

    // ---- Motion primitives ----------------------------------------------------------------------
    void MoveDuring(const Move& m);
    void ScrollWithGround(int slot, Arg from);
    void SinkDuring(int slot, Arg from, Arg to);
    void CircleDuring(const Circle& c);
    void CircleFrom(const Circle& c);
    void ChaseRow(int slot, Arg from, Arg speed);
    void DetonateNear(int slot);

    // ---- Fire patterns --------------------------------------------------------------------------
    void FireStraight(const StraightFire& f);
    void FireAngled(const AngledFire& f);
    void FireAimed(const AimedFire& f);
    void FireAngledOnDeath(const AngledFire& f);
    void FireOnDeath(const AimedFire& f);
    void FireStraightStop(const StraightFire& f);
    void FireAngledStop(const AngledFire& f);
    void FireAimedStop(const AimedFire& f);
    void FireAtPlayerMark(const AngledFire& f);
    void FireAimedExact(const AimedFire& f);

    // ---- Shapes every stage repeats -------------------------------------------------------------
    // A flier's path: one MoveDuring per segment, in order.
    void Path(int slot, std::initializer_list<Segment> segments);
    // The usual parting shot: aimed at the ship at speed 6 the step after the carrier is destroyed,
    // unless the shot names another speed or dead time.
    void DeathShot(AimedFire f);
    // A flier: a path of three segments, and the usual parting shot on `bullet`.
    void Flier(int slot, Segment a, Segment b, Segment c, int bullet) {
        Path(slot, {a, b, c});
        DeathShot({.bullet = bullet, .carrier = slot});
    }
    // A mine: goes off near the ship and releases a ring of twelve slow shots on bullets
    // firstBullet + stride x e.
    void Mine(int slot, int firstBullet, int stride, int speed = 3);

    // ---- Bonus checks and guarded blocks ----------------------------------------------------------
    void BonusCheck(const Bonus& b);
    template <typename Body>
    void WhileFlag(int flag, Body body) {
        Guard<Op::IfFlag>({flag, 0, 0}, body);
    }
    template <typename Body>
    void WhileAllDestroyed(int first, int last, Body body) {
        Guard<Op::IfAllDestroyed>({first, last, 0}, body);
    }
    template <typename Body>
    void WhileAnyDestroyed(int first, int last, Body body) {
        Guard<Op::IfAnyDestroyed>({first, last, 0}, body);
    }
    template <typename Body>
    void WhileAllHPBelowOne(int first, int last, Body body) {
        Guard<Op::IfAllHPBelowOne>({first, last, 0}, body);
    }
    template <typename Body>
    void AtFrame(int frame, Body body) {
        Guard<Op::IfFrameIn>({frame, frame, 0}, body);
    }
    // From `frame` on (StageFrame >= frame).
    template <typename Body>
    void FromFrame(int frame, Body body) {
        Guard<Op::IfFrameIn>({frame, INT_MAX, 0}, body);
    }
    template <typename Body>
    void FramesIn(int lo, int hi, Body body) {
        Guard<Op::IfFrameIn>({lo, hi, 0}, body);
    }
    template <typename Body>
    void AtDeadTime(int slot, int deadTime, Body body) {
        Guard<Op::IfDeadTimeIn>({slot, deadTime, deadTime}, body);
    }
    template <typename Body>
    void DeadTimeIn(int slot, int lo, int hi, Body body) {
        Guard<Op::IfDeadTimeIn>({slot, lo, hi}, body);
    }
    template <typename Body>
    void WhileAbove(Arg value, Arg threshold, Body body) {
        Guard<Op::IfValueAbove>({value, threshold, 0}, body);
    }
    // While `slot` has fewer than `hp` hit points left.
    template <typename Body>
    void WhileHPBelow(int slot, int hp, Body body) {
        Guard<Op::IfValueAbove>({hp, Arg::HPOf(slot), 0}, body);
    }
    // On the frames of every cycle of `period` whose remainder lies in lo..hi (with the sign of
    // StageFrame, so no frame before 0 matches a cycle frame above 0).
    template <typename Body>
    void CycleFramesIn(int period, int lo, int hi, Body body) {
        Guard<Op::IfCycleFrameIn>({period, lo, hi}, body);
    }
    template <typename Body>
    void AtCycleFrame(int period, int cycleFrame, Body body) {
        CycleFramesIn(period, cycleFrame, cycleFrame, body);
    }

    // ---- Assignments ----------------------------------------------------------------------------
    void SetLayerStep(LayerStep which, Arg value);
    // All six layer steps at once, in LayerStep's order.
    void SetLayerSteps(const LayerSteps& steps);
    void SetBossSlot(int slot);
    void SetState(int first, int last, int state, bool clearBulletStep = false);
    void SetHP(int slot, Arg value);
    void AddScore(Arg points);
    void SetControl(int value);
    void SetStageFrame(Arg value);
    void SetRespawnSide(int value);
    void SetPosition(int slot, Arg x, Arg y);
    void ClearBulletStep(int first, int last);
    // Every bullet the scripts fired vanishes at once (a boss has fallen).
    void ClearEnemyBullets() { SetState(FirstScriptBulletSlot, LastBulletSlot, StateDestroyed); }
    // Puts `slot` at (dx, dy) from `reference`, every step.
    void PlaceRelative(int slot, int reference, int dx, int dy) {
        SetPosition(slot, Arg::XOf(reference, dx), Arg::YOf(reference, dy));
    }
    void HudRows() { Emit(Op::HudRows, {}); }
    void HudBossDigits() { Emit(Op::HudBossDigits, {}); }
    void Call(void (*hook)());
    // Runs hook(argument) every step.
    void Call(void (*hook)(int), int argument);

    // Closes the script: checks the bullet slots shared between calls. Returns true when the script
    // has no faults.
    bool Finish();

   private:
    struct BulletUse {
        int Bullet, Lo, Hi;  // the frames in which the call may run
        Op Code;
    };

    // Appends a statement; returns false (and appends nothing) when a check of it found a fault.
    bool Emit(Op op, std::initializer_list<Arg> args);
    void Fault(const std::string& what);
    bool CheckSlot(const char* what, int slot, int first, int last);
    bool CheckWindow(const char* what, const Arg& from, const Arg& to);
    bool CheckSchedule(const char* what, const Arg& phase, const Arg& period);
    bool CheckFlag(int flag);
    bool CheckFire(const char* what, int bullet, int carrier);
    template <typename Fire>
    void CheckPeriodicFire(Op op, const Fire& f, bool stops);
    template <typename Fire>
    void CheckDeathFire(Op op, const Fire& f);
    void CheckCircle(Op op, const Circle& c);
    // A field the statement needs must be given, one it has no use for must not be.
    void Need(Op op, const char* field, const Arg& value);
    void Refuse(Op op, const char* field, const Arg& value);
    void UseBullet(int bullet, Op op);

    template <Op op, typename Body>
    void Guard(std::initializer_list<Arg> args, Body body) {
        static_assert(IsGuard(op), "only a guard encloses a block");
        const size_t at = OpenGuard(op, args);
        body();
        CloseGuard(at);
    }
    size_t OpenGuard(Op op, std::initializer_list<Arg> args);
    void CloseGuard(size_t at);

    SceneScript& Script;
    bool Faulty = false;                                  // the statement being written has a fault
    std::vector<int> FrameLo{INT_MIN}, FrameHi{INT_MAX};  // frame range of the open guards
    std::vector<BulletUse> Bullets;
};

const char* OpName(Op op);

}  // namespace veltrano
