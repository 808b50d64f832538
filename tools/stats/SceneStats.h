// Figures of a scene as a player meets it: how many bullets are launched per second, how many fly at
// once, how often enemies come and how long the screen stays empty or silent, per section of the
// scene (the waves, a mid-boss, the boss). The late game is measured against the early one with them,
// so a change cannot thin a fight without a test noticing.
#pragma once

#include <array>
#include <cstdio>
#include <vector>

namespace veltrano {

class HeadlessGame;
class HeadlessBackend;

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

// Counts, frame by frame, what the world holds. Call Observe after every frame of the scene; the
// section is that of the step just run.
class SceneCounter {
   public:
    explicit SceneCounter(int scene);
    void Observe(int stepFrame);
    // The figures of every section seen; sections never entered have Frames = 0.
    std::array<SectionFigures, static_cast<int>(Section::Count)> Figures() const;

    // When set, every `TimelineEvery` frames a line with the launches per second and the enemies on
    // screen of those frames, to find the thin stretches of a scene.
    std::FILE* TimelineOut = nullptr;
    int TimelineEvery = 0;

   private:
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
};

// A pilot that only dodges, as a careful player would: before every frame it tries the nine moves at
// speed 6 and takes the one that keeps the ship's hit box furthest from every bullet and enemy over
// the next steps, each assumed to keep its last step's course; it drifts back toward its start
// when nothing threatens. It never fires, and it can be hit: a volley it cannot get through is a
// volley without a way through.
class Dodger {
   public:
    Dodger();
    void Steer(HeadlessBackend& keys);

   private:
    std::vector<int> LastX, LastY;
};

// How the ship is flown while a scene is measured. Both are untouchable, so nothing they meet ends
// the run: park sits at the start and never fires; sweep fires all the time at full power and sweeps
// up and down the screen every 48 frames, so enemies and boss parts fall as in a real game.
enum class Pilot { Park, Sweep };
bool PilotByName(const char* name, Pilot& pilot);

struct SceneRun {
    std::array<SectionFigures, static_cast<int>(Section::Count)> Sections;
    int FramesRun = 0;
    bool BossDestroyed = false;
};

// Enters `scene` (running its init) and plays it with `pilot` until the frame handler leaves it,
// `maxFrames` pass, or StageFrame reaches `untilFrame`.
// With `timeline`, prints a line per `timelineEvery` frames there as it goes.
SceneRun MeasureScene(HeadlessGame& game, int scene, Pilot pilot, int maxFrames, int untilFrame = 1 << 30,
                      std::FILE* timeline = nullptr, int timelineEvery = 200);

void PrintFigures(std::FILE* out, int scene, const SceneRun& run);

}  // namespace stats
}  // namespace veltrano
