// Text on a surface: from the game's font through fontconfig and FreeType, or from a glyph sheet
// rendered from that font at build time. A build without FreeType (the browser's) has the sheet only.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/Display.h"
#include "platform/GlyphSheet.h"
#include "world/Field.h"

#if VELTRANO_FONTS
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#endif

namespace veltrano {

// The screen shows the world's playfield whole, pixel for pixel.
static_assert(ScreenWidth == FieldWidth && ScreenHeight == FieldHeight, "the screen is the playfield's size");

Surface BackBuffer;
Surface BackgroundSheet;
Surface CharacterSheet;

namespace {

const GlyphSheet* Sheet = nullptr;
GlyphUses* Uses = nullptr;

void NoteUse(int points, const std::string& text) {
    if (!Uses) return;
    for (size_t i = 0; i < text.size();) Uses->insert({points, NextCodePoint(text, i)});
}

}  // namespace

void UseGlyphSheet(const GlyphSheet* sheet) {
    Sheet = sheet;
}

void NoteGlyphsUsed(GlyphUses* uses) {
    Uses = uses;
}

#if VELTRANO_FONTS

namespace {

FT_Library Library = nullptr;
FT_Face Face = nullptr;
std::string FaceFile;
int FaceSizePoints = -1;
const std::vector<std::string> DefaultFamilies = {"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic"};
std::vector<std::string> Families = DefaultFamilies;

// Asks fontconfig for a family by name and accepts the answer only when it is that family (not a
// substitute) and it really holds Japanese glyphs.
std::string FindFamily(const char* family) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(""));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    std::string file;
    if (match) {
        FcChar8* found = nullptr;
        bool sameFamily = false;
        for (int n = 0; FcPatternGetString(match, FC_FAMILY, n, &found) == FcResultMatch; ++n)
            if (std::strcmp(reinterpret_cast<const char*>(found), family) == 0) sameFamily = true;
        FcCharSet* chars = nullptr;
        const bool hasKana = FcPatternGetCharSet(match, FC_CHARSET, 0, &chars) == FcResultMatch &&
                             FcCharSetHasChar(chars, 0x3042) && FcCharSetHasChar(chars, 0x5F97);
        FcChar8* path = nullptr;
        if (sameFamily && hasKana && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
            file = reinterpret_cast<const char*>(path);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return file;
}

bool UseSize(int points) {
    if (!Face) return false;
    if (points != FaceSizePoints) {
        if (FT_Set_Char_Size(Face, 0, static_cast<FT_F26Dot6>(points) * 64, 96, 96) != 0) return false;
        FaceSizePoints = points;
    }
    return true;
}

int Ascent() {
    return static_cast<int>((Face->size->metrics.ascender + 63) >> 6);
}
int LineHeight() {
    return static_cast<int>((Face->size->metrics.ascender - Face->size->metrics.descender + 63) >> 6);
}

}  // namespace

bool OpenTextFace(std::string* error) {
    if (Face) return true;
    if (!FcInit()) {
        if (error) *error = "fontconfig could not be initialised";
        return false;
    }
    // fontconfig keeps its configuration for the life of the process; it is let go at exit, so a
    // leak check at exit sees only what the game itself kept.
    static const bool FreedAtExit = std::atexit([] { FcFini(); }) == 0;
    (void)FreedAtExit;
    for (const std::string& family : Families) {
        FaceFile = FindFamily(family.c_str());
        if (!FaceFile.empty()) break;
    }
    if (FaceFile.empty()) {
        if (error) *error = "no Japanese gothic font found: install the package fonts-ipafont-gothic";
        return false;
    }
    if (!Library && FT_Init_FreeType(&Library) != 0) {
        if (error) *error = "FreeType could not be initialised";
        return false;
    }
    if (FT_New_Face(Library, FaceFile.c_str(), 0, &Face) != 0) {
        if (error) *error = FaceFile + ": cannot open the font";
        Face = nullptr;
        return false;
    }
    FaceSizePoints = -1;
    return true;
}

void SetTextFaceFamilies(const std::vector<std::string>& families) {
    if (Face) FT_Done_Face(Face);
    Face = nullptr;
    FaceFile.clear();
    Families = families.empty() ? DefaultFamilies : families;
}

const std::string& TextFaceFile() {
    return FaceFile;
}

bool RenderFaceGlyph(int points, char32_t cp, GlyphImage& out, int* ascent, int* lineHeight) {
    if (!OpenTextFace(nullptr) || !UseSize(points)) return false;
    *ascent = Ascent();
    *lineHeight = LineHeight();
    if (FT_Load_Char(Face, cp, FT_LOAD_RENDER) != 0) return false;
    const FT_GlyphSlot g = Face->glyph;
    const FT_Bitmap& bm = g->bitmap;
    out.CodePoint = cp;
    out.Advance = static_cast<int>((g->advance.x + 32) >> 6);
    out.Left = g->bitmap_left;
    out.Top = g->bitmap_top;
    out.Width = static_cast<int>(bm.width);
    out.Rows = static_cast<int>(bm.rows);
    out.Coverage.resize(static_cast<size_t>(out.Width) * out.Rows);
    for (int row = 0; row < out.Rows; ++row)
        std::memcpy(out.Coverage.data() + static_cast<size_t>(row) * out.Width,
                    bm.buffer + static_cast<ptrdiff_t>(row) * bm.pitch, out.Width);
    return true;
}

TextCanvas::TextCanvas(Surface& target) : Target(target) {
    if (!Sheet) OpenTextFace(nullptr);
}

int TextCanvas::TextWidth(const std::string& text) {
    NoteUse(Points, text);
    if (Sheet) return Sheet->Size(Points) ? SheetTextWidth(*Sheet->Size(Points), text) : 0;
    if (!UseSize(Points)) return 0;
    int width = 0;
    for (size_t i = 0; i < text.size();) {
        const char32_t cp = NextCodePoint(text, i);
        if (FT_Load_Char(Face, cp, FT_LOAD_DEFAULT) == 0)
            width += static_cast<int>((Face->glyph->advance.x + 32) >> 6);
    }
    return width;
}

int TextCanvas::TextHeight(const std::string& text) {
    NoteUse(Points, text);
    if (Sheet) return Sheet->Size(Points) ? Sheet->Size(Points)->LineHeight : 0;
    return UseSize(Points) ? LineHeight() : 0;
}

void TextCanvas::TextOut(int x, int y, const std::string& text) {
    NoteUse(Points, text);
    if (Sheet) {
        if (Sheet->Size(Points)) DrawSheetText(Target, *Sheet->Size(Points), x, y, text, Colour);
        return;
    }
    if (Target.DropsPixels || !UseSize(Points)) return;
    const int baseline = y + Ascent();
    int penX = x;
    for (size_t i = 0; i < text.size();) {
        const char32_t cp = NextCodePoint(text, i);
        if (FT_Load_Char(Face, cp, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot g = Face->glyph;
        const FT_Bitmap& bm = g->bitmap;
        const int left = penX + g->bitmap_left;
        const int top = baseline - g->bitmap_top;
        for (unsigned row = 0; row < bm.rows; ++row) {
            const int py = top + static_cast<int>(row);
            if (py < 0 || py >= Target.Height) continue;
            const unsigned char* src = bm.buffer + static_cast<ptrdiff_t>(row) * bm.pitch;
            uint32_t* dst = Target.Row(py);
            for (unsigned col = 0; col < bm.width; ++col) {
                const int px = left + static_cast<int>(col);
                if (px < 0 || px >= Target.Width || src[col] == 0) continue;
                dst[px] = BlendCoverage(dst[px], Colour, src[col]);
            }
        }
        penX += static_cast<int>((g->advance.x + 32) >> 6);
    }
    (void)ClearBrush;  // every text of the game is drawn with a clear brush
}

bool TextFromGlyphSheetOnly() {
    return false;
}

#else  // without FreeType: the glyph sheet only

bool TextFromGlyphSheetOnly() {
    return true;
}

bool OpenTextFace(std::string* error) {
    if (Sheet) return true;
    if (error) *error = "no glyph sheet loaded";
    return false;
}

void SetTextFaceFamilies(const std::vector<std::string>&) {}

const std::string& TextFaceFile() {
    static const std::string None;
    return None;
}

bool RenderFaceGlyph(int, char32_t, GlyphImage&, int*, int*) {
    return false;
}

TextCanvas::TextCanvas(Surface& target) : Target(target) {}

int TextCanvas::TextWidth(const std::string& text) {
    NoteUse(Points, text);
    return Sheet && Sheet->Size(Points) ? SheetTextWidth(*Sheet->Size(Points), text) : 0;
}

int TextCanvas::TextHeight(const std::string& text) {
    NoteUse(Points, text);
    return Sheet && Sheet->Size(Points) ? Sheet->Size(Points)->LineHeight : 0;
}

void TextCanvas::TextOut(int x, int y, const std::string& text) {
    NoteUse(Points, text);
    if (Sheet && Sheet->Size(Points)) DrawSheetText(Target, *Sheet->Size(Points), x, y, text, Colour);
    (void)ClearBrush;
}

#endif

}  // namespace veltrano
