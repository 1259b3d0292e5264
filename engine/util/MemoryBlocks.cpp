#include "engine/util/MemoryBlocks.h"

#include <cstring>

void* AllocLockedHandle(u32 size) {
    const memHandle handle = memAllocHandle(size);
    if (!handle) return nullptr;
    void* data = memLockHandle(handle);
    if (!data) memFreeHandle(handle);
    return data;
}

void* AllocZeroedBlock(u32 size) {
    void* data = AllocLockedHandle(size);
    if (data) std::memset(data, 0, size);
    return data;
}

void SafeFreePtr(void* data) {
    if (data) memFreePtr(data);
}

void FreeMemBlock(void* data) {
    if (!data) return;
    const memHandle handle = memIsPtrLocked(data) ? memHandle(0) : memHandleFromPtr(data);
    if (handle)
        memFreeHandle(handle);
    else
        memFreePtr(data);
}

EngineErr NewHandleFromData(memHandle* outHandle, const void* source, u32 size) {
    *outHandle = 0;
    const memHandle handle = memAllocHandle(size);
    if (!handle) return memGetLastError();
    if (size) {
        void* data = memLockHandle(handle);
        if (!data) {
            const EngineErr error = memGetLastError();
            memFreeHandle(handle);
            return error;
        }
        std::memcpy(data, source, size);
        memUnlockHandle(handle);
    }
    *outHandle = handle;
    return kErrNone;
}

EngineErr DuplicateHandleBlock(memHandle* outHandle, memHandle handle) {
    *outHandle = 0;
    if (!handle) return kBlockErrNoSource;
    const i32 size = memGetHandleSize(handle);
    if (size < 0) return memGetLastError();
    if (size == 0) return NewHandleFromData(outHandle, nullptr, 0);
    const void* data = memLockHandle(handle);
    if (!data) return memGetLastError();
    const EngineErr error = NewHandleFromData(outHandle, data, u32(size));
    memUnlockHandle(handle);
    return error;
}

char* StrDupHandle(const char* text) {
    if (!text) return nullptr;
    const u32 size = u32(std::strlen(text) + 1);
    char* copy = static_cast<char*>(AllocLockedHandle(size));
    if (copy) std::memcpy(copy, text, size);
    return copy;
}
