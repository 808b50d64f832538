// What the pictures must do for the player, measured: text stays readable on the backdrops it is
// written over, ships and bosses are told apart, the bursts grow, the countdown blocks read solid,
// the bosses stand out as the centrepieces of their stages.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "app/ProgramFiles.h"
#include "platform/Surface.h"
#include "tools/assetgen/PictureCells.h"
#include "tools/assetgen/PictureKit.h"
#include "tools/assetgen/PictureMeasure.h"

using namespace veltrano;
using namespace veltrano::assetgen;

namespace {

struct Loaded {
    Surface Background, Characters;
    Loaded() {
        const std::filesystem::path folder = VELTRANO_PROGRAM_DIR;
        std::string error;
        EXPECT_TRUE(LoadBitmapFile(Background, (folder / FileNameOf(BackgroundSheetFile)).string(), &error))
            << error;
        EXPECT_TRUE(LoadBitmapFile(Characters, (folder / FileNameOf(CharacterSheetFile)).string(), &error))
            << error;
        SetKeyColour(Background, KeyColour);
        SetKeyColour(Characters, KeyColour);
    }
};

const Loaded& Sheets() {
    static const Loaded loaded;
    return loaded;
}

// Relative luminance in [0, 1].
double Luma(uint32_t c) {
    return (0.299 * ((c >> 16) & 255) + 0.587 * ((c >> 8) & 255) + 0.114 * (c & 255)) / 255.0;
}

struct Stats {
    double MinLuma = 1, MaxLuma = 0, MeanLuma = 0;
    int Opaque = 0;
};

Stats Measure(const Surface& s, int x0, int y0, int w, int h) {
    Stats st;
    double sum = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) {
            const uint32_t c = PixelAt(s, x, y);
            if (c == KeyColour) continue;
            ++st.Opaque;
            const double l = Luma(c);
            st.MinLuma = std::min(st.MinLuma, l);
            st.MaxLuma = std::max(st.MaxLuma, l);
            sum += l;
        }
    st.MeanLuma = st.Opaque ? sum / st.Opaque : 0;
    return st;
}

// The share of pixels in which two equal-sized cells differ (transparency counts as a colour).
double Difference(const Surface& s, int ax, int ay, int bx, int by, int w, int h) {
    int differ = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) differ += PixelAt(s, ax + x, ay + y) != PixelAt(s, bx + x, by + y);
    return static_cast<double>(differ) / (w * h);
}

}  // namespace

TEST(PicturesLook, TextStaysReadableOnTheBackdropsItIsWrittenOver) {
    const Surface& bg = Sheets().Background;
    // The score list writes black text on the title sky: every pixel of it must be light.
    EXPECT_GT(Measure(bg, 240, 80, 80, 80).MinLuma, 0.6);
    // The ending writes white text on the curtain, which also closes the screen after a boss.
    const Stats curtain = Measure(bg, 240, 0, 80, 80);
    EXPECT_LT(curtain.MaxLuma, 0.3);
    EXPECT_LT(curtain.MeanLuma, 0.15);
    // The staff roll writes white credits over five backdrops; none of their tiles may be pale.
    for (const auto& tile : {std::pair{240, 400},
                             {160, 400},
                             {160, 320},
                             {240, 320},
                             {0, 0},
                             {160, 0},
                             {160, 240},
                             {0, 240},
                             {80, 240}})
        EXPECT_LT(Measure(bg, tile.first, tile.second, 80, 80).MeanLuma, 0.5)
            << tile.first << "," << tile.second;
}

TEST(PicturesLook, ShipsBossesAndItemsAreToldApart) {
    const Surface& ch = Sheets().Characters;
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b)
            EXPECT_GT(Difference(ch, 0, 32 * a, 0, 32 * b, 32, 32), 0.3)
                << "ships " << a + 1 << " and " << b + 1;
    std::vector<const PictureCell*> bosses;
    for (const PictureCell& c : PictureCellList)
        if (c.W == 32 &&
            (std::string(c.Name).rfind("Boss", 0) == 0 || std::string(c.Name).rfind("God", 0) == 0))
            bosses.push_back(&c);
    EXPECT_EQ(bosses.size(), 16u);  // eleven stage bosses, the last stage's three guards, the god twice
    for (size_t a = 0; a < bosses.size(); ++a)
        for (size_t b = a + 1; b < bosses.size(); ++b)
            EXPECT_GT(Difference(ch, bosses[a]->X, bosses[a]->Y, bosses[b]->X, bosses[b]->Y, 32, 32), 0.3)
                << bosses[a]->Name << " and " << bosses[b]->Name;
    const int items[][2] = {{96, 64}, {128, 32}, {128, 64}, {128, 96}, {128, 128}};
    for (int a = 0; a < 5; ++a)
        for (int b = a + 1; b < 5; ++b)
            EXPECT_GT(Difference(ch, items[a][0], items[a][1], items[b][0], items[b][1], 32, 32), 0.15);
}

TEST(PicturesLook, BurstFramesGrowFromAFlashToAFireball) {
    const Surface& ch = Sheets().Characters;
    const int flash = Measure(ch, 80, 208, 16, 16).Opaque;
    const int ball = Measure(ch, 160, 0, 32, 32).Opaque;
    const int rising = Measure(ch, 192, 64, 64, 64).Opaque;
    const int peak = Measure(ch, 192, 0, 64, 64).Opaque;
    EXPECT_LT(flash, ball);
    EXPECT_LT(ball, rising);
    EXPECT_LT(rising, peak);
    // The ship's own burst grows too, and burns in other colours than an enemy's.
    EXPECT_LT(Measure(ch, 160, 224, 16, 16).Opaque, Measure(ch, 160, 192, 32, 32).Opaque);
    EXPECT_GT(Difference(ch, 160, 192, 160, 0, 32, 32), 0.5);
}

TEST(PicturesLook, CountdownBlocksReadAsSolidSquaresAroundTheirShip) {
    const Surface& ch = Sheets().Characters;
    for (int t = 0; t < 6; ++t) {
        EXPECT_GT(Measure(ch, 32, 32 * t, 32, 32).Opaque, 32 * 32 * 95 / 100) << "block " << t + 1;
        // The armoured hull is its own ship: the ship's pixels show through the plating.
        int same = 0, ship = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const uint32_t c = PixelAt(ch, x, 32 * t + y);
                if (c == KeyColour) continue;
                ++ship;
                same += c == PixelAt(ch, 32 + x, 32 * t + y);
            }
        EXPECT_GT(same, ship * 9 / 10) << "block " << t + 1;
    }
}

TEST(PicturesLook, BossesAreTheCentrepiecesRicherThanTheEnemiesAndHaloedInLight) {
    const Surface& ch = Sheets().Characters;
    auto isBoss = [](const PictureCell& c) {
        const std::string name = c.Name;
        return name.rfind("Boss", 0) == 0 || name.rfind("God", 0) == 0;
    };
    // The ordinary enemies: every floating 16- or 32-pixel sprite between the items and the bullets.
    std::vector<double> enemyChroma;
    for (const SpriteCell* enemy :
         {&cells::Turret, &cells::Debris, &cells::Mine, &cells::Drone, &cells::PartOrb, &cells::Pod,
          &cells::HeavyCraftA, &cells::HeavyCraftB, &cells::HeavyCraftC, &cells::HeavyCraftD,
          &cells::Interceptor, &cells::SmallFlier, &cells::Gunner, &cells::Scout})
        enemyChroma.push_back(MeanChroma(ch, *enemy));
    std::sort(enemyChroma.begin(), enemyChroma.end());
    const double typicalEnemy = enemyChroma[enemyChroma.size() / 2];
    for (const PictureCell& c : PictureCellList) {
        if (!isBoss(c) || c.SeeThrough) continue;
        const SpriteCell cell{c.X, c.Y, c.W, c.H};
        EXPECT_GT(MeanChroma(ch, cell), typicalEnemy) << c.Name;
        // The outermost ring of the picture is light: it parts the boss from its own dark-rimmed bullets.
        int ring = 0, light = 0;
        for (int y = c.Y; y < c.Y + c.H; ++y)
            for (int x = c.X; x < c.X + c.W; ++x) {
                if (PixelAt(ch, x, y) == KeyColour) continue;
                const bool edge = PixelAt(ch, x - 1, y) == KeyColour || PixelAt(ch, x + 1, y) == KeyColour ||
                                  PixelAt(ch, x, y - 1) == KeyColour || PixelAt(ch, x, y + 1) == KeyColour;
                if (!edge) continue;
                ++ring;
                light += RelativeLuminance(PixelAt(ch, x, y)) > 0.6;
            }
        EXPECT_GT(light, ring * 9 / 10) << c.Name;
    }
}
