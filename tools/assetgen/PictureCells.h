// What the generator paints in every rectangle the game cuts from its two picture sheets, and what each
// picture must be. The sprite rectangles are the drawing passes' own named cells; the tile positions
// are checked against the scenes' tile rules, so the list cannot drift from what the game draws.
#pragma once

#include <vector>

#include "platform/Display.h"
#include "render/SpriteCells.h"
#include "render/TileRules.h"

namespace veltrano::assetgen {

enum class SheetId { Background, Character };

enum class CellKind {
    // A background tile that some scene draws as its lowest layer: the back buffer is never cleared,
    // so every pixel must be picture, even where the scene draws it keyed.
    Tile,
    // A keyed background tile laid over others: picture and transparent pixels, transparent corner.
    Overlay,
    // A keyed sprite that floats inside its cell: a transparent ring on every edge.
    Sprite,
    // A keyed sprite allowed to reach its cell's edges (blocks that join, bursts that fill).
    Block,
};

struct PictureCell {
    SheetId Sheet;
    int X, Y, W, H;
    CellKind Kind;
    const char* Name;
    // Parts of the picture are a half-tone of picture and key, so the scene shows through them.
    bool SeeThrough = false;
};

namespace celllist {
using namespace veltrano::cells;
constexpr CellKind Tile = CellKind::Tile;
constexpr CellKind Overlay = CellKind::Overlay;
constexpr CellKind Sprite = CellKind::Sprite;
constexpr CellKind Block = CellKind::Block;

constexpr PictureCell Tile80(TileCell t, CellKind kind, const char* name, bool seeThrough = false) {
    return {SheetId::Background, t.X, t.Y, TileSize, TileSize, kind, name, seeThrough};
}
constexpr PictureCell Cell(SpriteCell c, CellKind kind, const char* name, bool seeThrough = false) {
    return {SheetId::Character, c.X, c.Y, c.W, c.H, kind, name, seeThrough};
}

// clang-format off
inline constexpr PictureCell PictureCellList[] = {
    // Background tiles, 80 by 80.
    Tile80({0, 0}, Tile, "Stage 1/6 farmland"),
    Tile80({80, 0}, Overlay, "Stage 1 cloud"),
    Tile80({160, 0}, Tile, "Stage 1/6 farmland, lake"),
    Tile80({240, 0}, Tile, "Curtain, ending backdrop"),
    Tile80({0, 80}, Tile, "Stage 2/7 hull plate"),
    Tile80({80, 80}, Tile, "Stage 2/7 hull vent plate"),
    Tile80({160, 80}, Overlay, "Stage 2 girder tower"),
    Tile80({240, 80}, Tile, "Title sky, stage 5 exit"),
    Tile80({0, 160}, Tile, "Stage 3 open sea"),
    Tile80({80, 160}, Overlay, "Stage 3 sea mist", true),
    Tile80({160, 160}, Tile, "Stage 3 sea, reef"),
    Tile80({0, 240}, Tile, "Stage 4/8 cave rock"),
    Tile80({80, 240}, Tile, "Stage 4/8 cave rock, crystals"),
    Tile80({160, 240}, Tile, "Stage 5 machine wall, 4/8 shaft"),
    Tile80({240, 240}, Overlay, "Stage 4 stalagmite ridge"),
    Tile80({0, 320}, Overlay, "Stage 6 sky-fortress truss"),
    Tile80({80, 320}, Overlay, "Stage 6 sky-fortress rails"),
    Tile80({160, 320}, Tile, "Stage 9 nebula"),
    Tile80({240, 320}, Tile, "Stage 9 nebula, far stars"),
    Tile80({0, 400}, Overlay, "Stage 9 near stars B"),
    Tile80({80, 400}, Overlay, "Stage 9 near stars A"),
    Tile80({160, 400}, Tile, "Stage 10 core eye"),
    Tile80({240, 400}, Tile, "Stage 10 core wall"),

    // The six ships, their armoured hulls (also the blocks of the countdown numerals).
    Cell(ShipCell(0), Sprite, "Ship 1 Wave"),
    Cell(ShipCell(1), Sprite, "Ship 2 Spread"),
    Cell(ShipCell(2), Sprite, "Ship 3 Twin"),
    Cell(ShipCell(3), Sprite, "Ship 4 Cross"),
    Cell(ShipCell(4), Sprite, "Ship 5 Flank"),
    Cell(ShipCell(5), Sprite, "Ship 6 Guard"),
    Cell(ArmouredShipCell(0), Block, "Ship 1 armoured"),
    Cell(ArmouredShipCell(1), Block, "Ship 2 armoured"),
    Cell(ArmouredShipCell(2), Block, "Ship 3 armoured"),
    Cell(ArmouredShipCell(3), Block, "Ship 4 armoured"),
    Cell(ArmouredShipCell(4), Block, "Ship 5 armoured"),
    Cell(ArmouredShipCell(5), Block, "Ship 6 armoured"),
    // Shots and options by weapon type: they fill their cells, so what shows is what hits.
    Cell(ShotCells[0], Block, "Shot 1"),
    Cell(ShotCells[1], Block, "Shot 2"),
    Cell(ShotCells[2], Block, "Shot 3"),
    Cell(ShotCells[3], Block, "Shot 4"),
    Cell(ShotCells[4], Block, "Shot 5"),
    Cell(ShotCells[5], Block, "Shot 6"),
    Cell(OptionCells[0], Sprite, "Option 1"),
    Cell(OptionCells[1], Sprite, "Option 2"),
    Cell(OptionCells[2], Sprite, "Option 3"),
    Cell(OptionCells[3], Sprite, "Option 4"),
    Cell(OptionCells[4], Sprite, "Option 5"),
    Cell(OptionCells[5], Sprite, "Option 6"),
    // Enemies and scenery objects.
    Cell(WallBlock, Block, "Wall block"),
    Cell(Turret, Sprite, "Gun turret"),
    Cell(Debris, Sprite, "Debris"),
    Cell(HeavyCraftA, Sprite, "Heavy craft A"),
    Cell(HeavyCraftC, Sprite, "Heavy craft C"),
    Cell(Mine, Sprite, "Mine"),
    Cell(Drone, Sprite, "Drone"),
    Cell(ItemCarrier, Sprite, "Item carrier"),
    Cell(HeavyCraftB, Sprite, "Heavy craft B"),
    Cell(HeavyCraftD, Sprite, "Heavy craft D"),
    Cell(Interceptor, Sprite, "Interceptor"),
    Cell(ItemPower, Sprite, "Item power"),
    Cell(ItemHitPoint, Sprite, "Item hit point"),
    Cell(ItemOption, Sprite, "Item option"),
    Cell(ItemExtraShip, Sprite, "Item extra ship"),
    Cell(SmallFlier, Sprite, "Small flier"),
    Cell(Gunner, Sprite, "Gunner"),
    Cell(Scout, Sprite, "Scout"),
    Cell(PartOrb, Sprite, "Part orb"),
    Cell(Pod, Sprite, "Pod"),
    // Bosses.
    Cell(BossOne, Sprite, "Boss 1"),
    Cell(BossTwo, Sprite, "Boss 2"),
    Cell(BossTwoShield, Sprite, "Boss 2 shield", true),
    Cell(BossThree, Sprite, "Boss 3"),
    Cell(BossFourFirst, Sprite, "Boss 4 first"),
    Cell(BossFourSecond, Sprite, "Boss 4 second"),
    Cell(BossFive, Sprite, "Boss 5"),
    Cell(LateBossCell(0), Sprite, "Boss 6"),
    Cell(LateBossCell(1), Sprite, "Boss 7"),
    Cell(LateBossCell(2), Sprite, "Boss 8"),
    Cell(LateBossCell(3), Sprite, "Boss 9"),
    Cell(LateBossCell(4), Sprite, "Boss 10"),
    Cell(GodBattle, Sprite, "God (battle)"),
    Cell(GodEndurance, Sprite, "God (endurance)"),
    Cell(GuardA, Sprite, "Boss 10 guard A"),
    Cell(GuardB, Sprite, "Boss 10 guard B"),
    Cell(Shard, Sprite, "Boss 10 shard"),
    // Enemy bullets: they fill their cells, so what shows is what hits.
    Cell(BulletLarge, Block, "Bullet large"),
    Cell(BulletShard, Block, "Bullet mine shard"),
    Cell(BulletHeavy, Block, "Bullet heavy"),
    Cell(BulletSmall, Block, "Bullet small"),
    // Bursts.
    Cell(BurstFlash, Block, "Burst 16"),
    Cell(BurstBall, Block, "Burst 32"),
    Cell(BurstRising, Block, "Burst 64 rising"),
    Cell(BurstPeak, Block, "Burst 64 peak", true),
    Cell(ShipBurstSmall, Block, "Ship burst 16"),
    Cell(ShipBurstLarge, Block, "Ship burst 32", true),
    // Head-up display.
    Cell(LargeDigits[0], Block, "Digit 0"),
    Cell(LargeDigits[1], Block, "Digit 1"),
    Cell(LargeDigits[2], Block, "Digit 2"),
    Cell(LargeDigits[3], Block, "Digit 3"),
    Cell(LargeDigits[4], Block, "Digit 4"),
    Cell(LargeDigits[5], Block, "Digit 5"),
    Cell(LargeDigits[6], Block, "Digit 6"),
    Cell(LargeDigits[7], Block, "Digit 7"),
    Cell(LargeDigits[8], Block, "Digit 8"),
    Cell(LargeDigits[9], Block, "Digit 9"),
    Cell(SmallDigits[0], Block, "Small 0"),
    Cell(SmallDigits[1], Block, "Small 1"),
    Cell(SmallDigits[2], Block, "Small 2"),
    Cell(SmallDigits[3], Block, "Small 3"),
    Cell(SmallDigits[4], Block, "Small 4"),
    Cell(SmallDigits[5], Block, "Small 5"),
    Cell(SmallDigits[6], Block, "Small 6"),
    Cell(SmallDigits[7], Block, "Small 7"),
    Cell(SmallDigits[8], Block, "Small 8"),
    Cell(SmallDigits[9], Block, "Small 9"),
    Cell(WeaponIcons[0], Sprite, "Weapon 1"),
    Cell(WeaponIcons[1], Sprite, "Weapon 2"),
    Cell(WeaponIcons[2], Sprite, "Weapon 3"),
    Cell(WeaponIcons[3], Sprite, "Weapon 4"),
    Cell(WeaponIcons[4], Sprite, "Weapon 5"),
    Cell(WeaponIcons[5], Sprite, "Weapon 6"),
    Cell(SpeedLabel, Sprite, "Speed label"),
    Cell(SpeedMark, Sprite, "Speed mark"),
    // Title, menu and key configuration.
    Cell(LogoLeft, Sprite, "Logo left"),
    Cell(LogoMiddle, Sprite, "Logo middle"),
    Cell(LogoRight, Sprite, "Logo right"),
    Cell(GameStartLabel, Sprite, "GAME START"),
    Cell(ConfigLabel, Sprite, "CONFIG"),
    Cell(Cursor, Sprite, "Cursor"),
    Cell(LevelLabel, Sprite, "LEVEL label"),
    Cell(ButtonHeading, Sprite, "BUTTON heading"),
    Cell(SpeedKey, Sprite, "Z speed key"),
    Cell(FireKey, Sprite, "X fire key"),
    Cell(BurstKey, Sprite, "C burst key"),
    Cell(ConfirmKey, Sprite, "SPACE confirm key"),
    Cell(ExitLabel, Sprite, "EXIT"),
    Cell(DifficultyCells[0], Sprite, "Level EASY"),
    Cell(DifficultyCells[1], Sprite, "Level NORMAL"),
    Cell(DifficultyCells[2], Sprite, "Level HARD"),
    Cell(ButtonCells[0], Sprite, "Button 1"),
    Cell(ButtonCells[1], Sprite, "Button 2"),
    Cell(ButtonCells[2], Sprite, "Button 3"),
    Cell(ButtonCells[3], Sprite, "Button 4"),
    Cell(ButtonCells[4], Sprite, "Button 5"),
    Cell(ButtonCells[5], Sprite, "Button 6"),
    Cell(ButtonCells[6], Sprite, "Button 7"),
    Cell(ButtonCells[7], Sprite, "Button 8"),
    Cell(ButtonCells[8], Sprite, "Button 9"),
    Cell(ButtonCells[9], Sprite, "Button 10"),
    Cell(GameOverPicture, Sprite, "Game over", true),
    Cell(ClosingPicture, Sprite, "Closing picture"),
};
// clang-format on

}  // namespace celllist

using celllist::PictureCellList;

// The cell of the list at sheet position (x, y), or nullptr.
inline constexpr const PictureCell* FindPictureCell(SheetId sheet, int x, int y) {
    for (const PictureCell& c : PictureCellList)
        if (c.Sheet == sheet && c.X == x && c.Y == y) return &c;
    return nullptr;
}

// The cells drawn in play: the list from the first ship to the last enemy bullet (ships, their
// armoured hulls, shots, options, enemies, walls, debris, guns, items and carrier, bosses and their
// parts, bullets). Bursts, the head-up display and the menus are not in that run of the list.
inline std::vector<PictureCell> PlayCells() {
    std::vector<PictureCell> cells;
    bool inPlay = false;
    for (const PictureCell& c : PictureCellList) {
        if (c.Sheet != SheetId::Character) continue;
        if (c.X == cells::ShipCell(0).X && c.Y == cells::ShipCell(0).Y) inPlay = true;
        if (inPlay) cells.push_back(c);
        if (c.X == cells::BulletSmall.X && c.Y == cells::BulletSmall.Y) break;
    }
    return cells;
}

}  // namespace veltrano::assetgen
