// A process that edits an archive and a profile in a loop is killed with SIGKILL at random
// moments, a few hundred times. After each kill the next process checks, before editing on,
// that the archive opens, holds exactly what its journal says was committed (or what the
// commit under way was committing), that the profile agrees, and that no stale replacement
// stayed beside either. Now and then the folder starts over empty, so that creating the
// archive is killed too. The moments come from a timer in the editor; nothing here sleeps.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "tests/engine/resources/kill/KillJournal.h"
#include "tests/engine/resources/kill/KillRunner.h"

namespace {

namespace fs = std::filesystem;
using killtest::Ending;
using killtest::scratchRoot;

// A fixed number of rounds, not a time budget: on a loaded machine a budget ran out before
// enough kills had landed.
constexpr int kRounds = 200;
constexpr int kFreshEvery = 20;
constexpr long kLongestDelayUs = 60000;

// Runs the editor on the folder.
Ending runEditor(const std::string& folder, unsigned seed, long delayUs) {
    return killtest::runChild(KILL_CHILD_PATH, {folder, std::to_string(seed), std::to_string(delayUs)}, folder + ".err");
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
    long commits = 0;
    int rounds = 0;
    for (; rounds < kRounds; ++rounds) {
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
    // The kills landed while edits were under way rather than before any began. A slow
    // machine starts the editor late within its delay, so fewer commits land: a quarter is
    // still proof.
    EXPECT_GE(commits, rounds / 4);
    std::printf("%d kills, %ld commits\n", rounds, commits);
    fs::remove_all(root);
}

}  // namespace
