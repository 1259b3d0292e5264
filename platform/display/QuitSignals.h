#pragma once
// While a catcher lives (the program's message loop keeps one, an SDL display another),
// SIGINT and SIGTERM ask the program to end through its own shut-down instead of killing it:
// a caught signal notes a quit request and makes a descriptor readable, which is all a
// signal handler may safely do. The SDL display's input watcher wakes the user-interface
// thread on that descriptor, and the display delivers the request as it pumps events: the
// SDL display as a close of its windows (the program's quit, with its save question), the
// headless one, where nobody can answer, as the quit message itself. A signal the process ignores stays ignored; SDL's own catching, which only
// sets a flag that wakes nobody, gives way to ours. When the last catcher ends, the handlers
// the process had before come back.
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

}  // namespace plat
