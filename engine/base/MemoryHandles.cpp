#include "engine/base/MemoryHandles.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/memory/SystemMemory.h"

namespace {

// The 12-byte header sits at the end of a 16-byte lead so that the data stay 16-byte aligned
// for the 64-bit records that callers keep in engine blocks.
constexpr size_t kLead = 16;
constexpr size_t kHeaderOffset = kLead - kMemBlockHeaderSize;
constexpr u16 kBlockMark = 0x424D;
constexpr u16 kBlockIsHandle = 0x0001;
constexpr u32 kSizeMask = 0x7FFFFFFFu;

constexpr u16 kLockMask = 0x007F;
constexpr u16 kUseShift = 7;
constexpr u16 kUseMask = 0x0780;
constexpr u16 kOwnerShift = 11;
constexpr u16 kOwnerMask = 0x1800;
constexpr u16 kInUse = 0x2000;
constexpr u16 kPurgeable = 0x8000;

constexpr u16 kTableGrowth = 256;
constexpr u32 kStartLimit = 0x100000;
// How often a refused request is tried again when the system claims room or purging keeps
// freeing a little: the retries must end.
constexpr int kMaxAttempts = 4;

struct HandleEntry {
    u16 flags;
    // The system block while in use (0 when empty); the next free entry while free.
    uintptr_t ref;
};

struct MemoryState {
    HandleEntry* entries = nullptr;  // entry n is entries[n - 1]
    u16 freeHead = 0;
    u16 count = 0;
    EngineErr lastError = 0;
    bool purgingEnabled = true;
    MemLowMemoryCallback lowMemory = nullptr;
    MemPurgeCallback purgePermission = nullptr;
    u16 ownerSlots = 0;
    memHandle resizing = 0;  // the handle whose block is being moved, never purged meanwhile
};

MemoryState state;

EngineErr setError(EngineErr error) {
    state.lastError = error;
    return error;
}

// Block header fields, kept field by field in the lead of the system block.
u8* headerOf(void* base) { return static_cast<u8*>(base) + kHeaderOffset; }
u8* dataOf(void* base) { return static_cast<u8*>(base) + kLead; }
void* baseOf(const void* data) { return const_cast<u8*>(static_cast<const u8*>(data)) - kLead; }

template <typename T>
T field(const u8* header, size_t offset) {
    T value;
    std::memcpy(&value, header + offset, sizeof value);
    return value;
}
template <typename T>
void setField(u8* header, size_t offset, T value) {
    std::memcpy(header + offset, &value, sizeof value);
}

u32 blockSize(void* base) { return field<u32>(headerOf(base), 0) & kSizeMask; }
void setBlockSize(void* base, u32 size) {
    u8* h = headerOf(base);
    setField<u32>(h, 0, (field<u32>(h, 0) & ~kSizeMask) | (size & kSizeMask));
}
u16 blockFlags(void* base) { return field<u16>(headerOf(base), 4); }
u16 blockOwner(void* base) { return field<u16>(headerOf(base), 8); }
void setBlockOwner(void* base, u16 handle) { setField<u16>(headerOf(base), 8, handle); }
u16 blockMark(void* base) { return field<u16>(headerOf(base), 10); }

bool pointerHasMark(const void* data) { return data && blockMark(baseOf(data)) == kBlockMark; }

u16 lockCount(const HandleEntry& e) { return e.flags & kLockMask; }
u16 useCounter(const HandleEntry& e) { return u16((e.flags & kUseMask) >> kUseShift); }
void setUseCounter(HandleEntry& e, u16 value) { e.flags = u16((e.flags & ~kUseMask) | (value << kUseShift)); }
void touch(HandleEntry& e) { setUseCounter(e, std::min<u16>(15, useCounter(e) + 1)); }
void* blockOfEntry(const HandleEntry& e) { return reinterpret_cast<void*>(e.ref); }

HandleEntry* entryFor(memHandle handle) {
    if (handle == 0 || handle > state.count) return nullptr;
    HandleEntry& e = state.entries[handle - 1];
    return (e.flags & kInUse) ? &e : nullptr;
}

bool eligibleForPurge(const HandleEntry& e) {
    const bool resizing = state.resizing && &e == &state.entries[state.resizing - 1];
    return (e.flags & kInUse) && e.ref != 0 && (e.flags & kPurgeable) && lockCount(e) == 0 && !resizing;
}

void releaseSystemBlock(void* base) {
    setField<u16>(headerOf(base), 10, 0);
    plat::systemAllocator().release(base);
}

void initHeader(void* base, u32 size, bool isHandle) {
    std::memset(headerOf(base), 0, kMemBlockHeaderSize);
    u8* h = headerOf(base);
    setField<u32>(h, 0, size & kSizeMask);
    setField<u16>(h, 4, isHandle ? kBlockIsHandle : 0);
    setField<u16>(h, 10, kBlockMark);
}

// Steps 2 and 3 of an allocation that the system refused: make room by purging or by asking
// the application. True when the request should be tried again.
bool makeRoomFor(u32 size) {
    for (;;) {
        const u32 free = memGetFreeSpace(0);
        if (free >= size) return true;
        const u32 shortfall = size - free;
        const u32 purged = memPurgeSpace(shortfall, 0);
        if (purged == 0 || purged < shortfall) break;
    }
    return state.lowMemory && state.lowMemory(size, kMemErrOutOfMemory) != 0;
}

// Allocates (old == nullptr) or reallocates a system block with room for the lead and size bytes.
void* obtainBlock(void* old, u32 size, bool isHandle) {
    if (size > kSizeMask - kLead) {
        setError(kMemErrOutOfMemory);
        return nullptr;
    }
    for (int attempt = 0; attempt < kMaxAttempts; ++attempt) {
        void* base = old ? plat::systemAllocator().reallocate(old, kLead + size)
                         : plat::systemAllocator().allocate(kLead + size);
        if (base) {
            if (old) {
                setBlockSize(base, size);
            } else {
                initHeader(base, size, isHandle);
            }
            return base;
        }
        if (!makeRoomFor(size)) break;
    }
    setError(kMemErrOutOfMemory);
    return nullptr;
}

// Reallocates a handle's block, holding the handle back from purging meanwhile, so that the
// purging a refused request sets off can never take the very block being moved.
void* reallocateHeld(memHandle handle, u32 size) {
    const memHandle outer = std::exchange(state.resizing, handle);
    void* base = obtainBlock(blockOfEntry(state.entries[handle - 1]), size, true);
    state.resizing = outer;
    return base;
}

EngineErr growTable(u16 wanted) {
    u16 n = 0;
    HandleEntry* grown = nullptr;
    for (int attempt = 0; attempt < kMaxAttempts && !grown; ++attempt) {
        // The callbacks of a refused try may have grown the table themselves: then a free
        // entry may be there already, and any further growth is sized from the new count.
        if (attempt > 0 && state.freeHead) return kErrNone;
        if (state.count == kMemMaxHandles) return kMemErrTooManyHandles;
        n = u16(std::min<u32>(wanted, u32(kMemMaxHandles) - state.count));
        const size_t bytes = sizeof(HandleEntry) * (size_t(state.count) + n);
        grown = static_cast<HandleEntry*>(plat::systemAllocator().reallocate(state.entries, bytes));
        if (grown) break;
        if (memPurgeSpace(8u * n, 0) > 0) continue;
        if (!state.lowMemory || state.lowMemory(8u * n, kMemErrOutOfMemory) == 0) break;
    }
    if (!grown) return kMemErrOutOfMemory;
    state.entries = grown;
    const u16 first = u16(state.count + 1);
    for (u16 i = 0; i < n; ++i) {
        HandleEntry& e = state.entries[state.count + i];
        e.flags = 0;
        e.ref = (i + 1 < n) ? u16(first + i + 1) : state.freeHead;
    }
    state.freeHead = first;
    state.count = u16(state.count + n);
    return kErrNone;
}

// Frees a handle's block and leaves the handle empty.
void emptyHandle(HandleEntry& e) {
    releaseSystemBlock(blockOfEntry(e));
    e.ref = 0;
}

void returnToFreeList(memHandle handle, HandleEntry& e) {
    e.flags = 0;
    e.ref = state.freeHead;
    state.freeHead = handle;
}

}  // namespace

EngineErr memInit(u32 limit, u16 handles) {
    if (limit != 0 && limit > kStartLimit) return setError(kMemErrOutOfMemory);
    memShutdown();
    state = MemoryState{};
    return setError(growTable(std::max<u16>(handles, kTableGrowth)));
}

void memShutdown() {
    // The table goes, and with it whatever its handles still held.
    for (u16 i = 0; i < state.count; ++i) {
        HandleEntry& e = state.entries[i];
        if ((e.flags & kInUse) && e.ref) releaseSystemBlock(blockOfEntry(e));
    }
    plat::systemAllocator().release(state.entries);
    state.entries = nullptr;
    state.count = 0;
    state.freeHead = 0;
    state.ownerSlots = 0;
}

EngineErr memGetLastError() { return state.lastError; }

u32 memGetFreeSpace(u32) {
    const uint64_t available = plat::systemAllocator().status().availableVirtual;
    if (available <= kMemBlockHeaderSize) return 0;
    return u32(std::min<uint64_t>(available - kMemBlockHeaderSize, 0xFFFFFFFFu));
}

void memGetStatus(MemStatus* status) {
    const plat::MemoryStatus s = plat::systemAllocator().status();
    auto clamp = [](uint64_t v) { return u32(std::min<uint64_t>(v, 0xFFFFFFFFu)); };
    *status = MemStatus{clamp(s.availableVirtual), clamp(s.totalVirtual), clamp(s.availablePhysical),
                        clamp(s.totalPhysical),    clamp(s.availableSwap), clamp(s.totalSwap)};
}

u32 memPurgeSpace(u32 size, u32 context) {
    setError(kErrNone);
    u32 freed = 0;
    if (size == 0) {
        for (u16 i = 0; i < state.count; ++i) {
            const HandleEntry& e = state.entries[i];
            if (eligibleForPurge(e)) freed += blockSize(blockOfEntry(e));
        }
        return freed;
    }
    u16 threshold = 0;
    for (;;) {
        u16 smallest = 16;
        for (u16 i = 0; i < state.count; ++i) {
            if (freed >= size || !state.purgingEnabled) return freed;
            HandleEntry& e = state.entries[i];
            if (!eligibleForPurge(e) || useCounter(e) < threshold) continue;
            setUseCounter(e, u16(useCounter(e) - threshold));
            if (useCounter(e) != 0) {
                smallest = std::min(smallest, useCounter(e));
                continue;
            }
            const memHandle handle = u16(i + 1);
            const bool allowed = !state.purgePermission || state.purgePermission(handle, context) != 0;
            // The callback may have taken handles and so moved the table: look the entry up again.
            HandleEntry& after = state.entries[i];
            if (allowed && eligibleForPurge(after)) {
                freed += blockSize(blockOfEntry(after));
                emptyHandle(after);
            }
        }
        if (freed >= size || smallest == 16) return freed;
        threshold = smallest;
    }
}

MemLowMemoryCallback memSetLowMemoryCallback(MemLowMemoryCallback callback) {
    return std::exchange(state.lowMemory, callback);
}

MemPurgeCallback memSetPurgeCallback(MemPurgeCallback callback) {
    return std::exchange(state.purgePermission, callback);
}

u16 memSetPurgeEnabled(u16 enabled) {
    const u16 previous = state.purgingEnabled ? 1 : 0;
    state.purgingEnabled = enabled != 0;
    return previous;
}

u16 memNewOwnerSlot() {
    if (state.ownerSlots >= 3) {
        setError(kMemErrNoOwnerSlot);
        return 0;
    }
    setError(kErrNone);
    return ++state.ownerSlots;
}

EngineErr memSetHandleOwner(memHandle handle, u16 slot) {
    HandleEntry* e = entryFor(handle);
    if (!e) return setError(kMemErrBadHandle);
    e->flags = u16((e->flags & ~kOwnerMask) | ((slot << kOwnerShift) & kOwnerMask));
    return setError(kErrNone);
}

u16 memGetHandleOwner(memHandle handle) {
    HandleEntry* e = entryFor(handle);
    if (!e) {
        setError(kMemErrBadHandle);
        return 0xFFFF;
    }
    setError(kErrNone);
    return u16((e->flags & kOwnerMask) >> kOwnerShift);
}

void memCopy(void* destination, const void* source, u32 n) {
    if (n) std::memmove(destination, source, n);
}

void memFill(void* destination, u8 value, u32 n) {
    if (n) std::memset(destination, value, n);
}

memHandle memAllocHandle(u32 size) {
    void* base = nullptr;
    if (size) {
        base = obtainBlock(nullptr, size, true);
        if (!base) return 0;
    }
    for (int attempt = 0; state.freeHead == 0; ++attempt) {
        const EngineErr grown = growTable(kTableGrowth);
        if (grown == kErrNone) break;
        const bool retry = grown == kMemErrTooManyHandles && attempt < kMaxAttempts && state.lowMemory &&
                           state.lowMemory(0, kMemErrTooManyHandles) != 0;
        if (!retry) {
            if (base) releaseSystemBlock(base);
            setError(grown);
            return 0;
        }
    }
    const memHandle handle = state.freeHead;
    HandleEntry& e = state.entries[handle - 1];
    state.freeHead = u16(e.ref);
    e.flags = kInUse;
    e.ref = reinterpret_cast<uintptr_t>(base);
    if (base) setBlockOwner(base, handle);
    setError(kErrNone);
    return handle;
}

EngineErr memFreeHandle(memHandle handle) {
    HandleEntry* e = entryFor(handle);
    if (!e) return setError(kMemErrBadHandle);
    if (lockCount(*e)) return setError(kMemErrHandleLocked);
    if (e->flags & kOwnerMask) return setError(kMemErrResourceOwned);
    if (e->ref) emptyHandle(*e);
    returnToFreeList(handle, *e);
    return setError(kErrNone);
}

void* memLockHandle(memHandle handle) {
    HandleEntry* e = entryFor(handle);
    if (!e) return setError(kMemErrBadHandle), nullptr;
    if (!e->ref) return setError(kMemErrEmptyHandle), nullptr;
    if (lockCount(*e) >= kMemMaxLockCount) return setError(kMemErrLockCount), nullptr;
    e->flags = u16(e->flags + 1);
    touch(*e);
    setError(kErrNone);
    return dataOf(blockOfEntry(*e));
}

EngineErr memUnlockHandle(memHandle handle) {
    HandleEntry* e = entryFor(handle);
    if (!e) return setError(kMemErrBadHandle);
    if (lockCount(*e) == 0) return setError(kMemErrLockCount);
    e->flags = u16(e->flags - 1);
    return setError(kErrNone);
}

void* memDerefHandle(memHandle handle) {
    HandleEntry* e = entryFor(handle);
    if (!e) return setError(kMemErrBadHandle), nullptr;
    if (!e->ref) return setError(kMemErrEmptyHandle), nullptr;
    touch(*e);
    setError(kErrNone);
    return dataOf(blockOfEntry(*e));
}

u16 memGetLockCount(memHandle handle) {
    HandleEntry* e = entryFor(handle);
    if (!e) return setError(kMemErrBadHandle), u16(0xFFFF);
    if (!e->ref) return setError(kMemErrEmptyHandle), u16(0xFFFF);
    setError(kErrNone);
    return lockCount(*e);
}

i32 memSetLockCount(memHandle handle, u16 count) {
    HandleEntry* e = entryFor(handle);
    if (!e) return setError(kMemErrBadHandle), -1;
    if (count > kMemMaxLockCount) return setError(kMemErrLockCount), -1;
    if (!e->ref) return setError(kMemErrEmptyHandle), -1;
    const i32 old = lockCount(*e);
    e->flags = u16((e->flags & ~kLockMask) | count);
    setError(kErrNone);
    return old;
}

i32 memGetHandleSize(memHandle handle) {
    HandleEntry* e = entryFor(handle);
    if (!e) return setError(kMemErrBadHandle), -1;
    setError(kErrNone);
    return e->ref ? i32(blockSize(blockOfEntry(*e))) : 0;
}

EngineErr memResizeHandle(memHandle handle, u32 size) {
    HandleEntry* e = entryFor(handle);
    if (!e) return setError(kMemErrBadHandle);
    if (lockCount(*e)) return setError(kMemErrHandleLocked);
    if (size == 0) {
        if (e->ref) emptyHandle(*e);
        return setError(kErrNone);
    }
    void* base = reallocateHeld(handle, size);
    if (!base) return state.lastError;
    e = &state.entries[handle - 1];
    setBlockOwner(base, handle);
    e->ref = reinterpret_cast<uintptr_t>(base);
    return setError(kErrNone);
}

EngineErr memSwapHandles(memHandle a, memHandle b) {
    HandleEntry* ea = entryFor(a);
    HandleEntry* eb = entryFor(b);
    if (!ea || !eb) return setError(kMemErrBadHandle);
    if (lockCount(*ea) || lockCount(*eb)) return setError(kMemErrHandleLocked);
    std::swap(ea->ref, eb->ref);
    if (ea->ref) setBlockOwner(blockOfEntry(*ea), a);
    if (eb->ref) setBlockOwner(blockOfEntry(*eb), b);
    return setError(kErrNone);
}

u16 memSetHandlePurgeable(memHandle handle, u16 purgeable) {
    HandleEntry* e = entryFor(handle);
    if (!e) return setError(kMemErrBadHandle), u16(0xFFFF);
    const u16 old = (e->flags & kPurgeable) ? 1 : 0;
    e->flags = purgeable ? u16(e->flags | kPurgeable) : u16(e->flags & ~kPurgeable);
    setError(kErrNone);
    return old;
}

bool memIsHandleValid(memHandle handle) {
    const HandleEntry* e = entryFor(handle);
    if (!e) return false;
    if (!e->ref) return true;
    void* base = blockOfEntry(*e);
    return blockMark(base) == kBlockMark && (blockFlags(base) & kBlockIsHandle) && blockOwner(base) == handle;
}

memHandle memHandleFromPtr(const void* data) {
    if (!pointerHasMark(data)) return setError(kMemErrBadPointer), memHandle(0);
    void* base = baseOf(data);
    if (!(blockFlags(base) & kBlockIsHandle)) return setError(kMemErrNotHandleBlock), memHandle(0);
    setError(kErrNone);
    return blockOwner(base);
}

void* memAllocPtr(u32 size) {
    setError(kErrNone);
    if (size == 0) return nullptr;
    void* base = obtainBlock(nullptr, size, false);
    return base ? dataOf(base) : nullptr;
}

EngineErr memFreePtr(void* data) {
    if (!pointerHasMark(data)) return setError(kMemErrBadPointer);
    void* base = baseOf(data);
    if (blockFlags(base) & kBlockIsHandle) {
        const memHandle handle = blockOwner(base);
        HandleEntry* e = entryFor(handle);
        if (e && blockOfEntry(*e) == base) {
            if (e->flags & kOwnerMask) return setError(kMemErrResourceOwned);
            // Blocks handed out as locked handles are released through their pointer alone;
            // the handle goes with its block so that long sessions do not run out of handles.
            emptyHandle(*e);
            returnToFreeList(handle, *e);
            return setError(kErrNone);
        }
    }
    releaseSystemBlock(base);
    return setError(kErrNone);
}

void* memResizePtr(void* data, u32 size) {
    if (!data) return memAllocPtr(size);
    if (!pointerHasMark(data)) return setError(kMemErrBadPointer), nullptr;
    if (size == 0) {
        memFreePtr(data);
        return nullptr;
    }
    void* old = baseOf(data);
    const bool isHandle = blockFlags(old) & kBlockIsHandle;
    const memHandle handle = isHandle ? blockOwner(old) : 0;
    const HandleEntry* owner = entryFor(handle);
    const bool ownedByEntry = owner && blockOfEntry(*owner) == old;
    void* base = ownedByEntry ? reallocateHeld(handle, size) : obtainBlock(old, size, isHandle);
    if (!base) return nullptr;
    if (ownedByEntry) state.entries[handle - 1].ref = reinterpret_cast<uintptr_t>(base);
    setError(kErrNone);
    return dataOf(base);
}

u32 memGetPtrSize(const void* data) {
    if (!pointerHasMark(data)) return setError(kMemErrBadPointer), 0u;
    setError(kErrNone);
    return blockSize(baseOf(data));
}

bool memIsPtrLocked(const void* data) {
    if (!pointerHasMark(data)) return false;
    void* base = baseOf(data);
    if (!(blockFlags(base) & kBlockIsHandle)) return false;
    const memHandle handle = blockOwner(base);
    const HandleEntry* e = entryFor(handle);
    return e && memIsHandleValid(handle) && lockCount(*e) != 0;
}

EngineErr memLockPtrPages(void* data) {
    if (!pointerHasMark(data)) return setError(kMemErrBadPointer);
    // Keeping pages resident only helps the mixer's timing; a refusal changes nothing else.
    plat::lockPages(headerOf(baseOf(data)), kMemBlockHeaderSize + blockSize(baseOf(data)));
    return setError(kErrNone);
}

EngineErr memUnlockPtrPages(void* data) {
    if (!pointerHasMark(data)) return setError(kMemErrBadPointer);
    plat::unlockPages(headerOf(baseOf(data)), kMemBlockHeaderSize + blockSize(baseOf(data)));
    return setError(kErrNone);
}
