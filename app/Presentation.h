// The picture of a tick and the pictures between ticks. A tick takes its picture in three parts as
// it runs (render/Picture.h) and the frame draws it into the back buffer: that is the tick's picture,
// exactly as the frame's passes drew it in place. Between ticks the presentation draws, into a
// surface of its own, each refresh of the screen: what glides stands between the last two ticks by
// the share of the tick still to come, the rest as the last tick left it.
#pragma once

#include "platform/Surface.h"
#include "render/Picture.h"
#include "stages/StepText.h"

namespace veltrano {

struct TickPicture {
    BackPicture Back;
    StepText Text;
    FrontPicture Front;
    TopPicture Top;
};

// Draws a tick's picture in the frame's order.
void DrawTickPicture(const TickPicture& picture, Surface& target);

// The pictures of the last three ticks. The tick fills PictureToTake and then calls PictureTaken.
TickPicture& PictureToTake();
void PictureTaken();
// The picture taken `ago` ticks before the last one (0: the last); nullptr when there is none.
const TickPicture* TakenPicture(int ago);

// Keeps the back buffer as the tick before left it, before the tick draws over it: the back buffer is
// never cleared, so a picture between ticks starts from it as the tick's own picture did.
void KeepUnderlay(const Surface& backBuffer);

// Draws the last tick's picture with what glides moved `behind` of a tick back toward the tick
// before (0: exactly the last tick's picture). Nothing is drawn before the first tick.
void DrawPictureBetween(double behind, Surface& target);
// The picture as the last DrawPictureBetween placed it.
const TickPicture& PlacedPicture();

// The tick's clock as the screen sees it: ticks are run on the calls of the frame handler, which come
// at the screen's refresh or the timer's millisecond, so the time a tick ran wobbles by up to a call.
// The clock keeps a steady 25 ms beat instead, caught up (never run ahead) by the ticks themselves.
class TickBeat {
   public:
    static constexpr double TickMs = 25.0;
    void TickRan(double nowMs);
    // How far behind the last tick the refresh at `nowMs` is drawn: 1 on the beat of a tick, falling
    // to 0 when the next one is due.
    double Behind(double nowMs) const;
    bool Started() const { return Beating; }

   private:
    bool Beating = false;
    double Beat = 0;
};

}  // namespace veltrano
