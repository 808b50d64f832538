// The drawing passes over the world as it stands, for the drawing tests and the drawing benchmark:
// each pass takes the part of the picture it reads from the world at the call, draws on the back
// buffer, and DrawFramePasses draws them all in the order of a frame, without the world step between.
#pragma once

#include "app/Presentation.h"
#include "platform/Display.h"
#include "render/Notices.h"
#include "render/Render.h"
#include "stages/SceneTable.h"

namespace veltrano {

inline BackPicture& BackNow() {
    static BackPicture picture;
    TakeBackPicture(picture, TileSetOfScene(Scene));
    return picture;
}
inline FrontPicture& FrontNow() {
    static FrontPicture picture;
    WriteDisplayTexts();
    TakeFrontPicture(picture, TileSetOfScene(Scene));
    return picture;
}
inline TopPicture& TopNow() {
    static TopPicture picture;
    TakeTopPicture(picture);
    return picture;
}

inline void DrawBackgroundLayers() {
    DrawBackgroundLayers(BackNow(), BackBuffer);
}
inline void DrawShipAndFrontObjects() {
    DrawShipAndFrontObjects(BackNow(), BackBuffer);
}
inline void DrawObjectsAndBullets() {
    DrawObjectsAndBullets(BackNow(), BackBuffer);
}
inline void DrawShip() {
    DrawShip(BackNow(), BackBuffer);
}
inline void DrawPlayerShots() {
    DrawPlayerShots(BackNow(), BackBuffer);
}
inline void DrawOptions() {
    DrawOptions(BackNow(), BackBuffer);
}
inline void DrawLargeObjects() {
    DrawLargeObjects(BackNow(), BackBuffer);
}
inline void DrawPictureSlots() {
    DrawPictureSlots(BackNow(), BackBuffer);
}
inline void DrawForegroundLayer() {
    DrawForegroundLayer(FrontNow(), BackBuffer);
}
inline void DrawCountdownBlocks() {
    DrawCountdownBlocks(FrontNow(), BackBuffer);
}
inline void DrawHud() {
    DrawHud(FrontNow(), BackBuffer);
}
inline void DrawCoverPanels() {
    DrawCoverPanels(TopNow(), BackBuffer);
}
inline void DrawClosingPicture() {
    DrawClosingPicture(TopNow(), BackBuffer);
}
inline void DrawNotices() {
    DrawNotices(TopNow(), BackBuffer);
}

inline void DrawFramePasses() {
    DrawBackgroundLayers();
    DrawShipAndFrontObjects();
    DrawObjectsAndBullets();
    DrawForegroundLayer();
    DrawCountdownBlocks();
    DrawHud();
    DrawCoverPanels();
    DrawClosingPicture();
}

}  // namespace veltrano
