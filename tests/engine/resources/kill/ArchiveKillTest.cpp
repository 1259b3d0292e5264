// A process that edits an archive and a profile in a loop is killed with SIGKILL at random
// moments, a few hundred times. After each kill the next process checks, before editing on,
// that the archive opens, holds exactly what its journal says was committed (or what the
// commit under way was committing), that the profile agrees, and that no stale replacement
// stayed beside either. Now and then the folder starts over empty, so that creating the
// archive is killed too. The moments come from a timer in the editor; nothing here sleeps.
#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "tests/engine/resources/kill/KillJournal.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRounds = 300;
constexpr auto kTimeBudget = std::chrono::seconds(60);
constexpr int kFreshEvery = 20;
constexpr long kLongestDelayUs = 60000;
constexpr int kWatchdogMs = 20000;

struct Ending {
    bool killed = false;
    int exitCode = -1;
    std::string errors;
};

std::string scratchRoot() { return fs::exists("/dev/shm") ? "/dev/shm" : fs::temp_directory_path().string(); }

// Runs the editor on the folder; a child that outlives the watchdog is killed and reported.
Ending runEditor(const std::string& folder, unsigned seed, long delayUs) {
    const std::string errors = folder + ".err";
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::freopen(errors.c_str(), "w", stderr);
        const std::string seedText = std::to_string(seed);
        const std::string delayText = std::to_string(delayUs);
        ::execl(KILL_CHILD_PATH, KILL_CHILD_PATH, folder.c_str(), seedText.c_str(), delayText.c_str(), nullptr);
        std::_Exit(127);
    }
    Ending ending;
    if (pid < 0) return ending;
    const int watch = int(::syscall(SYS_pidfd_open, pid, 0));
    pollfd ready{watch, POLLIN, 0};
    if (watch < 0 || ::poll(&ready, 1, kWatchdogMs) != 1) {
        ::kill(pid, SIGKILL);
        ending.errors = "the editor hung";
    }
    if (watch >= 0) ::close(watch);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ending.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    ending.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errors);
    ending.errors += std::string(std::istreambuf_iterator<char>(in), {});
    return ending;
}

void startOver(const std::string& folder) {
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder + "/settings.ini", std::ios::binary) << "[Kill]\r\nCount=0\r\n";
}

long committedCount(const std::string& folder) {
    killtest::Journal journal;
    return killtest::readJournal(folder + "/journal", &journal) ? journal.committed.counter : 0;
}

TEST(ArchiveKill, EveryKillLeavesWhatWasCommitted) {
    char pattern[256];
    std::snprintf(pattern, sizeof pattern, "%s/tumblo-kill-XXXXXX", scratchRoot().c_str());
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    const std::string folder = root + "/disc";
    std::mt19937 random(std::random_device{}());
    const auto start = std::chrono::steady_clock::now();
    long commits = 0;
    int rounds = 0;
    for (; rounds < kRounds && std::chrono::steady_clock::now() - start < kTimeBudget; ++rounds) {
        if (rounds % kFreshEvery == 0) startOver(folder);
        const long before = committedCount(folder);
        const long delay = long(random() % kLongestDelayUs);
        const unsigned seed = unsigned(random());
        const Ending ending = runEditor(folder, seed, delay);
        // The folder stays for a look when this fails.
        ASSERT_TRUE(ending.killed) << "round " << rounds << " (seed " << seed << ", " << delay << " us) in " << folder
                                   << ", exit " << ending.exitCode << ": " << ending.errors;
        commits += committedCount(folder) - before;
    }
    const Ending last = runEditor(folder, 0, -1);
    EXPECT_EQ(last.exitCode, 0) << last.errors;
    // Enough kills, landing while edits were under way rather than before any began.
    EXPECT_GE(rounds, 200);
    EXPECT_GE(commits, rounds / 2);
    std::printf("%d kills, %ld commits\n", rounds, commits);
    fs::remove_all(root);
}

}  // namespace
