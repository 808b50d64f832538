// The small pixel-art toolkit every picture is drawn with: colour ramps with hue-shifted shades,
// ordered dithering, masks built from shapes, bevel and sphere shading, an outline pass, a
// deterministic noise that repeats on any period, and the copy of a finished sprite onto a sheet.
// Nothing here can produce the key colour: every colour written goes through Safe().
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "platform/Surface.h"
#include "render/SpriteCells.h"

namespace veltrano::assetgen {

// Pure magenta marks the transparent pixels of both sheets.
inline constexpr uint32_t KeyColour = 0xFF00FF;

// Any colour but the key: a picture pixel that would come out as magenta is nudged one step greener.
inline uint32_t Safe(uint32_t colour) {
    return colour == KeyColour ? (KeyColour | 0x000100) : colour;
}

struct Colour {
    float R, G, B;
};
uint32_t Pack(Colour c);
Colour Unpack(uint32_t c);
Colour Mix(Colour a, Colour b, float t);

// Six shades from deep shadow to highlight. Shadows lean to blue-violet and highlights to warm
// white, the usual hue shift of hand-drawn pixel art.
struct Ramp {
    std::array<uint32_t, 6> Shade;
};
Ramp MakeRamp(uint32_t base, float shadowHue = 1.0f, float highlight = 1.0f);

// The 4x4 Bayer threshold in [0, 1) of a pixel.
float Bayer(int x, int y);
// A shade of `ramp` for a level in [0, 5], dithered between the two nearest shades.
uint32_t Dithered(const Ramp& ramp, float level, int x, int y);

// A set of pixels of a sprite workspace, built from shapes.
struct Mask {
    int W = 0, H = 0;
    std::vector<uint8_t> Bits;
    Mask(int w, int h) : W(w), H(h), Bits(static_cast<size_t>(w) * h, 0) {}
    bool At(int x, int y) const { return x >= 0 && y >= 0 && x < W && y < H && Bits[y * W + x]; }
    void Set(int x, int y, bool on = true) {
        if (x >= 0 && y >= 0 && x < W && y < H) Bits[y * W + x] = on;
    }
    Mask& Add(const Mask& other);
    Mask& Cut(const Mask& other);
    Mask Shifted(int dx, int dy) const;
    bool Any() const;
};

struct Point {
    float X, Y;
};
Mask PolygonMask(int w, int h, std::initializer_list<Point> points);
Mask PolygonMask(int w, int h, const std::vector<Point>& points);
Mask EllipseMask(int w, int h, float cx, float cy, float rx, float ry);
Mask RectMask(int w, int h, int x, int y, int rw, int rh);
Mask LineMask(int w, int h, float x0, float y0, float x1, float y1, float thickness);
// A shape symmetric about the middle row of a size-by-size sprite, from the polygon of its upper
// half; points on the middle line are pushed half a pixel past it so the halves meet without a gap.
Mask SymmetricMask(int size, std::initializer_list<Point> upperHalf);
// The corners of a star (or, with equal radii, a regular polygon) of `corners` points round (cx, cy),
// alternating between `outer` and `inner` radius, the first point at `start` radians.
std::vector<Point> StarPoints(float cx, float cy, int corners, float outer, float inner, float start);
// `count` spokes from radius `inner` to `outer` round (cx, cy), the first at `start` radians.
Mask SpokesMask(int w, int h, float cx, float cy, int count, float inner, float outer, float thickness,
                float start);
// Mirrors a mask top to bottom (ships and many enemies are symmetric about their middle row).
Mask MirrorY(const Mask& m);
Mask MirrorX(const Mask& m);

// A sprite under construction: colours plus which pixels are solid.
struct Sprite {
    int W = 0, H = 0;
    std::vector<uint32_t> Pixels;
    std::vector<uint8_t> Solid;
    Sprite(int w, int h)
        : W(w), H(h), Pixels(static_cast<size_t>(w) * h, 0), Solid(static_cast<size_t>(w) * h, 0) {}
    void Put(int x, int y, uint32_t colour);
    bool IsSolid(int x, int y) const { return x >= 0 && y >= 0 && x < W && y < H && Solid[y * W + x]; }
    uint32_t Get(int x, int y) const { return Pixels[y * W + x]; }
    Mask SolidMask() const;
};

// Fills a mask with a ramp: light falls from the top left, so edges facing it get the highlight
// and edges facing away the shadow; `level` is the middle shade and `gradient` darkens downwards.
void ShadeBevel(Sprite& s, const Mask& m, const Ramp& ramp, float level = 3.0f, float gradient = 1.0f);
// Fills a mask as a rounded body lit from the top left, centred on (cx, cy) with radii (rx, ry).
void ShadeSphere(Sprite& s, const Mask& m, const Ramp& ramp, float cx, float cy, float rx, float ry);
// A bright core fading outwards: glows, flames, energy.
void ShadeGlow(Sprite& s, const Mask& m, const Ramp& ramp, float cx, float cy, float radius);
void Fill(Sprite& s, const Mask& m, uint32_t colour);
// Rings every solid region with a one-pixel dark outline (4-neighbourhood).
void Outline(Sprite& s, uint32_t colour);
// The two tones of everything that flies and hits: a dark rim round the edge of its shape and a light,
// saturated core that whitens towards its hot spot. Dark rim or light core stands out from any
// backdrop, light or dark.
struct TwoTones {
    uint32_t Rim, Core, Hot, White;
};
// Paints `shape` in two tones: rim on its edge, core inside, hot within `hot` of (cx, cy) and white
// within half of that.
void PaintTwoTone(Sprite& s, const Mask& shape, const TwoTones& t, float cx, float cy, float hot);
// Pushes every picture pixel's colour away from its grey by `factor` (above 1: richer colours).
void Enrich(Sprite& s, float factor);
// Rings the picture with a one-pixel light halo outside its outline. Where the picture reaches the
// last free ring of its cell, the outline pixel itself turns to the halo, so the sprite keeps its
// clear border.
void Halo(Sprite& s, uint32_t colour);
// Fills every one-pixel hole walled in by picture on all four sides: through such a hole the scene
// would twinkle inside the sprite.
void ClosePinholes(Sprite& s, uint32_t colour);
// Paints the solid pixels of one sprite over another.
void Stamp(Sprite& onto, const Sprite& from, int dx, int dy);
// Copies a sprite to a sheet at (x, y); its empty pixels become the key colour.
void Place(Surface& sheet, const Sprite& s, int x, int y);
// Copies a sprite into the game's cell of the character sheet, at its top-left corner.
inline void Place(Surface& sheet, const Sprite& s, const SpriteCell& cell) {
    Place(sheet, s, cell.X, cell.Y);
}

// Value noise in [0, 1) that repeats every `period` pixels in x and y; `cell` must divide `period`.
float PeriodicNoise(int x, int y, int cell, int period, uint32_t seed);
// Several octaves of PeriodicNoise from `cell` down to 2 pixels.
float PeriodicFractal(int x, int y, int cell, int period, uint32_t seed);
// A deterministic integer hash and a small seeded generator for scattering details.
uint32_t Hash(uint32_t a, uint32_t b = 0, uint32_t c = 0);
struct Scatter {
    uint32_t State;
    explicit Scatter(uint32_t seed) : State(seed * 2654435761u + 1u) {}
    uint32_t Next();
    int Below(int n) { return static_cast<int>((static_cast<uint64_t>(Next()) * n) >> 32); }
    float Unit() { return static_cast<float>(Next() >> 8) / 16777216.0f; }
};

// Writes a pixel of a sheet (never the key colour).
inline void PutSheet(Surface& sheet, int x, int y, uint32_t colour) {
    sheet.Row(y)[x] = Safe(colour);
}

// The outline colour of every sprite: a deep blue-black reads as black but keeps the palette warm.
inline constexpr uint32_t InkColour = 0x140E24;

}  // namespace veltrano::assetgen
