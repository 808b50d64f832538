// A hand-made 5 by 7 capital font for every label of the sheets, so menus read the same on any
// machine and stay crisp at whole-pixel scales.
#pragma once

#include <string>

#include "tools/assetgen/PictureKit.h"

namespace veltrano::assetgen {

inline constexpr int GlyphWidth = 5;
inline constexpr int GlyphHeight = 7;

// Whether the glyph of `c` has ink at (col, row); unknown characters are blank.
bool GlyphPixel(char c, int col, int row);
// Width in pixels of `text` at a horizontal scale, with `spacing` pixels between glyphs.
int TextPixelWidth(const std::string& text, int scaleX, int spacing);
// The pixels of `text` with its top-left corner at (x, y).
Mask TextMask(int w, int h, const std::string& text, int x, int y, int scaleX, int scaleY, int spacing);
// Draws `text` as shaded lettering (bright top, darker foot) without an outline; call Outline after.
void DrawLabel(Sprite& s, const std::string& text, int x, int y, int scaleX, int scaleY, const Ramp& ramp,
               int spacing);
// Shaded lettering with a drop shadow and an ink outline: the style of every label on the sheets.
void Lettering(Sprite& s, const std::string& text, int x, int y, int scaleX, int scaleY, int spacing,
               const Ramp& ramp);
// Small lettering (scale 1) with an ink drop shadow but no outline, for legends under icons.
void Legend(Sprite& s, const std::string& text, int x, int y, const Ramp& ramp);
// The x at which `text` is centred in a sprite `width` wide.
int CentredX(const std::string& text, int width, int scaleX, int spacing);

}  // namespace veltrano::assetgen
