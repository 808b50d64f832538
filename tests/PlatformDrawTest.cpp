#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "platform/Surface.h"

using namespace veltrano;

namespace {

// A 4x4 sheet whose pixel (x, y) is 0x0000yx, with the key colour at (1, 1).
Surface NumberedSheet() {
    Surface s;
    s.Create(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) s.Row(y)[x] = static_cast<uint32_t>(0x100 + y * 16 + x);
    SetKeyColour(s, PixelAt(s, 1, 1));
    return s;
}

}  // namespace

TEST(DrawRect, CopiesOpaqueOrSkipsTheExactKeyValue) {
    Surface dest;
    dest.Create(8, 8, 7);
    const Surface sheet = NumberedSheet();
    DrawRect(dest, 2, 3, {0, 0, 3, 3}, &sheet, false);
    EXPECT_EQ(PixelAt(dest, 2, 3), 0x100u);
    EXPECT_EQ(PixelAt(dest, 3, 4), 0x111u);  // the key pixel is copied when opaque
    EXPECT_EQ(PixelAt(dest, 5, 3), 7u);      // right edge exclusive
    dest.Create(8, 8, 7);
    DrawRect(dest, 2, 3, {0, 0, 3, 3}, &sheet, true);
    EXPECT_EQ(PixelAt(dest, 3, 4), 7u);
    EXPECT_EQ(PixelAt(dest, 4, 5), 0x122u);
    DrawRect(dest, 0, 0, {0, 0, 2, 2}, nullptr, true);  // no sheet: nothing
    EXPECT_EQ(PixelAt(dest, 0, 0), 7u);
}

TEST(DrawRect, ClipsOnEveryEdgeOfBothSurfaces) {
    const Surface sheet = NumberedSheet();
    Surface dest;
    dest.Create(8, 8, 7);
    DrawRect(dest, -2, -1, {0, 0, 4, 4}, &sheet, false);  // partly off the top-left
    EXPECT_EQ(PixelAt(dest, 0, 0), 0x112u);
    EXPECT_EQ(PixelAt(dest, 1, 2), 0x133u);
    EXPECT_EQ(PixelAt(dest, 2, 0), 7u);
    dest.Create(8, 8, 7);
    DrawRect(dest, 6, 7, {0, 0, 4, 4}, &sheet, false);  // partly off the bottom-right
    EXPECT_EQ(PixelAt(dest, 7, 7), 0x101u);
    dest.Create(8, 8, 7);
    DrawRect(dest, 1, 1, {2, 2, 9, 9}, &sheet, false);  // a source rectangle past its sheet
    EXPECT_EQ(PixelAt(dest, 2, 2), 0x133u);
    EXPECT_EQ(PixelAt(dest, 3, 3), 7u);
    dest.Create(8, 8, 7);
    DrawRect(dest, 1, 1, {-1, -1, 2, 2}, &sheet, false);  // and before its start
    EXPECT_EQ(PixelAt(dest, 1, 1), 7u);
    EXPECT_EQ(PixelAt(dest, 2, 2), 0x100u);
    for (int far : {-100, 9, 100000}) {
        Surface quiet;
        quiet.Create(8, 8, 7);
        DrawRect(quiet, far, far, {0, 0, 4, 4}, &sheet, false);
        EXPECT_EQ(std::count(quiet.Pixels.begin(), quiet.Pixels.end(), 7u), 64);
    }
    EXPECT_EQ(PixelAt(dest, -1, 0), 0u);
    EXPECT_EQ(PixelAt(dest, 8, 0), 0u);
}

TEST(Bitmaps, SavedPicturesLoadBackAndBadFilesAreRefusedWithTheirName) {
    const auto dir = std::filesystem::temp_directory_path() / "veltrano-bmp";
    std::filesystem::create_directories(dir);
    Surface picture;
    picture.Create(5, 3);
    for (int i = 0; i < 15; ++i) picture.Pixels[i] = Rgb(i * 10, 255 - i, i);
    std::string error;
    ASSERT_TRUE(SaveBitmapFile(picture, (dir / "p.bmp").string(), &error)) << error;
    Surface loaded;
    ASSERT_TRUE(LoadBitmapFile(loaded, (dir / "p.bmp").string(), &error)) << error;
    EXPECT_EQ(loaded.Width, 5);
    EXPECT_EQ(loaded.Height, 3);
    EXPECT_EQ(loaded.Pixels, picture.Pixels);

    std::ofstream(dir / "short.bmp", std::ios::binary) << std::string("BM\x10\x00", 4);
    EXPECT_FALSE(LoadBitmapFile(loaded, (dir / "short.bmp").string(), &error));
    EXPECT_NE(error.find("short.bmp"), std::string::npos);
    EXPECT_EQ(loaded.Width, 5);  // the surface is left as it was
    EXPECT_FALSE(LoadBitmapFile(loaded, (dir / "missing.bmp").string(), &error));
    EXPECT_NE(error.find("missing.bmp"), std::string::npos);
}
