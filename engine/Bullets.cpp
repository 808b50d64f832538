// The ship's weapon: its shot groups, the two options that fly beside it and the option burst.
#include "engine/Bullets.h"

#include "engine/DestroySlot.h"
#include "world/World.h"

namespace veltrano {

namespace {

// A group fired from here runs as usual, but its one new shot appears off the field and is
// retired on the next step: how a weapon leaves a group without a visible shot.
constexpr int Park = 1000;

constexpr int FirstBurstGroup1 = 7;   // groups 7..11 stream from the first option
constexpr int FirstBurstGroup2 = 12;  // groups 12..16 from the second
constexpr int BurstStreams = 5;
constexpr int BurstInterval = 2;
constexpr int BurstLength = 50;

bool Firing() {
    return FireHeld == 1 || BurstActive == 1;
}

bool OutsideShotField(int x, int y) {
    return x < -16 || x > FieldWidth || y < -16 || y > FieldHeight;
}

// Moves group g's shots and spawns at most one, into the first idle slot, once the cooldown has
// reached the interval. A steered group gives each idle slot the velocity of the keys held now,
// so a steered shot keeps the drift it was born with.
void RunGroup(int g, int x, int y, int interval, bool steered) {
    const bool firing = Firing();
    for (int k = g * ShotsPerGroup; k < (g + 1) * ShotsPerGroup; ++k) {
        if (ShotLive[k] == 1) {
            ShotX[k] += ShotVX[k];
            ShotY[k] += ShotVY[k];
            if (OutsideShotField(ShotX[k], ShotY[k])) ShotLive[k] = 0;
        } else if (firing) {
            if (steered) {
                ShotVX[k] = 24;
                ShotVY[k] = KeyUp ? -2 : KeyDown ? 2 : 0;
            }
            if (ShotCooldown[g] >= interval) {
                ShotX[k] = x;
                ShotY[k] = y;
                ShotLive[k] = 1;
                ShotCooldown[g] = 0;
            }
        }
    }
    ShotCooldown[g] += 1;
}

// Type 1 steers its shots with the up and down keys; the other types fly straight.
void FireTyped(int g, int x, int y, int interval) {
    if (ShotType == 1) {
        FireGroupSteered(g, x, y, interval);
    } else {
        FireGroup(g, x, y, interval);
    }
}

// Types 3 and 5 fire at the short interval, the others at the long one.
int TypeInterval() {
    const int longInterval = PlayerSpeed / 2 + 2;
    const int shortInterval = PlayerSpeed / 2;
    return ShotType == 3 || ShotType == 5 ? shortInterval : longInterval;
}

struct Spawn {
    bool parked;
    int dx, dy;  // from the ship's top-left corner
};
constexpr Spawn P = {true, 0, 0};
constexpr Spawn At(int dx, int dy) {
    return {false, dx, dy};
}

// Spawn points of groups 0, 1, 2 by type (row) and power (column).
constexpr Spawn MainSpawns[6][3][3] = {
    {{At(24, 8), P, P}, {At(24, 0), At(24, 16), P}, {At(24, 8), At(24, -8), At(24, 24)}},
    {{At(24, 8), P, P}, {P, At(24, 8), At(24, 8)}, {At(24, 8), At(24, 8), At(24, 8)}},
    {{At(24, 8), P, P}, {At(24, 8), At(-8, 8), P}, {At(24, 0), At(-8, 8), At(24, 16)}},
    {{At(24, 8), P, P}, {P, At(24, 0), At(24, 16)}, {At(24, 8), At(24, -8), At(24, 24)}},
    {{At(24, 8), P, P}, {At(24, 8), At(8, -8), P}, {At(24, 8), At(8, -8), At(8, 24)}},
    {{At(24, 8), P, P}, {At(0, 0), At(0, 16), P}, {At(24, 8), At(0, -8), At(0, 24)}},
};

struct OptionPlace {
    bool fromShipX;  // type 5 pins its options to the screen edges
    int x, dy;       // x is an offset from the ship, or a screen column when not fromShipX
    int altX, altDy;
};

struct OptionRule {
    OptionPlace place;
    int groups[2];  // -1: the type fires one group only
};

// By type: the first option's and the second option's place, normal / alternative formation.
// clang-format off
constexpr OptionRule FirstOption[6] = {
    {{true, 8, -64, 8, 80},     {3, -1}},
    {{true, 0, -48, 64, 80},    {3, 5}},
    {{true, 64, -48, -48, 64},  {3, 5}},
    {{true, 32, -48, 32, 64},   {3, 5}},
    {{false, 0, 8, 0, 8},       {3, 4}},
    {{true, -24, 40, -24, 40},  {3, -1}},
};
constexpr OptionRule SecondOption[6] = {
    {{true, 8, 80, 8, -64},     {4, -1}},
    {{true, 0, 64, 64, -64},    {4, 6}},
    {{true, 64, 64, -48, -48},  {4, 6}},
    {{true, 32, 64, 32, -48},   {4, 6}},
    {{false, 624, 8, 624, 8},   {5, 6}},
    {{true, -24, -24, -24, -24}, {4, -1}},
};
// clang-format on

bool ValidType() {
    return ShotType >= 1 && ShotType <= 6;
}

void UpdateOption(const OptionRule& rule, uint8_t present, int& ox, int& oy) {
    if (present) {
        const bool alt = OptionAltFormation == 1;
        const int x = alt ? rule.place.altX : rule.place.x;
        ox = rule.place.fromShipX ? PlayerX + x : x;
        oy = PlayerY + (alt ? rule.place.altDy : rule.place.dy);
    } else {
        ox = oy = Park;
    }
    for (int g : rule.groups) {
        if (g >= 0) FireTyped(g, ox, oy, TypeInterval());
    }
}

// Stream i of a burst leaves from the option, fanned out vertically for types 1, 3 and 4.
void FireBurstStream(int g, int i, int ox, int oy) {
    switch (ShotType) {
        case 1:
            FireGroupSteered(g, ox, oy - 32 + 16 * i, BurstInterval);
            break;
        case 3:
        case 4:
            FireGroup(g, ox, oy - 16 + 8 * i, BurstInterval);
            break;
        default:
            FireGroup(g, ox, oy, BurstInterval);
            break;
    }
}

// The burst clears every bullet on screen once, as it begins.
void SweepBulletsOnScreen() {
    for (int b = FirstBulletSlot; b <= 14999; ++b) {
        if (EnemyX[b] + 32 > 0 && EnemyX[b] < FieldWidth && EnemyY[b] + 32 > 0 && EnemyY[b] < FieldHeight) {
            DestroySlot(b);
        }
    }
}

}  // namespace

void FireGroup(int group, int x, int y, int interval) {
    RunGroup(group, x, y, interval, false);
}

void FireGroupSteered(int group, int x, int y, int interval) {
    RunGroup(group, x, y, interval, true);
}

void UpdateMainShots() {
    if (!ValidType() || ShotPower < 1 || ShotPower > 3) return;
    const Spawn* spawns = MainSpawns[ShotType - 1][ShotPower - 1];
    for (int g = 0; g < 3; ++g) {
        const Spawn& s = spawns[g];
        const int x = s.parked ? Park : PlayerX + s.dx;
        const int y = s.parked ? Park : PlayerY + s.dy;
        FireTyped(g, x, y, TypeInterval());
    }
}

void UpdateOption1Shots() {
    if (ValidType()) UpdateOption(FirstOption[ShotType - 1], Option1On, Option1X, Option1Y);
}

void UpdateOption2Shots() {
    if (ValidType()) UpdateOption(SecondOption[ShotType - 1], Option2On, Option2X, Option2Y);
}

void UpdateBurst() {
    if (BurstKeyFrames >= 1) {
        BurstActive = 1;
        PlayerUntouchable = 1;
    }
    if (BurstActive == 0) {
        // Streams already in flight keep moving after the burst.
        for (int i = 0; i < BurstStreams; ++i) {
            FireGroup(FirstBurstGroup1 + i, Park, Park, BurstInterval);
            FireGroup(FirstBurstGroup2 + i, Park, Park, BurstInterval);
        }
        return;
    }
    BurstTimer += 1;
    for (int i = 0; i < BurstStreams; ++i) {
        FireBurstStream(FirstBurstGroup1 + i, i, Option1X, Option1Y);
        FireBurstStream(FirstBurstGroup2 + i, i, Option2X, Option2Y);
    }
    if (BurstTimer == 1) SweepBulletsOnScreen();
    if (BurstTimer >= BurstLength) {
        // A burst uses up one option, the second one first.
        PlayerUntouchable = 0;
        BurstTimer = 0;
        if (Option2On == 1) {
            Option2On = 0;
        } else {
            Option1On = 0;
        }
        BurstActive = 0;
        BurstKeyFrames = 0;
    }
}

}  // namespace veltrano
