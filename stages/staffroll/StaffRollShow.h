// The staff roll's own show, run by its step script: the credits, the ship's demonstration flight and
// fire, the weapon segments, the panel curtains between them and the closing of the roll.
#pragma once

namespace veltrano {

// Writes the credits whose frames include this step on the back buffer, in large white letters.
void DrawStaffCredits();
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
