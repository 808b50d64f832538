// The files that ship beside the program, named once: the game opens them, the generator writes
// them, the install copies them (cmake/ProgramFiles.cmake reads the names from this file) and the
// tests find them here. The Sounds folder and the effects' wave files are named with their sound
// slots (world/Sounds.h), the pieces of music in world/Music.h.
#pragma once

#include <cstddef>

namespace veltrano {

// The picture sheets, named as the program names them: a separator, then the file's name.
constexpr const char* BackgroundSheetFile = "\\背景.bmp";
constexpr const char* CharacterSheetFile = "\\キャラクター.bmp";
constexpr const char* LetteringSheetFile = "\\Lettering.bmp";
// Every character the text scenes show, drawn from the font, for the builds without it (the browser).
constexpr const char* GlyphSheetFile = "\\Glyphs.vgs";

// The key configuration and the save file, named with the folder's own trailing separator.
constexpr const char* ConfigFileName = "VeltranoIni.ini";
constexpr const char* SaveFileName = "temp.dat";

// "temp.dat": 44 bytes of little-endian 32-bit integers, the cleared flag and the ten best scores.
constexpr size_t SaveFileBytes = 44;

// The ini that ships: the four actions' keys in the section "KeyConfig" and their buttons.
constexpr const char* KeyConfigSection = "KeyConfig";
struct ShippedButton {
    const char* Key;
    int Button;
};
constexpr ShippedButton ShippedButtons[] = {{"Z", 1}, {"X", 2}, {"C", 3}, {"SPACE", 9}};

// A sheet's name as a file in a folder, without the separator in front.
constexpr const char* FileNameOf(const char* name) {
    return name[0] == '\\' ? name + 1 : name;
}

}  // namespace veltrano
