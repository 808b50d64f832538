// The drawing kit behind the picture sheets: colours never become the key, shades run dark to light,
// dithering mixes in the right share, noise repeats on its period, shapes and outlines leave no gaps,
// the pixel font measures what it draws, and the review pictures come out.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "app/ProgramFiles.h"
#include "platform/Display.h"
#include "tools/assetgen/PictureKit.h"
#include "tools/assetgen/PictureReview.h"
#include "tools/assetgen/PixelFont.h"

using namespace veltrano;
using namespace veltrano::assetgen;

namespace {

int Luminance(uint32_t c) {
    return 3 * ((c >> 16) & 255) + 6 * ((c >> 8) & 255) + (c & 255);
}

int Count(const Mask& m) {
    int n = 0;
    for (uint8_t b : m.Bits) n += b;
    return n;
}

// Width and height from a PNG's header.
std::pair<int, int> PngSize(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    unsigned char h[24] = {};
    in.read(reinterpret_cast<char*>(h), sizeof h);
    if (!in || h[1] != 'P' || h[2] != 'N' || h[3] != 'G') return {0, 0};
    auto be = [&](int o) { return (h[o] << 24) | (h[o + 1] << 16) | (h[o + 2] << 8) | h[o + 3]; };
    return {be(16), be(20)};
}

}  // namespace

TEST(PicturesKit, NoColourOfTheKitIsEverTheKey) {
    EXPECT_NE(Safe(KeyColour), KeyColour);
    EXPECT_EQ(Safe(0x123456), 0x123456u);
    EXPECT_NE(Pack(Colour{255, 0, 255}), KeyColour);
    // Even a ramp built round magenta itself never hands out the key.
    const Ramp magenta = MakeRamp(KeyColour);
    for (uint32_t c : magenta.Shade) EXPECT_NE(c, KeyColour);
    Sprite s(2, 1);
    s.Put(0, 0, KeyColour);
    EXPECT_TRUE(s.IsSolid(0, 0));
    EXPECT_NE(s.Get(0, 0), KeyColour);
    Surface sheet;
    sheet.Create(2, 1, 0);
    Place(sheet, s, 0, 0);
    EXPECT_NE(sheet.Row(0)[0], KeyColour) << "a solid pixel must not turn transparent";
    EXPECT_EQ(sheet.Row(0)[1], KeyColour) << "an empty pixel must turn transparent";
}

TEST(PicturesKit, RampsRunFromShadowToHighlightAndDitherInProportion) {
    for (uint32_t base : {0x4A84E0u, 0xE07A30u, 0x58B050u, 0x788090u, 0xD8DCE4u}) {
        const Ramp r = MakeRamp(base);
        EXPECT_EQ(r.Shade[3], base);
        for (int i = 0; i < 5; ++i)
            EXPECT_LT(Luminance(r.Shade[i]), Luminance(r.Shade[i + 1])) << std::hex << base;
    }
    const Ramp r = MakeRamp(0x808080);
    int low = 0, high = 0;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(Dithered(r, 0.0f, x, y), r.Shade[0]);
            EXPECT_EQ(Dithered(r, 5.0f, x, y), r.Shade[5]);
            EXPECT_EQ(Dithered(r, 9.0f, x, y), r.Shade[5]);
            const uint32_t c = Dithered(r, 2.25f, x, y);
            low += c == r.Shade[2];
            high += c == r.Shade[3];
        }
    EXPECT_EQ(low, 12);  // a quarter of the way up: four pixels in sixteen take the upper shade
    EXPECT_EQ(high, 4);
}

TEST(PicturesKit, NoiseRepeatsOnItsPeriodAndVaries) {
    float lo = 1, hi = 0;
    for (int y = -90; y < 90; y += 7)
        for (int x = -90; x < 90; x += 5) {
            const float v = PeriodicNoise(x, y, 20, 80, 3);
            EXPECT_EQ(v, PeriodicNoise(x + 80, y, 20, 80, 3));
            EXPECT_EQ(v, PeriodicNoise(x, y - 80, 20, 80, 3));
            EXPECT_EQ(PeriodicFractal(x, y, 40, 80, 9), PeriodicFractal(x - 160, y + 80, 40, 80, 9));
            EXPECT_GE(v, 0.0f);
            EXPECT_LT(v, 1.0f);
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
    EXPECT_GT(hi - lo, 0.4f);
    EXPECT_NE(PeriodicNoise(13, 17, 20, 80, 3), PeriodicNoise(13, 17, 20, 80, 4)) << "the seed must matter";
}

TEST(PicturesKit, ShapesFillWhatTheyDescribe) {
    const Mask e = EllipseMask(64, 64, 32, 32, 20, 10);
    EXPECT_NEAR(Count(e), 3.14159 * 20 * 10, 3.14159 * 20 * 10 * 0.05);
    const Mask r = RectMask(10, 10, 2, 3, 4, 5);
    EXPECT_EQ(Count(r), 20);
    EXPECT_TRUE(r.At(2, 3));
    EXPECT_FALSE(r.At(6, 3));
    const Mask tri = PolygonMask(20, 20, {{0, 0}, {20, 0}, {0, 20}});
    EXPECT_NEAR(Count(tri), 200, 12);
    // A symmetric hull meets itself in the middle rows: no gap for the outline to fall into.
    const Mask hull = SymmetricMask(32, {{4, 15.5f}, {8, 10}, {24, 10}, {30, 15.5f}});
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) EXPECT_EQ(hull.At(x, y), hull.At(x, 31 - y)) << x << "," << y;
    for (int x = 10; x < 24; ++x) {
        EXPECT_TRUE(hull.At(x, 15)) << x;
        EXPECT_TRUE(hull.At(x, 16)) << x;
    }
    const auto star = StarPoints(0, 0, 10, 5, 2, 0);
    ASSERT_EQ(star.size(), 10u);
    EXPECT_NEAR(std::hypot(star[0].X, star[0].Y), 5, 1e-4);
    EXPECT_NEAR(std::hypot(star[1].X, star[1].Y), 2, 1e-4);
}

TEST(PicturesKit, OutlineRingsShapesAndClosesTheHolesItLeaves) {
    Sprite s(13, 13);
    // A 9x9 block with a 3x3 hole in the middle: the outline fills the hole's ring, and the pixel
    // at its centre would be left as a pinhole if the outline did not close it.
    Mask block = RectMask(13, 13, 2, 2, 9, 9);
    block.Cut(RectMask(13, 13, 5, 5, 3, 3));
    Fill(s, block, 0x808080);
    Outline(s, InkColour);
    EXPECT_EQ(s.Get(1, 5), InkColour);
    EXPECT_EQ(s.Get(11, 5), InkColour);
    EXPECT_FALSE(s.IsSolid(1, 1)) << "corners are not touched by a four-way outline";
    EXPECT_FALSE(s.IsSolid(0, 5)) << "the outline is one pixel wide";
    for (int y = 5; y < 8; ++y)
        for (int x = 5; x < 8; ++x) EXPECT_EQ(s.Get(x, y), InkColour) << x << "," << y;
}

TEST(PicturesKit, PixelFontMeasuresWhatItDraws) {
    EXPECT_EQ(TextPixelWidth("AB", 2, 2), 22);
    EXPECT_EQ(TextPixelWidth("", 3, 1), 0);
    EXPECT_EQ(CentredX("AB", 40, 2, 2), 9);
    const Mask i = TextMask(20, 20, "I", 0, 0, 2, 2, 2);
    EXPECT_EQ(Count(i), 15 * 4);  // the capital I: two bars of five and a stem of five, scaled twice
    EXPECT_TRUE(i.At(0, 0));
    EXPECT_TRUE(i.At(4, 2));
    EXPECT_FALSE(i.At(0, 2));
    EXPECT_EQ(Count(TextMask(20, 20, "~", 0, 0, 1, 1, 1)), 0) << "unknown characters draw nothing";
    // Every letter and digit the labels use has a glyph.
    for (char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"))
        EXPECT_GT(Count(TextMask(8, 8, std::string(1, c), 0, 0, 1, 1, 1)), 6) << c;
}

TEST(PicturesKit, ReviewPicturesAreDrawnFromTheProgramFolder) {
    const auto out =
        std::filesystem::temp_directory_path() / ("veltrano-review-" + std::to_string(::getpid()));
    std::filesystem::create_directories(out);
    std::string error;
    ASSERT_TRUE(WriteContactSheet(VELTRANO_PROGRAM_DIR, out / "sheet.png", &error)) << error;
    const auto [w, h] = PngSize(out / "sheet.png");
    EXPECT_GT(w, (CharacterSheetWidth + BackgroundSheetWidth) * 3);  // both sheets at three times
    EXPECT_GT(h, CharacterSheetHeight * 3);
    ASSERT_TRUE(WriteMockScreens(VELTRANO_PROGRAM_DIR, out / "mock", &error)) << error;
    for (const char* name : {"title.png", "stage1.png", "stage10.png", "ending.png", "countdown.png"})
        EXPECT_EQ(PngSize(out / "mock" / name), std::make_pair(640, 480)) << name;
    EXPECT_FALSE(WriteContactSheet(out / "no-such-folder", out / "x.png", &error));
    EXPECT_NE(error.find(FileNameOf(BackgroundSheetFile)), std::string::npos) << error;
    std::filesystem::remove_all(out);
}
