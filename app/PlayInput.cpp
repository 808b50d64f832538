// The frame handler's play input: the four actions turned into input states, the direction and
// action keys turned into the ship's key flags, and confirm during play (pause, continue, game over).
#include <algorithm>

#include "app/Main.h"
#include "app/SaveFile.h"
#include "app/SoundBank.h"
#include "engine/CentralSystem.h"
#include "platform/Input.h"
#include "stages/Stage.h"
#include "world/World.h"

namespace veltrano {

namespace {

bool Pressed(int state) {
    return StatePressed(state);
}

}  // namespace

void TForm1::DeriveActionStates() {
    SpeedState = ActionState(0, SpeedButton);
    FireState = ActionState(1, FireButton);
    BurstState = ActionState(2, BurstButton);
    ConfirmState = ActionState(3, ConfirmButton);
}

void TForm1::PlayInput() {
    KeyUp = Pressed(StateUp);
    KeyDown = Pressed(StateDown);
    KeyRight = Pressed(StateRight);
    KeyLeft = Pressed(StateLeft);
    if (Pressed(SpeedState)) {
        if (SpeedKeyLatch == 0) RestartSound(SpeedSound);
        CycleSpeed();
    } else {
        SpeedKeyLatch = 0;
    }
    FireHeld = Pressed(FireState);
    if (!Pressed(BurstState)) {
        BurstKeyFrames = 0;
    } else if (BurstActive == 0 && Option1On == 1) {
        ++BurstKeyFrames;
    }
}

void TForm1::ConfirmInPlay() {
    if (GameOver == 1) {
        if (CountdownExpired == 1) {
            RecordScore();
            NewGame();
        } else {
            // A continue: each one adds a point, so a scoreless game that continued is no longer 0.
            static constexpr int Grants[3][4] = {{5, 1, 1, 3}, {4, 1, 1, 2}, {3, 1, -1, 1}};
            const int* grant = Grants[std::clamp(Difficulty, 0, 2)];
            GameOver = 0;
            Score += 1;
            ContinuesUsed += 1;
            Lives = grant[0];
            Option1On = static_cast<uint8_t>(grant[1]);
            if (grant[2] >= 0) Option2On = static_cast<uint8_t>(grant[2]);
            ShotPower = grant[3];
            WorldRunning = 1;
            ConfirmLatch = 1;
        }
    } else if (ConfirmLatch == 0) {
        WorldRunning = WorldRunning == 1 ? 0 : 1;
        ConfirmLatch = 1;
    }
    ConsumeState(ConfirmState);
}

}  // namespace veltrano
