// Every drawing pass in the order of a frame, without the world step between them: how the drawing
// tests and the drawing benchmark draw a whole frame of a world they set up.
#pragma once

#include "render/Render.h"
#include "stages/SceneTable.h"

namespace veltrano {

inline void DrawFramePasses() {
    DrawBackgroundLayers(TileSetOfScene(Scene));
    DrawShipAndFrontObjects();
    DrawObjectsAndBullets();
    DrawForegroundLayer(TileSetOfScene(Scene));
    DrawCountdownBlocks();
    DrawHud();
    DrawCoverPanels();
    DrawClosingPicture();
}

}  // namespace veltrano
