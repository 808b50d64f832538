// The message to a player who cleared the last stage without a continue: a fight with a god has been
// granted. A player who scored nothing is told to endure instead of to fight. The frame handler
// leaves for the fight at frame 800 or on the confirm key.
#include <string>

#include "platform/Display.h"
#include "stages/Scenes.h"
#include "stages/StepText.h"

namespace veltrano {

namespace {

constexpr int ShownFrom = 0, ShownTo = 799;

struct MessageLine {
    std::string Text;
    int Characters;  // the line is centred as if every character were as wide as "あ"
};

// Built once, before play, so that drawing them allocates nothing.
const MessageLine ScoredLines[] = {
    {"あなたはコンテニューすることなく", 16},
    {"ゲームをクリアすることに成功しました。", 19},
    {"そんなあなたに", 7},
    {"神と戦う権限が与えられました。", 15},
    {"がんばって戦ってください。", 13},
    {"そして、生き抜いてください。", 14},
};
const MessageLine UnscoredLines[] = {
    {"あなたは敵を殺すことなく", 12},
    {"ゲームをクリアすることに成功しました。", 19},
    {"そんなあなたに", 7},
    {"神と戦う権限が与えられました。", 15},
    {"がんばって耐えてください。", 13},
    {"そして、生き抜いてください。", 14},
};

// Shown on every frame of the window, over the backdrop drawn afresh each frame. The wording follows
// the score at the step.
void NoteChallengeMessage() {
    StepTextNoted.Message = true;
    StepTextNoted.Scored = Score != 0;
}

// The ship waits just outside the left edge; the frame handler takes its control away.
void HideShip() {
    PlayerX = -32;
}

}  // namespace

void DrawChallengeMessage(bool scored, Surface& target) {
    TextCanvas canvas(target);
    canvas.SetClearBrush();
    canvas.SetFontColour(0xFFFFFF);
    canvas.SetFontSize(24);
    const std::string wide = "あ";
    const int w = canvas.TextWidth(wide);
    const int h = canvas.TextHeight(wide);
    const MessageLine* lines = scored ? ScoredLines : UnscoredLines;
    for (int k = 1; k <= 6; ++k) {
        const MessageLine& line = lines[k - 1];
        canvas.TextOut((ScreenWidth - line.Characters * w) / 2, 2 * k * h, line.Text);
    }
}

void WriteChallengeMessage(ScriptBuilder& s) {
    s.Reset(ResetKind::Stage);
    s.Layers({.layer1X = -8, .layer2X = -8, .layer3X = -16, .layer3Y = -2});
    s.StartAt(-80);
    s.InitHook(HideShip);
    s.FramesIn(ShownFrom, ShownTo, [&] { s.Call(NoteChallengeMessage); });
}

}  // namespace veltrano
