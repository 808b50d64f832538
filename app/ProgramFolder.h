// Where the game finds its files. The program folder (the executable's own) holds the pictures and
// sounds; the data folder holds what the game writes, the ini and the save file. Run from its build
// folder the two are the same; an installed game whose program folder it may not write keeps its
// ini and save file in the player's data folder instead.
#pragma once

#include <string>

namespace veltrano {

// The folder of the running executable (through /proc/self/exe), without a trailing '/'.
std::string ExecutableFolder();

// The folder every picture and sound path is joined to, without a trailing '/'. Setting it also
// makes it the data folder until SetDataFolder says otherwise, with no other data folder.
void SetProgramFolder(const std::string& folder);
const std::string& ProgramFolder();
// Joins a name written with backslashes ("\Sounds\Shot.wav") to the program folder.
std::string ProgramPath(const char* name);

void SetDataFolder(const std::string& folder);
const std::string& DataFolder();
// A file of the data folder: "VeltranoIni.ini", "temp.dat".
std::string DataPath(const char* name);

// Whether a program folder is where `cmake --install` puts the game ("<prefix>/lib/VeltranoGame2").
bool InstalledProgramFolder(const std::string& programFolder);

// The data folder for a program folder: the program folder itself when it is writable and not an
// installed game's, else
// $XDG_DATA_HOME/VeltranoGame2, else $HOME/.local/share/VeltranoGame2 (empty strings count as unset).
// Empty when the program folder is not writable and neither variable is set.
std::string ChooseDataFolder(const std::string& programFolder, bool programFolderWritable,
                             const char* xdgDataHome, const char* home);

// Makes the data folder and gives it the program folder's default ini and empty save file when it
// has none of its own yet (the game only ever writes a save file that exists). Files already there
// are never touched. False with a message when the folder cannot be made or a file not copied.
bool PrepareDataFolder(const std::string& programFolder, const std::string& dataFolder, std::string* error);

// Start-up's choice for the running program: the data folder picked for `programFolder` from the
// environment, prepared; on any failure it says why on stderr and falls back to the program folder.
// A build's folder that is not writable moves the player's files to the data folder, said once (when
// that folder gets its first save file); the folder not chosen becomes OtherDataFolder.
void UseDataFolderFor(const std::string& programFolder);
// The other place this player's scores may have been kept (the build's folder while the player's
// data folder is used, or the reverse), whose table start-up merges in; empty for none.
const std::string& OtherDataFolder();

// Whether `path` is one of the game's own files (the sheets, the glyph sheet, a wave, the ini, the
// save file or a table kept aside from it), in the program folder or the data folder, by whatever
// name or link it is reached: nothing may write a recording over them.
bool IsProgramOwnFile(const std::string& path);

}  // namespace veltrano
