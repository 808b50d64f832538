// The object pass of the world step: contact with the ship, the ship's shots, item pickup and
// scoring, one slot at a time.
#include "engine/CentralSystem.h"
#include "world/World.h"

namespace veltrano {

namespace {

enum class ContactFate {
    None,  // the class never touches the ship
    Destroyed,
    DestroyedIfShipLives,
    DestroyedFrom800,  // only slots 800 and above give way
    DestroyedIfShipLivesFrom800,
    Stays,
};

enum class ShotReaction {
    None,              // the shot flies on
    DestroyedByBurst,  // only burst shots (groups 7..16) destroy it; every shot flies on
    Damaged,           // one hit point per shot, the shot is spent
    Absorbs,           // the shot is spent, no damage
    BecomesItem,       // damaged like Damaged, and turns into a collectable item at 0
};

struct HitClass {
    int contactLow;  // contact box: contactLow < dx, dy < 18
    ContactFate contact;
    int size;  // 16-pixel or 32-pixel object: its screen test and shot box
    ShotReaction reaction;
};

// The ship's box sits inside its sprite, so the contact boxes are not symmetric.
constexpr HitClass HitClasses[] = {
    {-2, ContactFate::Destroyed, 16, ShotReaction::DestroyedByBurst},
    {-2, ContactFate::DestroyedIfShipLives, 16, ShotReaction::Damaged},
    {-2, ContactFate::Stays, 16, ShotReaction::Absorbs},
    {-18, ContactFate::DestroyedFrom800, 32, ShotReaction::None},
    {-18, ContactFate::DestroyedIfShipLivesFrom800, 32, ShotReaction::Damaged},
    {-18, ContactFate::Stays, 32, ShotReaction::Absorbs},
    {-18, ContactFate::Stays, 32, ShotReaction::BecomesItem},
    {0, ContactFate::None, 32, ShotReaction::None},
    {6, ContactFate::Destroyed, 32, ShotReaction::DestroyedByBurst},
};
constexpr int HitClassCount = sizeof HitClasses / sizeof HitClasses[0];
constexpr int ItemClass = 7;
constexpr int FirstBurstShot = 7 * ShotsPerGroup;

const HitClass* ClassOf(int slot) {
    const int c = EnemySize[slot];
    return c >= 0 && c < HitClassCount ? &HitClasses[c] : nullptr;
}

bool OnScreen(int slot, int size) {
    return EnemyX[slot] + size > 0 && EnemyX[slot] < 640 && EnemyY[slot] + size > 0 && EnemyY[slot] < 480;
}

// low < v < high as one unsigned comparison, which the shot scan can vectorise.
inline bool Between(int v, int low, int high) {
    return static_cast<unsigned>(v - low - 1) < static_cast<unsigned>(high - low - 1);
}

void Destroy(int slot) {
    EnemyState[slot] = StateDestroyed;
    if (BulletStep.Holds(slot)) BulletStep[slot] = 0;
}

bool ContactDestroys(ContactFate fate, int slot) {
    switch (fate) {
        case ContactFate::Destroyed:
            return true;
        case ContactFate::DestroyedIfShipLives:
            return PlayerHP >= 1;
        case ContactFate::DestroyedFrom800:
            return slot >= 800;
        case ContactFate::DestroyedIfShipLivesFrom800:
            return PlayerHP >= 1 && slot >= 800;
        default:
            return false;
    }
}

// Whether any live shot of [first, last) lies in the shot box around (x, y). Most targets are hit
// by nothing, so the whole range is tested branch-free in blocks before any shot is looked at.
bool AnyShotInBox(int first, int last, int x, int y, int low) {
    constexpr int Block = 100;
    for (int start = first; start < last; start += Block) {
        const int end = start + Block < last ? start + Block : last;
        unsigned hit = 0;
        for (int k = start; k < end; ++k) {
            hit |= ShotLive[k] & Between(x - ShotX[k], low, 16) & Between(y - ShotY[k], low, 16);
        }
        if (hit) return true;
    }
    return false;
}

// One live shot in the box meets the object. Returns false once the object no longer reacts to
// shots (a carrier that has just turned into an item).
bool ApplyShot(int slot, int k, ShotReaction reaction) {
    switch (reaction) {
        case ShotReaction::DestroyedByBurst:
            Destroy(slot);
            return true;
        case ShotReaction::Damaged:
            EnemyHP[slot] -= 1;
            ShotLive[k] = 0;
            if (EnemyHP[slot] <= 0) Destroy(slot);
            return true;
        case ShotReaction::Absorbs:
            ShotLive[k] = 0;
            return true;
        case ShotReaction::BecomesItem:
            EnemyHP[slot] -= 1;
            ShotLive[k] = 0;
            if (EnemyHP[slot] <= 0) {
                EnemyState[slot] = StateItem;
                EnemySize[slot] = ItemClass;
                return false;
            }
            return true;
        default:
            return false;
    }
}

struct PointsRange {
    int first, last, points;
};

// Every slot not listed is worth nothing: scenery, shot-proof objects, bullets, slots 8 and 10.
constexpr PointsRange PointsTable[] = {
    {6, 6, 100000},     {7, 7, 200000},    {9, 9, 300000},     {11, 11, 400000},  {12, 12, 500000},
    {13, 13, 600000},   {14, 14, 700000},  {15, 15, 800000},   {16, 16, 900000},  {17, 17, 1000000},
    {18, 18, 5000000},  {800, 999, 200},   {1000, 1799, 100},  {1800, 2399, 500}, {2400, 2479, 1000},
    {2480, 2499, 5000}, {3000, 3499, 500}, {3500, 3999, 1000}, {4000, 4499, 500}, {5500, 6499, 1500},
    {6500, 6999, 700},  {8000, 8999, 200},
};

constexpr int LastScoringScene = ChallengeEnduranceScene;  // the boss-only scenes give no points

}  // namespace

void CheckPlayerHit(int slot) {
    if (PlayerUntouchable == 1 || EnemyState[slot] != StateActive) return;
    if (!OnScreen(slot, 32)) return;
    const HitClass* hc = ClassOf(slot);
    if (hc == nullptr || hc->contact == ContactFate::None) return;
    const int dx = EnemyX[slot] - PlayerX;
    const int dy = EnemyY[slot] - PlayerY;
    if (!Between(dx, hc->contactLow, 18) || !Between(dy, hc->contactLow, 18)) return;
    // No grace after a contact: an object that stays costs a hit point on every step of overlap.
    PlayerHP -= 1;
    if (ContactDestroys(hc->contact, slot)) Destroy(slot);
    if (PlayerHP <= 0) {
        PlayerShown = 0;
        PlayerActive = 0;
        PlayerUntouchable = 1;
    }
}

void CheckShotHits(int slot) {
    if (EnemyState[slot] != StateActive && EnemyState[slot] != StateItem) return;
    const HitClass* hc = ClassOf(slot);
    if (hc == nullptr || hc->reaction == ShotReaction::None) return;
    if (!OnScreen(slot, hc->size)) return;
    const int x = EnemyX[slot];
    const int y = EnemyY[slot];
    const int low = -hc->size;
    const int first = hc->reaction == ShotReaction::DestroyedByBurst ? FirstBurstShot : 0;
    if (!AnyShotInBox(first, ShotCount, x, y, low)) return;
    // Every shot that arrives in the same step is handled, even after the object is destroyed.
    for (int k = first; k < ShotCount; ++k) {
        if (ShotLive[k] == 1 && Between(x - ShotX[k], low, 16) && Between(y - ShotY[k], low, 16)) {
            if (!ApplyShot(slot, k, hc->reaction)) return;
        }
    }
}

void CheckItemPickup(int slot) {
    if (EnemyState[slot] != StateItem || !OnScreen(slot, 32)) return;
    // The ship's own state is not consulted: a drifting item is collected at the lost ship's place.
    if (!Between(EnemyX[slot] - PlayerX, -24, 24) || !Between(EnemyY[slot] - PlayerY, -24, 24)) return;
    if (slot >= 800 && slot <= 849) {
        if (ShotPower < 3) ShotPower += 1;
    } else if (slot >= 850 && slot <= 899) {
        if (PlayerHP < 3) PlayerHP += 1;
    } else if (slot >= 900 && slot <= 949) {
        if (Option1On == 0) {
            Option1On = 1;
        } else {
            Option2On = 1;
        }
    } else if (slot >= 950 && slot <= 999) {
        Lives += 1;
    } else {
        return;
    }
    EnemyState[slot] = StateDestroyed;
}

int SlotPoints(int slot) {
    for (const PointsRange& r : PointsTable) {
        if (slot >= r.first && slot <= r.last) return r.points;
    }
    return 0;
}

void ScoreSlot(int slot) {
    const int state = EnemyState[slot];
    if (state == StateDestroyed) {
        // Scored once per destruction, and only when the hit points ran out: an object removed by
        // the script or rammed while it still had hit points gives nothing.
        if (Scene <= LastScoringScene && EnemyScored[slot] == 0) {
            if (EnemyHP[slot] <= 0) Score += SlotPoints(slot);
            EnemyScored[slot] = 1;
        }
        EnemyDeadTime[slot] += 1;
    } else if (state == StateItem && ItemAge.Holds(slot)) {
        ItemAge[slot] += 1;
    }
}

}  // namespace veltrano
