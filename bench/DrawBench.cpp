// One frame's worth of drawing through DrawRect: 240 tile copies and 20,000 sprite draws, nearly
// all of them parked off screen and clipped away, as the game's passes issue them. With SDL at hand
// the same colour-keyed work also goes through SDL_BlitSurface for comparison.
#include <benchmark/benchmark.h>

#include "platform/Display.h"
#include "platform/Surface.h"

#ifdef VELTRANO_HAVE_SDL
#include <SDL.h>
#endif

using namespace veltrano;

namespace {

struct Scene {
    Surface Back, Tiles, Sprites;
    Scene() {
        Back.Create(640, 480);
        Tiles.Create(BackgroundSheetWidth, BackgroundSheetHeight);
        Sprites.Create(CharacterSheetWidth, CharacterSheetHeight);
        for (size_t i = 0; i < Tiles.Pixels.size(); ++i)
            Tiles.Pixels[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;
        for (size_t i = 0; i < Sprites.Pixels.size(); ++i)
            Sprites.Pixels[i] = (i % 7 == 0) ? 0xFF00FF : 0x336699 + i;
        SetKeyColour(Sprites, 0xFF00FF);
        SetKeyColour(Tiles, 0xFF00FF);
    }
};

// Where the frame's draws land: 3 layers of 80 tiles, then 20,000 sprites of which 300 are on screen.
template <typename Draw>
void OneFrame(Draw draw) {
    for (int layer = 0; layer < 3; ++layer)
        for (int i = 0; i < 80; ++i)
            draw(true, (i / 8 - 1) * 80 - layer * 13, (i % 8 - 1) * 80, 80, layer > 0);
    for (int k = 0; k < 20000; ++k) {
        const bool onScreen = k % 67 == 0;
        const int x = onScreen ? (k * 37) % 620 : -128;
        const int y = onScreen ? (k * 53) % 460 : -128;
        draw(false, x, y, k % 3 == 0 ? 32 : 16, true);
    }
}

void BM_DrawRectFrame(benchmark::State& state) {
    Scene s;
    for (auto _ : state) {
        OneFrame([&](bool tile, int x, int y, int size, bool keyed) {
            DrawRect(s.Back, x, y, {0, 0, size, size}, tile ? &s.Tiles : &s.Sprites, keyed);
        });
        benchmark::DoNotOptimize(s.Back.Pixels.data());
    }
}
BENCHMARK(BM_DrawRectFrame)->Unit(benchmark::kMillisecond);

#ifdef VELTRANO_HAVE_SDL
void BM_SdlBlitFrame(benchmark::State& state) {
    Scene s;
    auto wrap = [](Surface& surface) {
        return SDL_CreateRGBSurfaceWithFormatFrom(surface.Pixels.data(), surface.Width, surface.Height, 32,
                                                  surface.Width * 4, SDL_PIXELFORMAT_RGB888);
    };
    SDL_Surface* back = wrap(s.Back);
    SDL_Surface* tiles = wrap(s.Tiles);
    SDL_Surface* tilesKeyed = wrap(s.Tiles);
    SDL_Surface* sprites = wrap(s.Sprites);
    SDL_SetColorKey(tilesKeyed, SDL_TRUE, 0xFF00FF);
    SDL_SetColorKey(sprites, SDL_TRUE, 0xFF00FF);
    for (auto _ : state) {
        OneFrame([&](bool tile, int x, int y, int size, bool keyed) {
            SDL_Rect src{0, 0, size, size}, dst{x, y, size, size};
            SDL_BlitSurface(tile ? (keyed ? tilesKeyed : tiles) : sprites, &src, back, &dst);
        });
        benchmark::DoNotOptimize(s.Back.Pixels.data());
    }
    for (SDL_Surface* surface : {back, tiles, tilesKeyed, sprites}) SDL_FreeSurface(surface);
}
BENCHMARK(BM_SdlBlitFrame)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
