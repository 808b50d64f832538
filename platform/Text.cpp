#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/Display.h"

namespace veltrano {

Surface BackBuffer;
Surface BackgroundSheet;
Surface CharacterSheet;

namespace {

FT_Library Library = nullptr;
FT_Face Face = nullptr;
std::string FaceFile;
int FaceSizePoints = -1;
const std::vector<std::string> DefaultFamilies = {"ＭＳ Ｐゴシック", "MS PGothic", "IPAPGothic"};
std::vector<std::string> Families = DefaultFamilies;

// Decodes one UTF-8 code point; malformed bytes read as U+FFFD and advance one byte.
char32_t NextCodePoint(const std::string& s, size_t& i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + extra >= s.size() + (extra == 0 ? 1 : 0)) {
        ++i;
        return extra == 0 ? c : 0xFFFD;
    }
    char32_t cp = extra == 0 ? c : (c & (0x3F >> extra));
    for (int k = 1; k <= extra; ++k) {
        const unsigned char cc = static_cast<unsigned char>(s[i + k]);
        if ((cc & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (cc & 0x3F);
    }
    i += extra + 1;
    return cp;
}

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

uint32_t Blend(uint32_t under, uint32_t over, int coverage) {
    auto mix = [&](int shift) {
        const int a = (under >> shift) & 255, b = (over >> shift) & 255;
        return static_cast<uint32_t>((a * (255 - coverage) + b * coverage + 127) / 255) << shift;
    };
    return mix(16) | mix(8) | mix(0);
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

TextCanvas::TextCanvas(Surface& target) : Target(target) {
    OpenTextFace(nullptr);
}

int TextCanvas::TextWidth(const std::string& text) {
    if (!UseSize(Points)) return 0;
    int width = 0;
    for (size_t i = 0; i < text.size();) {
        const char32_t cp = NextCodePoint(text, i);
        if (FT_Load_Char(Face, cp, FT_LOAD_DEFAULT) == 0)
            width += static_cast<int>((Face->glyph->advance.x + 32) >> 6);
    }
    return width;
}

int TextCanvas::TextHeight(const std::string&) {
    return UseSize(Points) ? LineHeight() : 0;
}

void TextCanvas::TextOut(int x, int y, const std::string& text) {
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
                dst[px] = Blend(dst[px], Colour, src[col]);
            }
        }
        penX += static_cast<int>((g->advance.x + 32) >> 6);
    }
    (void)ClearBrush;  // every text of the game is drawn with a clear brush
}

}  // namespace veltrano
