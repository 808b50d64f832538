// sim: runs the game headless from a scripted input file and shows what happened: a per-frame trace,
// PNG screenshots of chosen frames, the mixed audio as a WAV file.
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Presentation.h"
#include "app/Replay.h"
#include "app/SoundBank.h"
#include "app/headless/HeadlessGame.h"
#include "engine/CentralSystem.h"
#include "platform/Display.h"
#include "platform/Files.h"
#include "platform/Mixer.h"
#include "platform/SoundMix.h"
#include "platform/SystemFolders.h"
#include "stages/Scenes.h"
#include "stages/Stage.h"
#include "tools/pilot/Pilot.h"
#include "tools/sim/LookSheet.h"
#include "tools/sim/Refreshes.h"
#include "tools/stats/SceneStats.h"
#include "world/World.h"

using namespace veltrano;

namespace {

const char* const Usage = R"(usage: sim [options]

Runs VeltranoGame2 without window or audio device, one 25 ms frame after another.

  --data DIR         program folder with the pictures, sounds, ini and save file (a run works on
                     copies of the ini and save file; a --replay writes neither)
                     (default: the game's folder beside this tool, ../bin)
  --frames N         frames to run (default 400)
  --input FILE       scripted input, one event per line (blank lines and # comments ignored):
                       FRAME hold KEY...   hold these keys from FRAME on (none: release all)
                       FRAME press KEY     a key-down event to the window before FRAME
                     frames count from 1; an event at frame 0 (or before) is taken before
                     the first frame, as one at frame 1 is
                     keys: up down left right z x c space enter escape home insert delete
                           k j h l (the other direction keys) and numpad2/4/6/8
  --scene S          start a game in scene S at once, as the ship select's start does
                     (the start rule sends 13 and above to stage 1)
  --shot-type T      weapon 1..6 for --scene (default 1)
  --enter S          put the game in scene S at once and run its init, as a scene change does,
                     without music, the ship steerable in play scenes (reaches the scenes no
                     start reaches, e.g. 24, the staff roll)
  --at F             with --enter: move the scene's clock to F after its init, skipping what
                     comes before (a boss fight without its stage's waves; cannot be recorded)
  --seed N           0..4294967295: sets the game's random generator right after start-up,
                     before --scene or --enter runs a scene's init (start positions and
                     everything else the game draws), and gives the dodging pilot small
                     whims of its own, so that each seed plays a game of its own even in a
                     scene that draws nothing (default: clock time 00:00:00.000, a pilot
                     without whims); a replay brings its own seed
  --pilot P          let the scripted pilot fly instead of --input's keys, one of:
                       park   no direction key: the ship stays where it is
                       sweep  up for 48 steps, down for 48, by the scene's clock
                       dodge  reads the bullets and enemies each frame, keeps the ship clear
                              and lines up with the boss or the nearest enemy ahead
                     the pilot holds fire unless --no-fire is given
  --no-fire          the pilot does not fire
  --power            the pilot starts with full power and both options
  --continues        the pilot takes a continue whenever the last ship is lost
  --parts-first      the dodging pilot lines up with the boss's parts and escorts before the boss
  --until-next-scene stop when the scene the run started in (after --scene/--enter) is left;
                     every scene change is printed with whether the scene's boss was shot down
                     and how many of the other enemies seen on screen were shot down
  --record FILE      record the game (from the ship select's start, --scene or --enter, to its
                     end or the last frame) as a replay file; --invincible cannot be recorded,
                     nor --power with a game started by --scene
  --replay FILE      play a replay file from its start to its end instead of the options above,
                     checking every checkpoint; prints "replay ok: N frames, score S" or the
                     first checkpoint that differs
  --verify           with --replay: a difference (or a bad file) ends with status 1
  --balance          with --pilot and --enter: play the scene to its end and print one line of
                     the balance table (see scripts/balance-table.sh):
                       balance: scene S seed N power P lost K continues C boss down|timeout|
                       standing seconds T launch/s L boss-launch/s B thirds A/B/C
                       final-launch/s F final-bullets U no-enemy E no-launch Q
                     launch/s over the whole scene, thirds by the boss's hit points left (its
                     first, middle and last third), final: the last boss's circling phase,
                     no-enemy and no-launch: the longest stretches in seconds (the alarm's
                     approach left out; no-enemy only before the boss)
  --invincible       keep the ship untouchable (for looking at whole stages)
  --trace            print one line per frame: frame scene stageFrame score lives x y bullets
                     bossHP
  --screenshot LIST  save the back buffer after these frames (comma-separated) as PNG
  --every N          also save a screenshot every N frames
  --out DIR          where screenshots go (default .)
  --wav FILE         write the mixed audio (32000 Hz stereo 16-bit) to FILE
  --wav-parts PREFIX also write the effects and the music apart, at the master gain before the
                     limiter, to PREFIX-effects.wav and PREFIX-music.wav
  --stats S          measure scene S instead: enter it, play it with the pilot until it ends (at
                     most --frames frames, default here 60000) and print per section (waves,
                     approach, mid-boss, boss) launches/s, average and 95th-percentile bullets on
                     screen, enemies per minute, and the longest stretches without an enemy on
                     screen (before the section's end, and into it) and without a launch, in seconds
  --timeline N       with --stats, also print the launches/s and enemies on screen of every N
                     frames as the scene runs
                     (--stats flies the untouchable ship parked with --pilot park, else sweeping
                     and firing at full power)
  --look-sheet FILE  play the title and every stage with the parked, untouchable pilot (firing
                     unless --no-fire is given); every --every frames (default 600) up to --frames
                     (default 3000) print the screen's colourfulness (Hasler and Suesstrunk), mean
                     and spread of its luma (0-255) and its distinct colours, then per scene the
                     lowest and mean of them, and how many of the cells drawn in play read at 99%
                     of spots over each stage's backdrops (the wall block's share and the lowest),
                     and write the first screen of each side by side to FILE (PNG)
  --digest           print a checksum of the back buffer after every frame ("digest F HASH"):
                     two builds that draw the same pictures print the same lines
  --present-hz HZ    present the run to a screen refreshing HZ times a second (1..1000) through
                     the program's frame function, one call per refresh as with vertical sync,
                     for --frames ticks; prints per refresh the first tile's X of each layer and
                     the ship's drawn position, then each layer's mean step, the largest
                     difference from it and the refreshes that stood still; status 1 when a
                     layer that moves a pixel a refresh or more stood still or stepped unevenly
  --latency N        with --present-hz: press up and down N times at varied moments and print
                     the mean and worst time from the key to the first refresh showing the ship
                     moved
  --check-pictures N draw every Nth frame (the others dropped as in a plain --replay) and check
                     that the presentation's picture with nothing behind the tick is the back
                     buffer the frame drew (with --verify a difference ends with status 1); a
                     refresh half a tick behind is drawn as well, which the replay's checkpoints
                     prove changes nothing of the game
  --smooth, --no-smooth  smooth motion on or off for this run (default: the ini's [Display])
  --help             this text

With --pilot, a last line sums the run up:
  pilot: frames F scene S stageFrame T score N lives L lost K continues C
)";

int KeyCode(const std::string& name) {
    // clang-format off
    static const std::map<std::string, int> codes = {
        {"up", Vk::Up},         {"down", Vk::Down},       {"left", Vk::Left},       {"right", Vk::Right},
        {"z", Vk::Z},           {"x", Vk::X},             {"c", Vk::C},             {"space", Vk::Space},
        {"enter", Vk::Enter},   {"escape", Vk::Escape},   {"home", Vk::Home},       {"insert", Vk::Insert},
        {"delete", Vk::Delete}, {"k", Vk::K},             {"j", Vk::J},             {"h", Vk::H},
        {"l", Vk::L},           {"numpad2", Vk::Numpad2}, {"numpad4", Vk::Numpad4}, {"numpad6", Vk::Numpad6},
        {"numpad8", Vk::Numpad8}};
    // clang-format on
    const auto it = codes.find(name);
    return it == codes.end() ? -1 : it->second;
}

struct Script {
    std::map<int, std::vector<int>> Holds;  // frame -> keys held from then on
    std::multimap<int, int> Presses;        // frame -> key-down event
};

bool ReadScript(const std::string& path, Script& script, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = path + ": cannot open the input file";
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (const size_t hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        int frame;
        std::string verb;
        if (!(words >> frame)) continue;
        words >> verb;
        std::vector<int> keys;
        for (std::string key; words >> key;) {
            const int code = KeyCode(key);
            if (code < 0) {
                error = path + ":" + std::to_string(number) + ": unknown key '" + key + "'";
                return false;
            }
            keys.push_back(code);
        }
        if (verb == "hold") {
            script.Holds[frame] = keys;
        } else if (verb == "press" && keys.size() == 1) {
            script.Presses.emplace(frame, keys[0]);
        } else {
            error =
                path + ":" + std::to_string(number) + ": expected 'FRAME hold KEY...' or 'FRAME press KEY'";
            return false;
        }
    }
    return true;
}

bool WriteWav(const std::string& path, const std::vector<int16_t>& samples) {
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    const uint32_t bytes = static_cast<uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    u32(36 + bytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(MixChannels);
    u32(MixRate);
    u32(MixRate * MixChannels * 2);
    u16(MixChannels * 2);
    u16(16);
    out.write("data", 4);
    u32(bytes);
    out.write(reinterpret_cast<const char*>(samples.data()), bytes);
    return static_cast<bool>(out);
}

// Bullets in flight on the field (parked slots also read state 0, so position counts too).
int LiveBullets() {
    int n = 0;
    for (int k = FirstBulletSlot; k <= LastBulletSlot; ++k)
        n += EnemyState[k] == StateActive && EnemyX[k] >= -16 && EnemyX[k] <= 640 && EnemyY[k] >= -16 &&
             EnemyY[k] <= 480;
    return n;
}

// The program folder of the sim's own build: bin/ beside its tools-bin/.
std::string DefaultDataFolder(const char* argv0) {
    std::string tools = ExecutableFolder();
    if (tools == ".") tools = FolderOf(argv0);
    return FolderOf(tools) + "/bin";
}

constexpr int NoScene = -100;
constexpr int NoFrameGiven = INT32_MIN;

struct SimOptions {
    std::string Data, InputFile, OutDir = ".", WavFile, PartsPrefix, RecordFile, ReplayFile, LookSheet;
    int Frames = -1, StartScene = NoScene, ShotType = 1, Every = 0, EnterScene = NoScene,
        AtStageFrame = NoFrameGiven;
    long long Seed = -1;
    bool Trace = false, Invincible = false, UsePilot = false, UntilNextScene = false, Verify = false,
         Balance = false;
    PilotOptions Pilot;
    int StatsScene = NoScene, TimelineEvery = 0;
    std::set<int> Shots;
    bool Digest = false;
    int PresentHz = 0, LatencyPresses = 0, CheckPictures = 0;
    std::optional<bool> Smooth;
};

bool WholeNumber(const char* text, long long low, long long high, long long& out) {
    char* end = nullptr;
    errno = 0;
    out = std::strtoll(text, &end, 10);
    return end != text && *end == '\0' && errno == 0 && out >= low && out <= high;
}

// An option's action on the options read so far; false (with `error` set) refuses the value.
using OptionAction = bool (*)(SimOptions& o, const char* value, std::string& error);

bool SetInt(int& field, const char* value, long long low, long long high, std::string& error) {
    long long n;
    if (!WholeNumber(value, low, high, n)) {
        error = std::string("'") + value + "' is not a whole number from " + std::to_string(low) + " to " +
                std::to_string(high);
        return false;
    }
    field = static_cast<int>(n);
    return true;
}

struct OptionRow {
    const char* Name;
    bool TakesValue;
    OptionAction Apply;
};

constexpr int MaxFrames = 100000000;

// clang-format off
const OptionRow Options[] = {
    {"--data",      true,  [](SimOptions& o, const char* v, std::string&) { o.Data = v; return true; }},
    {"--frames",    true,  [](SimOptions& o, const char* v, std::string& e) { return SetInt(o.Frames, v, 0, MaxFrames, e); }},
    {"--input",     true,  [](SimOptions& o, const char* v, std::string&) { o.InputFile = v; return true; }},
    {"--scene",     true,  [](SimOptions& o, const char* v, std::string& e) { return SetInt(o.StartScene, v, -2, 25, e); }},
    {"--enter",     true,  [](SimOptions& o, const char* v, std::string& e) { return SetInt(o.EnterScene, v, -2, 25, e); }},
    {"--at",        true,  [](SimOptions& o, const char* v, std::string& e) { return SetInt(o.AtStageFrame, v, -100000, 100000, e); }},
    {"--shot-type", true,  [](SimOptions& o, const char* v, std::string& e) { return SetInt(o.ShotType, v, 1, 6, e); }},
    {"--seed",      true,  [](SimOptions& o, const char* v, std::string& e) {
        if (WholeNumber(v, 0, UINT32_MAX, o.Seed)) return true;
        e = std::string("'") + v + "' is not a seed from 0 to 4294967295";
        return false; }},
    {"--pilot",     true,  [](SimOptions& o, const char* v, std::string& e) {
        o.UsePilot = ParsePilotFlight(v, o.Pilot.Flight);
        if (!o.UsePilot) e = std::string("takes park, sweep or dodge, not '") + v + "'";
        return o.UsePilot; }},
    {"--no-fire",   false, [](SimOptions& o, const char*, std::string&) { o.Pilot.Fire = false; return true; }},
    {"--power",     false, [](SimOptions& o, const char*, std::string&) { o.Pilot.Power = true; return true; }},
    {"--continues", false, [](SimOptions& o, const char*, std::string&) { o.Pilot.Continue = true; return true; }},
    {"--parts-first", false, [](SimOptions& o, const char*, std::string&) { o.Pilot.PartsFirst = true; return true; }},
    {"--until-next-scene", false, [](SimOptions& o, const char*, std::string&) { o.UntilNextScene = true; return true; }},
    {"--balance",   false, [](SimOptions& o, const char*, std::string&) { o.Balance = o.UntilNextScene = true; return true; }},
    {"--record",    true,  [](SimOptions& o, const char* v, std::string&) { o.RecordFile = v; return true; }},
    {"--replay",    true,  [](SimOptions& o, const char* v, std::string&) { o.ReplayFile = v; return true; }},
    {"--verify",    false, [](SimOptions& o, const char*, std::string&) { o.Verify = true; return true; }},
    {"--invincible", false, [](SimOptions& o, const char*, std::string&) { o.Invincible = true; return true; }},
    {"--trace",     false, [](SimOptions& o, const char*, std::string&) { o.Trace = true; return true; }},
    {"--every",     true,  [](SimOptions& o, const char* v, std::string& e) { return SetInt(o.Every, v, 0, MaxFrames, e); }},
    {"--out",       true,  [](SimOptions& o, const char* v, std::string&) { o.OutDir = v; return true; }},
    {"--look-sheet", true, [](SimOptions& o, const char* v, std::string&) { o.LookSheet = v; return true; }},
    {"--wav",       true,  [](SimOptions& o, const char* v, std::string&) { o.WavFile = v; return true; }},
    {"--wav-parts", true,  [](SimOptions& o, const char* v, std::string&) { o.PartsPrefix = v; return true; }},
    {"--timeline",  true,  [](SimOptions& o, const char* v, std::string& e) { return SetInt(o.TimelineEvery, v, 0, MaxFrames, e); }},
    {"--stats",     true,  [](SimOptions& o, const char* v, std::string& e) { return SetInt(o.StatsScene, v, -2, 25, e); }},
    {"--digest",    false, [](SimOptions& o, const char*, std::string&) { o.Digest = true; return true; }},
    {"--present-hz", true, [](SimOptions& o, const char* v, std::string& e) { return SetInt(o.PresentHz, v, 1, 1000, e); }},
    {"--latency",   true,  [](SimOptions& o, const char* v, std::string& e) { return SetInt(o.LatencyPresses, v, 1, 10000, e); }},
    {"--check-pictures", true, [](SimOptions& o, const char* v, std::string& e) { return SetInt(o.CheckPictures, v, 1, MaxFrames, e); }},
    {"--smooth",    false, [](SimOptions& o, const char*, std::string&) { o.Smooth = true; return true; }},
    {"--no-smooth", false, [](SimOptions& o, const char*, std::string&) { o.Smooth = false; return true; }},
    {"--screenshot", true, [](SimOptions& o, const char* v, std::string& e) {
        std::stringstream list(v);
        for (std::string item; std::getline(list, item, ',');) {
            int frame;
            if (!SetInt(frame, item.c_str(), 0, MaxFrames, e)) return false;
            o.Shots.insert(frame);
        }
        return true; }},
};
// clang-format on

// Reads the command line into `o`. False when the run ends here: --help (status 0) or a bad option
// (status 2, the reason on stderr).
bool ParseOptions(int argc, char** argv, SimOptions& o, int& status) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help") {
            std::fputs(Usage, stdout);
            status = 0;
            return false;
        }
        const OptionRow* row = nullptr;
        for (const OptionRow& r : Options)
            if (arg == r.Name) row = &r;
        if (!row) {
            std::fprintf(stderr, "sim: unknown option %s\n%s", arg.c_str(), Usage);
            status = 2;
            return false;
        }
        if (row->TakesValue && i + 1 >= argc) {
            std::fprintf(stderr, "sim: %s needs a value\n", arg.c_str());
            status = 2;
            return false;
        }
        std::string error;
        if (!row->Apply(o, row->TakesValue ? argv[++i] : "", error)) {
            std::fprintf(stderr, "sim: %s %s\n", arg.c_str(), error.c_str());
            status = 2;
            return false;
        }
    }
    return true;
}

// Options that contradict each other, refused before anything runs.
bool OptionsAgree(const SimOptions& o) {
    // Untouchability is no input of the game, and the pilot's power comes after a ship select's
    // start: runs that use them could not be played back.
    if (!o.RecordFile.empty() &&
        (o.Invincible || o.AtStageFrame != NoFrameGiven || (o.Pilot.Power && o.StartScene != NoScene))) {
        std::fprintf(
            stderr,
            "sim: --invincible, --at, and --power with --scene, change the game behind its inputs and "
            "cannot be recorded\n");
        return false;
    }
    if (o.AtStageFrame != NoFrameGiven && o.EnterScene == NoScene) {
        std::fprintf(stderr, "sim: --at needs --enter\n");
        return false;
    }
    if (!o.UsePilot && o.LookSheet.empty() &&
        (o.Pilot.Power || o.Pilot.Continue || !o.Pilot.Fire || o.Pilot.PartsFirst || o.Balance)) {
        std::fprintf(stderr,
                     "sim: --power, --continues, --parts-first, --no-fire and --balance need --pilot\n");
        return false;
    }
    if (o.UsePilot && !o.InputFile.empty()) {
        std::fprintf(stderr, "sim: --pilot and --input both choose the keys; give one of them\n");
        return false;
    }
    return true;
}

// The input file's events, applied in frame order: before frame f runs, every event of a frame up to
// f not yet applied (so events at frame 0, or before, are taken before the first frame).
class ScriptedKeys {
   public:
    explicit ScriptedKeys(const Script& script)
        : S(script), NextHold(S.Holds.begin()), NextPress(S.Presses.begin()) {}
    void Apply(HeadlessGame& game, int frame) {
        const std::vector<int>* latest = nullptr;
        for (; NextHold != S.Holds.end() && NextHold->first <= frame; ++NextHold) latest = &NextHold->second;
        if (latest) {
            game.Platform.ReleaseAll();
            for (int key : *latest) game.Platform.Press(key);
        }
        for (; NextPress != S.Presses.end() && NextPress->first <= frame; ++NextPress)
            game.KeyDown(NextPress->second);
    }

   private:
    const Script& S;
    std::map<int, std::vector<int>>::const_iterator NextHold;
    std::multimap<int, int>::const_iterator NextPress;
};

int MeasureStats(HeadlessGame& game, const SimOptions& o) {
    stats::SceneSections sections;
    if (!stats::SectionsOf(o.StatsScene, sections)) {
        std::fprintf(stderr, "sim: scene %d has no boss fight to measure\n", o.StatsScene);
        return 2;
    }
    const PilotFlight flight =
        o.UsePilot && o.Pilot.Flight == PilotFlight::Park ? PilotFlight::Park : PilotFlight::Sweep;
    const stats::SceneRun run = stats::MeasureScene(game, o.StatsScene, stats::MeasuringPilot(flight),
                                                    o.Frames < 0 ? 60000 : o.Frames, 1 << 30,
                                                    o.TimelineEvery > 0 ? stdout : nullptr, o.TimelineEvery);
    stats::PrintFigures(stdout, o.StatsScene, run);
    // A statement with a fault never runs, so the figures of a faulty script mislead.
    const SceneScript* faulty = SceneScriptOf(o.StatsScene);
    for (const std::string& fault : faulty->Errors)
        std::fprintf(stderr, "sim: script fault: %s\n", fault.c_str());
    return faulty->Errors.empty() ? 0 : 1;
}

// Puts the game where the options ask: a ship select's start of --scene, or --enter's scene.
void StartRequestedScene(HeadlessGame& game, const SimOptions& o, ReplayRecorder& recorder) {
    if (o.StartScene != NoScene) {
        EnterScene(ShipSelectScene);
        StartScene = o.StartScene;
        ShotType = o.ShotType;
        game.Platform.Press(Vk::Space);
        game.Frame();
        game.Platform.ReleaseAll();
    }
    if (o.EnterScene != NoScene) {
        if (!o.RecordFile.empty()) recorder.BeginEntered();
        EnterSceneDirectly(o.EnterScene, o.ShotType, ShotPower, Option1On == 1, Option2On == 1);
        if (o.AtStageFrame != NoFrameGiven) StageFrame = o.AtStageFrame;
    }
}

// How the scene the run started in ended, as the frame that left it saw it.
struct SceneEnd {
    bool Left = false, BossShotDown = false, BossTimedOut = false;
};

void ReportSceneChange(int sceneBefore, int f, int stageFrameBefore, int bossDeadTime, int bossHP,
                       SceneEnd& end) {
    std::printf("scene %d -> %d at frame %d (StageFrame %d): ", sceneBefore, Scene, f, stageFrameBefore);
    // A boss switched off by its time-out dies with hit points left.
    if (bossDeadTime > 0 && bossHP < 1) {
        std::printf("boss shot down %d frames before\n", bossDeadTime);
    } else if (bossDeadTime > 0) {
        std::printf("boss switched off by its time-out %d frames before\n", bossDeadTime);
    } else {
        std::printf("boss not destroyed\n");
    }
    if (!end.Left) end = {true, bossDeadTime > 0 && bossHP<1, bossDeadTime> 0 && bossHP >= 1};
}

// The enemies other than the boss seen on screen in the current scene, to tell at its end which of
// them were shot down.
class SeenEnemies {
   public:
    // Before a frame of the same scene: a slot seen before whose hit points ran out fell to shots (a
    // part the script switches off keeps some); a shootable enemy on screen is seen.
    void Observe() {
        for (int i = 0; i < FirstBulletSlot; ++i) {
            if (Seen[i] && EnemyHP[i] < 1) Fell[i] = 1;
            const int hitClass = EnemySize[i];
            if (i != BossSlot && EnemyState[i] == StateActive &&
                (hitClass == LargeEnemyClass || hitClass == SmallEnemyClass ||
                 hitClass == ItemCarrierClass) &&
                EnemyX[i] + 32 > 0 && EnemyX[i] < 640 && EnemyY[i] + 32 > 0 && EnemyY[i] < 480)
                Seen[i] = 1;
        }
    }
    void Report() {
        int shot = 0, total = 0;
        std::string standing;
        for (int i = 0; i < FirstBulletSlot; ++i) {
            if (!Seen[i]) continue;
            ++total;
            if (Fell[i])
                ++shot;
            else if (standing.size() < 200)
                standing.append(" ").append(std::to_string(i));
        }
        std::printf("  enemies shot down: %d of %d%s%s\n", shot, total,
                    standing.empty() ? "" : ", not:", standing.c_str());
        Seen.fill(0);
        Fell.fill(0);
    }

   private:
    std::array<unsigned char, FirstBulletSlot> Seen{}, Fell{};
};

// One line of the balance table: how the pilot fared in the scene and how the scene fired at it.
void PrintBalance(const SimOptions& o, int scene, const Pilot& pilot, const SceneEnd& end, int frames,
                  const stats::SceneCounter& counter) {
    using stats::Section;
    const auto sections = counter.Figures();
    long launches = 0;
    int counted = 0;
    double noEnemy = 0, noLaunch = 0;
    for (int s = 0; s < static_cast<int>(Section::Count); ++s) {
        const stats::SectionFigures& f = sections[s];
        if (f.Frames == 0) continue;
        launches += f.Launches;
        counted += f.Frames;
        // The approach is the alarm's quiet on purpose; the boss stands on screen all its fight.
        if (s == static_cast<int>(Section::Approach)) continue;
        noLaunch = std::max(noLaunch, f.LongestWithoutLaunch);
        if (s != static_cast<int>(Section::Boss))
            noEnemy = std::max({noEnemy, f.LongestWithoutEnemy, f.FinalWithoutEnemy});
    }
    const stats::SectionFigures& boss = sections[static_cast<int>(Section::Boss)];
    const stats::BossFigures thirds = counter.Boss();
    std::printf(
        "balance: scene %d seed %lld power %d lost %d continues %d boss %s seconds %.0f launch/s %.1f "
        "boss-launch/s %.1f thirds %.1f/%.1f/%.1f final-launch/s %.1f final-bullets %.1f no-enemy %.1f "
        "no-launch %.1f\n",
        scene, o.Seed, o.Pilot.Power ? 1 : 0, pilot.ShipsLost(), pilot.ContinuesTaken(),
        end.BossShotDown   ? "down"
        : end.BossTimedOut ? "timeout"
                           : "standing",
        frames / 40.0, counted ? launches * 40.0 / counted : 0.0, boss.LaunchesPerSecond,
        thirds.ThirdLaunchesPerSecond[0], thirds.ThirdLaunchesPerSecond[1], thirds.ThirdLaunchesPerSecond[2],
        thirds.FinalLaunchesPerSecond, thirds.FinalBullets, noEnemy, noLaunch);
}

bool PicturesDiffered = false;

// The presentation's picture with nothing behind the tick is the frame's own back buffer. A refresh
// half a tick behind is drawn too: were it to change the world, the replay's next checkpoint would
// say so.
bool PictureMatchesTick() {
    static Surface refresh;
    if (refresh.Empty()) refresh.Create(ScreenWidth, ScreenHeight, 0);
    DrawPictureBetween(0.0, refresh);
    const bool same = refresh.Pixels == BackBuffer.Pixels;
    DrawPictureBetween(0.5, refresh);
    return same;
}

// Runs the frames of the run: keys from the pilot or the input file, one frame, then what the
// options ask to see of it. Returns the frames run.
int RunFrames(HeadlessGame& game, const SimOptions& o, const Script& script, ReplayPlayer* player,
              Pilot& pilot) {
    ScriptedKeys keys(script);
    const int firstScene = Scene;
    std::optional<stats::SceneCounter> counter;
    if (o.Balance) counter.emplace(firstScene);
    SceneEnd end;
    SeenEnemies seen;
    std::string error;
    int f = 1;
    for (; f <= o.Frames && !(player && player->Finished()); ++f) {
        if (o.UntilNextScene && Scene != firstScene) break;
        if (o.UsePilot) pilot.Steer(game.Platform.Input);
        keys.Apply(game, f);
        if (game.Platform.CloseRequested) {
            game.Close();
            std::printf("closed at frame %d\n", f);
            break;
        }
        if (o.Invincible) PlayerUntouchable = 1;
        const bool checked = o.CheckPictures > 0 && f % o.CheckPictures == 0;
        if (checked) BackBuffer.DropsPixels = false;
        const int sceneBefore = Scene, stageFrameBefore = StageFrame, bossDeadTime = EnemyDeadTime[BossSlot],
                  bossHP = EnemyHP[BossSlot];
        game.Frame();
        if (checked) {
            if (!PictureMatchesTick()) {
                std::printf("the picture between ticks differs from the tick's at frame %d\n", f);
                PicturesDiffered = true;
            }
            BackBuffer.DropsPixels = true;
        }
        if (Scene != sceneBefore) {
            ReportSceneChange(sceneBefore, f, stageFrameBefore, bossDeadTime, bossHP, end);
            seen.Report();
        } else {
            // The new scene's init has given the slots their hit points again.
            seen.Observe();
        }
        if (Scene == sceneBefore && counter) {
            counter->Observe(stageFrameBefore);
        }
        if (o.Trace)
            std::printf("%d %d %d %d %d %d %d %d %d\n", f, Scene, StageFrame, Score, Lives, PlayerX, PlayerY,
                        LiveBullets(), EnemyHP[BossSlot]);
        if (o.Digest) {
            uint64_t hash = 1469598103934665603ull;  // FNV-1a over the pixels
            for (uint32_t pixel : BackBuffer.Pixels) hash = (hash ^ pixel) * 1099511628211ull;
            std::printf("digest %d %016llx\n", f, static_cast<unsigned long long>(hash));
        }
        if (o.Shots.count(f) || (o.Every > 0 && f % o.Every == 0)) {
            const std::string path = o.OutDir + "/frame-" + std::to_string(f) + ".png";
            if (!SavePng(BackBuffer, path, &error)) std::fprintf(stderr, "sim: %s\n", error.c_str());
        }
    }
    if (counter) PrintBalance(o, firstScene, pilot, end, f - 1, *counter);
    return f - 1;
}

// What the run leaves behind: the pilot's summary, the recording, the replay's verdict, the audio.
int FinishRun(HeadlessGame& game, const SimOptions& o, int framesRun, const Pilot& pilot,
              ReplayRecorder& recorder, const ReplayPlayer* player) {
    if (o.UsePilot)
        std::printf("pilot: frames %d scene %d stageFrame %d score %d lives %d lost %d continues %d\n",
                    framesRun, Scene, StageFrame, Score, Lives, pilot.ShipsLost(), pilot.ContinuesTaken());
    if (!o.RecordFile.empty()) {
        if (recorder.Recording()) recorder.ProgramClosing();  // the last frame ends the game
        if (recorder.GamesRecorded() == 0) {
            std::fprintf(stderr, "sim: no game started, nothing recorded\n");
            return 1;
        }
    }
    if (PicturesDiffered && o.Verify) return 1;
    if (player) {
        if (player->Diverged()) {
            std::printf("replay differs at %s\n", player->FirstDifference().c_str());
            if (o.Verify) return 1;
        } else {
            std::printf("replay ok: %ld frames, score %d\n", player->FramesPlayed(), player->FinalScore());
        }
    }
    if (!o.WavFile.empty() && !WriteWav(o.WavFile, game.Audio)) {
        std::fprintf(stderr, "sim: %s: cannot write\n", o.WavFile.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    SimOptions o;
    o.Data = DefaultDataFolder(argv[0]);
    if (int status = 0; !ParseOptions(argc, argv, o, status)) return status;
    if (!OptionsAgree(o)) return 2;

    if (!o.LookSheet.empty()) {
        LookOptions look{.Data = o.Data, .Sheet = o.LookSheet, .Fire = o.Pilot.Fire};
        if (o.Every > 0) look.Every = o.Every;
        if (o.Frames > 0) look.Frames = o.Frames;
        try {
            return WriteLookSheet(look) ? 0 : 1;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "sim: %s\n", e.what());
            return 1;
        }
    }

    Script script;
    std::string error;
    if (!o.InputFile.empty() && !ReadScript(o.InputFile, script, error)) {
        std::fprintf(stderr, "sim: %s\n", error.c_str());
        return 2;
    }
    Replay replay;
    const bool playing = !o.ReplayFile.empty();
    if (playing && !ReadReplayFile(o.ReplayFile, replay, &error)) {
        std::fprintf(stderr, "sim: %s\n", error.c_str());
        return 1;
    }
    std::error_code made;
    std::filesystem::create_directories(o.OutDir, made);
    if (made) {
        std::fprintf(stderr, "sim: %s: cannot make the folder (%s)\n", o.OutDir.c_str(),
                     made.message().c_str());
        return 2;
    }
    try {
        // A replay is attached before start-up, as the game attaches one: it neither makes nor mends
        // the ini and save file. Any other run keeps them in a folder of its own, so what it plays
        // (scores, the cleared flag) never reaches the program folder.
        ReplayPlayer player(replay);
        std::optional<ScratchDataFolder> own;
        if (!playing) own.emplace(o.Data);
        HeadlessGame game(o.Data, {}, playing ? &player : nullptr, own ? own->Path() : std::string());
        game.KeepAudio = !o.WavFile.empty();
        MixParts parts;
        if (!o.PartsPrefix.empty()) KeepMixParts(&parts);
        // Without a screenshot nobody looks at the pictures.
        if (o.Shots.empty() && o.Every == 0 && !o.Digest && o.PresentHz == 0) game.DropPictures();
        if (o.Smooth) {
            CommandLine line;
            line.Smooth = o.Smooth;
            game.Form.UseCommandLine(line);
        }
        ReplayRecorder recorder(o.RecordFile);
        if (!playing && !o.RecordFile.empty() && !recorder.CheckAtStart(&error)) {
            std::fprintf(stderr, "sim: %s\n", error.c_str());
            return 1;
        }
        if (playing) {
            // A replay brings its own start, seed and keys.
            player.Begin();
            o.Frames = static_cast<int>(replay.Frames);
            o.StartScene = o.EnterScene = NoScene;
            o.Invincible = o.UntilNextScene = o.UsePilot = o.Balance = false;
            script = Script{};
        } else {
            if (!o.RecordFile.empty()) game.Form.AttachRecorder(&recorder);
            // The seed is set after start-up, before any scene's init draws from it; a seeded pilot
            // also weighs its moves by it.
            if (o.Seed >= 0) {
                RandomSeed = static_cast<uint32_t>(o.Seed);
                o.Pilot.Seed = o.Seed;
            }
        }
        if (o.StatsScene != NoScene) return MeasureStats(game, o);
        if (o.Frames < 0) o.Frames = 400;
        StartRequestedScene(game, o, recorder);
        o.Pilot.Untouchable = o.Invincible;
        Pilot pilot(o.Pilot);
        if (o.PresentHz > 0) {
            if (o.LatencyPresses > 0) {
                sim::MeasureLatency(game, o.PresentHz, o.LatencyPresses);
                return 0;
            }
            ScriptedKeys keys(script);
            return sim::PresentRefreshes(
                game, o.PresentHz, o.Frames,
                [&](long tick) {
                    if (o.UsePilot) pilot.Steer(game.Platform.Input);
                    keys.Apply(game, static_cast<int>(tick));
                },
                stdout);
        }
        const int framesRun = RunFrames(game, o, script, playing ? &player : nullptr, pilot);
        const int status = FinishRun(game, o, framesRun, pilot, recorder, playing ? &player : nullptr);
        KeepMixParts(nullptr);
        for (const auto& [part, samples] :
             {std::pair{"-effects.wav", &parts.Effects}, {"-music.wav", &parts.Music}}) {
            if (!o.PartsPrefix.empty() && !WriteWav(o.PartsPrefix + part, *samples)) {
                std::fprintf(stderr, "sim: %s%s: cannot write\n", o.PartsPrefix.c_str(), part);
                return 1;
            }
        }
        return status;
    } catch (const std::exception& e) {
        // A file the game cannot load (at start-up or at a scene change), named on one line.
        std::fprintf(stderr, "sim: %s\n", e.what());
        return 1;
    }
}
