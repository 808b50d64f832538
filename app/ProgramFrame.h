// One pass of the program's loop: the window's events, the frame timer, at most one 25 ms frame, the
// picture of the screen's refresh, and the end of a replay. The desktop calls it in its loop, the
// browser from each animation frame; nothing inside waits, so both run the same frame clock.
#pragma once

#include <cstdint>
#include <cstdio>

#include "app/Main.h"
#include "app/Presentation.h"
#include "platform/FrameTimer.h"

namespace veltrano {

class ReplayPlayer;

// The local time of day now, which the random generator is seeded from at start-up.
ClockTime LocalClockTime();

class ProgramFrame {
   public:
    ProgramFrame(TForm1& form, Backend& backend, ReplayPlayer* player = nullptr)
        : Form(form), Platform(backend), Player(player) {}

    // Runs the pass for the clock reading `nowMs` (milliseconds, any origin; fractions count for the
    // pictures between ticks). Returns false once the window is asked to close: the caller then runs
    // the close query. A replay that has ended prints its outcome to `report`, shows it over the last
    // picture for three seconds and asks to close. With smooth motion, the pass presents a picture
    // when the screen's refresh is due: on every pass when presenting waits for the refresh itself
    // (the desktop's vertical sync, the browser's animation frames), else at the display's rate.
    bool Advance(double nowMs, std::FILE* report = stdout);

    // Smooth motion's picture of the last refresh; empty before the first.
    const Surface& RefreshPicture() const { return Refresh; }

   private:
    void DispatchEvents();
    bool RefreshDue(double nowMs);
    void PresentRefresh(double nowMs);

    TForm1& Form;
    Backend& Platform;
    ReplayPlayer* Player;
    FrameTimer Timer;
    bool ShowingResult = false;
    uint64_t ResultUntil = 0;
    TickBeat Beat;
    double NextRefresh = 0;
    Surface Refresh;
};

}  // namespace veltrano
