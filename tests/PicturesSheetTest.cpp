// The picture sheets as the game loads them: key colours where the game reads them, every cut cell
// drawn and kept to its rectangle, lowest layers fully covered, tiles that join without seams, and
// the same bytes from every run of the generator.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "app/ProgramFiles.h"
#include "platform/Surface.h"
#include "render/SpriteCells.h"
#include "render/TileRules.h"
#include "tests/support/SceneLayers.h"
#include "tools/assetgen/Assets.h"
#include "tools/assetgen/PictureCells.h"
#include "tools/assetgen/PictureKit.h"

using namespace veltrano;
using namespace veltrano::assetgen;

namespace {

const std::filesystem::path ProgramFolder = VELTRANO_PROGRAM_DIR;

struct Sheets {
    Surface Background, Characters;
    Sheets() {
        std::string error;
        EXPECT_TRUE(
            LoadBitmapFile(Background, (ProgramFolder / FileNameOf(BackgroundSheetFile)).string(), &error))
            << error;
        EXPECT_TRUE(
            LoadBitmapFile(Characters, (ProgramFolder / FileNameOf(CharacterSheetFile)).string(), &error))
            << error;
        SetKeyColour(Background, PixelAt(Background, 80, 0));
        SetKeyColour(Characters, PixelAt(Characters, 0, 0));
    }
    const Surface& Of(const PictureCell& c) const {
        return c.Sheet == SheetId::Background ? Background : Characters;
    }
};

const Sheets& Loaded() {
    static const Sheets sheets;
    return sheets;
}

int KeyPixels(const Surface& s, const PictureCell& c) {
    int n = 0;
    for (int y = c.Y; y < c.Y + c.H; ++y)
        for (int x = c.X; x < c.X + c.W; ++x) n += PixelAt(s, x, y) == s.KeyColour;
    return n;
}

std::string Describe(const PictureCell& c) {
    return std::string(c.Name) + " at (" + std::to_string(c.X) + "," + std::to_string(c.Y) + ")";
}

std::vector<char> ReadBytes(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(PicturesSheet, LoadsWithTheGameLoaderAndKeysWhereTheGameReadsThem) {
    const Sheets& s = Loaded();
    EXPECT_GE(s.Background.Width, BackgroundSheetWidth);
    EXPECT_GE(s.Background.Height, BackgroundSheetHeight);
    EXPECT_GE(s.Characters.Width, CharacterSheetWidth);
    EXPECT_GE(s.Characters.Height, CharacterSheetHeight);
    EXPECT_EQ(PixelAt(s.Background, 80, 0), KeyColour);
    EXPECT_EQ(PixelAt(s.Characters, 0, 0), KeyColour);
}

TEST(PicturesSheet, CellListHoldsEveryCutRectangleInsideItsSheetWithoutOverlap) {
    // Every rectangle the drawing passes can cut from the sprite sheet is a cell the generator paints,
    // and the generator paints no cell that nothing draws.
    std::set<std::pair<int, int>> cut;
    ForEachSpriteCell([&](const SpriteCell& r) {
        cut.insert({r.X, r.Y});
        const PictureCell* c = FindPictureCell(SheetId::Character, r.X, r.Y);
        ASSERT_NE(c, nullptr) << "no cell at (" << r.X << "," << r.Y << ")";
        EXPECT_EQ(c->W, r.W) << Describe(*c);
        EXPECT_EQ(c->H, r.H) << Describe(*c);
    });
    // The same both ways for the tiles: what every scene's rules lay, and the cover panels.
    std::set<std::pair<int, int>> laid = {{CoverPanelTile.X, CoverPanelTile.Y}};
    ForEachSceneLayer([&](int, int, const LayerRule& rule) {
        for (int i = 0; i < TileCount; ++i) {
            const TileCell t = CellOfTile(rule, i, true);
            if (t.Drawn()) laid.insert({t.X, t.Y});
        }
    });
    for (const auto& [x, y] : laid)
        EXPECT_NE(FindPictureCell(SheetId::Background, x, y), nullptr)
            << "no tile at (" << x << "," << y << ")";
    for (const PictureCell& c : PictureCellList)
        EXPECT_TRUE((c.Sheet == SheetId::Background ? laid : cut).count({c.X, c.Y}))
            << Describe(c) << " is painted but never drawn";
    int characterCells = 0, backgroundCells = 0;
    for (const PictureCell& a : PictureCellList) {
        const bool bg = a.Sheet == SheetId::Background;
        (bg ? backgroundCells : characterCells)++;
        EXPECT_GE(a.X, 0);
        EXPECT_GE(a.Y, 0);
        EXPECT_LE(a.X + a.W, bg ? BackgroundSheetWidth : CharacterSheetWidth) << Describe(a);
        EXPECT_LE(a.Y + a.H, bg ? BackgroundSheetHeight : CharacterSheetHeight) << Describe(a);
        if (bg) {
            EXPECT_EQ(a.W, 80);
            EXPECT_EQ(a.H, 80);
            EXPECT_EQ(a.X % 80 + a.Y % 80, 0) << Describe(a);
        }
        for (const PictureCell& b : PictureCellList) {
            if (&a == &b || a.Sheet != b.Sheet) continue;
            const bool apart = a.X + a.W <= b.X || b.X + b.W <= a.X || a.Y + a.H <= b.Y || b.Y + b.H <= a.Y;
            EXPECT_TRUE(apart) << Describe(a) << " overlaps " << Describe(b);
        }
    }
    EXPECT_EQ(characterCells, static_cast<int>(cut.size()));
    EXPECT_EQ(backgroundCells, static_cast<int>(laid.size()));
}

TEST(PicturesSheet, EveryCellIsDrawnForItsKindAndKeepsToItsRectangle) {
    const Sheets& s = Loaded();
    for (const PictureCell& c : PictureCellList) {
        const Surface& sheet = s.Of(c);
        const int keys = KeyPixels(sheet, c), area = c.W * c.H;
        switch (c.Kind) {
            case CellKind::Tile:
                EXPECT_EQ(keys, 0) << Describe(c) << " is a lowest layer and must have no transparent pixel";
                break;
            case CellKind::Overlay:
                EXPECT_EQ(PixelAt(sheet, c.X, c.Y), sheet.KeyColour) << Describe(c);
                EXPECT_GT(keys, area / 10) << Describe(c);
                EXPECT_LT(keys, area - 16) << Describe(c);
                break;
            case CellKind::Sprite:
            case CellKind::Block:
                EXPECT_LT(keys, area - area / 12) << Describe(c) << " is nearly empty";
                break;
        }
        if (c.Kind == CellKind::Sprite) {
            // A floating sprite stays off its edges, so nothing of it spills into its neighbours.
            for (int x = c.X; x < c.X + c.W; ++x) {
                EXPECT_EQ(PixelAt(sheet, x, c.Y), sheet.KeyColour) << Describe(c) << " top edge at x " << x;
                EXPECT_EQ(PixelAt(sheet, x, c.Y + c.H - 1), sheet.KeyColour) << Describe(c) << " bottom edge";
            }
            for (int y = c.Y; y < c.Y + c.H; ++y) {
                EXPECT_EQ(PixelAt(sheet, c.X, y), sheet.KeyColour) << Describe(c) << " left edge at y " << y;
                EXPECT_EQ(PixelAt(sheet, c.X + c.W - 1, y), sheet.KeyColour) << Describe(c) << " right edge";
            }
        }
        if ((c.Kind == CellKind::Sprite || c.Kind == CellKind::Block) && !c.SeeThrough) {
            // No pinholes: a transparent pixel walled in by picture on all four sides is a stray key.
            for (int y = c.Y + 1; y < c.Y + c.H - 1; ++y)
                for (int x = c.X + 1; x < c.X + c.W - 1; ++x) {
                    if (PixelAt(sheet, x, y) != sheet.KeyColour) continue;
                    const bool walled = PixelAt(sheet, x - 1, y) != sheet.KeyColour &&
                                        PixelAt(sheet, x + 1, y) != sheet.KeyColour &&
                                        PixelAt(sheet, x, y - 1) != sheet.KeyColour &&
                                        PixelAt(sheet, x, y + 1) != sheet.KeyColour;
                    EXPECT_FALSE(walled) << Describe(c) << " has a pinhole at (" << x << "," << y << ")";
                }
        }
    }
}

TEST(PicturesSheet, NothingIsDrawnOutsideTheCutCells) {
    const Sheets& s = Loaded();
    for (const SheetId id : {SheetId::Background, SheetId::Character}) {
        const Surface& sheet = id == SheetId::Background ? s.Background : s.Characters;
        std::vector<uint8_t> inCell(static_cast<size_t>(sheet.Width) * sheet.Height, 0);
        for (const PictureCell& c : PictureCellList)
            if (c.Sheet == id)
                for (int y = c.Y; y < c.Y + c.H; ++y)
                    for (int x = c.X; x < c.X + c.W; ++x) inCell[y * sheet.Width + x] = 1;
        int stray = 0;
        for (int y = 0; y < sheet.Height; ++y)
            for (int x = 0; x < sheet.Width; ++x)
                if (!inCell[y * sheet.Width + x] && PixelAt(sheet, x, y) != sheet.KeyColour) ++stray;
        EXPECT_EQ(stray, 0) << (id == SheetId::Background ? "backgrounds" : "sprites");
    }
}

TEST(PicturesSheet, EverySceneLowestLayerCoversItsWholeGridWithOpaqueTiles) {
    for (int scene = -2; scene <= 25; ++scene) {
        for (int backdrop = 0; backdrop < (scene == StaffRollScene ? StaffRollBackdropCount : 1);
             ++backdrop) {
            const LayerRule layer1 = SceneLayerRule(scene, 1, backdrop),
                            layer2 = SceneLayerRule(scene, 2, backdrop);
            for (int i = 0; i < TileCount; ++i) {
                TileCell lowest = CellOfTile(layer1, i, true);
                if (!lowest.Drawn()) lowest = CellOfTile(layer2, i, true);
                ASSERT_TRUE(lowest.Drawn()) << "scene " << scene << " leaves tile " << i << " to old frames";
                const PictureCell* c = FindPictureCell(SheetId::Background, lowest.X, lowest.Y);
                ASSERT_NE(c, nullptr);
                EXPECT_EQ(c->Kind, CellKind::Tile)
                    << "scene " << scene << " tile " << i << ": " << Describe(*c);
            }
        }
    }
    // Scene 6 draws nothing but its keyed layer 2; the picture decides whether old frames show.
    EXPECT_EQ(SceneLayerRule(6, 1).Pattern, TilePattern::NotDrawn);
    EXPECT_EQ(SceneLayerRule(6, 2).Keys, Keying::Keyed);
}

TEST(PicturesSheet, TilesThatScenesLayTogetherJoinWithoutSeams) {
    const Surface& bg = Loaded().Background;
    auto difference = [&](int ax, int ay, int bx, int by) {
        const uint32_t a = PixelAt(bg, ax, ay), b = PixelAt(bg, bx, by);
        int d = 0;
        for (int shift : {16, 8, 0})
            d += std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255));
        return d;
    };
    // The mean step across the join must be like the mean step between neighbouring columns inside.
    auto check = [&](int ax, int ay, int bx, int by) {
        double inside = 0, seamH = 0, seamV = 0;
        for (int k = 0; k < 80; ++k) {
            for (int j = 0; j < 79; ++j) inside += difference(ax + j, ay + k, ax + j + 1, ay + k);
            seamH += difference(ax + 79, ay + k, bx, by + k);
            seamV += difference(ax + k, ay + 79, bx + k, by);
        }
        inside /= 79 * 80;
        EXPECT_LT(seamH / 80, inside * 1.6 + 4)
            << "(" << ax << "," << ay << ") beside (" << bx << "," << by << ")";
        EXPECT_LT(seamV / 80, inside * 1.6 + 4)
            << "(" << ax << "," << ay << ") above (" << bx << "," << by << ")";
    };
    const int families[][2][2] = {
        {{0, 0}, {160, 0}},        // farmland and its lake, any order
        {{0, 80}, {80, 80}},       // the two hull plates of stages 2 and 7
        {{240, 80}, {240, 80}},    // title sky
        {{0, 160}, {160, 160}},    // sea and reef
        {{0, 240}, {80, 240}},     // cave rock checkerboard
        {{160, 240}, {160, 240}},  // machine wall
        {{160, 320}, {240, 320}},  // nebula checkerboard
        {{240, 400}, {160, 400}},  // core wall and eye
    };
    for (const auto& f : families) {
        check(f[0][0], f[0][1], f[1][0], f[1][1]);
        check(f[1][0], f[1][1], f[0][0], f[0][1]);
        check(f[0][0], f[0][1], f[0][0], f[0][1]);
        check(f[1][0], f[1][1], f[1][0], f[1][1]);
    }
}

TEST(PicturesSheet, TwoTilesOfOneTextureShareTheirEdgesButNotTheirInsides) {
    // Scenes lay these pairs side by side over a whole stage: alike at the edges so they join, but
    // different inside, or the same marks come back every 80 pixels over the whole screen.
    const Surface& bg = Loaded().Background;
    auto meanDifference = [&](TileCell a, TileCell b, bool ring) {
        double sum = 0;
        int count = 0;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 80; ++x) {
                const bool onRing = x == 0 || y == 0 || x == 79 || y == 79;
                const bool inside = x >= 20 && x < 60 && y >= 20 && y < 60;
                if (ring ? !onRing : !inside) continue;
                const uint32_t p = PixelAt(bg, a.X + x, a.Y + y), q = PixelAt(bg, b.X + x, b.Y + y);
                for (int shift : {16, 8, 0})
                    sum +=
                        std::abs(static_cast<int>((p >> shift) & 255) - static_cast<int>((q >> shift) & 255));
                ++count;
            }
        return sum / count;
    };
    const TileCell pairs[][2] = {
        {{0, 0}, {160, 0}},   // farmland, and farmland with copses
        {{0, 80}, {80, 80}},  // the two hull plates
    };
    for (const auto& pair : pairs) {
        EXPECT_LT(meanDifference(pair[0], pair[1], true), 2.0) << "(" << pair[0].X << "," << pair[0].Y << ")";
        EXPECT_GT(meanDifference(pair[0], pair[1], false), 8.0)
            << "(" << pair[0].X << "," << pair[0].Y << ")";
    }
}

TEST(PicturesSheet, TwoRunsWriteTheSameBytesAsTheBuild) {
    const auto base =
        std::filesystem::temp_directory_path() / ("veltrano-pictures-" + std::to_string(::getpid()));
    std::string error;
    for (const char* run : {"a", "b"}) {
        std::filesystem::create_directories(base / run);
        ASSERT_TRUE(WritePictures(base / run, &error)) << error;
    }
    for (const char* name : {FileNameOf(BackgroundSheetFile), FileNameOf(CharacterSheetFile)}) {
        const auto a = ReadBytes(base / "a" / name), b = ReadBytes(base / "b" / name);
        EXPECT_GT(a.size(), 1000u) << name;
        EXPECT_EQ(a, b) << name;
        EXPECT_EQ(a, ReadBytes(ProgramFolder / name)) << name << " differs from the build's";
    }
    std::filesystem::remove_all(base);
}
