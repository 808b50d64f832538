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

using namespace cells;

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
    const int row = ShotType - FirstShotType;
    if (PlayerHP != 1) {
        DrawSprite(ArmouredShipCell(row), PlayerX, PlayerY);
        return;
    }
    // A ship on its last hit point blinks while nothing can touch it; a sturdier one stays solid.
    if (PlayerUntouchable == 1 && StageFrame % 2 != 0) return;
    DrawSprite(ShipCell(row), PlayerX, PlayerY);
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
