#include "platform/GlyphSheet.h"

#include <algorithm>

#include "platform/Files.h"

namespace veltrano {

const GlyphSize* GlyphSheet::Size(int points) const {
    for (const GlyphSize& s : Sizes)
        if (s.Points == points) return &s;
    return nullptr;
}

void GlyphSheet::Add(int points, int ascent, int lineHeight, const GlyphImage& glyph) {
    auto size = std::lower_bound(Sizes.begin(), Sizes.end(), points,
                                 [](const GlyphSize& s, int p) { return s.Points < p; });
    if (size == Sizes.end() || size->Points != points)
        size = Sizes.insert(size, GlyphSize{points, ascent, lineHeight, {}});
    auto at = std::lower_bound(size->Glyphs.begin(), size->Glyphs.end(), glyph.CodePoint,
                               [](const GlyphImage& g, char32_t cp) { return g.CodePoint < cp; });
    if (at != size->Glyphs.end() && at->CodePoint == glyph.CodePoint)
        *at = glyph;
    else
        size->Glyphs.insert(at, glyph);
}

const GlyphImage* FindGlyph(const GlyphSize& size, char32_t cp) {
    auto at = std::lower_bound(size.Glyphs.begin(), size.Glyphs.end(), cp,
                               [](const GlyphImage& g, char32_t c) { return g.CodePoint < c; });
    return at != size.Glyphs.end() && at->CodePoint == cp ? &*at : nullptr;
}

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

uint32_t BlendCoverage(uint32_t under, uint32_t over, int coverage) {
    auto mix = [&](int shift) {
        const int a = (under >> shift) & 255, b = (over >> shift) & 255;
        return static_cast<uint32_t>((a * (255 - coverage) + b * coverage + 127) / 255) << shift;
    };
    return mix(16) | mix(8) | mix(0);
}

void DrawGlyph(Surface& target, const GlyphImage& glyph, int penX, int baseline, uint32_t colour) {
    const int left = penX + glyph.Left;
    const int top = baseline - glyph.Top;
    for (int row = 0; row < glyph.Rows; ++row) {
        const int py = top + row;
        if (py < 0 || py >= target.Height) continue;
        const uint8_t* src = glyph.Coverage.data() + static_cast<size_t>(row) * glyph.Width;
        uint32_t* dst = target.Row(py);
        for (int col = 0; col < glyph.Width; ++col) {
            const int px = left + col;
            if (px < 0 || px >= target.Width || src[col] == 0) continue;
            dst[px] = BlendCoverage(dst[px], colour, src[col]);
        }
    }
}

void DrawSheetText(Surface& target, const GlyphSize& size, int x, int y, const std::string& text,
                   uint32_t colour) {
    if (target.DropsPixels) return;
    const int baseline = y + size.Ascent;
    int penX = x;
    for (size_t i = 0; i < text.size();) {
        const GlyphImage* g = FindGlyph(size, NextCodePoint(text, i));
        if (!g) continue;
        DrawGlyph(target, *g, penX, baseline, colour);
        penX += g->Advance;
    }
}

int SheetTextWidth(const GlyphSize& size, const std::string& text) {
    int width = 0;
    for (size_t i = 0; i < text.size();) {
        const GlyphImage* g = FindGlyph(size, NextCodePoint(text, i));
        if (g) width += g->Advance;
    }
    return width;
}

namespace {

constexpr char Magic[4] = {'V', 'G', 'G', 'S'};
constexpr int Version = 1;

void Put16(std::vector<uint8_t>& out, int v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, static_cast<int>(v & 0xFFFF));
    Put16(out, static_cast<int>(v >> 16));
}

struct Reader {
    const uint8_t* Data;
    size_t Size, At = 0;
    bool Short = false;
    int S16() {
        if (At + 2 > Size) return Short = true, 0;
        const int v = static_cast<int16_t>(Data[At] | Data[At + 1] << 8);
        At += 2;
        return v;
    }
    uint32_t U32() {
        const uint32_t lo = static_cast<uint16_t>(S16());
        return lo | static_cast<uint32_t>(static_cast<uint16_t>(S16())) << 16;
    }
};

}  // namespace

std::vector<uint8_t> EncodeGlyphSheet(const GlyphSheet& sheet) {
    std::vector<uint8_t> out(Magic, Magic + 4);
    Put16(out, Version);
    Put16(out, static_cast<int>(sheet.Sizes.size()));
    for (const GlyphSize& s : sheet.Sizes) {
        Put16(out, s.Points);
        Put16(out, s.Ascent);
        Put16(out, s.LineHeight);
        Put16(out, static_cast<int>(s.Glyphs.size()));
        for (const GlyphImage& g : s.Glyphs) {
            Put32(out, g.CodePoint);
            for (int v : {g.Advance, g.Left, g.Top, g.Width, g.Rows}) Put16(out, v);
            out.insert(out.end(), g.Coverage.begin(), g.Coverage.end());
        }
    }
    return out;
}

bool DecodeGlyphSheet(const uint8_t* data, size_t size, GlyphSheet& out, std::string* why) {
    auto fail = [&](const char* reason) {
        if (why) *why = reason;
        return false;
    };
    if (size < 8 || !std::equal(Magic, Magic + 4, data)) return fail("not a glyph sheet");
    Reader r{data, size, 4};
    if (r.S16() != Version) return fail("a glyph sheet of another version");
    GlyphSheet sheet;
    const int sizes = r.S16();
    if (sizes < 0 || sizes > 64) return fail("a damaged glyph sheet");
    for (int k = 0; k < sizes; ++k) {
        GlyphSize s;
        s.Points = r.S16();
        s.Ascent = r.S16();
        s.LineHeight = r.S16();
        const int glyphs = static_cast<uint16_t>(r.S16());
        for (int n = 0; n < glyphs && !r.Short; ++n) {
            GlyphImage g;
            g.CodePoint = r.U32();
            g.Advance = r.S16();
            g.Left = r.S16();
            g.Top = r.S16();
            g.Width = r.S16();
            g.Rows = r.S16();
            const size_t bytes = static_cast<size_t>(g.Width) * g.Rows;
            if (g.Width < 0 || g.Rows < 0 || g.Width > 512 || g.Rows > 512 || r.At + bytes > size ||
                (!s.Glyphs.empty() && s.Glyphs.back().CodePoint >= g.CodePoint))
                return fail("a damaged glyph sheet");
            g.Coverage.assign(data + r.At, data + r.At + bytes);
            r.At += bytes;
            s.Glyphs.push_back(std::move(g));
        }
        if (r.Short) return fail("a glyph sheet cut short");
        sheet.Sizes.push_back(std::move(s));
    }
    if (r.At != size) return fail("a glyph sheet with bytes after its end");
    out = std::move(sheet);
    return true;
}

bool LoadGlyphSheet(const std::string& path, GlyphSheet& out, std::string* error) {
    std::vector<unsigned char> data;
    std::string why;
    if (ReadWholeFile(path, MaxFileBytes, data, &why) != FileStatus::Done) {
        if (error) *error = why;
        return false;
    }
    if (!DecodeGlyphSheet(data.data(), data.size(), out, &why)) {
        if (error) *error = path + ": " + why;
        return false;
    }
    return true;
}

}  // namespace veltrano
