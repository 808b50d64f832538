// The scenes that show text, played headless from start to end: the score list with every digit in
// it, the message before the last battle in both wordings, and the whole staff roll. The glyph
// sheet's builder notes the characters they draw; the tests compare what the sheet and the font draw.
#pragma once

#include <functional>

#include "app/headless/HeadlessGame.h"
#include "platform/GlyphSheet.h"

namespace veltrano {

// Plays each text scene on `game`, calling `shown` after every frame that drew text (at most every
// `stride`th frame of the staff roll).
void PlayTextScenes(HeadlessGame& game, const std::function<void()>& shown, int stride = 1);

// The sheet of every character the text scenes draw, at every size they draw it, from the font.
// False with a message when the font is missing or lacks one of them.
bool BuildGlyphSheet(HeadlessGame& game, GlyphSheet& sheet, std::string* error);

}  // namespace veltrano
