// The text the text scenes write over their picture (the score list, the ending message, the staff
// roll's credits). Their step scripts only note which text the step showed and what it read; the
// drawing writes it, above the sprites and below the foreground, as if the step had written it.
#pragma once

#include "platform/Surface.h"
#include "world/World.h"

namespace veltrano {

struct StepText {
    bool ScoreList = false;
    int HighScores[HighScoreCount] = {};
    bool Message = false;
    bool Scored = false;  // the message's wording follows the score at the step
    bool Credits = false;
    int CreditsFrame = 0;  // the credits shown are those of this StageFrame
};

// What the current tick's step noted; the frame clears it before the world step.
extern StepText StepTextNoted;

void DrawStepText(const StepText& text, Surface& target);

// The three texts, drawn on `target`.
void DrawScoreList(const int (&scores)[HighScoreCount], Surface& target);
void DrawChallengeMessage(bool scored, Surface& target);
void DrawStaffCredits(int stageFrame, Surface& target);

}  // namespace veltrano
