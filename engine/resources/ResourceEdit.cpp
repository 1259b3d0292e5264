// Adding and removing resources, and compacting an archive when it closes.
#include <algorithm>
#include <numeric>

#include "engine/resources/ArchiveMap.h"

namespace {

// Takes the head of the free list, or appends an entry; the caller puts it back on failure.
EngineErr takeEntry(ArchiveMap& map, u16* index, bool* appended) {
    FileTable& table = map.table;
    if (table.freeHead != 0) {
        *index = table.freeHead;
        *appended = false;
        FileEntry& e = table.at(*index);
        table.freeHead = e.link;
        e.flags &= u8(~kResFlagFree);
        return kErrNone;
    }
    if (table.entries.size() >= kMaxFileEntries) return kResErrTooLarge;
    table.entries.push_back(FileEntry{});
    map.state.push_back(ResState{});
    *index = u16(table.entries.size());
    *appended = true;
    return kErrNone;
}

void putOnFreeList(ArchiveMap& map, u16 index) {
    FileEntry& e = map.entryOf(index);
    e.flags = kResFlagFree;
    e.link = map.table.freeHead;
    map.table.freeHead = index;
}

}  // namespace

ResourceRef resAddResource(FourCC type, u16 id, const char* name) {
    const ResMapHandle handle = resManager.current != 0      ? resManager.current
                                : resManager.chain.empty() ? 0
                                                           : resManager.chain.front()->handle;
    if (handle == 0) return resSetError(kResErrNotFound), 0;
    ArchiveMap* map = resMapFor(handle);
    if (map == nullptr) return 0;
    ArchiveLock lock(*map);
    if (lock.error() != kErrNone) return resSetError(lock.error()), 0;
    if (map->readOnly) return resSetError(kResErrReadOnly), 0;
    u16 index = 0;
    bool appended = false;
    if (EngineErr err = takeEntry(*map, &index, &appended); err != kErrNone) return resSetError(err), 0;
    map->dirty = true;
    if (EngineErr err = map->directory.insert(type, id, index, name); err != kErrNone) {
        putOnFreeList(*map, index);
        return resSetError(err), 0;
    }
    const bool directoryEndsFile = map->directoryOffset + map->directorySpace == map->fileLength;
    map->entryOf(index) = FileEntry{directoryEndsFile ? map->directoryOffset : map->fileLength, 0, 0, 0};
    map->stateOf(index) = ResState{};
    resSetError(kErrNone);
    return (ResourceRef(index) << 16) | handle;
}

EngineErr resRemoveResource(ResourceRef ref) {
    ArchiveMap* map = resMapForRef(ref);
    if (map == nullptr) return resManager.lastError;
    const u16 index = resRefIndex(ref);
    ArchiveLock lock(*map);
    if (lock.error() != kErrNone) return resSetError(lock.error());
    FileEntry& e = map->entryOf(index);
    ResState& s = map->stateOf(index);
    if (map->readOnly) return resSetError(kResErrReadOnly);
    if (e.flags & kResFlagProtected) return resSetError(kResErrProtected);
    if (e.flags & kResFlagFixed) return resSetError(kResErrFixed);
    if (s.lockCount > 0) return resSetError(kResErrLocked);
    resCancelQueued(*map, index);
    if (s.flags & kStateAttached) {
        if (EngineErr err = resDetachAndFree(*map, index); err != kErrNone) return resSetError(err);
    }
    if (s.flags & kStateChanged) --map->changedCount;
    s = ResState{};
    map->dirty = true;
    if (e.size != 0) map->flags = kArchiveMayHoldHoles;
    putOnFreeList(*map, index);
    return resSetError(map->directory.removeIndex(index));
}

// The compacted archive is written whole beside the old one and moved over it, so that the
// data is never copied down over places that the header on disk still points to. Until the
// move the map describes the old file; a failure leaves both as they were. Where the new file
// cannot be made beside the archive (no room for its name, a folder that takes no new file)
// the holes stay: the archive is whole without compaction.
EngineErr resCompact(ArchiveMap& map) {
    if (!map.storage->beginRewrite()) return kErrNone;
    const u16 count = u16(map.table.entries.size());
    std::vector<u16> order(count);
    std::iota(order.begin(), order.end(), u16(1));
    std::stable_sort(order.begin(), order.end(), [&](u16 a, u16 b) {
        const FileEntry& ea = map.entryOf(a);
        const FileEntry& eb = map.entryOf(b);
        if (ea.isFree() != eb.isFree()) return eb.isFree();
        return !ea.isFree() && ea.offset < eb.offset;
    });
    while (!order.empty() && map.entryOf(order.back()).isFree()) order.pop_back();

    std::vector<u16> newIndex(count + 1u, 0);
    FileTable table;
    std::vector<ResState> state;
    for (u16 old : order) {
        table.entries.push_back(map.entryOf(old));
        state.push_back(map.stateOf(old));
        newIndex[old] = u16(table.entries.size());
    }
    ResDirectory directory = map.directory;
    directory.renumber(newIndex);

    std::vector<ArchiveStorage::Move> moves;
    u32 next = kArchiveHeaderSize;
    for (FileEntry& e : table.entries) {
        if (e.size == 0) {
            e.offset = next;  // holds no bytes: never a reason to keep the file longer or shorter
            continue;
        }
        const u32 to = (e.flags & kResFlagProtected) || e.offset < next ? e.offset : next;
        moves.push_back({e.offset, to, e.size});
        e.offset = to;
        next = std::max(next, to + e.size);
    }
    const u32 tablesSize = directory.byteSize() + table.byteSize();
    // Tables written without a previous place of their own mark the file as holding holes.
    const EngineErr err =
        map.storage->rewrite(moves, next, directory, table, next + tablesSize, kArchiveMayHoldHoles);
    if (err != kErrNone) return err;
    map.directory = std::move(directory);
    map.table = std::move(table);
    map.state = std::move(state);
    map.directoryOffset = next;
    map.directorySpace = tablesSize;
    map.fileLength = next + tablesSize;
    map.flags = kArchiveMayHoldHoles;
    map.dirty = false;
    return map.storage->syncName();
}
