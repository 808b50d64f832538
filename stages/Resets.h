// The resets that scene inits begin with: one for the menus, one for the stages.
#pragma once

namespace veltrano {

// The head-up display's furniture slots.
constexpr int FirstBossDigitSlot = 713, LastBossDigitSlot = 715;
constexpr int FirstScoreDigitSlot = 716, LastScoreDigitSlot = 724;
constexpr int FirstStatusSlot = 725, LastStatusSlot = 731;  // weapon, lives, speed label and marks
constexpr int GameOverPictureSlot = 732;
constexpr int FirstFurnitureSlot = 700, LastFurnitureSlot = 799;

// Title, key configuration and score list: the ship parked off screen without control or options,
// every shot and object parked, the furniture slots inert.
void ResetForMenu();
// The ship select: the menu reset, but the ship stands in the middle with both options and full
// power, so that it can show the chosen weapon.
void ResetForShipSelect();
// Every stage: the ship at its start, shots and objects parked and cleared, the head-up display
// placed. The first stage parks the shots lower, starts the ship with one hit point and stops a
// running burst without taking the options away.
void ResetForStage(bool firstStage);
// The staff roll: the ship waits off the left edge, without control, with both options at full power;
// shots, objects and bullets are cleared as for a stage, but no furniture is placed or made inert.
void ResetForStaffRoll();

}  // namespace veltrano
