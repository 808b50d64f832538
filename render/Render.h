// Everything drawn in a frame, pass by pass, in the frame's order. Drawing reads the world and
// changes nothing in it but the two display texts it rebuilds. All passes draw on BackBuffer.
#pragma once

#include "world/TileSets.h"

namespace veltrano {

// Layers 1 and 2 of the current scene's tile set (the first thing drawn; the back buffer is never
// cleared).
void DrawBackgroundLayers(TileSet set);
// The ship, its shots and options, slots 0..29, the countdown blocks (first pass) and the menu and
// title pictures of slots 700..738.
void DrawShipAndFrontObjects();
// Slots 800..19999: items, enemies, scenery and bullets.
void DrawObjectsAndBullets();
// Layer 3 of the tile set of the scene current after the world step.
void DrawForegroundLayer(TileSet set);
// The countdown blocks again, above layer 3.
void DrawCountdownBlocks();
// Boss hit points, score, weapon icon, lives, speed marks and the game-over picture.
void DrawHud();
// The lit cells of the panel grid, then the staff roll's closing picture.
void DrawCoverPanels();
void DrawClosingPicture();

// The pieces of DrawShipAndFrontObjects, in its order.
void DrawShip();
void DrawPlayerShots();
void DrawOptions();
void DrawLargeObjects();  // slots 0..29
void DrawPictureSlots();  // slots 700..738

}  // namespace veltrano
