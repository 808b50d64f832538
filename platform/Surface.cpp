#include "platform/Surface.h"

#if VELTRANO_PNG
#include <png.h>
#endif

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "platform/Files.h"
#include "world/WideVectors.h"

namespace veltrano {

void Surface::Create(int width, int height, uint32_t fill) {
    Width = width;
    Height = height;
    DropsPixels = false;
    Pixels.assign(static_cast<size_t>(width) * height, fill);
}

uint32_t PixelAt(const Surface& surface, int x, int y) {
    if (x < 0 || y < 0 || x >= surface.Width || y >= surface.Height) return 0;
    return surface.Row(y)[x];
}

void SetKeyColour(Surface& surface, uint32_t value) {
    surface.KeyColour = value;
}

namespace {

// A keyed copy of h rows of w pixels. Written as a select so the compiler vectorises it; the AVX2
// clone, chosen once at load time, handles eight pixels a step where the processor has it.
VELTRANO_WIDE_VECTORS void CopyKeyedRows(uint32_t* to, size_t toStride, const uint32_t* from,
                                         size_t fromStride, int w, int h, uint32_t key) {
    for (int row = 0; row < h; ++row, to += toStride, from += fromStride)
        for (int i = 0; i < w; ++i) to[i] = from[i] == key ? to[i] : from[i];
}

}  // namespace

void DrawRect(Surface& dest, int x, int y, const Rect& source, const Surface* sheet, bool transparent) {
    if (sheet == nullptr || dest.DropsPixels || x > dest.Width || y > dest.Height) return;
    int sl = source.Left, st = source.Top, sr = source.Right, sb = source.Bottom;
    int dl = x, dt = y;
    // Clip the source to its own surface, moving the destination by the same amounts.
    if (sl < 0) {
        dl -= sl;
        sl = 0;
    }
    if (st < 0) {
        dt -= st;
        st = 0;
    }
    sr = std::min(sr, sheet->Width);
    sb = std::min(sb, sheet->Height);
    // Clip the destination to the back buffer, moving the source by the same amounts.
    if (dl < 0) {
        sl -= dl;
        dl = 0;
    }
    if (dt < 0) {
        st -= dt;
        dt = 0;
    }
    const int w = std::min(sr - sl, dest.Width - dl);
    const int h = std::min(sb - st, dest.Height - dt);
    if (w <= 0 || h <= 0) return;

    const uint32_t* from = sheet->Row(st) + sl;
    uint32_t* to = dest.Row(dt) + dl;
    if (transparent) {
        CopyKeyedRows(to, dest.Width, from, sheet->Width, w, h, sheet->KeyColour);
        return;
    }
    for (int row = 0; row < h; ++row, to += dest.Width, from += sheet->Width)
        std::memcpy(to, from, static_cast<size_t>(w) * sizeof(uint32_t));
}

namespace {

uint32_t ReadLe32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint16_t ReadLe16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

namespace {

constexpr size_t BitmapHeaderBytes = 54;  // file header and the 40-byte information header

struct BitmapLayout {
    int Width = 0, Height = 0, Bytes = 0;  // bytes per pixel
    bool TopDown = false;
    size_t PixelOffset = 0, Stride = 0;
    uint64_t Extent = 0;  // the bytes the file must hold: headers and every pixel row
};

// Reads the headers; false with the reason when they describe a picture the game does not load.
bool ReadBitmapLayout(const unsigned char* data, size_t size, BitmapLayout& layout, std::string* why) {
    auto fail = [&](const char* reason) {
        if (why) *why = reason;
        return false;
    };
    if (size < BitmapHeaderBytes || data[0] != 'B' || data[1] != 'M') return fail("not a BMP file");
    if (ReadLe32(&data[14]) < 40) return fail("unsupported BMP header");
    const int32_t width = static_cast<int32_t>(ReadLe32(&data[18]));
    const int32_t rawHeight = static_cast<int32_t>(ReadLe32(&data[22]));
    const uint16_t bits = ReadLe16(&data[28]);
    const uint32_t compression = ReadLe32(&data[30]);
    if (bits != 24 && bits != 32) return fail("only 24- and 32-bit pictures are supported");
    // 32-bit pictures may use bit fields; only the plain BGRX layout is accepted.
    if (compression != 0 && !(compression == 3 && bits == 32))
        return fail("compressed BMP files are not supported");
    layout.TopDown = rawHeight < 0;
    const int64_t height = layout.TopDown ? -static_cast<int64_t>(rawHeight) : rawHeight;
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) return fail("bad picture size");
    layout.Width = width;
    layout.Height = static_cast<int>(height);
    layout.Bytes = bits / 8;
    layout.Stride = ((static_cast<size_t>(width) * layout.Bytes) + 3) & ~static_cast<size_t>(3);
    layout.PixelOffset = ReadLe32(&data[10]);
    layout.Extent = layout.PixelOffset + static_cast<uint64_t>(layout.Stride) * layout.Height;
    if (layout.Extent > MaxFileBytes) return fail("its header declares more than 64 MB of pixels");
    return true;
}

}  // namespace

bool DecodeBitmap(const unsigned char* data, size_t size, Surface& out, std::string* why) {
    BitmapLayout layout;
    if (!ReadBitmapLayout(data, size, layout, why)) return false;
    if (layout.Extent > size) {
        if (why) *why = "the file is shorter than its picture";
        return false;
    }
    out.Create(layout.Width, layout.Height);
    for (int row = 0; row < layout.Height; ++row) {
        const unsigned char* src =
            data + layout.PixelOffset + layout.Stride * (layout.TopDown ? row : layout.Height - 1 - row);
        uint32_t* dst = out.Row(row);
        for (int x = 0; x < layout.Width; ++x) {
            const unsigned char* p = src + static_cast<size_t>(x) * layout.Bytes;
            dst[x] = Rgb(p[2], p[1], p[0]);
        }
    }
    return true;
}

bool LoadBitmapFile(Surface& surface, const std::string& path, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = path + ": " + why;
        return false;
    };
    ReadOnlyFile file;
    if (file.Open(path, error) != FileStatus::Done) return false;
    // Only what the header declares is read: trailing bytes, however many, are never touched.
    std::vector<unsigned char> data(BitmapHeaderBytes);
    size_t got = 0;
    if (!file.ReadAt(0, data.data(), data.size(), &got, error)) return false;
    BitmapLayout layout;
    std::string why;
    if (!ReadBitmapLayout(data.data(), got, layout, &why)) return fail(why);
    if (layout.Extent > file.Size()) return fail("the file is shorter than its picture");
    // The pixels may start inside the headers: never read less than the headers themselves.
    data.resize(std::max<size_t>(static_cast<size_t>(layout.Extent), BitmapHeaderBytes));
    if (!file.ReadAt(0, data.data(), data.size(), &got, error)) return false;
    Surface loaded;
    if (!DecodeBitmap(data.data(), got, loaded, &why)) return fail(why);
    loaded.KeyColour = surface.KeyColour;
    surface = std::move(loaded);
    return true;
}

bool SaveBitmapFile(const Surface& surface, const std::string& path, std::string* error) {
    const size_t stride = (static_cast<size_t>(surface.Width) * 3 + 3) & ~static_cast<size_t>(3);
    const uint32_t imageSize = static_cast<uint32_t>(stride * surface.Height);
    std::vector<unsigned char> data(54 + imageSize, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) data[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    data[0] = 'B';
    data[1] = 'M';
    put32(2, 54 + imageSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(surface.Width));
    put32(22, static_cast<uint32_t>(surface.Height));
    data[26] = 1;
    data[28] = 24;
    put32(34, imageSize);
    put32(38, 3780);
    put32(42, 3780);
    for (int y = 0; y < surface.Height; ++y) {
        unsigned char* dst = &data[54 + stride * (surface.Height - 1 - y)];
        const uint32_t* src = surface.Row(y);
        for (int x = 0; x < surface.Width; ++x) {
            dst[x * 3] = static_cast<unsigned char>(src[x]);
            dst[x * 3 + 1] = static_cast<unsigned char>(src[x] >> 8);
            dst[x * 3 + 2] = static_cast<unsigned char>(src[x] >> 16);
        }
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (!out) {
        if (error) *error = path + ": cannot write";
        return false;
    }
    return true;
}

#if VELTRANO_PNG
bool SavePng(const Surface& surface, const std::string& path, std::string* error,
             const uint32_t* transparentKey) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        if (error) *error = path + ": cannot write";
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        if (error) *error = path + ": PNG encoding failed";
        return false;
    }
    png_init_io(png, file);
    const int channels = transparentKey ? 4 : 3;
    png_set_IHDR(png, info, surface.Width, surface.Height, 8,
                 transparentKey ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<unsigned char> row(static_cast<size_t>(surface.Width) * channels);
    for (int y = 0; y < surface.Height; ++y) {
        const uint32_t* src = surface.Row(y);
        for (int x = 0; x < surface.Width; ++x) {
            unsigned char* out = &row[static_cast<size_t>(x) * channels];
            out[0] = static_cast<unsigned char>(src[x] >> 16);
            out[1] = static_cast<unsigned char>(src[x] >> 8);
            out[2] = static_cast<unsigned char>(src[x]);
            if (transparentKey) out[3] = (src[x] & 0xFFFFFF) == (*transparentKey & 0xFFFFFF) ? 0 : 255;
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return true;
}
#else
bool SavePng(const Surface&, const std::string& path, std::string* error, const uint32_t*) {
    if (error) *error = path + ": this build writes no PNG";
    return false;
}
#endif

std::vector<uint32_t> IconPixels(const Surface& sheet, int cellX, int cellY, int cellSize, int times) {
    const int side = cellSize * times;
    std::vector<uint32_t> pixels(static_cast<size_t>(side) * side, 0);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const int sx = cellX + x / times, sy = cellY + y / times;
            if (sx >= sheet.Width || sy >= sheet.Height) continue;
            const uint32_t colour = sheet.Row(sy)[sx] & 0xFFFFFFu;
            if (colour != (sheet.KeyColour & 0xFFFFFFu))
                pixels[static_cast<size_t>(y) * side + x] = 0xFF000000u | colour;
        }
    return pixels;
}

}  // namespace veltrano
