// The score list: the ten best scores written in black over the scrolling background.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Display.h"
#include "stages/Scenes.h"
#include "stages/StepText.h"

namespace veltrano {

namespace {

const char* const RankNumerals[HighScoreCount] = {"一", "二", "三", "四", "五", "六", "七", "八", "九", "十"};

// Shown on every step, since the back buffer is never cleared and the background scrolls under it.
void NoteScoreList() {
    StepTextNoted.ScoreList = true;
    for (int i = 0; i < HighScoreCount; ++i) StepTextNoted.HighScores[i] = HighScores[i];
}

}  // namespace

// Every text is short enough to stay inside the string's own buffer, so nothing is allocated.
void DrawScoreList(const int (&scores)[HighScoreCount], Surface& target) {
    char texts[HighScoreCount][16];
    for (int i = 0; i < HighScoreCount; ++i) ScoreListText(scores[i], texts[i]);

    TextCanvas canvas(target);
    canvas.SetClearBrush();
    canvas.SetFontColour(0);
    canvas.SetFontSize(28);
    const std::string caption = "得点一覧";
    canvas.TextOut((ScreenWidth - canvas.TextWidth(caption)) / 2, 32, caption);
    const int rankHeight = canvas.TextHeight("あ");
    for (int i = 1; i <= HighScoreCount; ++i) canvas.TextOut(128, i * rankHeight + 48, RankNumerals[i - 1]);
    const int digitHeight = canvas.TextHeight("0");
    for (int i = 1; i <= HighScoreCount; ++i) {
        // A score of ten digits ends where the nine-digit ones do: its first digit stands out to the left.
        const char* text = texts[i - 1];
        const size_t extra = std::max<size_t>(std::strlen(text), 9) - 9;
        const int left = extra == 0 ? 320 : 320 - canvas.TextWidth(std::string(text, extra));
        canvas.TextOut(left, i * digitHeight + 48, text);
    }
}

void ScoreListText(int score, char* out) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", score);
    const size_t length = std::strlen(digits);
    const size_t zeros = length > 8 ? 0 : 9 - length;
    std::memset(out, '0', zeros);
    std::memcpy(out + zeros, digits, length + 1);
}

void WriteScoreList(ScriptBuilder& s) {
    WriteMenuReset(s, ResetKind::Menu);
    s.Call(NoteScoreList);
}

}  // namespace veltrano
