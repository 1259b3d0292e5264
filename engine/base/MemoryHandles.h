#pragma once
// Engine memory: movable blocks reached through 16-bit handles (locked to get an address,
// purgeable when memory runs short) and fixed blocks reached through plain pointers.
// Every block carries a 12-byte header in front of its data whose last word is the mark
// 0x424D, so that stale or foreign pointers are refused (kMemErrBadPointer).
// The manager takes no lock of its own: engine threads all run on the user-interface thread.
#include <cstddef>

#include "engine/base/EngineTypes.h"

using memHandle = u16;

constexpr EngineErr kMemErrEmptyHandle = 10101;
constexpr EngineErr kMemErrTooManyHandles = 10102;
constexpr EngineErr kMemErrOutOfMemory = 10103;
constexpr EngineErr kMemErrBadHandle = 10151;
constexpr EngineErr kMemErrHandleLocked = 10152;
constexpr EngineErr kMemErrResourceOwned = 10153;
constexpr EngineErr kMemErrLockCount = 10154;
constexpr EngineErr kMemErrNoOwnerSlot = 10155;
constexpr EngineErr kMemErrNotHandleBlock = 10157;
constexpr EngineErr kMemErrBadPointer = 10159;

constexpr u16 kMemMaxLockCount = 127;
constexpr u16 kMemMaxHandles = 65535;
constexpr size_t kMemBlockHeaderSize = 12;

// (bytes needed, error code) → non-zero when memory was released and the request may be retried.
using MemLowMemoryCallback = u16 (*)(u32 bytesNeeded, EngineErr error);
// (handle, context word of memPurgeSpace) → non-zero when the block may be discarded.
using MemPurgeCallback = u16 (*)(memHandle handle, u32 context);

struct MemStatus {
    u32 availableVirtual;
    u32 totalVirtual;
    u32 availablePhysical;
    u32 totalPhysical;
    u32 availablePageFile;
    u32 totalPageFile;
};

// Module
EngineErr memInit(u32 limit, u16 handles);
void memShutdown();
EngineErr memGetLastError();
u32 memGetFreeSpace(u32 size);
void memGetStatus(MemStatus* status);
u32 memPurgeSpace(u32 size, u32 context);
MemLowMemoryCallback memSetLowMemoryCallback(MemLowMemoryCallback callback);
MemPurgeCallback memSetPurgeCallback(MemPurgeCallback callback);
u16 memSetPurgeEnabled(u16 enabled);
u16 memNewOwnerSlot();
EngineErr memSetHandleOwner(memHandle handle, u16 slot);
u16 memGetHandleOwner(memHandle handle);
void memCopy(void* destination, const void* source, u32 n);
void memFill(void* destination, u8 value, u32 n);

// Handles
memHandle memAllocHandle(u32 size);
EngineErr memFreeHandle(memHandle handle);
void* memLockHandle(memHandle handle);
EngineErr memUnlockHandle(memHandle handle);
void* memDerefHandle(memHandle handle);
u16 memGetLockCount(memHandle handle);
i32 memSetLockCount(memHandle handle, u16 count);
i32 memGetHandleSize(memHandle handle);
EngineErr memResizeHandle(memHandle handle, u32 size);
EngineErr memSwapHandles(memHandle a, memHandle b);
u16 memSetHandlePurgeable(memHandle handle, u16 purgeable);
bool memIsHandleValid(memHandle handle);
memHandle memHandleFromPtr(const void* data);

// Pointer blocks
void* memAllocPtr(u32 size);
EngineErr memFreePtr(void* data);
void* memResizePtr(void* data, u32 size);
u32 memGetPtrSize(const void* data);
bool memIsPtrLocked(const void* data);
EngineErr memLockPtrPages(void* data);
EngineErr memUnlockPtrPages(void* data);
