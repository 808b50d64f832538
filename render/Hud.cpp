// The pictures of the title and menu screens, the head-up display, the cover panels and the closing
// picture. All of them stand at fixed object slots, which the scenes move on and off the screen.
#include <cassert>
#include <iterator>

#include "render/Render.h"
#include "render/SpriteCells.h"
#include "render/TileRules.h"
#include "world/World.h"

namespace veltrano {
namespace {

struct SlotPicture {
    int Slot;
    SpriteCell Cell;
};

using namespace cells;

// Title, menu and key-configuration pictures with a fixed picture, in drawing order.
constexpr SlotPicture FixedPictures[] = {
    {700, LogoLeft}, {701, LogoMiddle}, {702, LogoRight},     {703, GameStartLabel}, {704, ConfigLabel},
    {705, Cursor},   {706, LevelLabel}, {707, ButtonHeading}, {708, SpeedKey},       {709, FireKey},
    {710, BurstKey}, {711, ConfirmKey}, {733, ExitLabel},
};

constexpr int DifficultySlot = 734;
constexpr int FirstButtonSlot = 735;  // speed, fire, burst, confirm

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

constexpr Rect CoverPanelCell{CoverPanelTile.X, CoverPanelTile.Y, CoverPanelTile.X + TileSize,
                              CoverPanelTile.Y + TileSize};  // on BackgroundSheet

void DrawAtSlot(const SpriteCell& cell, int slot) {
    DrawSprite(cell, EnemyX[slot], EnemyY[slot]);
}

// The cell of `value` in a table that starts at value `first`; any other value leaves the slot empty.
template <size_t N>
void DrawByValue(const SpriteCell (&table)[N], int first, int value, int slot) {
    DrawAtSlot(CellByValue(table, static_cast<int>(N), first, value), slot);
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
