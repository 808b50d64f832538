#include "tools/stats/SceneStats.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "app/headless/HeadlessGame.h"
#include "engine/CentralSystem.h"
#include "stages/SceneTable.h"
#include "stages/Stage.h"
#include "stages/stage10/Stage10Boss.h"
#include "stages/stage10/Stage10Fortress.h"
#include "world/ObjectKinds.h"
#include "world/World.h"

namespace veltrano::stats {

namespace {

constexpr double FramesPerSecond = 40.0;
constexpr int NoWaves = INT_MIN;

// Stage 10's waves run on under the boss music until its fortress arrives; the fortress holds the
// screen until it falls (the clock then jumps past its stretch), and then the last boss stands in
// place.
constexpr SceneSections Stage10Sections{Stage10Scene,          Stage10FortressStart,
                                        Stage10FortressStart,  Stage10AfterFortress - 1,
                                        Stage10BossStandFrame, Stage10BossCircleStart};

constexpr int BulletCount = LastBulletSlot - FirstBulletSlot + 1;
constexpr int EnemyLimit = FirstBulletSlot;  // enemies, bosses and their parts lie below the bullets

bool IsEnemySlot(int slot) {
    // Furniture (700..799) and items are not enemies; the type icons below the bosses are menus.
    return slot >= FirstBossSlot && (slot < 700 || slot > LastItemSlot);
}

bool BulletInFlight(int slot) {
    return EnemyState[slot] == StateActive && EnemyX[slot] >= -16 && EnemyX[slot] <= 640 &&
           EnemyY[slot] >= -16 && EnemyY[slot] <= 480;
}

// Hit classes 0..2 are 16-pixel objects, the others 32: a small flier waiting at Y -16 is not seen.
bool EnemyOnScreen(int slot) {
    const int size = EnemySize[slot] <= 2 ? 16 : 32;
    return EnemyState[slot] == StateActive && EnemyX[slot] + size > 0 && EnemyX[slot] < 640 &&
           EnemyY[slot] + size > 0 && EnemyY[slot] < 480;
}

// A bullet launched again in the step it left the field is seen as a jump back to its muzzle:
// no bullet flies this far in one step.
constexpr int RelaunchJump = 40;

}  // namespace

const char* SectionName(Section section) {
    switch (section) {
        case Section::Waves:
            return "waves";
        case Section::Approach:
            return "approach";
        case Section::MidBoss:
            return "mid-boss";
        case Section::Boss:
            return "boss";
        default:
            return "-";
    }
}

bool SectionsOf(int scene, SceneSections& out) {
    if (scene == Stage10Scene) {
        out = Stage10Sections;
        return true;
    }
    if (scene == BossRush10Scene) {
        out = {scene, NoWaves, 1, 0, RowOf(scene).Music.BossFrame, Stage10BossCircleStart};
        return true;
    }
    // The waves end at the boss alarm, and the fight begins with the boss music; a boss-only scene
    // has no waves (its alarm comes before its clock reaches 0).
    const SceneRow* row = SceneRowOf(scene);
    if (!row || row->Fight.Slot == NoBoss || row->Music.BossFrame == NoFrame) return false;
    const int alarm = row->Music.AlarmFrame;
    out = {scene, alarm > 0 ? alarm : NoWaves, 1, 0, row->Music.BossFrame};
    return true;
}

Section SectionAt(const SceneSections& s, int stageFrame) {
    if (stageFrame >= s.BossFrom) return Section::Boss;
    if (s.MidFrom <= s.MidTo && stageFrame >= s.MidFrom && stageFrame <= s.MidTo) return Section::MidBoss;
    if (s.WavesEnd != NoWaves && stageFrame < s.WavesEnd) return Section::Waves;
    return Section::Approach;
}

SceneCounter::SceneCounter(int scene)
    : HasSections(SectionsOf(scene, Sections)),
      WasInFlight(BulletCount, 0),
      WasOnScreen(EnemyLimit, 0),
      LastX(BulletCount, 0),
      LastY(BulletCount, 0) {}

void SceneCounter::Observe(int stepFrame) {
    Section section = HasSections ? SectionAt(Sections, stepFrame) : Section::Waves;
    // A fallen boss ends the fight: what follows is its explosion and the bullets' removal.
    if (section == Section::Boss && EnemyState[BossSlot] == StateDestroyed) section = Section::Count;
    // A stretch of quiet or silence never runs across two sections.
    if (section != Current && Current != Section::Count) {
        Tally& old = Tallies[static_cast<int>(Current)];
        old.LongestSilent = std::max(old.LongestSilent, old.SilentRun);
        old.SilentRun = 0;
    }
    if (section != Current && section != Section::Count) {
        // Met again (the clock jumped back into it): the quiet it ended on was not its last.
        Tally& fresh = Tallies[static_cast<int>(section)];
        fresh.LongestQuiet = std::max(fresh.LongestQuiet, fresh.QuietRun);
        fresh.QuietRun = fresh.SilentRun = 0;
    }
    Current = section;

    int launches = 0, bullets = 0;
    for (int i = 0; i < BulletCount; ++i) {
        const int slot = FirstBulletSlot + i;
        const bool flying = BulletInFlight(slot);
        if (flying) {
            ++bullets;
            const bool jumped =
                std::abs(EnemyX[slot] - LastX[i]) + std::abs(EnemyY[slot] - LastY[i]) > RelaunchJump;
            if (!WasInFlight[i] || jumped) ++launches;
        }
        WasInFlight[i] = flying;
        LastX[i] = EnemyX[slot];
        LastY[i] = EnemyY[slot];
    }
    int enemies = 0, appearances = 0;
    for (int slot = 0; slot < EnemyLimit; ++slot) {
        if (!IsEnemySlot(slot)) continue;
        const bool shown = EnemyOnScreen(slot);
        enemies += shown;
        appearances += shown && !WasOnScreen[slot];
        WasOnScreen[slot] = shown;
    }
    if (section == Section::Count) return;
    if (section == Section::Boss) ObserveBoss(stepFrame, launches, bullets);
    if (TimelineEvery > 0) {
        WindowLaunches += launches;
        WindowEnemies += enemies;
        if (++WindowFrames == TimelineEvery) {
            std::fprintf(TimelineOut, "  %-9s to frame %6d: %5.1f launches/s, %4.1f enemies on screen\n",
                         SectionName(section), stepFrame, WindowLaunches * FramesPerSecond / WindowFrames,
                         static_cast<double>(WindowEnemies) / WindowFrames);
            WindowLaunches = WindowEnemies = WindowFrames = 0;
        }
    }
    Tally& t = Tallies[static_cast<int>(section)];
    ++t.Frames;
    t.Launches += launches;
    t.BulletSum += bullets;
    t.BulletCounts.push_back(bullets);
    t.Appearances += appearances;
    if (enemies == 0) {
        ++t.QuietRun;
    } else {
        t.LongestQuiet = std::max(t.LongestQuiet, t.QuietRun);
        t.QuietRun = 0;
    }
    if (launches == 0) {
        ++t.SilentRun;
    } else {
        t.LongestSilent = std::max(t.LongestSilent, t.SilentRun);
        t.SilentRun = 0;
    }
}

void SceneCounter::ObserveBoss(int stepFrame, int launches, int bullets) {
    if (BossSlot < 0 || BossSlot >= FirstBulletSlot) return;
    if (BossFullHP == 0) BossFullHP = std::max(EnemyHP[BossSlot], 1);
    const int hp = EnemyHP[BossSlot];
    const int third = 3 * hp > 2 * BossFullHP ? 0 : 3 * hp > BossFullHP ? 1 : 2;
    ++BossTally.ThirdFrames[third];
    ThirdLaunches[third] += launches;
    if (HasSections && stepFrame >= Sections.FinalFrom) {
        ++BossTally.FinalFrames;
        FinalLaunches += launches;
        FinalBulletSum += bullets;
    }
}

BossFigures SceneCounter::Boss() const {
    BossFigures out = BossTally;
    for (int i = 0; i < 3; ++i)
        if (out.ThirdFrames[i] > 0)
            out.ThirdLaunchesPerSecond[i] = ThirdLaunches[i] * FramesPerSecond / out.ThirdFrames[i];
    if (out.FinalFrames > 0) {
        out.FinalLaunchesPerSecond = FinalLaunches * FramesPerSecond / out.FinalFrames;
        out.FinalBullets = static_cast<double>(FinalBulletSum) / out.FinalFrames;
    }
    return out;
}

std::array<SectionFigures, static_cast<int>(Section::Count)> SceneCounter::Figures() const {
    std::array<SectionFigures, static_cast<int>(Section::Count)> out{};
    for (int s = 0; s < static_cast<int>(Section::Count); ++s) {
        const Tally& t = Tallies[s];
        SectionFigures& f = out[s];
        f.Frames = t.Frames;
        if (t.Frames == 0) continue;
        const double seconds = t.Frames / FramesPerSecond;
        f.Launches = t.Launches;
        f.LaunchesPerSecond = t.Launches / seconds;
        f.AverageBullets = static_cast<double>(t.BulletSum) / t.Frames;
        std::vector<int> counts = t.BulletCounts;
        const size_t at = std::min(counts.size() - 1, counts.size() * 95 / 100);
        std::nth_element(counts.begin(), counts.begin() + at, counts.end());
        f.Bullets95 = counts[at];
        f.EnemiesPerMinute = t.Appearances / (seconds / 60.0);
        f.LongestWithoutEnemy = t.LongestQuiet / FramesPerSecond;
        f.FinalWithoutEnemy = t.QuietRun / FramesPerSecond;
        f.LongestWithoutLaunch = std::max(t.LongestSilent, t.SilentRun) / FramesPerSecond;
    }
    return out;
}

PilotOptions MeasuringPilot(PilotFlight flight) {
    if (flight == PilotFlight::Park)
        return {.Flight = PilotFlight::Park, .Fire = false, .Power = false, .Untouchable = true};
    return {.Flight = PilotFlight::Sweep, .Fire = true, .Power = true, .Untouchable = true};
}

SceneRun MeasureScene(HeadlessGame& game, int scene, const PilotOptions& flying, int maxFrames,
                      int untilFrame, std::FILE* timeline, int timelineEvery) {
    HeadlessBackend& keys = game.Platform;
    keys.ReleaseAll();
    EnterScene(scene);
    ControlEnabled = 1;
    Pilot pilot(flying);
    SceneCounter counter(scene);
    counter.TimelineOut = timeline;
    counter.TimelineEvery = timeline ? timelineEvery : 0;
    SceneRun run;
    while (Scene == scene && run.FramesRun < maxFrames && StageFrame < untilFrame) {
        pilot.Steer(keys.Input);
        const int step = StageFrame;
        game.Frame();
        ++run.FramesRun;
        if (Scene == scene) counter.Observe(step);
        if (BossSlot >= 0 && EnemyState[BossSlot] == StateDestroyed && EnemyHP[BossSlot] <= 0)
            run.BossDestroyed = true;
    }
    keys.ReleaseAll();
    run.Sections = counter.Figures();
    return run;
}

void PrintFigures(std::FILE* out, int scene, const SceneRun& run) {
    std::fprintf(out, "scene %d: %d frames%s\n", scene, run.FramesRun,
                 run.BossDestroyed ? ", boss shot down" : "");
    std::fprintf(out, "  %-9s %7s %9s %8s %6s %9s %9s %9s %9s\n", "section", "seconds", "launch/s", "bullets",
                 "p95", "enemy/min", "no-enemy", "end-quiet", "no-launch");
    for (int s = 0; s < static_cast<int>(Section::Count); ++s) {
        const SectionFigures& f = run.Sections[s];
        if (f.Frames == 0) continue;
        std::fprintf(out, "  %-9s %7.1f %9.1f %8.1f %6d %9.1f %9.1f %9.1f %9.1f\n",
                     SectionName(static_cast<Section>(s)), f.Frames / FramesPerSecond, f.LaunchesPerSecond,
                     f.AverageBullets, f.Bullets95, f.EnemiesPerMinute, f.LongestWithoutEnemy,
                     f.FinalWithoutEnemy, f.LongestWithoutLaunch);
    }
}

}  // namespace veltrano::stats
