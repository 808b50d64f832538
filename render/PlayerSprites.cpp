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

bool ShotTypeKnown(int shotType) {
    return static_cast<unsigned>(shotType - FirstShotType) < ShotTypeCount;
}

}  // namespace

void DrawShip(const BackPicture& p, Surface& target) {
    if (p.PlayerShown != 1) {
        DrawAnimation(target, ShipExplosion, p.RespawnTimer, p.PlayerX, p.PlayerY);
        return;
    }
    if (!ShotTypeKnown(p.ShotType)) return;
    const int row = p.ShotType - FirstShotType;
    if (p.PlayerHP != 1) {
        DrawSprite(target, ArmouredShipCell(row), p.PlayerX, p.PlayerY);
        return;
    }
    // A ship on its last hit point blinks while nothing can touch it; a sturdier one stays solid.
    if (p.PlayerUntouchable == 1 && p.StageFrame % 2 != 0) return;
    DrawSprite(target, ShipCell(row), p.PlayerX, p.PlayerY);
}

void DrawPlayerShots(const BackPicture& p, Surface& target) {
    const SpriteCell cell = CellByValue(ShotCells, ShotTypeCount, FirstShotType, p.ShotType);
    if (!cell.Drawn()) return;
    for (int shot = 0; shot < ShotCount; ++shot)
        if (p.ShotLive[shot] == 1) DrawSprite(target, cell, p.ShotX[shot], p.ShotY[shot]);
}

void DrawOptions(const BackPicture& p, Surface& target) {
    const SpriteCell cell = CellByValue(OptionCells, ShotTypeCount, FirstShotType, p.ShotType);
    if (p.Option1On == 1) DrawSprite(target, cell, p.Option1X, p.Option1Y);
    if (p.Option2On == 1) DrawSprite(target, cell, p.Option2X, p.Option2Y);
}

}  // namespace veltrano
