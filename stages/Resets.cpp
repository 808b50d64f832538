#include "stages/Resets.h"

#include "world/World.h"

namespace veltrano {

namespace {

void ParkObjects() {
    for (int i = 0; i < ObjectSlotCount; ++i) {
        EnemyX[i] = ParkedPosition;
        EnemyY[i] = ParkedPosition;
        EnemyState[i] = StateActive;
    }
}

void MakeFurnitureInert() {
    for (int slot = FirstFurnitureSlot; slot <= LastFurnitureSlot; ++slot) {
        EnemySize[slot] = SmallBulletClass;
        EnemyState[slot] = StateInert;
    }
}

// Nothing of the last scene's deaths and bullets may fire or score again.
void ClearObjectTimersAndBullets() {
    for (int i = 0; i < ObjectSlotCount; ++i) {
        EnemyScored[i] = 0;
        EnemyDeadTime[i] = 0;
    }
    BulletOriginX.Fill(0);
    BulletOriginY.Fill(0);
    BulletOffsetX.Fill(0);
    BulletOffsetY.Fill(0);
    BulletStep.Fill(0);
    BulletAimX.Fill(0);
    BulletAimY.Fill(0);
    ItemAge.Fill(0);
}

void RemoveOptions() {
    Option1On = 0;
    Option2On = 0;
}

// The menu reset after the ship's own placement.
void ResetMenuWorld() {
    ParkPlayerShots(ParkedPosition);
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

    ParkPlayerShots(firstStage ? -96 : ParkedPosition);
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
    ClearObjectTimersAndBullets();
    MakeFurnitureInert();
    for (int slot = FirstItemSlot; slot <= LastItemSlot; ++slot) EnemySize[slot] = ItemCarrierClass;

    PlaceHudFurniture();
    StageFrame = 0;
}

void ResetForStaffRoll() {
    ControlEnabled = 0;
    // The demonstration fires only when its own script says so, whatever the player last held.
    FireHeld = 0;
    PlayerX = -32;
    PlayerY = 224;
    PlayerShown = 1;
    PlayerActive = 1;
    PlayerSpeed = 6;
    PlayerHP = 1;
    ShotPower = 3;

    ParkPlayerShots(ParkedPosition);
    // A burst still running when the last boss fell stops here; the demonstration starts its own.
    BurstActive = 0;
    BurstTimer = 0;
    BurstKeyFrames = 0;
    Option1On = 1;
    Option2On = 1;

    ParkObjects();
    ClearObjectTimersAndBullets();
    StageFrame = 0;
}

}  // namespace veltrano
