#include "app/ProgramFrame.h"

#include "app/Replay.h"

namespace veltrano {

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
    if (lag > 0) Form.DXTimer1Timer(lag);
    if (Player && Player->Finished() && !Platform.Closing()) {
        if (Player->Diverged())
            std::fprintf(report, "replay differs at %s\n", Player->FirstDifference().c_str());
        else
            std::fprintf(report, "replay ok: %ld frames, score %d\n", Player->FramesPlayed(),
                         Player->FinalScore());
        Platform.RequestClose();
    }
    return !Platform.Closing();
}

}  // namespace veltrano
