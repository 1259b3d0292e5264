#pragma once
// Ends a test that hangs: when the scope it guards outlives its limit, it names that scope on
// standard error and aborts the process, so that a loop that never ends fails its test instead
// of holding up the run. A termination signal is no remedy for a test of the program's loops:
// while the program catches those signals they only ask it to end.
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

class HangWatchdog {
public:
    HangWatchdog(std::string what, std::chrono::seconds limit)
        : worker_([this, what = std::move(what), limit] {
              std::unique_lock lock(mutex_);
              if (ended_.wait_for(lock, limit, [this] { return done_; })) return;
              std::fprintf(stderr, "HangWatchdog: %s did not end within %lld s\n", what.c_str(),
                           static_cast<long long>(limit.count()));
              std::abort();
          }) {}
    ~HangWatchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        ended_.notify_all();
        worker_.join();
    }
    HangWatchdog(const HangWatchdog&) = delete;
    HangWatchdog& operator=(const HangWatchdog&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable ended_;
    bool done_ = false;
    // Last: it starts once the members it uses are made.
    std::thread worker_;
};
