#include "engine/os/OsMutex.h"

#include "engine/os/OsThreads.h"

static_assert(kOsMutexTimeout == kOsmErrTimeout);
static_assert(kOsWaitForever == kOsmNoTimeout);

OsMutex* osMutexCreate() { return osmCreateMutex(1); }

void osMutexDelete(OsMutex* mutex) {
    if (mutex) osmDeleteObject(mutex);
}

EngineErr osMutexTake(OsMutex* mutex, u32 timeoutMs) {
    if (!mutex) return kErrNone;
    return osmWaitForObject(mutex, timeoutMs);
}

void osMutexRelease(OsMutex* mutex) {
    if (mutex) osmReleaseMutex(mutex);
}
