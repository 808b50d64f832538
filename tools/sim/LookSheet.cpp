#include "tools/sim/LookSheet.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/ProgramFiles.h"
#include "app/headless/HeadlessGame.h"
#include "platform/Display.h"
#include "render/Picture.h"
#include "render/Render.h"
#include "stages/SceneTable.h"
#include "stages/Scenes.h"
#include "stages/Stage.h"
#include "tools/assetgen/PictureCells.h"
#include "tools/assetgen/PictureMeasure.h"
#include "tools/pilot/Pilot.h"
#include "world/World.h"

namespace veltrano {

namespace {

constexpr int Columns = 4;

struct Looked {
    std::string Name;
    Surface First;  // the first screen measured
    std::vector<assetgen::ScreenFigures> Figures;
    std::vector<Surface> Backdrops;  // layers 1 and 2 under each screen measured: what sprites cross
};

// Plays `scene` (the title when it is TitleScene: the game as it starts, nobody at the keys) and
// measures its screens.
Looked LookAt(const LookOptions& o, int scene) {
    Looked looked;
    looked.Name = scene == TitleScene ? "title" : "stage " + std::to_string(scene - Stage1Scene + 1);
    HeadlessGame game(o.Data);
    if (scene != TitleScene) {
        // A ship select's start, as the player's confirm makes it.
        EnterScene(ShipSelectScene);
        StartScene = scene;
        ShotType = 1;
        game.Platform.Press(Vk::Space);
        game.Frame();
        game.Platform.ReleaseAll();
    }
    Pilot pilot(PilotOptions{.Flight = PilotFlight::Park, .Fire = o.Fire, .Untouchable = true});
    for (int f = 1; f <= o.Frames; ++f) {
        const bool look = f % o.Every == 0;
        BackBuffer.DropsPixels = !look;
        if (scene != TitleScene) {
            pilot.Steer(game.Platform.Input);
            PlayerUntouchable = 1;
        }
        if (look) {
            static BackPicture picture;  // large: kept out of the stack
            TakeBackPicture(picture, TileSetOfScene(Scene));
            DrawBackgroundLayers(picture, BackBuffer);
            looked.Backdrops.push_back(BackBuffer);
        }
        game.Frame();
        if (!look) continue;
        const assetgen::ScreenFigures figures = assetgen::MeasureScreenFigures(BackBuffer);
        std::printf(
            "%-8s frame %4d  scene %2d  colourfulness %5.1f  mean luma %5.1f  luma sd %5.1f  colours %5d\n",
            looked.Name.c_str(), f, Scene, figures.Colourfulness, figures.MeanLuma, figures.LumaSd,
            figures.Colours);
        if (looked.Figures.empty()) looked.First = BackBuffer;
        looked.Figures.push_back(figures);
    }
    BackBuffer.DropsPixels = false;
    return looked;
}

// How every cell drawn in play reads over the stage's backdrops, the way the picture tests measure
// it: the share of a thousand spots over which its darkest or brightest quarter stands at 3:1.
void PrintReadability(const Looked& l, const Surface& characters) {
    std::vector<assetgen::MeasuredBackdrop> measured;
    for (const Surface& b : l.Backdrops) measured.push_back(assetgen::MeasureBackdrop(b));
    std::vector<const assetgen::MeasuredBackdrop*> backdrops;
    for (const assetgen::MeasuredBackdrop& m : measured) backdrops.push_back(&m);
    const std::vector<double> spots = assetgen::SpotMedians(backdrops);
    const std::vector<assetgen::PictureCell> cells = assetgen::PlayCells();
    int reading = 0;
    double wall = 0, lowest = 2;
    std::string lowestName;
    for (const assetgen::PictureCell& c : cells) {
        const double share = assetgen::ReadableSpotShare(
            assetgen::MeasureExtremes(characters, SpriteCell{c.X, c.Y, c.W, c.H}), spots);
        reading += share >= 0.99;
        if (c.X == cells::WallBlock.X && c.Y == cells::WallBlock.Y) wall = share;
        if (share < lowest) {
            lowest = share;
            lowestName = c.Name;
        }
    }
    std::printf("%-8s  readable at 99%% of spots: %d of %zu cells; wall block %.1f%%, lowest %s %.1f%%\n",
                l.Name.c_str(), reading, cells.size(), 100 * wall, lowestName.c_str(), 100 * lowest);
}

}  // namespace

bool WriteLookSheet(const LookOptions& o) {
    Surface characters;
    std::string error;
    if (!LoadBitmapFile(characters, (std::filesystem::path(o.Data) / FileNameOf(CharacterSheetFile)).string(),
                        &error)) {
        std::fprintf(stderr, "sim: %s\n", error.c_str());
        return false;
    }
    SetKeyColour(characters, PixelAt(characters, 0, 0));
    std::vector<Looked> all;
    all.push_back(LookAt(o, TitleScene));
    for (int scene = Stage1Scene; scene <= Stage10Scene; ++scene) all.push_back(LookAt(o, scene));
    std::printf("\n%-8s  %-21s  %-9s  %-9s  %s\n", "", "colourfulness min/mean", "mean luma", "luma sd",
                "colours");
    Surface sheet;
    const int rows = (static_cast<int>(all.size()) + Columns - 1) / Columns;
    constexpr int Label = 24;
    sheet.Create(Columns * ScreenWidth, rows * (ScreenHeight + Label), 0x202028);
    for (size_t i = 0; i < all.size(); ++i) {
        const Looked& l = all[i];
        if (l.Figures.empty()) continue;
        double lowest = 1e9, colour = 0, luma = 0, sd = 0, colours = 0;
        for (const assetgen::ScreenFigures& f : l.Figures) {
            lowest = std::min(lowest, f.Colourfulness);
            colour += f.Colourfulness;
            luma += f.MeanLuma;
            sd += f.LumaSd;
            colours += f.Colours;
        }
        const double n = static_cast<double>(l.Figures.size());
        std::printf("%-8s  %9.1f / %-9.1f  %9.1f  %9.1f  %7.0f\n", l.Name.c_str(), lowest, colour / n,
                    luma / n, sd / n, colours / n);
        const int x = static_cast<int>(i % Columns) * ScreenWidth,
                  y = static_cast<int>(i / Columns) * (ScreenHeight + Label);
        DrawRect(sheet, x, y + Label, Rect{0, 0, ScreenWidth, ScreenHeight}, &l.First, false);
        TextCanvas text(sheet);
        text.SetClearBrush();
        text.SetFontSize(11);
        text.SetFontColour(0xFFFFFF);
        char caption[160];
        std::snprintf(caption, sizeof caption, "%s, frame %d: colourfulness %.1f, mean luma %.1f",
                      l.Name.c_str(), o.Every, l.Figures.front().Colourfulness, l.Figures.front().MeanLuma);
        text.TextOut(x + 6, y + 4, caption);
    }
    std::printf("\n");
    for (const Looked& l : all)
        if (l.Name != "title" && !l.Backdrops.empty()) PrintReadability(l, characters);
    if (!SavePng(sheet, o.Sheet, &error)) {
        std::fprintf(stderr, "sim: %s\n", error.c_str());
        return false;
    }
    return true;
}

}  // namespace veltrano
