#include "stages/StepText.h"

namespace veltrano {

StepText StepTextNoted;

void DrawStepText(const StepText& text, Surface& target) {
    if (text.ScoreList) DrawScoreList(text.HighScores, target);
    if (text.Message) DrawChallengeMessage(text.Scored, target);
    if (text.Credits) DrawStaffCredits(text.CreditsFrame, target);
}

}  // namespace veltrano
