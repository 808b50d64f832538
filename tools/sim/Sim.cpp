// sim: runs the game headless from a scripted input file and shows what happened: a per-frame trace,
// PNG screenshots of chosen frames, the mixed audio as a WAV file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/Replay.h"
#include "app/SoundBank.h"
#include "app/headless/HeadlessGame.h"
#include "engine/CentralSystem.h"
#include "platform/Display.h"
#include "platform/Mixer.h"
#include "stages/Scenes.h"
#include "stages/Stage.h"
#include "tools/pilot/Pilot.h"
#include "tools/stats/SceneStats.h"
#include "world/World.h"

using namespace veltrano;

namespace {

const char* const Usage = R"(usage: sim [options]

Runs VeltranoGame2 without window or audio device, one 25 ms frame after another.

  --data DIR         program folder with the pictures, sounds, ini and save file
                     (default: the game's folder beside this tool, ../bin)
  --frames N         frames to run (default 400)
  --input FILE       scripted input, one event per line (blank lines and # comments ignored):
                       FRAME hold KEY...   hold these keys from FRAME on (none: release all)
                       FRAME press KEY     a key-down event to the window before FRAME
                     keys: up down left right z x c space enter escape home insert delete
                           k j h l (the other direction keys) and numpad2/4/6/8
  --scene S          start a game in scene S at once, as the ship select's start does
                     (the start rule sends 13 and above to stage 1)
  --shot-type T      weapon 1..6 for --scene (default 1)
  --enter S          put the game in scene S at once and run its init, as a scene change does,
                     without music, the ship steerable in play scenes (reaches the scenes no
                     start reaches, e.g. 24, the staff roll)
  --seed N           fix the random seed after start-up (default: clock time 00:00:00.000)
  --pilot P          let the scripted pilot fly instead of --input's keys, one of:
                       park   no direction key: the ship stays where it is
                       sweep  up for 48 steps, down for 48, by the scene's clock
                       dodge  reads the bullets and enemies each frame, keeps the ship clear
                              and lines up with the boss or the nearest enemy ahead
                     the pilot holds fire unless --no-fire is given
  --no-fire          the pilot does not fire
  --power            the pilot starts with full power and both options
  --continues        the pilot takes a continue whenever the last ship is lost
  --until-next-scene stop when the scene the run started in (after --scene/--enter) is left;
                     every scene change is printed with whether the scene's boss was shot down
  --record FILE      record the game (from the ship select's start, --scene or --enter, to its
                     end or the last frame) as a replay file; --invincible cannot be recorded,
                     nor --power with a game started by --scene
  --replay FILE      play a replay file from its start to its end instead of the options above,
                     checking every checkpoint; prints "replay ok: N frames, score S" or the
                     first checkpoint that differs
  --verify           with --replay: a difference (or a bad file) ends with status 1
  --invincible       keep the ship untouchable (for looking at whole stages)
  --trace            print one line per frame: frame scene stageFrame score lives x y bullets
  --screenshot LIST  save the back buffer after these frames (comma-separated) as PNG
  --every N          also save a screenshot every N frames
  --out DIR          where screenshots go (default .)
  --wav FILE         write the mixed audio (32000 Hz stereo 16-bit) to FILE
  --stats S          measure scene S instead: enter it, play it with the pilot until it ends (at
                     most --frames frames, default here 60000) and print per section (waves,
                     approach, mid-boss, boss) launches/s, average and 95th-percentile bullets on
                     screen, enemies per minute, and the longest stretches without an enemy on
                     screen (before the section's end, and into it) and without a launch, in seconds
  --timeline N       with --stats, also print the launches/s and enemies on screen of every N
                     frames as the scene runs
                     (--stats flies the untouchable ship parked with --pilot park, else sweeping
                     and firing at full power)
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

std::string DefaultDataFolder(const char* argv0) {
    std::error_code ec;
    const auto self = std::filesystem::canonical("/proc/self/exe", ec);
    const auto base = ec ? std::filesystem::path(argv0).parent_path() : self.parent_path();
    return (base.parent_path() / "bin").string();
}

}  // namespace

int main(int argc, char** argv) {
    std::string data = DefaultDataFolder(argv[0]), inputFile, outDir = ".", wavFile, recordFile, replayFile;
    int frames = -1, startScene = -100, shotType = 1, every = 0, enterScene = -100;
    long long seed = -1;
    bool trace = false, invincible = false, usePilot = false, untilNextScene = false, verify = false;
    PilotOptions pilotOptions;
    int statsScene = -100, timelineEvery = 0;
    std::set<int> shots;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "sim: %s needs a value\n", arg.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--help") {
            std::fputs(Usage, stdout);
            return 0;
        } else if (arg == "--data")
            data = value();
        else if (arg == "--frames")
            frames = std::atoi(value().c_str());
        else if (arg == "--input")
            inputFile = value();
        else if (arg == "--scene")
            startScene = std::atoi(value().c_str());
        else if (arg == "--enter")
            enterScene = std::atoi(value().c_str());
        else if (arg == "--shot-type")
            shotType = std::atoi(value().c_str());
        else if (arg == "--seed")
            seed = std::atoll(value().c_str());
        else if (arg == "--invincible")
            invincible = true;
        else if (arg == "--pilot") {
            const std::string name = value();
            if (!ParsePilotFlight(name.c_str(), pilotOptions.Flight)) {
                std::fprintf(stderr, "sim: --pilot takes park, sweep or dodge, not '%s'\n", name.c_str());
                return 2;
            }
            usePilot = true;
        } else if (arg == "--no-fire")
            pilotOptions.Fire = false;
        else if (arg == "--power")
            pilotOptions.Power = true;
        else if (arg == "--continues")
            pilotOptions.Continue = true;
        else if (arg == "--until-next-scene")
            untilNextScene = true;
        else if (arg == "--record")
            recordFile = value();
        else if (arg == "--replay")
            replayFile = value();
        else if (arg == "--verify")
            verify = true;
        else if (arg == "--trace")
            trace = true;
        else if (arg == "--every")
            every = std::atoi(value().c_str());
        else if (arg == "--out")
            outDir = value();
        else if (arg == "--wav")
            wavFile = value();
        else if (arg == "--timeline")
            timelineEvery = std::atoi(value().c_str());
        else if (arg == "--stats")
            statsScene = std::atoi(value().c_str());
        else if (arg == "--screenshot") {
            std::stringstream list(value());
            for (std::string item; std::getline(list, item, ',');) shots.insert(std::atoi(item.c_str()));
        } else {
            std::fprintf(stderr, "sim: unknown option %s\n%s", arg.c_str(), Usage);
            return 2;
        }
    }

    Script script;
    std::string error;
    if (!inputFile.empty() && !ReadScript(inputFile, script, error)) {
        std::fprintf(stderr, "sim: %s\n", error.c_str());
        return 2;
    }
    // Untouchability is no input of the game, and the pilot's power comes after a ship select's
    // start: runs that use them could not be played back.
    if (!recordFile.empty() && (invincible || (pilotOptions.Power && startScene != -100))) {
        std::fprintf(stderr,
                     "sim: --invincible, and --power with --scene, change the game behind its inputs and "
                     "cannot be recorded\n");
        return 2;
    }
    Replay replay;
    if (!replayFile.empty() && !ReadReplayFile(replayFile, replay, &error)) {
        std::fprintf(stderr, "sim: %s\n", error.c_str());
        return 1;
    }
    std::error_code made;
    std::filesystem::create_directories(outDir, made);
    if (made) {
        std::fprintf(stderr, "sim: %s: cannot make the folder (%s)\n", outDir.c_str(),
                     made.message().c_str());
        return 2;
    }
    try {
        HeadlessGame game(data);
        game.KeepAudio = !wavFile.empty();
        // Without a screenshot nobody looks at the pictures.
        if (shots.empty() && every == 0) game.DropPictures();
        ReplayPlayer player(replay);
        ReplayRecorder recorder(recordFile);
        const bool playing = !replayFile.empty();
        if (playing) {
            game.Form.AttachPlayer(&player);
            player.Begin();
            frames = static_cast<int>(replay.Frames);
            startScene = enterScene = -100;
            invincible = untilNextScene = usePilot = false;
            script = Script{};
        } else if (!recordFile.empty()) {
            game.Form.AttachRecorder(&recorder);
        }
        if (seed >= 0 && !playing) RandomSeed = static_cast<uint32_t>(seed);
        if (statsScene != -100) {
            stats::SceneSections sections;
            if (!stats::SectionsOf(statsScene, sections)) {
                std::fprintf(stderr, "sim: scene %d has no boss fight to measure\n", statsScene);
                return 2;
            }
            const stats::Pilot pilot = usePilot && pilotOptions.Flight == PilotFlight::Park
                                           ? stats::Pilot::Park
                                           : stats::Pilot::Sweep;
            const stats::SceneRun run =
                stats::MeasureScene(game, statsScene, pilot, frames < 0 ? 60000 : frames, 1 << 30,
                                    timelineEvery > 0 ? stdout : nullptr, timelineEvery);
            stats::PrintFigures(stdout, statsScene, run);
            // A statement with a fault never runs, so the figures of a faulty script mislead.
            const SceneScript* faulty = SceneScriptOf(statsScene);
            for (const std::string& fault : faulty->Errors)
                std::fprintf(stderr, "sim: script fault: %s\n", fault.c_str());
            return faulty->Errors.empty() ? 0 : 1;
        }
        if (frames < 0) frames = 400;
        if (startScene != -100) {
            // The ship select's start, with the chosen weapon.
            EnterScene(ShipSelectScene);
            StartScene = startScene;
            ShotType = shotType;
            game.Platform.Press(Vk::Space);
            game.Frame();
            game.Platform.ReleaseAll();
        }
        if (enterScene != -100) {
            if (!recordFile.empty()) recorder.BeginEntered();
            EnterSceneDirectly(enterScene, shotType, ShotPower, Option1On == 1, Option2On == 1);
        }
        if (!usePilot && (pilotOptions.Power || pilotOptions.Continue || !pilotOptions.Fire)) {
            std::fprintf(stderr, "sim: --power, --continues and --no-fire need --pilot\n");
            return 2;
        }
        if (usePilot && !inputFile.empty()) {
            std::fprintf(stderr, "sim: --pilot and --input both choose the keys; give one of them\n");
            return 2;
        }
        pilotOptions.Untouchable = invincible;
        Pilot pilot(pilotOptions);
        const int firstScene = Scene;
        int f = 1;
        for (; f <= frames && !(playing && player.Finished()); ++f) {
            if (untilNextScene && Scene != firstScene) break;
            if (usePilot) pilot.Steer(game.Platform.Input);
            if (auto hold = script.Holds.find(f); hold != script.Holds.end()) {
                game.Platform.ReleaseAll();
                for (int key : hold->second) game.Platform.Press(key);
            }
            for (auto [from, to] = script.Presses.equal_range(f); from != to; ++from)
                game.KeyDown(from->second);
            if (game.Platform.CloseRequested) {
                game.Close();
                std::printf("closed at frame %d\n", f);
                break;
            }
            if (invincible) PlayerUntouchable = 1;
            const int sceneBefore = Scene, stageFrameBefore = StageFrame,
                      bossDeadTime = EnemyDeadTime[BossSlot], bossHP = EnemyHP[BossSlot];
            game.Frame();
            if (Scene != sceneBefore) {
                std::printf("scene %d -> %d at frame %d (StageFrame %d): ", sceneBefore, Scene, f,
                            stageFrameBefore);
                // A boss switched off by its time-out dies with hit points left.
                if (bossDeadTime > 0 && bossHP < 1)
                    std::printf("boss shot down %d frames before\n", bossDeadTime);
                else if (bossDeadTime > 0)
                    std::printf("boss switched off by its time-out %d frames before\n", bossDeadTime);
                else
                    std::printf("boss not destroyed\n");
            }
            if (trace)
                std::printf("%d %d %d %d %d %d %d %d\n", f, Scene, StageFrame, Score, Lives, PlayerX, PlayerY,
                            LiveBullets());
            if (shots.count(f) || (every > 0 && f % every == 0)) {
                const std::string path = outDir + "/frame-" + std::to_string(f) + ".png";
                if (!SavePng(BackBuffer, path, &error)) std::fprintf(stderr, "sim: %s\n", error.c_str());
            }
        }
        if (usePilot)
            std::printf("pilot: frames %d scene %d stageFrame %d score %d lives %d lost %d continues %d\n",
                        f - 1, Scene, StageFrame, Score, Lives, pilot.ShipsLost(), pilot.ContinuesTaken());
        if (!recordFile.empty()) {
            if (recorder.Recording()) recorder.ProgramClosing();  // the last frame ends the game
            if (recorder.GamesRecorded() == 0) {
                std::fprintf(stderr, "sim: no game started, nothing recorded\n");
                return 1;
            }
        }
        if (playing) {
            if (player.Diverged()) {
                std::printf("replay differs at %s\n", player.FirstDifference().c_str());
                if (verify) return 1;
            } else {
                std::printf("replay ok: %ld frames, score %d\n", player.FramesPlayed(), player.FinalScore());
            }
        }
        if (!wavFile.empty() && !WriteWav(wavFile, game.Audio)) {
            std::fprintf(stderr, "sim: %s: cannot write\n", wavFile.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        // A file the game cannot load (at start-up or at a scene change), named on one line.
        std::fprintf(stderr, "sim: %s\n", e.what());
        return 1;
    }
    return 0;
}
