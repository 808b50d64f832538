#include "world/WorldHash.h"

#include "world/World.h"

namespace veltrano {

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
