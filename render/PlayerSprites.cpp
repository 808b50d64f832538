// The ship, its explosion, its shots and its options. Each weapon type has its own ship, shot and
// option pictures.
#include <iterator>

#include "render/Render.h"
#include "render/SpriteCells.h"
#include "world/World.h"

namespace veltrano {
namespace {

constexpr int FirstShotType = 1;
constexpr int ShotTypeCount = 6;

// Shot and option cells, by ShotType 1..6.
constexpr SpriteCell ShotCells[ShotTypeCount] = {
    {0, 192, 16, 16},  {16, 192, 16, 16}, {32, 192, 16, 16},
    {48, 192, 16, 16}, {0, 208, 16, 16},  {16, 208, 16, 16},
};
constexpr SpriteCell OptionCells[ShotTypeCount] = {
    {0, 224, 16, 16},  {16, 224, 16, 16}, {32, 224, 16, 16},
    {48, 224, 16, 16}, {0, 240, 16, 16},  {16, 240, 16, 16},
};

constexpr AnimationFrame ShipExplosionFrames[] = {
    {{160, 224, 16, 16}, 8},
    {{160, 192, 32, 32}, 0},
    {{160, 224, 16, 16}, 8},
};
constexpr Animation ShipExplosion{ShipExplosionFrames, static_cast<int>(std::size(ShipExplosionFrames))};

bool ShotTypeKnown() {
    return static_cast<unsigned>(ShotType - FirstShotType) < ShotTypeCount;
}

}  // namespace

void DrawShip() {
    if (PlayerShown != 1) {
        DrawAnimation(ShipExplosion, RespawnTimer, PlayerX, PlayerY);
        return;
    }
    if (!ShotTypeKnown()) return;
    const int row = 32 * (ShotType - 1);
    if (PlayerHP != 1) {
        DrawSprite({32, row, 32, 32}, PlayerX, PlayerY);
        return;
    }
    // A ship on its last hit point blinks while nothing can touch it; a sturdier one stays solid.
    if (PlayerUntouchable == 1 && StageFrame % 2 != 0) return;
    DrawSprite({0, row, 32, 32}, PlayerX, PlayerY);
}

void DrawPlayerShots() {
    const SpriteCell cell = CellByValue(ShotCells, ShotTypeCount, FirstShotType, ShotType);
    if (!cell.Drawn()) return;
    for (int shot = 0; shot < ShotCount; ++shot)
        if (ShotLive[shot] == 1) DrawSprite(cell, ShotX[shot], ShotY[shot]);
}

void DrawOptions() {
    const SpriteCell cell = CellByValue(OptionCells, ShotTypeCount, FirstShotType, ShotType);
    if (Option1On == 1) DrawSprite(cell, Option1X, Option1Y);
    if (Option2On == 1) DrawSprite(cell, Option2X, Option2Y);
}

}  // namespace veltrano
