#include "app/Presentation.h"

#include <algorithm>

#include "render/Notices.h"
#include "render/Render.h"

namespace veltrano {

void DrawTickPicture(const TickPicture& p, Surface& target) {
    DrawBackgroundLayers(p.Back, target);
    DrawShipAndFrontObjects(p.Back, target);
    DrawObjectsAndBullets(p.Back, target);
    DrawStepText(p.Text, target);
    DrawForegroundLayer(p.Front, target);
    DrawCountdownBlocks(p.Front, target);
    DrawHud(p.Front, target);
    DrawCoverPanels(p.Top, target);
    DrawClosingPicture(p.Top, target);
    DrawNotices(p.Top, target);
}

namespace {

constexpr int Kept = 3;
TickPicture Pictures[Kept];
int Last = 0;   // the ring entry of the last picture taken
int Taken = 0;  // pictures taken, up to Kept
TickPicture Between;
Surface Underlay;

}  // namespace

TickPicture& PictureToTake() {
    return Pictures[(Last + 1) % Kept];
}

void PictureTaken() {
    Last = (Last + 1) % Kept;
    Taken = std::min(Taken + 1, Kept);
}

const TickPicture* TakenPicture(int ago) {
    if (ago < 0 || ago >= Taken) return nullptr;
    return &Pictures[(Last - ago + Kept) % Kept];
}

void KeepUnderlay(const Surface& backBuffer) {
    Underlay = backBuffer;
}

void DrawPictureBetween(double behind, Surface& target) {
    const TickPicture* tick = TakenPicture(0);
    if (tick == nullptr) return;
    if (Underlay.Width == target.Width && Underlay.Height == target.Height) target.Pixels = Underlay.Pixels;
    const TickPicture* before = TakenPicture(1);
    const TickPicture* older = TakenPicture(2);
    if (before == nullptr) before = tick;
    PlaceBack(tick->Back, before->Back, older ? &older->Back : nullptr, behind, Between.Back);
    PlaceFront(tick->Front, before->Front, behind, Between.Front);
    Between.Text = tick->Text;
    Between.Top = tick->Top;
    DrawTickPicture(Between, target);
}

const TickPicture& PlacedPicture() {
    return Between;
}

void TickBeat::TickRan(double nowMs) {
    // A late tick pulls the beat along; an early one waits for it.
    Beat = Beating ? std::clamp(Beat + TickMs, nowMs - TickMs, nowMs) : nowMs;
    Beating = true;
}

double TickBeat::Behind(double nowMs) const {
    if (!Beating) return 0;
    return 1.0 - std::clamp((nowMs - Beat) / TickMs, 0.0, 1.0);
}

}  // namespace veltrano
