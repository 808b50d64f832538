// The pictures of the title and menu screens, the head-up display, the cover panels and the closing
// picture. All of them stand at fixed object slots, which the scenes move on and off the screen.
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

constexpr Rect CoverPanelCell{CoverPanelTile.X, CoverPanelTile.Y, CoverPanelTile.X + TileSize,
                              CoverPanelTile.Y + TileSize};  // on BackgroundSheet

void DrawAtSlot(Surface& target, const SlotsPicture& slots, const SpriteCell& cell, int slot) {
    DrawSprite(target, cell, slots.X[slot], slots.Y[slot]);
}

// The cell of `value` in a table that starts at value `first`; any other value leaves the slot empty.
template <size_t N>
void DrawByValue(Surface& target, const SlotsPicture& slots, const SpriteCell (&table)[N], int first,
                 int value, int slot) {
    DrawAtSlot(target, slots, CellByValue(table, static_cast<int>(N), first, value), slot);
}

// Only the leading characters show: a boss with 1234 hit points reads "123".
void DrawBossHitPoints(const FrontPicture& p, Surface& target) {
    for (int k = 0; k < BossDigitCount; ++k)
        DrawByValue(target, p.Slots, LargeDigits, '0', p.BossHPText[k], FirstBossDigitSlot + k);
}

void DrawScore(const FrontPicture& p, Surface& target) {
    for (int k = 0; k < ScoreDigitCount; ++k)
        DrawByValue(target, p.Slots, SmallDigits, '0', p.ScoreText[k], FirstScoreDigitSlot + k);
}

void DrawWeaponAndLives(const FrontPicture& p, Surface& target) {
    DrawByValue(target, p.Slots, WeaponIcons, 1, p.ShotType, WeaponIconSlot);
    DrawByValue(target, p.Slots, SmallDigits, 0, p.Lives, LivesSlot);
}

// Speeds 4, 6, 8 and 10 show one to four marks.
void DrawSpeed(const FrontPicture& p, Surface& target) {
    DrawAtSlot(target, p.Slots, SpeedLabel, SpeedLabelSlot);
    const bool marks[] = {true, p.PlayerSpeed > 5, p.PlayerSpeed > 7, p.PlayerSpeed == 10};
    for (int k = 0; k < static_cast<int>(std::size(marks)); ++k)
        if (marks[k]) DrawAtSlot(target, p.Slots, SpeedMark, FirstSpeedMarkSlot + k);
}

}  // namespace

void DrawPictureSlots(const BackPicture& p, Surface& target) {
    for (const SlotPicture& picture : FixedPictures) DrawAtSlot(target, p.Slots, picture.Cell, picture.Slot);
    DrawByValue(target, p.Slots, DifficultyCells, 0, p.Difficulty, DifficultySlot);
    for (int k = 0; k < static_cast<int>(std::size(p.Buttons)); ++k)
        DrawByValue(target, p.Slots, ButtonCells, 1, p.Buttons[k], FirstButtonSlot + k);
}

void DrawHud(const FrontPicture& p, Surface& target) {
    // The boss row shows on every screen; the title and menus keep it parked off the screen.
    DrawBossHitPoints(p, target);
    if (p.Scene > TitleScene) {
        DrawScore(p, target);
        DrawWeaponAndLives(p, target);
        DrawSpeed(p, target);
    }
    if (p.CountdownExpired == 1) DrawAtSlot(target, p.Slots, GameOverPicture, GameOverPictureSlot);
}

void DrawCoverPanels(const TopPicture& p, Surface& target) {
    for (int cell = 0; cell < PanelCellCount; ++cell)
        if (p.PanelCellOn[cell] == 1)
            DrawRect(target, PanelCellX[cell], PanelCellY[cell], CoverPanelCell, &BackgroundSheet, false);
}

void DrawClosingPicture(const TopPicture& p, Surface& target) {
    if (p.StaffRollPicture == 1) DrawSprite(target, ClosingPicture, p.ClosingX, p.ClosingY);
}

}  // namespace veltrano
