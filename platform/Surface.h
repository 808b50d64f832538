// 32-bit software surfaces and the one drawing operation of a frame: a clipped rectangle copy with
// an optional colour key. Pixels are 0x00RRGGBB words; there is no alpha channel.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace veltrano {

struct Rect {
    int Left, Top, Right, Bottom;  // right and bottom exclusive
};

struct Surface {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;  // row-major, Width * Height
    uint32_t KeyColour = 0;
    // A surface that drops every pixel drawn on it: the headless game's back buffer when nothing will
    // look at the pictures (a replay checked by its checkpoints, a long statistics run). Drawing
    // changes nothing in the world, so play is the same; the pixel writes, and the object pass that
    // would only lead to them, are most of a frame's time. Create clears it.
    bool DropsPixels = false;

    void Create(int width, int height, uint32_t fill = 0);
    bool Empty() const { return Width == 0 || Height == 0; }
    uint32_t* Row(int y) { return Pixels.data() + static_cast<size_t>(y) * Width; }
    const uint32_t* Row(int y) const { return Pixels.data() + static_cast<size_t>(y) * Width; }
};

inline uint32_t Rgb(int r, int g, int b) {
    return (static_cast<uint32_t>(r & 255) << 16) | (static_cast<uint32_t>(g & 255) << 8) |
           static_cast<uint32_t>(b & 255);
}

// The raw pixel at (x, y); 0 outside the surface.
// A square cell of a sheet made `times` larger as 0xAARRGGBB words, the sheet's key colour clear and
// every other pixel opaque: the window's icon.
std::vector<uint32_t> IconPixels(const Surface& sheet, int cellX, int cellY, int cellSize, int times);
uint32_t PixelAt(const Surface& surface, int x, int y);
void SetKeyColour(Surface& surface, uint32_t value);

// Copies `source` rectangle of `sheet` so that its top-left corner lands at (x, y) on `dest`, clipped
// on every edge of both surfaces. With `transparent`, pixels equal to the sheet's key are skipped.
void DrawRect(Surface& dest, int x, int y, const Rect& source, const Surface* sheet, bool transparent);

// Loads a 24- or 32-bit uncompressed BMP (bottom-up or top-down), reading only what its header
// declares. On failure (no file, a folder, a read error, a damaged or oversized picture) returns false
// with a message naming the file in `error`; the surface is left as it was.
bool LoadBitmapFile(Surface& surface, const std::string& path, std::string* error);
// The same for a BMP held in memory; `why` says what is wrong without naming a file.
bool DecodeBitmap(const unsigned char* data, size_t size, Surface& out, std::string* why);

// Writes a surface as a 24-bit bottom-up BMP, the format the game loads.
bool SaveBitmapFile(const Surface& surface, const std::string& path, std::string* error);

// Writes a surface as a 24-bit PNG (tools and tests look at frames this way). With a key colour it
// writes 32 bits instead, pixels of exactly that value fully transparent (icons).
bool SavePng(const Surface& surface, const std::string& path, std::string* error,
             const uint32_t* transparentKey = nullptr);

}  // namespace veltrano
