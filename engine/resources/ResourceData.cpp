// Loading, releasing, reading and writing the data of single resources.
#include <algorithm>
#include <cstring>

#include "engine/resources/ArchiveMap.h"

namespace {

constexpr u32 kCopyChunk = 64 * 1024;
constexpr u32 kFallbackChunk = 1024;
constexpr u32 kSizeLimit = 1u << 27;

struct Located {
    ArchiveMap* map;
    u16 index;
};

Located locate(ResourceRef ref) { return {resMapForRef(ref), resRefIndex(ref)}; }

u32 handleSize(memHandle handle) { return u32(std::max<i32>(0, memGetHandleSize(handle))); }

// Fills a handle with the resource's bytes from the file.
EngineErr readInto(ArchiveMap& map, u16 index, memHandle handle) {
    const FileEntry& e = map.entryOf(index);
    if (e.size == 0) return kErrNone;
    void* data = memLockHandle(handle);
    if (data == nullptr) return memGetLastError();
    const EngineErr err = map.storage->read(e.offset, data, e.size);
    memUnlockHandle(handle);
    if (err == kErrNone) map.filePosition = e.offset + e.size;
    return err;
}

}  // namespace

EngineErr resCopyWithin(ArchiveMap& map, u32 from, u32 to, u32 count) {
    if (count == 0 || from == to) return kErrNone;
    const u16 purging = memSetPurgeEnabled(0);
    const u32 wanted = std::min(count, kCopyChunk);
    if (handleSize(resManager.scratch) < wanted) memResizeHandle(resManager.scratch, wanted);
    u8 fallback[kFallbackChunk];
    u8* buffer = fallback;
    u32 chunk = kFallbackChunk;
    u8* scratch = handleSize(resManager.scratch) >= wanted ? static_cast<u8*>(memLockHandle(resManager.scratch)) : nullptr;
    if (scratch != nullptr) {
        buffer = scratch;
        chunk = wanted;
    }
    EngineErr err = kErrNone;
    for (u32 done = 0; done < count && err == kErrNone; done += chunk) {
        const u32 n = std::min(chunk, count - done);
        err = map.storage->read(from + done, buffer, n);
        if (err == kErrNone) err = map.storage->writeData(to + done, buffer, n);
    }
    if (scratch != nullptr) memUnlockHandle(resManager.scratch);
    memSetPurgeEnabled(purging);
    if (err == kErrNone) {
        map.fileLength = std::max(map.fileLength, to + count);
        map.filePosition = to + count;
    }
    return err;
}

namespace {

EngineErr refuseChange(const ArchiveMap& map, const FileEntry& e) {
    if (map.readOnly) return kResErrReadOnly;
    if (e.flags & kResFlagProtected) return kResErrProtected;
    if (e.flags & kResFlagFixed) return kResErrFixed;
    return kErrNone;
}

void clearChanged(ArchiveMap& map, u16 index) {
    ResState& s = map.stateOf(index);
    if (s.flags & kStateChanged) {
        s.flags &= u8(~kStateChanged);
        --map.changedCount;
    }
}

}  // namespace

EngineErr resAttachHandle(ArchiveMap& map, u16 index, memHandle handle) {
    ResState& s = map.stateOf(index);
    EngineErr err = memSetHandleOwner(handle, resManager.ownerSlot);
    if (err != kErrNone) return err;
    memSetHandlePurgeable(handle, (map.entryOf(index).flags & kResFlagPurgeable) ? 1 : 0);
    s.handle = handle;
    s.flags |= kStateAttached | kStateLoaded;
    return kErrNone;
}

static memHandle detach(ArchiveMap& map, u16 index) {
    ResState& s = map.stateOf(index);
    const memHandle handle = s.handle;
    memSetHandleOwner(handle, 0);
    s.handle = 0;
    s.flags &= u8(~(kStateAttached | kStateLoaded));
    return handle;
}

EngineErr resDetachAndFree(ArchiveMap& map, u16 index) {
    const memHandle handle = map.stateOf(index).handle;
    memSetHandleOwner(handle, 0);
    const EngineErr err = memFreeHandle(handle);
    if (err != kErrNone) {
        memSetHandleOwner(handle, resManager.ownerSlot);
        return err;
    }
    detach(map, index);
    return kErrNone;
}

memHandle resLoadResource(ResourceRef ref, u16 lock) {
    auto [map, index] = locate(ref);
    if (map == nullptr) return 0;
    ArchiveLock fileLock(*map);
    if (fileLock.error() != kErrNone) return resSetError(fileLock.error()), 0;
    ResState& s = map->stateOf(index);
    const u32 size = map->entryOf(index).size;
    if (!(s.flags & kStateLoaded)) {
        const bool reuse = (s.flags & kStateAttached) != 0;
        memHandle handle = s.handle;
        EngineErr err = kErrNone;
        if (reuse) {
            err = memResizeHandle(handle, size);
        } else {
            handle = memAllocHandle(size);
            if (handle == 0) err = memGetLastError();
        }
        if (err == kErrNone) err = readInto(*map, index, handle);
        if (err == kErrNone && !reuse) err = resAttachHandle(*map, index, handle);
        if (err != kErrNone) {
            if (reuse) {
                memResizeHandle(handle, 0);
            } else if (handle != 0) {
                memFreeHandle(handle);
            }
            return resSetError(err), 0;
        }
        s.flags |= kStateLoaded;
        if (s.pendingReads != 0) resCompleteQueued(*map, index);
    }
    if (lock) {
        if (s.lockCount == 255) return resSetError(kResErrLocked), 0;
        ++s.lockCount;
    }
    resSetError(kErrNone);
    return s.handle;
}

EngineErr resReleaseResource(ResourceRef ref, u16 unlock) {
    auto [map, index] = locate(ref);
    if (map == nullptr) return resManager.lastError;
    ArchiveLock fileLock(*map);
    if (fileLock.error() != kErrNone) return resSetError(fileLock.error());
    ResState& s = map->stateOf(index);
    if (unlock && s.lockCount == 0) return resSetError(kResErrNotLocked);
    const bool drop = (s.flags & kStateAttached) && (unlock ? s.lockCount == 1 : s.lockCount == 0);
    if (drop) {
        // Changed data is written back before its handle goes, or the handle stays.
        if ((s.flags & kStateChanged) && (s.flags & kStateLoaded)) {
            const EngineErr err = resWriteBackOne(*map, index);
            if (err != kErrNone) return resSetError(err);
        }
        const EngineErr err = resDetachAndFree(*map, index);
        if (err != kErrNone) return resSetError(err);
    }
    if (unlock) --s.lockCount;
    return resSetError(kErrNone);
}

memHandle resGetResourceData(ResourceRef ref, memHandle newHandle) {
    if (newHandle != 0) {
        const u16 owner = memGetHandleOwner(newHandle);
        if (owner == 0xFFFF) return resSetError(memGetLastError()), kResRefused;
        if (owner != 0) return resSetError(kResErrHandleOwned), kResRefused;
    }
    auto [map, index] = locate(ref);
    if (map == nullptr) return kResRefused;
    ArchiveLock fileLock(*map);
    if (fileLock.error() != kErrNone) return resSetError(fileLock.error()), kResRefused;
    const FileEntry& e = map->entryOf(index);
    ResState& s = map->stateOf(index);
    if (e.flags & kResFlagProtected) return resSetError(kResErrProtected), kResRefused;
    if (e.flags & kResFlagFixed) return resSetError(kResErrFixed), kResRefused;
    if (s.lockCount != 0) return resSetError(kResErrLocked), kResRefused;
    resCancelQueued(*map, index);
    const memHandle taken = (s.flags & kStateAttached) ? detach(*map, index) : 0;
    if (newHandle != 0) {
        const EngineErr err = resAttachHandle(*map, index, newHandle);
        if (err != kErrNone) return resSetError(err), kResRefused;
    }
    resSetError(kErrNone);
    return taken;
}

EngineErr resAdoptLoadedData(ResourceRef ref, memHandle handle) {
    auto [map, index] = locate(ref);
    if (map == nullptr) {
        memFreeHandle(handle);
        return resManager.lastError;
    }
    ResState& s = map->stateOf(index);
    if (s.flags & kStateLoaded) return memFreeHandle(handle), kErrNone;
    if (s.flags & kStateAttached) {
        const EngineErr err = memSwapHandles(s.handle, handle);
        memFreeHandle(handle);
        if (err != kErrNone) return err;
        s.flags |= kStateLoaded;
        return kErrNone;
    }
    const EngineErr err = resAttachHandle(*map, index, handle);
    if (err != kErrNone) memFreeHandle(handle);
    return err;
}

memHandle resGetResourceHandle(ResourceRef ref) {
    auto [map, index] = locate(ref);
    if (map == nullptr) return kResRefused;
    resSetError(kErrNone);
    const ResState& s = map->stateOf(index);
    return (s.flags & kStateLoaded) ? s.handle : 0;
}

i32 resGetResourceSize(ResourceRef ref) {
    auto [map, index] = locate(ref);
    if (map == nullptr) return -1;
    resSetError(kErrNone);
    const ResState& s = map->stateOf(index);
    return (s.flags & kStateLoaded) ? memGetHandleSize(s.handle) : i32(map->entryOf(index).size);
}

EngineErr resReadResource(ResourceRef ref, void* buffer, u32* count, u32 offset) {
    auto [map, index] = locate(ref);
    if (map == nullptr) return resManager.lastError;
    ArchiveLock fileLock(*map);
    if (fileLock.error() != kErrNone) return resSetError(fileLock.error());
    const ResState& s = map->stateOf(index);
    const bool loaded = (s.flags & kStateLoaded) != 0;
    const u32 size = loaded ? handleSize(s.handle) : map->entryOf(index).size;
    const u32 available = offset >= size ? 0 : size - offset;
    const EngineErr shortfall = *count > available ? kResErrBeyondEnd : kErrNone;
    *count = std::min(*count, available);
    if (*count == 0) return resSetError(shortfall);
    if (loaded) {
        std::memcpy(buffer, static_cast<const u8*>(memDerefHandle(s.handle)) + offset, *count);
        return resSetError(shortfall);
    }
    const u32 at = map->entryOf(index).offset + offset;
    const EngineErr err = map->storage->read(at, buffer, *count);
    if (err != kErrNone) return resSetError(err);
    map->filePosition = at + *count;
    return resSetError(shortfall);
}

EngineErr resWriteBytes(ArchiveMap& map, u16 index, const void* data, u32 count, u32 offset) {
    FileEntry& e = map.entryOf(index);
    if (offset == kResAppend) offset = e.size;
    // In 64 bits: an end past 2^32 must be refused, not wrapped round to the file's start.
    const u64 newSize = std::max<u64>(e.size, u64(offset) + count);
    if (newSize >= kSizeLimit) return kResErrSizeOrIndex;
    const u32 growth = u32(newSize - e.size);
    if (EngineErr err = refuseChange(map, e); err != kErrNone) return err;

    u32 target = e.offset;
    if (growth > 0 || offset >= e.size) {
        if (e.offset + e.size == map.fileLength) {
            target = e.offset;
        } else if (map.directoryOffset + map.directorySpace == map.fileLength) {
            // The directory is given up as the end of the archive; its bytes stay valid on
            // disk until the next update writes the new one.
            map.fileLength = map.directoryOffset;
            target = map.directoryOffset;
            map.directorySpace = 0;
            map.dirty = true;
        } else {
            target = map.fileLength;
        }
        if (target != e.offset) {
            if (EngineErr err = resCopyWithin(map, e.offset, target, std::min(e.size, offset)); err != kErrNone) return err;
        }
        // Bytes skipped over read as zeros, whatever the place held before (an old
        // directory, a tail that a stopped write left).
        if (offset > e.size) {
            if (EngineErr err = map.storage->writeZeros(target + e.size, offset - e.size); err != kErrNone) return err;
        }
        if (target + offset > map.fileLength) {
            map.fileLength = target + offset;
            map.dirty = true;
        }
    }
    if (count > 0) {
        if (EngineErr err = map.storage->writeData(target + offset, data, count); err != kErrNone) return err;
        map.filePosition = target + offset + count;
        if (map.filePosition > map.fileLength) {
            map.fileLength = map.filePosition;
            map.dirty = true;
        }
    }
    if (growth > 0) {
        e.size += growth;
        map.dirty = true;
    }
    if (target != e.offset) {
        e.offset = target;
        map.flags = kArchiveMayHoldHoles;
        map.dirty = true;
    }
    return kErrNone;
}

EngineErr resWriteResource(ResourceRef ref, const void* data, u32 count, u32 offset) {
    auto [map, index] = locate(ref);
    if (map == nullptr) return resManager.lastError;
    ArchiveLock fileLock(*map);
    if (fileLock.error() != kErrNone) return resSetError(fileLock.error());
    return resSetError(resWriteBytes(*map, index, data, count, offset));
}

EngineErr resWriteBack(ArchiveMap& map, u16 index) {
    const memHandle handle = map.stateOf(index).handle;
    const u32 size = handleSize(handle);
    const void* data = memLockHandle(handle);
    if (size > 0 && data == nullptr) return memGetLastError();
    const EngineErr err = resWriteBytes(map, index, data, size, 0);
    if (size > 0) memUnlockHandle(handle);
    if (err != kErrNone) return err;
    FileEntry& e = map.entryOf(index);
    if (e.size != size) {
        e.size = size;
        map.dirty = true;
    }
    clearChanged(map, index);
    return kErrNone;
}

EngineErr resGetResourceInfo(ResourceRef ref, ArchiveFile** file, u32* dataOffset, u32* size) {
    auto [map, index] = locate(ref);
    if (map == nullptr) return resManager.lastError;
    *file = map->file.get();
    *dataOffset = map->entryOf(index).offset;
    *size = map->entryOf(index).size;
    return resSetError(kErrNone);
}

// Sets or clears one flag of a file-table entry; fixed resources refuse. Returns the
// previous state of the flag, or kResRefused.
static u16 setEntryFlag(ResourceRef ref, u8 flag, u16 on) {
    auto [map, index] = locate(ref);
    if (map == nullptr) return kResRefused;
    FileEntry& e = map->entryOf(index);
    if (e.flags & kResFlagFixed) return resSetError(kResErrFixed), kResRefused;
    const u16 previous = (e.flags & flag) ? 1 : 0;
    e.flags = on ? u8(e.flags | flag) : u8(e.flags & ~flag);
    if (previous != (on ? 1 : 0) && !map->readOnly) map->dirty = true;
    resSetError(kErrNone);
    return previous;
}

u16 resSetResourceFlag(ResourceRef ref, u16 purgeable) {
    const u16 previous = setEntryFlag(ref, kResFlagPurgeable, purgeable);
    if (previous == kResRefused) return previous;
    const ArchiveMap* map = resMapForRef(ref);
    const ResState& s = map->state[resRefIndex(ref) - 1u];
    if (s.flags & kStateAttached) memSetHandlePurgeable(s.handle, purgeable ? 1 : 0);
    resSetError(kErrNone);
    return previous;
}

i32 resSetResourceAttr(ResourceRef ref, u16 changed) {
    auto [map, index] = locate(ref);
    if (map == nullptr) return -1;
    if (EngineErr err = refuseChange(*map, map->entryOf(index)); err != kErrNone) return resSetError(err), -1;
    ResState& s = map->stateOf(index);
    const i32 previous = (s.flags & kStateChanged) ? 1 : 0;
    if (changed && !previous) {
        s.flags |= kStateChanged;
        ++map->changedCount;
    } else if (!changed) {
        clearChanged(*map, index);
    }
    resSetError(kErrNone);
    return previous;
}

u16 resSetResourceProtected(ResourceRef ref, u16 on) { return setEntryFlag(ref, kResFlagProtected, on); }
