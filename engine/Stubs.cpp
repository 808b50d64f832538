// Temporary empty bodies so that the frame handler links before the gameplay engine lands.
// Each definition here is replaced by the engine's own file.
#include "engine/Bullets.h"
#include "engine/CentralSystem.h"
#include "engine/EnemyBullet.h"
#include "engine/Enemys.h"

namespace veltrano {

void ScrollLayers(int) {}
void MovePlayer() {}
void CycleSpeed() {}
void RespawnStep() {}
void UpdateShots() {}
void SetShotVelocities() {}
void CheckPlayerHit(int) {}
void CheckShotHits(int) {}
void CheckItemPickup(int) {}
void ScoreSlot(int) {}
int SlotPoints(int) { return 0; }
bool BossWindowOpen() { return false; }
bool AllDestroyed(int, int) { return false; }
void ContinueStep() {}
void ShowCountdownDigit(int) {}

void FireGroup(int, int, int, int) {}
void FireGroupSteered(int, int, int, int) {}
void UpdateMainShots() {}
void UpdateOption1Shots() {}
void UpdateOption2Shots() {}
void UpdateBurst() {}

void MoveDuring(int, int, int, int, int) {}
void ScrollWithGround(int, int) {}
void SinkDuring(int, int, int) {}
void CircleDuring(int, int, int, int, int, int, int, int) {}
void CircleFrom(int, int, int, int, int, int, int) {}
void ChaseRow(int, int, int) {}
void DetonateNear(int) {}

void FireStraight(int, int, int, int, int, int, int) {}
void FireAngled(int, int, int, int, int, int, int) {}
void FireAimed(int, int, int, int, int, int, int) {}
void FireAngledOnDeath(int, int, int, int, int) {}
void FireOnDeath(int, int, int, int, int) {}
void FireStraightStop(int, int, int, int, int, int, int, int) {}
void FireAngledStop(int, int, int, int, int, int, int, int) {}
void FireAimedStop(int, int, int, int, int, int, int, int) {}
void FireAtPlayerMark(int, int, int, int, int, int, int) {}
void FireAimedExact(int, int, int, int, int, int, int) {}

}  // namespace veltrano
