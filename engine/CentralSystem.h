// Per-frame services of the world step: the ship, collisions and scoring, the continue countdown,
// the new-game reset and the stage queries.
#pragma once

namespace veltrano {

// Background layers: moves tile `tile` of all three layers by their steps and wraps it.
void ScrollLayers(int tile);

// The ship.
void MovePlayer();
void CycleSpeed();
void RespawnStep();

// Player shots: UpdateMainShots, UpdateOption1Shots, UpdateOption2Shots, UpdateBurst in order.
void UpdateShots();
// Loads the velocity table of the current ShotType into ShotVX and ShotVY.
void SetShotVelocities();

// The object pass, called for every slot 0..19999 in ascending order.
void CheckPlayerHit(int slot);
void CheckShotHits(int slot);
void CheckItemPickup(int slot);
void ScoreSlot(int slot);
// The points a slot is worth when destroyed (0 for slots worth nothing).
int SlotPoints(int slot);

// Stage query: whether every slot of first..last is destroyed.
bool AllDestroyed(int first, int last);

// The continue countdown: parks the numeral blocks, shows the current digit while the game is over,
// and counts down (run after every presented frame).
void ContinueStep();
void ShowCountdownDigit(int digit);

}  // namespace veltrano
