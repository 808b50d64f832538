// The game on a damaged program folder: folders, FIFOs, unreadable and oversized files where its
// pictures, save file, ini and font belong. Each ends in one line naming what is wrong; an error in
// play still saves the run's scores; a file the game could not read is never written over.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <ios>
#include <new>

#include "app/ConfigFile.h"
#include "app/Main.h"
#include "app/ProgramFiles.h"
#include "app/ProgramFolder.h"
#include "app/SaveFile.h"
#include "app/SoundBank.h"
#include "app/headless/HeadlessGame.h"
#include "platform/Display.h"
#include "platform/Files.h"
#include "platform/headless/HeadlessBackend.h"
#include "stages/Script.h"
#include "stages/ScriptBuilder.h"
#include "stages/Stage.h"
#include "tests/support/FileFaults.h"
#include "tests/support/ProgramFolder.h"
#include "tools/assetgen/PictureCells.h"
#include "world/Music.h"
#include "world/World.h"

using namespace veltrano;
using testdata::Tap;
namespace fs = std::filesystem;

namespace {

// Simulated disk faults last for one scope, so a failing check cannot leave them behind.
struct Faults {
    Faults(const std::string& pathEnd, FileOperation operation, int error) {
        SimulateFileFault(pathEnd, operation, error);
    }
    ~Faults() { ClearFileFaults(); }
};

int Lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

using testdata::Le32;

using testdata::SaveBytes;

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Replaces the link to a built file by damage of one kind.
enum class Damage { Folder, Fifo, OpenFails, ReadFails };
void Spoil(const fs::path& file, Damage damage) {
    if (damage == Damage::Folder || damage == Damage::Fifo) fs::remove(file);
    if (damage == Damage::Folder) fs::create_directory(file);
    if (damage == Damage::Fifo) {
        ASSERT_EQ(mkfifo(file.c_str(), 0644), 0);
    }
    if (damage == Damage::OpenFails) SimulateFileFault(file.filename().string(), FileOperation::Open, EACCES);
    if (damage == Damage::ReadFails) SimulateFileFault(file.filename().string(), FileOperation::Read, EIO);
}

const char* const DamageNames[] = {"a folder", "a FIFO", "an open that fails", "a read that fails"};
const char* const DamageWords[] = {"is a folder", "is a FIFO", "Permission denied", "Input/output error"};

}  // namespace

TEST(DamagedFiles, APictureThatCannotBeReadStopsTheStartNamingTheFileAndWhy) {
    const fs::path folder = testdata::MakeProgramFolder();
    for (const char* picture : {FileNameOf(BackgroundSheetFile), FileNameOf(CharacterSheetFile)}) {
        for (Damage damage : {Damage::Folder, Damage::Fifo, Damage::OpenFails, Damage::ReadFails}) {
            SCOPED_TRACE(std::string(picture) + " as " + DamageNames[static_cast<int>(damage)]);
            const fs::path file = folder / picture;
            Spoil(file, damage);
            try {
                HeadlessGame game(folder.string());
                ADD_FAILURE() << "the game started";
            } catch (const LoadError& e) {
                const std::string what = e.what();
                EXPECT_EQ(what.rfind(file.string() + ": ", 0), 0u) << what;
                EXPECT_NE(what.find(DamageWords[static_cast<int>(damage)]), std::string::npos) << what;
            }
            ClearFileFaults();
            fs::remove_all(file);
            fs::create_symlink(fs::path(VELTRANO_PROGRAM_DIR) / picture, file);
        }
    }
}

TEST(DamagedFiles, APictureTooSmallForItsCellsShortOrOversizedIsRefusedAtLoad) {
    const fs::path folder = testdata::MakeProgramFolder();
    const fs::path sheet = folder / FileNameOf(CharacterSheetFile);
    const std::string built =
        testdata::ReadFile(testdata::InFolder(VELTRANO_PROGRAM_DIR, CharacterSheetFile));
    Surface small;
    small.Create(CharacterSheetWidth, CharacterSheetHeight - 1);
    std::string header = built.substr(0, 54);
    header[18] = header[22] = '\0';  // 16384 by 16384: within the size limit, 768 MB of pixels
    header[19] = header[23] = '\x40';
    header[20] = header[21] = header[24] = header[25] = '\0';
    struct Case {
        const char* Name;
        std::string Bytes;
        std::string Says;
    };
    std::string error;
    fs::remove(sheet);
    ASSERT_TRUE(SaveBitmapFile(small, sheet.string(), &error)) << error;
    const Case cases[] = {
        {"one row short of the cells", testdata::ReadFile(sheet),
         "the game cuts cells from it up to " + std::to_string(CharacterSheetWidth) + " by " +
             std::to_string(CharacterSheetHeight)},
        {"cut off in its pixels", built.substr(0, built.size() / 2), "shorter than its picture"},
        {"declaring 768 MB", header + std::string(100, '\0'), "more than 64 MB"},
        {"not a picture", "hello", "not a BMP file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteBytes(sheet, c.Bytes);
        try {
            HeadlessGame game(folder.string());
            ADD_FAILURE() << "the game started";
        } catch (const LoadError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(sheet.string() + ": ", 0), 0u) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.Says), std::string::npos) << e.what();
        }
    }
    // Bytes after the picture the header declares are never read, however many there are.
    WriteBytes(sheet, built + std::string(3 << 20, 'x'));
    Surface loaded;
    ASSERT_TRUE(LoadBitmapFile(loaded, sheet.string(), &error)) << error;
    EXPECT_EQ(loaded.Width, CharacterSheetWidth);
}

TEST(DamagedFiles, TheSmallestSheetsHoldEveryCellTheGameCuts) {
    int extent[2][2] = {};
    for (const auto& cell : assetgen::PictureCellList) {
        int* e = extent[cell.Sheet == assetgen::SheetId::Background ? 0 : 1];
        e[0] = std::max(e[0], cell.X + cell.W);
        e[1] = std::max(e[1], cell.Y + cell.H);
    }
    EXPECT_EQ(extent[0][0], BackgroundSheetWidth);
    EXPECT_EQ(extent[0][1], BackgroundSheetHeight);
    EXPECT_EQ(extent[1][0], CharacterSheetWidth);
    EXPECT_EQ(extent[1][1], CharacterSheetHeight);
}

TEST(DamagedFiles, WithoutTheJapaneseFontTheStartStopsNamingThePackage) {
    const fs::path folder = testdata::MakeProgramFolder();
    SetTextFaceFamilies({"No Such Family Anywhere"});
    try {
        HeadlessGame game(folder.string());
        ADD_FAILURE() << "the game started without a font";
    } catch (const LoadError& e) {
        EXPECT_NE(std::string(e.what()).find("fonts-ipafont-gothic"), std::string::npos) << e.what();
    }
    SetTextFaceFamilies({});
    EXPECT_TRUE(OpenTextFace(nullptr));
}

TEST(DamagedFiles, AnErrorInPlayIsOneLineAndTheScoresOfTheRunAreStillSaved) {
    const fs::path folder = testdata::MakeProgramFolder();
    struct Case {
        const char* Name;
        std::function<void()> Throw;
        const char* Says;
    };
    const Case cases[] = {
        {"a load error", [] { throw LoadError("/x/Sounds/Stage2.wav: is a folder, not a file"); },
         "Stage2.wav"},
        {"a stream error",
         [] { throw std::ios_base::failure("basic_filebuf::underflow error reading the file"); },
         "underflow"},
        {"memory exhausted", [] { throw std::bad_alloc(); }, "not enough memory"},
        {"something else", [] { throw 42; }, "unexpected"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteBytes(folder / SaveFileName, SaveBytes(1, {500}));
        HeadlessGame game(folder.string());
        Score = 9000;
        testing::internal::CaptureStderr();
        const int status = RunToClose(game.Form, [&] {
            game.Frames(3);
            c.Throw();
        });
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, 1);
        EXPECT_EQ(Lines(said), 1) << said;
        EXPECT_NE(said.find(c.Says), std::string::npos) << said;
        EXPECT_EQ(testdata::ReadFile(folder / SaveFileName), SaveBytes(1, {9000, 500}));
    }

    // The real thing: a folder where the next stage's music belongs, met at the start of a game.
    WriteBytes(folder / SaveFileName, SaveBytes(0, {}));
    fs::create_directory(testdata::OwnSoundsFolderWithout(folder, MusicFile(MusicPiece::Stage2)));
    HeadlessGame game(folder.string());
    Scene = ShipSelectScene;
    SceneInit();
    StartScene = Stage2Scene;
    Score = 1234;
    testing::internal::CaptureStderr();
    const int status = RunToClose(game.Form, [&] { Tap(game, Vk::Space); });
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 1);
    EXPECT_EQ(Lines(said), 1) << said;
    EXPECT_EQ(testdata::ReadFile(folder / SaveFileName), SaveBytes(0, {1234}));
}

TEST(DamagedFiles, AScriptThatFailsItsOwnChecksStopsTheStartOnOneLineTouchingNothing) {
    EXPECT_EQ(ScriptFaultLine(SceneScripts()), "");  // the game's own scripts are sound
    SceneScript scripts[2];
    scripts[0].Name = "sound";
    scripts[1].Name = "faulty";
    ScriptBuilder s(scripts[1]);
    // A bullet slot moved as an enemy, an enemy slot used as a bullet.
    s.MoveDuring({.slot = 9001, .dx = 1, .from = 0, .to = 10});
    s.FireAimed({.bullet = 8999, .carrier = 1000, .speed = 6, .from = 0, .period = 60});
    s.Finish();
    ASSERT_EQ(scripts[1].Errors.size(), 2u);

    const fs::path folder = testdata::MakeProgramFolder();
    const std::string save = SaveBytes(1, {500});
    WriteBytes(folder / SaveFileName, save);
    SetProgramFolder(folder.string());
    HeadlessBackend backend;
    TForm1 form(backend);
    testing::internal::CaptureStderr();
    // The start's first step, handed these scripts instead of the game's.
    const int status = RunToClose(form, [&] {
        StopOnScriptFaults(scripts);
        form.FormCreate({});
        ADD_FAILURE() << "the start went on past a faulty script";
    });
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 1);
    EXPECT_EQ(Lines(said), 1) << said;
    EXPECT_NE(said.find(scripts[1].Errors.front()), std::string::npos) << said;
    EXPECT_NE(said.find("(and 1 more)"), std::string::npos) << said;
    EXPECT_EQ(testdata::ReadFile(folder / SaveFileName), save);
}

TEST(DamagedFiles, ASaveFileThatCannotBeReadIsSaidAndNeverWrittenOver) {
    const fs::path folder = testdata::MakeProgramFolder();
    const fs::path save = folder / SaveFileName;
    const std::string kept = SaveBytes(1, {4444});
    for (Damage damage : {Damage::Folder, Damage::Fifo, Damage::OpenFails, Damage::ReadFails}) {
        SCOPED_TRACE(DamageNames[static_cast<int>(damage)]);
        fs::remove_all(save);
        WriteBytes(save, kept);
        Spoil(save, damage);
        testing::internal::CaptureStderr();
        {
            HeadlessGame game(folder.string());
            EXPECT_EQ(HighScores[0], 0);  // nothing was read
            Score = 7000;
            game.Close();
        }
        const std::string said = testing::internal::GetCapturedStderr();
        ClearFileFaults();
        ASSERT_EQ(Lines(said), 2) << said;  // at start, and at close with the scores
        EXPECT_NE(said.find(save.string() + ": "), std::string::npos) << said;
        EXPECT_NE(said.find(DamageWords[static_cast<int>(damage)]), std::string::npos) << said;
        EXPECT_NE(said.find("best scores were 7000 0"), std::string::npos) << said;
        if (fs::is_regular_file(save)) {
            EXPECT_EQ(testdata::ReadFile(save), kept);
        }
    }
    fs::remove_all(save);
    // A save file that cannot be written at close is said too.
    WriteBytes(save, kept);
    const Faults writeFails(SaveFileName, FileOperation::Write, ENOSPC);
    testing::internal::CaptureStderr();
    {
        HeadlessGame game(folder.string());
        Score = 100;
        game.Close();
    }
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("No space left on device"), std::string::npos) << said;
}

TEST(DamagedFiles, AnUnusableIniLeavesTheGamePlayableOnTheShippedButtons) {
    const fs::path folder = testdata::MakeProgramFolder();
    const fs::path ini = folder / ConfigFileName;
    struct Case {
        const char* Name;
        std::function<void()> Make;
        const char* Says;
    };
    const Case cases[] = {
        {"empty", [&] { WriteBytes(ini, ""); }, "missing or out of range"},
        {"junk", [&] { WriteBytes(ini, "\x01\x02[[[==\n\xff"); }, "missing or out of range"},
        {"UTF-16", [&] { WriteBytes(ini, std::string("\xff\xfe[\0K\0", 6)); }, "UTF-16"},
        {"out of range", [&] { WriteBytes(ini, "[KeyConfig]\nZ=0\nX=33\nC=-1\nSPACE=99999999999\n"); },
         "missing"},
        {"a folder", [&] { fs::create_directory(ini); }, "is a folder"},
        {"a FIFO", [&] { mkfifo(ini.c_str(), 0644); }, "is a FIFO"},
        {"larger than an ini can be", [&] { WriteBytes(ini, std::string(MaxConfigBytes + 1, ';')); },
         "larger than"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        fs::remove_all(ini);
        c.Make();
        const bool regular = fs::is_regular_file(ini);
        const std::string before = regular ? testdata::ReadFile(ini) : "";
        testing::internal::CaptureStderr();
        HeadlessGame game(folder.string());
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(Lines(said), 1) << said;
        EXPECT_NE(said.find(ini.string() + ": "), std::string::npos) << said;
        EXPECT_NE(said.find(c.Says), std::string::npos) << said;
        EXPECT_NE(said.find("Z 1, X 2, C 3, SPACE 9"), std::string::npos) << said;
        Tap(game, Vk::Space);  // skip the title animation
        Tap(game, Vk::Space);
        EXPECT_EQ(Scene, ShipSelectScene);
        // A file that could not be read is not written over when the keys are saved.
        testing::internal::CaptureStderr();
        ConfigFile config;
        const bool unreadable = config.Open(ini.string(), nullptr) == FileStatus::Failed;
        config.WriteInteger("KeyConfig", "Z", 5);
        EXPECT_EQ(config.Save(nullptr), !unreadable);
        testing::internal::GetCapturedStderr();
        if (unreadable && regular) {
            EXPECT_EQ(testdata::ReadFile(ini), before);
        }
    }
}

TEST(DamagedFiles, FilesAreReplacedWholeKeepingTheirModeAndLinks) {
    const fs::path folder = testdata::MakeProgramFolder();
    const fs::path real = folder / "real.ini";
    WriteBytes(real, "old");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, folder / "link.ini");
    std::string why;
    ASSERT_TRUE(ReplaceFile((folder / "link.ini").string(), "new", &why)) << why;
    EXPECT_TRUE(fs::is_symlink(folder / "link.ini"));
    EXPECT_EQ(testdata::ReadFile(real), "new");
    EXPECT_EQ(fs::status(real).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    {
        const Faults writeFails("real.ini", FileOperation::Write, EIO);
        EXPECT_FALSE(ReplaceFile(real.string(), "newer", &why));
    }
    EXPECT_EQ(testdata::ReadFile(real), "new");  // a failed write leaves the old content whole
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().find(".new-"), std::string::npos) << entry.path();
}
