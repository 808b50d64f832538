// The ship: the background it flies over, steering, the speed key and the return after a loss.
#include <algorithm>
#include <cmath>

#include "engine/CentralSystem.h"
#include "engine/ShipGeometry.h"
#include "world/World.h"

namespace veltrano {

namespace {

constexpr int EntryStep = 18;    // the new ship appears on this respawn step
constexpr int ControlStep = 34;  // and is steerable again from this one

// Tiles leave the 10-by-8 grid on one side and come back on the other, so a scrolling layer keeps
// every column in rotation without a gap: a tile a whole tile past the field's right or bottom edge
// comes back a tile before its left or top edge, and one two tiles before the left or top edge comes
// back at the right or bottom edge.
void ScrollTile(int& x, int& y, int stepX, int stepY) {
    x += stepX;
    y += stepY;
    if (x >= FieldWidth + TileSize) x = -TileSize;
    if (x <= -2 * TileSize) x = FieldWidth;
    if (y >= FieldHeight + TileSize) y = -TileSize;
    if (y <= -2 * TileSize) y = FieldHeight;
}

void GiveRespawnHelp() {
    switch (Difficulty) {
        case 0:
            Option1On = Option2On = 1;
            break;
        case 1:
            if (Option1On == 0) {
                Option1On = 1;
            } else {
                Option2On = 1;
            }
            break;
        default:
            break;
    }
    if (ShotPower > 1) ShotPower -= 1;
}

void EnterNewShip() {
    switch (RespawnSide) {
        case 0:
            PlayerX = -32;
            break;
        case 1:
            PlayerY = FieldHeight;
            break;
        case 2:
            PlayerY = -32;
            break;
        default:
            break;
    }
    BurstActive = 0;
    if (Scene < ChallengeEnduranceScene) GiveRespawnHelp();
    PlayerHP = 1;
    PlayerShown = 1;
    Lives -= 1;
}

// The new ship flies 4 pixels a step toward the field until the control step, then the keys take
// over.
void FlyIn() {
    int* coordinate;
    int step;
    bool outside;
    switch (RespawnSide) {
        case 0:
            coordinate = &PlayerX;
            step = 4;
            outside = PlayerX < 32;
            break;
        case 1:
            coordinate = &PlayerY;
            step = -4;
            outside = PlayerY > 416;
            break;
        case 2:
            coordinate = &PlayerY;
            step = 4;
            outside = PlayerY < 32;
            break;
        default:
            return;
    }
    if (outside && RespawnTimer < ControlStep) {
        *coordinate += step;
    } else {
        ControlEnabled = 1;
    }
}

}  // namespace

int DiagonalStep(int speed) {
    return static_cast<int>(std::nearbyint(speed / std::sqrt(2.0L)));
}

void ScrollLayers(int tile) {
    ScrollTile(Layer1TileX[tile], Layer1TileY[tile], Layer1StepX, Layer1StepY);
    ScrollTile(Layer2TileX[tile], Layer2TileY[tile], Layer2StepX, Layer2StepY);
    ScrollTile(Layer3TileX[tile], Layer3TileY[tile], Layer3StepX, Layer3StepY);
}

void MovePlayer() {
    const int s = PlayerSpeed;
    const int d = DiagonalStep(s);
    // A diagonal wins over a third key, and clamps only the two edges it approaches.
    if (KeyUp && KeyRight) {
        PlayerX = std::min(PlayerX + d, FieldRight);
        PlayerY = std::max(PlayerY - d, 0);
    } else if (KeyUp && KeyLeft) {
        PlayerX = std::max(PlayerX - d, 0);
        PlayerY = std::max(PlayerY - d, 0);
    } else if (KeyDown && KeyRight) {
        PlayerX = std::min(PlayerX + d, FieldRight);
        PlayerY = std::min(PlayerY + d, FieldBottom);
    } else if (KeyDown && KeyLeft) {
        PlayerX = std::max(PlayerX - d, 0);
        PlayerY = std::min(PlayerY + d, FieldBottom);
    } else {
        if (KeyUp) PlayerY -= s;
        if (KeyDown) PlayerY += s;
        if (KeyRight) PlayerX += s;
        if (KeyLeft) PlayerX -= s;
        PlayerX = std::clamp(PlayerX, 0, FieldRight);
        PlayerY = std::clamp(PlayerY, 0, FieldBottom);
    }
}

void CycleSpeed() {
    if (SpeedKeyLatch == 1) return;
    PlayerSpeed = PlayerSpeed == 10 ? 4 : PlayerSpeed + 2;
    SpeedKeyLatch = 1;
}

void RespawnStep() {
    // No ship left: this holds even while a ship is still in play, and stops the respawn clock.
    if (Lives <= 0) {
        GameOver = 1;
        ShotPower = 1;
        Option1On = Option2On = 0;
        FireHeld = 0;
        ControlEnabled = 0;
        PlayerUntouchable = 1;
        return;
    }
    if (PlayerActive == 1) return;
    if (RespawnTimer < EntryStep) {
        FireHeld = 0;
        ControlEnabled = 0;
    } else if (RespawnTimer == EntryStep) {
        EnterNewShip();
    } else {
        FlyIn();
    }
    RespawnTimer += 1;
}

}  // namespace veltrano
