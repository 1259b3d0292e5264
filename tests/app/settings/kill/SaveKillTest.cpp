// A process that saves a slide-show project and the user's "user.ini" in a loop, each save a
// whole new version, is killed with SIGKILL: first at each of the first moves of a new file
// over either (just before the move and just after it), then at random moments, many times.
// After each kill the next process checks, before saving on, that each file holds one whole
// version, the last committed or the one under way, never a mix; the saver itself checks that
// every save moves exactly one new file. Now and then the folder starts over empty, so that a
// first save is killed too. The moments come from the saver; nothing here sleeps.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "tests/engine/resources/kill/KillRunner.h"

namespace {

namespace fs = std::filesystem;
using killtest::Ending;

constexpr int kMovesKilledAt = 8;
// A fixed number of rounds, not a time budget: on a loaded machine a budget ran out before
// enough kills had landed.
constexpr int kRandomRounds = 50;
constexpr int kFreshEvery = 20;
constexpr long kLongestDelayUs = 60000;

Ending runSaver(const std::string& folder, const std::vector<std::string>& how) {
    std::vector<std::string> arguments{folder};
    arguments.insert(arguments.end(), how.begin(), how.end());
    return killtest::runChild(KILL_CHILD_PATH, arguments, folder + ".err");
}

long committed(const std::string& folder) {
    std::ifstream in(folder + "/journal");
    long version = 0;
    return in >> version ? version : 0;
}

class SaveKill : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[256];
        std::snprintf(pattern, sizeof pattern, "%s/tumblo-savekill-XXXXXX", killtest::scratchRoot().c_str());
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root_ = pattern;
        folder_ = root_ + "/machine";
    }
    void TearDown() override {
        // The folder stays for a look when a check failed.
        if (!HasFailure()) fs::remove_all(root_);
    }
    void startOver() const {
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    // One round; false when the saver was not killed as asked.
    bool killed(const std::vector<std::string>& how, const std::string& label) {
        const Ending ending = runSaver(folder_, how);
        EXPECT_TRUE(ending.killed) << label << " in " << folder_ << ", exit " << ending.exitCode << ": " << ending.errors;
        return ending.killed;
    }
    void expectWhole() {
        const Ending last = runSaver(folder_, {"check"});
        EXPECT_EQ(last.exitCode, 0) << last.errors;
    }

    std::string root_;
    std::string folder_;
};

TEST_F(SaveKill, AKillAtEachMoveLeavesTheOldVersionOrTheNew) {
    for (const char* when : {"before", "after"}) {
        startOver();
        for (int move = 1; move <= kMovesKilledAt; ++move)
            ASSERT_TRUE(killed({"move", std::to_string(move), when}, std::string("move ") + std::to_string(move) + " " + when));
        expectWhole();
        EXPECT_GE(committed(folder_), kMovesKilledAt / 2) << when;
    }
}

TEST_F(SaveKill, AKillAtARandomMomentLeavesTheOldVersionOrTheNew) {
    std::mt19937 random(std::random_device{}());
    long saves = 0;
    int rounds = 0;
    // A loaded machine starts the saver late: while no kill has yet come after a save, later
    // rounds wait up to twice, then four times as long.
    for (; rounds < kRandomRounds || (saves == 0 && rounds < 3 * kRandomRounds); ++rounds) {
        if (rounds % kFreshEvery == 0) startOver();
        const long before = committed(folder_);
        const long delay = long(random() % (kLongestDelayUs << (rounds / kRandomRounds)));
        ASSERT_TRUE(killed({"time", std::to_string(delay)}, "round " + std::to_string(rounds) + " (" +
                                                               std::to_string(delay) + " us)"));
        saves += committed(folder_) - before;
    }
    expectWhole();
    // Some kills landed while saves were under way rather than before any began; how many
    // depends on the machine's load, so one is enough to show the rounds tested something.
    EXPECT_GT(saves, 0);
    std::printf("%d kills, %ld saves\n", rounds, saves);
}

}  // namespace
