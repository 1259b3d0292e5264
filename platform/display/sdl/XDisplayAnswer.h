#pragma once
// Whether the X display the environment names (DISPLAY) answers a connection in time. Xlib,
// and SDL over it, wait for ever on a server that takes a connection and never answers (a hung
// server, a stale forwarded port): the display is asked first, on a connection of its own made
// on a thread of its own, so that the wait has an end. A connection still unanswered at the
// deadline is left waiting on its thread, and the caller makes no X connection after that
// (the program cannot start). Any thread; returns within `deadline`.
#include <chrono>

namespace plat {

enum class XDisplayAnswer {
    kAnswered,  // a connection was made (and closed again)
    kRefused,   // none could be made: no server there, or one that refused it
    kSilent,    // the connection was taken and nothing came back by the deadline
};

XDisplayAnswer askXDisplay(std::chrono::milliseconds deadline);

}  // namespace plat
