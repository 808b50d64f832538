// Temporary empty passes until the renderer lands; replaced by the render module's own files.
#include "render/Render.h"

namespace veltrano {

void DrawBackgroundLayers() {}
void DrawShipAndFrontObjects() {}
void DrawObjectsAndBullets() {}
void DrawForegroundLayer() {}
void DrawCountdownBlocks() {}
void DrawHud() {}
void DrawCoverPanels() {}
void DrawClosingPicture() {}

}  // namespace veltrano
