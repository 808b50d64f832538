// The files beside the program keep the names and the size the game has always given them: a player's
// ini and scores copied from an older copy, and pictures or sounds swapped in by hand, are found by
// these names. Every other test reads the names from where the game reads them; these pin them.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <set>
#include <string>

#include "app/ConfigFile.h"
#include "app/ProgramFiles.h"
#include "tests/support/ProgramFolder.h"
#include "world/Music.h"
#include "world/Sounds.h"

using namespace veltrano;
namespace fs = std::filesystem;

namespace {

// A file as the game names it, in the build's program folder.
fs::path Built(const char* name) {
    return testdata::InFolder(VELTRANO_PROGRAM_DIR, name);
}

}  // namespace

TEST(ProgramFiles, EveryFileKeepsItsNameAndTheBuildShipsItThere) {
    struct Case {
        const char* Named;  // where the game, the generator and the install read it
        const char* Pinned;
    };
    const Case files[] = {
        {BackgroundSheetFile, "\\背景.bmp"},
        {CharacterSheetFile, "\\キャラクター.bmp"},
        {LetteringSheetFile, "\\Lettering.bmp"},
        {GlyphSheetFile, "\\Glyphs.vgs"},
        {ConfigFileName, "VeltranoIni.ini"},
        {SaveFileName, "temp.dat"},
        {EffectFiles[ShotSound], "\\Sounds\\Shot.wav"},
        {EffectFiles[EnemyDeathSound], "\\Sounds\\EnemyDeath.wav"},
        {EffectFiles[BigEnemyDeathSound], "\\Sounds\\BigEnemyDeath.wav"},
        {EffectFiles[BossDeathSound], "\\Sounds\\BossDeath.wav"},
        {EffectFiles[ItemSound], "\\Sounds\\Item.wav"},
        {EffectFiles[SpeedSound], "\\Sounds\\Speed.wav"},
        {EffectFiles[MeDeathSound], "\\Sounds\\MeDeath.wav"},
        {EffectFiles[BombSound], "\\Sounds\\Bomb.wav"},
        {EffectFiles[BossAlarmSound], "\\Sounds\\BossAlarm.wav"},
        {MusicFile(MusicPiece::Stage1), "\\Sounds\\Stage1.wav"},
        {MusicFile(MusicPiece::Stage2), "\\Sounds\\Stage2.wav"},
        {MusicFile(MusicPiece::Stage3), "\\Sounds\\Stage3.wav"},
        {MusicFile(MusicPiece::Stage4), "\\Sounds\\Stage4.wav"},
        {MusicFile(MusicPiece::Stage5), "\\Sounds\\Stage5.wav"},
        {MusicFile(MusicPiece::Stage6), "\\Sounds\\Stage6.wav"},
        {MusicFile(MusicPiece::Stage7), "\\Sounds\\Stage7.wav"},
        {MusicFile(MusicPiece::Stage8), "\\Sounds\\Stage8.wav"},
        {MusicFile(MusicPiece::Stage9), "\\Sounds\\Stage9.wav"},
        {MusicFile(MusicPiece::Stage10), "\\Sounds\\Stage10.wav"},
        {MusicFile(MusicPiece::Boss), "\\Sounds\\Boss.wav"},
        {MusicFile(MusicPiece::Boss2), "\\Sounds\\Boss2.wav"},
        {MusicFile(MusicPiece::LastBattle), "\\Sounds\\LastBattle.wav"},
        {MusicFile(MusicPiece::Ending), "\\Sounds\\Ending.wav"},
    };
    std::set<fs::path> waves;
    for (const Case& c : files) {
        SCOPED_TRACE(c.Pinned);
        EXPECT_STREQ(c.Named, c.Pinned);
        EXPECT_TRUE(fs::is_regular_file(Built(c.Named))) << Built(c.Named);
        if (Built(c.Named).parent_path().filename() == SoundsFolderName) waves.insert(Built(c.Named));
    }
    // Twenty-three waves, the nine effects and the fourteen pieces, and nothing else in their folder:
    // a song written under a name that no piece loads would ship unheard.
    EXPECT_EQ(waves.size(), 23u);
    std::set<fs::path> shipped;
    for (const auto& entry : fs::directory_iterator(Built(SoundsFolderName))) shipped.insert(entry.path());
    EXPECT_EQ(shipped, waves);
}

TEST(ProgramFiles, TheSaveFileIsFortyFourBytesAndTheIniMapsTheFourActionsInItsSection) {
    EXPECT_EQ(SaveFileBytes, 44u);
    EXPECT_EQ(fs::file_size(Built(SaveFileName)), 44u);
    EXPECT_STREQ(KeyConfigSection, "KeyConfig");
    struct Button {
        const char* Key;
        int Number;
    };
    const Button pinned[] = {{"Z", 1}, {"X", 2}, {"C", 3}, {"SPACE", 9}};
    ASSERT_EQ(std::size(ShippedButtons), std::size(pinned));
    for (size_t b = 0; b < std::size(pinned); ++b) {
        SCOPED_TRACE(pinned[b].Key);
        EXPECT_STREQ(ShippedButtons[b].Key, pinned[b].Key);
        EXPECT_EQ(ShippedButtons[b].Button, pinned[b].Number);
    }
    // The generator writes this text into a fresh program folder; the build's own may hold a player's.
    const std::string shipped = ShippedIniText();
    EXPECT_EQ(shipped.rfind("[KeyConfig]\r\nZ=1\r\nX=2\r\nC=3\r\nSPACE=9\r\n", 0), 0u) << shipped;
}

TEST(ProgramFiles, TheSaveFileThatShipsIsFortyFourZeroBytes) {
    // What an install copies and what the browser's page packs: a new player's table, never one that a
    // tool of the build played into (a cleared flag would offer the later stages on a fresh install).
    const fs::path build = fs::path(VELTRANO_PROGRAM_DIR).parent_path();
    const fs::path installed = build / "player-files" / SaveFileName;
    const fs::path packed = build.parent_path() / "build-web" / "stage" / "program" / SaveFileName;
    if (!fs::exists(installed)) GTEST_SKIP() << installed << " is made by the desktop build";
    for (const fs::path& shipped : {installed, packed}) {
        if (!fs::exists(shipped)) continue;  // the browser's build is made apart
        SCOPED_TRACE(shipped.string());
        EXPECT_EQ(testdata::ReadFile(shipped), std::string(SaveFileBytes, '\0'));
    }
}
