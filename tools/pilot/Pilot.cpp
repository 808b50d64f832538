#include "tools/pilot/Pilot.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "engine/ShipGeometry.h"
#include "world/World.h"

namespace veltrano {

namespace {

// How far the dodging pilot looks ahead, and how long it holds its first move before the second
// move of a plan: a plan is "this way for a few steps, then that way".
constexpr int Horizon = 14;
constexpr int FirstLeg = 3;
constexpr int MaxDangers = 4096;
// A slot that jumped further than this between two frames was placed, not moved.
constexpr int MaxStep = 40;
// Near misses within this many pixels of the contact box cost a little, so that the pilot keeps
// a margin where it can.
constexpr int Margin = 6;
// A bullet seen for the first time may fly at up to this speed, in any direction.
constexpr int UnknownSpeed = 8, UnknownReachFrames = 2;
constexpr int HeatCell = 16, HeatColumns = 640 / HeatCell, HeatRows = 480 / HeatCell;
constexpr float HeatKept = 0.98f;
// The costs of a plan: a contact, the same with a bullet whose course is not seen yet, a near miss.
constexpr double ContactCost = 100000.0, UnseenCost = 30000.0, NearMissCost = 20.0;
// A seeded pilot weighs its moves with a whim of up to this much each frame, so that two seeds fly
// two different games through the same scene.
constexpr double Whim = 4.0;
// Steps without a hit on a whirling boss before the pilot shifts its stand by ShiftStep pixels; after
// ShiftCount stands it leaves the row for RowBan steps.
constexpr int StandRoom = 40;  // the boss's points counted on a row lie right of this
constexpr int MissesBeforeShift = 40, ShiftStep = 24, ShiftCount = 5, RowBan = 400;

// The heat of the cells where an enemy would touch a ship standing at (x, y).
float HeatAround(const std::vector<float>& heat, int x, int y) {
    float sum = 0;
    const int reach = ContactHigh;
    for (int row = std::max(0, (y - reach) / HeatCell); row <= std::min(HeatRows - 1, (y + reach) / HeatCell);
         ++row)
        for (int column = std::max(0, (x - reach) / HeatCell);
             column <= std::min(HeatColumns - 1, (x + reach) / HeatCell); ++column)
            sum += heat[row * HeatColumns + column];
    return sum;
}

struct Move {
    int dx, dy;
    bool up, down, left, right;
};

// Stay first, so that a tie keeps the ship where it is.
void MovesFor(int speed, Move moves[9]) {
    const int s = speed, d = DiagonalStep(speed);
    const Move all[9] = {
        {0, 0, false, false, false, false}, {0, -s, true, false, false, false},
        {0, s, false, true, false, false},  {-s, 0, false, false, true, false},
        {s, 0, false, false, false, true},  {-d, -d, true, false, true, false},
        {d, -d, true, false, false, true},  {-d, d, false, true, true, false},
        {d, d, false, true, false, true},
    };
    std::copy(all, all + 9, moves);
}

void Advance(int& x, int& y, const Move& m) {
    x = std::clamp(x + m.dx, 0, FieldRight);
    y = std::clamp(y + m.dy, 0, FieldBottom);
}

bool Shootable(int hitClass) {
    return hitClass == SmallEnemyClass || hitClass == LargeEnemyClass || hitClass == ItemCarrierClass;
}

bool OnScreen(int slot) {
    return EnemyX[slot] + 32 > 0 && EnemyX[slot] < 640 && EnemyY[slot] + 32 > 0 && EnemyY[slot] < 480;
}

bool InPlayScene() {
    return Scene >= Stage1Scene && Scene <= BossRush10Scene;
}

struct Danger {
    int x, y, vx, vy, low;
    bool enemy;  // an enemy or obstacle rather than a bullet
    bool known;  // its motion was seen; a bullet fired on the last frame may still go any way
};

Danger Dangers[MaxDangers];

void Press(RawInput& input, int state, bool down = true) {
    const int key = KeyOfState(state);
    if (key > 0 && key < 256) input.KeyDown[key] = down;
}

// The cost of standing at (x, y) k frames from now: a contact costs the more the sooner it comes.
double CostAt(const Danger* dangers, int count, int x, int y, int k) {
    double cost = 0;
    for (int n = 0; n < count; ++n) {
        const Danger& e = dangers[n];
        const int dx = e.x + e.vx * k - x, dy = e.y + e.vy * k - y;
        if (!e.known) {
            // Where a new bullet goes is seen on the next frame; until then keep out of its reach.
            const int grow = k <= UnknownReachFrames ? UnknownSpeed * k : 0;
            if (dx > e.low - grow && dx < ContactHigh + grow && dy > e.low - grow && dy < ContactHigh + grow)
                cost += UnseenCost / k;
            continue;
        }
        if (dx > e.low && dx < ContactHigh && dy > e.low && dy < ContactHigh) return ContactCost / k;
        if (dx > e.low - Margin && dx < ContactHigh + Margin && dy > e.low - Margin &&
            dy < ContactHigh + Margin)
            cost += NearMissCost;
    }
    return cost;
}

// The least cost of the plans that start with `first` for FirstLeg frames and end with any move;
// (x, y) is where the first leg leaves the ship.
double DangerOfMove(const Danger* dangers, int count, const Move moves[9], int first, int& x, int& y) {
    double legCost = 0;
    for (int k = 1; k <= FirstLeg; ++k) {
        Advance(x, y, moves[first]);
        legCost += CostAt(dangers, count, x, y, k);
    }
    double danger = 1e300;
    for (int second = 0; second < 9 && danger > legCost; ++second) {
        int x2 = x, y2 = y;
        double cost = legCost;
        for (int k = FirstLeg + 1; k <= Horizon && cost < danger; ++k) {
            Advance(x2, y2, moves[second]);
            cost += CostAt(dangers, count, x2, y2, k);
        }
        danger = std::min(danger, cost);
    }
    return danger;
}

}  // namespace

bool ParsePilotFlight(const char* name, PilotFlight& flight) {
    if (std::strcmp(name, "park") == 0)
        flight = PilotFlight::Park;
    else if (std::strcmp(name, "sweep") == 0)
        flight = PilotFlight::Sweep;
    else if (std::strcmp(name, "dodge") == 0)
        flight = PilotFlight::Dodge;
    else
        return false;
    return true;
}

Pilot::Pilot(PilotOptions options)
    : Chosen(options),
      WhimSeed(static_cast<uint32_t>(options.Seed)),
      LastX(ObjectSlotCount),
      LastY(ObjectSlotCount),
      LastSeen(ObjectSlotCount),
      Heat(HeatColumns * HeatRows) {}

void Pilot::Steer(RawInput& input) {
    input = RawInput{};
    if (ConfirmTapped && GameOver == 0) ++Continues;
    if (WasActive && PlayerActive == 0 && InPlayScene()) {
        ++Lost;
    }
    WasActive = PlayerActive != 0;

    if (Chosen.Power && !Powered && InPlayScene()) {
        ShotPower = 3;
        Option1On = Option2On = 1;
        Powered = true;
    }
    if (Chosen.Untouchable) PlayerUntouchable = 1;

    // A continue is a confirm press while the countdown runs; the press must rise each time.
    const bool wantsContinue = Chosen.Continue && GameOver == 1 && CountdownExpired == 0;
    ConfirmTapped = wantsContinue && !ConfirmTapped;
    if (ConfirmTapped) Press(input, ConfirmState);

    if (Chosen.Fire) Press(input, FireState);
    switch (Chosen.Flight) {
        case PilotFlight::Park:
            break;
        case PilotFlight::Sweep: {
            const bool up = (StageFrame / 48) % 2 == 0;
            Press(input, StateUp, up);
            Press(input, StateDown, !up);
            break;
        }
        case PilotFlight::Dodge:
            SteerDodging(input);
            break;
    }
    RememberPositions();
}

void Pilot::RememberPositions() {
    if (Chosen.Flight != PilotFlight::Dodge || Chosen.Untouchable) return;
    for (int i = 0; i < ObjectSlotCount; ++i) {
        LastX[i] = EnemyX[i];
        LastY[i] = EnemyY[i];
        LastSeen[i] = EnemyState[i] == StateActive;
    }
    SeenScene = Scene;
}

double Pilot::NextWhim() {
    if (Chosen.Seed < 0) return 0;
    WhimSeed = WhimSeed * 134775813u + 1u;
    return Whim * (WhimSeed >> 8) / double(1u << 24);
}

int Pilot::GatherDangers(int reach) {
    // An untouchable ship has nothing to dodge and only hunts.
    const bool motionKnown = SeenScene == Scene;
    if (!motionKnown) std::fill(Heat.begin(), Heat.end(), 0.0f);
    for (float& h : Heat) h *= HeatKept;
    const int px = PlayerX, py = PlayerY;
    int count = 0;
    for (int i = 0; i < ObjectSlotCount && count < MaxDangers && !Chosen.Untouchable; ++i) {
        if (EnemyState[i] != StateActive) continue;
        int low;
        if (!ContactLow(EnemySize[i], low)) continue;
        const int x = EnemyX[i], y = EnemyY[i];
        if (x < -48 || x > 688 || y < -48 || y > 528) continue;
        int vx = 0, vy = 0;
        bool known = false;
        if (motionKnown && LastSeen[i]) {
            vx = x - LastX[i];
            vy = y - LastY[i];
            known = std::abs(vx) <= MaxStep && std::abs(vy) <= MaxStep;
            if (!known) vx = vy = 0;
        }
        const int endX = x + vx * Horizon, endY = y + vy * Horizon;
        if (std::max(x, endX) < px - reach || std::min(x, endX) > px + reach) continue;
        if (std::max(y, endY) < py - reach || std::min(y, endY) > py + reach) continue;
        Dangers[count++] = {x, y, vx, vy, low, i < FirstBulletSlot, known};
        // An enemy that jumps along a path (a fast circle) is avoided by the path it leaves.
        if (i < FirstBulletSlot && x >= 0 && x < 640 && y >= 0 && y < 480)
            Heat[(y / HeatCell) * HeatColumns + x / HeatCell] += 1.0f;
    }
    // A whirling boss is only now and then where it will be again: every point of its path is
    // kept clear as if it stood there.
    int low;
    if (BossWhirls() && !Chosen.Untouchable && ContactLow(EnemySize[BossSlot], low)) {
        for (int n = 0; n < BossTrail && count < MaxDangers; ++n)
            Dangers[count++] = {TrailX[n], TrailY[n], 0, 0, low, false, true};
    }
    return count;
}

Pilot::Aim Pilot::ChooseAim() {
    const int px = PlayerX, py = PlayerY;
    Aim aim;
    // An item on the field is worth a detour: power, a hit point, an option or a ship.
    for (int i = FirstItemSlot, nearest = 1 << 30; i <= LastItemSlot; ++i) {
        if (EnemyState[i] != StateItem || EnemyX[i] < 8 || EnemyX[i] > 600 || EnemyY[i] < 0 ||
            EnemyY[i] > FieldBottom)
            continue;
        const int distance = std::abs(EnemyX[i] - px) + std::abs(EnemyY[i] - py);
        if (distance < nearest) {
            nearest = distance;
            aim.ItemX = EnemyX[i];
            aim.ItemY = EnemyY[i];
        }
    }
    // What to line up with: the boss while it flies on screen, else the nearest enemy ahead that
    // shots can damage (with PartsFirst, the boss only when nothing else is left to shoot).
    const bool bossOnScreen = BossSlot >= 0 && BossSlot < ObjectSlotCount &&
                              EnemyState[BossSlot] == StateActive && OnScreen(BossSlot);
    if (bossOnScreen && !Chosen.PartsFirst) {
        if (AimAtBossPath(aim)) return aim;
        aim.TargetX = EnemyX[BossSlot];
        aim.TargetY = EnemyY[BossSlot];
        return aim;
    }
    int bestDistance = 1 << 30;
    for (int i = 0; i < FirstBulletSlot; ++i) {
        if (i == BossSlot) continue;
        if (EnemyState[i] != StateActive || !Shootable(EnemySize[i]) || !OnScreen(i)) continue;
        if (EnemyX[i] < px + 16) continue;
        const int distance = EnemyX[i] - px + std::abs(EnemyY[i] - py) / 2;
        if (distance < bestDistance) {
            bestDistance = distance;
            aim.TargetX = EnemyX[i];
            aim.TargetY = EnemySize[i] <= LastSmallClass ? EnemyY[i] - 8 : EnemyY[i];
        }
    }
    if (aim.TargetY < 0 && bossOnScreen) {
        if (AimAtBossPath(aim)) return aim;
        aim.TargetX = EnemyX[BossSlot];
        aim.TargetY = EnemyY[BossSlot];
    }
    return aim;
}

void Pilot::RememberBoss() {
    const bool shown = BossSlot >= 0 && BossSlot < ObjectSlotCount && EnemyState[BossSlot] == StateActive &&
                       OnScreen(BossSlot) && SeenScene == Scene;
    if (!shown) {
        TrailCount = TrailNext = 0;
        LastBossHP = -1;
        return;
    }
    const int hp = EnemyHP[BossSlot];
    StepsWithoutHit = hp < LastBossHP ? 0 : StepsWithoutHit + 1;
    LastBossHP = hp;
    if (BanLeft > 0) --BanLeft;
    if (StepsWithoutHit > MissesBeforeShift) {
        StepsWithoutHit = 0;
        Shift = (Shift + 1) % ShiftCount;
        // Every stand on this row missed: try another for a while.
        if (Shift == 0) {
            BannedRow = HeldRow;
            BanLeft = RowBan;
        }
    }
    TrailX[TrailNext] = EnemyX[BossSlot];
    TrailY[TrailNext] = EnemyY[BossSlot];
    TrailNext = (TrailNext + 1) % BossTrail;
    TrailCount = std::min(TrailCount + 1, BossTrail);
}

// A good player does not chase a boss that whirls round the screen: it stands near the left edge on
// the row the boss crosses most often, as near the middle as it can, and lets the boss fly into its
// shots.
bool Pilot::BossWhirls() const {
    if (TrailCount < BossTrail) return false;
    long travelled = 0;
    for (int n = 1; n < BossTrail; ++n) {
        const int a = (TrailNext + n - 1) % BossTrail, b = (TrailNext + n) % BossTrail;
        travelled += std::abs(TrailX[b] - TrailX[a]) + std::abs(TrailY[b] - TrailY[a]);
    }
    constexpr int FastStep = 12;  // pixels per step, on average, that the ship cannot follow
    return travelled >= long{FastStep} * (BossTrail - 1);
}

bool Pilot::AimAtBossPath(Aim& aim) {
    if (!BossWhirls()) return false;
    double bestScore = 0;
    for (int row = 0; row <= FieldBottom; row += 8) {
        if (BanLeft > 0 && std::abs(row - BannedRow) < 32) continue;
        int crossings = 0, nearestX = 640;
        for (int n = 0; n < BossTrail; ++n) {
            if (TrailX[n] < StandRoom || std::abs(TrailY[n] - row) >= 16) continue;
            ++crossings;
            nearestX = std::min(nearestX, TrailX[n]);
        }
        const double score = crossings - 0.002 * std::abs(row - 224);
        if (crossings > 0 && score > bestScore) {
            bestScore = score;
            aim.TargetY = row;
            aim.TargetX = nearestX;
        }
    }
    if (bestScore <= 0) return false;
    HeldRow = aim.TargetY;
    aim.HoldX = std::clamp(aim.TargetX - 40 - ShiftStep * Shift, 0, 160);
    return true;
}

// Among safe places: line up with the target, keep room in front, keep away from enemies and from
// the top and bottom edges, where a ship gets cornered.
double Pilot::Liking(int x, int y, const Aim& aim, int count) const {
    double liking = 0;
    if (aim.ItemX >= 0) {
        liking += 0.3 * (std::abs(x - aim.ItemX) + std::abs(y - aim.ItemY));
    } else {
        if (aim.TargetY >= 0)
            liking += 0.25 * std::abs(y - aim.TargetY);
        else
            liking += 0.05 * std::abs(y - 224);
        const int wantedX = aim.HoldX >= 0 ? aim.HoldX : std::clamp(std::min(96, aim.TargetX - 192), 0, 160);
        liking += 0.2 * std::abs(x - wantedX);
    }
    for (int n = 0; n < count; ++n) {
        const Danger& e = Dangers[n];
        if (!e.enemy) continue;
        const int gap = std::max(std::abs(e.x + e.vx * FirstLeg - x), std::abs(e.y + e.vy * FirstLeg - y));
        if (gap < 96) liking += (96 - gap) * 0.5;
    }
    if (y < 24 || y > FieldBottom - 24) liking += 10;
    liking += 4.0 * std::min(HeatAround(Heat, x, y), 30.0f);
    return liking;
}

void Pilot::SteerDodging(RawInput& input) {
    const int speed = std::max(PlayerSpeed, 1);
    const int count = GatherDangers(speed * Horizon + 48);
    RememberBoss();
    const Aim aim = ChooseAim();

    Move moves[9];
    MovesFor(speed, moves);
    double best = 1e300, bestDanger = 0;
    int chosen = 0;
    for (int first = 0; first < 9; ++first) {
        int x = PlayerX, y = PlayerY;
        const double danger = DangerOfMove(Dangers, count, moves, first, x, y);
        const double total = danger + Liking(x, y, aim, count) + NextWhim();
        if (total < best) {
            best = total;
            chosen = first;
            bestDanger = danger;
        }
    }

    const Move& m = moves[chosen];
    Press(input, StateUp, m.up);
    Press(input, StateDown, m.down);
    Press(input, StateLeft, m.left);
    Press(input, StateRight, m.right);
    // A contact within two frames that no move avoids: the option burst takes the ship through it.
    if (bestDanger >= ContactCost / 2 && Option1On == 1 && BurstActive == 0 && PlayerActive == 1 &&
        PlayerUntouchable == 0)
        Press(input, BurstState);
}

}  // namespace veltrano
