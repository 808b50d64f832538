// Pictures for a reviewer, not for the game: the contact sheet (both sheets enlarged, each cut cell
// outlined, numbered and named) and mock screens that lay the tiles and some sprites out the way
// the scenes do, at scroll offsets that are not multiples of a tile, so seams would show.
#include "tools/assetgen/PictureReview.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/ProgramFiles.h"
#include "platform/Display.h"
#include "render/SpriteCells.h"
#include "tools/assetgen/PictureCells.h"
#include "tools/assetgen/PictureCompose.h"
#include "tools/assetgen/PictureKit.h"

namespace veltrano::assetgen {

namespace {

constexpr int Zoom = 3;
constexpr uint32_t Paper = 0x202028;

void FillBox(Surface& s, int x, int y, int w, int h, uint32_t c) {
    for (int j = std::max(0, y); j < std::min(s.Height, y + h); ++j)
        for (int i = std::max(0, x); i < std::min(s.Width, x + w); ++i) s.Row(j)[i] = c;
}

void Frame(Surface& s, int x, int y, int w, int h, uint32_t c) {
    FillBox(s, x, y, w, 1, c);
    FillBox(s, x, y + h - 1, w, 1, c);
    FillBox(s, x, y, 1, h, c);
    FillBox(s, x + w - 1, y, 1, h, c);
}

// The sheet enlarged, with its transparent pixels shown as a grey checkerboard.
void DrawEnlarged(Surface& out, const Surface& sheet, int ox, int oy) {
    for (int y = 0; y < sheet.Height * Zoom; ++y)
        for (int x = 0; x < sheet.Width * Zoom; ++x) {
            const uint32_t p = sheet.Row(y / Zoom)[x / Zoom];
            const bool check = ((x / 4) + (y / 4)) % 2 == 0;
            const uint32_t c = p == sheet.KeyColour ? (check ? 0x3A3A44 : 0x2C2C34) : p;
            if (ox + x < out.Width && oy + y < out.Height) out.Row(oy + y)[ox + x] = c;
        }
}

struct Legend {
    TextCanvas Text;
    int X, Y, Column, ColumnWidth, Bottom;
    void Line(const std::string& s, uint32_t colour) {
        if (Y + 12 > Bottom) {
            X += ColumnWidth;
            Y = Column;
        }
        Text.SetFontColour(colour);
        Text.TextOut(X, Y, s);
        Y += 12;
    }
};

int LaySheet(Surface& out, const Surface& sheet, SheetId id, int ox, int oy, int legendX, int legendWidth,
             const std::string& title) {
    TextCanvas text(out);
    text.SetClearBrush();
    text.SetFontSize(10);
    text.SetFontColour(0xFFFFFF);
    text.TextOut(ox, oy - 18, title);
    DrawEnlarged(out, sheet, ox, oy);
    Legend legend{TextCanvas(out), legendX, oy, oy, legendWidth / 2, oy + sheet.Height * Zoom};
    legend.Text.SetFontSize(8);
    int n = 0;
    for (const PictureCell& c : PictureCellList) {
        if (c.Sheet != id) continue;
        ++n;
        const uint32_t colour = c.Kind == CellKind::Tile      ? 0x40E0F0
                                : c.Kind == CellKind::Overlay ? 0x70F070
                                : c.Kind == CellKind::Block   ? 0xF0A040
                                                              : 0xF0F040;
        Frame(out, ox + c.X * Zoom, oy + c.Y * Zoom, c.W * Zoom, c.H * Zoom, colour);
        const std::string number = std::to_string(n);
        FillBox(out, ox + c.X * Zoom + 1, oy + c.Y * Zoom + 1, 6 * static_cast<int>(number.size()) + 2, 10,
                0x000000);
        TextCanvas tag(out);
        tag.SetFontSize(7);
        tag.SetFontColour(colour);
        tag.TextOut(ox + c.X * Zoom + 2, oy + c.Y * Zoom, number);
        char line[160];
        std::snprintf(line, sizeof line, "%3d  %s  (%d,%d %dx%d)", n, c.Name, c.X, c.Y, c.W, c.H);
        legend.Line(line, colour);
    }
    return n;
}

bool LoadSheets(const std::filesystem::path& folder, Surface& background, Surface& characters,
                std::string* error) {
    if (!LoadBitmapFile(background, (folder / FileNameOf(BackgroundSheetFile)).string(), error) ||
        !LoadBitmapFile(characters, (folder / FileNameOf(CharacterSheetFile)).string(), error))
        return false;
    SetKeyColour(background, PixelAt(background, 80, 0));
    SetKeyColour(characters, PixelAt(characters, 0, 0));
    return true;
}

// A 640x480 screen with the backdrop of `scene`: layers 1 and 2 at offsets that are not multiples
// of a tile, so the joins fall inside the screen. A loud green shows any square the layers leave open.
// Stage 2's two layers scroll together; stage 7's plates drift down past its stripes.
Surface SceneBackdrop(const Surface& background, int scene) {
    Surface screen;
    screen.Create(640, 480, 0x00FF00);
    DrawSceneBackdrop(screen, background, scene, {-37, 0}, {scene == 3 ? -37 : -74, scene == 8 ? 53 : 0});
    return screen;
}

void DrawSprite(Surface& screen, const Surface& sheet, int x, int y, int cx, int cy, int w, int h) {
    DrawRect(screen, x, y, Rect{cx, cy, cx + w, cy + h}, &sheet, true);
}

struct Mock {
    int Scene;
    const char* Name;
};

void DrawHud(Surface& screen, const Surface& ch) {
    const int score[] = {0, 0, 1, 2, 4, 8, 6, 3, 0};
    const int smallX[] = {256, 272, 288, 304, 320, 256, 272, 288, 304, 320};
    const int smallY[] = {96, 96, 96, 96, 96, 112, 112, 112, 112, 112};
    for (int k = 0; k < 9; ++k) DrawSprite(screen, ch, 16 * k, 0, smallX[score[k]], smallY[score[k]], 16, 16);
    DrawSprite(screen, ch, 0, 16, 336, 96, 16, 16);
    DrawSprite(screen, ch, 16, 16, smallX[3], smallY[3], 16, 16);
    DrawSprite(screen, ch, 48, 16, 352, 0, 32, 16);
    for (int k = 0; k < 2; ++k) DrawSprite(screen, ch, 80 + 16 * k, 16, 352, 16, 16, 16);
    DrawSprite(screen, ch, 544, 0, 288, 128, 32, 32);
    DrawSprite(screen, ch, 576, 0, 256, 128, 32, 32);
    DrawSprite(screen, ch, 608, 0, 256, 128, 32, 32);
}

void DrawStageSprites(Surface& screen, const Surface& ch, int scene) {
    const int ship = (scene + 4) % 6;
    DrawSprite(screen, ch, 96, 224, 0, 32 * ship, 32, 32);
    for (int k = 0; k < 4; ++k)
        DrawSprite(screen, ch, 140 + 40 * k, 232, 16 * (ship % 4), ship < 4 ? 192 : 208, 16, 16);
    DrawSprite(screen, ch, 100, 176, 16 * (ship % 4), ship < 4 ? 224 : 240, 16, 16);
    DrawSprite(screen, ch, 100, 288, 16 * (ship % 4), ship < 4 ? 224 : 240, 16, 16);
    for (int k = 0; k < 4; ++k) DrawSprite(screen, ch, 360 + 24 * k, 90 + 10 * k, 64, 160, 16, 16);
    DrawSprite(screen, ch, 400, 380, 64, 32, 32, 32);
    DrawSprite(screen, ch, 330, 330, 96, 64, 32, 32);
    DrawSprite(screen, ch, 280, 140, 192, 0, 64, 64);
    DrawSprite(screen, ch, 250, 300, 160, 0, 32, 32);
    for (int k = 0; k < 6; ++k) DrawSprite(screen, ch, 440 + 14 * k, 250 - 8 * k, 64, 224, 8, 8);
    DrawSprite(screen, ch, 420, 200, 64, 176, 16, 16);
    DrawSprite(screen, ch, 460, 300, 64, 208, 16, 16);
    using namespace cells;
    const SpriteCell bosses[] = {BossOne,         BossTwo,         BossThree,       BossFourFirst,
                                 BossFive,        LateBossCell(0), LateBossCell(1), LateBossCell(2),
                                 LateBossCell(3), LateBossCell(4)};
    const SpriteCell& boss = bosses[std::clamp(scene - 2, 0, 9)];
    DrawSprite(screen, ch, 540, 220, boss.X, boss.Y, boss.W, boss.H);
    if (scene == 3) DrawSprite(screen, ch, 508, 188, 256, 0, 96, 96);
    DrawSprite(screen, ch, 560, 120, 128, 32 + 32 * (scene % 4), 32, 32);
}

// The ship select and the key configuration, every picture where the scene inits put it.
bool WriteMenuMocks(const Surface& background, const Surface& characters, const std::filesystem::path& folder,
                    std::string* error) {
    Surface select = SceneBackdrop(background, 0);
    DrawSprite(select, characters, 64, 128, 256, 384, 32, 32);
    for (int i = 0; i < 6; ++i) DrawSprite(select, characters, 96, 64 + 64 * i, 0, 32 * i, 32, 32);
    DrawSprite(select, characters, 368, 224, 0, 32, 32, 32);
    for (int k = 0; k < 5; ++k) {
        DrawSprite(select, characters, 410 + 40 * k, 232 - 6 * k, 16, 192, 16, 16);
        DrawSprite(select, characters, 410 + 40 * k, 232 + 6 * k, 16, 192, 16, 16);
    }
    DrawSprite(select, characters, 368, 176, 16, 224, 16, 16);
    DrawSprite(select, characters, 368, 288, 16, 224, 16, 16);
    if (!SavePng(select, (folder / "shipselect.png").string(), error)) return false;

    Surface keys = SceneBackdrop(background, -1);
    DrawSprite(keys, characters, 64, 240, 256, 384, 32, 32);
    DrawSprite(keys, characters, 96, 64, 320, 416, 32, 32);
    DrawSprite(keys, characters, 96, 128, 128, 416, 112, 32);
    DrawSprite(keys, characters, 96, 192, 256, 480, 128, 32);
    DrawSprite(keys, characters, 128, 240, 256, 512, 32, 32);
    DrawSprite(keys, characters, 128, 288, 288, 512, 32, 32);
    DrawSprite(keys, characters, 128, 336, 320, 512, 32, 32);
    DrawSprite(keys, characters, 128, 384, 256, 544, 112, 32);
    DrawSprite(keys, characters, 288, 128, 32, 448, 32, 32);
    const int button[4][2] = {{160, 448}, {192, 448}, {224, 448}, {96, 416}};  // 1, 2, 3 and 9
    for (int k = 0; k < 4; ++k)
        DrawSprite(keys, characters, 288, 240 + 48 * k, button[k][0], button[k][1], 32, 32);
    return SavePng(keys, (folder / "keyconfig.png").string(), error);
}

// The long burst as the game plays it, one column per six frames, over stage 1 and stage 9; below,
// the ship's own burst in its three steps.
bool WriteBurstMock(const Surface& background, const Surface& characters, const std::filesystem::path& folder,
                    std::string* error) {
    Surface screen = SceneBackdrop(background, 2);
    const Surface space = SceneBackdrop(background, 10);
    DrawRect(screen, 0, 240, Rect{0, 0, 640, 240}, &space, false);
    // The game's own explosion frames, each at its offset from the exploding slot.
    auto drawFrames = [&](const auto& frames, int y) {
        int k = 0;
        for (const AnimationFrame& f : frames) {
            const SpriteCell& c = f.Cell;
            DrawSprite(screen, characters, 40 + 100 * k++ + f.Offset, y + f.Offset, c.X, c.Y, c.W, c.H);
        }
    };
    for (int row = 0; row < 2; ++row) {
        drawFrames(cells::LongBurstFrames, 60 + 240 * row);
        drawFrames(cells::ShipExplosionFrames, 170 + 240 * row);
    }
    return SavePng(screen, (folder / "bursts.png").string(), error);
}

// The screens where words or blocks stand over a backdrop: the score list's black text on the title
// sky, the continue countdown's numeral (nine) built from armoured hulls over stage 1, and the
// staff roll's white credits over stage 10's core.
bool WriteTextMocks(const Surface& background, const Surface& characters, const std::filesystem::path& folder,
                    std::string* error) {
    Surface scores = SceneBackdrop(background, -2);
    TextCanvas text(scores);
    text.SetFontColour(0);
    text.SetFontSize(28);
    text.TextOut((640 - text.TextWidth("得点一覧")) / 2, 32, "得点一覧");
    const char* ranks[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};
    for (int i = 1; i <= 10; ++i) {
        text.TextOut(128, i * text.TextHeight("あ") + 48, ranks[i - 1]);
        text.TextOut(320, i * text.TextHeight("0") + 48,
                     std::to_string(1000000 / i).insert(0, i > 1 ? 3 : 2, '0'));
    }
    if (!SavePng(scores, (folder / "scorelist.png").string(), error)) return false;

    Surface countdown = SceneBackdrop(background, 2);
    const int nine[][2] = {{256, 112}, {256, 144}, {192, 176}, {224, 176}, {256, 176}, {288, 176}, {320, 176},
                           {352, 176}, {256, 208}, {352, 208}, {256, 240}, {352, 240}, {256, 272}, {352, 272},
                           {256, 304}, {352, 304}, {416, 304}, {224, 336}, {384, 336}, {416, 336}};
    for (const auto& b : nine) DrawSprite(countdown, characters, b[0], b[1], 32, 160, 32, 32);
    if (!SavePng(countdown, (folder / "countdown.png").string(), error)) return false;

    Surface staff = SceneBackdrop(background, 24);
    TextCanvas credits(staff);
    credits.SetFontColour(0xFFFFFF);
    credits.SetFontSize(48);
    credits.TextOut(80, 20, "画像作成");
    credits.TextOut(80, 120, "Thank you");
    return SavePng(staff, (folder / "staffroll.png").string(), error);
}

}  // namespace

bool WriteContactSheet(const std::filesystem::path& programFolder, const std::filesystem::path& png,
                       std::string* error) {
    Surface background, characters;
    if (!LoadSheets(programFolder, background, characters, error)) return false;
    Surface out;
    const int top = 40;
    const int charLegendX = 20 + CharacterSheetWidth * Zoom + 16;
    const int bgX = charLegendX + 250;
    const int bgLegendX = bgX + BackgroundSheetWidth * Zoom + 16;
    out.Create(bgLegendX + 330, top + CharacterSheetHeight * Zoom + 20, Paper);
    const std::string zoom = " (x" + std::to_string(Zoom) + ")";
    LaySheet(out, characters, SheetId::Character, 20, top, charLegendX, 500,
             FileNameOf(CharacterSheetFile) + zoom);
    LaySheet(out, background, SheetId::Background, bgX, top, bgLegendX, 500,
             FileNameOf(BackgroundSheetFile) + zoom);
    TextCanvas text(out);
    text.SetFontSize(8);
    int y = top + BackgroundSheetHeight * Zoom + 30;
    const std::pair<uint32_t, const char*> keys[] = {{0x40E0F0, "tile: fully opaque (lowest layer)"},
                                                     {0x70F070, "overlay: keyed tile"},
                                                     {0xF0F040, "sprite: keyed, clear border"},
                                                     {0xF0A040, "block: keyed, may fill its cell"}};
    for (const auto& [colour, what] : keys) {
        FillBox(out, bgX, y + 2, 10, 10, colour);
        text.SetFontColour(0xFFFFFF);
        text.TextOut(bgX + 16, y, what);
        y += 16;
    }
    return SavePng(out, png.string(), error);
}

bool WriteMockScreens(const std::filesystem::path& programFolder, const std::filesystem::path& folder,
                      std::string* error) {
    Surface background, characters;
    if (!LoadSheets(programFolder, background, characters, error)) return false;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const Mock mocks[] = {{1, "title"},  {2, "stage1"},  {3, "stage2"},   {4, "stage3"},
                          {5, "stage4"}, {6, "stage5"},  {7, "stage6"},   {8, "stage7"},
                          {9, "stage8"}, {10, "stage9"}, {11, "stage10"}, {25, "ending"}};
    for (const Mock& m : mocks) {
        Surface screen = SceneBackdrop(background, m.Scene);
        if (m.Scene == 1) {
            DrawSprite(screen, characters, 128, 64, 0, 256, 128, 128);
            DrawSprite(screen, characters, 256, 64, 128, 256, 128, 128);
            DrawSprite(screen, characters, 384, 64, 256, 256, 128, 128);
            DrawSprite(screen, characters, 240, 288, 0, 384, 160, 32);
            DrawSprite(screen, characters, 272, 352, 160, 384, 96, 32);
            DrawSprite(screen, characters, 208, 288, 256, 384, 32, 32);
        } else if (m.Scene >= 2 && m.Scene <= 11) {
            DrawStageSprites(screen, characters, m.Scene);
        } else if (m.Scene == 25) {
            TextCanvas text(screen);
            text.SetFontColour(0xFFFFFF);
            text.SetFontSize(24);
            text.TextOut(80, 64, "あなたはコンテニューすることなく");
            text.TextOut(80, 128, "ゲームをクリアすることに成功しました。");
        }
        if (m.Scene != 6 && m.Scene != 7)
            DrawSceneForeground(screen, background, m.Scene, {-150, m.Scene == 5 ? -200 : 0});
        if (m.Scene >= 2 && m.Scene <= 11) DrawHud(screen, characters);
        if (m.Scene == 6) DrawSprite(screen, characters, 256, 176, 0, 480, 128, 128);  // game over
        if (!SavePng(screen, (folder / (std::string(m.Name) + ".png")).string(), error)) return false;
    }
    return WriteTextMocks(background, characters, folder, error) &&
           WriteBurstMock(background, characters, folder, error) &&
           WriteMenuMocks(background, characters, folder, error);
}

}  // namespace veltrano::assetgen
