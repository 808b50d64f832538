#include "tools/pilot/Pilot.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "world/World.h"

namespace veltrano {

namespace {

constexpr int FieldRight = 640 - 32, FieldBottom = 480 - 32;
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

// The heat of the cells where an enemy would touch a ship standing at (x, y).
float HeatAround(const std::vector<float>& heat, int x, int y) {
    float sum = 0;
    for (int row = std::max(0, (y - 18) / HeatCell); row <= std::min(HeatRows - 1, (y + 18) / HeatCell);
         ++row)
        for (int column = std::max(0, (x - 18) / HeatCell);
             column <= std::min(HeatColumns - 1, (x + 18) / HeatCell); ++column)
            sum += heat[row * HeatColumns + column];
    return sum;
}

struct Move {
    int dx, dy;
    bool up, down, left, right;
};

// The diagonal step of each speed, rounded as the ship's motion rounds it.
int DiagonalStep(int speed) {
    return static_cast<int>(std::nearbyint(speed / std::sqrt(2.0)));
}

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

// The low edge of a hit class's contact box (low < dx, dy < 18), or false for a class that never
// touches the ship.
bool ContactLow(int hitClass, int& low) {
    if (hitClass >= 0 && hitClass <= 2) {
        low = -2;
        return true;
    }
    if (hitClass >= 3 && hitClass <= 6) {
        low = -18;
        return true;
    }
    if (hitClass == 8) {
        low = 6;
        return true;
    }
    return false;
}

bool Shootable(int hitClass) {
    return hitClass == 1 || hitClass == 4 || hitClass == 6;
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

void Pilot::SteerDodging(RawInput& input) {
    const bool motionKnown = SeenScene == Scene;
    const int px = PlayerX, py = PlayerY;
    const int speed = std::max(PlayerSpeed, 1);
    const int reach = speed * Horizon + 48;

    // Everything that can touch the ship within the horizon, with its motion of the last frame. An
    // untouchable ship has nothing to dodge and only hunts.
    if (!motionKnown) std::fill(Heat.begin(), Heat.end(), 0.0f);
    for (float& h : Heat) h *= HeatKept;
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
        if (i < FirstBulletSlot && x >= 0 && x < 640 && y >= 0 && y < 480)
            Heat[(y / HeatCell) * HeatColumns + x / HeatCell] += 1.0f;
    }

    // What to line up with: the boss while it flies on screen, else the nearest enemy ahead that
    // shots can damage (with PartsFirst, the boss only when nothing else is left to shoot).
    int targetY = -1, targetX = 640;
    const bool bossOnScreen = BossSlot >= 0 && BossSlot < ObjectSlotCount &&
                              EnemyState[BossSlot] == StateActive && OnScreen(BossSlot);
    if (bossOnScreen && !Chosen.PartsFirst) {
        targetX = EnemyX[BossSlot];
        targetY = EnemyY[BossSlot];
    } else {
        int bestDistance = 1 << 30;
        for (int i = 0; i < FirstBulletSlot; ++i) {
            if (i == BossSlot) continue;
            if (EnemyState[i] != StateActive || !Shootable(EnemySize[i]) || !OnScreen(i)) continue;
            if (EnemyX[i] < px + 16) continue;
            const int distance = EnemyX[i] - px + std::abs(EnemyY[i] - py) / 2;
            if (distance < bestDistance) {
                bestDistance = distance;
                targetX = EnemyX[i];
                targetY = EnemySize[i] <= 2 ? EnemyY[i] - 8 : EnemyY[i];
            }
        }
        if (targetY < 0 && bossOnScreen) {
            targetX = EnemyX[BossSlot];
            targetY = EnemyY[BossSlot];
        }
    }

    // An item on the field is worth a detour: power, a hit point, an option or a ship.
    int itemX = -1, itemY = -1;
    for (int i = FirstItemSlot, nearest = 1 << 30; i <= LastItemSlot; ++i) {
        if (EnemyState[i] != StateItem || EnemyX[i] < 8 || EnemyX[i] > 600 || EnemyY[i] < 0 ||
            EnemyY[i] > 448)
            continue;
        const int distance = std::abs(EnemyX[i] - px) + std::abs(EnemyY[i] - py);
        if (distance < nearest) {
            nearest = distance;
            itemX = EnemyX[i];
            itemY = EnemyY[i];
        }
    }

    Move moves[9];
    MovesFor(speed, moves);
    auto advance = [](int& x, int& y, const Move& m) {
        x = std::clamp(x + m.dx, 0, FieldRight);
        y = std::clamp(y + m.dy, 0, FieldBottom);
    };
    // The cost of being at (x, y) after k frames: a contact costs the more the sooner it comes.
    auto frameCost = [&](int x, int y, int k) {
        double cost = 0;
        for (int n = 0; n < count; ++n) {
            const Danger& e = Dangers[n];
            const int dx = e.x + e.vx * k - x, dy = e.y + e.vy * k - y;
            if (!e.known) {
                // Where a new bullet goes is seen on the next frame; until then keep out of its reach.
                const int grow = k <= UnknownReachFrames ? UnknownSpeed * k : 0;
                if (dx > e.low - grow && dx < 18 + grow && dy > e.low - grow && dy < 18 + grow)
                    cost += 30000.0 / k;
                continue;
            }
            if (dx > e.low && dx < 18 && dy > e.low && dy < 18) return 100000.0 / k;
            if (dx > e.low - Margin && dx < 18 + Margin && dy > e.low - Margin && dy < 18 + Margin)
                cost += 20;
        }
        return cost;
    };

    double best = 1e300;
    int chosen = 0;
    double bestDanger = 0;
    for (int first = 0; first < 9; ++first) {
        // The first leg is common to every plan that starts with this move.
        int x = px, y = py;
        double legCost = 0;
        for (int k = 1; k <= FirstLeg; ++k) {
            advance(x, y, moves[first]);
            legCost += frameCost(x, y, k);
        }
        double danger = 1e300;
        for (int second = 0; second < 9 && danger > legCost; ++second) {
            int x2 = x, y2 = y;
            double cost = legCost;
            for (int k = FirstLeg + 1; k <= Horizon && cost < danger; ++k) {
                advance(x2, y2, moves[second]);
                cost += frameCost(x2, y2, k);
            }
            danger = std::min(danger, cost);
        }

        // Among safe moves: line up with the target, keep room in front, keep away from enemies
        // and from the top and bottom edges, where a ship gets cornered.
        double liking = 0;
        if (itemX >= 0) {
            liking += 0.3 * (std::abs(x - itemX) + std::abs(y - itemY));
        } else {
            if (targetY >= 0)
                liking += 0.25 * std::abs(y - targetY);
            else
                liking += 0.05 * std::abs(y - 224);
            const int wantedX = std::clamp(std::min(96, targetX - 192), 0, 160);
            liking += 0.2 * std::abs(x - wantedX);
        }
        for (int n = 0; n < count; ++n) {
            const Danger& e = Dangers[n];
            if (!e.enemy) continue;
            const int gap =
                std::max(std::abs(e.x + e.vx * FirstLeg - x), std::abs(e.y + e.vy * FirstLeg - y));
            if (gap < 96) liking += (96 - gap) * 0.5;
        }
        if (y < 24 || y > FieldBottom - 24) liking += 10;
        liking += 4.0 * std::min(HeatAround(Heat, x, y), 30.0f);

        const double total = danger + liking;

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
    if (bestDanger >= 100000.0 / 2 && Option1On == 1 && BurstActive == 0 && PlayerActive == 1 &&
        PlayerUntouchable == 0)
        Press(input, BurstState);
}

}  // namespace veltrano
