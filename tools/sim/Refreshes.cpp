#include "tools/sim/Refreshes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/Presentation.h"
#include "app/ProgramFrame.h"
#include "platform/Display.h"
#include "platform/Input.h"
#include "render/TileRules.h"
#include "world/World.h"

namespace veltrano::sim {

namespace {

// A layer's scroll as the screen shows it: the X, within its 80-pixel column, of a tile standing on
// the screen (tiles wrap only off the screen, where the wrapped one is drawn where the tick put it).
int ScrollOf(const LayerPicture& layer) {
    for (int i = 0; i < TileCount; ++i)
        if (layer.X[i] >= 0 && layer.X[i] < ScreenWidth - TileSize) return layer.X[i] % TileSize;
    return 0;
}

// What a refresh shows of the moving things: each layer's scroll and the ship.
struct Shown {
    int Scene;
    int Layer[3];
    int ShipX, ShipY;
};

// The picture on the screen after the refresh: the one placed between ticks, or without smooth motion
// the last tick's own.
Shown ShownNow(const TForm1& form) {
    const TickPicture* tick = TakenPicture(0);
    const TickPicture& p = form.DisplayChoices().Smooth ? PlacedPicture() : *tick;
    return {p.Back.Scene,
            {ScrollOf(p.Back.Layer1), ScrollOf(p.Back.Layer2), ScrollOf(p.Front.Layer3)},
            p.Back.PlayerX,
            p.Back.PlayerY};
}

// A scroll past a column's edge continues in the next column.
int Unwrapped(int step) {
    if (step > TileSize / 2) return step - TileSize;
    if (step < -TileSize / 2) return step + TileSize;
    return step;
}

struct Evenness {
    std::vector<int> Steps;
    void Report(std::FILE* out, const char* what, bool judged, int& faults) const {
        if (Steps.empty()) return;
        double sum = 0;
        for (int s : Steps) sum += s;
        const double mean = sum / static_cast<double>(Steps.size());
        double worst = 0;
        int still = 0;
        for (int s : Steps) {
            worst = std::max(worst, std::fabs(s - mean));
            still += s == 0;
        }
        const auto [low, high] = std::minmax_element(Steps.begin(), Steps.end());
        // Whole pixels cannot show a layer slower than a pixel a refresh moving on every refresh.
        const bool fast = std::fabs(mean) >= 1.0;
        const bool fault = judged && fast && (still > 0 || worst >= 1.0);
        faults += fault;
        std::fprintf(out,
                     "%s: mean step %.3f px, steps %d to %d, largest difference from the mean %.3f px, still "
                     "refreshes %d of %zu%s\n",
                     what, mean, *low, *high, worst, still, Steps.size(),
                     fault ? "  UNEVEN" : (judged && !fast ? " (slower than a pixel a refresh)" : ""));
    }
};

}  // namespace

int PresentRefreshes(HeadlessGame& game, int hz, int ticks, const std::function<void(long)>& beforeTick,
                     std::FILE* out) {
    game.Platform.PresentWaits = true;
    ProgramFrame frame(game.Form, game.Platform);
    const double period = 1000.0 / hz;
    const long first = game.Form.FramesRun();
    Evenness layers[3], shipX, shipY;
    bool have = false;
    Shown last{};
    for (long k = 0; game.Form.FramesRun() - first < ticks; ++k) {
        const double now = k * period;
        beforeTick(game.Form.FramesRun() - first + 1);
        frame.Advance(now, out ? out : stdout);
        // The frame clock runs its first two ticks back to back from an empty store: the beat is
        // measured from the third on.
        if (game.Form.FramesRun() - first < 3) continue;
        const Shown s = ShownNow(game.Form);
        if (out)
            std::fprintf(out, "refresh %ld %.3f ms: layers %d %d %d ship %d %d\n", k, now, s.Layer[0],
                         s.Layer[1], s.Layer[2], s.ShipX, s.ShipY);
        if (have && s.Scene == last.Scene) {
            for (int l = 0; l < 3; ++l) layers[l].Steps.push_back(Unwrapped(s.Layer[l] - last.Layer[l]));
            shipX.Steps.push_back(s.ShipX - last.ShipX);
            shipY.Steps.push_back(s.ShipY - last.ShipY);
        }
        last = s;
        have = true;
    }
    int faults = 0;
    std::FILE* summary = out ? out : stdout;
    std::fprintf(summary, "%d Hz, %s, %d ticks:\n", hz,
                 game.Form.DisplayChoices().Smooth ? "smooth" : "ticks only", ticks);
    const char* names[] = {"layer 1", "layer 2", "layer 3"};
    for (int l = 0; l < 3; ++l) layers[l].Report(summary, names[l], true, faults);
    shipX.Report(summary, "ship x", false, faults);
    shipY.Report(summary, "ship y", false, faults);
    return faults == 0 ? 0 : 1;
}

void MeasureLatency(HeadlessGame& game, int hz, int presses) {
    game.Platform.PresentWaits = true;
    ProgramFrame frame(game.Form, game.Platform);
    const double period = 1000.0 / hz;
    long k = 0;
    auto refresh = [&] {
        PlayerUntouchable = 1;  // nothing may take the ship away while it is measured
        const double now = k++ * period;
        frame.Advance(now);
        return now;
    };
    // Settle: a few ticks with no key.
    game.Platform.ReleaseAll();
    while (refresh() < 500) {
    }
    std::vector<double> waits;
    for (int i = 0; i < presses; ++i) {
        // Each press at its own phase of the tick and of the refresh.
        const double pressAt = k * period + 100 + std::fmod(i * 7.3, 25.0);
        while ((k + 1) * period < pressAt) refresh();
        const int before = ShownNow(game.Form).ShipY;
        const int key = i % 2 == 0 ? Vk::Up : Vk::Down;
        bool pressed = false;
        for (int guard = 0; guard < hz; ++guard) {
            const double next = k * period;
            if (!pressed && next >= pressAt) {
                game.Platform.Press(key);
                pressed = true;
            }
            refresh();
            if (pressed && ShownNow(game.Form).ShipY != before) {
                waits.push_back(next - pressAt);
                break;
            }
        }
        game.Platform.ReleaseAll();
        const double settle = k * period + 150;
        while (k * period < settle) refresh();
    }
    double sum = 0, worst = 0;
    for (double w : waits) sum += w, worst = std::max(worst, w);
    std::printf(
        "latency at %d Hz, %s: %zu presses, mean %.1f ms, worst %.1f ms (from the key to the refresh "
        "that shows the ship moved)\n",
        hz, game.Form.DisplayChoices().Smooth ? "smooth" : "ticks only", waits.size(),
        waits.empty() ? 0.0 : sum / static_cast<double>(waits.size()), worst);
}

}  // namespace veltrano::sim
