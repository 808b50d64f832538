// Writes a scene script statement by statement, the way the scene is told: loops over members are
// plain loops here, so they are expanded once, when the script is built. Every statement is checked
// as it is written (slot ranges, windows, flags, bullet slots shared by two calls); a fault is
// recorded in the script's Errors and the faulty statement never reaches the step list.
#pragma once

#include <climits>
#include <initializer_list>
#include <string>
#include <vector>

#include "stages/Script.h"
#include "world/ObjectKinds.h"
#include "world/World.h"

namespace veltrano {

// Slot ranges by kind, as the scripts use them.
constexpr int FirstObjectSlot = 0;
constexpr int LastObjectSlot = ObjectSlotCount - 1;

// One MoveDuring segment of a path.
struct Segment {
    int Dx, Dy, From, To;
};

class ScriptBuilder {
   public:
    explicit ScriptBuilder(SceneScript& script) : Script(script) {}

    // ---- Init -----------------------------------------------------------------------------------
    void Reset(ResetKind kind) { Script.Reset = kind; }
    void Layers(int layer1X, int layer2X, int layer3X, int layer1Y = 0, int layer2Y = 0, int layer3Y = 0);
    void HitPoints(int first, int last, int hp);
    // Every kind within first..last that has default hit points gets them; a kind with a default
    // that the range cuts in two is a fault.
    void DefaultHitPoints(int first = FirstObjectSlot, int last = LastNonBulletSlot);
    // The hit points the init gives `slot`, for a boss fight written after the init that escalates by
    // the share of them it has lost. A slot that no range written so far holds is a fault.
    int HitPointsOf(int slot);
    void Place(int first, int count, Coord x, Coord y);
    void Place(int slot, Coord x, Coord y) { Place(slot, 1, x, y); }
    void Boss(int slot);
    void Flags(int count);
    void StartAt(int frame) { Script.StartFrame = frame; }
    void InitHook(void (*hook)()) { Script.InitHook = hook; }

    // ---- Motion primitives ----------------------------------------------------------------------
    void MoveDuring(int slot, Arg dx, Arg dy, Arg from, Arg to);
    void ScrollWithGround(int slot, Arg from);
    void SinkDuring(int slot, Arg from, Arg to);
    void CircleDuring(int slot, Arg cx, Arg cy, Arg radius, Arg startAngle, Arg angleStep, Arg from, Arg to);
    void CircleFrom(int slot, Arg cx, Arg cy, Arg radius, Arg startAngle, Arg angleStep, Arg from);
    void ChaseRow(int slot, Arg from, Arg speed);
    void DetonateNear(int slot);

    // ---- Fire patterns --------------------------------------------------------------------------
    void FireStraight(int bullet, int carrier, Arg from, Arg phase, Arg period, Arg dy, Arg dx);
    void FireAngled(int bullet, int carrier, Arg angle, Arg phase, Arg period, Arg from, Arg speed);
    void FireAimed(int bullet, int carrier, Arg offset, Arg phase, Arg period, Arg from, Arg speed);
    void FireAngledOnDeath(int bullet, int carrier, Arg angle, Arg deadTime, Arg speed);
    void FireOnDeath(int bullet, int carrier, Arg offset, Arg deadTime, Arg speed);
    void FireStraightStop(int bullet, int carrier, Arg from, Arg moveSpan, Arg phase, Arg period, Arg dy,
                          Arg dx);
    void FireAngledStop(int bullet, int carrier, Arg angle, Arg moveSpan, Arg phase, Arg period, Arg from,
                        Arg speed);
    void FireAimedStop(int bullet, int carrier, Arg offset, Arg moveSpan, Arg phase, Arg period, Arg from,
                       Arg speed);
    void FireAtPlayerMark(int bullet, int carrier, Arg angle, Arg phase, Arg period, Arg from, Arg speed);
    void FireAimedExact(int bullet, int carrier, Arg offset, Arg phase, Arg period, Arg from, Arg speed);

    // ---- Shapes every stage repeats -------------------------------------------------------------
    // A flier's path: one MoveDuring per segment, in order.
    void Path(int slot, std::initializer_list<Segment> segments);
    // The usual parting shot: aimed at the ship the step after the carrier is destroyed.
    void DeathShot(int bullet, int carrier, int offset = 0, int deadTime = 1, int speed = 6) {
        FireOnDeath(bullet, carrier, offset, deadTime, speed);
    }
    // A flier: a path of three segments, and the usual parting shot on `bullet`.
    void Flier(int slot, Segment a, Segment b, Segment c, int bullet) {
        Path(slot, {a, b, c});
        DeathShot(bullet, slot);
    }
    // A mine: goes off near the ship and releases a ring of twelve slow shots on bullets
    // firstBullet + stride x e.
    void Mine(int slot, int firstBullet, int stride, int speed = 3);

    // ---- Bonus checks and guarded blocks ----------------------------------------------------------
    void BonusCheck(int frame, int first, int last, int flag, int points);
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
    void CheckPeriodicFire(Op op, int bullet, int carrier, const Arg& phase, const Arg& period);
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
