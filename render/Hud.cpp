// The pictures of the title and menu screens, the head-up display, the cover panels and the closing
// picture. All of them stand at fixed object slots, which the scenes move on and off the screen.
#include <cassert>
#include <iterator>

#include "render/Render.h"
#include "render/SpriteCells.h"
#include "world/World.h"

namespace veltrano {
namespace {

struct SlotPicture {
    int Slot;
    SpriteCell Cell;
};

// Title, menu and key-configuration pictures with a fixed picture, in drawing order.
constexpr SlotPicture FixedPictures[] = {
    {700, {0, 256, 128, 128}},  {701, {128, 256, 128, 128}}, {702, {256, 256, 128, 128}},
    {703, {0, 384, 160, 32}},   {704, {160, 384, 96, 32}},   {705, {256, 384, 32, 32}},
    {706, {128, 416, 112, 32}}, {707, {256, 480, 128, 32}},  {708, {256, 512, 32, 32}},
    {709, {288, 512, 32, 32}},  {710, {320, 512, 32, 32}},   {711, {256, 544, 112, 32}},
    {733, {320, 416, 32, 32}},
};

constexpr int DifficultySlot = 734;
constexpr SpriteCell DifficultyCells[] = {{0, 448, 32, 32}, {32, 448, 32, 32}, {64, 448, 32, 32}};  // 0..2

constexpr int FirstButtonSlot = 735;  // speed, fire, burst, confirm
constexpr SpriteCell ButtonCells[] = {
    {160, 448, 32, 32}, {192, 448, 32, 32}, {224, 448, 32, 32}, {256, 448, 32, 32}, {288, 448, 32, 32},
    {0, 416, 32, 32},   {32, 416, 32, 32},  {64, 416, 32, 32},  {96, 416, 32, 32},  {96, 448, 32, 32},
};  // button numbers 1..10

constexpr int FirstBossDigitSlot = 713;
constexpr int BossDigitCount = 3;
constexpr int FirstScoreDigitSlot = 716;
constexpr int ScoreDigitCount = 9;
constexpr int WeaponIconSlot = 725;
constexpr int LivesSlot = 726;
constexpr int SpeedLabelSlot = 727;
constexpr int FirstSpeedMarkSlot = 728;
constexpr int GameOverPictureSlot = 732;
constexpr int ClosingPictureSlot = 739;

// Digit pictures by character '0'..'9'.
constexpr SpriteCell LargeDigits[] = {
    {256, 128, 32, 32}, {288, 128, 32, 32}, {320, 128, 32, 32}, {352, 128, 32, 32}, {256, 160, 32, 32},
    {288, 160, 32, 32}, {320, 160, 32, 32}, {352, 160, 32, 32}, {352, 192, 32, 32}, {352, 224, 32, 32},
};
constexpr SpriteCell SmallDigits[] = {
    {256, 96, 16, 16},  {272, 96, 16, 16},  {288, 96, 16, 16},  {304, 96, 16, 16},  {320, 96, 16, 16},
    {256, 112, 16, 16}, {272, 112, 16, 16}, {288, 112, 16, 16}, {304, 112, 16, 16}, {320, 112, 16, 16},
};

constexpr SpriteCell WeaponIcons[] = {
    {336, 96, 16, 16},  {352, 96, 16, 16},  {368, 96, 16, 16},
    {336, 112, 16, 16}, {352, 112, 16, 16}, {368, 112, 16, 16},
};  // ShotType 1..6

constexpr SpriteCell SpeedLabel{352, 0, 32, 16};
constexpr SpriteCell SpeedMark{352, 16, 16, 16};
constexpr SpriteCell GameOverPicture{0, 480, 128, 128};
constexpr SpriteCell ClosingPicture{128, 480, 128, 128};
constexpr Rect CoverPanelCell{240, 0, 320, 80};  // on BackgroundSheet

void DrawAtSlot(const SpriteCell& cell, int slot) {
    DrawSprite(cell, EnemyX[slot], EnemyY[slot]);
}

// The cell of `value` in a table that starts at value `first`; any other value leaves the slot empty.
template <size_t N>
void DrawByValue(const SpriteCell (&cells)[N], int first, int value, int slot) {
    DrawAtSlot(CellByValue(cells, static_cast<int>(N), first, value), slot);
}

// `value` in decimal with "0" put in front until the text is at least `minLength` long. The padding
// goes in front of a minus sign too ("0-5"): the display only ever shows the leading characters.
void WritePaddedDecimal(char (&text)[16], int value, int minLength) {
    char reversed[16];
    int length = 0;
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        reversed[length++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) reversed[length++] = '-';
    int at = 0;
    for (int pad = length; pad < minLength; ++pad) text[at++] = '0';
    while (length > 0) text[at++] = reversed[--length];
    text[at] = '\0';
}

// Only the leading characters show: a boss with 1234 hit points reads "123".
void DrawBossHitPoints() {
    for (int k = 0; k < BossDigitCount; ++k)
        DrawByValue(LargeDigits, '0', BossHPText[k], FirstBossDigitSlot + k);
}

void DrawScore() {
    for (int k = 0; k < ScoreDigitCount; ++k)
        DrawByValue(SmallDigits, '0', ScoreText[k], FirstScoreDigitSlot + k);
}

void DrawWeaponAndLives() {
    DrawByValue(WeaponIcons, 1, ShotType, WeaponIconSlot);
    DrawByValue(SmallDigits, 0, Lives, LivesSlot);
}

// Speeds 4, 6, 8 and 10 show one to four marks.
void DrawSpeed() {
    DrawAtSlot(SpeedLabel, SpeedLabelSlot);
    const bool marks[] = {true, PlayerSpeed > 5, PlayerSpeed > 7, PlayerSpeed == 10};
    for (int k = 0; k < static_cast<int>(std::size(marks)); ++k)
        if (marks[k]) DrawAtSlot(SpeedMark, FirstSpeedMarkSlot + k);
}

}  // namespace

void DrawPictureSlots() {
    for (const SlotPicture& picture : FixedPictures) DrawAtSlot(picture.Cell, picture.Slot);
    DrawByValue(DifficultyCells, 0, Difficulty, DifficultySlot);
    const int buttons[] = {SpeedButton, FireButton, BurstButton, ConfirmButton};
    for (int k = 0; k < static_cast<int>(std::size(buttons)); ++k)
        DrawByValue(ButtonCells, 1, buttons[k], FirstButtonSlot + k);
}

void DrawHud() {
    assert(BossSlot >= 0 && BossSlot < ObjectSlotCount);
    WritePaddedDecimal(BossHPText, EnemyHP[BossSlot], BossDigitCount);
    WritePaddedDecimal(ScoreText, Score, ScoreDigitCount);
    // The boss row shows on every screen; the title and menus keep it parked off the screen.
    DrawBossHitPoints();
    if (Scene > TitleScene) {
        DrawScore();
        DrawWeaponAndLives();
        DrawSpeed();
    }
    if (CountdownExpired == 1) DrawAtSlot(GameOverPicture, GameOverPictureSlot);
}

void DrawCoverPanels() {
    for (int cell = 0; cell < PanelCellCount; ++cell)
        if (PanelCellOn[cell] == 1)
            DrawRect(BackBuffer, PanelCellX[cell], PanelCellY[cell], CoverPanelCell, &BackgroundSheet, false);
}

void DrawClosingPicture() {
    if (StaffRollPicture == 1) DrawAtSlot(ClosingPicture, ClosingPictureSlot);
}

}  // namespace veltrano
