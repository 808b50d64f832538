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
// The mean CIE chroma (colourfulness) of a cell's picture pixels, or of a backdrop.
double MeanChroma(const Surface& sheet, const SpriteCell& cell);
double MeanChroma(const MeasuredBackdrop& backdrop);

}  // namespace veltrano::assetgen
