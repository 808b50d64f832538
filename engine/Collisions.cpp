// The object pass of the world step: contact with the ship, the ship's shots, item pickup and
// scoring, one slot at a time.
#include <bit>
#include <cstdint>
#include <cstring>

#include "engine/CentralSystem.h"
#include "engine/DestroySlot.h"
#include "engine/ShipGeometry.h"
#include "world/ObjectKinds.h"
#include "world/WideVectors.h"
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
    int contactLow;  // contact box: contactLow < dx, dy < ContactHigh
    ContactFate contact;
    int size;  // 16-pixel or 32-pixel object: its screen test and shot box
    ShotReaction reaction;
};

// The ship's box sits inside its sprite, so the contact boxes are not symmetric.
// clang-format off
constexpr HitClass HitClasses[] = {
    {-2,  ContactFate::Destroyed,                   16, ShotReaction::DestroyedByBurst},  // SmallBulletClass
    {-2,  ContactFate::DestroyedIfShipLives,        16, ShotReaction::Damaged},           // SmallEnemyClass
    {-2,  ContactFate::Stays,                       16, ShotReaction::Absorbs},           // SmallShotProofClass
    {-18, ContactFate::DestroyedFrom800,            32, ShotReaction::None},              // LargeObjectClass
    {-18, ContactFate::DestroyedIfShipLivesFrom800, 32, ShotReaction::Damaged},           // LargeEnemyClass
    {-18, ContactFate::Stays,                       32, ShotReaction::Absorbs},           // LargeShotProofClass
    {-18, ContactFate::Stays,                       32, ShotReaction::BecomesItem},       // ItemCarrierClass
    {0,   ContactFate::None,                        32, ShotReaction::None},              // ItemClass
    {6,   ContactFate::Destroyed,                   32, ShotReaction::DestroyedByBurst},  // LargeBulletClass
};
// clang-format on
static_assert(sizeof HitClasses / sizeof HitClasses[0] == LargeBulletClass + 1);
static_assert(ItemClass == 7 && ItemCarrierClass == 6 && LastSmallClass == 2);
constexpr int HitClassCount = sizeof HitClasses / sizeof HitClasses[0];
constexpr int FirstBurstShot = 7 * ShotsPerGroup;

const HitClass* ClassOf(int slot) {
    const int c = EnemySize[slot];
    return c >= 0 && c < HitClassCount ? &HitClasses[c] : nullptr;
}

bool OnScreen(int slot, int size) {
    return EnemyX[slot] + size > 0 && EnemyX[slot] < FieldWidth && EnemyY[slot] + size > 0 &&
           EnemyY[slot] < FieldHeight;
}

// low < v < high, as one unsigned comparison.
inline bool Between(int v, int low, int high) {
    return static_cast<unsigned>(v - low - 1) < static_cast<unsigned>(high - low - 1);
}

bool ContactDestroys(ContactFate fate, int slot) {
    switch (fate) {
        case ContactFate::Destroyed:
            return true;
        case ContactFate::DestroyedIfShipLives:
            return PlayerHP >= 1;
        case ContactFate::DestroyedFrom800:
            return slot >= FirstItemSlot;
        case ContactFate::DestroyedIfShipLivesFrom800:
            return PlayerHP >= 1 && slot >= FirstItemSlot;
        default:
            return false;
    }
}

// Shots are tested in blocks: a block with no live shot is skipped by its liveness bytes alone,
// a coarse vector test tells whether the block may hold a hit, and only then are its hits taken
// exactly, as a bit mask, and met one by one. Blocks divide a group, so the burst groups start
// on one.
constexpr int ShotBlock = 20;
static_assert(ShotsPerGroup % ShotBlock == 0);

bool BlockHasLiveShot(int start) {
    uint64_t a, b;
    uint32_t c;
    std::memcpy(&a, &ShotLive[start], 8);
    std::memcpy(&b, &ShotLive[start + 8], 8);
    std::memcpy(&c, &ShotLive[start + 16], 4);
    return (a | b | c) != 0;
}

// The shot box of a target, low < dx, dy < 16, shifted so that it reads 0 <= offset < width.
// `outside` keeps the bits above the next power of two of the width: a shot whose two offsets
// have none of them set is near enough to be worth the exact test.
struct ShotBox {
    unsigned x, y, width, outside;
};

ShotBox MakeShotBox(int x, int y, int low) {
    const unsigned width = static_cast<unsigned>(16 - low - 1);
    return {static_cast<unsigned>(x - low - 1), static_cast<unsigned>(y - low - 1), width,
            ~(std::bit_ceil(width) - 1)};
}

bool InShotBox(int k, const ShotBox& box) {
    const unsigned ox = box.x - static_cast<unsigned>(ShotX[k]);
    const unsigned oy = box.y - static_cast<unsigned>(ShotY[k]);
    return (ShotLive[k] == 1) & (ox < box.width) & (oy < box.width);
}

// Whether any shot of the block may hit: a coarse test of both offsets at once against the power
// of two, with no branch per shot. It may pass a block for a shot just outside the box or a spent
// one; the exact test of the block sorts those out. Most blocks stop here.
bool BlockMayHit(int start, const ShotBox& box) {
    unsigned any = 0;
    for (int k = start; k < start + ShotBlock; ++k) {
        const unsigned ox = box.x - static_cast<unsigned>(ShotX[k]);
        const unsigned oy = box.y - static_cast<unsigned>(ShotY[k]);
        any |= ((ox | oy) & box.outside) == 0 ? ~0u : 0u;
    }
    return any != 0;
}

// Bit j set when shot start + j hits. Built without a branch per shot, since the box tests are as
// good as random to the branch predictor.
uint32_t BlockHits(int start, const ShotBox& box) {
    uint32_t hits = 0;
    for (int j = 0; j < ShotBlock; ++j) hits |= static_cast<uint32_t>(InShotBox(start + j, box)) << j;
    return hits;
}

// One live shot in the box meets the object. Returns false once further shots can change nothing:
// a bullet already destroyed (the shots fly on either way) or a carrier that has just turned into
// an item, which takes no shots.
bool ApplyShot(int slot, int k, ShotReaction reaction) {
    switch (reaction) {
        case ShotReaction::DestroyedByBurst:
            DestroySlot(slot);
            return false;
        case ShotReaction::Damaged:
            EnemyHP[slot] -= 1;
            ShotLive[k] = 0;
            if (EnemyHP[slot] <= 0) DestroySlot(slot);
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

// Every live shot in the box meets the object, in shot order, even after the object is destroyed:
// shots arriving in the same step are all spent. This is the heaviest loop of the step (every
// target on screen against up to 1700 shots), so it is also built for wider vector units.
VELTRANO_WIDE_VECTORS void MeetShots(int slot, int first, int low, ShotReaction reaction) {
    const ShotBox box = MakeShotBox(EnemyX[slot], EnemyY[slot], low);
    for (int start = first; start < ShotCount; start += ShotBlock) {
        if (!BlockHasLiveShot(start) || !BlockMayHit(start, box)) continue;
        // A reaction changes only its own shot, so the hits found for the rest of the block stand.
        for (uint32_t hits = BlockHits(start, box); hits != 0; hits &= hits - 1) {
            if (!ApplyShot(slot, start + std::countr_zero(hits), reaction)) return;
        }
    }
}

constexpr int LastScoringScene = ChallengeEnduranceScene;  // the boss-only scenes give no points

}  // namespace

bool ContactLow(int hitClass, int& low) {
    const HitClass* hc = hitClass >= 0 && hitClass < HitClassCount ? &HitClasses[hitClass] : nullptr;
    if (hc == nullptr || hc->contact == ContactFate::None) return false;
    low = hc->contactLow;
    return true;
}

void CheckPlayerHit(int slot) {
    if (PlayerUntouchable == 1 || EnemyState[slot] != StateActive) return;
    if (!OnScreen(slot, 32)) return;
    const HitClass* hc = ClassOf(slot);
    if (hc == nullptr || hc->contact == ContactFate::None) return;
    const int dx = EnemyX[slot] - PlayerX;
    const int dy = EnemyY[slot] - PlayerY;
    if (!Between(dx, hc->contactLow, ContactHigh) || !Between(dy, hc->contactLow, ContactHigh)) return;
    // No grace after a contact: an object that stays costs a hit point on every step of overlap.
    PlayerHP -= 1;
    if (ContactDestroys(hc->contact, slot)) DestroySlot(slot);
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
    const int first = hc->reaction == ShotReaction::DestroyedByBurst ? FirstBurstShot : 0;
    MeetShots(slot, first, -hc->size, hc->reaction);
}

void CheckItemPickup(int slot) {
    if (EnemyState[slot] != StateItem || !OnScreen(slot, 32)) return;
    // The ship's own state is not consulted: a drifting item is collected at the lost ship's place.
    if (!Between(EnemyX[slot] - PlayerX, -24, 24) || !Between(EnemyY[slot] - PlayerY, -24, 24)) return;
    if (slot >= FirstPowerItemSlot && slot <= LastPowerItemSlot) {
        if (ShotPower < 3) ShotPower += 1;
    } else if (slot >= FirstHitPointItemSlot && slot <= LastHitPointItemSlot) {
        if (PlayerHP < 3) PlayerHP += 1;
    } else if (slot >= FirstOptionItemSlot && slot <= LastOptionItemSlot) {
        if (Option1On == 0) {
            Option1On = 1;
        } else {
            Option2On = 1;
        }
    } else if (slot >= FirstExtraShipItemSlot && slot <= LastExtraShipItemSlot) {
        Lives += 1;
    } else {
        return;
    }
    EnemyState[slot] = StateDestroyed;
}

int SlotPoints(int slot) {
    return slot >= 0 && slot < ObjectSlotCount ? KindOfSlot(slot).Points : 0;
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
