// What a shoot-'em-up lives by: reading danger at a glance. Every stage's backdrop is composed by the
// game itself (its init places the tiles, its script scrolls them, its background pass draws them),
// and everything that flies, hits or is picked up must read over it: the brightest or the darkest
// quarter of its picture at 3:1 luminance contrast against the 8-by-8 spot of backdrop under it, at 99%
// of a thousand spots of every stage. Bullets, shots and options also keep a body colour the backdrop
// hardly uses. The backdrops stay behind everything that moves, hide the grid of their tiles and
// show each stage's world in colour.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/ProgramFiles.h"
#include "render/SpriteCells.h"
#include "tests/support/StageScreens.h"
#include "tools/assetgen/PictureCells.h"
#include "tools/assetgen/PictureKit.h"
#include "tools/assetgen/PictureMeasure.h"

using namespace veltrano;
using namespace veltrano::assetgen;

namespace {

struct Stage {
    std::vector<testdata::StageScreen> Screens;
    std::vector<MeasuredBackdrop> Backdrops;
    std::vector<double> Spots;  // the medians of a thousand spots over the stage's screens
};

struct Pictures {
    Surface Characters;
    std::vector<Stage> Stages;
    Pictures() {
        std::string error;
        const std::filesystem::path folder = VELTRANO_PROGRAM_DIR;
        EXPECT_TRUE(LoadBitmapFile(Characters, (folder / FileNameOf(CharacterSheetFile)).string(), &error))
            << error;
        SetKeyColour(Characters, PixelAt(Characters, 0, 0));
        Stages.resize(testdata::StageCount);
        for (int stage = 1; stage <= testdata::StageCount; ++stage) {
            Stage& s = Stages[stage - 1];
            s.Screens = testdata::ShootStageScreens(stage);
            for (const testdata::StageScreen& screen : s.Screens)
                s.Backdrops.push_back(MeasureBackdrop(screen.Backdrop));
            std::vector<const MeasuredBackdrop*> backdrops;
            for (const MeasuredBackdrop& b : s.Backdrops) backdrops.push_back(&b);
            s.Spots = SpotMedians(backdrops);
        }
    }
};

const Pictures& Loaded() {
    static const Pictures pictures;
    return pictures;
}

SpriteCell CellOf(const PictureCell& c) {
    return {c.X, c.Y, c.W, c.H};
}

// A screen of fine grey grain (every pixel its own shade of a narrow band), with `mark` pixels set to
// a dark line's colour.
template <typename Mark>
Surface GrainScreen(Mark mark) {
    Surface s;
    s.Create(ScreenWidth, ScreenHeight, 0);
    for (int y = 0; y < ScreenHeight; ++y)
        for (int x = 0; x < ScreenWidth; ++x) {
            const int g = 60 + static_cast<int>(Hash(x, y, 3) % 24);
            s.Row(y)[x] = mark(x, y) ? Rgb(10, 10, 10) : Rgb(g, g, g);
        }
    return s;
}

}  // namespace

TEST(PicturesReading, TheSeamRatioSeesLinesOnTheTileGridAndNothingElse) {
    struct Case {
        const char* Name;
        bool (*Mark)(int, int);
        double AtLeast, AtMost;
        bool Rows;
        int Phase;  // -1: any
    } const cases[] = {
        {"grain alone", [](int, int) { return false; }, 1.0, 1.3, false, -1},
        {"a line down every tile's edge", [](int x, int) { return x % 80 == 79; }, 3.0, 1e9, false, 78},
        {"a line along every tile's middle row", [](int, int y) { return y % 80 == 40; }, 3.0, 1e9, true, 39},
        {"seams on the diagonals", [](int x, int y) { return (x + y) % 80 == 0 || (x - y + 640) % 80 == 0; },
         1.0, 1.4, false, -1},
        {"a short mark in every tile", [](int x, int y) { return x % 80 == 20 && y % 80 < 4; }, 1.0, 1.6,
         false, -1},
    };
    for (const Case& c : cases) {
        const SeamMeasure m = MeasureSeams(GrainScreen(c.Mark));
        EXPECT_GE(m.Ratio, c.AtLeast) << c.Name;
        EXPECT_LE(m.Ratio, c.AtMost) << c.Name;
        if (c.Phase >= 0) {
            EXPECT_EQ(m.Rows, c.Rows) << c.Name;
            // The step into the line or out of it, whichever the grain makes the larger.
            EXPECT_TRUE(m.Phase == c.Phase || m.Phase == c.Phase + 1) << c.Name << ": phase " << m.Phase;
        }
    }
    Surface flat;
    flat.Create(ScreenWidth, ScreenHeight, Rgb(40, 40, 40));
    EXPECT_DOUBLE_EQ(MeasureSeams(flat).Ratio, 1.0);
}

TEST(PicturesReading, ASpriteReadsByItsDarkestOrBrightestQuarterAgainstTheSpotMedian) {
    // A 16-by-16 cell: a quarter ink, a quarter white, the rest mid grey; and a cell all mid grey.
    Surface sheet;
    sheet.Create(32, 16, 0xFF00FF);
    SetKeyColour(sheet, 0xFF00FF);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            sheet.Row(y)[x] = y < 4 ? Rgb(0, 0, 0) : y < 8 ? Rgb(255, 255, 255) : Rgb(120, 120, 120);
            sheet.Row(y)[16 + x] = Rgb(120, 120, 120);
        }
    const SpriteExtremes banded = MeasureExtremes(sheet, {0, 0, 16, 16}),
                         grey = MeasureExtremes(sheet, {16, 0, 16, 16});
    EXPECT_EQ(banded.Pixels, 256);
    EXPECT_DOUBLE_EQ(banded.Darkest, 0.0);
    EXPECT_DOUBLE_EQ(banded.Brightest, 1.0);
    const double greyLuminance = RelativeLuminance(Rgb(120, 120, 120));
    EXPECT_NEAR(grey.Darkest, greyLuminance, 1e-12);
    // Over black the white quarter reads, over white the ink; the grey cell reads over neither a grey
    // spot nor one a little darker.
    for (const double spot : {0.0, 0.1, 0.5, 1.0}) EXPECT_TRUE(ReadsOver(banded, spot)) << spot;
    EXPECT_FALSE(ReadsOver(grey, greyLuminance));
    EXPECT_FALSE(ReadsOver(grey, greyLuminance * 0.6));
    EXPECT_TRUE(ReadsOver(grey, 0.0));

    // A spot's median is not moved by a few bright pixels in it: 20 white pixels in a black 8x8 spot.
    Surface screen;
    screen.Create(ScreenWidth, ScreenHeight, 0);
    for (int i = 0; i < 20; ++i) screen.Row(i / 8)[i % 8] = Rgb(255, 255, 255);
    const MeasuredBackdrop measured = MeasureBackdrop(screen);
    EXPECT_DOUBLE_EQ(SpotMedian(measured, 0, 0), 0.0);
    for (int i = 20; i < 40; ++i) screen.Row(i / 8)[i % 8] = Rgb(255, 255, 255);
    EXPECT_DOUBLE_EQ(SpotMedian(MeasureBackdrop(screen), 0, 0), 1.0);
    // A thousand spots over a black screen: the grey cell reads over every one.
    const std::vector<double> medians = SpotMedians({&measured});
    EXPECT_EQ(medians.size(), 1000u);
    EXPECT_DOUBLE_EQ(ReadableSpotShare(grey, medians), 1.0);
}

TEST(PicturesReading, EveryCellDrawnInPlayReadsOverEveryStage) {
    const Pictures& p = Loaded();
    const std::vector<PictureCell> cells = PlayCells();
    // Six ships, six hulls, six shots, six options, the enemies, bosses and four bullets.
    ASSERT_GE(cells.size(), 60u);
    int pairs = 0, passing = 0;
    for (const PictureCell& c : cells) {
        const SpriteExtremes tones = MeasureExtremes(p.Characters, CellOf(c));
        ASSERT_GT(tones.Pixels, 0) << c.Name;
        for (size_t stage = 0; stage < p.Stages.size(); ++stage) {
            const double share = ReadableSpotShare(tones, p.Stages[stage].Spots);
            ++pairs;
            passing += share >= 0.99;
            EXPECT_GE(share, 0.99) << c.Name << " over stage " << stage + 1 << " (darkest quarter "
                                   << tones.Darkest << ", brightest " << tones.Brightest << ")";
            // The backdrop lies in a darker, narrower band than the sprite: its brightest twentieth
            // below the sprite's brightest quarter, its spread below the sprite's.
            for (const MeasuredBackdrop& b : p.Stages[stage].Backdrops) {
                EXPECT_LT(LuminancePercentile(b, 0.95), tones.Brightest)
                    << c.Name << " over stage " << stage + 1;
                EXPECT_LT(LuminanceSpread(b), LuminanceSpread(p.Characters, CellOf(c)))
                    << c.Name << " over stage " << stage + 1;
            }
        }
    }
    std::printf("readable at 99%% of spots: %d of %d cell-and-stage pairs\n", passing, pairs);
}

TEST(PicturesReading, BulletsShotsAndOptionsKeepColoursTheBackdropsHardlyUse) {
    const Pictures& p = Loaded();
    std::vector<SpriteCell> cells = {cells::BulletLarge, cells::BulletShard, cells::BulletHeavy,
                                     cells::BulletSmall};
    for (int t = 0; t < 6; ++t) {
        cells.push_back(cells::ShotCells[t]);
        cells.push_back(cells::OptionCells[t]);
    }
    for (const SpriteCell& cell : cells) {
        const SpriteTones tones = MeasureSprite(p.Characters, cell);
        for (const Stage& s : p.Stages)
            for (size_t i = 0; i < s.Backdrops.size(); ++i)
                EXPECT_LE(MeasureReadability(tones, cell, s.Backdrops[i]).LookAlikeShare, 0.02)
                    << "cell (" << cell.X << "," << cell.Y << ") over stage " << s.Screens[i].Stage
                    << " at frame " << s.Screens[i].Frame;
        for (const Stage& s : p.Stages)
            for (size_t i = 0; i < s.Backdrops.size(); ++i) {
                // Dimmer and greyer than what moves over it: a narrower luminance band, less colour.
                EXPECT_LT(LuminanceSpread(s.Backdrops[i]), LuminanceSpread(p.Characters, cell))
                    << "cell (" << cell.X << "," << cell.Y << ") over stage " << s.Screens[i].Stage;
                EXPECT_LT(MeanChroma(s.Backdrops[i]), MeanChroma(p.Characters, cell))
                    << "cell (" << cell.X << "," << cell.Y << ") over stage " << s.Screens[i].Stage;
            }
    }
}

TEST(PicturesReading, ColourfulnessAndLumaOfAScreenAreHaslerAndSuesstrunksFigures) {
    // A flat grey screen has no colour; one half pure red and half pure green has rg = +-255 (sd 255),
    // yb = 127.5 everywhere (sd 0), so sqrt(255^2) + 0.3 * sqrt(0^2 + 127.5^2) = 293.25.
    Surface grey, halves;
    grey.Create(ScreenWidth, ScreenHeight, Rgb(90, 90, 90));
    halves.Create(ScreenWidth, ScreenHeight, Rgb(255, 0, 0));
    for (int y = 0; y < ScreenHeight / 2; ++y)
        for (int x = 0; x < ScreenWidth; ++x) halves.Row(y)[x] = Rgb(0, 255, 0);
    const ScreenFigures flat = MeasureScreenFigures(grey), split = MeasureScreenFigures(halves);
    EXPECT_NEAR(flat.Colourfulness, 0.0, 1e-9);
    EXPECT_NEAR(flat.MeanLuma, 90.0, 1e-9);
    EXPECT_NEAR(flat.LumaSd, 0.0, 1e-6);
    EXPECT_EQ(flat.Colours, 1);
    EXPECT_NEAR(split.Colourfulness, 255.0 + 0.3 * 127.5, 1e-6);
    EXPECT_NEAR(split.MeanLuma, (0.299 + 0.587) * 255 / 2, 1e-6);
    EXPECT_NEAR(split.LumaSd, (0.587 - 0.299) * 255 / 2, 1e-6);
    EXPECT_EQ(split.Colours, 2);
}

TEST(PicturesReading, BackdropsHideTheGridOfTheirTilesAndShowTheirWorldInColour) {
    const Pictures& p = Loaded();
    for (const Stage& s : p.Stages) {
        double worst = 0, dullest = 1e9;
        for (const testdata::StageScreen& screen : s.Screens) {
            const SeamMeasure m = MeasureSeams(screen.Screen);
            worst = std::max(worst, m.Ratio);
            EXPECT_LE(m.Ratio, 2.0) << "stage " << screen.Stage << " at frame " << screen.Frame << ": "
                                    << (m.Rows ? "row" : "column") << " phase " << m.Phase;
            // Every stage a world of its own colour at a moderate brightness, never a grey one.
            const ScreenFigures look = MeasureScreenFigures(screen.Screen);
            dullest = std::min(dullest, look.Colourfulness);
            EXPECT_GE(look.Colourfulness, 25.0) << "stage " << screen.Stage << " at frame " << screen.Frame;
        }
        std::printf("stage %d: seam ratio %.2f, colourfulness at least %.1f\n", s.Screens.front().Stage,
                    worst, dullest);
    }
}
