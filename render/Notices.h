// Our own lines over the scenes' pictures: "PAUSE" while play is paused, and on the title where the
// next game starts and which keys do what. Nothing of the scenes' own pictures moves for them.
#pragma once

#include "render/Lettering.h"
#include "render/Picture.h"

namespace veltrano {

// Long enough for the key hint with four of the longest key names and the pad's buttons.
constexpr int NoticeTextSize = 96;

// The title's hint line appears once its animation has put the cursor in place (the last move is
// made on frame 634; skipping the animation jumps to 640).
constexpr int TitleHintFrame = 635;
constexpr int PauseNoticeY = 224;
constexpr int StartNoticeY = 408;
constexpr LetteringStyle StartNoticeStyle = LetteringStyle::SmallOrange;
constexpr int KeyHintY = 448;
// A hint too wide for the screen is drawn as two lines, the first this far above KeyHintY.
constexpr int KeyHintLineGap = 16;

// Whether play is paused: a play scene whose world stands still while no continue countdown runs.
bool PlayPaused();
// Where a game started now begins, as the title says it ("START STAGE 4", "EXTRA BATTLE",
// "BOSS RUSH"); empty for the ordinary start in stage 1.
void StartNoticeText(int startScene, char (&out)[NoticeTextSize]);
// The key hint: for select, speed, fire and burst, the key bound to the action's button (and the
// pad's button number when a pad is in, or when no key makes that button).
void KeyHintText(char (&out)[NoticeTextSize]);
// The hint's lines as they are drawn: the whole hint when it fits the screen's width, else two lines
// split between two actions where the longer line is shortest. Returns how many lines.
int KeyHintLines(const char* hint, char (&lines)[2][NoticeTextSize]);

// Draws the notices that apply to the picture, over everything else.
void DrawNotices(const TopPicture& picture, Surface& target);

}  // namespace veltrano
