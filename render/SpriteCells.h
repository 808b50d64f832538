// Cells of the character sheet and the explosion animations, shared by the sprite and display passes.
// Every sprite is a keyed copy from CharacterSheet onto BackBuffer.
#pragma once

#include "platform/Display.h"
#include "platform/Surface.h"

namespace veltrano {

// The rectangle (X, Y)-(X + W, Y + H) of CharacterSheet; a width of 0 is no picture at all.
struct SpriteCell {
    int X = 0, Y = 0, W = 0, H = 0;
    constexpr bool Drawn() const { return W > 0; }
};

constexpr SpriteCell NoSprite{};

// Most of the 20,000 slots drawn each frame are parked off the screen: those are turned away here,
// before the call, exactly where DrawRect would clip them to nothing.
inline void DrawSprite(const SpriteCell& cell, int x, int y) {
    if (!cell.Drawn() || x >= BackBuffer.Width || y >= BackBuffer.Height || x <= -cell.W || y <= -cell.H)
        return;
    DrawRect(BackBuffer, x, y, Rect{cell.X, cell.Y, cell.X + cell.W, cell.Y + cell.H}, &CharacterSheet, true);
}

// Cell `value` of a table of `count` cells indexed from `first`, or no picture for any other value.
inline SpriteCell CellByValue(const SpriteCell* cells, int count, int first, int value) {
    const unsigned index = static_cast<unsigned>(value) - static_cast<unsigned>(first);
    return index < static_cast<unsigned>(count) ? cells[index] : NoSprite;
}

// An explosion is a list of pictures, each shown for six frames and drawn at (X + Offset, Y + Offset).
struct AnimationFrame {
    SpriteCell Cell;
    int Offset = 0;
};

struct Animation {
    const AnimationFrame* Frames;
    int Count;
};

constexpr int AnimationFrameLength = 6;

// Frame `t` of the animation at (x, y). The count is compared unsigned, so a negative t (a timer that
// has not started) shows nothing rather than indexing before the list.
inline void DrawAnimation(const Animation& animation, int t, int x, int y) {
    const unsigned frame = static_cast<unsigned>(t) / AnimationFrameLength;
    if (frame >= static_cast<unsigned>(animation.Count)) return;
    const AnimationFrame& shown = animation.Frames[frame];
    DrawSprite(shown.Cell, x + shown.Offset, y + shown.Offset);
}

}  // namespace veltrano
