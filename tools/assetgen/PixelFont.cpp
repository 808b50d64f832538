#include "tools/assetgen/PixelFont.h"

#include <cstring>

namespace veltrano::assetgen {

namespace {

struct Glyph {
    char Code;
    const char* Rows[7];
};

// A bold-shouldered 5 by 7 capital face in the manner of arcade score fonts.
const Glyph Glyphs[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
    {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "#.#..", "..#..", "..#..", "..#..", "#####"}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."}},
    {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
    {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
    {':', {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."}},
    {'/', {"....#", "...#.", "...#.", "..#..", ".#...", ".#...", "#...."}},
    {'?', {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."}},
    {'\'', {"..#..", "..#..", ".#...", ".....", ".....", ".....", "....."}},
};

const Glyph* Find(char c) {
    for (const Glyph& g : Glyphs)
        if (g.Code == c) return &g;
    return nullptr;
}

}  // namespace

bool GlyphPixel(char c, int col, int row) {
    const Glyph* g = Find(c);
    return g && col >= 0 && col < GlyphWidth && row >= 0 && row < GlyphHeight && g->Rows[row][col] == '#';
}

int TextPixelWidth(const std::string& text, int scaleX, int spacing) {
    if (text.empty()) return 0;
    return static_cast<int>(text.size()) * (GlyphWidth * scaleX + spacing) - spacing;
}

Mask TextMask(int w, int h, const std::string& text, int x, int y, int scaleX, int scaleY, int spacing) {
    Mask m(w, h);
    int penX = x;
    for (char c : text) {
        for (int row = 0; row < GlyphHeight; ++row)
            for (int col = 0; col < GlyphWidth; ++col)
                if (GlyphPixel(c, col, row))
                    for (int sy = 0; sy < scaleY; ++sy)
                        for (int sx = 0; sx < scaleX; ++sx)
                            m.Set(penX + col * scaleX + sx, y + row * scaleY + sy);
        penX += GlyphWidth * scaleX + spacing;
    }
    return m;
}

void DrawLabel(Sprite& s, const std::string& text, int x, int y, int scaleX, int scaleY, const Ramp& ramp,
               int spacing) {
    const Mask m = TextMask(s.W, s.H, text, x, y, scaleX, scaleY, spacing);
    // A bright top fading to the ramp's middle reads as polished metal lettering.
    const int height = GlyphHeight * scaleY;
    for (int py = 0; py < s.H; ++py)
        for (int px = 0; px < s.W; ++px) {
            if (!m.At(px, py)) continue;
            const float t = static_cast<float>(py - y) / static_cast<float>(height > 1 ? height - 1 : 1);
            float level = 5.0f - 3.2f * t;
            if (!m.At(px, py + 1)) level -= 0.8f;
            s.Put(px, py, Dithered(ramp, level, px, py));
        }
}

void Lettering(Sprite& s, const std::string& text, int x, int y, int scaleX, int scaleY, int spacing,
               const Ramp& ramp) {
    Sprite letters(s.W, s.H);
    const Mask m = TextMask(s.W, s.H, text, x, y, scaleX, scaleY, spacing);
    const int drop = scaleY > 2 ? 2 : 1;
    Mask shadow = m.Shifted(drop, drop);
    shadow.Cut(m);
    Fill(letters, shadow, ramp.Shade[0]);
    DrawLabel(letters, text, x, y, scaleX, scaleY, ramp, spacing);
    Outline(letters, InkColour);
    Stamp(s, letters, 0, 0);
}

void Legend(Sprite& s, const std::string& text, int x, int y, const Ramp& ramp) {
    Sprite letters(s.W, s.H);
    const Mask m = TextMask(s.W, s.H, text, x, y, 1, 1, 1);
    Mask shadow = m.Shifted(1, 1);
    shadow.Cut(m);
    Fill(letters, shadow, InkColour);
    DrawLabel(letters, text, x, y, 1, 1, ramp, 1);
    ClosePinholes(letters, InkColour);
    Stamp(s, letters, 0, 0);
}

int CentredX(const std::string& text, int width, int scaleX, int spacing) {
    return (width - TextPixelWidth(text, scaleX, spacing)) / 2;
}

}  // namespace veltrano::assetgen
