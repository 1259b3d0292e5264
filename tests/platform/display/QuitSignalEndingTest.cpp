// The program's ending on a termination signal, in a child process: the display that takes the
// signal hands it to the ending, which keeps the work and ends the process by that signal; a
// program that never looks (stuck in a loop that pumps nothing) has the rescue it kept written
// for it and ends by the signal within its grace. A second signal waits for the work to be kept.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/display/QuitSignals.h"
#include "platform/display/SignalRescue.h"
#include "platform/display/headless/HeadlessDisplay.h"

namespace plat {
namespace {

struct Ending {
    bool killed = false;
    int signal = 0;
    bool kept = false;
};

// Runs `child` in a child process and waits at most `seconds` for its end (then kills it).
Ending runChild(const std::function<void(int keptPipe)>& child, int seconds) {
    int kept[2];
    if (pipe(kept) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(kept[0]);
        child(kept[1]);
        _exit(0);
    }
    close(kept[1]);
    const int watched = int(syscall(SYS_pidfd_open, pid, 0));
    pollfd ended{watched, POLLIN, 0};
    if (watched < 0 || poll(&ended, 1, seconds * 1000) != 1) kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    if (watched >= 0) close(watched);
    char byte = 0;
    Ending ending;
    ending.kept = read(kept[0], &byte, 1) == 1;
    close(kept[0]);
    ending.killed = WIFSIGNALED(status);
    ending.signal = ending.killed ? WTERMSIG(status) : 0;
    return ending;
}

TEST(QuitSignalEnding, KeepsTheWorkAndEndsByTheSignalOrEndsAtOnceWhenNobodyLooks) {
    struct Case {
        const char* name;
        std::vector<int> raised;
        bool pumped;
        unsigned grace;
        int endedBy;
        bool kept;
        bool rescued;
    };
    const Case cases[] = {
        {"a session's end, taken by the display", {SIGTERM}, true, 30, SIGTERM, true, false},
        {"Ctrl+C, taken by the display", {SIGINT}, true, 30, SIGINT, true, false},
        {"a closed terminal, nobody pumping: the rescue", {SIGHUP}, false, 30, SIGHUP, false, true},
        {"a second signal before anybody looked: the rescue", {SIGTERM, SIGTERM}, false, 30, SIGTERM, false, true},
        {"two signals, taken by the display", {SIGTERM, SIGTERM}, true, 30, SIGTERM, true, false},
    };
    char folder[] = "/tmp/tumblo-rescue-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string rescue = std::string(folder) + "/rescued";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A pipe left under the name a rescue writes to first is not waited on.
        ASSERT_TRUE(!c.rescued || ::mkfifo((rescue + ".writing").c_str(), 0600) == 0);
        const Ending ending = runChild(
            [&c, &rescue](int keptPipe) {
                keepSignalRescue(rescue, {'p', 'a', 'g', 'e'});
                // As from a terminal, not a script's background job (SIGINT ignored, left so).
                std::signal(c.raised.front(), SIG_DFL);
                HeadlessDisplay display;
                const QuitSignalCatcher catching;
                setQuitSignalEnding(
                    [keptPipe](int signal) {
                        const char byte = 1;
                        (void)!write(keptPipe, &byte, 1);
                        endProcessBySignal(signal);
                    },
                    c.grace);
                for (int signal : c.raised) std::raise(signal);
                if (c.pumped) display.pumpEvents();
                for (;;) pause();
            },
            10);
        EXPECT_TRUE(ending.killed);
        EXPECT_EQ(ending.signal, c.endedBy);
        EXPECT_EQ(ending.kept, c.kept);
        std::ifstream written(rescue);
        EXPECT_EQ(std::string(std::istreambuf_iterator<char>(written), {}), c.rescued ? "page" : "");
        std::filesystem::remove(rescue);
    }
    std::filesystem::remove_all(folder);
}

// Without grace (the tests' ending) a second signal changes nothing, and the ending runs once
// however often the display takes a signal; each new ending starts over.
TEST(QuitSignalEnding, RunsOnceAndLoopsSeeItRunning) {
    HeadlessDisplay display;
    const QuitSignalCatcher catching;
    std::vector<int> ended;
    setQuitSignalEnding([&](int signal) { ended.push_back(signal); }, 0);
    EXPECT_FALSE(quitSignalEnding());
    display.pumpEvents();
    EXPECT_TRUE(ended.empty()) << "no signal, no ending";
    ASSERT_EQ(std::raise(SIGHUP), 0);
    ASSERT_EQ(std::raise(SIGTERM), 0);
    display.pumpEvents();
    EXPECT_EQ(ended, std::vector<int>{SIGHUP});
    EXPECT_TRUE(quitSignalEnding());
    ASSERT_EQ(std::raise(SIGTERM), 0);
    display.pumpEvents();
    EXPECT_EQ(ended, std::vector<int>{SIGHUP});
    setQuitSignalEnding(nullptr, 0);
    EXPECT_FALSE(quitSignalEnding());
}

}  // namespace
}  // namespace plat
