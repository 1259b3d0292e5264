#include "platform/display/sdl/InputWatcher.h"

#include <poll.h>
#include <unistd.h>

#include "platform/ui/MessageQueue.h"

namespace plat {

InputWatcher::InputWatcher(int connection, int quitSignals, std::thread::id uiThread)
    : connection_(connection), quitSignals_(quitSignals), uiThread_(uiThread) {
    if (pipe(stopPipe_) != 0) return;
    thread_ = std::thread([this] { watch(); });
}

InputWatcher::~InputWatcher() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    armed_.notify_one();
    if (stopPipe_[1] >= 0) {
        char stop = 1;
        (void)!write(stopPipe_[1], &stop, 1);
    }
    if (thread_.joinable()) thread_.join();
    for (int fd : stopPipe_)
        if (fd >= 0) close(fd);
}

void InputWatcher::rearm() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        watching_ = true;
    }
    armed_.notify_one();
}

void InputWatcher::watch() {
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            armed_.wait(lock, [this] { return watching_ || stopping_; });
            if (stopping_) return;
        }
        pollfd watched[3] = {{connection_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}, {quitSignals_, POLLIN, 0}};
        if (poll(watched, 3, -1) < 0) continue;
        if (watched[1].revents) return;
        if (!watched[0].revents && !watched[2].revents) continue;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            watching_ = false;
        }
        wakeThread(uiThread_);
        // A broken connection stays readable: one wake is all it is worth.
        if (watched[0].revents & (POLLHUP | POLLERR)) return;
    }
}

}  // namespace plat
