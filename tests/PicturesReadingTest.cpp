// What a shoot-'em-up lives by: reading danger at a glance. Every scene's backdrop is composed by the
// game itself (its scene init places the tiles, its scroll moves them, its background pass draws
// them), and every enemy bullet, shot and option must read over it: core or rim at 3:1 luminance
// contrast at 99% of the places it can be, and a body colour that the backdrop hardly uses. The
// backdrops stay behind everything that moves.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "engine/CentralSystem.h"
#include "platform/Display.h"
#include "render/Render.h"
#include "render/SpriteCells.h"
#include "stages/Stage.h"
#include "tools/assetgen/PictureMeasure.h"
#include "world/World.h"

using namespace veltrano;
using namespace veltrano::assetgen;

namespace {

// The scenes the ship flies through, each with its own backdrop rules (the boss-only scenes share
// their stage's).
constexpr int PlayScenes[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
// Frames after the init at which the backdrop is looked at: the layers of most stages drift apart.
constexpr int LookFrames[] = {0, 157};

struct Backdrop {
    int Scene, Frame;
    Surface Screen;
    MeasuredBackdrop Measured;
};

struct Pictures {
    Surface Characters;
    std::vector<Backdrop> Backdrops;
    Pictures() {
        const std::filesystem::path folder = VELTRANO_PROGRAM_DIR;
        std::string error;
        EXPECT_TRUE(LoadBitmapFile(BackgroundSheet, (folder / "背景.bmp").string(), &error)) << error;
        EXPECT_TRUE(LoadBitmapFile(Characters, (folder / "キャラクター.bmp").string(), &error)) << error;
        SetKeyColour(BackgroundSheet, PixelAt(BackgroundSheet, 80, 0));
        SetKeyColour(Characters, PixelAt(Characters, 0, 0));
        Backdrops.reserve(std::size(PlayScenes) * std::size(LookFrames));
        for (const int scene : PlayScenes) {
            ResetWorldState();
            Scene = scene;
            SceneInit();
            int frame = 0;
            for (const int look : LookFrames) {
                for (; frame < look; ++frame)
                    for (int tile = 0; tile < TileCount; ++tile) ScrollLayers(tile);
                BackBuffer.Create(ScreenWidth, ScreenHeight, 0x00FF00);
                DrawBackgroundLayers();
                Backdrops.push_back({scene, look, BackBuffer, {}});
            }
        }
        for (Backdrop& b : Backdrops) b.Measured = MeasureBackdrop(b.Screen);
        ResetWorldState();
    }
};

const Pictures& Loaded() {
    static const Pictures pictures;
    return pictures;
}

struct Moving {
    const char* Name;
    SpriteCell Cell;
};

// Every backdrop against every sprite of `sprites`.
void ExpectReadableEverywhere(const std::vector<Moving>& sprites) {
    const Pictures& p = Loaded();
    for (const Moving& m : sprites) {
        const SpriteTones tones = MeasureSprite(p.Characters, m.Cell);
        ASSERT_GT(tones.Pixels, 0) << m.Name;
        for (const Backdrop& b : p.Backdrops) {
            const Readability r = MeasureReadability(tones, m.Cell, b.Measured);
            char where[96];
            std::snprintf(where, sizeof where, "%s over scene %d at frame %d (core %.3f rim %.3f)", m.Name,
                          b.Scene, b.Frame, tones.CoreLuminance, tones.RimLuminance);
            EXPECT_GE(r.ContrastShare, 0.99) << where;
            EXPECT_LE(r.LookAlikeShare, 0.02) << where;
        }
    }
}

std::vector<Moving> EnemyBullets() {
    return {{"large bullet", cells::BulletLarge},
            {"shard bullet", cells::BulletShard},
            {"heavy bullet", cells::BulletHeavy},
            {"small bullet", cells::BulletSmall}};
}

std::vector<Moving> ShotsAndOptions() {
    std::vector<Moving> all;
    static const char* const shots[] = {"shot 1", "shot 2", "shot 3", "shot 4", "shot 5", "shot 6"};
    static const char* const options[] = {"option 1", "option 2", "option 3",
                                          "option 4", "option 5", "option 6"};
    for (int t = 0; t < 6; ++t) {
        all.push_back({shots[t], cells::ShotCells[t]});
        all.push_back({options[t], cells::OptionCells[t]});
    }
    return all;
}

}  // namespace

TEST(PicturesReading, EnemyBulletsReadOverEveryStage) {
    ExpectReadableEverywhere(EnemyBullets());
}

TEST(PicturesReading, ShotsAndOptionsReadOverEveryStage) {
    ExpectReadableEverywhere(ShotsAndOptions());
}

TEST(PicturesReading, BackdropsStayBehindWhatMoves) {
    const Pictures& p = Loaded();
    std::vector<Moving> moving = EnemyBullets();
    for (const Moving& m : ShotsAndOptions()) moving.push_back(m);
    for (const Backdrop& b : p.Backdrops) {
        const double spread = LuminanceSpread(b.Measured), chroma = MeanChroma(b.Measured);
        for (const Moving& m : moving) {
            EXPECT_LT(spread, LuminanceSpread(p.Characters, m.Cell))
                << m.Name << " over scene " << b.Scene << " at frame " << b.Frame;
            EXPECT_LT(chroma, MeanChroma(p.Characters, m.Cell))
                << m.Name << " over scene " << b.Scene << " at frame " << b.Frame;
        }
    }
}
