// Every rectangle the game cuts from its two picture sheets, with what it shows and what it must be:
// one list for the generator, the contact sheet and the tests.
#pragma once

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

inline constexpr int BackgroundSheetWidth = 320;
inline constexpr int BackgroundSheetHeight = 480;
inline constexpr int CharacterSheetWidth = 384;
inline constexpr int CharacterSheetHeight = 608;

namespace cells {
constexpr SheetId B = SheetId::Background;
constexpr SheetId C = SheetId::Character;
constexpr CellKind Tile = CellKind::Tile;
constexpr CellKind Overlay = CellKind::Overlay;
constexpr CellKind Sprite = CellKind::Sprite;
constexpr CellKind Block = CellKind::Block;
}  // namespace cells

inline constexpr PictureCell PictureCellList[] = {
    // Background tiles, 80 by 80.
    {cells::B, 0, 0, 80, 80, cells::Tile, "Stage 1/6 farmland"},
    {cells::B, 80, 0, 80, 80, cells::Overlay, "Stage 1 cloud"},
    {cells::B, 160, 0, 80, 80, cells::Tile, "Stage 1/6 farmland, lake"},
    {cells::B, 240, 0, 80, 80, cells::Tile, "Curtain, ending backdrop"},
    {cells::B, 0, 80, 80, 80, cells::Tile, "Stage 2/7 hull plate"},
    {cells::B, 80, 80, 80, 80, cells::Tile, "Stage 2/7 hull vent plate"},
    {cells::B, 160, 80, 80, 80, cells::Overlay, "Stage 2 girder tower"},
    {cells::B, 240, 80, 80, 80, cells::Tile, "Title sky, stage 5 exit"},
    {cells::B, 0, 160, 80, 80, cells::Tile, "Stage 3 open sea"},
    {cells::B, 80, 160, 80, 80, cells::Overlay, "Stage 3 sea mist", true},
    {cells::B, 160, 160, 80, 80, cells::Tile, "Stage 3 sea, reef"},
    {cells::B, 0, 240, 80, 80, cells::Tile, "Stage 4/8 cave rock"},
    {cells::B, 80, 240, 80, 80, cells::Tile, "Stage 4/8 cave rock, crystals"},
    {cells::B, 160, 240, 80, 80, cells::Tile, "Stage 5 machine wall, 4/8 shaft"},
    {cells::B, 240, 240, 80, 80, cells::Overlay, "Stage 4 stalagmite ridge"},
    {cells::B, 0, 320, 80, 80, cells::Overlay, "Stage 6 sky-fortress truss"},
    {cells::B, 80, 320, 80, 80, cells::Overlay, "Stage 6 sky-fortress rails"},
    {cells::B, 160, 320, 80, 80, cells::Tile, "Stage 9 nebula"},
    {cells::B, 240, 320, 80, 80, cells::Tile, "Stage 9 nebula, far stars"},
    {cells::B, 0, 400, 80, 80, cells::Overlay, "Stage 9 near stars B"},
    {cells::B, 80, 400, 80, 80, cells::Overlay, "Stage 9 near stars A"},
    {cells::B, 160, 400, 80, 80, cells::Tile, "Stage 10 core eye"},
    {cells::B, 240, 400, 80, 80, cells::Tile, "Stage 10 core wall"},

    // The six ships, their armoured hulls (also the blocks of the countdown numerals).
    {cells::C, 0, 0, 32, 32, cells::Sprite, "Ship 1 Wave"},
    {cells::C, 0, 32, 32, 32, cells::Sprite, "Ship 2 Spread"},
    {cells::C, 0, 64, 32, 32, cells::Sprite, "Ship 3 Twin"},
    {cells::C, 0, 96, 32, 32, cells::Sprite, "Ship 4 Cross"},
    {cells::C, 0, 128, 32, 32, cells::Sprite, "Ship 5 Flank"},
    {cells::C, 0, 160, 32, 32, cells::Sprite, "Ship 6 Guard"},
    {cells::C, 32, 0, 32, 32, cells::Block, "Ship 1 armoured"},
    {cells::C, 32, 32, 32, 32, cells::Block, "Ship 2 armoured"},
    {cells::C, 32, 64, 32, 32, cells::Block, "Ship 3 armoured"},
    {cells::C, 32, 96, 32, 32, cells::Block, "Ship 4 armoured"},
    {cells::C, 32, 128, 32, 32, cells::Block, "Ship 5 armoured"},
    {cells::C, 32, 160, 32, 32, cells::Block, "Ship 6 armoured"},
    // Shots and options by weapon type.
    {cells::C, 0, 192, 16, 16, cells::Sprite, "Shot 1"},
    {cells::C, 16, 192, 16, 16, cells::Sprite, "Shot 2"},
    {cells::C, 32, 192, 16, 16, cells::Sprite, "Shot 3"},
    {cells::C, 48, 192, 16, 16, cells::Sprite, "Shot 4"},
    {cells::C, 0, 208, 16, 16, cells::Sprite, "Shot 5"},
    {cells::C, 16, 208, 16, 16, cells::Sprite, "Shot 6"},
    {cells::C, 0, 224, 16, 16, cells::Sprite, "Option 1"},
    {cells::C, 16, 224, 16, 16, cells::Sprite, "Option 2"},
    {cells::C, 32, 224, 16, 16, cells::Sprite, "Option 3"},
    {cells::C, 48, 224, 16, 16, cells::Sprite, "Option 4"},
    {cells::C, 0, 240, 16, 16, cells::Sprite, "Option 5"},
    {cells::C, 16, 240, 16, 16, cells::Sprite, "Option 6"},
    // Enemies and scenery objects.
    {cells::C, 64, 0, 32, 32, cells::Block, "Wall block"},
    {cells::C, 64, 32, 32, 32, cells::Sprite, "Gun turret"},
    {cells::C, 64, 64, 32, 32, cells::Sprite, "Debris"},
    {cells::C, 64, 96, 32, 32, cells::Sprite, "Heavy craft A"},
    {cells::C, 64, 128, 32, 32, cells::Sprite, "Heavy craft C"},
    {cells::C, 96, 0, 32, 32, cells::Sprite, "Mine"},
    {cells::C, 96, 32, 32, 32, cells::Sprite, "Drone"},
    {cells::C, 96, 64, 32, 32, cells::Sprite, "Item carrier"},
    {cells::C, 96, 96, 32, 32, cells::Sprite, "Heavy craft B"},
    {cells::C, 96, 128, 32, 32, cells::Sprite, "Heavy craft D"},
    {cells::C, 128, 0, 32, 32, cells::Sprite, "Interceptor"},
    {cells::C, 128, 32, 32, 32, cells::Sprite, "Item power"},
    {cells::C, 128, 64, 32, 32, cells::Sprite, "Item hit point"},
    {cells::C, 128, 96, 32, 32, cells::Sprite, "Item option"},
    {cells::C, 128, 128, 32, 32, cells::Sprite, "Item extra ship"},
    {cells::C, 64, 160, 16, 16, cells::Sprite, "Small flier"},
    {cells::C, 80, 160, 16, 16, cells::Sprite, "Gunner"},
    {cells::C, 80, 176, 16, 16, cells::Sprite, "Scout"},
    {cells::C, 80, 192, 16, 16, cells::Sprite, "Part orb"},
    {cells::C, 192, 128, 32, 32, cells::Sprite, "Pod"},
    // Bosses.
    {cells::C, 96, 160, 32, 32, cells::Sprite, "Boss 1"},
    {cells::C, 96, 192, 32, 32, cells::Sprite, "Boss 2"},
    {cells::C, 256, 0, 96, 96, cells::Sprite, "Boss 2 shield", true},
    {cells::C, 96, 224, 32, 32, cells::Sprite, "Boss 3"},
    {cells::C, 128, 160, 32, 32, cells::Sprite, "Boss 4 first"},
    {cells::C, 128, 192, 32, 32, cells::Sprite, "Boss 4 second"},
    {cells::C, 128, 224, 32, 32, cells::Sprite, "Boss 5"},
    {cells::C, 160, 32, 32, 32, cells::Sprite, "Boss 6"},
    {cells::C, 160, 64, 32, 32, cells::Sprite, "Boss 7"},
    {cells::C, 160, 96, 32, 32, cells::Sprite, "Boss 8"},
    {cells::C, 160, 128, 32, 32, cells::Sprite, "Boss 9"},
    {cells::C, 160, 160, 32, 32, cells::Sprite, "Boss 10"},
    {cells::C, 192, 160, 32, 32, cells::Sprite, "God (battle)"},
    {cells::C, 192, 192, 32, 32, cells::Sprite, "God (endurance)"},
    {cells::C, 224, 128, 32, 32, cells::Sprite, "Boss 10 guard A"},
    {cells::C, 224, 160, 32, 32, cells::Sprite, "Boss 10 guard B"},
    {cells::C, 224, 192, 32, 32, cells::Sprite, "Boss 10 shard"},
    // Enemy bullets.
    {cells::C, 64, 176, 16, 16, cells::Sprite, "Bullet large"},
    {cells::C, 64, 192, 16, 16, cells::Sprite, "Bullet mine shard"},
    {cells::C, 64, 208, 16, 16, cells::Sprite, "Bullet heavy"},
    {cells::C, 64, 224, 8, 8, cells::Sprite, "Bullet small"},
    // Bursts.
    {cells::C, 80, 208, 16, 16, cells::Block, "Burst 16"},
    {cells::C, 160, 0, 32, 32, cells::Block, "Burst 32"},
    {cells::C, 192, 64, 64, 64, cells::Block, "Burst 64 rising"},
    {cells::C, 192, 0, 64, 64, cells::Block, "Burst 64 peak", true},
    {cells::C, 160, 224, 16, 16, cells::Block, "Ship burst 16"},
    {cells::C, 160, 192, 32, 32, cells::Block, "Ship burst 32", true},
    // Head-up display.
    {cells::C, 256, 128, 32, 32, cells::Block, "Digit 0"},
    {cells::C, 288, 128, 32, 32, cells::Block, "Digit 1"},
    {cells::C, 320, 128, 32, 32, cells::Block, "Digit 2"},
    {cells::C, 352, 128, 32, 32, cells::Block, "Digit 3"},
    {cells::C, 256, 160, 32, 32, cells::Block, "Digit 4"},
    {cells::C, 288, 160, 32, 32, cells::Block, "Digit 5"},
    {cells::C, 320, 160, 32, 32, cells::Block, "Digit 6"},
    {cells::C, 352, 160, 32, 32, cells::Block, "Digit 7"},
    {cells::C, 352, 192, 32, 32, cells::Block, "Digit 8"},
    {cells::C, 352, 224, 32, 32, cells::Block, "Digit 9"},
    {cells::C, 256, 96, 16, 16, cells::Block, "Small 0"},
    {cells::C, 272, 96, 16, 16, cells::Block, "Small 1"},
    {cells::C, 288, 96, 16, 16, cells::Block, "Small 2"},
    {cells::C, 304, 96, 16, 16, cells::Block, "Small 3"},
    {cells::C, 320, 96, 16, 16, cells::Block, "Small 4"},
    {cells::C, 256, 112, 16, 16, cells::Block, "Small 5"},
    {cells::C, 272, 112, 16, 16, cells::Block, "Small 6"},
    {cells::C, 288, 112, 16, 16, cells::Block, "Small 7"},
    {cells::C, 304, 112, 16, 16, cells::Block, "Small 8"},
    {cells::C, 320, 112, 16, 16, cells::Block, "Small 9"},
    {cells::C, 336, 96, 16, 16, cells::Sprite, "Weapon 1"},
    {cells::C, 352, 96, 16, 16, cells::Sprite, "Weapon 2"},
    {cells::C, 368, 96, 16, 16, cells::Sprite, "Weapon 3"},
    {cells::C, 336, 112, 16, 16, cells::Sprite, "Weapon 4"},
    {cells::C, 352, 112, 16, 16, cells::Sprite, "Weapon 5"},
    {cells::C, 368, 112, 16, 16, cells::Sprite, "Weapon 6"},
    {cells::C, 352, 0, 32, 16, cells::Sprite, "Speed label"},
    {cells::C, 352, 16, 16, 16, cells::Sprite, "Speed mark"},
    // Title, menu and key configuration.
    {cells::C, 0, 256, 128, 128, cells::Sprite, "Logo left"},
    {cells::C, 128, 256, 128, 128, cells::Sprite, "Logo middle"},
    {cells::C, 256, 256, 128, 128, cells::Sprite, "Logo right"},
    {cells::C, 0, 384, 160, 32, cells::Sprite, "GAME START"},
    {cells::C, 160, 384, 96, 32, cells::Sprite, "CONFIG"},
    {cells::C, 256, 384, 32, 32, cells::Sprite, "Cursor"},
    {cells::C, 128, 416, 112, 32, cells::Sprite, "LEVEL label"},
    {cells::C, 256, 480, 128, 32, cells::Sprite, "BUTTON heading"},
    {cells::C, 256, 512, 32, 32, cells::Sprite, "Z speed key"},
    {cells::C, 288, 512, 32, 32, cells::Sprite, "X fire key"},
    {cells::C, 320, 512, 32, 32, cells::Sprite, "C burst key"},
    {cells::C, 256, 544, 112, 32, cells::Sprite, "SPACE confirm key"},
    {cells::C, 320, 416, 32, 32, cells::Sprite, "EXIT"},
    {cells::C, 0, 448, 32, 32, cells::Sprite, "Level EASY"},
    {cells::C, 32, 448, 32, 32, cells::Sprite, "Level NORMAL"},
    {cells::C, 64, 448, 32, 32, cells::Sprite, "Level HARD"},
    {cells::C, 160, 448, 32, 32, cells::Sprite, "Button 1"},
    {cells::C, 192, 448, 32, 32, cells::Sprite, "Button 2"},
    {cells::C, 224, 448, 32, 32, cells::Sprite, "Button 3"},
    {cells::C, 256, 448, 32, 32, cells::Sprite, "Button 4"},
    {cells::C, 288, 448, 32, 32, cells::Sprite, "Button 5"},
    {cells::C, 0, 416, 32, 32, cells::Sprite, "Button 6"},
    {cells::C, 32, 416, 32, 32, cells::Sprite, "Button 7"},
    {cells::C, 64, 416, 32, 32, cells::Sprite, "Button 8"},
    {cells::C, 96, 416, 32, 32, cells::Sprite, "Button 9"},
    {cells::C, 96, 448, 32, 32, cells::Sprite, "Button 10"},
    {cells::C, 0, 480, 128, 128, cells::Sprite, "Game over", true},
    {cells::C, 128, 480, 128, 128, cells::Sprite, "Closing picture"},
};

// The cell of the list at sheet position (x, y), or nullptr.
inline constexpr const PictureCell* FindPictureCell(SheetId sheet, int x, int y) {
    for (const PictureCell& c : PictureCellList)
        if (c.Sheet == sheet && c.X == x && c.Y == y) return &c;
    return nullptr;
}

}  // namespace veltrano::assetgen
