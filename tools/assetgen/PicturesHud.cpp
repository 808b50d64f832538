// The head-up display: large boss digits, small score and lives digits, the six weapon icons, the
// speed label and its mark. All outlined in ink so they stay legible over the brightest sky.
#include "render/Lettering.h"
#include "tools/assetgen/PictureKit.h"
#include "tools/assetgen/PictureSheets.h"
#include "tools/assetgen/PixelFont.h"

namespace veltrano::assetgen {

namespace {

const Ramp BossDigitRamp = MakeRamp(0xF08838, 0.8f, 1.3f);
const Ramp ScoreRamp = MakeRamp(0x88D0F0, 0.6f, 1.3f);
const Ramp IconFrame = MakeRamp(0x4A5070);

// The weapon icons: a dark badge with the weapon's colour and a pictogram of its pattern.
Sprite WeaponIcon(int type) {
    static const uint32_t colours[6] = {0x60C8F8, 0xF8A040, 0x70E860, 0xC078F0, 0xF86048, 0x50E8D8};
    Sprite s(16, 16);
    ShadeBevel(s, RectMask(16, 16, 2, 2, 12, 12), IconFrame, 2.6f);
    const uint32_t c = colours[type];
    auto dot = [&](int x, int y) { s.Put(x, y, c); };
    auto hline = [&](int x0, int x1, int y) {
        for (int x = x0; x <= x1; ++x) dot(x, y);
    };
    switch (type) {
        case 0:  // a beam that bends with the ship
            for (int x = 4; x <= 11; ++x) dot(x, x < 8 ? 8 : 7), dot(x, x < 8 ? 9 : 8);
            break;
        case 1:  // three shots fanning out
            hline(4, 11, 8);
            for (int k = 0; k < 7; ++k) dot(5 + k, 7 - k / 2), dot(5 + k, 9 + k / 2);
            break;
        case 2:  // forwards and backwards
            hline(3, 12, 8);
            dot(11, 7), dot(11, 9), dot(4, 7), dot(4, 9), dot(10, 6), dot(10, 10), dot(5, 6), dot(5, 10);
            break;
        case 3:  // all four diagonals
            for (int k = 0; k < 8; ++k) dot(4 + k, 4 + k), dot(11 - k, 4 + k);
            break;
        case 4:  // up, down and ahead from the flanks
            for (int y = 4; y <= 11; ++y) dot(5, y), dot(10, y);
            hline(5, 10, 8);
            break;
        default:  // twin parallel beams
            hline(4, 11, 6);
            hline(4, 11, 10);
            dot(12, 6), dot(12, 10);
            break;
    }
    Outline(s, InkColour);
    return s;
}

Sprite SpeedLabel() {
    Sprite s(32, 16);
    Legend(s, "SPEED", 1, 4, MakeRamp(0xA8F070, 0.6f, 1.3f));
    return s;
}

Sprite SpeedMark() {
    Sprite s(16, 16);
    const Mask chevron = PolygonMask(16, 16, {{3, 3}, {7, 3}, {12, 8}, {7, 13}, {3, 13}, {8, 8}});
    ShadeBevel(s, chevron, MakeRamp(0x90E850, 0.6f, 1.3f), 3.4f);
    Outline(s, InkColour);
    return s;
}

}  // namespace

void PaintHud(Surface& sheet) {
    for (int d = 0; d < 10; ++d) {
        const std::string digit(1, static_cast<char>('0' + d));
        Sprite large(32, 32);
        Lettering(large, digit, 6, 2, 4, 4, 0, BossDigitRamp);
        Place(sheet, large, cells::LargeDigits[d]);
        Sprite small(16, 16);
        Lettering(small, digit, 3, 1, 2, 2, 0, ScoreRamp);
        Place(sheet, small, cells::SmallDigits[d]);
    }
    for (int t = 0; t < 6; ++t) Place(sheet, WeaponIcon(t), cells::WeaponIcons[t]);
    Place(sheet, SpeedLabel(), cells::SpeedLabel);
    Place(sheet, SpeedMark(), cells::SpeedMark);
}

// The same lettering calls as the HUD's digits, so the game's own lines of text match them exactly.
void PaintLettering(Surface& sheet) {
    sheet.Create(LetteringSheetWidth, LetteringSheetHeight, KeyColour);
    for (int i = 1; i < LetteringCharCount; ++i) {
        const std::string text(1, LetteringChars[i]);
        Sprite large(32, 32);
        Lettering(large, text, 6, 2, 4, 4, 0, BossDigitRamp);
        Place(sheet, large, 32 * i, LetteringRowOf(LetteringStyle::Large).Top);
        Sprite blue(16, 16);
        Lettering(blue, text, 3, 1, 2, 2, 0, ScoreRamp);
        Place(sheet, blue, 16 * i, LetteringRowOf(LetteringStyle::SmallBlue).Top);
        Sprite orange(16, 16);
        Lettering(orange, text, 3, 1, 2, 2, 0, BossDigitRamp);
        Place(sheet, orange, 16 * i, LetteringRowOf(LetteringStyle::SmallOrange).Top);
    }
}

void PaintIcon(Surface& icon, const Surface& characters, int times) {
    constexpr int ShipCell = 32;  // the first ship, at (0, 0) of the sprite sheet
    icon.Create(ShipCell * times, ShipCell * times, KeyColour);
    for (int y = 0; y < icon.Height; ++y)
        for (int x = 0; x < icon.Width; ++x) icon.Row(y)[x] = characters.Row(y / times)[x / times];
}

}  // namespace veltrano::assetgen
