// The game as a screen refreshing a given number of times a second sees it: the program's frame
// function called on every refresh, as with vertical sync, and what each refresh shows of the moving
// things (the layers' scroll and the ship), so that the evenness of the motion can be measured; and
// the time from a key to the first refresh that shows its effect.
#pragma once

#include <cstdio>
#include <functional>

#include "app/headless/HeadlessGame.h"

namespace veltrano::sim {

// Presents `ticks` ticks at `hz` refreshes a second, printing a line per refresh to `out` when given,
// then the evenness of each layer's scroll and of the ship's motion. `beforeTick(n)` sets the keys
// before the refresh at which tick n may run. Returns 0, or 1 when a refresh stood still or stepped
// a pixel or more off the mean while the layer scrolled at least a pixel a refresh.
int PresentRefreshes(HeadlessGame& game, int hz, int ticks, const std::function<void(long)>& beforeTick,
                     std::FILE* out);

// Presses the up key `presses` times, each at its own phase of the refresh and the tick, in the
// first stage, and prints the mean and the worst time from the key reaching the game to the first
// refresh that shows the ship moved.
void MeasureLatency(HeadlessGame& game, int hz, int presses);

}  // namespace veltrano::sim
