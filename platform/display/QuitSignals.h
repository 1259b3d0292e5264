#pragma once
// While a catcher lives (the program's message loop keeps one, an SDL display another),
// SIGINT, SIGTERM and SIGHUP (Ctrl+C, the session ending, a shutdown, a closed terminal) ask
// the program to end instead of killing it: a caught signal notes a quit request and makes a
// descriptor readable, which is all a signal handler may safely do. The SDL display's input
// watcher wakes the user-interface thread on that descriptor, and whichever loop pumps the
// display next (the main loop, or a modal loop under a dialog) takes the request.
//
// While the program runs it sets an ending: the display hands the taken signal to it, and it
// keeps what must not be lost and ends the process without asking anything. Without an ending
// the display delivers the request instead: the SDL display as a close of its windows, the
// headless one as the quit message itself. A signal the process ignores stays ignored; SDL's
// own catching, which only sets a flag that wakes nobody, gives way to ours. When the last
// catcher ends, the handlers the process had before come back.
#include <functional>

namespace plat {

class QuitSignalCatcher {
public:
    QuitSignalCatcher();
    ~QuitSignalCatcher();
    QuitSignalCatcher(const QuitSignalCatcher&) = delete;
    QuitSignalCatcher& operator=(const QuitSignalCatcher&) = delete;
};

// Readable while a caught signal waits to be taken; -1 when none could be made.
int quitSignalDescriptor();
// True once for the signals caught since the last call. Any thread.
bool takeQuitSignal();

// `ending` runs on the user-interface thread with the first signal's number when a display
// takes the signal; an ending that returns leaves the program running. With `graceSeconds`,
// the first signal also starts a deadline: a process still running that long after it ends at
// once as the signal's own action would end it. Signals caught meanwhile change nothing: the
// work is being kept, and ending then would cut it short. A user-interface thread that has not
// started the ending well within the grace (it waits in a call or works on) does not keep the
// work: a watcher thread then writes the rescue the program kept (SignalRescue.h) and ends the
// process as the signal would. Whichever of the two starts first writes, the other never.
// Null restores quit requests. Each call starts over: no signal counts as caught.
void setQuitSignalEnding(std::function<void(int signal)> ending, unsigned graceSeconds);
// Runs the ending for a signal just taken, once; false when no ending is set.
bool runQuitSignalEnding();
// True once an ending has started: a loop waiting for an answer stops waiting.
bool quitSignalEnding();
// Ends the process as the signal's default action does: a parent sees it ended by `signal`.
[[noreturn]] void endProcessBySignal(int signal);
// The display's connection is lost (its X server ended: a logout, a crashed session). Taken as
// a SIGHUP at once, on the thread that found it, since nothing can be shown any more and
// nothing would wake a loop for it later: the ending keeps the work within its grace and the
// process ends as by the signal; without an ending it simply ends. Returns only while an
// ending is already under way, which finishes within its own deadline.
void endForLostDisplay();

}  // namespace plat
