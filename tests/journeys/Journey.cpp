#include "tests/journeys/Journey.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>

#include "tests/journeys/JourneyProgram.h"
#include "tests/xserver/XSession.h"
#include "tests/xserver/XvfbServer.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr auto kPoll = 25ms;
constexpr auto kDragStep = 8ms;  // pacing of a hand's movement, not a wait for the program
constexpr auto kStill = 150ms;
constexpr auto kWindowLimit = 60s;
constexpr auto kEndGrace = 5s;
constexpr auto kWatchdogGrace = 30s;
constexpr size_t kLogLines = 15;

// Whether a thread of a process runs, waits for a processor or for a disk, rather than for
// something to do: input reaches the program's main thread through a thread of its own.
bool busy(pid_t pid) {
    std::error_code none;
    for (const auto& task : fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", none)) {
        std::string stat;
        std::getline(std::ifstream(task.path() / "stat"), stat);
        const size_t name = stat.rfind(')');
        if (name != std::string::npos && name + 2 < stat.size() && (stat[name + 2] == 'R' || stat[name + 2] == 'D')) return true;
    }
    return false;
}

std::string currentTestName() {
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    return test ? std::string(test->test_suite_name()) + "." + test->name() : "journey";
}

std::string lastLines(const fs::path& file) {
    std::ifstream in(file);
    std::deque<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
        if (lines.size() > kLogLines) lines.pop_front();
    }
    std::string text;
    for (const std::string& line : lines) text += "\n    " + line;
    return text;
}

}  // namespace

Journey::Journey(std::chrono::seconds watchdog)
    : artifacts_(fs::path(TUMBLO_JOURNEY_ARTIFACT_DIR) / currentTestName()), home_(artifacts_ / "home") {
    std::error_code ignored;
    fs::remove_all(artifacts_, ignored);
    fs::create_directories(artifacts_);
    watchdog_ = std::thread([this, watchdog] { watch(watchdog); });
}

Journey::~Journey() {
    {
        std::lock_guard lock(watchMutex_);
        over_ = true;
    }
    watchDone_.notify_one();
    watchdog_.join();
    const bool failed = testing::Test::HasFailure();
    if (failed && running()) keep("at-the-end");
    if (program_) program_->end(kEndGrace);
    program_.reset();
    x_.reset();
    server_.reset();
    if (failed) {
        ADD_FAILURE() << "The journey's screenshots, the program's output and its home are kept in " << artifacts_;
    } else {
        std::error_code ignored;
        fs::remove_all(home_, ignored);
    }
    if (machineLock_ >= 0) ::close(machineLock_);
}

fs::path Journey::programFolder() { return TUMBLO_JOURNEY_PROGRAM_DIR; }

fs::path Journey::userFolder(const std::string& name) const { return home_ / ".local/share/tumblo4/Users" / name; }

std::string Journey::display() const { return server_ ? server_->display() : std::string(); }

void Journey::watch(std::chrono::seconds limit) {
    std::unique_lock lock(watchMutex_);
    if (watchDone_.wait_for(lock, limit, [this] { return over_; })) return;
    overrun_ = true;
    std::fprintf(stderr, "journey: over its %lld s, the program is ended\n", static_cast<long long>(limit.count()));
    if (const pid_t pid = watched_; pid > 0) ::kill(pid, SIGKILL);
    if (watchDone_.wait_for(lock, kWatchdogGrace, [this] { return over_; })) return;
    std::fprintf(stderr, "journey: still not over %lld s later; stopping the test program\n",
                 static_cast<long long>(kWatchdogGrace.count()));
    std::abort();
}

bool Journey::running() { return program_ && program_->running(); }

testing::AssertionResult Journey::start(const JourneyStart& how) {
    if (running()) return testing::AssertionFailure() << "the program is already running";
    if (!server_) {
        // Without namespaces of their own, two programs on one machine would find each other:
        // journeys then take turns.
        if (!JourneyProgram::canIsolate() && machineLock_ < 0) {
            machineLock_ = ::open("/tmp/tumblo-journeys.lock", O_RDWR | O_CREAT | O_CLOEXEC, 0666);
            if (machineLock_ >= 0) ::flock(machineLock_, LOCK_EX);
        }
        for (const char* folder : {".config", ".local/share", ".cache", "run"}) fs::create_directories(home_ / folder);
        fs::permissions(home_ / "run", fs::perms::owner_all);
        if (!how.seedHome.empty()) fs::copy(how.seedHome, home_, fs::copy_options::recursive);
        server_ = std::make_unique<XvfbServer>();
        if (!server_->running()) return testing::AssertionFailure() << "no X server: " << server_->failure();
        x_ = std::make_unique<XSession>(server_->display());
        if (!x_->connected()) return testing::AssertionFailure() << "the X server has no test extension";
    }
    if (!x_->useLayout(how.keyboard)) return testing::AssertionFailure() << "no keyboard layout " << how.keyboard;
    const std::string log = ++starts_ == 1 ? "program.log" : "program-" + std::to_string(starts_) + ".log";
    program_ = std::make_unique<JourneyProgram>(JourneyProgramStart{
        programFolder().string(), home_.string(), server_->display(), (artifacts_ / log).string(), how.arguments});
    watched_ = program_->pid();
    window_ = 0;
    testing::AssertionResult shown = waitFor(
        [&] {
            window_ = x_->windowOfProcess(program_->pid());
            return window_ != 0;
        },
        "the program's window", kWindowLimit);
    if (!shown) return shown;
    x_->focus(window_);
    return moveWindow(how.windowX, how.windowY);
}

testing::AssertionResult Journey::moveWindow(int32_t x, int32_t y) {
    if (!x_ || !window_) return testing::AssertionFailure() << "no window to move";
    // XMoveWindow on the top-level window, as a desktop places a new one.
    x_->moveWindow(window_, x, y);
    return waitFor(
        [&] {
            const XSession::Box box = windowBox();
            return box.x == x && box.y == y;
        },
        "the window at its place", kWindowLimit);
}

testing::AssertionResult Journey::end() {
    if (!program_) return testing::AssertionFailure() << "the program was never started";
    if (!program_->end(kEndGrace))
        return testing::AssertionFailure() << "the program did not end within " << kEndGrace.count() << " s of SIGTERM";
    return testing::AssertionSuccess();
}

testing::AssertionResult Journey::waitForExit(std::chrono::milliseconds limit) {
    if (!program_) return testing::AssertionFailure() << "the program was never started";
    if (!program_->waitForExit(limit)) return fail("the program did not end by itself");
    const std::string status = program_->status();
    if (status != "exit status 0") return testing::AssertionFailure() << "the program ended with " << programEnding();
    return testing::AssertionSuccess();
}

void Journey::loseDisplay() {
    x_.reset();
    server_.reset();
}

std::string Journey::ending(std::chrono::milliseconds limit) {
    if (!program_) return "not started";
    program_->waitForExit(limit);
    return program_->status();
}

XSession::Box Journey::windowBox() {
    if (!x_ || !program_) return {};
    XSession::Box box = x_->windowBox(window_);
    if (box.width > 0) return box;
    // The display library may make the window again (for another kind of drawing) after the
    // first has been seen: the program's window is whichever it shows now.
    window_ = x_->windowOfProcess(program_->pid());
    if (window_) x_->focus(window_);
    return x_->windowBox(window_);
}

void Journey::toScreen(int32_t* x, int32_t* y) {
    const XSession::Box box = windowBox();
    *x += box.x;
    *y += box.y;
}

void Journey::move(int32_t x, int32_t y) {
    if (!x_) return;
    toScreen(&x, &y);
    x_->moveTo(x, y);
}

void Journey::click(int32_t x, int32_t y) {
    if (!x_) return;
    move(x, y);
    x_->button(1, true);
    x_->button(1, false);
}

void Journey::press(bool down) {
    if (x_) x_->button(1, down);
}

void Journey::drag(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY, int steps) {
    drag({{fromX, fromY}, {toX, toY}}, steps);
}

void Journey::drag(const std::vector<std::pair<int32_t, int32_t>>& path, int stepsPerLeg) {
    if (!x_ || path.empty()) return;
    move(path.front().first, path.front().second);
    x_->button(1, true);
    for (size_t leg = 1; leg < path.size(); ++leg) {
        const auto [fromX, fromY] = path[leg - 1];
        const auto [toX, toY] = path[leg];
        for (int i = 1; i <= stepsPerLeg; ++i) {
            std::this_thread::sleep_for(kDragStep);
            move(fromX + (toX - fromX) * i / stepsPerLeg, fromY + (toY - fromY) * i / stepsPerLeg);
        }
    }
    x_->button(1, false);
}

void Journey::key(const std::string& chord) {
    if (x_ && !x_->pressChord(chord)) ADD_FAILURE() << "the keyboard has no key for " << chord;
}

void Journey::type(const std::string& text) {
    if (x_ && !x_->typeText(text)) ADD_FAILURE() << "\"" << text << "\" cannot be typed on this keyboard";
}

Shot Journey::screenshot() {
    const XSession::Box box = windowBox();
    if (box.width <= 0) return {};
    return Shot(box.width, box.height, x_->capture(box));
}

Shot Journey::keep(const std::string& name) {
    Shot shot = screenshot();
    shot.savePng((artifacts_ / (name + ".png")).string());
    return shot;
}

std::string Journey::programEnding() {
    if (!program_) return "the program was never started";
    std::string text = program_->status();
    if (overrun_) text += " (the watchdog ended it)";
    for (const auto& entry : fs::directory_iterator(artifacts_))
        if (entry.path().extension() == ".log") text += "; the last lines of " + entry.path().string() + ":" + lastLines(entry.path());
    return text;
}

testing::AssertionResult Journey::fail(const std::string& what) {
    testing::AssertionResult result = testing::AssertionFailure() << what;
    if (running()) {
        const fs::path shot = artifacts_ / ("failure-" + std::to_string(++failures_) + ".png");
        if (keep(shot.stem().string()).empty())
            result << " (no screenshot: the window is gone)";
        else
            result << "; screenshot kept: " << shot.string();
    } else {
        result << "; the program has ended: " << programEnding();
    }
    return result;
}

testing::AssertionResult Journey::waitFor(const std::function<bool()>& condition, const std::string& what,
                                          std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (condition()) return testing::AssertionSuccess();
        if (!running()) return fail("waiting for " + what);
        if (std::chrono::steady_clock::now() >= deadline)
            return fail(what + ": not within " + std::to_string(limit.count()) + " ms");
        std::this_thread::sleep_for(kPoll);
    }
}

testing::AssertionResult Journey::holds(const std::function<bool()>& condition, const std::string& what,
                                        std::chrono::milliseconds duration) {
    const auto end = std::chrono::steady_clock::now() + duration;
    for (;;) {
        if (!condition()) return fail(what + ": no longer so");
        if (std::chrono::steady_clock::now() >= end) return testing::AssertionSuccess();
        std::this_thread::sleep_for(kPoll);
    }
}

testing::AssertionResult Journey::waitForChange(const Shot& before, const Area& area, const std::string& what,
                                                std::chrono::milliseconds limit) {
    return waitFor([&] { return screenshot().differences(before, area) > 0; }, what, limit);
}

testing::AssertionResult Journey::settle(std::chrono::milliseconds limit) {
    Shot last = screenshot();
    auto stillSince = std::chrono::steady_clock::now();
    return waitFor(
        [&] {
            Shot now = screenshot();
            const auto at = std::chrono::steady_clock::now();
            if (now.empty() || now.differences(last, now.whole()) != 0) {
                last = std::move(now);
                stillSince = at;
                return false;
            }
            // A loaded machine can hold the program or the server still for a while halfway
            // through the input given: still means both wait for something to do.
            return at - stillSince >= kStill && !busy(watched_) && !busy(server_ ? server_->pid() : -1);
        },
        "the window to stop changing and the program to wait", limit);
}
