// Test sheets for the drawing passes: every pixel of both sheets holds its own sheet and position, so a
// back-buffer pixel tells which cell was drawn there and from which point of it. A sparse grid of
// pixels holds the key colour, so a keyed copy leaves those points of the back buffer untouched.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/Display.h"
#include "render/Render.h"
#include "tests/support/FramePasses.h"
#include "world/World.h"

namespace veltrano::rendertest {

constexpr uint32_t Untouched = 0xABCDEF;  // the back buffer before a draw
constexpr uint32_t KeyColour = 0xFF00FF;
constexpr uint32_t BackgroundTag = 0x800000;

// One pixel of each 8-by-8 block is the key: offset (3, 5) of every cell, as cells start on 8-pixel steps.
constexpr int KeyDX = 3, KeyDY = 5;
inline bool IsKeyPoint(int x, int y) {
    return x % 8 == KeyDX && y % 8 == KeyDY;
}

inline uint32_t CharacterCode(int x, int y) {
    return (static_cast<uint32_t>(x) << 12) | static_cast<uint32_t>(y);
}
inline uint32_t BackgroundCode(int x, int y) {
    return BackgroundTag | CharacterCode(x, y);
}

inline void FillSheet(Surface& sheet, int width, int height, uint32_t (*code)(int, int)) {
    sheet.Create(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) sheet.Row(y)[x] = IsKeyPoint(x, y) ? KeyColour : code(x, y);
    SetKeyColour(sheet, KeyColour);
}

inline void ClearBackBuffer() {
    BackBuffer.Create(ScreenWidth, ScreenHeight, Untouched);
}

// The world at its start values, both sheets at their real sizes and an untouched back buffer.
inline void StartRenderTest() {
    ResetWorldState();
    FillSheet(BackgroundSheet, BackgroundSheetWidth, BackgroundSheetHeight, BackgroundCode);
    FillSheet(CharacterSheet, CharacterSheetWidth, CharacterSheetHeight, CharacterCode);
    ClearBackBuffer();
}

// What the back buffer shows at (x, y): "untouched", "key", or the sheet point that was copied there,
// written as the top-left corner of the cell that starts (dx, dy) before it: "char(96,64)".
inline std::string ShownAt(int x, int y, int dx = 0, int dy = 0) {
    const uint32_t p = PixelAt(BackBuffer, x, y);
    if (p == Untouched) return "untouched";
    if (p == KeyColour) return "key";
    const bool background = (p & BackgroundTag) != 0;
    const int sx = static_cast<int>((p & ~BackgroundTag) >> 12), sy = static_cast<int>(p & 0xFFF);
    char text[48];
    std::snprintf(text, sizeof text, "%s(%d,%d)", background ? "back" : "char", sx - dx, sy - dy);
    return text;
}

// Checks that the w-by-h cell (cx, cy) of the character sheet stands with its top-left corner at
// (x, y): its corners and centre (those on the screen) show the matching sheet points, and its key
// point shows what was below it.
inline ::testing::AssertionResult SpriteAt(int cx, int cy, int w, int h, int x, int y) {
    const int points[][2] = {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {w / 2, h / 2}};
    for (const auto& p : points) {
        const int px = x + p[0], py = y + p[1];
        if (px < 0 || py < 0 || px >= ScreenWidth || py >= ScreenHeight) continue;
        if (PixelAt(BackBuffer, px, py) != CharacterCode(cx + p[0], cy + p[1]))
            return ::testing::AssertionFailure()
                   << "at (" << px << "," << py << ") expected char(" << cx << "," << cy << ") offset ("
                   << p[0] << "," << p[1] << "), shown " << ShownAt(px, py, p[0], p[1]);
    }
    if (PixelAt(BackBuffer, x + KeyDX, y + KeyDY) == KeyColour)
        return ::testing::AssertionFailure()
               << "the sprite at (" << x << "," << y << ") was copied without its key";
    return ::testing::AssertionSuccess();
}

}  // namespace veltrano::rendertest
