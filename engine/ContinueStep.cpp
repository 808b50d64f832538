// The continue countdown: ten seconds for the player to take a continue after the last ship.
#include "engine/CentralSystem.h"
#include "world/Sounds.h"
#include "world/World.h"

namespace veltrano {

namespace {

constexpr int FirstBlockSlot = 100;
constexpr int LastBlockSlot = 399;
constexpr int StepsPerDigit = 40;

}  // namespace

void ContinueStep() {
    // Whatever a script put in these slots is undone here, so they never show a stale numeral.
    for (int slot = FirstBlockSlot; slot <= LastBlockSlot; ++slot) {
        EnemyX[slot] = EnemyY[slot] = CountdownParkedPosition;
    }
    if (GameOver == 0) {
        ContinueCountdown = CountdownLength;
        return;
    }
    WorldRunning = 0;
    ShowCountdownDigit(ContinueCountdown / StepsPerDigit);
    if (ContinueCountdown <= 0) {
        CountdownExpired = 1;
        SilenceSound(StageMusic);
        SilenceSound(BossMusic);
    } else {
        ContinueCountdown -= 1;
    }
}

}  // namespace veltrano
