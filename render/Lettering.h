// Our own lines of text over the game's picture ("PAUSE", the title's key hints and where the next
// game starts), drawn in the head-up display's lettering from "Lettering.bmp": the font of the HUD's
// digits, cut in cells of one row per style. The generator draws the file from this layout.
#pragma once

#include <string_view>

#include "platform/Surface.h"

namespace veltrano {

// The characters of the file, cell i of every row holding LetteringChars[i].
inline constexpr char LetteringChars[] = " ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-.!:/?'";
inline constexpr int LetteringCharCount = static_cast<int>(sizeof LetteringChars - 1);

enum class LetteringStyle {
    Large,        // the boss digits' orange, 32 by 32 cells
    SmallBlue,    // the score digits' blue, 16 by 16 cells
    SmallOrange,  // the boss digits' orange at the score digits' size
};

struct LetteringRow {
    int Top;      // of the row on the sheet
    int Cell;     // cells are Cell by Cell pixels
    int Advance;  // from one character to the next in a line of text
};

constexpr LetteringRow LetteringRowOf(LetteringStyle style) {
    switch (style) {
        case LetteringStyle::Large:
            return {0, 32, 24};
        case LetteringStyle::SmallBlue:
            return {32, 16, 12};
        case LetteringStyle::SmallOrange:
            break;
    }
    return {48, 16, 12};
}

inline constexpr int LetteringSheetWidth = 32 * LetteringCharCount;
inline constexpr int LetteringSheetHeight = 64;

// The cell index of a character (lower case reads as upper case); -1 when the file has none.
int LetteringIndex(char c);

extern Surface LetteringSheet;  // "Lettering.bmp", key colour from its pixel (0, 0); may be empty

// Width in pixels of a line of text in a style (the last character counted to its cell's edge).
int LetteringWidth(std::string_view text, LetteringStyle style);
// Draws a line with its top-left corner at (x, y); nothing when the sheet is not loaded.
void DrawLettering(std::string_view text, int x, int y, LetteringStyle style, Surface& target);

}  // namespace veltrano
