#pragma once
// What the benchmarks that watch a painting program on a private X server share: the waits for
// a picture and for a still screen, the login that brings our program to its easel, and the
// time from a pointer move while painting until its pixels are on the screen. Every time is
// read back from the server, as a child would see it.
#include <chrono>
#include <cstdint>
#include <vector>

#include "tests/xserver/XSession.h"

namespace painting_on_x {

using Clock = std::chrono::steady_clock;

double millisSince(Clock::time_point start);
void pause(int ms);
// More than one colour: a drawn picture, not a bare window.
bool manyColours(const std::vector<uint32_t>& shot);
// Waits until the box shows the same picture twice a quarter-second apart; false when it
// still changes at the limit.
bool settle(XSession& x, const XSession::Box& box, int limitMs = 10000);
// Our program from its splash to a user's easel with its blank page, given its window.
bool logInToEasel(XSession& x, const XSession::Box& window);
// Presses the left button inside the window and moves in small steps over fresh paper, each
// timed from the move until the pixels around its end change on the screen; the median step
// in milliseconds, or -1 when fewer than half of the steps painted.
double pointerToPixelsMs(XSession& x, const XSession::Box& window);

}  // namespace painting_on_x
