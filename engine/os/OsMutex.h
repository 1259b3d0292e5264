#pragma once
// The engine mutexes the OS services keep: one for the module, one per drive, one per open
// file, one per INI profile. They are the OS manager's mutexes (engine/OsThreads.h): taken
// again by the engine thread that holds them, and waited for cooperatively, so other engine
// threads run meanwhile. A null mutex (the thread system not started) guards nothing.
#include "engine/base/EngineTypes.h"

struct osmMutex;
using OsMutex = osmMutex;

constexpr u32 kOsWaitForever = 0xFFFFFFFF;
constexpr EngineErr kOsMutexTimeout = 303;

OsMutex* osMutexCreate();
void osMutexDelete(OsMutex* mutex);
// 0; kOsMutexTimeout when the mutex was not obtained in time; or the OS manager's code of a
// wait that could not be made (an endless wait that could never end, a destroyed mutex).
EngineErr osMutexTake(OsMutex* mutex, u32 timeoutMs);
void osMutexRelease(OsMutex* mutex);

class OsMutexHold {
public:
    explicit OsMutexHold(OsMutex* mutex) : mutex_(mutex) {
        if (mutex_) osMutexTake(mutex_, kOsWaitForever);
    }
    ~OsMutexHold() {
        if (mutex_) osMutexRelease(mutex_);
    }
    OsMutexHold(const OsMutexHold&) = delete;
    OsMutexHold& operator=(const OsMutexHold&) = delete;

private:
    OsMutex* mutex_;
};
