#include <gtest/gtest.h>

#include "app/ProgramFiles.h"
#include "app/headless/HeadlessGame.h"
#include "platform/Display.h"
#include "platform/GlyphSheet.h"
#include "tests/support/ProgramFolder.h"
#include "tools/glyphsheet/TextScenes.h"

using namespace veltrano;

namespace {

GlyphImage Glyph(char32_t cp, int width, int rows, uint8_t fill) {
    GlyphImage g;
    g.CodePoint = cp;
    g.Advance = width + 1;
    g.Left = 1;
    g.Top = rows;
    g.Width = width;
    g.Rows = rows;
    g.Coverage.assign(static_cast<size_t>(width) * rows, fill);
    return g;
}

}  // namespace

// Every text scene, drawn from the sheet the build rendered, is the same picture, pixel for pixel, as
// drawn from the font: the score list, both wordings of the message and the whole staff roll.
TEST(GlyphSheetText, TheTextScenesDrawTheSamePixelsFromTheSheetAsFromTheFont) {
    std::vector<std::vector<uint32_t>> fromFont, fromSheet;
    {
        HeadlessGame game(testdata::MakeProgramFolder().string());
        PlayTextScenes(
            game, [&] { fromFont.push_back(BackBuffer.Pixels); }, 16);
    }
    GlyphSheet sheet;
    std::string error;
    const std::filesystem::path shipped =
        std::filesystem::path(VELTRANO_PROGRAM_DIR) / FileNameOf(GlyphSheetFile);
    ASSERT_TRUE(LoadGlyphSheet(shipped.string(), sheet, &error)) << error;
    UseGlyphSheet(&sheet);
    {
        HeadlessGame game(testdata::MakeProgramFolder().string());
        PlayTextScenes(
            game, [&] { fromSheet.push_back(BackBuffer.Pixels); }, 16);
    }
    UseGlyphSheet(nullptr);
    ASSERT_EQ(fromFont.size(), fromSheet.size());
    ASSERT_GT(fromFont.size(), 100u);
    for (size_t k = 0; k < fromFont.size(); ++k) ASSERT_TRUE(fromFont[k] == fromSheet[k]) << "picture " << k;
}

TEST(GlyphSheetText, DrawingBlendsClipsAndSkipsMissingCharacters) {
    GlyphSheet sheet;
    sheet.Add(10, 8, 12, Glyph(U'A', 2, 2, 255));
    sheet.Add(10, 8, 12, Glyph(U'あ', 3, 1, 128));
    const GlyphSize& size = *sheet.Size(10);
    EXPECT_EQ(SheetTextWidth(size, "A\xE3\x81\x82?A"), 3 + 4 + 3);  // "?" is not in the sheet
    Surface s;
    s.Create(8, 10, 0);
    DrawSheetText(s, size, -2, 0, "Aあ", 0xFFFFFF);  // the first glyph's left column is off the surface
    EXPECT_EQ(PixelAt(s, 0, 7), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(s, 0, 6), 0xFFFFFFu);
    EXPECT_EQ(PixelAt(s, 1, 7), 0u);
    EXPECT_EQ(PixelAt(s, 2, 7), 0x808080u);  // half coverage over black
    EXPECT_EQ(PixelAt(s, 5, 7), 0u);
}

TEST(GlyphSheetFile, ASheetSurvivesItsFileAndADamagedOneIsRefused) {
    GlyphSheet sheet;
    sheet.Add(28, 30, 38, Glyph(U'0', 3, 4, 7));
    sheet.Add(24, 25, 32, Glyph(U'神', 5, 2, 200));
    sheet.Add(24, 25, 32, Glyph(U'あ', 1, 1, 1));
    const std::vector<uint8_t> bytes = EncodeGlyphSheet(sheet);
    GlyphSheet back;
    std::string why;
    ASSERT_TRUE(DecodeGlyphSheet(bytes.data(), bytes.size(), back, &why)) << why;
    ASSERT_EQ(back.Sizes.size(), 2u);
    EXPECT_EQ(back.Sizes[0].Points, 24);
    ASSERT_EQ(back.Sizes[0].Glyphs.size(), 2u);
    EXPECT_EQ(back.Sizes[0].Glyphs[0].CodePoint, U'あ');
    EXPECT_EQ(back.Sizes[0].Glyphs[1].Coverage, std::vector<uint8_t>(10, 200));
    EXPECT_EQ(back.Size(28)->LineHeight, 38);

    struct Damage {
        const char* What;
        std::vector<uint8_t> Bytes;
    };
    std::vector<uint8_t> wrongMagic = bytes, wrongVersion = bytes, longer = bytes;
    wrongMagic[0] = 'X';
    wrongVersion[4] = 2;
    longer.push_back(0);
    const Damage damages[] = {
        {"empty", {}},
        {"another magic", wrongMagic},
        {"another version", wrongVersion},
        {"cut in a glyph", std::vector<uint8_t>(bytes.begin(), bytes.end() - 3)},
        {"cut in a header", std::vector<uint8_t>(bytes.begin(), bytes.begin() + 11)},
        {"bytes after the end", longer},
    };
    for (const Damage& d : damages) {
        GlyphSheet out = sheet;
        EXPECT_FALSE(DecodeGlyphSheet(d.Bytes.data(), d.Bytes.size(), out, &why)) << d.What;
        EXPECT_FALSE(why.empty()) << d.What;
        EXPECT_EQ(out.Sizes.size(), 2u) << d.What << ": a refused file leaves the sheet as it was";
    }
    EXPECT_FALSE(LoadGlyphSheet("/nonexistent/Glyphs.vgs", back, &why));
    EXPECT_NE(why.find("/nonexistent/Glyphs.vgs"), std::string::npos);
}
