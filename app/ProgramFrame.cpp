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

// The refresh rate to present at when presenting does not wait for the screen: the display mode's, or
// 60 a second when the display does not say.
constexpr int UnknownRefreshRate = 60;

bool ProgramFrame::RefreshDue(double nowMs) {
    if (Platform.PresentWaitsForRefresh()) return true;
    const int rate = Platform.RefreshRate() > 0 ? Platform.RefreshRate() : UnknownRefreshRate;
    const double period = 1000.0 / rate;
    if (nowMs < NextRefresh) return false;
    // A late pass takes the next refresh from now: lost refreshes are not made up.
    NextRefresh = nowMs - NextRefresh > period ? nowMs + period : NextRefresh + period;
    return true;
}

void ProgramFrame::PresentRefresh(double nowMs) {
    if (Refresh.Width == 0) Refresh.Create(ScreenWidth, ScreenHeight, 0);
    DrawPictureBetween(Beat.Behind(nowMs), Refresh);
    Platform.FlipBackBuffer(Refresh);
}

bool ProgramFrame::Advance(double nowMs, std::FILE* report) {
    if (Platform.Closing()) return false;
    DispatchEvents();
    const int lag = Timer.Tick(static_cast<uint64_t>(nowMs));
    const long framesBefore = Form.FramesRun();
    if (lag > 0 && !ShowingResult) Form.DXTimer1Timer(lag);
    if (Form.FramesRun() != framesBefore) Beat.TickRan(nowMs);
    const bool smooth = Form.DisplayChoices().Smooth;
    if (Player && Player->Finished() && !ShowingResult) {
        std::fprintf(report, "%s\n", ReplayResultText(*Player).c_str());
        std::fflush(report);
        DrawReplayResult(*Player);
        ShowingResult = true;
        ResultUntil = static_cast<uint64_t>(nowMs) + ReplayResultMs;
    }
    if (ShowingResult) {
        // F10 and F11 still work on the result; it is shown again for each change.
        if (lag > 0) Platform.FlipBackBuffer(BackBuffer);
        if (nowMs >= static_cast<double>(ResultUntil)) Platform.RequestClose();
    } else if (smooth && Beat.Started() && Platform.DisplayReady() && RefreshDue(nowMs)) {
        PresentRefresh(nowMs);
    }
    return !Platform.Closing();
}

}  // namespace veltrano
