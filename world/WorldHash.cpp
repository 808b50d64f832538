#include "world/WorldHash.h"

#include "world/World.h"

namespace veltrano {

namespace {

// 64-bit FNV-1a over 32-bit values: cheap, and any changed value changes the result.
struct Fnv {
    uint64_t Value = 14695981039346656037ull;
    void Add(int v) {
        uint32_t u = static_cast<uint32_t>(v);
        for (int i = 0; i < 4; ++i, u >>= 8) {
            Value ^= u & 0xff;
            Value *= 1099511628211ull;
        }
    }
    template <typename T>
    void AddAll(const T* values, int count) {
        for (int i = 0; i < count; ++i) Add(static_cast<int>(values[i]));
    }
};

}  // namespace

uint64_t HashObjectSlots() {
    Fnv h;
    h.AddAll(EnemyX, ObjectSlotCount);
    h.AddAll(EnemyY, ObjectSlotCount);
    h.AddAll(EnemyState, ObjectSlotCount);
    h.AddAll(EnemyHP, ObjectSlotCount);
    h.AddAll(EnemySize, ObjectSlotCount);
    h.AddAll(EnemyDeadTime, ObjectSlotCount);
    h.AddAll(EnemyScored, ObjectSlotCount);
    for (const auto* table : {&BulletOriginX, &BulletOriginY, &BulletOffsetX, &BulletOffsetY, &BulletStep,
                              &BulletAimX, &BulletAimY})
        h.AddAll(table->Values, table->Count);
    h.AddAll(ItemAge.Values, ItemAge.Count);
    return h.Value;
}

uint64_t HashShipAndShots() {
    Fnv h;
    for (int v : {PlayerX, PlayerY, PlayerSpeed, PlayerHP, RespawnTimer, int{PlayerShown}, int{PlayerActive},
                  int{PlayerUntouchable}, ShotPower, ShotType, int{Option1On}, int{Option2On}, Option1X,
                  Option1Y, Option2X, Option2Y, BurstKeyFrames, int{BurstActive}, BurstTimer})
        h.Add(v);
    h.AddAll(ShotX, ShotCount);
    h.AddAll(ShotY, ShotCount);
    h.AddAll(ShotLive, ShotCount);
    h.AddAll(ShotVX, ShotCount);
    h.AddAll(ShotVY, ShotCount);
    h.AddAll(ShotCooldown, ShotGroupCount);
    return h.Value;
}

}  // namespace veltrano
