#include "bench/shell/PaintingOnX.h"

#include <algorithm>
#include <thread>

namespace painting_on_x {

namespace {

constexpr uint32_t kPaper = 0xF8F8F8;
// The easel's canvas and the login's name field in the window, below the menu band.
constexpr int kMenuBand = 20;
constexpr XSession::Box kCanvas{104, kMenuBand + 14, 592, 444};
constexpr XSession::Box kNameField{240, kMenuBand + 210, 320, 20};

XSession::Box inside(const XSession::Box& window, const XSession::Box& part) {
    return {window.x + part.x, window.y + part.y, part.width, part.height};
}

// Mostly paper: at least `share` (in tenths) of the box.
bool paper(XSession& x, const XSession::Box& box, long tenths) {
    const std::vector<uint32_t> shot = x.capture(box);
    return !shot.empty() && std::count(shot.begin(), shot.end(), kPaper) * 10 > long(shot.size()) * tenths;
}

bool waitUntil(int limitMs, const auto& done) {
    for (const auto start = Clock::now(); !done(); pause(50))
        if (millisSince(start) > limitMs) return false;
    return true;
}

}  // namespace

double millisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

bool manyColours(const std::vector<uint32_t>& shot) {
    return std::any_of(shot.begin(), shot.end(), [&](uint32_t p) { return p != shot.front(); });
}

bool settle(XSession& x, const XSession::Box& box, int limitMs) {
    const auto start = Clock::now();
    std::vector<uint32_t> last = x.capture(box);
    while (millisSince(start) < limitMs) {
        pause(250);
        std::vector<uint32_t> now = x.capture(box);
        if (now == last) return true;
        last = std::move(now);
    }
    return false;
}

bool logInToEasel(XSession& x, const XSession::Box& window) {
    if (!settle(x, window)) return false;
    x.moveTo(window.x + window.width / 2, window.y + window.height / 2);
    x.button(1, true);
    x.button(1, false);
    if (!waitUntil(10000, [&] { return paper(x, inside(window, kNameField), 8); })) return false;
    if (!settle(x, window) || !x.typeText("Bench") || !x.pressChord("Return")) return false;
    return waitUntil(20000, [&] { return paper(x, inside(window, kCanvas), 9); }) && settle(x, window);
}

double pointerToPixelsMs(XSession& x, const XSession::Box& window) {
    constexpr int kSteps = 40, kProbe = 6;
    int px = window.x + 200, py = window.y + 150;
    x.moveTo(px, py);
    x.button(1, true);
    pause(100);
    std::vector<double> steps;
    for (int i = 0; i < kSteps; ++i) {
        px += 6;
        py += 3;
        const XSession::Box probe{px - kProbe, py - kProbe, 2 * kProbe + 1, 2 * kProbe + 1};
        const std::vector<uint32_t> before = x.capture(probe);
        const auto start = Clock::now();
        x.moveTo(px, py);
        double took = -1;
        while (took < 0 && millisSince(start) < 1000)
            if (x.capture(probe) != before) took = millisSince(start);
        if (took >= 0) steps.push_back(took);
        // The step's last pixels land before the next move.
        pause(30);
    }
    x.button(1, false);
    if (steps.size() < kSteps / 2) return -1;
    std::nth_element(steps.begin(), steps.begin() + long(steps.size() / 2), steps.end());
    return steps[steps.size() / 2];
}

}  // namespace painting_on_x
