// The painters of the two sheets, one per family of pictures; WritePictures runs them all.
#pragma once

#include "platform/Surface.h"

namespace veltrano::assetgen {

// "背景.bmp": every 80 by 80 tile of the stage backdrops, the title sky and the curtain.
void PaintBackgroundSheet(Surface& sheet);

// "キャラクター.bmp", family by family.
void PaintShips(Surface& sheet);    // ships, armoured hulls, shots, options
void PaintEnemies(Surface& sheet);  // fliers, guns, blocks, mines, items, pods
void PaintBosses(Surface& sheet);   // the bosses of the ten stages and of the last battles
void PaintEffects(Surface& sheet);  // enemy bullets and bursts
void PaintHud(Surface& sheet);      // digits, weapon icons, speed label and marks
void PaintMenus(Surface& sheet);    // title logo, menu entries, key configuration, end pictures

// Both sheets, complete, with the key colour everywhere nothing is drawn.
void PaintSheets(Surface& background, Surface& characters);

}  // namespace veltrano::assetgen
