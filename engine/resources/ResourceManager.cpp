#include "engine/resources/ResourceManager.h"

#include <algorithm>
#include <cstring>

#include "engine/base/ByteOrder.h"
#include "engine/ini/IniProfiles.h"
#include "engine/resources/ArchiveMap.h"

// Never destroyed: a program that ends without resShutdown leaves its archives to the
// system, which closes their files; closing them from a static destructor would reach the
// file services' state after that state's own destructor ran.
ResManagerState& resManager = *new ResManagerState;

namespace {

constexpr FourCC kMapTag = fourCC("RMAP");

ArchiveMap* mapWithHandle(ResMapHandle handle) {
    for (auto& map : resManager.chain)
        if (map->handle == handle) return map.get();
    return nullptr;
}

// The map handle is an engine handle holding the tag, so that stale and foreign handles
// are told apart from open archives.
ResMapHandle newMapHandle() {
    const memHandle handle = memAllocHandle(sizeof(FourCC));
    if (handle == 0) return 0;
    writeBE32(static_cast<u8*>(memDerefHandle(handle)), kMapTag);
    return handle;
}

void freeMapHandle(ResMapHandle handle) {
    writeBE32(static_cast<u8*>(memDerefHandle(handle)), 0);
    memFreeHandle(handle);
}

EngineErr readContents(ArchiveFile& file, ArchiveContents* contents, std::vector<u8>* tables) {
    const u32 length = file.length();
    u8 headerBytes[kArchiveHeaderSize];
    if (length < kArchiveHeaderSize) return kResErrNotResourceFile;
    EngineErr err = file.read(0, headerBytes, kArchiveHeaderSize);
    if (err != kErrNone) return err;
    ArchiveHeader header;
    err = parseArchiveHeader(headerBytes, length, &header);
    if (err != kErrNone) return err;
    tables->resize(size_t(header.directorySize) + header.fileTableSize);
    err = file.read(header.directoryOffset, tables->data(), u32(tables->size()));
    if (err != kErrNone) return err;
    return parseArchiveTables(header, *tables, contents);
}

u16 purgePermission(memHandle handle, u32 context) {
    if (memGetHandleOwner(handle) == resManager.ownerSlot) {
        for (auto& map : resManager.chain) {
            for (u16 index = 1; index <= map->state.size(); ++index) {
                ResState& s = map->stateOf(index);
                if (!(s.flags & kStateAttached) || s.handle != handle) continue;
                if (s.flags & kStateChanged) {
                    if (context != 0) return 0;
                    ArchiveLock lock(*map);
                    if (lock.error() != kErrNone || resWriteBackOne(*map, index) != kErrNone) return 0;
                }
                s.flags &= u8(~kStateLoaded);
                return 1;
            }
        }
    }
    return resManager.previousPurge ? resManager.previousPurge(handle, context) : 1;
}

// Drops every handle attached to the archive's resources; with force, locks do not stop it.
EngineErr releaseHandles(ArchiveMap& map, bool force) {
    EngineErr last = kErrNone;
    for (u16 index = 1; index <= map.state.size(); ++index) {
        ResState& s = map.stateOf(index);
        if (map.entryOf(index).isFree() || !(s.flags & kStateAttached)) continue;
        if (s.lockCount > 0) {
            last = kResErrLocked;
            if (!force) return last;
        }
        if (memGetLockCount(s.handle) != 0 && memGetLockCount(s.handle) != 0xFFFF) {
            last = kMemErrHandleLocked;
            if (!force) return last;
            memSetLockCount(s.handle, 0);
        }
        const EngineErr err = resDetachAndFree(map, index);
        if (err != kErrNone) {
            last = err;
            if (!force) return last;
        }
    }
    return last;
}

}  // namespace

EngineErr resSetError(EngineErr error) {
    resManager.lastError = error;
    return error;
}

ArchiveMap* resMapFor(ResMapHandle handle) {
    ArchiveMap* map = handle ? mapWithHandle(handle) : nullptr;
    if (map == nullptr || readBE32(static_cast<const u8*>(memDerefHandle(handle))) != kMapTag) {
        resSetError(kResErrBadMap);
        return nullptr;
    }
    return map;
}

ArchiveMap* resMapForRef(ResourceRef ref) {
    ArchiveMap* map = ref ? mapWithHandle(resRefMap(ref)) : nullptr;
    const u16 index = resRefIndex(ref);
    if (map == nullptr || index == 0 || index > map->table.entries.size() || map->entryOf(index).isFree()) {
        resSetError(kResErrBadReference);
        return nullptr;
    }
    return map;
}

EngineErr resGetLastError() { return resManager.lastError; }

EngineErr resInit() {
    resManager = ResManagerState{};
    u16 shareReadOnly = 1;
    iniGetBool(nullptr, "Resource", "fShareReadOnly", &shareReadOnly);
    resManager.shareReadOnly = shareReadOnly != 0;
    resManager.scratch = memAllocHandle(0);
    if (resManager.scratch == 0) return resSetError(memGetLastError());
    memSetHandlePurgeable(resManager.scratch, 1);
    resManager.ownerSlot = memNewOwnerSlot();
    if (resManager.ownerSlot == 0) {
        const EngineErr err = memGetLastError();
        memFreeHandle(resManager.scratch);
        return resSetError(err);
    }
    resManager.previousPurge = memSetPurgeCallback(purgePermission);
    resManager.initialised = true;
    resOpenSystemArchive();
    return resSetError(kErrNone);
}

EngineErr resShutdown() {
    // No other engine thread (the reader in particular) may run while the archives close.
    const bool forbidden = osmForbidSwitching() == kErrNone;
    if (resManager.systemArchive != 0) resCloseFile(resManager.systemArchive, 0, 1);
    while (!resManager.chain.empty()) {
        const ResMapHandle head = resManager.chain.front()->handle;
        resCloseFile(head, 0, 1);
        if (!resManager.chain.empty() && resManager.chain.front()->handle == head) break;  // in a callback of it
    }
    if (forbidden) osmPermitSwitching();
    memSetPurgeCallback(resManager.previousPurge);
    memFreeHandle(resManager.scratch);
    resManager.initialised = false;
    return resSetError(kErrNone);
}

ResMapHandle resOpenArchive(std::unique_ptr<ArchiveFile> file, u16 readOnly, u16 background) {
    for (auto& open : resManager.chain) {
        if (open->file->isSameFile(*file)) {
            file->close(false);
            ++open->openCount;
            resSetError(kErrNone);
            return open->handle;
        }
    }
    ArchiveContents contents;
    std::vector<u8> tables;
    EngineErr err = readContents(*file, &contents, &tables);
    if (err != kErrNone) {
        file->close(true);
        resSetError(err);
        return 0;
    }
    auto map = std::make_unique<ArchiveMap>();
    map->handle = newMapHandle();
    if (map->handle == 0) {
        file->close(true);
        resSetError(kResErrOutOfMemory);
        return 0;
    }
    map->readOnly = readOnly != 0;
    map->background = background != 0;
    map->storage = std::make_unique<ArchiveStorage>(*file, contents, tables);
    map->fileLength = contents.header.fileLength;
    map->directoryOffset = contents.header.directoryOffset;
    map->directorySpace = u32(tables.size());
    map->flags = contents.header.flags;
    map->directory = std::move(contents.directory);
    map->table = std::move(contents.fileTable);
    map->state.resize(map->table.entries.size());
    map->file = std::move(file);
    const ResMapHandle handle = map->handle;
    ArchiveMap& opened = *map;
    resManager.chain.insert(resManager.chain.begin(), std::move(map));
    resManager.current = 0;
    resLoadAtOpen(opened);
    resSetError(kErrNone);
    return handle;
}

EngineErr resCreateArchive(ArchiveFile& file) {
    const std::vector<u8> bytes = emptyArchiveImage();
    EngineErr err = file.write(0, bytes.data(), u32(bytes.size()));
    if (err == kErrNone) err = file.sync();
    return resSetError(err);
}

EngineErr resWriteDirectory(ArchiveMap& map) {
    if (map.readOnly) return kResErrReadOnly;
    const u32 size = map.directory.byteSize() + map.table.byteSize();
    u32 offset = map.fileLength;
    u32 length = map.fileLength + size;
    u16 flags = map.flags;
    if (map.directorySpace != 0 && size <= map.directorySpace) {
        offset = map.directoryOffset;
        length = map.fileLength;
    } else if (map.directorySpace != 0 && map.directoryOffset + map.directorySpace == map.fileLength) {
        offset = map.directoryOffset;
        length = offset + size;
    } else {
        flags = kArchiveMayHoldHoles;
    }
    const EngineErr err = map.storage->commitTables(offset, map.directory, map.table, length, flags);
    if (err != kErrNone) return err;
    map.directoryOffset = offset;
    map.directorySpace = size;
    map.fileLength = length;
    map.flags = flags;
    return kErrNone;
}

EngineErr resWriteBackOne(ArchiveMap& map, u16 index) {
    EngineErr err = resWriteBack(map, index);
    if (err == kErrNone) err = resWriteDirectory(map);
    if (err == kErrNone) map.dirty = false;
    return err;
}

EngineErr resUpdateFile(ResMapHandle handle) {
    ArchiveMap* map = resMapFor(handle);
    if (map == nullptr) return resManager.lastError;
    ArchiveLock lock(*map);
    if (lock.error() != kErrNone) return resSetError(lock.error());
    if (map->storage->moved()) map->dirty = true;
    if (!map->dirty && map->changedCount == 0) return resSetError(kErrNone);
    EngineErr writeError = kErrNone;
    for (u16 index = 1; index <= map->state.size() && map->changedCount > 0 && writeError == kErrNone; ++index) {
        const ResState& s = map->stateOf(index);
        if ((s.flags & kStateChanged) && (s.flags & kStateLoaded)) writeError = resWriteBack(*map, index);
    }
    const EngineErr directoryError = resWriteDirectory(*map);
    if (directoryError != kErrNone) return resSetError(directoryError);
    map->dirty = false;
    return resSetError(writeError);
}

EngineErr resCloseFile(ResMapHandle handle, u16 compact, u16 force) {
    ArchiveMap* map = resMapFor(handle);
    if (map == nullptr) return resManager.lastError;
    EngineErr last = kErrNone;
    {
        ArchiveLock lock(*map);
        if (lock.error() != kErrNone) return resSetError(lock.error());
        if (map->openCount >= 2) {
            --map->openCount;
            return resSetError(kErrNone);
        }
        // Not even with force: the enumeration or read under way goes on using the archive.
        if (map->callbackDepth > 0) return resSetError(kResErrLocked);
        auto step = [&](EngineErr err) {
            if (err != kErrNone) last = err;
            return err == kErrNone || force;
        };
        if (!map->readOnly && !step(resUpdateFile(handle))) return resSetError(last);
        resDropQueued(*map);
        if (!step(releaseHandles(*map, force != 0))) return resSetError(last);
        if (compact && map->flags == kArchiveMayHoldHoles && !map->readOnly && !step(resCompact(*map)))
            return resSetError(last);
    }
    if (EngineErr err = map->file->close(force != 0); err != kErrNone) {
        last = err;
        if (!force) return resSetError(last);
    }
    auto it = std::find_if(resManager.chain.begin(), resManager.chain.end(), [&](auto& m) { return m.get() == map; });
    if (resManager.current == handle) {
        auto next = std::next(it);
        resManager.current = next == resManager.chain.end() ? 0 : (*next)->handle;
    }
    resManager.chain.erase(it);
    if (resManager.systemArchive == handle) resManager.systemArchive = 0;
    freeMapHandle(handle);
    return resSetError(last);
}

ResMapHandle resUseFile(ResMapHandle handle) {
    const ResMapHandle previous = resManager.current != 0 ? resManager.current
                                  : resManager.chain.empty() ? 0
                                                             : resManager.chain.front()->handle;
    if (handle != 0 && resMapFor(handle) == nullptr) return previous;
    resManager.current = handle;
    resSetError(kErrNone);
    return previous;
}

ResourceRef resFindResource(FourCC type, u16 id, ResMapHandle handle) {
    auto found = [&](const ArchiveMap& map) -> ResourceRef {
        const ResIdEntry* hit = map.directory.find(type, id);
        return hit ? (ResourceRef(hit->index) << 16) | map.handle : 0;
    };
    if (handle != 0) {
        const ArchiveMap* map = resMapFor(handle);
        if (map == nullptr) return 0;
        const ResourceRef ref = found(*map);
        resSetError(ref ? kErrNone : kResErrNotFound);
        return ref;
    }
    auto it = resManager.chain.begin();
    if (resManager.current != 0)
        it = std::find_if(it, resManager.chain.end(), [&](auto& m) { return m->handle == resManager.current; });
    for (; it != resManager.chain.end(); ++it) {
        if (const ResourceRef ref = found(**it)) {
            resSetError(kErrNone);
            return ref;
        }
    }
    resSetError(kResErrNotFound);
    return 0;
}

EngineErr resEnumResources(ResMapHandle handle, FourCC type, ResEnumCallback callback, void* context) {
    ArchiveMap* map = resMapFor(handle);
    if (map == nullptr) return resManager.lastError;
    ArchiveLock lock(*map);
    resSetError(kErrNone);
    const ResTypeTables* tables = map->directory.findType(type);
    if (tables == nullptr) return kErrNone;
    // A copy: the callback may change the archive.
    const std::vector<ResIdEntry> ids = tables->ids;
    ++map->callbackDepth;
    for (const ResIdEntry& e : ids) {
        const u16 entry[2] = {e.id, e.index};
        if (callback(entry, context) != 0) break;
    }
    --map->callbackDepth;
    return kErrNone;
}
