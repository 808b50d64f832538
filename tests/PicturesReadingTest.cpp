// What a shoot-'em-up lives by: reading danger at a glance. Every stage's backdrop is composed by the
// game itself (its init places the tiles, its script scrolls them, its background pass draws them),
// and everything that flies, hits or is picked up must read over it: the brightest or the darkest
// quarter of its picture at 3:1 luminance contrast against the 8-by-8 spot of backdrop under it, at 99%
// of a thousand spots of every stage. Bullets, shots and options also keep a body colour the backdrop
// hardly uses. The backdrops stay behind everything that moves, and hide the grid of their tiles.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "render/SpriteCells.h"
#include "tests/support/StageScreens.h"
#include "tools/assetgen/PictureCells.h"
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
        EXPECT_TRUE(LoadBitmapFile(Characters, (folder / "キャラクター.bmp").string(), &error)) << error;
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

// The cells drawn in play: the list from the first ship to the last enemy bullet (ships, their
// armoured hulls, shots, options, enemies, walls, debris, guns, items and carrier, bosses and their
// parts, bullets). Bursts, the head-up display and the menus are not in that run of the list.
std::vector<PictureCell> PlayCells() {
    std::vector<PictureCell> cells;
    bool inPlay = false;
    for (const PictureCell& c : PictureCellList) {
        if (c.Sheet != SheetId::Character) continue;
        if (c.X == cells::ShipCell(0).X && c.Y == cells::ShipCell(0).Y) inPlay = true;
        if (inPlay) cells.push_back(c);
        if (c.X == cells::BulletSmall.X && c.Y == cells::BulletSmall.Y) break;
    }
    return cells;
}

SpriteCell CellOf(const PictureCell& c) {
    return {c.X, c.Y, c.W, c.H};
}

}  // namespace

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

TEST(PicturesReading, BackdropsHideTheGridOfTheirTiles) {
    const Pictures& p = Loaded();
    for (const Stage& s : p.Stages) {
        double worst = 0;
        for (const testdata::StageScreen& screen : s.Screens) {
            const SeamMeasure m = MeasureSeams(screen.Scenery);
            worst = std::max(worst, m.Ratio);
            EXPECT_LE(m.Ratio, 2.0) << "stage " << screen.Stage << " at frame " << screen.Frame << ": "
                                    << (m.Rows ? "row" : "column") << " phase " << m.Phase;
        }
        std::printf("stage %d: seam ratio %.2f\n", s.Screens.front().Stage, worst);
    }
}
