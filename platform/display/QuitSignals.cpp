#include "platform/display/QuitSignals.h"

#include <fcntl.h>
#include <pthread.h>
#include <semaphore.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <mutex>
#include <thread>

#include "platform/display/SignalRescue.h"

namespace plat {
namespace {

static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");

constexpr int kQuitSignals[] = {SIGINT, SIGTERM, SIGHUP};

std::atomic<bool> pending{false};
std::atomic<int> writeEnd{-1};
// The first signal caught since the ending was set; 0 before.
std::atomic<int> firstSignal{0};
std::atomic<unsigned> graceSeconds{0};
std::atomic<bool> endingStarted{false};
static_assert(std::atomic<int>::is_always_lock_free && std::atomic<unsigned>::is_always_lock_free);

// Async-signal-safe throughout: a handler ends the process through it.
[[noreturn]] void endBy(int signal) {
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    sigemptyset(&byDefault.sa_mask);
    sigaction(signal, &byDefault, nullptr);
    // Inside its own handler the signal is blocked, and raising it would wait for the return.
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    raise(signal);
    _exit(128 + signal);
}

void onDeadline(int) { endBy(firstSignal.load()); }

void startDeadline(unsigned seconds) {
    struct sigaction deadline {};
    deadline.sa_handler = onDeadline;
    sigemptyset(&deadline.sa_mask);
    sigaction(SIGALRM, &deadline, nullptr);
    alarm(seconds);
}

// Posted (async-signal-safe) by the first signal an ending takes: wakes the watcher.
sem_t& watcherWake() {
    static sem_t wake;
    static const bool made = sem_init(&wake, 0, 0) == 0;
    (void)made;
    return wake;
}

void onQuitSignal(int signal) {
    const int saved = errno;
    int earlier = 0;
    // Only the first signal starts the ending. A later one (Ctrl+C pressed twice, a logout that
    // sends two) finds the page being written by whoever took the first (the user-interface
    // thread's ending or the watcher), or about to be: ending now would cut that write short.
    // The first one's deadline still ends a process that never finishes.
    const bool first = firstSignal.compare_exchange_strong(earlier, signal);
    if (const unsigned seconds = graceSeconds.load(); first && seconds > 0) {
        startDeadline(seconds);
        sem_post(&watcherWake());
    }
    pending.store(true);
    const char one = 1;
    // A full pipe already wakes the watcher: a byte that does not fit loses nothing.
    if (int fd = writeEnd.load(); fd >= 0) (void)!write(fd, &one, 1);
    errno = saved;
}

// The pipe lives as long as the process, so that a handler never writes to a closed end.
int readEnd() {
    static const int fd = [] {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return -1;
        writeEnd.store(ends[1]);
        return ends[0];
    }();
    return fd;
}

struct Catching {
    std::mutex mutex;
    int catchers = 0;
    struct sigaction before[std::size(kQuitSignals)] = {};
    bool replaced[std::size(kQuitSignals)] = {};
};

Catching& catching() {
    static Catching c;
    return c;
}

struct Ending {
    std::mutex mutex;
    std::function<void(int)> ending;
};

Ending& ending() {
    static Ending e;
    return e;
}

// The user-interface thread's while to start the ending itself, out of the grace: the rest is
// the watcher's, to write the rescue.
constexpr long kAnswerMillis = 750;
constexpr long kLookMillis = 10;

// Takes over an ending the user-interface thread does not start (it waits in an open, or works
// on and on): after a short while it writes the rescue the program kept and ends the process
// as the signal would. It sleeps until a signal comes and never blocks the quit signals'
// handler, which runs on whichever thread the signal finds.
void watchEndings() {
    for (;;) {
        if (sem_wait(&watcherWake()) != 0) {
            // Woken by another signal: wait again. A semaphore that could not be made never
            // wakes anyone, so the watcher ends rather than spin.
            if (errno == EINTR) continue;
            return;
        }
        for (long waited = 0; waited < kAnswerMillis && !endingStarted.load(); waited += kLookMillis) {
            const timespec look{0, kLookMillis * 1000000};
            nanosleep(&look, nullptr);
        }
        // An ending set afresh meanwhile counts no signal: the watcher goes back to sleep.
        const int signal = firstSignal.load();
        if (signal == 0 || endingStarted.exchange(true)) continue;
        writeSignalRescue();
        endBy(signal);
    }
}

void startWatcher() {
    static std::mutex mutex;
    // A forked child has none of its parent's threads: its own watcher starts.
    static pid_t startedIn = 0;
    std::lock_guard lock(mutex);
    if (startedIn == getpid()) return;
    startedIn = getpid();
    watcherWake();
    // The watcher takes no quit signal itself: its sleep is not to be cut short by one.
    sigset_t quits, before;
    sigemptyset(&quits);
    for (int signal : kQuitSignals) sigaddset(&quits, signal);
    pthread_sigmask(SIG_BLOCK, &quits, &before);
    std::thread(watchEndings).detach();
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
}

}  // namespace

QuitSignalCatcher::QuitSignalCatcher() {
    readEnd();
    Catching& c = catching();
    std::lock_guard lock(c.mutex);
    if (c.catchers++ > 0) return;
    for (size_t i = 0; i < std::size(kQuitSignals); ++i) {
        c.replaced[i] = false;
        if (sigaction(kQuitSignals[i], nullptr, &c.before[i]) != 0 || c.before[i].sa_handler == SIG_IGN) continue;
        struct sigaction caught {};
        caught.sa_handler = onQuitSignal;
        sigemptyset(&caught.sa_mask);
        caught.sa_flags = SA_RESTART;
        c.replaced[i] = sigaction(kQuitSignals[i], &caught, nullptr) == 0;
    }
}

QuitSignalCatcher::~QuitSignalCatcher() {
    Catching& c = catching();
    std::lock_guard lock(c.mutex);
    if (--c.catchers > 0) return;
    for (size_t i = 0; i < std::size(kQuitSignals); ++i)
        if (c.replaced[i]) sigaction(kQuitSignals[i], &c.before[i], nullptr);
}

int quitSignalDescriptor() { return readEnd(); }

bool takeQuitSignal() {
    // Drained first: a signal that lands in between leaves its byte, which costs one more
    // wake, never a lost request.
    if (int fd = readEnd(); fd >= 0) {
        char drained[64];
        while (read(fd, drained, sizeof drained) > 0) {
        }
    }
    return pending.exchange(false);
}

void setQuitSignalEnding(std::function<void(int)> ends, unsigned seconds) {
    Ending& e = ending();
    std::lock_guard lock(e.mutex);
    // The deadline of an earlier ending no longer applies.
    if (graceSeconds.exchange(0) > 0) alarm(0);
    if (ends) startWatcher();
    e.ending = std::move(ends);
    firstSignal.store(0);
    endingStarted.store(false);
    graceSeconds.store(e.ending ? seconds : 0);
}

bool runQuitSignalEnding() {
    std::function<void(int)> ends;
    {
        Ending& e = ending();
        std::lock_guard lock(e.mutex);
        ends = e.ending;
    }
    if (!ends) return false;
    // An ending pumps the display itself only by accident (an alert it meets): it runs once.
    // A signal caught before the ending was set counts as a termination.
    const int signal = firstSignal.load();
    if (!endingStarted.exchange(true)) ends(signal != 0 ? signal : SIGTERM);
    return true;
}

bool quitSignalEnding() { return endingStarted.load(); }

void endProcessBySignal(int signal) { endBy(signal); }

void endForLostDisplay() {
    if (quitSignalEnding()) return;
    int earlier = 0;
    const int signal = firstSignal.compare_exchange_strong(earlier, SIGHUP) ? SIGHUP : earlier;
    if (const unsigned seconds = graceSeconds.load(); seconds > 0) startDeadline(seconds);
    runQuitSignalEnding();
    // Back in the display library every call would fail, and some would wait for ever.
    endBy(signal);
}

}  // namespace plat
