#include "tools/glyphsheet/TextScenes.h"

#include "app/Replay.h"
#include "platform/Display.h"
#include "stages/staffroll/StaffRollShow.h"
#include "world/World.h"

namespace veltrano {

void PlayTextScenes(HeadlessGame& game, const std::function<void()>& shown, int stride) {
    // Ten scores that hold every digit between them.
    const int scores[HighScoreCount] = {1234567890, 987654321, 102030405, 67890, 5000, 400, 30, 2, 1, 0};
    std::copy(scores, scores + HighScoreCount, HighScores);
    EnterSceneDirectly(ScoreListScene, 1, 1, false, false);
    game.Frames(2);
    shown();
    for (int score : {0, 1}) {
        EnterSceneDirectly(ChallengeScene, 1, 1, false, false);
        Score = score;
        game.Frames(90);  // the message shows once the lead-in of 80 frames has passed
        shown();
    }
    EnterSceneDirectly(StaffRollScene, 1, 1, false, false);
    for (int frame = 1; frame <= StaffRollClosingFrame + 10; ++frame) {
        game.Frame();
        if (frame % stride == 0) shown();
    }
}

bool BuildGlyphSheet(HeadlessGame& game, GlyphSheet& sheet, std::string* error) {
    GlyphUses uses;
    NoteGlyphsUsed(&uses);
    PlayTextScenes(game, [] {});
    NoteGlyphsUsed(nullptr);
    for (const auto& [points, cp] : uses) {
        GlyphImage glyph;
        int ascent = 0, lineHeight = 0;
        if (!RenderFaceGlyph(points, cp, glyph, &ascent, &lineHeight)) {
            if (error) *error = "the font has no glyph U+" + std::to_string(static_cast<unsigned>(cp));
            return false;
        }
        sheet.Add(points, ascent, lineHeight, glyph);
    }
    return true;
}

}  // namespace veltrano
