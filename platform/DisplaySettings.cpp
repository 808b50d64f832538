#include "platform/DisplaySettings.h"

#include <algorithm>

#include "platform/Display.h"

namespace veltrano {

namespace {

struct ScalingNameRow {
    Scaling Mode;
    const char* Name;
};

constexpr ScalingNameRow ScalingNames[] = {
    {Scaling::Sharp, "sharp"},
    {Scaling::Fit, "fit"},
    {Scaling::Stretch, "stretch"},
};

}  // namespace

const char* ScalingName(Scaling mode) {
    for (const ScalingNameRow& row : ScalingNames)
        if (row.Mode == mode) return row.Name;
    return "fit";
}

std::optional<Scaling> ScalingByName(std::string_view name) {
    for (const ScalingNameRow& row : ScalingNames) {
        const std::string_view wanted = row.Name;
        bool same = name.size() == wanted.size();
        for (size_t i = 0; same && i < name.size(); ++i)
            same = (name[i] >= 'A' && name[i] <= 'Z' ? name[i] - 'A' + 'a' : name[i]) == wanted[i];
        if (same) return row.Mode;
    }
    return std::nullopt;
}

Scaling NextScaling(Scaling mode) {
    switch (mode) {
        case Scaling::Sharp:
            return Scaling::Fit;
        case Scaling::Fit:
            return Scaling::Stretch;
        case Scaling::Stretch:
            break;
    }
    return Scaling::Sharp;
}

PictureRect ScaledPicture(int outW, int outH, Scaling mode) {
    outW = std::max(outW, 1);
    outH = std::max(outH, 1);
    if (mode == Scaling::Stretch) return {0, 0, outW, outH};
    int w = 0, h = 0;
    const int whole = std::min(outW / ScreenWidth, outH / ScreenHeight);
    if (mode == Scaling::Sharp && whole >= 1) {
        w = ScreenWidth * whole;
        h = ScreenHeight * whole;
    } else if (outW * ScreenHeight <= outH * ScreenWidth) {
        // The width limits: the picture spans it, bars above and below.
        w = outW;
        h = std::max(1, (outW * ScreenHeight + ScreenWidth / 2) / ScreenWidth);
    } else {
        h = outH;
        w = std::max(1, (outH * ScreenWidth + ScreenHeight / 2) / ScreenHeight);
    }
    return {(outW - w) / 2, (outH - h) / 2, w, h};
}

int WindowScaleFor(int requested, int usableW, int usableH) {
    const int fits = std::clamp(std::min(usableW / ScreenWidth, usableH / ScreenHeight), 1, MaxWindowScale);
    return requested >= 1 ? std::min(requested, fits) : fits;
}

bool CursorShown(bool fullScreen, uint64_t now, uint64_t lastMotion) {
    return !fullScreen && now - lastMotion < CursorIdleMs;
}

}  // namespace veltrano
