// The drawing passes of one frame, on sheets of the real sizes. Targets: a busy frame (all three layers
// keyed, 2,000 bullets, 100 enemies, the ship's shots, the display and every cover panel) under 1.5 ms,
// a quiet title frame under 0.5 ms. A refresh between two ticks of the busy frame, drawn 240 times a
// second, under a fifth of a core: 0.83 ms.
#include <benchmark/benchmark.h>

#include "app/Presentation.h"
#include "platform/Display.h"
#include "render/Render.h"
#include "tests/support/FramePasses.h"
#include "world/World.h"

namespace veltrano {
namespace {

// Sheets of the real sizes in which about a third of the pixels are the key colour, as in sprite art.
void MakeBenchSheets() {
    constexpr uint32_t Key = 0xFF00FF;
    auto fill = [](Surface& sheet, int width, int height) {
        sheet.Create(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                sheet.Row(y)[x] = (x * 7 + y * 3) % 3 == 0 ? Key : Rgb(x, y, x ^ y);
        SetKeyColour(sheet, Key);
    };
    fill(BackgroundSheet, BackgroundSheetWidth, BackgroundSheetHeight);
    fill(CharacterSheet, CharacterSheetWidth, CharacterSheetHeight);
    BackBuffer.Create(ScreenWidth, ScreenHeight);
}

void SetUpBusyFrame() {
    ResetWorldState();
    MakeBenchSheets();
    Scene = Stage9Scene;  // keyed squares on all three layers
    for (int i = 0; i < TileCount; ++i) {
        Layer1TileX[i] -= 37, Layer2TileX[i] -= 13, Layer3TileX[i] -= 61;
        Layer1TileY[i] += 11, Layer2TileY[i] -= 29, Layer3TileY[i] += 5;
    }
    PlayerX = 120, PlayerY = 220;
    Option1On = Option2On = 1;
    Option1X = 100, Option1Y = 180, Option2X = 100, Option2Y = 260;
    for (int shot = 0; shot < 300; ++shot) {
        ShotLive[shot * 5] = 1;
        ShotX[shot * 5] = 150 + (shot * 41) % 480;
        ShotY[shot * 5] = (shot * 67) % 470;
    }
    for (int k = 0; k < 100; ++k) {
        const int slot = 2000 + k * 20;  // spread over the large-enemy ranges
        EnemyX[slot] = (k * 113) % 620;
        EnemyY[slot] = (k * 71) % 460;
        EnemyState[slot] = k % 10 == 0 ? StateDestroyed : StateActive;
        EnemyDeadTime[slot] = k % 36;
    }
    for (int k = 0; k < 2000; ++k) {
        const int slot = FirstBulletSlot + k * 5;  // every bullet kind
        EnemyX[slot] = (k * 37) % 640;
        EnemyY[slot] = (k * 53) % 480;
        EnemyState[slot] = StateActive;
    }
    for (int k = 0; k < 3; ++k) EnemyX[713 + k] = 544 + 32 * k, EnemyY[713 + k] = 0;
    for (int k = 0; k < 9; ++k) EnemyX[716 + k] = 16 * k, EnemyY[716 + k] = 0;
    for (int k = 0; k < 7; ++k) EnemyX[725 + k] = 16 * k, EnemyY[725 + k] = 16;
    BossSlot = 16;
    EnemyHP[16] = 345;
    Score = 12345678;
    PlayerSpeed = 10;
    for (uint8_t& on : PanelCellOn) on = 1;
}

void BM_BusyFrame(benchmark::State& state) {
    SetUpBusyFrame();
    for (auto _ : state) {
        DrawFramePasses();
        benchmark::DoNotOptimize(BackBuffer.Pixels.data());
    }
}
BENCHMARK(BM_BusyFrame)->Unit(benchmark::kMicrosecond);

void BM_QuietFrame(benchmark::State& state) {
    ResetWorldState();
    MakeBenchSheets();
    Scene = TitleScene;
    for (auto _ : state) {
        DrawFramePasses();
        benchmark::DoNotOptimize(BackBuffer.Pixels.data());
    }
}
BENCHMARK(BM_QuietFrame)->Unit(benchmark::kMicrosecond);

// Two ticks of the busy frame, everything moved a few pixels between them, then a refresh half a
// tick behind the second: the pictures placed between and drawn into the presentation's surface.
void BM_BusyRefreshBetweenTicks(benchmark::State& state) {
    SetUpBusyFrame();
    auto takeTick = [] {
        TickPicture& picture = PictureToTake();
        TakeBackPicture(picture.Back, TileSetOfScene(Scene));
        WriteDisplayTexts();
        TakeFrontPicture(picture.Front, TileSetOfScene(Scene));
        TakeTopPicture(picture.Top);
        PictureTaken();
    };
    takeTick();
    for (int i = 0; i < TileCount; ++i) Layer1TileX[i] -= 1, Layer2TileX[i] -= 2, Layer3TileX[i] -= 4;
    for (int slot = 0; slot < ObjectSlotCount; ++slot) EnemyX[slot] -= 3, EnemyY[slot] += 2;
    PlayerY -= 4;
    takeTick();
    KeepUnderlay(BackBuffer);
    Surface refresh;
    refresh.Create(ScreenWidth, ScreenHeight);
    for (auto _ : state) {
        DrawPictureBetween(0.5, refresh);
        benchmark::DoNotOptimize(refresh.Pixels.data());
    }
}
BENCHMARK(BM_BusyRefreshBetweenTicks)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace veltrano
