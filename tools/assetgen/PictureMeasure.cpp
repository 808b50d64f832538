#include "tools/assetgen/PictureMeasure.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

namespace veltrano::assetgen {
namespace {

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double LabCurve(double t) {
    return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16.0) / 116.0;
}

// The sheet's picture pixels of a cell (its key colour left out).
std::vector<uint32_t> PicturePixels(const Surface& sheet, const SpriteCell& cell) {
    std::vector<uint32_t> pixels;
    for (int y = cell.Y; y < cell.Y + cell.H; ++y)
        for (int x = cell.X; x < cell.X + cell.W; ++x)
            if (PixelAt(sheet, x, y) != sheet.KeyColour) pixels.push_back(PixelAt(sheet, x, y));
    return pixels;
}

double Spread(std::vector<float> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return values[std::min(n - 1, n * 95 / 100)] - values[n * 5 / 100];
}

double Chroma(const LabColour& c) {
    return std::hypot(c.A, c.B);
}

}  // namespace

double RelativeLuminance(uint32_t rgb) {
    return 0.2126 * Linear((rgb >> 16) & 255) + 0.7152 * Linear((rgb >> 8) & 255) +
           0.0722 * Linear(rgb & 255);
}

double ContrastRatio(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

LabColour ToLab(uint32_t rgb) {
    const double r = Linear((rgb >> 16) & 255), g = Linear((rgb >> 8) & 255), b = Linear(rgb & 255);
    // sRGB to XYZ under D65, relative to the white point.
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    const double fx = LabCurve(x), fy = LabCurve(y), fz = LabCurve(z);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double Cie76(const LabColour& a, const LabColour& b) {
    return std::sqrt((a.L - b.L) * (a.L - b.L) + (a.A - b.A) * (a.A - b.A) + (a.B - b.B) * (a.B - b.B));
}

MeasuredBackdrop MeasureBackdrop(const Surface& screen) {
    MeasuredBackdrop m;
    m.Screen = &screen;
    m.Luminance.reserve(screen.Pixels.size());
    // A backdrop is drawn from a few thousand colours: each is worked out once.
    std::unordered_map<uint32_t, size_t> index;
    for (const uint32_t p : screen.Pixels) {
        auto [at, added] = index.try_emplace(p, m.Colours.size());
        if (added) m.Colours.push_back({ToLab(p), RelativeLuminance(p), 0});
        BackdropColour& colour = m.Colours[at->second];
        ++colour.Pixels;
        m.Luminance.push_back(static_cast<float>(colour.Luminance));
    }
    return m;
}

SpriteTones MeasureSprite(const Surface& sheet, const SpriteCell& cell) {
    SpriteTones t;
    auto picture = [&](int x, int y) {
        return x >= cell.X && y >= cell.Y && x < cell.X + cell.W && y < cell.Y + cell.H &&
               PixelAt(sheet, x, y) != sheet.KeyColour;
    };
    double core = 0, rim = 0;
    int coreCount = 0, rimCount = 0;
    for (int y = cell.Y; y < cell.Y + cell.H; ++y)
        for (int x = cell.X; x < cell.X + cell.W; ++x) {
            if (!picture(x, y)) continue;
            const double l = RelativeLuminance(PixelAt(sheet, x, y));
            const bool edge =
                !picture(x - 1, y) || !picture(x + 1, y) || !picture(x, y - 1) || !picture(x, y + 1);
            (edge ? rim : core) += l;
            ++(edge ? rimCount : coreCount);
        }
    t.RimLuminance = rimCount ? rim / rimCount : 0;
    t.CoreLuminance = coreCount ? core / coreCount : t.RimLuminance;
    std::vector<uint32_t> pixels = PicturePixels(sheet, cell);
    t.Pixels = static_cast<int>(pixels.size());
    // Equal luminances are ordered by colour, so the order is total and the same on every build.
    std::sort(pixels.begin(), pixels.end(), [](uint32_t a, uint32_t b) {
        const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
        return la < lb || (la == lb && a < b);
    });
    const size_t from = pixels.size() / 4, to = std::max(from + 1, pixels.size() - pixels.size() / 4);
    LabColour sum{0, 0, 0};
    for (size_t i = from; i < to && i < pixels.size(); ++i) {
        const LabColour c = ToLab(pixels[i]);
        sum = {sum.L + c.L, sum.A + c.A, sum.B + c.B};
    }
    const double n = static_cast<double>(std::min(to, pixels.size()) - from);
    if (n > 0) t.Body = {sum.L / n, sum.A / n, sum.B / n};
    return t;
}

Readability MeasureReadability(const SpriteTones& sprite, const SpriteCell& cell,
                               const MeasuredBackdrop& backdrop, int samples) {
    const Surface& screen = *backdrop.Screen;
    // A fixed low-discrepancy walk over the positions where the whole cell is on the screen.
    const int spanX = screen.Width - cell.W, spanY = screen.Height - cell.H;
    int legible = 0;
    for (int k = 0; k < samples; ++k) {
        const int x = static_cast<int>(std::fmod((k + 0.5) * 0.7548776662, 1.0) * spanX);
        const int y = static_cast<int>(std::fmod((k + 0.5) * 0.5698402910, 1.0) * spanY);
        double sum = 0;
        for (int j = 0; j < cell.H; ++j)
            for (int i = 0; i < cell.W; ++i) sum += backdrop.Luminance[(y + j) * screen.Width + x + i];
        const double under = sum / (cell.W * cell.H);
        legible += ContrastRatio(sprite.CoreLuminance, under) >= LegibleContrast ||
                   ContrastRatio(sprite.RimLuminance, under) >= LegibleContrast;
    }
    int alike = 0;
    for (const BackdropColour& c : backdrop.Colours)
        if (Cie76(c.Lab, sprite.Body) <= LookAlikeDistance) alike += c.Pixels;
    return {static_cast<double>(legible) / samples, static_cast<double>(alike) / backdrop.Luminance.size()};
}

double LuminanceSpread(const Surface& sheet, const SpriteCell& cell) {
    std::vector<float> values;
    for (const uint32_t p : PicturePixels(sheet, cell))
        values.push_back(static_cast<float>(RelativeLuminance(p)));
    return Spread(std::move(values));
}

double LuminancePercentile(const MeasuredBackdrop& backdrop, double fraction) {
    std::vector<BackdropColour> colours = backdrop.Colours;
    std::sort(colours.begin(), colours.end(),
              [](const BackdropColour& a, const BackdropColour& b) { return a.Luminance < b.Luminance; });
    // Walked over the colours' pixel counts.
    const size_t n = backdrop.Luminance.size();
    const size_t rank = std::min(n - 1, static_cast<size_t>(static_cast<double>(n) * fraction));
    size_t seen = 0;
    for (const BackdropColour& c : colours) {
        seen += static_cast<size_t>(c.Pixels);
        if (seen > rank) return c.Luminance;
    }
    return colours.empty() ? 0 : colours.back().Luminance;
}

double LuminanceSpread(const MeasuredBackdrop& backdrop) {
    return LuminancePercentile(backdrop, 0.95) - LuminancePercentile(backdrop, 0.05);
}

double MeanChroma(const Surface& sheet, const SpriteCell& cell) {
    const std::vector<uint32_t> pixels = PicturePixels(sheet, cell);
    double sum = 0;
    for (const uint32_t p : pixels) sum += Chroma(ToLab(p));
    return pixels.empty() ? 0 : sum / pixels.size();
}

double MeanChroma(const MeasuredBackdrop& backdrop) {
    double sum = 0;
    for (const BackdropColour& c : backdrop.Colours) sum += Chroma(c.Lab) * c.Pixels;
    return backdrop.Luminance.empty() ? 0 : sum / backdrop.Luminance.size();
}

}  // namespace veltrano::assetgen

namespace veltrano::assetgen {

SpriteExtremes MeasureExtremes(const Surface& sheet, const SpriteCell& cell) {
    std::vector<double> values;
    for (const uint32_t p : PicturePixels(sheet, cell)) values.push_back(RelativeLuminance(p));
    SpriteExtremes e;
    e.Pixels = static_cast<int>(values.size());
    if (values.empty()) return e;
    std::sort(values.begin(), values.end());
    const size_t quarter = std::max<size_t>(1, values.size() / 4);
    for (size_t i = 0; i < quarter; ++i) {
        e.Darkest += values[i];
        e.Brightest += values[values.size() - 1 - i];
    }
    e.Darkest /= static_cast<double>(quarter);
    e.Brightest /= static_cast<double>(quarter);
    return e;
}

double SpotMedian(const MeasuredBackdrop& backdrop, int x, int y) {
    const int width = backdrop.Screen->Width;
    std::array<float, SpotSize * SpotSize> spot;
    for (int j = 0; j < SpotSize; ++j)
        for (int i = 0; i < SpotSize; ++i)
            spot[j * SpotSize + i] = backdrop.Luminance[(y + j) * width + x + i];
    // The mean of the two middle values of 64.
    std::nth_element(spot.begin(), spot.begin() + spot.size() / 2, spot.end());
    const float upper = spot[spot.size() / 2];
    const float lower = *std::max_element(spot.begin(), spot.begin() + spot.size() / 2);
    return (static_cast<double>(lower) + upper) / 2;
}

bool ReadsOver(const SpriteExtremes& sprite, double spot) {
    return ContrastRatio(sprite.Brightest, spot) >= LegibleContrast ||
           ContrastRatio(sprite.Darkest, spot) >= LegibleContrast;
}

std::vector<double> SpotMedians(const std::vector<const MeasuredBackdrop*>& backdrops, int spots) {
    std::vector<double> medians;
    if (backdrops.empty()) return medians;
    for (int k = 0; k < spots; ++k) {
        const MeasuredBackdrop& b = *backdrops[static_cast<size_t>(k) % backdrops.size()];
        const int spanX = b.Screen->Width - SpotSize, spanY = b.Screen->Height - SpotSize;
        const int x = static_cast<int>(std::fmod((k + 0.5) * 0.7548776662, 1.0) * spanX);
        const int y = static_cast<int>(std::fmod((k + 0.5) * 0.5698402910, 1.0) * spanY);
        medians.push_back(SpotMedian(b, x, y));
    }
    return medians;
}

double ReadableSpotShare(const SpriteExtremes& sprite, const std::vector<double>& spotMedians) {
    if (spotMedians.empty()) return 0;
    int readable = 0;
    for (const double spot : spotMedians) readable += ReadsOver(sprite, spot);
    return static_cast<double>(readable) / static_cast<double>(spotMedians.size());
}

namespace {

double Luma(uint32_t rgb) {
    return 0.299 * ((rgb >> 16) & 255) + 0.587 * ((rgb >> 8) & 255) + 0.114 * (rgb & 255);
}

// The worst phase of one direction of one luminance: steps[p] holds the summed steps of phase p.
SeamMeasure WorstPhase(std::vector<double> steps, bool rows) {
    SeamMeasure m;
    m.Rows = rows;
    const auto worst = std::max_element(steps.begin(), steps.end());
    m.Phase = static_cast<int>(worst - steps.begin());
    const double top = *worst;
    std::nth_element(steps.begin(), steps.begin() + steps.size() / 2, steps.end());
    const double median = steps[steps.size() / 2];
    m.Ratio = median > 0 ? top / median : (top > 0 ? 1e9 : 1);
    return m;
}

}  // namespace

SeamMeasure MeasureSeams(const Surface& screen, int period) {
    std::vector<double> level(screen.Pixels.size());
    for (size_t i = 0; i < level.size(); ++i) level[i] = Luma(screen.Pixels[i]);
    std::vector<double> columns(period, 0), rows(period, 0);
    const int w = screen.Width, h = screen.Height;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double v = level[static_cast<size_t>(y) * w + x];
            if (x + 1 < w) columns[x % period] += std::fabs(level[static_cast<size_t>(y) * w + x + 1] - v);
            if (y + 1 < h) rows[y % period] += std::fabs(level[static_cast<size_t>(y + 1) * w + x] - v);
        }
    // Every phase holds as many steps as any other but the last few columns and rows of the screen:
    // the means are the sums over their counts.
    for (int p = 0; p < period; ++p) {
        columns[p] /= std::max(1, (w - 1 - p + period - 1) / period) * h;
        rows[p] /= std::max(1, (h - 1 - p + period - 1) / period) * w;
    }
    const SeamMeasure byColumns = WorstPhase(columns, false), byRows = WorstPhase(rows, true);
    return byRows.Ratio > byColumns.Ratio ? byRows : byColumns;
}

ScreenFigures MeasureScreenFigures(const Surface& screen) {
    ScreenFigures f;
    const double n = static_cast<double>(screen.Pixels.size());
    if (n == 0) return f;
    double rg = 0, yb = 0, rg2 = 0, yb2 = 0, luma = 0, luma2 = 0;
    std::unordered_map<uint32_t, int> colours;
    for (const uint32_t p : screen.Pixels) {
        const double r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
        const double a = r - g, c = (r + g) / 2 - b, l = 0.299 * r + 0.587 * g + 0.114 * b;
        rg += a;
        rg2 += a * a;
        yb += c;
        yb2 += c * c;
        luma += l;
        luma2 += l * l;
        ++colours[p];
    }
    rg /= n;
    yb /= n;
    luma /= n;
    const double sdRg2 = std::max(0.0, rg2 / n - rg * rg), sdYb2 = std::max(0.0, yb2 / n - yb * yb);
    f.Colourfulness = std::sqrt(sdRg2 + sdYb2) + 0.3 * std::sqrt(rg * rg + yb * yb);
    f.MeanLuma = luma;
    f.LumaSd = std::sqrt(std::max(0.0, luma2 / n - luma * luma));
    f.Colours = static_cast<int>(colours.size());
    return f;
}

}  // namespace veltrano::assetgen
