// How well a sprite reads over a backdrop, measured the way a player's eye judges it: the luminance
// contrast of its core or its rim against what lies under it, and how far its body colour stands from
// the backdrop's colours. Also the luminance spread and colourfulness of a picture.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/Surface.h"
#include "render/SpriteCells.h"

namespace veltrano::assetgen {

// Relative luminance of an sRGB colour in [0, 1], and the contrast ratio of two luminances (1 to 21).
double RelativeLuminance(uint32_t rgb);
double ContrastRatio(double a, double b);

struct LabColour {
    double L, A, B;
};
LabColour ToLab(uint32_t rgb);
double Cie76(const LabColour& a, const LabColour& b);

// A backdrop as the game shows it: each pixel's luminance, and each of its colours once, with its Lab
// value and how many pixels have it.
struct BackdropColour {
    LabColour Lab;
    double Luminance;
    int Pixels;
};
struct MeasuredBackdrop {
    const Surface* Screen = nullptr;
    std::vector<float> Luminance;
    std::vector<BackdropColour> Colours;
};
MeasuredBackdrop MeasureBackdrop(const Surface& screen);

// The picture of a cell split the way the eye splits a bullet: the rim (picture pixels at the edge of
// the picture) and the core (the rest), and the body colour (the mean of the pixels between the
// darkest and the brightest quarter).
struct SpriteTones {
    double CoreLuminance = 0, RimLuminance = 0;
    LabColour Body{};
    int Pixels = 0;
};
SpriteTones MeasureSprite(const Surface& sheet, const SpriteCell& cell);

struct Readability {
    double ContrastShare;   // of the sampled positions, the share where core or rim reaches 3:1
    double LookAlikeShare;  // of the backdrop's pixels, the share within CIE76 distance 25 of the body
};
inline constexpr double LegibleContrast = 3.0;
inline constexpr double LookAlikeDistance = 25.0;
// `samples` positions spread over the screen by a fixed sequence; at each, the backdrop is the mean
// luminance of the pixels under the cell.
Readability MeasureReadability(const SpriteTones& sprite, const SpriteCell& cell,
                               const MeasuredBackdrop& backdrop, int samples = 1000);

// The luminance spread of a set of pixels: the distance between the 5th and the 95th percentile.
// A sprite's pixels are those of its picture; a backdrop's are all of them.
double LuminanceSpread(const Surface& sheet, const SpriteCell& cell);
double LuminanceSpread(const MeasuredBackdrop& backdrop);
// The luminance below which `fraction` of a backdrop's pixels lie.
double LuminancePercentile(const MeasuredBackdrop& backdrop, double fraction);
// The mean CIE chroma (colourfulness) of a cell's picture pixels, or of a backdrop.
double MeanChroma(const Surface& sheet, const SpriteCell& cell);
double MeanChroma(const MeasuredBackdrop& backdrop);

// How a sprite reads over one spot of a backdrop, the way the eye picks it out of a busy screen: the
// mean luminance of the darkest and of the brightest quarter of its picture pixels, one of which must
// stand at 3:1 contrast against the median luminance of the 8-by-8 spot of backdrop under it.
struct SpriteExtremes {
    double Darkest = 0, Brightest = 0;
    int Pixels = 0;
};
SpriteExtremes MeasureExtremes(const Surface& sheet, const SpriteCell& cell);
inline constexpr int SpotSize = 8;
// The median luminance of the spot whose top-left corner is (x, y).
double SpotMedian(const MeasuredBackdrop& backdrop, int x, int y);
bool ReadsOver(const SpriteExtremes& sprite, double spot);
// The medians of `spots` spots spread over the screens of `backdrops` by a fixed sequence (the same
// spots for every sprite), and the share of them over which a sprite reads.
std::vector<double> SpotMedians(const std::vector<const MeasuredBackdrop*>& backdrops, int spots = 1000);
double ReadableSpotShare(const SpriteExtremes& sprite, const std::vector<double>& spotMedians);

// How plainly a screen shows the grid of its 80-pixel tiles. For each column phase 0..79, the mean
// luminance step between the pixels at x and x + 1 over every x of that phase; likewise for rows. The
// ratio is the largest phase's mean over the median phase's, the worse of columns and rows: 1 means no
// phase stands out, a panel line on every tile edge makes it several times that. Measured on the
// gamma-encoded luma (0 to 255) the eye sees: relative luminance would let a few bright pixels outweigh
// the whole of a dark backdrop.
struct SeamMeasure {
    double Ratio = 0;
    int Phase = 0;      // where the worst step stands
    bool Rows = false;  // on rows rather than columns
};
SeamMeasure MeasureSeams(const Surface& screen, int period = 80);

// How colourful and how bright a whole screen looks. Colourfulness is Hasler and Suesstrunk's: with
// rg = R - G and yb = (R + G) / 2 - B per pixel, sd(rg, yb) + 0.3 mean(rg, yb) (0 none, 15 slight,
// 33 moderate, 45 average, 59 high). Luma is the gamma-encoded 0.299 R + 0.587 G + 0.114 B, 0 to 255.
struct ScreenFigures {
    double Colourfulness = 0, MeanLuma = 0, LumaSd = 0;
    int Colours = 0;  // distinct colours on the screen
};
ScreenFigures MeasureScreenFigures(const Surface& screen);

}  // namespace veltrano::assetgen
