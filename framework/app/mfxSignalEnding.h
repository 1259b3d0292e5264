#pragma once
// How the running program ends on a termination signal (SIGTERM, SIGINT or SIGHUP: the
// session ending, a shutdown, Ctrl+C): whatever loop runs, a dialog's or an export's included,
// the application keeps what must not be lost (mfxApplication::OnTerminationSignal) without
// asking anything, and the process ends as the signal would have ended it. A second signal
// waits for the work to be kept; the grace time passing while the program is stuck ends it
// at once. Set while the program's loop runs; the quit questions of an ordinary quit never
// come up on this road.
#include <functional>

class mfxApplication;

// Long enough to write a page, short enough for a session manager that kills after a few.
constexpr unsigned kMfxSignalGraceSeconds = 2;

class mfxSignalEnding {
public:
    using End = std::function<void(int signal)>;
    // `end` ends the process once the work is kept (the process's own end when empty).
    explicit mfxSignalEnding(mfxApplication& application, End end = {},
                             unsigned graceSeconds = kMfxSignalGraceSeconds);
    ~mfxSignalEnding();
    mfxSignalEnding(const mfxSignalEnding&) = delete;
    mfxSignalEnding& operator=(const mfxSignalEnding&) = delete;
};
