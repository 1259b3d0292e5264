#include "platform/display/QuitSignals.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <mutex>

namespace plat {
namespace {

static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");

constexpr int kQuitSignals[] = {SIGINT, SIGTERM};

std::atomic<bool> pending{false};
std::atomic<int> writeEnd{-1};

void onQuitSignal(int) {
    const int saved = errno;
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

}  // namespace plat
