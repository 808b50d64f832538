// The title logo, menu entries, cursor, key-configuration labels and figures, and the two full
// pictures (game over, the end). All text is in Latin capitals from the sheets' own pixel font.
#include <cmath>
#include <string>

#include "tools/assetgen/PictureKit.h"
#include "tools/assetgen/PictureSheets.h"
#include "tools/assetgen/PictureSprites.h"
#include "tools/assetgen/PixelFont.h"

namespace veltrano::assetgen {

namespace {

const Ramp Gold = MakeRamp(0xE8A030, 0.8f, 1.4f);
const Ramp Chrome = MakeRamp(0x98A8C8, 0.7f, 1.5f);
const Ramp Steel = MakeRamp(0x5A6078);
const Ramp Cyan = MakeRamp(0x50C8F0, 0.6f, 1.4f);

// The logo is drawn once across 384 by 128 pixels and cut into the three 128-pixel title pieces:
// "VEL", "TRA" and "NO" each whole inside their piece, "GAME2" in the middle one, and chrome wings
// on the outer two that point at it, so the pieces read "VELTRANO GAME2" when they meet in a row.
Sprite Logo() {
    Sprite s(384, 128);
    // A fire-coloured face for the big letters: white hot at the top, red at the foot.
    const Ramp fire = {{0x6A1420, 0xC03020, 0xE86A20, 0xF8B038, 0xF8E890, 0xFFFFF8}};
    const char* parts[3] = {"VEL", "TRA", "NO"};
    Mask big(384, 128);
    for (int p = 0; p < 3; ++p) big.Add(TextMask(384, 128, parts[p], 128 * p + 4, 8, 7, 7, 7));
    // Wings first, so the letters stand over them.
    for (int side = 0; side < 2; ++side) {
        const float x0 = side == 0 ? 8.0f : 376.0f, x1 = side == 0 ? 124.0f : 260.0f;
        const Mask wing = PolygonMask(384, 128, {{x0, 84}, {x1, 72}, {x1, 100}, {x0, 92}});
        ShadeBevel(s, wing, Chrome, 3.2f, 1.6f);
        for (int k = 0; k < 3; ++k) {
            const float y = 79.0f + 6 * k;
            const Mask stripe =
                LineMask(384, 128, x0 + (x1 - x0) * 0.3f, y + 2, x1 - (x1 - x0) * 0.05f, y, 1.5f);
            Fill(s, stripe, k == 1 ? 0xE84830 : Chrome.Shade[1]);
        }
    }
    // A star badge in the space right of "NO".
    ShadeSphere(s, PolygonMask(384, 128, StarPoints(358, 34, 10, 17, 7, -1.5707963f)), Gold, 354, 29, 17, 17);
    Mask shadow = big.Shifted(3, 3);
    shadow.Cut(big);
    Fill(s, shadow, 0x2A1030);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 384; ++x) {
            if (!big.At(x, y)) continue;
            float level = 5.2f - 4.0f * (y - 8) / 48.0f;
            if (!big.At(x - 1, y) || !big.At(x, y - 1)) level += 0.8f;
            if (std::abs(y - 31) == 0) level = 5;  // the chrome glint across the letters
            s.Put(x, y, Dithered(fire, level, x, y));
        }
    Outline(s, InkColour);
    Lettering(s, "GAME2", CentredX("GAME2", 384, 4, 4), 72, 4, 4, 4, Cyan);
    return s;
}

// A menu label: tall arcade capitals, twice as wide and three times as high as the font.
Sprite Label(int w, int h, const std::string& text, const Ramp& ramp) {
    Sprite s(w, h);
    Lettering(s, text, CentredX(text, w, 2, 2), (h - 7 * 3) / 2 - 1, 2, 3, 2, ramp);
    return s;
}

Sprite Cursor() {
    Sprite s(32, 32);
    const Mask arrow = PolygonMask(32, 32, {{4, 6}, {28, 16}, {4, 26}, {10, 16}});
    ShadeBevel(s, arrow, Cyan, 3.4f, 1.4f);
    ShadeGlow(s, EllipseMask(32, 32, 13, 16, 3, 3), MakeRamp(0xF8F8C0, 0.5f, 1.5f), 12.5f, 15.5f, 3.5f);
    Outline(s, InkColour);
    return s;
}

// A key cap with its key's name on top and the action it serves underneath.
Sprite KeyLabel(int w, const std::string& key, const std::string& action) {
    Sprite s(w, 32);
    const int capW = key.size() == 1 ? 18 : w - 8;
    const int capX = (w - capW) / 2;
    Mask cap = RectMask(w, 32, capX, 2, capW, 18);
    for (const int cx : {capX, capX + capW - 1})
        for (const int cy : {2, 19}) cap.Set(cx, cy, false);
    ShadeBevel(s, cap, MakeRamp(0xD8D8E0), 3.4f, 1.2f);
    const Mask legend =
        TextMask(w, 32, key, CentredX(key, w, key.size() == 1 ? 2 : 1, 1) + (key.size() == 1 ? 1 : 0),
                 key.size() == 1 ? 4 : 7, key.size() == 1 ? 2 : 1, key.size() == 1 ? 2 : 1, 1);
    Fill(s, legend, 0x202438);
    Outline(s, InkColour);
    Legend(s, action, CentredX(action, w, 1, 1), 23, Gold);
    return s;
}

Sprite ExitLabel() {
    Sprite s(32, 32);
    // A door with an arrow leaving it.
    ShadeBevel(s, RectMask(32, 32, 5, 2, 12, 17), Steel, 3.0f);
    Fill(s, RectMask(32, 32, 7, 4, 8, 15), 0x181428);
    const Mask arrow =
        PolygonMask(32, 32, {{12, 9}, {22, 9}, {22, 6}, {28, 11}, {22, 16}, {22, 13}, {12, 13}});
    ShadeBevel(s, arrow, Gold, 3.6f);
    Outline(s, InkColour);
    Legend(s, "EXIT", 4, 23, Gold);
    return s;
}

Sprite LevelFigure(int level) {
    static const uint32_t colours[3] = {0x58D860, 0xF0C838, 0xF05038};
    static const char* words[3] = {"EASY", "NORM", "HARD"};
    Sprite s(32, 32);
    const Ramp r = MakeRamp(colours[level], 0.7f, 1.3f);
    const int stars = level + 1;
    for (int k = 0; k < stars; ++k) {
        // One big star for easy, three small ones for hard.
        const float outer = stars == 1 ? 8.0f : stars == 2 ? 6.2f : 4.6f;
        const float cx = 16 + (k - (stars - 1) / 2.0f) * (2 * outer + 0.5f), cy = 11;
        ShadeBevel(s, PolygonMask(32, 32, StarPoints(cx, cy, 10, outer, outer * 0.43f, -1.5707963f)), r,
                   3.6f);
    }
    Outline(s, InkColour);
    Legend(s, words[level], 4, 21, r);
    return s;
}

// A round arcade button with its number.
Sprite ButtonFigure(int number) {
    Sprite s(32, 32);
    ShadeSphere(s, EllipseMask(32, 32, 16, 16, 13, 13), MakeRamp(0x3A4058), 13, 12, 13, 13);
    Mask top = EllipseMask(32, 32, 16, 15, 10, 10);
    ShadeSphere(s, top, MakeRamp(0xC83838, 1.0f, 1.2f), 13, 11, 11, 11);
    const std::string text = std::to_string(number);
    const int sx = text.size() == 1 ? 3 : 2, sy = 3;
    const int x = CentredX(text, 32, sx, 1) + 1, y = 15 - 7 * sy / 2;
    Mask digits = TextMask(32, 32, text, x, y, sx, sy, 1);
    Fill(s, digits.Shifted(1, 1), 0x401018);
    Fill(s, digits, 0xFFF4E0);
    Outline(s, InkColour);
    return s;
}

// A half-tone plate of ink behind a picture's text keeps it readable over any scene.
void InkPlate(Sprite& s, int x, int y, int w, int h) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            const bool corner = (j - y < 3 || y + h - 1 - j < 3) && (i - x < 3 || x + w - 1 - i < 3);
            if (!corner && (i + j) % 2 == 0) s.Put(i, j, 0x100818);
        }
}

Sprite GameOver() {
    Sprite s(128, 128);
    InkPlate(s, 4, 16, 120, 96);
    const Ramp blood = {{0x40081C, 0x901828, 0xD83030, 0xF06848, 0xF8B0A0, 0xFFF0F0}};
    Lettering(s, "GAME", CentredX("GAME", 128, 4, 6), 22, 4, 5, 6, blood);
    Lettering(s, "OVER", CentredX("OVER", 128, 4, 6), 68, 4, 5, 6, blood);
    return s;
}

Sprite Closing() {
    Sprite s(128, 128);
    // A window on space with the ship flying home, framed in gold.
    const Mask disc = EllipseMask(128, 128, 64, 56, 50, 50);
    Mask frame = EllipseMask(128, 128, 64, 56, 54, 54);
    frame.Cut(disc);
    Scatter stars(7);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            if (disc.At(x, y)) {
                const float d = std::hypot(x - 64.0f, y - 40.0f) / 60;
                s.Put(x, y, Dithered(MakeRamp(0x283878), 3.2f - 2.4f * d, x, y));
            }
    for (int k = 0; k < 60; ++k) {
        const int x = 14 + stars.Below(100), y = 6 + stars.Below(100);
        if (disc.At(x, y)) s.Put(x, y, k % 3 ? 0xC8D0F0 : 0xFFF8E0);
    }
    // A planet rising at the bottom of the window.
    const Mask planet = EllipseMask(128, 128, 64, 128, 58, 36);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            if (planet.At(x, y) && disc.At(x, y))
                s.Put(x, y,
                      Dithered(MakeRamp(0x4890D8), 4.6f - 0.12f * (y - 92) - 0.01f * std::abs(x - 64), x, y));
    ShadeBevel(s, frame, Gold, 3.4f, 1.4f);
    Stamp(s, ShipSprite(0), 48, 36);
    Outline(s, InkColour);
    Lettering(s, "THE END", CentredX("THE END", 128, 2, 2), 110, 2, 2, 2, Gold);
    return s;
}

}  // namespace

void PaintMenus(Surface& sheet) {
    const Sprite logo = Logo();
    constexpr SpriteCell logoPieces[] = {cells::LogoLeft, cells::LogoMiddle, cells::LogoRight};
    for (int p = 0; p < 3; ++p) {
        Sprite piece(128, 128);
        for (int y = 0; y < 128; ++y)
            for (int x = 0; x < 128; ++x)
                if (logo.IsSolid(128 * p + x, y)) piece.Put(x, y, logo.Get(128 * p + x, y));
        Place(sheet, piece, logoPieces[p]);
    }
    Place(sheet, Label(160, 32, "GAME START", Gold), cells::GameStartLabel);
    Place(sheet, Label(96, 32, "CONFIG", Gold), cells::ConfigLabel);
    Place(sheet, Cursor(), cells::Cursor);
    Place(sheet, Label(112, 32, "LEVEL", Chrome), cells::LevelLabel);
    Place(sheet, Label(128, 32, "BUTTON", Chrome), cells::ButtonHeading);
    Place(sheet, KeyLabel(32, "Z", "SPEED"), cells::SpeedKey);
    Place(sheet, KeyLabel(32, "X", "FIRE"), cells::FireKey);
    Place(sheet, KeyLabel(32, "C", "BURST"), cells::BurstKey);
    Place(sheet, KeyLabel(112, "SPACE", "CONFIRM"), cells::ConfirmKey);
    Place(sheet, ExitLabel(), cells::ExitLabel);
    for (int l = 0; l < 3; ++l) Place(sheet, LevelFigure(l), cells::DifficultyCells[l]);
    for (int n = 1; n <= 10; ++n) Place(sheet, ButtonFigure(n), cells::ButtonCells[n - 1]);
    Place(sheet, GameOver(), cells::GameOverPicture);
    Place(sheet, Closing(), cells::ClosingPicture);
}

}  // namespace veltrano::assetgen
