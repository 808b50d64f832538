// Stage 10's fortress, the mid-boss between the gauntlet and the last boss: the frames that the stage
// and the stats tool both read.
#pragma once

namespace veltrano {

// The fortress is in place and fires from this frame; the gauntlet's last waves leave by then.
constexpr int Stage10FortressStart = 13300;
// The fortress's fall moves the clock on to this frame, the last boss's approach; its own stretch of
// the script ends on the frame before.
constexpr int Stage10AfterFortress = 19888;

}  // namespace veltrano
