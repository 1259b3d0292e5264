#pragma once
// A journey: the built program used the way a person uses it, in a real window. It runs the
// test build's `tumblo4` with its content set on a private X server, in a private home, gives
// it pointer and keyboard input through the server's test extension, and answers with what a
// person could check: the window's pixels and the files in the home.
//
//     Journey j;
//     ASSERT_TRUE(j.start({.keyboard = "es"}));
//     j.click(400, 300);
//     j.type("Begoña");
//     j.key("Return");
//     ASSERT_TRUE(j.waitFor([&] { return fs::exists(j.userFolder("Begoña")); }, "the user's folder"));
//     j.keep("easel");
//
// Coordinates are the window's inside (the menu bar's first row is y 0). Every wait polls for its
// condition up to a deadline and, when it fails, keeps a screenshot and says where; a failing
// journey keeps its screenshots, the program's output and its home in its artifacts folder
// (named in the failure). A watchdog ends the program when a journey overruns its time.
#include <gtest/gtest.h>

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/journeys/Shot.h"
#include "tests/xserver/XSession.h"

class JourneyProgram;
class XvfbServer;

struct JourneyStart {
    // A folder whose contents are copied into the home before the first start (e.g. one holding
    // ".config/tumblo4/TB.ini").
    std::filesystem::path seedHome;
    // The keyboard's XKB layout: "us", "es".
    std::string keyboard = "us";
    std::vector<std::string> arguments;
    // Where the window's corner goes once it shows: away from the screen's corner, as a desktop
    // places a new window, for a mix-up of screen and window coordinates shows only there.
    int32_t windowX = 120;
    int32_t windowY = 80;
};

// How long a journey waits for what a person would see come: on a machine busy with other tests
// a sanitizer build takes its time. A wait ends as soon as what it waits for has come.
constexpr std::chrono::milliseconds kPatience = std::chrono::seconds(45);

class Journey {
public:
    explicit Journey(std::chrono::seconds watchdog = std::chrono::seconds(240));
    ~Journey();
    Journey(const Journey&) = delete;
    Journey& operator=(const Journey&) = delete;

    // Starts the program (the X server and the home are made at the first start and kept for
    // the next) and waits for its window.
    testing::AssertionResult start(const JourneyStart& how = {});
    // Ends it as a session's end does (SIGTERM); fails when it has to be killed.
    testing::AssertionResult end();
    // Waits for the program to end by itself, with exit status 0.
    testing::AssertionResult waitForExit(std::chrono::milliseconds limit = std::chrono::seconds(10));
    // The X server goes away under the program (a logout, a crashed desktop); the next start
    // makes another.
    void loseDisplay();
    // Waits for the program to end however it does: "killed by signal 1", "exit status 0";
    // "still running" at the limit.
    std::string ending(std::chrono::milliseconds limit);

    // What a person does.
    void move(int32_t x, int32_t y);
    // Moves the window's corner to a screen position and waits until the window stands there.
    testing::AssertionResult moveWindow(int32_t x, int32_t y);
    void click(int32_t x, int32_t y);
    void click(const Area& area) { click(area.centerX(), area.centerY()); }
    // Presses the button where the pointer is, or lets go of it.
    void press(bool down);
    // Presses, moves in `steps` even steps, releases.
    void drag(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY, int steps = 20);
    // Presses at the first point, moves through the others in even steps, releases at the last.
    void drag(const std::vector<std::pair<int32_t, int32_t>>& path, int stepsPerLeg = 10);
    // Key chords: "ctrl+s", "Return", "alt+f", "Escape".
    void key(const std::string& chord);
    // Text typed on the keyboard's layout (dead keys for accents the layout has no key for).
    void type(const std::string& text);

    // What a person sees.
    Shot screenshot();
    // A screenshot kept as <name>.png in the journey's artifacts folder.
    Shot keep(const std::string& name);
    uint32_t pixel(int32_t x, int32_t y) { return screenshot().pixel(x, y); }

    // Polls `condition` until it holds; fails (keeping a screenshot) at the limit or when the
    // program has ended.
    testing::AssertionResult waitFor(const std::function<bool()>& condition, const std::string& what,
                                     std::chrono::milliseconds limit = kPatience);
    // Polls `condition` for a while; fails (keeping a screenshot) the first time it does not hold.
    testing::AssertionResult holds(const std::function<bool()>& condition, const std::string& what,
                                   std::chrono::milliseconds duration = std::chrono::milliseconds(300));
    // Waits until an area differs from how it looked in `before`.
    testing::AssertionResult waitForChange(const Shot& before, const Area& area, const std::string& what,
                                           std::chrono::milliseconds limit = kPatience);
    // Waits until the window has stopped changing (the same picture over a few frames).
    testing::AssertionResult settle(std::chrono::milliseconds limit = kPatience);

    // A failure that keeps a screenshot (or, when the program has ended, says how) and names it.
    testing::AssertionResult fail(const std::string& what);

    // Where the program's files are.
    const std::filesystem::path& home() const { return home_; }
    std::filesystem::path userFolder(const std::string& name) const;
    std::filesystem::path settingsFolder() const { return home_ / ".config/tumblo4"; }
    static std::filesystem::path programFolder();
    const std::filesystem::path& artifacts() const { return artifacts_; }
    // The X server's name (":N") once started, for other programs on it.
    std::string display() const;

private:
    bool running();
    std::string programEnding();
    XSession::Box windowBox();
    void toScreen(int32_t* x, int32_t* y);
    void watch(std::chrono::seconds limit);

    std::filesystem::path artifacts_;
    std::filesystem::path home_;
    std::unique_ptr<XvfbServer> server_;
    std::unique_ptr<XSession> x_;
    std::unique_ptr<JourneyProgram> program_;
    unsigned long window_ = 0;
    int starts_ = 0;
    int failures_ = 0;
    int machineLock_ = -1;

    std::atomic<pid_t> watched_{0};
    std::atomic<bool> overrun_{false};
    std::mutex watchMutex_;
    std::condition_variable watchDone_;
    bool over_ = false;
    std::thread watchdog_;
};
