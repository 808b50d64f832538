// The staff roll's own show, run by its step script: the credits, the ship's demonstration flight and
// fire, the weapon segments, the panel curtains between them and the closing of the roll.
#pragma once

namespace veltrano {

// The closing picture stays from this frame on; from then the confirm action ends the roll and the
// music fades.
constexpr int StaffRollClosingFrame = 3064;

// Notes that this step shows the credits whose frames include it (in large white letters).
void NoteStaffCredits();
// Moves the ship by the leg of its flight that this step belongs to.
void FlyDemonstrationShip();
// Starts and stops the ship's fire and its two option bursts.
void HoldDemonstrationFire();
// Switches weapon, backdrop and scroll at the start of each weapon segment.
void ChangeDemonstrationSegment();
// Closes and opens the cover panels like a curtain between the segments.
void RunPanelCurtains();
// Marks the game as cleared and then shows the closing picture.
void CloseStaffRoll();

}  // namespace veltrano
