// Writes both picture sheets into the program folder. The key colour is pure magenta: it sits at
// (80, 0) of the backgrounds (the transparent corner of the stage 1 cloud) and at (0, 0) of the
// sprites (the empty corner of the first ship), where the game reads it.
#include "app/ProgramFiles.h"
#include "platform/Surface.h"
#include "tools/assetgen/Assets.h"
#include "tools/assetgen/PictureCells.h"
#include "tools/assetgen/PictureKit.h"
#include "tools/assetgen/PictureSheets.h"

namespace veltrano::assetgen {

void PaintSheets(Surface& background, Surface& characters) {
    background.Create(BackgroundSheetWidth, BackgroundSheetHeight, KeyColour);
    characters.Create(CharacterSheetWidth, CharacterSheetHeight, KeyColour);
    PaintBackgroundSheet(background);
    PaintShips(characters);
    PaintEnemies(characters);
    PaintBosses(characters);
    PaintEffects(characters);
    PaintHud(characters);
    PaintMenus(characters);
}

bool WritePictures(const std::filesystem::path& out, std::string* error) {
    Surface background, characters, lettering, icon64, icon128;
    PaintSheets(background, characters);
    PaintLettering(lettering);
    PaintIcon(icon64, characters, 2);
    PaintIcon(icon128, characters, 4);
    return SaveBitmapFile(background, (out / FileNameOf(BackgroundSheetFile)).string(), error) &&
           SaveBitmapFile(characters, (out / FileNameOf(CharacterSheetFile)).string(), error) &&
           SaveBitmapFile(lettering, (out / FileNameOf(LetteringSheetFile)).string(), error) &&
           SavePng(icon64, (out / "VeltranoGame2-64.png").string(), error, &KeyColour) &&
           SavePng(icon128, (out / "VeltranoGame2-128.png").string(), error, &KeyColour);
}

}  // namespace veltrano::assetgen
