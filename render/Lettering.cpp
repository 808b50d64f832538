#include "render/Lettering.h"

#include "platform/Display.h"

namespace veltrano {

Surface LetteringSheet;

int LetteringIndex(char c) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    for (int i = 0; i < LetteringCharCount; ++i)
        if (LetteringChars[i] == c) return i;
    return -1;
}

int LetteringWidth(std::string_view text, LetteringStyle style) {
    if (text.empty()) return 0;
    const LetteringRow row = LetteringRowOf(style);
    return static_cast<int>(text.size() - 1) * row.Advance + row.Cell;
}

void DrawLettering(std::string_view text, int x, int y, LetteringStyle style, Surface& target) {
    if (LetteringSheet.Width == 0) return;
    const LetteringRow row = LetteringRowOf(style);
    for (char c : text) {
        const int index = LetteringIndex(c);
        if (index > 0) {
            const Rect cell{index * row.Cell, row.Top, (index + 1) * row.Cell, row.Top + row.Cell};
            DrawRect(target, x, y, cell, &LetteringSheet, true);
        }
        x += row.Advance;
    }
}

}  // namespace veltrano
