// Text from a glyph sheet: the coverage of every character the game can show, at every size it shows
// it, rendered from the game's font when the program is built. A machine without the font (the
// browser) draws the same pixels from the sheet as the desktop draws from the font.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Surface.h"

namespace veltrano {

struct GlyphImage {
    char32_t CodePoint = 0;
    int Advance = 0;  // pixels the pen moves on
    int Left = 0;     // from the pen to the first column
    int Top = 0;      // from the first row up to the baseline
    int Width = 0, Rows = 0;
    std::vector<uint8_t> Coverage;  // Width * Rows, 0 (none) to 255 (all)
};

struct GlyphSize {
    int Points = 0;
    int Ascent = 0, LineHeight = 0;
    std::vector<GlyphImage> Glyphs;  // by code point, ascending
};

struct GlyphSheet {
    std::vector<GlyphSize> Sizes;  // by points, ascending

    const GlyphSize* Size(int points) const;
    // Adds (or replaces) a glyph, keeping the order; tools build a sheet this way.
    void Add(int points, int ascent, int lineHeight, const GlyphImage& glyph);
};

const GlyphImage* FindGlyph(const GlyphSize& size, char32_t cp);

// Decodes one UTF-8 code point at s[i] and moves i past it; malformed bytes read as U+FFFD and
// advance one byte.
char32_t NextCodePoint(const std::string& s, size_t& i);
// `over` laid on `under` with a coverage of 0..255 (text is drawn with a clear brush).
uint32_t BlendCoverage(uint32_t under, uint32_t over, int coverage);
// Lays one glyph's coverage in `colour` onto `target` with its pen at (penX, baseline), clipped.
void DrawGlyph(Surface& target, const GlyphImage& glyph, int penX, int baseline, uint32_t colour);

// Text drawn and measured from a sheet; a character the sheet lacks is skipped, as the font skips
// one it has no glyph for.
void DrawSheetText(Surface& target, const GlyphSize& size, int x, int y, const std::string& text,
                   uint32_t colour);
int SheetTextWidth(const GlyphSize& size, const std::string& text);

// The file: "VGGS", version 1, then per size and per glyph their numbers as little-endian 16-bit
// values (code points 32-bit) and the coverage bytes. A damaged file is refused with a reason.
std::vector<uint8_t> EncodeGlyphSheet(const GlyphSheet& sheet);
bool DecodeGlyphSheet(const uint8_t* data, size_t size, GlyphSheet& out, std::string* why);
bool LoadGlyphSheet(const std::string& path, GlyphSheet& out, std::string* error);

}  // namespace veltrano
