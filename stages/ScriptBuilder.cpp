#include "stages/ScriptBuilder.h"

#include <algorithm>
#include <iterator>

#include "world/World.h"

namespace veltrano {

namespace {

std::string Num(int v) {
    return std::to_string(v);
}

}  // namespace

const char* OpName(Op op) {
#define VELTRANO_OP_NAME(name, handler, args) #name,
    static constexpr const char* Names[] = {VELTRANO_SCRIPT_OPS(VELTRANO_OP_NAME)};
#undef VELTRANO_OP_NAME
    static_assert(std::size(Names) == OpCount);
    return Names[static_cast<int>(op)];
}

// ---- Faults ---------------------------------------------------------------------------------------

void ScriptBuilder::Fault(const std::string& what) {
    Faulty = true;
    Script.Errors.push_back(Script.Name + ": " + what);
}

bool ScriptBuilder::CheckSlot(const char* what, int slot, int first, int last) {
    if (slot >= first && slot <= last) return true;
    Fault(std::string(what) + " slot " + Num(slot) + " outside " + Num(first) + ".." + Num(last));
    return false;
}

bool ScriptBuilder::CheckWindow(const char* what, const Arg& from, const Arg& to) {
    if (!from.IsConstant() || !to.IsConstant() || from.A < to.A) return true;
    Fault(std::string(what) + " window (" + Num(from.A) + ", " + Num(to.A) + ") never opens");
    return false;
}

bool ScriptBuilder::CheckSchedule(const char* what, const Arg& phase, const Arg& period) {
    if (!period.IsConstant()) return true;
    if (period.A <= 0) {
        Fault(std::string(what) + " period " + Num(period.A) + " is not positive");
        return false;
    }
    if (phase.IsConstant() && (phase.A < 0 || phase.A >= period.A)) {
        Fault(std::string(what) + " phase " + Num(phase.A) + " never comes in period " + Num(period.A));
        return false;
    }
    return true;
}

bool ScriptBuilder::CheckFlag(int flag) {
    const int count = Script.BonusFlagCount == KeepValue ? MaxBonusFlags : Script.BonusFlagCount;
    if (flag >= 0 && flag < count) return true;
    Fault("bonus flag " + Num(flag) + " outside the table of " + Num(count));
    return false;
}

bool ScriptBuilder::CheckFire(const char* what, int bullet, int carrier) {
    bool ok = CheckSlot(what, bullet, FirstBulletSlot, LastBulletSlot);
    ok &= CheckSlot(what, carrier, FirstObjectSlot, LastObjectSlot);
    return ok;
}

void ScriptBuilder::Need(Op op, const char* field, const Arg& value) {
    if (value.IsConstant() && value.A == NotGiven) Fault(std::string(OpName(op)) + " without its " + field);
}

void ScriptBuilder::Refuse(Op op, const char* field, const Arg& value) {
    if (!value.IsConstant() || value.A != NotGiven) Fault(std::string(OpName(op)) + " takes no " + field);
}

void ScriptBuilder::UseBullet(int bullet, Op op) {
    Bullets.push_back({bullet, FrameLo.back(), FrameHi.back(), op});
}

// ---- Statements -----------------------------------------------------------------------------------

bool ScriptBuilder::Emit(Op op, std::initializer_list<Arg> args) {
    const bool faulty = Faulty;
    Faulty = false;
    if (faulty) return false;
    Statement s;
    s.Code = op;
    s.DynamicFirst = static_cast<uint32_t>(Script.Dynamic.size());
    uint8_t position = 0;
    for (const Arg& a : args) {
        if (a.IsConstant()) {
            s.Args[position] = a.A;
        } else {
            if ((a.Kind == ArgKind::XOf || a.Kind == ArgKind::YOf || a.Kind == ArgKind::HPOf) &&
                (a.A < FirstObjectSlot || a.A > LastObjectSlot)) {
                Fault(std::string(OpName(op)) + " follows slot " + Num(a.A) + " outside the slots");
                Faulty = false;
                return false;
            }
            if (a.Kind == ArgKind::FrameCycle && a.B == 0) {
                Fault(std::string(OpName(op)) + " cycles with period 0");
                Faulty = false;
                return false;
            }
            Script.Dynamic.push_back({position, a});
            ++s.DynamicCount;
        }
        ++position;
    }
    Script.Step.push_back(s);
    return true;
}

void ScriptBuilder::MoveDuring(const Move& m) {
    Need(Op::MoveDuring, "from", m.from);
    Need(Op::MoveDuring, "to", m.to);
    CheckSlot(OpName(Op::MoveDuring), m.slot, FirstObjectSlot, LastNonBulletSlot);
    CheckWindow(OpName(Op::MoveDuring), m.from, m.to);
    Emit(Op::MoveDuring, {m.slot, m.dx, m.dy, m.from, m.to});
}

void ScriptBuilder::ScrollWithGround(int slot, Arg from) {
    CheckSlot(OpName(Op::ScrollWithGround), slot, FirstObjectSlot, LastNonBulletSlot);
    Emit(Op::ScrollWithGround, {slot, from});
}

void ScriptBuilder::SinkDuring(int slot, Arg from, Arg to) {
    CheckSlot(OpName(Op::SinkDuring), slot, FirstObjectSlot, LastNonBulletSlot);
    CheckWindow(OpName(Op::SinkDuring), from, to);
    Emit(Op::SinkDuring, {slot, from, to});
}

void ScriptBuilder::CheckCircle(Op op, const Circle& c) {
    Need(op, "cx", c.cx);
    Need(op, "cy", c.cy);
    Need(op, "radius", c.radius);
    Need(op, "startAngle", c.startAngle);
    Need(op, "angleStep", c.angleStep);
    Need(op, "from", c.from);
    CheckSlot(OpName(op), c.slot, FirstObjectSlot, LastNonBulletSlot);
    if (c.angleStep.IsConstant() && c.angleStep.A == 0)
        Fault(std::string(OpName(op)) + " with an angle step of 0");
}

void ScriptBuilder::CircleDuring(const Circle& c) {
    CheckCircle(Op::CircleDuring, c);
    Need(Op::CircleDuring, "to", c.to);
    CheckWindow(OpName(Op::CircleDuring), c.from, c.to);
    Emit(Op::CircleDuring, {c.slot, c.cx, c.cy, c.radius, c.startAngle, c.angleStep, c.from, c.to});
}

void ScriptBuilder::CircleFrom(const Circle& c) {
    CheckCircle(Op::CircleFrom, c);
    Refuse(Op::CircleFrom, "to", c.to);
    Emit(Op::CircleFrom, {c.slot, c.cx, c.cy, c.radius, c.startAngle, c.angleStep, c.from});
}

void ScriptBuilder::ChaseRow(int slot, Arg from, Arg speed) {
    CheckSlot(OpName(Op::ChaseRow), slot, FirstObjectSlot, LastNonBulletSlot);
    Emit(Op::ChaseRow, {slot, from, speed});
}

void ScriptBuilder::DetonateNear(int slot) {
    CheckSlot(OpName(Op::DetonateNear), slot, FirstObjectSlot, LastNonBulletSlot);
    Emit(Op::DetonateNear, {slot});
}

// The periodic patterns share their checks: the fields, the slots, the schedule and the bullet's single
// owner. A pattern that stops after a move span alone takes one; none takes a dead time.
template <typename Fire>
void ScriptBuilder::CheckPeriodicFire(Op op, const Fire& f, bool stops) {
    Need(op, "from", f.from);
    Need(op, "period", f.period);
    if (stops)
        Need(op, "moveSpan", f.moveSpan);
    else
        Refuse(op, "moveSpan", f.moveSpan);
    if constexpr (requires { f.speed; }) Need(op, "speed", f.speed);
    if constexpr (requires { f.deadTime; }) Refuse(op, "deadTime", f.deadTime);
    CheckFire(OpName(op), f.bullet, f.carrier);
    CheckSchedule(OpName(op), f.phase, f.period);
    if (!Faulty) UseBullet(f.bullet, op);
}

// A shot on the carrier's death has a speed and a dead time, and no schedule.
template <typename Fire>
void ScriptBuilder::CheckDeathFire(Op op, const Fire& f) {
    Need(op, "speed", f.speed);
    Need(op, "deadTime", f.deadTime);
    Refuse(op, "from", f.from);
    Refuse(op, "moveSpan", f.moveSpan);
    Refuse(op, "period", f.period);
    if (!f.phase.IsConstant() || f.phase.A != 0) Fault(std::string(OpName(op)) + " takes no phase");
    if (CheckFire(OpName(op), f.bullet, f.carrier)) UseBullet(f.bullet, op);
}

void ScriptBuilder::FireStraight(const StraightFire& f) {
    CheckPeriodicFire(Op::FireStraight, f, false);
    Emit(Op::FireStraight, {f.bullet, f.carrier, f.from, f.phase, f.period, f.dy, f.dx});
}

void ScriptBuilder::FireStraightStop(const StraightFire& f) {
    CheckPeriodicFire(Op::FireStraightStop, f, true);
    Emit(Op::FireStraightStop, {f.bullet, f.carrier, f.from, f.moveSpan, f.phase, f.period, f.dy, f.dx});
}

void ScriptBuilder::FireAngled(const AngledFire& f) {
    Need(Op::FireAngled, "angle", f.angle);
    CheckPeriodicFire(Op::FireAngled, f, false);
    Emit(Op::FireAngled, {f.bullet, f.carrier, f.angle, f.phase, f.period, f.from, f.speed});
}

void ScriptBuilder::FireAngledStop(const AngledFire& f) {
    Need(Op::FireAngledStop, "angle", f.angle);
    CheckPeriodicFire(Op::FireAngledStop, f, true);
    Emit(Op::FireAngledStop, {f.bullet, f.carrier, f.angle, f.moveSpan, f.phase, f.period, f.from, f.speed});
}

void ScriptBuilder::FireAtPlayerMark(const AngledFire& f) {
    Need(Op::FireAtPlayerMark, "angle", f.angle);
    CheckPeriodicFire(Op::FireAtPlayerMark, f, false);
    Emit(Op::FireAtPlayerMark, {f.bullet, f.carrier, f.angle, f.phase, f.period, f.from, f.speed});
}

void ScriptBuilder::FireAimed(const AimedFire& f) {
    CheckPeriodicFire(Op::FireAimed, f, false);
    Emit(Op::FireAimed, {f.bullet, f.carrier, f.offset, f.phase, f.period, f.from, f.speed});
}

void ScriptBuilder::FireAimedStop(const AimedFire& f) {
    CheckPeriodicFire(Op::FireAimedStop, f, true);
    Emit(Op::FireAimedStop, {f.bullet, f.carrier, f.offset, f.moveSpan, f.phase, f.period, f.from, f.speed});
}

void ScriptBuilder::FireAimedExact(const AimedFire& f) {
    CheckPeriodicFire(Op::FireAimedExact, f, false);
    Emit(Op::FireAimedExact, {f.bullet, f.carrier, f.offset, f.phase, f.period, f.from, f.speed});
}

void ScriptBuilder::FireAngledOnDeath(const AngledFire& f) {
    Need(Op::FireAngledOnDeath, "angle", f.angle);
    CheckDeathFire(Op::FireAngledOnDeath, f);
    Emit(Op::FireAngledOnDeath, {f.bullet, f.carrier, f.angle, f.deadTime, f.speed});
}

void ScriptBuilder::FireOnDeath(const AimedFire& f) {
    CheckDeathFire(Op::FireOnDeath, f);
    Emit(Op::FireOnDeath, {f.bullet, f.carrier, f.offset, f.deadTime, f.speed});
}

void ScriptBuilder::DeathShot(AimedFire f) {
    if (f.speed.IsConstant() && f.speed.A == NotGiven) f.speed = 6;
    if (f.deadTime.IsConstant() && f.deadTime.A == NotGiven) f.deadTime = 1;
    FireOnDeath(f);
}

void ScriptBuilder::Path(int slot, std::initializer_list<Segment> segments) {
    for (const Segment& s : segments)
        MoveDuring({.slot = slot, .dx = s.Dx, .dy = s.Dy, .from = s.From, .to = s.To});
}

void ScriptBuilder::Mine(int slot, int firstBullet, int stride, int speed) {
    DetonateNear(slot);
    for (int e = 0; e < 12; ++e)
        FireOnDeath({.bullet = firstBullet + stride * e,
                     .carrier = slot,
                     .offset = 30 * e,
                     .speed = speed,
                     .deadTime = 1});
}

void ScriptBuilder::BonusCheck(const Bonus& b) {
    for (const auto& [field, value] : {std::pair{"frame", b.frame}, {"flag", b.flag}, {"points", b.points}})
        Need(Op::BonusCheck, field, value);
    CheckSlot(OpName(Op::BonusCheck), b.first, FirstObjectSlot, LastNonBulletSlot);
    CheckSlot(OpName(Op::BonusCheck), b.last, b.first, LastNonBulletSlot);
    CheckFlag(b.flag);
    Emit(Op::BonusCheck, {b.frame, b.first, b.last, b.flag, b.points});
}

// ---- Guards ---------------------------------------------------------------------------------------

size_t ScriptBuilder::OpenGuard(Op op, std::initializer_list<Arg> args) {
    const Arg* a = args.begin();
    int lo = FrameLo.back(), hi = FrameHi.back();
    switch (op) {
        case Op::IfFlag:
            CheckFlag(a[0].A);
            break;
        case Op::IfAllDestroyed:
        case Op::IfAnyDestroyed:
        case Op::IfAllHPBelowOne:
            CheckSlot(OpName(op), a[0].A, FirstObjectSlot, LastObjectSlot);
            CheckSlot(OpName(op), a[1].A, a[0].A, LastObjectSlot);
            break;
        case Op::IfFrameIn:
            if (a[0].A > a[1].A) Fault("frames " + Num(a[0].A) + ".." + Num(a[1].A) + " are empty");
            lo = std::max(lo, a[0].A);
            hi = std::min(hi, a[1].A);
            break;
        case Op::IfDeadTimeIn:
            CheckSlot(OpName(op), a[0].A, FirstObjectSlot, LastObjectSlot);
            if (a[1].A > a[2].A) Fault("dead times " + Num(a[1].A) + ".." + Num(a[2].A) + " are empty");
            break;
        case Op::IfCycleFrameIn:
            if (a[0].A <= 0) {
                Fault("a cycle of " + Num(a[0].A) + " frames");
            } else if (a[1].A > a[2].A || a[2].A < -(a[0].A - 1) || a[1].A > a[0].A - 1) {
                Fault("cycle frames " + Num(a[1].A) + ".." + Num(a[2].A) + " never come in " + Num(a[0].A));
            }
            break;
        case Op::IfValueAbove:
            break;  // its arguments are usually computed each step: nothing to check when written
        default:
            break;  // never: Guard<op> lets only the guards of the list through
    }
    FrameLo.push_back(lo);
    FrameHi.push_back(hi);
    // A guard whose condition is faulty still encloses its block, but never opens it.
    if (Faulty) {
        Faulty = false;
        Emit(Op::IfFrameIn, {1, 0});
    } else {
        Emit(op, args);
    }
    return Script.Step.size() - 1;
}

void ScriptBuilder::CloseGuard(size_t at) {
    FrameLo.pop_back();
    FrameHi.pop_back();
    Script.Step[at].Skip = static_cast<uint32_t>(Script.Step.size() - at - 1);
}

// ---- Assignments ----------------------------------------------------------------------------------

void ScriptBuilder::SetLayerStep(LayerStep which, Arg value) {
    Emit(Op::SetLayerStep, {static_cast<int>(which), value});
}

void ScriptBuilder::SetLayerSteps(const LayerSteps& l) {
    const std::array<int, 6> steps = l.InOrder();
    for (int which = 0; which < 6; ++which) SetLayerStep(static_cast<LayerStep>(which), steps[which]);
}

void ScriptBuilder::SetBossSlot(int slot) {
    CheckSlot(OpName(Op::SetBossSlot), slot, FirstBossSlot, LastBossSlot);
    Emit(Op::SetBossSlot, {slot});
}

void ScriptBuilder::SetState(int first, int last, int state, bool clearBulletStep) {
    CheckSlot(OpName(Op::SetState), first, FirstObjectSlot, LastObjectSlot);
    CheckSlot(OpName(Op::SetState), last, first, LastObjectSlot);
    if (clearBulletStep && first < FirstBulletSlot)
        Fault(std::string(OpName(Op::SetState)) + " clears BulletStep below the bullets");
    if (state < StateActive || state > StateDestroyed)
        Fault(std::string(OpName(Op::SetState)) + " to unknown state " + Num(state));
    Emit(Op::SetState, {first, last, state, clearBulletStep ? 1 : 0});
}

void ScriptBuilder::SetHP(int slot, Arg value) {
    CheckSlot(OpName(Op::SetHP), slot, FirstObjectSlot, LastObjectSlot);
    Emit(Op::SetHP, {slot, value});
}

void ScriptBuilder::AddScore(Arg points) {
    Emit(Op::AddScore, {points});
}
void ScriptBuilder::SetControl(int value) {
    Emit(Op::SetControl, {value});
}
void ScriptBuilder::SetStageFrame(Arg value) {
    Emit(Op::SetStageFrame, {value});
}
void ScriptBuilder::SetRespawnSide(int value) {
    Emit(Op::SetRespawnSide, {value});
}

void ScriptBuilder::SetPosition(int slot, Arg x, Arg y) {
    CheckSlot(OpName(Op::SetPosition), slot, FirstObjectSlot, LastObjectSlot);
    Emit(Op::SetPosition, {slot, x, y});
}

void ScriptBuilder::ClearBulletStep(int first, int last) {
    CheckSlot(OpName(Op::ClearBulletStep), first, FirstBulletSlot, LastBulletSlot);
    CheckSlot(OpName(Op::ClearBulletStep), last, first, LastBulletSlot);
    Emit(Op::ClearBulletStep, {first, last});
}

void ScriptBuilder::Call(void (*hook)()) {
    if (hook == nullptr) Fault(std::string(OpName(Op::Call)) + " without a function");
    Script.Hooks.push_back({hook, nullptr});
    Emit(Op::Call, {static_cast<int>(Script.Hooks.size() - 1), 0});
}

void ScriptBuilder::Call(void (*hook)(int), int argument) {
    if (hook == nullptr) Fault(std::string(OpName(Op::Call)) + " without a function");
    Script.Hooks.push_back({nullptr, hook});
    Emit(Op::Call, {static_cast<int>(Script.Hooks.size() - 1), argument});
}

// ---- Init tables ----------------------------------------------------------------------------------

void ScriptBuilder::Layers(const LayerSteps& l) {
    Script.LaysLayers = true;
    const std::array<int, 6> steps = l.InOrder();
    std::copy(steps.begin(), steps.end(), Script.LayerSteps);
}

namespace {

// Whether first..last is made of whole kinds that all have `hp` as their default.
bool RestatesDefault(int first, int last, int hp) {
    bool any = false;
    for (const ObjectKind& kind : ObjectKinds) {
        if (kind.Last < first || kind.First > last) continue;
        if (kind.First < first || kind.Last > last || kind.DefaultHP == 0 || kind.DefaultHP != hp)
            return false;
        any = true;
    }
    return any;
}

}  // namespace

void ScriptBuilder::HitPoints(int first, int last, int hp) {
    CheckSlot("HitPoints", first, FirstObjectSlot, LastObjectSlot);
    CheckSlot("HitPoints", last, first, LastObjectSlot);
    // The default lives in the kinds' table alone, so that changing it there changes every stage.
    if (!Faulty && RestatesDefault(first, last, hp))
        Fault("HitPoints " + Num(first) + ".." + Num(last) + " restates the kinds' default of " + Num(hp) +
              ": write DefaultHitPoints");
    if (!Faulty) Script.HitPoints.push_back({first, last, hp});
    Faulty = false;
}

void ScriptBuilder::DefaultHitPoints(int first, int last) {
    CheckSlot("DefaultHitPoints", first, FirstObjectSlot, LastObjectSlot);
    CheckSlot("DefaultHitPoints", last, first, LastObjectSlot);
    auto meets = [&](const ObjectKind& kind) {
        return kind.DefaultHP != 0 && kind.Last >= first && kind.First <= last;
    };
    bool any = false;
    for (const ObjectKind& kind : ObjectKinds) {
        if (!meets(kind)) continue;
        any = true;
        if (kind.First < first || kind.Last > last)
            Fault("DefaultHitPoints " + Num(first) + ".." + Num(last) + " cuts the kind " + Num(kind.First) +
                  ".." + Num(kind.Last) + " in two");
    }
    if (!any)
        Fault("DefaultHitPoints " + Num(first) + ".." + Num(last) + " holds no kind with default hit points");
    if (!Faulty)
        for (const ObjectKind& kind : ObjectKinds)
            if (meets(kind)) Script.HitPoints.push_back({kind.First, kind.Last, kind.DefaultHP});
    Faulty = false;
}

int ScriptBuilder::HitPointsOf(int slot) {
    // The last range written that holds the slot wins, as in the init.
    for (auto it = Script.HitPoints.rbegin(); it != Script.HitPoints.rend(); ++it)
        if (slot >= it->First && slot <= it->Last) return it->HP;
    Fault("the hit points of slot " + Num(slot) + " are read before the init gives it any");
    Faulty = false;
    return 0;
}

void ScriptBuilder::Place(const Placing& p) {
    CheckSlot("Place", p.first, FirstObjectSlot, LastObjectSlot);
    if (p.count < 1) Fault("Place of " + Num(p.count) + " members");
    CheckSlot("Place", p.first + p.count - 1, p.first, LastObjectSlot);
    for (const Coord& c : {p.x, p.y}) {
        if (c.How == Coord::Constant && c.Base == NotGiven) Fault("Place without a position");
        if (c.How == Coord::Random && c.Range < 1) Fault("Place draws from an empty range");
    }
    if (!Faulty) Script.Placements.push_back({p.first, p.count, p.x, p.y});
    Faulty = false;
}

void ScriptBuilder::Boss(int slot) {
    CheckSlot("Boss", slot, FirstBossSlot, LastBossSlot);
    if (!Faulty) Script.BossSlot = slot;
    Faulty = false;
}

void ScriptBuilder::Flags(int count) {
    if (count < 0 || count > MaxBonusFlags) Fault("a flag table of " + Num(count) + " entries");
    if (!Faulty) Script.BonusFlagCount = count;
    Faulty = false;
}

// ---- Closing --------------------------------------------------------------------------------------

bool ScriptBuilder::Finish() {
    if (FrameLo.size() != 1) Fault("a guarded block was left open");
    std::sort(Bullets.begin(), Bullets.end(), [](const BulletUse& a, const BulletUse& b) {
        return a.Bullet != b.Bullet ? a.Bullet < b.Bullet : a.Lo < b.Lo;
    });
    // Two calls may share a bullet slot only in frame ranges that never meet.
    for (size_t i = 1; i < Bullets.size(); ++i) {
        const BulletUse& a = Bullets[i - 1];
        const BulletUse& b = Bullets[i];
        if (a.Bullet == b.Bullet && b.Lo <= a.Hi) {
            Fault(std::string("bullet ") + Num(b.Bullet) + " is fired by " + OpName(a.Code) + " and by " +
                  OpName(b.Code));
        }
    }
    Faulty = false;
    Bullets.clear();
    return Script.Errors.empty();
}

}  // namespace veltrano
