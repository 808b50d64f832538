// A scene's tile layers laid onto a screen by the game's own background passes, for the mock screens
// and the picture tests: what they show is what the player sees, never a copy of the tile rules.
#pragma once

#include "platform/Surface.h"

namespace veltrano::assetgen {

// How far a layer has scrolled from the standard grid, in pixels; tiles wrap as the scroll wraps them.
struct LayerShift {
    int Dx = 0, Dy = 0;
};

// Draws layers 1 and 2 of `scene` from `backgroundSheet` onto `screen` (640x480) through the game's
// background pass, each layer at its shift. The game's display surfaces are borrowed for the call and
// handed back unchanged; so is the world's layer state.
void DrawSceneBackdrop(Surface& screen, const Surface& backgroundSheet, int scene, LayerShift layer1,
                       LayerShift layer2);
// Layer 3 of `scene` the same way, through the game's foreground pass (before any frame cut-off, with
// the flagged tiles of stages 6 and 7 switched on).
void DrawSceneForeground(Surface& screen, const Surface& backgroundSheet, int scene, LayerShift layer3);

}  // namespace veltrano::assetgen
