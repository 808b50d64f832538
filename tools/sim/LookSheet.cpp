#include "tools/sim/LookSheet.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/headless/HeadlessGame.h"
#include "platform/Display.h"
#include "stages/Scenes.h"
#include "stages/Stage.h"
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
        game.Frame();
        if (!look) continue;
        const assetgen::ScreenFigures figures = assetgen::MeasureScreenFigures(BackBuffer);
        std::printf("%-8s frame %4d  scene %2d  colourfulness %5.1f  mean luma %5.1f  luma sd %5.1f  colours %5d\n",
                    looked.Name.c_str(), f, Scene, figures.Colourfulness, figures.MeanLuma, figures.LumaSd,
                    figures.Colours);
        if (looked.Figures.empty()) looked.First = BackBuffer;
        looked.Figures.push_back(figures);
    }
    BackBuffer.DropsPixels = false;
    return looked;
}

}  // namespace

bool WriteLookSheet(const LookOptions& o) {
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
    std::string error;
    if (!SavePng(sheet, o.Sheet, &error)) {
        std::fprintf(stderr, "sim: %s\n", error.c_str());
        return false;
    }
    return true;
}

}  // namespace veltrano
