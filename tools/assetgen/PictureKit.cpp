#include "tools/assetgen/PictureKit.h"

#include <algorithm>
#include <cmath>

namespace veltrano::assetgen {

uint32_t Pack(Colour c) {
    auto clamp = [](float v) { return static_cast<int>(std::lround(std::clamp(v, 0.0f, 255.0f))); };
    return Safe(Rgb(clamp(c.R), clamp(c.G), clamp(c.B)));
}

Colour Unpack(uint32_t c) {
    return {static_cast<float>((c >> 16) & 255), static_cast<float>((c >> 8) & 255),
            static_cast<float>(c & 255)};
}

Colour Mix(Colour a, Colour b, float t) {
    return {a.R + (b.R - a.R) * t, a.G + (b.G - a.G) * t, a.B + (b.B - a.B) * t};
}

Ramp MakeRamp(uint32_t base, float shadowHue, float highlight) {
    const Colour c = Unpack(base);
    const Colour shadow = {28, 14, 58};
    const Colour light = {255, 248, 222};
    Ramp r;
    const float toShadow[3] = {0.72f, 0.46f, 0.2f};
    for (int i = 0; i < 3; ++i) {
        Colour dark = {c.R * (1 - toShadow[i]), c.G * (1 - toShadow[i]), c.B * (1 - toShadow[i])};
        r.Shade[i] = Pack(Mix(dark, Mix(dark, shadow, 0.5f), toShadow[i] * shadowHue));
    }
    r.Shade[3] = Pack(c);
    r.Shade[4] = Pack(Mix(c, light, 0.35f * highlight));
    r.Shade[5] = Pack(Mix(c, light, 0.7f * highlight));
    return r;
}

float Bayer(int x, int y) {
    static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (m[y & 3][x & 3] + 0.5f) / 16.0f;
}

uint32_t Dithered(const Ramp& ramp, float level, int x, int y) {
    level = std::clamp(level, 0.0f, 5.0f);
    int lo = static_cast<int>(std::floor(level));
    const float frac = level - lo;
    if (lo >= 5) return ramp.Shade[5];
    return ramp.Shade[frac > Bayer(x, y) ? lo + 1 : lo];
}

Mask& Mask::Add(const Mask& other) {
    for (size_t i = 0; i < Bits.size(); ++i) Bits[i] |= other.Bits[i];
    return *this;
}

Mask& Mask::Cut(const Mask& other) {
    for (size_t i = 0; i < Bits.size(); ++i)
        if (other.Bits[i]) Bits[i] = 0;
    return *this;
}

Mask Mask::Shifted(int dx, int dy) const {
    Mask m(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (At(x, y)) m.Set(x + dx, y + dy);
    return m;
}

bool Mask::Any() const {
    return std::any_of(Bits.begin(), Bits.end(), [](uint8_t b) { return b != 0; });
}

Mask PolygonMask(int w, int h, const std::vector<Point>& p) {
    Mask m(w, h);
    const size_t n = p.size();
    for (int y = 0; y < h; ++y) {
        const float sy = y + 0.5f;
        for (int x = 0; x < w; ++x) {
            const float sx = x + 0.5f;
            bool inside = false;
            for (size_t i = 0, j = n - 1; i < n; j = i++) {
                if ((p[i].Y > sy) != (p[j].Y > sy) &&
                    sx < (p[j].X - p[i].X) * (sy - p[i].Y) / (p[j].Y - p[i].Y) + p[i].X)
                    inside = !inside;
            }
            if (inside) m.Set(x, y);
        }
    }
    return m;
}

Mask PolygonMask(int w, int h, std::initializer_list<Point> points) {
    return PolygonMask(w, h, std::vector<Point>(points));
}

Mask EllipseMask(int w, int h, float cx, float cy, float rx, float ry) {
    Mask m(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f) m.Set(x, y);
        }
    return m;
}

Mask RectMask(int w, int h, int x, int y, int rw, int rh) {
    Mask m(w, h);
    for (int j = y; j < y + rh; ++j)
        for (int i = x; i < x + rw; ++i) m.Set(i, j);
    return m;
}

Mask LineMask(int w, int h, float x0, float y0, float x1, float y1, float thickness) {
    Mask m(w, h);
    const float vx = x1 - x0, vy = y1 - y0;
    const float len2 = std::max(vx * vx + vy * vy, 1e-6f);
    const float r = thickness * 0.5f;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float px = x + 0.5f - x0, py = y + 0.5f - y0;
            const float t = std::clamp((px * vx + py * vy) / len2, 0.0f, 1.0f);
            const float dx = px - t * vx, dy = py - t * vy;
            if (dx * dx + dy * dy <= r * r) m.Set(x, y);
        }
    return m;
}

Mask SymmetricMask(int size, std::initializer_list<Point> upperHalf) {
    const float middle = size / 2.0f;
    std::vector<Point> points(upperHalf);
    for (Point& p : points)
        if (p.Y >= middle - 0.51f) p.Y = middle + 0.5f;
    Mask m = PolygonMask(size, size, points);
    return m.Add(MirrorY(m));
}

std::vector<Point> StarPoints(float cx, float cy, int corners, float outer, float inner, float start) {
    std::vector<Point> points;
    for (int k = 0; k < corners; ++k) {
        const float a = start + k * 6.2831853f / corners, r = k % 2 ? inner : outer;
        points.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return points;
}

Mask SpokesMask(int w, int h, float cx, float cy, int count, float inner, float outer, float thickness,
                float start) {
    Mask m(w, h);
    for (int k = 0; k < count; ++k) {
        const float a = start + k * 6.2831853f / count;
        m.Add(LineMask(w, h, cx + inner * std::cos(a), cy + inner * std::sin(a), cx + outer * std::cos(a),
                       cy + outer * std::sin(a), thickness));
    }
    return m;
}

Mask MirrorY(const Mask& m) {
    Mask r(m.W, m.H);
    for (int y = 0; y < m.H; ++y)
        for (int x = 0; x < m.W; ++x)
            if (m.At(x, y)) r.Set(x, m.H - 1 - y);
    return r;
}

Mask MirrorX(const Mask& m) {
    Mask r(m.W, m.H);
    for (int y = 0; y < m.H; ++y)
        for (int x = 0; x < m.W; ++x)
            if (m.At(x, y)) r.Set(m.W - 1 - x, y);
    return r;
}

void Sprite::Put(int x, int y, uint32_t colour) {
    if (x < 0 || y < 0 || x >= W || y >= H) return;
    Pixels[y * W + x] = Safe(colour);
    Solid[y * W + x] = 1;
}

Mask Sprite::SolidMask() const {
    Mask m(W, H);
    for (size_t i = 0; i < Solid.size(); ++i) m.Bits[i] = Solid[i];
    return m;
}

void ShadeBevel(Sprite& s, const Mask& m, const Ramp& ramp, float level, float gradient) {
    int top = m.H, bottom = -1;
    for (int y = 0; y < m.H; ++y)
        for (int x = 0; x < m.W; ++x)
            if (m.At(x, y)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (bottom < 0) return;
    const float span = std::max(1, bottom - top);
    for (int y = 0; y < m.H; ++y)
        for (int x = 0; x < m.W; ++x) {
            if (!m.At(x, y)) continue;
            float l = level + gradient * (0.5f - (y - top) / span);
            if (!m.At(x, y - 1) || !m.At(x - 1, y))
                l = std::max(l + 1.2f, 4.6f);
            else if (!m.At(x, y + 1) || !m.At(x + 1, y))
                l = std::min(l - 1.2f, 1.4f);
            s.Put(x, y, Dithered(ramp, l, x, y));
        }
}

void ShadeSphere(Sprite& s, const Mask& m, const Ramp& ramp, float cx, float cy, float rx, float ry) {
    for (int y = 0; y < m.H; ++y)
        for (int x = 0; x < m.W; ++x) {
            if (!m.At(x, y)) continue;
            const float nx = (x + 0.5f - cx) / rx, ny = (y + 0.5f - cy) / ry;
            const float d2 = std::min(1.0f, nx * nx + ny * ny);
            const float nz = std::sqrt(1.0f - d2);
            // Light from the upper left and slightly towards the viewer.
            const float lambert = std::max(0.0f, -0.5f * nx - 0.6f * ny + 0.62f * nz);
            float l = 0.6f + 4.6f * lambert;
            if (!m.At(x, y + 1) || !m.At(x + 1, y)) l -= 0.6f;
            s.Put(x, y, Dithered(ramp, l, x, y));
        }
}

void ShadeGlow(Sprite& s, const Mask& m, const Ramp& ramp, float cx, float cy, float radius) {
    for (int y = 0; y < m.H; ++y)
        for (int x = 0; x < m.W; ++x) {
            if (!m.At(x, y)) continue;
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / radius;
            s.Put(x, y, Dithered(ramp, 5.4f - 4.6f * d, x, y));
        }
}

void Fill(Sprite& s, const Mask& m, uint32_t colour) {
    for (int y = 0; y < m.H; ++y)
        for (int x = 0; x < m.W; ++x)
            if (m.At(x, y)) s.Put(x, y, colour);
}

void Outline(Sprite& s, uint32_t colour) {
    const Mask solid = s.SolidMask();
    for (int y = 0; y < s.H; ++y)
        for (int x = 0; x < s.W; ++x)
            if (!solid.At(x, y) &&
                (solid.At(x - 1, y) || solid.At(x + 1, y) || solid.At(x, y - 1) || solid.At(x, y + 1)))
                s.Put(x, y, colour);
    ClosePinholes(s, colour);
}

void PaintTwoTone(Sprite& s, const Mask& shape, const TwoTones& t, float cx, float cy, float hot) {
    for (int y = 0; y < shape.H; ++y)
        for (int x = 0; x < shape.W; ++x) {
            if (!shape.At(x, y)) continue;
            const bool edge =
                !shape.At(x - 1, y) || !shape.At(x + 1, y) || !shape.At(x, y - 1) || !shape.At(x, y + 1);
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            s.Put(x, y, edge ? t.Rim : d < hot * 0.55f ? t.White : d < hot ? t.Hot : t.Core);
        }
}

void Enrich(Sprite& s, float factor) {
    for (int y = 0; y < s.H; ++y)
        for (int x = 0; x < s.W; ++x) {
            if (!s.IsSolid(x, y)) continue;
            const Colour c = Unpack(s.Get(x, y));
            const float grey = 0.299f * c.R + 0.587f * c.G + 0.114f * c.B;
            s.Put(x, y, Pack(Mix(Colour{grey, grey, grey}, c, factor)));
        }
}

void Halo(Sprite& s, uint32_t colour) {
    const Mask solid = s.SolidMask();
    auto inner = [&](int x, int y) { return x >= 1 && y >= 1 && x < s.W - 1 && y < s.H - 1; };
    for (int y = 0; y < s.H; ++y)
        for (int x = 0; x < s.W; ++x) {
            const bool touches =
                solid.At(x - 1, y) || solid.At(x + 1, y) || solid.At(x, y - 1) || solid.At(x, y + 1);
            if (!solid.At(x, y) && touches && inner(x, y)) s.Put(x, y, colour);
            // A picture pixel on the inner ring with the border beside it: the halo takes its place.
            const bool onRing = x == 1 || y == 1 || x == s.W - 2 || y == s.H - 2;
            if (solid.At(x, y) && onRing && inner(x, y)) s.Put(x, y, colour);
        }
    ClosePinholes(s, colour);
}

void ClosePinholes(Sprite& s, uint32_t colour) {
    for (int y = 1; y < s.H - 1; ++y)
        for (int x = 1; x < s.W - 1; ++x)
            if (!s.IsSolid(x, y) && s.IsSolid(x - 1, y) && s.IsSolid(x + 1, y) && s.IsSolid(x, y - 1) &&
                s.IsSolid(x, y + 1))
                s.Put(x, y, colour);
}

void Stamp(Sprite& onto, const Sprite& from, int dx, int dy) {
    for (int y = 0; y < from.H; ++y)
        for (int x = 0; x < from.W; ++x)
            if (from.IsSolid(x, y)) onto.Put(x + dx, y + dy, from.Get(x, y));
}

void Place(Surface& sheet, const Sprite& s, int x, int y) {
    for (int j = 0; j < s.H; ++j)
        for (int i = 0; i < s.W; ++i)
            sheet.Row(y + j)[x + i] = s.IsSolid(i, j) ? Safe(s.Get(i, j)) : KeyColour;
}

uint32_t Hash(uint32_t a, uint32_t b, uint32_t c) {
    uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u ^ (c + 0x165667B1u) * 0xC2B2AE3Du;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

uint32_t Scatter::Next() {
    State ^= State << 13;
    State ^= State >> 17;
    State ^= State << 5;
    return State;
}

float PeriodicNoise(int x, int y, int cell, int period, uint32_t seed) {
    const int cells = period / cell;
    auto wrap = [&](int v) { return ((v % cells) + cells) % cells; };
    auto lattice = [&](int i, int j) {
        return static_cast<float>(
                   Hash(static_cast<uint32_t>(wrap(i)), static_cast<uint32_t>(wrap(j)), seed) >> 8) /
               16777216.0f;
    };
    const int px = ((x % period) + period) % period, py = ((y % period) + period) % period;
    const int ix = px / cell, iy = py / cell;
    float fx = static_cast<float>(px % cell) / cell, fy = static_cast<float>(py % cell) / cell;
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    const float a = lattice(ix, iy), b = lattice(ix + 1, iy), c = lattice(ix, iy + 1),
                d = lattice(ix + 1, iy + 1);
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

float PeriodicFractal(int x, int y, int cell, int period, uint32_t seed) {
    float sum = 0, weight = 0, w = 1;
    for (int c = cell; c >= 2; c /= 2) {
        if (period % c != 0) continue;
        sum += w * PeriodicNoise(x, y, c, period, seed + static_cast<uint32_t>(c));
        weight += w;
        w *= 0.55f;
    }
    return weight > 0 ? sum / weight : 0.5f;
}

}  // namespace veltrano::assetgen
