// Everything drawn in a frame, pass by pass, in the frame's order. Each pass reads the part of a
// tick's picture taken where the pass stands in the frame (render/Picture.h) and draws on `target`:
// the back buffer for the tick's own picture, the presentation's buffer for the pictures in between.
#pragma once

#include "platform/Surface.h"
#include "render/Picture.h"

namespace veltrano {

// Layers 1 and 2 of the picture's tile set (the first thing drawn; the back buffer is never cleared).
void DrawBackgroundLayers(const BackPicture& picture, Surface& target);
// The ship, its shots and options, slots 0..29, the countdown blocks (first pass) and the menu and
// title pictures of slots 700..738.
void DrawShipAndFrontObjects(const BackPicture& picture, Surface& target);
// Slots 800..19999: items, enemies, scenery and bullets.
void DrawObjectsAndBullets(const BackPicture& picture, Surface& target);
// Layer 3 of the tile set of the scene current after the world step.
void DrawForegroundLayer(const FrontPicture& picture, Surface& target);
// The countdown blocks again, above layer 3.
void DrawCountdownBlocks(const FrontPicture& picture, Surface& target);
// Boss hit points, score, weapon icon, lives, speed marks and the game-over picture.
void DrawHud(const FrontPicture& picture, Surface& target);
// The lit cells of the panel grid, then the staff roll's closing picture.
void DrawCoverPanels(const TopPicture& picture, Surface& target);
void DrawClosingPicture(const TopPicture& picture, Surface& target);

// The pieces of DrawShipAndFrontObjects, in its order.
void DrawShip(const BackPicture& picture, Surface& target);
void DrawPlayerShots(const BackPicture& picture, Surface& target);
void DrawOptions(const BackPicture& picture, Surface& target);
void DrawLargeObjects(const BackPicture& picture, Surface& target);  // slots 0..29
void DrawPictureSlots(const BackPicture& picture, Surface& target);  // slots 700..738

}  // namespace veltrano
