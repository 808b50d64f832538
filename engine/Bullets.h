// The player's shot groups.
#pragma once

namespace veltrano {

void FireGroup(int group, int x, int y, int interval);
void FireGroupSteered(int group, int x, int y, int interval);
void UpdateMainShots();
void UpdateOption1Shots();
void UpdateOption2Shots();
void UpdateBurst();

}  // namespace veltrano
