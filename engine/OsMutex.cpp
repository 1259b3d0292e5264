#include "engine/OsMutex.h"

#include <chrono>
#include <mutex>
#include <new>

struct OsMutex {
    std::recursive_timed_mutex mutex;
};

OsMutex* osMutexCreate() { return new (std::nothrow) OsMutex; }

void osMutexDelete(OsMutex* mutex) { delete mutex; }

EngineErr osMutexTake(OsMutex* mutex, u32 timeoutMs) {
    if (timeoutMs == kOsWaitForever) {
        mutex->mutex.lock();
        return kErrNone;
    }
    return mutex->mutex.try_lock_for(std::chrono::milliseconds(timeoutMs)) ? kErrNone : kOsMutexTimeout;
}

void osMutexRelease(OsMutex* mutex) { mutex->mutex.unlock(); }
