#include "engine/resources/QueuedReads.h"

#include <algorithm>
#include <cstddef>
#include <new>

#include "engine/files/OsServices.h"
#include "engine/resources/ArchiveMap.h"
#include "platform/clock/Clock.h"

struct ResReadRequest {
    FourCC tag;
    ResourceRef ref;
    ResReadCallback callback;
    ResReadArea area;
    bool backgroundLoad;
    bool abandoned;  // finished while another service held it: freed when that service ends
    bool orphaned;   // its archive closed after it was served: freed by resFinishRead alone
    ResLoadCallback loadCallback;
    u32 loadUserValue;
    memHandle loadHandle;
};

namespace {

constexpr FourCC kRequestTag = fourCC("QREQ");
constexpr u16 kReaderStack = 12288;
constexpr u16 kReaderIdlePriority = 1;
constexpr u16 kReaderBusyPriority = 2;
constexpr u32 kBytesPerMs = 100;
constexpr u32 kChunkUnit = 2048;

ResReadRequest* requestOf(ResReadArea* area) {
    return reinterpret_cast<ResReadRequest*>(reinterpret_cast<u8*>(area) - offsetof(ResReadRequest, area));
}

bool validRequest(const ResReadRequest* request) { return request != nullptr && request->tag == kRequestTag; }

// Requests sort by place in the file, then place in the resource, longer first, and whole
// loads before other reads of the same range.
bool servedBefore(const ResReadRequest* a, const ResReadRequest* b) {
    if (a->area.dataOffset != b->area.dataOffset) return a->area.dataOffset < b->area.dataOffset;
    if (a->area.offset != b->area.offset) return a->area.offset < b->area.offset;
    if (a->area.count != b->area.count) return a->area.count > b->area.count;
    return a->backgroundLoad && !b->backgroundLoad;
}

u32 positionKey(const ResReadRequest* r) { return r->area.dataOffset + r->area.bytesDone; }

void* call(ResReadRequest* request, u32 event) {
    ArchiveMap* map = resMapFor(resRefMap(request->ref));
    if (map != nullptr) ++map->callbackDepth;
    void* result = request->callback(event, request->ref, &request->area);
    if (map != nullptr) --map->callbackDepth;
    return result;
}

// The elevator: the first request at or after the file's position, else the lowest one.
ResReadRequest* chooseNext(ArchiveMap& map) {
    if (map.reads.empty()) return nullptr;
    auto it = std::find_if(map.reads.begin(), map.reads.end(),
                           [&](const ResReadRequest* r) { return positionKey(r) >= map.filePosition; });
    map.nextRead = it == map.reads.end() ? map.reads.front() : *it;
    return map.nextRead;
}

ResReadRequest* followerOf(const ArchiveMap& map, const ResReadRequest* request) {
    auto it = std::find(map.reads.begin(), map.reads.end(), request);
    if (it == map.reads.end() || map.reads.size() == 1) return nullptr;
    return ++it == map.reads.end() ? map.reads.front() : *it;
}

void completeWith(ResReadRequest* request, u32 event) {
    request->area.done = 1;
    call(request, kResReadEndOfData);
    request->area.destination = nullptr;
    call(request, event);
}

// Reads as much of the request as the budget allows; the archive's file lock is held.
void serveLocked(ResReadRequest* request, u32 budgetMs) {
    ResReadArea& area = request->area;
    if (area.done) return;  // its events are over; only finishing is left
    if (area.destination == nullptr) {
        area.destination = call(request, kResReadBegin);
        if (area.destination == nullptr) {
            area.done = 1;
            return;
        }
    }
    const u32 start = plat::clockMillis();
    while (area.bytesDone < area.count) {
        u32 chunk = area.count - area.bytesDone;
        if (budgetMs != kResNoLimit) {
            const u32 elapsed = plat::clockMillis() - start;
            if (elapsed >= budgetMs) return;
            // In 64 bits: a long budget must not wrap round to a chunk of nothing.
            const u64 allowed = (u64(budgetMs - elapsed) * kBytesPerMs + kChunkUnit) / kChunkUnit * kChunkUnit;
            chunk = u32(std::min<u64>(chunk, allowed));
        }
        u32 got = chunk;
        const EngineErr err = resReadResource(request->ref, static_cast<u8*>(area.destination) + area.bytesDone, &got,
                                              area.offset + area.bytesDone);
        if (err != kErrNone) {
            completeWith(request, kResReadFailed);
            return;
        }
        area.bytesDone += got;
    }
    completeWith(request, kResReadCompleted);
}

void unlink(ArchiveMap& map, ResReadRequest* request) {
    if (map.nextRead == request) map.nextRead = followerOf(map, request);
    map.reads.erase(std::find(map.reads.begin(), map.reads.end(), request));
    if (map.reads.empty()) {
        auto& list = resManager.readingArchives;
        list.erase(std::remove(list.begin(), list.end(), &map), list.end());
    }
    (map.background ? resManager.backgroundReads : resManager.foregroundReads)--;
    if (resManager.backgroundReads == 0 && resManager.reader != nullptr && osmGetCurrentThread() != resManager.reader) {
        osmDeleteObject(resManager.reader);
        resManager.reader = nullptr;
    }
    const u16 index = resRefIndex(request->ref);
    if (index <= map.state.size()) {
        ResState& s = map.stateOf(index);
        s.pendingReads = u8((s.pendingReads - 1) & 0x1F);
    }
}

void release(ResReadRequest* request) {
    request->tag = 0;
    delete request;
}

void unlinkAndFree(ArchiveMap& map, ResReadRequest* request) {
    unlink(map, request);
    release(request);
}

// Ends a request that is neither done nor being served; the file lock is held.
void finishLocked(ArchiveMap& map, ResReadRequest* request) {
    if (!request->area.done) {
        request->area.done = 1;
        if (request->area.destination != nullptr) call(request, kResReadEndOfData);
        request->area.destination = nullptr;
        call(request, kResReadCancelled);
    }
    if (request->area.busy > 0) {
        request->abandoned = true;
        return;
    }
    unlinkAndFree(map, request);
}

ArchiveMap* mapOfRequest(const ResReadRequest* request) { return resMapForRef(request->ref); }

void* loadCallback(u32 event, ResourceRef ref, ResReadArea* area) {
    ResReadRequest* request = requestOf(area);
    auto notify = [&](u32 result) { request->loadCallback(result, ref, &request->loadUserValue); };
    switch (event) {
    case kResReadBegin: {
        if (resGetResourceHandle(ref) != 0) {
            notify(kResReadCompleted);
            return nullptr;
        }
        request->loadHandle = memAllocHandle(area->count);
        void* data = request->loadHandle ? memLockHandle(request->loadHandle) : nullptr;
        // The request ends without further events: its caller must still hear of the failure.
        if (data == nullptr) {
            if (request->loadHandle) memFreeHandle(request->loadHandle);
            request->loadHandle = 0;
            notify(kResReadFailed);
        }
        return data;
    }
    case kResReadEndOfData:
        memUnlockHandle(request->loadHandle);
        return nullptr;
    case kResReadCancelled:
    case kResReadFailed:
        memFreeHandle(request->loadHandle);
        notify(event);
        return nullptr;
    default:
        break;
    }
    const EngineErr err = resAdoptLoadedData(ref, request->loadHandle);
    notify(err == kErrNone ? kResReadCompleted : kResReadFailed);
    return nullptr;
}

// Compare pointers only: the archive may be gone.
bool isOpen(const ArchiveMap* map) {
    return std::any_of(resManager.chain.begin(), resManager.chain.end(), [&](auto& m) { return m.get() == map; });
}

bool hasReads(const ArchiveMap* map) {
    const auto& list = resManager.readingArchives;
    return std::find(list.begin(), list.end(), map) != list.end();
}

// Serves the background archives in turn, one request per round, yielding between rounds.
void readerMain(void*) {
    osmThread* self = osmGetCurrentThread();
    while (resManager.backgroundReads > 0) {
        osmSetThreadPriority(self, kReaderBusyPriority);
        auto& archives = resManager.readingArchives;
        if (resManager.readerCursor >= archives.size()) resManager.readerCursor = 0;
        ArchiveMap* map = archives.empty() ? nullptr : archives[resManager.readerCursor];
        if (map != nullptr && map->background && !map->reads.empty()) {
            if (map->file->lock(kResNoLimit) == kErrNone) {
                // While the reader waited for the file, the archive's reads may have been
                // served or cancelled, or the archive closed.
                if (hasReads(map)) {
                    ResReadRequest* request = chooseNext(*map);
                    ++request->area.busy;
                    serveLocked(request, kResNoLimit);
                    --request->area.busy;
                    map->nextRead = followerOf(*map, request);
                    finishLocked(*map, request);
                    map->file->unlock();
                } else if (isOpen(map)) {
                    map->file->unlock();
                }
            }
        } else {
            ++resManager.readerCursor;
        }
        osmSetThreadPriority(self, kReaderIdlePriority);
        osmSleep(0);
    }
    resManager.reader = nullptr;
    osmDeleteObject(self);
}

EngineErr startReader() {
    osmThread* reader = osmCreateThread(readerMain, nullptr, kReaderStack, kReaderIdlePriority);
    if (reader == nullptr) return osmGetLastError();
    if (const EngineErr err = osmResumeThread(reader)) {
        osmDeleteObject(reader);
        return err;
    }
    resManager.reader = reader;
    return kErrNone;
}

ResReadRequest* queue(ArchiveMap& map, ResourceRef ref, ResReadCallback callback, u32 userValue, u32 count, u32 offset,
                      bool backgroundLoad) {
    auto* request = new (std::nothrow) ResReadRequest{};
    if (request == nullptr) return resSetError(kResErrOutOfMemory), nullptr;
    const u16 index = resRefIndex(ref);
    request->tag = kRequestTag;
    request->ref = ref;
    request->callback = callback;
    request->area = ResReadArea{userValue, nullptr, offset, count, 0, map.entryOf(index).offset, 0, 0};
    request->backgroundLoad = backgroundLoad;
    ResState& s = map.stateOf(index);
    s.pendingReads = u8((s.pendingReads + 1) & 0x1F);
    map.reads.insert(std::upper_bound(map.reads.begin(), map.reads.end(), request, servedBefore), request);
    if (map.reads.size() == 1) {
        resManager.readingArchives.push_back(&map);
        map.nextRead = request;
    }
    (map.background ? resManager.backgroundReads : resManager.foregroundReads)++;
    if (map.stateOf(index).flags & kStateLoaded) {
        serveLocked(request, kResNoLimit);
        finishLocked(map, request);
        resSetError(kErrNone);
        return nullptr;
    }
    if (map.background && resManager.reader == nullptr) {
        if (const EngineErr err = startReader()) {
            finishLocked(map, request);
            return resSetError(err), nullptr;
        }
    }
    resSetError(kErrNone);
    return request;
}

}  // namespace

ResReadRequest* resQueueRead(ResourceRef ref, ResReadCallback callback, u32 userValue, u32 count, u32 offset) {
    ArchiveMap* map = resMapForRef(ref);
    if (map == nullptr) return nullptr;
    ArchiveLock lock(*map);
    if (lock.error() != kErrNone) return resSetError(lock.error()), nullptr;
    const u32 size = map->entryOf(resRefIndex(ref)).size;
    if (offset > size || u64(offset) + count > size) return resSetError(kResErrBeyondEnd), nullptr;
    return queue(*map, ref, callback, userValue, count, offset, false);
}

ResReadRequest* resLoadResourceAsync(ResourceRef ref, ResLoadCallback callback, u32 userValue) {
    ArchiveMap* map = resMapForRef(ref);
    if (map == nullptr) return nullptr;
    ArchiveLock lock(*map);
    if (lock.error() != kErrNone) return resSetError(lock.error()), nullptr;
    const u16 index = resRefIndex(ref);
    if (map->stateOf(index).flags & kStateLoaded) {
        callback(kResReadCompleted, ref, &userValue);
        return resSetError(kErrNone), nullptr;
    }
    const u32 size = map->entryOf(index).size;
    if (size == 0) {
        const bool loaded = resLoadResource(ref, 0) != 0;
        callback(loaded ? kResReadCompleted : kResReadFailed, ref, &userValue);
        return nullptr;
    }
    ResReadRequest* request = queue(*map, ref, loadCallback, 0, size, 0, true);
    if (request != nullptr) {
        request->loadCallback = callback;
        request->loadUserValue = userValue;
    }
    return request;
}

u16 resServiceRead(ResReadRequest* request, u32 budgetMs) {
    if (!validRequest(request)) return kResBadRequest;
    if (request->area.done || budgetMs == 0) return request->area.done;
    ArchiveMap* map = mapOfRequest(request);
    if (map == nullptr) return kResBadRequest;
    if (map->background && budgetMs != kResNoLimit) return request->area.done;
    ++request->area.busy;
    const EngineErr err = map->file->lock(budgetMs);
    if (err != kErrNone) {
        --request->area.busy;
        return err == kOsErrInUse ? request->area.done : err;
    }
    map->nextRead = request;
    serveLocked(request, budgetMs);
    const u16 done = request->area.done;
    --request->area.busy;
    if (request->abandoned && request->area.busy == 0) unlinkAndFree(*map, request);
    map->file->unlock();
    return done;
}

EngineErr resFinishRead(ResReadRequest* request) {
    if (!validRequest(request)) return resSetError(kResErrBadReference);
    if (request->orphaned) {
        release(request);
        return resSetError(kErrNone);
    }
    ArchiveMap* map = mapOfRequest(request);
    if (map == nullptr) return resManager.lastError;
    ArchiveLock lock(*map);
    finishLocked(*map, request);
    return resSetError(kErrNone);
}

u16 resServiceReads(ResMapHandle handle, u32 budgetMs) {
    ArchiveMap* map = resMapFor(handle);
    if (map == nullptr) return kResBadRequest;
    if (budgetMs == 0 || (map->background && budgetMs != kResNoLimit)) return map->reads.empty() ? 0 : 1;
    const EngineErr err = map->file->lock(budgetMs);
    if (err != kErrNone) return resSetError(err);
    const u32 start = plat::clockMillis();
    ResReadRequest* request = chooseNext(*map);
    while (request != nullptr) {
        u32 left = kResNoLimit;
        if (budgetMs != kResNoLimit) {
            const u32 elapsed = plat::clockMillis() - start;
            if (elapsed >= budgetMs) break;
            left = budgetMs - elapsed;
        }
        ++request->area.busy;
        serveLocked(request, left);
        --request->area.busy;
        if (!request->area.done) break;
        ResReadRequest* follower = followerOf(*map, request);
        finishLocked(*map, request);
        request = follower;
    }
    map->nextRead = request;
    map->file->unlock();
    resSetError(kErrNone);
    return map->reads.empty() ? 0 : 1;
}

// A callback run by an earlier request of a walk may have finished (and freed) later ones.
static bool stillQueued(const ArchiveMap& map, const ResReadRequest* request) {
    return std::find(map.reads.begin(), map.reads.end(), request) != map.reads.end();
}

void resCancelQueued(ArchiveMap& map, u16 index) {
    const std::vector<ResReadRequest*> reads = map.reads;
    for (ResReadRequest* r : reads) {
        if (!stillQueued(map, r)) continue;
        if ((index == 0 || resRefIndex(r->ref) == index) && !r->area.done && r->area.busy == 0) finishLocked(map, r);
    }
}

void resDropQueued(ArchiveMap& map) {
    resCancelQueued(map, 0);
    const std::vector<ResReadRequest*> reads = map.reads;
    for (ResReadRequest* r : reads) {
        if (r->area.busy != 0) continue;
        unlink(map, r);
        r->orphaned = true;
    }
}

void resCompleteQueued(ArchiveMap& map, u16 index) {
    const std::vector<ResReadRequest*> reads = map.reads;
    for (ResReadRequest* r : reads) {
        if (!stillQueued(map, r) || resRefIndex(r->ref) != index || r->area.done || r->area.busy != 0) continue;
        ++r->area.busy;
        serveLocked(r, kResNoLimit);
        --r->area.busy;
        finishLocked(map, r);
    }
}

// Runs `step` on the archive and index of a reference, under the archive's file lock.
static EngineErr withResource(ResourceRef ref, void (*step)(ArchiveMap&, u16)) {
    ArchiveMap* map = resMapForRef(ref);
    if (map == nullptr) return resManager.lastError;
    ArchiveLock lock(*map);
    step(*map, resRefIndex(ref));
    return resSetError(kErrNone);
}

EngineErr resCancelReads(ResourceRef ref) { return withResource(ref, resCancelQueued); }

EngineErr resCompleteReads(ResourceRef ref) { return withResource(ref, resCompleteQueued); }

void resLoadAtOpen(ArchiveMap& map) {
    auto ignore = [](u32, ResourceRef, u32*) {};
    for (u16 index = 1; index <= map.table.entries.size(); ++index) {
        const FileEntry& e = map.entryOf(index);
        if ((e.flags & kResFlagLoadAtOpen) && !e.isFree())
            resLoadResourceAsync((ResourceRef(index) << 16) | map.handle, ignore, 0);
    }
    resServiceReads(map.handle, kResNoLimit);
}
