#include "stages/Resets.h"

#include "world/World.h"

namespace veltrano {

namespace {

void ParkShots(int parkedY) {
    for (int i = 0; i < ShotCount; ++i) {
        ShotX[i] = ParkedPosition;
        ShotY[i] = parkedY;
        ShotLive[i] = 0;
    }
    for (int& cooldown : ShotCooldown) cooldown = 10;
}

void ParkObjects() {
    for (int i = 0; i < ObjectSlotCount; ++i) {
        EnemyX[i] = ParkedPosition;
        EnemyY[i] = ParkedPosition;
        EnemyState[i] = StateActive;
    }
}

void MakeFurnitureInert() {
    for (int slot = FirstFurnitureSlot; slot <= LastFurnitureSlot; ++slot) {
        EnemySize[slot] = 0;
        EnemyState[slot] = StateInert;
    }
}

void RemoveOptions() {
    Option1On = 0;
    Option2On = 0;
}

// The menu reset after the ship's own placement.
void ResetMenuWorld() {
    ParkShots(ParkedPosition);
    BurstActive = 0;
    BurstTimer = 0;
    ParkObjects();
    MakeFurnitureInert();
    StageFrame = 0;
}

void PlaceHudFurniture() {
    for (int slot = FirstBossDigitSlot; slot <= LastBossDigitSlot; ++slot) {
        EnemyX[slot] = 544 + 32 * (slot - FirstBossDigitSlot);
        EnemyY[slot] = -32;
    }
    for (int slot = FirstScoreDigitSlot; slot <= LastScoreDigitSlot; ++slot) {
        EnemyX[slot] = 16 * (slot - FirstScoreDigitSlot);
        EnemyY[slot] = -32;
    }
    // Weapon icon, lives digit, speed label, then the four speed marks.
    const int statusX[] = {0, 16, 48, 80, 96, 112, 128};
    for (int slot = FirstStatusSlot; slot <= LastStatusSlot; ++slot) {
        EnemyX[slot] = statusX[slot - FirstStatusSlot];
        EnemyY[slot] = -16;
    }
    EnemyX[GameOverPictureSlot] = 256;
    EnemyY[GameOverPictureSlot] = 176;
}

}  // namespace

void ResetForMenu() {
    ControlEnabled = 0;
    PlayerX = -32;
    PlayerY = -96;
    PlayerShown = 1;
    PlayerActive = 1;
    RemoveOptions();
    Option1X = Option2X = Option1Y = Option2Y = AbsentOptionPosition;
    ResetMenuWorld();
}

void ResetForShipSelect() {
    ControlEnabled = 0;
    PlayerX = 368;
    PlayerY = 224;
    Option1On = 1;
    Option2On = 1;
    ShotPower = 3;
    ResetMenuWorld();
}

void ResetForStage(bool firstStage) {
    PlayerX = 32;
    PlayerY = 224;
    PlayerShown = 1;
    PlayerActive = 1;
    if (firstStage) PlayerHP = 1;

    ParkShots(firstStage ? -96 : ParkedPosition);
    if (firstStage) {
        BurstActive = 0;
        BurstTimer = 0;
    } else if (BurstActive == 1) {
        BurstActive = 0;
        BurstTimer = 0;
        BurstKeyFrames = 0;
        RemoveOptions();
    }

    ParkObjects();
    for (int i = 0; i < ObjectSlotCount; ++i) {
        EnemyScored[i] = 0;
        EnemyDeadTime[i] = 0;
    }
    MakeFurnitureInert();
    for (int slot = FirstItemSlot; slot <= LastItemSlot; ++slot) EnemySize[slot] = 6;

    BulletOriginX.Fill(0);
    BulletOriginY.Fill(0);
    BulletOffsetX.Fill(0);
    BulletOffsetY.Fill(0);
    BulletStep.Fill(0);
    BulletAimX.Fill(0);
    BulletAimY.Fill(0);
    ItemAge.Fill(0);

    PlaceHudFurniture();
    StageFrame = 0;
}

}  // namespace veltrano
