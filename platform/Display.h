// The display's three surfaces and its text canvas. The back buffer is 640x480 and is never cleared:
// each frame draws over the last one.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Surface.h"

namespace veltrano {

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;

extern Surface BackBuffer;
extern Surface BackgroundSheet;  // "背景.bmp", key colour from its pixel (80, 0)
extern Surface CharacterSheet;   // "キャラクター.bmp", key colour from its pixel (0, 0)

// The sheets' sizes: the generator paints them this size, the smallest that holds every cell the game
// cuts from them, and the game refuses a smaller one at load.
constexpr int BackgroundSheetWidth = 320;
constexpr int BackgroundSheetHeight = 480;
constexpr int CharacterSheetWidth = 384;
constexpr int CharacterSheetHeight = 608;

// A text-drawing context on a surface: font colour, font size in points at 96 dpi, a clear brush
// (text without a background box), output and measuring. Text is UTF-8.
class TextCanvas {
   public:
    explicit TextCanvas(Surface& target);
    void SetFontColour(uint32_t colour) { Colour = colour; }
    void SetFontSize(int points) { Points = points; }
    void SetClearBrush() { ClearBrush = true; }
    void TextOut(int x, int y, const std::string& text);
    int TextWidth(const std::string& text);
    int TextHeight(const std::string& text);

   private:
    Surface& Target;
    uint32_t Colour = 0;
    int Points = 9;  // the window font, 12 pixels high
    bool ClearBrush = false;
};

// The face the text is drawn with: the window's own gothic face when installed, else IPAPGothic.
// Returns false with a message when no face with Japanese glyphs can be found.
bool OpenTextFace(std::string* error);
// The families asked for, best first; an empty list restores the game's own (tests use it to stand
// for a machine without the font). Drops the face in use.
void SetTextFaceFamilies(const std::vector<std::string>& families);
// The file of the face in use (empty before OpenTextFace succeeds).
const std::string& TextFaceFile();
// Whether this build draws text from a glyph sheet only (it has no FreeType: the browser, Windows).
bool TextFromGlyphSheetOnly();

struct GlyphSheet;
struct GlyphImage;
// Text drawn and measured from a glyph sheet instead of the font (nullptr: the font again). The
// sheet must outlive its use. Without FreeType, the sheet is the only way to text.
void UseGlyphSheet(const GlyphSheet* sheet);
// One character of the font at a size, as a glyph sheet keeps it, with the size's ascent and line
// height; false when the font is missing or lacks the character.
bool RenderFaceGlyph(int points, char32_t cp, GlyphImage& out, int* ascent, int* lineHeight);
// Notes every character drawn or measured, with its size in points (the glyph sheet's builder plays
// the text scenes with it); nullptr stops noting.
using GlyphUses = std::set<std::pair<int, char32_t>>;
void NoteGlyphsUsed(GlyphUses* uses);

}  // namespace veltrano
