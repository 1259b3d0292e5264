#pragma once
// The polling thread of an output device: a real system thread that wakes every period
// (on the program clock, so a fake clock in tests drives it too) and runs one step while it
// is resumed. A step that already began when the thread is suspended still runs: the step
// itself must check, under its device lock, that the device still plays.
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "engine/base/EngineTypes.h"

class MixerDeviceThread {
public:
    MixerDeviceThread(u32 periodMs, std::function<void()> step);
    ~MixerDeviceThread();
    MixerDeviceThread(const MixerDeviceThread&) = delete;
    MixerDeviceThread& operator=(const MixerDeviceThread&) = delete;

    void Resume();
    void Suspend();

private:
    void Run();

    u32 periodMs_;
    std::function<void()> step_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool running_ = false;
    bool stop_ = false;
    int clockListener_ = 0;
    std::thread thread_;
};
