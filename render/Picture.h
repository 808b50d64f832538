// What the drawing of a tick reads. The frame draws its back layers and sprites before the world
// step and its foreground, display and panels after it, so each part of the picture is taken from
// the world at its own point of the tick; drawn later, a part shows exactly what it showed when it
// was drawn in place. The drawing reads only these pictures and writes only the surface it is given.
#pragma once

#include <cstdint>

#include "world/TileSets.h"
#include "world/World.h"

namespace veltrano {

struct SlotsPicture {
    int X[ObjectSlotCount], Y[ObjectSlotCount], State[ObjectSlotCount], DeadTime[ObjectSlotCount];
};

struct LayerPicture {
    int X[TileCount], Y[TileCount];
};

// Before the world step: layers 1 and 2, the ship, its shots and options, every object slot and the
// menu pictures.
struct BackPicture {
    int Scene;
    TileSet Set;
    int StaffRollBackdrop;
    uint8_t TileOn[TileCount];
    LayerPicture Layer1, Layer2;
    int StageFrame;
    int PlayerX, PlayerY, PlayerHP, RespawnTimer, ShotType;
    uint8_t PlayerShown, PlayerUntouchable;
    int ShotX[ShotCount], ShotY[ShotCount];
    uint8_t ShotLive[ShotCount];
    uint8_t Option1On, Option2On;
    int Option1X, Option1Y, Option2X, Option2Y;
    int Difficulty;
    int Buttons[4];  // speed, fire, burst, confirm
    SlotsPicture Slots;
};

// After the world step: layer 3, the countdown blocks' second pass and the head-up display.
struct FrontPicture {
    int Scene;
    TileSet Set;
    int StageFrame;
    uint8_t TileOn[TileCount];
    LayerPicture Layer3;
    char BossHPText[16], ScoreText[16];
    int ShotType, Lives, PlayerSpeed;
    uint8_t CountdownExpired;
    SlotsPicture Slots;
};

// After the scene machine and the panel step: the cover panels, the closing picture and our notices.
struct TopPicture {
    int Scene, StageFrame, StartScene;
    bool Paused;
    uint8_t PanelCellOn[PanelCellCount];
    uint8_t StaffRollPicture;
    int ClosingX, ClosingY;
};

// Rebuilds the display's two texts from the boss's hit points and the score, as on every frame.
void WriteDisplayTexts();

void TakeBackPicture(BackPicture& out, TileSet set);
// After WriteDisplayTexts.
void TakeFrontPicture(FrontPicture& out, TileSet set);
void TakeTopPicture(TopPicture& out);

// Moves what glides in `tick` back toward where it stood in `before` by `behind` (0: the tick's own
// positions; 1: the tick before's). `older` is the picture of the tick before `before` (or nullptr):
// a slot that turned back between the two moves is shaking, not gliding. Whatever jumped (a wrapped
// tile, a slot reused or taken out, a ship respawned, a new scene) stays where the tick put it, and
// so does every cell, animation step and digit, the countdown's blocks and the display.
void PlaceBack(const BackPicture& tick, const BackPicture& before, const BackPicture* older, double behind,
               BackPicture& out);
void PlaceFront(const FrontPicture& tick, const FrontPicture& before, double behind, FrontPicture& out);

// The farthest a thing may move in one tick and still be drawn gliding: a larger move is a jump.
constexpr int GlideLimit = 64;

}  // namespace veltrano
