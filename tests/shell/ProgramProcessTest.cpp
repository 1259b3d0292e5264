// The program itself, started headless as a desktop starts it, each run in a home folder of its
// own: a termination signal ends it by that signal within its grace; a second start of the same
// user, and one by another user of the machine, is told the
// program runs and ends with 1 (the other refused starts and their codes are the startup
// refusal tests'). As the superuser each run gets a lock folder of its own (a mount namespace,
// as the session tool gives it), and a run acts as another user through setpriv.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "tests/xserver/XSession.h"
#include "tests/xserver/XvfbServer.h"

namespace {

namespace fs = std::filesystem;

constexpr int kNobody = 65534;
constexpr char kNoDisplay[] = "(none)";  // a start with no display set and headless not asked for

struct Ended {
    bool exited = false;
    int code = -1;    // the exit status when it exited, else the signal
    bool inTime = false;
    std::string told;  // what it wrote on standard error
};

class Program {
public:
    // `as` is the user to run as (the superuser may choose); `locks` the machine-wide lock folder
    // the runs share; `display` the X server to show on (none: headless; kNoDisplay: neither).
    Program(const std::string& home, const std::string& locks, uid_t as = ::geteuid(), const std::string& display = "", const std::string& program = TUMBLO_TEST_PROGRAM_DIR "/tumblo4") {
        int err[2];
        if (::pipe2(err, O_CLOEXEC) != 0) return;
        std::vector<std::string> argv;
        if (::geteuid() == 0) {
            argv = {"unshare", "-m", "sh", "-c", "mkdir -p /tmp/tumblo-locks && mount --bind \"$1\" /tmp/tumblo-locks && shift && exec \"$@\"",
                    "sh", locks};
            if (as != ::geteuid())
                argv.insert(argv.end(), {"setpriv", "--reuid=" + std::to_string(as), "--regid=" + std::to_string(as),
                                         "--clear-groups"});
        }
        argv.push_back(program);
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(err[1], 2);
            const std::vector<std::pair<const char*, std::string>> env = {
                {"HOME", home},
                {"XDG_CONFIG_HOME", home + "/.config"},
                {"XDG_DATA_HOME", home + "/.local/share"},
                {"XDG_RUNTIME_DIR", home + "/run"},
                {display.empty() ? "TUMBLO_HEADLESS" : "DISPLAY", display.empty() ? "1" : display == kNoDisplay ? "" : display},
                {"ASAN_OPTIONS", "detect_leaks=0"}};
            for (const auto& [name, value] : env) ::setenv(name, value.c_str(), 1);
            if (!display.empty()) ::unsetenv("TUMBLO_HEADLESS"), ::unsetenv("SDL_VIDEODRIVER"), ::unsetenv("WAYLAND_DISPLAY");  // the tests' own
            std::vector<char*> args;
            for (std::string& a : argv) args.push_back(a.data());
            args.push_back(nullptr);
            ::execvp(args[0], args.data());
            ::_exit(127);
        }
        ::close(err[1]);
        err_ = err[0];
        ::fcntl(err_, F_SETFL, O_NONBLOCK);  // a child it left behind may hold the pipe
        watch_ = int(::syscall(SYS_pidfd_open, pid_, 0));
    }
    ~Program() {
        if (pid_ > 0 && !reaped_) {
            ::kill(pid_, SIGKILL);
            end(10);
        }
        if (err_ >= 0) ::close(err_);
        if (watch_ >= 0) ::close(watch_);
    }
    void signal(int number) const { ::kill(pid_, number); }
    // Waits at most `seconds` for its end, then ends it.
    Ended end(int seconds) {
        Ended ended;
        pollfd gone{watch_, POLLIN, 0};
        ended.inTime = watch_ >= 0 && ::poll(&gone, 1, seconds * 1000) == 1;
        if (!ended.inTime) ::kill(pid_, SIGKILL);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        reaped_ = true;
        ended.exited = WIFEXITED(status);
        ended.code = ended.exited ? WEXITSTATUS(status) : WTERMSIG(status);
        char buffer[4096];
        ssize_t n;
        while ((n = ::read(err_, buffer, sizeof buffer)) > 0) ended.told.append(buffer, size_t(n));
        return ended;
    }

private:
    pid_t pid_ = -1;
    int err_ = -1;
    int watch_ = -1;
    bool reaped_ = false;
};

bool within(int seconds, const std::function<bool()>& condition) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!condition() && std::chrono::steady_clock::now() < until) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return condition();
}

class ProgramProcess : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tumblo-process-XXXXXX";
        root_ = ::mkdtemp(pattern);
        fs::permissions(root_, fs::perms::all);
        fs::create_directories(root_ + "/locks");
        fs::permissions(root_ + "/locks", fs::perms::all | fs::perms::sticky_bit);
    }
    void TearDown() override { fs::remove_all(root_); }

    // A home folder for one user, its settings folder made, owned by `owner`.
    std::string home(const std::string& name, uid_t owner = ::geteuid()) const {
        const std::string folder = root_ + "/" + name;
        for (const char* sub : {"/.config/tumblo4", "/.local/share", "/run"}) fs::create_directories(folder + sub);
        fs::permissions(folder + "/run", fs::perms::owner_all);
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder))
            if (::chown(entry.path().c_str(), owner, owner) != 0) ADD_FAILURE() << entry.path();
        if (::chown(folder.c_str(), owner, owner) != 0) ADD_FAILURE() << folder;
        return folder;
    }
    // Waits (at most 20 s) for the program to be up: it has made the user's writable settings.
    static bool startedUp(const std::string& home) {
        const int notes = ::inotify_init1(IN_CLOEXEC);
        const std::string settings = home + "/.config/tumblo4";
        ::inotify_add_watch(notes, settings.c_str(), IN_MOVED_TO | IN_CREATE);
        bool up = fs::exists(settings + "/TB.ini");
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!up && std::chrono::steady_clock::now() < until) {
            pollfd note{notes, POLLIN, 0};
            if (::poll(&note, 1, 1000) == 1) {
                char events[4096];
                (void)!::read(notes, events, sizeof events);
            }
            up = fs::exists(settings + "/TB.ini");
        }
        ::close(notes);
        return up;
    }

    std::string root_;
};

TEST_F(ProgramProcess, OneCopyPerUserAndTheFirstRunsUntilASignalEndsIt) {
    const std::string me = home("first");
    Program first(me, root_ + "/locks");
    ASSERT_TRUE(startedUp(me));
    Program again(me, root_ + "/locks");
    Ended second = again.end(20);
    EXPECT_TRUE(second.inTime);
    EXPECT_TRUE(second.exited);
    EXPECT_NE(second.code == 1 ? second.told.find("Tumblo is already running.") : std::string::npos, std::string::npos) << second.told;
    if (::geteuid() == 0) {
        Program other(home("other", kNobody), root_ + "/locks", kNobody);
        const Ended refused = other.end(20);
        EXPECT_TRUE(refused.exited);
        EXPECT_EQ(refused.code, 1);
        EXPECT_NE(refused.told.find("Tumblo is already running."), std::string::npos) << refused.told;
    }
    // A termination signal ends it by that signal within its grace (each signal the catcher
    // takes is the quit signal tests').
    const auto sent = std::chrono::steady_clock::now();
    first.signal(SIGTERM);
    const Ended ended = first.end(10);
    EXPECT_LT(std::chrono::steady_clock::now() - sent, std::chrono::seconds(3));
    EXPECT_FALSE(ended.exited) << "it ran on until the signal: " << ended.told;
    EXPECT_EQ(ended.code, SIGTERM);
}

// A start ended under its message takes box and start-up lock along; one kept from that lock says so, ends.
TEST_F(ProgramProcess, AStartEndedUnderItsMessageFreesTheStartLockAndOneThatCannotHaveItSaysSo) {
    const XvfbServer server;
    const XSession x(server.display());
    ASSERT_TRUE(x.connected()) << server.failure();
    const std::string me = home("first");
    Program first(me, root_ + "/locks", ::geteuid(), server.display());
    ASSERT_TRUE(startedUp(me) && within(30, [&] { return x.shownWindows() == 1; }));
    Program telling(me, root_ + "/locks", ::geteuid(), server.display());
    ASSERT_TRUE(within(30, [&] { return x.shownWindows() == 2; })) << "the message box";
    telling.signal(SIGTERM);
    const Ended ended = telling.end(10);
    EXPECT_EQ(ended.code, SIGTERM) << ended.told;
    EXPECT_TRUE(within(5, [&] { return x.shownWindows() == 1; })) << "the box went with its start";
    const std::string locks = ::geteuid() == 0 ? root_ + "/locks" : "/tmp/tumblo-locks";
    const int init = ::open((locks + "/Global-GmfxApplication||init.lock").c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_EQ(::flock(init, LOCK_EX | LOCK_NB), 0) << "a child of the ended start holds the start-up's lock";
    if (::geteuid() == 0) {  // the lock folder is then the test's own, for a start to wait on
        first.signal(SIGTERM), first.end(20);
        const Ended waiting = Program(home("waiting"), locks).end(60);
        EXPECT_TRUE(waiting.inTime && waiting.exited && waiting.code == 1 && waiting.told.find("Tumblo is already running.") != std::string::npos) << waiting.told;
    }
    ::close(init);
}

// Started where no display lets it open a window (none is set, or no server answers for it),
// it says so and ends with 1 rather than run unseen.
TEST_F(ProgramProcess, AStartWithoutADisplaySaysWhyAndEnds) {
    const int silent = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in at{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
    socklen_t size = sizeof at;
    ASSERT_TRUE(::bind(silent, reinterpret_cast<sockaddr*>(&at), size) == 0 && ::listen(silent, 4) == 0 && ::getsockname(silent, reinterpret_cast<sockaddr*>(&at), &size) == 0);
    const std::string quiet = "127.0.0.1:" + std::to_string(ntohs(at.sin_port) - 6000);  // an ephemeral port, above X's 6000
    for (const auto& [display, told] : {std::pair<std::string, std::string>{kNoDisplay, "no display to show its window on"},
                                        {":2718", "\":2718\" did not let it open a window"},
                                        {quiet, "\"" + quiet + "\" did not answer"}}) {
        const Ended ended = Program(home("first"), root_ + "/locks", ::geteuid(), display).end(20);
        EXPECT_TRUE(ended.inTime && ended.exited && ended.code == 1 && ended.told.find(told) != std::string::npos) << ended.told;
    }
    ::close(silent);
}

TEST_F(ProgramProcess, ASecondStartWhoseDisplayGoesUnderItsMessageEnds) {
    std::optional<XvfbServer> server(std::in_place);
    const std::string me = home("first"), display = server->display();
    Program first(me, root_ + "/locks", ::geteuid(), display);
    ASSERT_TRUE(startedUp(me)) << server->failure();
    Program telling(me, root_ + "/locks", ::geteuid(), display);
    ASSERT_TRUE(within(60, [&] { return XSession(display).shownWindows() == 2; })) << "the window and the message box";
    server.reset();
    const Ended ended = telling.end(20);
    EXPECT_TRUE(ended.inTime && ended.exited && ended.code == 1) << ended.told;
}

// A program folder without its table of contents ends the start with 1, naming the missing file.
TEST_F(ProgramProcess, AStartWithoutItsTableOfContentsNamesItAndEnds) {
    const std::string folder = root_ + "/program";
    fs::copy(TUMBLO_TEST_PROGRAM_DIR, folder);  // its files, not its folders
    fs::remove(folder + "/TB.ini");
    const Ended ended = Program(home("first"), root_ + "/locks", ::geteuid(), "", folder + "/tumblo4").end(20);
    EXPECT_TRUE(ended.inTime && ended.exited && ended.code == 1 && ended.told.find(folder + "/TB.ini\" is missing") != std::string::npos) << ended.told;
}

// What is planted under the lock names (a pipe is not waited on), and a lock folder of the user's
// that others may look into, are refused: the start names it, says what is wrong and ends; a
// file linked there keeps its mode. A shared lock folder of another user is not trusted either.
TEST_F(ProgramProcess, AStartAmongPlantedPipesFoldersLinksOrInAnotherUsersLockFolderNamesItAndEnds) {
    const bool root = ::geteuid() == 0;
    enum Where { kLockNames, kSharedLockNames, kLockFolder };  // the shared names only where a test may plant there
    const std::vector<std::tuple<const char*, Where, std::function<int(const std::string&, const std::string&)>, const char*>> plantings = {
        {"pipe", kLockNames, [](const std::string& at, const std::string&) { return ::mkfifo(at.c_str(), 0666); }, "a pipe or a device"},
        {"folder", kLockNames, [](const std::string& at, const std::string&) { return ::mkdir(at.c_str(), 0700); }, "there is a folder at"},
        {"link", kSharedLockNames, [](const std::string& at, const std::string& secret) { return ::link(secret.c_str(), at.c_str()); },
         "a link to another file"},
        {"open", kLockFolder, [](const std::string& at, const std::string&) { return ::chmod(at.c_str(), 0755); }, "can look into"},
    };
    for (const auto& [what, where, plant, told] : plantings) {
        SCOPED_TRACE(what);
        const std::string me = home(what);
        const std::string own = me + "/run/tumblo-locks", secret = me + "/secret";
        fs::create_directories(own);
        fs::permissions(own, fs::perms::owner_all);
        ::close(::open(secret.c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600));
        std::vector<std::string> places = {own};
        if (where != kLockFolder) places = {own + "/Local-TUMBLO4.lock", own + "/mfxApplication||init.lock"};
        if (root && where == kSharedLockNames) places.clear();
        if (root && where != kLockFolder)
            for (const char* name : {"/Global-GTUMBLO4.lock", "/Global-GmfxApplication||init.lock"}) places.push_back(root_ + "/locks" + name);
        for (const std::string& place : places) ASSERT_EQ(plant(place, secret), 0) << place;
        const Ended ended = Program(me, root_ + "/locks").end(30);
        std::string named = places[0];  // the shared folder as the program sees it
        if (named.starts_with(root_ + "/locks/")) named.replace(0, root_.size() + 6, "/tmp/tumblo-locks");
        EXPECT_TRUE(ended.inTime && ended.exited && ended.code == 1 && ended.told.find("\"" + named + "\"") != std::string::npos &&
                    ended.told.find(told) != std::string::npos) << ended.told;
        EXPECT_EQ(fs::status(secret).permissions(), fs::perms::owner_read | fs::perms::owner_write) << "the file linked to";
        std::error_code kept;
        for (const std::string& place : places) fs::remove(place, kept);
    }
    if (!root) return;  // only the superuser can give a folder away
    ASSERT_EQ(::chown((root_ + "/locks").c_str(), kNobody, kNobody), 0);
    fs::permissions(root_ + "/locks", fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    const Ended refused = Program(home("first"), root_ + "/locks").end(30);
    EXPECT_TRUE(refused.inTime && refused.exited && refused.code == 1 &&
                refused.told.find("\"/tmp/tumblo-locks\"") != std::string::npos) << refused.told;
}

}  // namespace
