// The built program itself, run on SDL's dummy video and audio drivers in a program folder of its own:
// a signal that asks it to end (a logout, a closed terminal, the system shutting down) closes it the
// way closing the window does, with the scores saved.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/ProgramFiles.h"
#include "tests/support/ProgramFolder.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Whether `pid` has a handler of its own for `signal` (the SigCgt mask of /proc/PID/status).
bool Catches(pid_t pid, int signal) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("SigCgt:", 0) != 0) continue;
        const unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
        return (mask >> (signal - 1)) & 1;
    }
    return false;
}

// Waits for `pid` to end, at most `limit`; -1 when it did not.
int WaitFor(pid_t pid, std::chrono::milliseconds limit) {
    const auto until = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < until) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) return status;
        std::this_thread::sleep_for(5ms);
    }
    return -1;
}

using veltrano::testdata::Le32;

// Ends the program if a check left it running, so that no game outlives its test.
struct Running {
    pid_t Pid = 0;
    ~Running() {
        if (Pid > 0 && waitpid(Pid, nullptr, WNOHANG) == 0) {
            kill(Pid, SIGKILL);
            waitpid(Pid, nullptr, 0);
        }
    }
};

}  // namespace

TEST(ProgramEntry, TermAndHangUpEachCloseTheGameWithTheScoresSaved) {
    const fs::path built = fs::path(VELTRANO_PROGRAM_DIR) / "VeltranoGame2";
#ifndef VELTRANO_GAME_BUILT
    GTEST_SKIP() << "the game is not built in this configuration";
#endif
    ASSERT_TRUE(fs::exists(built)) << built;
    const fs::path folder = veltrano::testdata::MakeProgramFolder();
    // The program folder is the executable's own: a copy, not a link to the build's.
    fs::copy_file(built, folder / "VeltranoGame2");
    const std::string game = (folder / "VeltranoGame2").string();

    std::vector<std::string> settings = {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy",
                                         "HOME=" + folder.string()};
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("SDL_VIDEODRIVER=", 0) != 0 && entry.rfind("SDL_AUDIODRIVER=", 0) != 0 &&
            entry.rfind("HOME=", 0) != 0)
            settings.push_back(entry);
    }
    std::vector<char*> env;
    for (std::string& s : settings) env.push_back(s.data());
    env.push_back(nullptr);

    for (int signal : {SIGTERM, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        // A short save file: the close fills it to its 44 bytes, which shows that it was written.
        std::ofstream(folder / veltrano::SaveFileName, std::ios::binary | std::ios::trunc)
            << Le32(1) << Le32(4321);
        std::string arg0 = game;
        char* argv[] = {arg0.data(), nullptr};
        // What the game says goes to a file of the folder, not to the test's own output.
        const std::string log = (folder / "said.txt").string();
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&files, 1, 2);
        Running running;
        const int spawned = posix_spawn(&running.Pid, game.c_str(), &files, nullptr, argv, env.data());
        posix_spawn_file_actions_destroy(&files);
        ASSERT_EQ(spawned, 0);
        const pid_t pid = running.Pid;
        // The signal is sent once the program handles it; until then it would simply end it.
        const auto until = std::chrono::steady_clock::now() + 10s;
        while (!Catches(pid, signal) && std::chrono::steady_clock::now() < until &&
               waitpid(pid, nullptr, WNOHANG) == 0)
            std::this_thread::sleep_for(5ms);
        ASSERT_TRUE(Catches(pid, signal)) << "the game never took the signal over (or ended first); it said: "
                                          << veltrano::testdata::ReadFile(log);
        kill(pid, signal);
        const int status = WaitFor(pid, 10s);
        ASSERT_NE(status, -1) << "the game did not close";
        running.Pid = 0;
        EXPECT_TRUE(WIFEXITED(status)) << "ended by signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
        EXPECT_EQ(WEXITSTATUS(status), 0);
        std::string expected = Le32(1) + Le32(4321);
        for (int i = 1; i < 10; ++i) expected += Le32(0);
        EXPECT_EQ(veltrano::testdata::ReadFile(folder / veltrano::SaveFileName), expected)
            << "the game said: " << veltrano::testdata::ReadFile(log);
    }
}
