#include "app/ProgramFrame.h"

#include <ctime>

#include "app/Replay.h"
#include "platform/Display.h"

namespace veltrano {

ClockTime LocalClockTime() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    // Read once at start-up, on the game's one thread: the shared result of localtime is safe here
    // (and localtime_r is not on Windows).
    const std::time_t seconds = ts.tv_sec;
    tm local{};
    if (const tm* now = std::localtime(&seconds)) local = *now;
    return {local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(ts.tv_nsec / 1000000)};
}

// Hands the window's events to the main window: keys, focus, lost surfaces.
void ProgramFrame::DispatchEvents() {
    WindowEvent event;
    while (Platform.NextEvent(event)) {
        switch (event.Kind) {
            case WindowEvent::Kinds::KeyDown:
                Form.FormKeyDown(event.Key, event.Alt, event.Repeat);
                break;
            case WindowEvent::Kinds::FocusLost:
                Form.FormDeactivate();
                break;
            case WindowEvent::Kinds::SurfacesLost:
                Form.DXDraw1FinalizeSurface();
                Form.DXDraw1InitializeSurface();
                break;
        }
    }
}

bool ProgramFrame::Advance(uint64_t nowMs, std::FILE* report) {
    if (Platform.Closing()) return false;
    DispatchEvents();
    const int lag = Timer.Tick(nowMs);
    if (lag > 0 && !ShowingResult) Form.DXTimer1Timer(lag);
    if (Player && Player->Finished() && !ShowingResult) {
        std::fprintf(report, "%s\n", ReplayResultText(*Player).c_str());
        std::fflush(report);
        DrawReplayResult(*Player);
        ShowingResult = true;
        ResultUntil = nowMs + ReplayResultMs;
    }
    if (ShowingResult) {
        // F10 and F11 still work on the result; it is shown again for each change.
        if (lag > 0) Platform.FlipBackBuffer(BackBuffer);
        if (nowMs >= ResultUntil) Platform.RequestClose();
    }
    return !Platform.Closing();
}

}  // namespace veltrano
