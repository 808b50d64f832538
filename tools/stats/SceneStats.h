// Figures of a scene as a player meets it: how many bullets are launched per second, how many fly at
// once, how often enemies come and how long the screen stays empty or silent, per section of the
// scene (the waves, a mid-boss, the boss). The late game is measured against the early one with them,
// so a change cannot thin a fight without a test noticing.
#pragma once

#include <array>
#include <cstdio>
#include <vector>

#include "tools/pilot/Pilot.h"

namespace veltrano {

class HeadlessGame;

namespace stats {

enum class Section : int { Waves, Approach, MidBoss, Boss, Count };
const char* SectionName(Section section);

// Where the sections of a scene lie on its timeline. The waves run from the scene's start until
// WavesEnd (the boss alarm, or the mid-boss's arrival); a mid-boss holds MidFrom..MidTo; the boss
// section starts at BossFrom and lasts while the boss stands.
struct SceneSections {
    int Scene;
    int WavesEnd;
    int MidFrom, MidTo;  // MidTo < MidFrom: no mid-boss
    int BossFrom;
    int FinalFrom = 1 << 30;  // the boss's last phase starts here (the last boss's circling)
};
// The sections of `scene`; false for a scene without a boss fight.
bool SectionsOf(int scene, SceneSections& out);
Section SectionAt(const SceneSections& sections, int stageFrame);

struct SectionFigures {
    int Frames = 0;
    long Launches = 0;
    double LaunchesPerSecond = 0;
    double AverageBullets = 0;
    int Bullets95 = 0;  // 95th percentile of bullets on screen
    double EnemiesPerMinute = 0;
    double LongestWithoutEnemy = 0;   // seconds, stretches that end before the section does
    double FinalWithoutEnemy = 0;     // seconds, the stretch that runs into the section's end
    double LongestWithoutLaunch = 0;  // seconds
};

// How the boss's fire rises as it weakens: launches per second while its hit points lie in the first,
// the second and the last third of those it came with, and in its last phase.
struct BossFigures {
    int ThirdFrames[3] = {};
    double ThirdLaunchesPerSecond[3] = {};
    int FinalFrames = 0;
    double FinalLaunchesPerSecond = 0;
    double FinalBullets = 0;
};

// Counts, frame by frame, what the world holds. Call Observe after every frame of the scene; the
// section is that of the step just run.
class SceneCounter {
   public:
    explicit SceneCounter(int scene);
    void Observe(int stepFrame);
    // The figures of every section seen; sections never entered have Frames = 0.
    std::array<SectionFigures, static_cast<int>(Section::Count)> Figures() const;
    BossFigures Boss() const;

    // When set, every `TimelineEvery` frames a line with the launches per second and the enemies on
    // screen of those frames, to find the thin stretches of a scene.
    std::FILE* TimelineOut = nullptr;
    int TimelineEvery = 0;

   private:
    void ObserveBoss(int stepFrame, int launches, int bullets);
    struct Tally {
        int Frames = 0;
        long Launches = 0;
        long BulletSum = 0;
        std::vector<int> BulletCounts;
        long Appearances = 0;
        int QuietRun = 0, LongestQuiet = 0;
        int SilentRun = 0, LongestSilent = 0;
    };
    SceneSections Sections{};
    bool HasSections;
    long WindowLaunches = 0, WindowEnemies = 0;
    int WindowFrames = 0;
    Section Current = Section::Count;
    std::array<Tally, static_cast<int>(Section::Count)> Tallies;
    std::vector<unsigned char> WasInFlight, WasOnScreen;
    std::vector<int> LastX, LastY;
    int BossFullHP = 0;
    long ThirdLaunches[3] = {}, FinalLaunches = 0, FinalBulletSum = 0;
    BossFigures BossTally;
};

// How a scene is measured: untouchable, so that nothing the ship meets ends the run, either parked
// at the start without firing, or sweeping up and down every 48 frames firing at full power, so that
// enemies and boss parts fall as in a real game.
PilotOptions MeasuringPilot(PilotFlight flight);

struct SceneRun {
    std::array<SectionFigures, static_cast<int>(Section::Count)> Sections;
    int FramesRun = 0;
    bool BossDestroyed = false;
};

// Enters `scene` (running its init) and plays it with `pilot` until the frame handler leaves it,
// `maxFrames` pass, or StageFrame reaches `untilFrame`.
// With `timeline`, prints a line per `timelineEvery` frames there as it goes.
SceneRun MeasureScene(HeadlessGame& game, int scene, const PilotOptions& pilot, int maxFrames,
                      int untilFrame = 1 << 30, std::FILE* timeline = nullptr, int timelineEvery = 200);

void PrintFigures(std::FILE* out, int scene, const SceneRun& run);

}  // namespace stats
}  // namespace veltrano
