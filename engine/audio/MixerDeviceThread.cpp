#include "engine/audio/MixerDeviceThread.h"

#include <chrono>

#include "platform/clock/Clock.h"

MixerDeviceThread::MixerDeviceThread(u32 periodMs, std::function<void()> step)
    : periodMs_(periodMs), step_(std::move(step)) {
    clockListener_ = plat::clockSubscribe([this] {
        std::lock_guard lock(mutex_);
        wake_.notify_all();
    });
    thread_ = std::thread([this] { Run(); });
}

MixerDeviceThread::~MixerDeviceThread() {
    {
        std::lock_guard lock(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    thread_.join();
    plat::clockUnsubscribe(clockListener_);
}

void MixerDeviceThread::Resume() {
    std::lock_guard lock(mutex_);
    running_ = true;
    wake_.notify_all();
}

void MixerDeviceThread::Suspend() {
    std::lock_guard lock(mutex_);
    running_ = false;
}

void MixerDeviceThread::Run() {
    std::unique_lock lock(mutex_);
    while (!stop_) {
        const u32 start = plat::clockMillis();
        // A real clock is waited for with a timeout; a fake one wakes the thread through its listener.
        while (!stop_ && (!running_ || u32(plat::clockMillis() - start) < periodMs_)) {
            if (plat::clockIsFake() || !running_)
                wake_.wait(lock);
            else
                wake_.wait_for(lock, std::chrono::milliseconds(periodMs_));
        }
        if (stop_) break;
        lock.unlock();
        step_();
        lock.lock();
    }
}
