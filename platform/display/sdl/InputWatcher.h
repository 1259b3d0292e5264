#pragma once
// Wakes the user-interface thread's message wait when input arrives on the display
// connection or a quit signal is caught (QuitSignals.h), so that a loop blocked in
// waitForMessage (platform/ui) notices the user. A
// thread of its own watches the connection's descriptor; after each wake it waits until the
// user-interface thread has pumped the driver's events (rearm) before it watches again, so
// it never spins on data nobody has read yet. The loop must pump the events last before it
// waits. Made and ended on the user-interface thread.
#include <condition_variable>
#include <mutex>
#include <thread>

namespace plat {

class InputWatcher {
public:
    // `connection` and `quitSignals` are readable descriptors (-1 for none); `uiThread` the
    // thread to wake.
    InputWatcher(int connection, int quitSignals, std::thread::id uiThread);
    ~InputWatcher();
    InputWatcher(const InputWatcher&) = delete;
    InputWatcher& operator=(const InputWatcher&) = delete;

    // The user-interface thread has read everything that was waiting.
    void rearm();

private:
    void watch();

    int connection_;
    int quitSignals_;
    std::thread::id uiThread_;
    int stopPipe_[2] = {-1, -1};
    std::mutex mutex_;
    std::condition_variable armed_;
    bool watching_ = true;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace plat
