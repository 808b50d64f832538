#include "tools/sim/GoldenPilot.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace veltrano {

namespace {

constexpr int Horizon = 10;                 // frames looked ahead for each move
constexpr int Margin = 5;                   // pixels kept clear around the contact box where possible
constexpr int NearBox = 40 + 12 * Horizon;  // dangers further than this cannot reach the ship in time
constexpr int MaxStep = 40;                 // a slot that jumped further was placed, not moved

// The low edge of the contact box of a hit class (low < dx, dy < 18), false for a class that never
// touches the ship.
bool ContactLow(int hitClass, int& low) {
    if (hitClass >= 0 && hitClass <= 2)
        low = -2;
    else if (hitClass >= 3 && hitClass <= 6)
        low = -18;
    else if (hitClass == 8)
        low = 6;
    else
        return false;
    return true;
}

bool InPlayScene() {
    return Scene >= Stage1Scene && Scene <= BossRush10Scene;
}

struct Danger {
    int X, Y, VX, VY, Low;
    bool Known;
};

Danger Dangers[LastBulletSlot + 1];
int LastBossY = 0;

int DiagonalStep(int speed) {
    return static_cast<int>(std::nearbyint(speed / std::sqrt(2.0)));
}

bool Shootable(int slot) {
    return EnemyState[slot] == StateActive && (EnemySize[slot] == 1 || EnemySize[slot] == 4) &&
           EnemyX[slot] > 0 && EnemyX[slot] < 620 && EnemyY[slot] > -16 && EnemyY[slot] < 464;
}

// The row the ship wants: the boss's while it stands on the field, or, while parts close around it
// shield it, the weakest of those; with no boss, the nearest enemy it can shoot; else the middle.
int TargetRow() {
    const int boss = BossSlot;
    if (boss > 0 && Shootable(boss)) {
        int shield = -1;
        for (int slot = 0; slot < FirstBulletSlot; ++slot) {
            if (slot == boss || !Shootable(slot)) continue;
            if (std::abs(EnemyX[slot] - EnemyX[boss]) > 80 || std::abs(EnemyY[slot] - EnemyY[boss]) > 80)
                continue;
            if (shield < 0 || EnemyHP[slot] < EnemyHP[shield]) shield = slot;
        }
        const int target = shield >= 0 ? shield : boss;
        return EnemyY[target];
    }
    int best = -1, bestDistance = 1 << 30;
    for (int slot = 0; slot < FirstBulletSlot; ++slot) {
        if (!Shootable(slot) || EnemyX[slot] < PlayerX + 32) continue;
        const int distance = std::abs(EnemyX[slot] - PlayerX) + 2 * std::abs(EnemyY[slot] - PlayerY);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = slot;
        }
    }
    return best >= 0 ? EnemyY[best] : 224;
}

}  // namespace

void GoldenPilot::Steer(RawInput& input) {
    input = RawInput{};
    auto press = [&](int state) {
        const int key = state == StateUp      ? Vk::Up
                        : state == StateDown  ? Vk::Down
                        : state == StateLeft  ? Vk::Left
                        : state == StateRight ? Vk::Right
                                              : 0;
        if (key) input.KeyDown[key] = true;
    };
    auto pressButton = [&](int button) {
        // Buttons are pressed on the joystick, which reaches every button number.
        input.Joystick.Present = true;
        input.Joystick.AxisX = input.Joystick.AxisY = (input.Joystick.AxisMin + input.Joystick.AxisMax) / 2;
        if (button >= 1 && button <= 32) input.Joystick.Buttons |= uint32_t{1} << (button - 1);
    };

    // A continue, or the staff roll's end: confirm pressed on every other frame, so that it rises.
    const bool wantConfirm = (InPlayScene() && GameOver == 1 && CountdownExpired == 0) ||
                             (Scene == StaffRollScene && StageFrame > 3064);
    if (wantConfirm && !ConfirmWasDown) pressButton(ConfirmButton);
    ConfirmWasDown = wantConfirm && !ConfirmWasDown;
    pressButton(FireButton);

    const bool known = SeenScene == Scene;
    int count = 0;
    const int px = PlayerX, py = PlayerY;
    for (int slot = 0; slot < ObjectSlotCount; ++slot) {
        const bool active = EnemyState[slot] == StateActive;
        int low;
        if (active && ContactLow(EnemySize[slot], low) && std::abs(EnemyX[slot] - px) < NearBox &&
            std::abs(EnemyY[slot] - py) < NearBox && EnemyX[slot] > -40 && EnemyX[slot] < 660 &&
            EnemyY[slot] > -40 && EnemyY[slot] < 500) {
            Danger& d = Dangers[count++];
            d = {EnemyX[slot], EnemyY[slot], 0, 0, low, false};
            if (known && LastActive[slot]) {
                d.VX = EnemyX[slot] - LastX[slot];
                d.VY = EnemyY[slot] - LastY[slot];
                d.Known = std::abs(d.VX) <= MaxStep && std::abs(d.VY) <= MaxStep;
                if (!d.Known) d.VX = d.VY = 0;
            }
        }
        LastX[slot] = EnemyX[slot];
        LastY[slot] = EnemyY[slot];
        LastActive[slot] = active;
    }
    SeenScene = Scene;
    if (ControlEnabled == 0 || PlayerShown == 0) return;

    const int s = std::max(PlayerSpeed, 1), g = DiagonalStep(s);
    struct Move {
        int DX, DY, States[2];
    };
    const Move moves[9] = {{0, 0, {-1, -1}},
                           {0, -s, {StateUp, -1}},
                           {0, s, {StateDown, -1}},
                           {-s, 0, {StateLeft, -1}},
                           {s, 0, {StateRight, -1}},
                           {-g, -g, {StateUp, StateLeft}},
                           {g, -g, {StateUp, StateRight}},
                           {-g, g, {StateDown, StateLeft}},
                           {g, g, {StateDown, StateRight}}};
    // A boss that jumps too fast to follow (one circling the screen) is waited for at the left
    // edge, out of its reach, on the middle row that it crosses twice a turn.
    const bool fastBoss = BossSlot > 0 && Shootable(BossSlot) && std::abs(EnemyY[BossSlot] - LastBossY) > 12;
    LastBossY = BossSlot > 0 ? EnemyY[BossSlot] : 0;
    const int targetY = fastBoss ? 224 : std::clamp(TargetRow(), 0, 448), targetX = fastBoss ? 0 : 96;
    double bestCost = 1e300;
    int best = 0;
    for (int m = 0; m < 9; ++m) {
        double cost = 0;
        int x = px, y = py;
        for (int t = 1; t <= Horizon; ++t) {
            // The move is held for the first frames of the look-ahead, then the ship stands.
            if (t <= 3) {
                x = std::clamp(x + moves[m].DX, 0, 608);
                y = std::clamp(y + moves[m].DY, 0, 448);
            }
            const double weight = (Horizon + 1 - t) * (Horizon + 1 - t);
            for (int i = 0; i < count; ++i) {
                const Danger& d = Dangers[i];
                // An unseen bullet may go any way: it is given a wider box instead of a path.
                const int spread = d.Known ? 0 : 6 * t;
                const int dx = d.X + d.VX * t - x, dy = d.Y + d.VY * t - y;
                if (dx > d.Low - Margin - spread && dx < 18 + Margin + spread &&
                    dy > d.Low - Margin - spread && dy < 18 + Margin + spread) {
                    const bool hit = dx > d.Low && dx < 18 && dy > d.Low && dy < 18;
                    cost += weight * (hit && d.Known ? 100 : 1);
                }
            }
        }
        const int x1 = std::clamp(px + moves[m].DX, 0, 608), y1 = std::clamp(py + moves[m].DY, 0, 448);
        cost += 2.0 * std::abs(y1 - targetY) + 0.2 * std::abs(x1 - targetX);
        if (cost < bestCost) {
            bestCost = cost;
            best = m;
        }
    }
    for (int state : moves[best].States)
        if (state >= 0) press(state);
}

}  // namespace veltrano
