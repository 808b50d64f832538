// The continue countdown's numerals: large kanji built of 32-pixel blocks in slots 100..399.
#include "engine/CentralSystem.h"
#include "world/World.h"

namespace veltrano {

namespace {

constexpr int LastBlockSlot = 399;

// A horizontal run of blocks on one row, 32 pixels apart; a single block has firstX = lastX.
struct Run {
    int y, firstX, lastX;
};

struct Numeral {
    int baseSlot;
    Run runs[20];  // ends at the first run with y 0
};

// 〇 一 二 三 四 五 六 七 八 九, each written into consecutive slots from its base slot.
// clang-format off
constexpr Numeral Numerals[10] = {
    // 〇
    {100, {{112, 256, 352}, {144, 224, 224}, {144, 384, 384}, {176, 192, 192}, {176, 416, 416},
           {208, 192, 192}, {208, 416, 416}, {240, 192, 192}, {240, 416, 416}, {272, 192, 192},
           {272, 416, 416}, {304, 224, 224}, {304, 384, 384}, {336, 256, 352}}},
    // 一
    {150, {{224, 192, 416}}},
    // 二
    {250, {{144, 224, 384}, {304, 192, 416}}},
    // 三
    {350, {{144, 224, 384}, {240, 256, 352}, {336, 192, 416}}},
    // 四
    {100, {{144, 192, 416}, {176, 192, 192}, {176, 256, 256}, {176, 320, 320}, {176, 416, 416},
           {208, 192, 192}, {208, 256, 256}, {208, 320, 320}, {208, 416, 416}, {240, 192, 224},
           {240, 320, 416}, {272, 192, 192}, {272, 416, 416}, {304, 192, 192}, {304, 416, 416},
           {336, 192, 416}}},
    // 五
    {150, {{144, 224, 384}, {176, 288, 288}, {208, 288, 288}, {240, 224, 384}, {272, 288, 288},
           {272, 384, 384}, {304, 288, 288}, {304, 384, 384}, {336, 192, 416}}},
    // 六
    {200, {{112, 304, 304}, {144, 304, 304}, {176, 192, 416}, {240, 256, 256}, {240, 352, 352},
           {272, 256, 256}, {272, 352, 352}, {304, 224, 224}, {304, 384, 384}, {336, 192, 192},
           {336, 416, 416}}},
    // 七
    {250, {{144, 256, 256}, {176, 256, 256}, {208, 192, 416}, {240, 256, 256}, {272, 256, 256},
           {304, 256, 256}, {336, 256, 352}}},
    // 八
    {300, {{112, 288, 288}, {144, 288, 288}, {176, 320, 320}, {208, 256, 256}, {208, 320, 320},
           {240, 256, 256}, {240, 352, 352}, {272, 224, 224}, {272, 352, 352}, {304, 224, 224},
           {304, 384, 384}, {336, 192, 192}, {336, 416, 416}}},
    // 九
    {350, {{112, 256, 256}, {144, 256, 256}, {176, 192, 352}, {208, 256, 256}, {208, 352, 352},
           {240, 256, 256}, {240, 352, 352}, {272, 256, 256}, {272, 352, 352}, {304, 256, 256},
           {304, 352, 352}, {304, 416, 416}, {336, 224, 224}, {336, 384, 416}}},
};
// clang-format on

}  // namespace

void ShowCountdownDigit(int digit) {
    // The first step of a countdown (digit 10) shows no numeral.
    if (digit < 0 || digit > 9) return;
    const Numeral& n = Numerals[digit];
    int slot = n.baseSlot;
    for (const Run& run : n.runs) {
        if (run.y == 0) break;
        for (int x = run.firstX; x <= run.lastX && slot <= LastBlockSlot; x += 32, ++slot) {
            EnemyX[slot] = x;
            EnemyY[slot] = run.y;
        }
    }
}

}  // namespace veltrano
