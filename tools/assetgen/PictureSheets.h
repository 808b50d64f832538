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
// "Lettering.bmp": every character of the HUD's font in the boss digits' and the score digits' style.
void PaintLettering(Surface& sheet);
// The desktop icon: the first ship of the sprite sheet, scaled `times` over, on the key colour.
void PaintIcon(Surface& icon, const Surface& characters, int times);

// Both sheets, complete, with the key colour everywhere nothing is drawn.
void PaintSheets(Surface& background, Surface& characters);

}  // namespace veltrano::assetgen
