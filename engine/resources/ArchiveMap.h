#pragma once
// Inside the resource manager: the in-memory state of each open archive and of the
// manager, shared by the files that implement its operations. Not for other modules.
#include <memory>
#include <vector>

#include "engine/resources/format/ArchiveFormat.h"
#include "engine/resources/ArchiveStorage.h"
#include "engine/os/OsThreads.h"
#include "engine/resources/QueuedReads.h"
#include "engine/resources/ResourceManager.h"

constexpr u8 kStateAttached = 0x01;  // a memory handle is attached (maybe purged and empty)
constexpr u8 kStateChanged = 0x02;   // the handle's data is to be written back
constexpr u8 kStateLoaded = 0x04;    // the attached handle holds the data

struct ResState {
    u8 lockCount = 0;
    u8 pendingReads = 0;
    u8 flags = 0;
    memHandle handle = 0;
};

struct ArchiveMap {
    ResMapHandle handle = 0;
    u16 openCount = 1;
    std::unique_ptr<ArchiveFile> file;
    std::unique_ptr<ArchiveStorage> storage;
    bool readOnly = false;
    bool background = false;
    ResDirectory directory;
    FileTable table;
    std::vector<ResState> state;  // state[n - 1] belongs to file-table entry n
    u32 fileLength = 0;
    u32 filePosition = 0;
    u32 directoryOffset = 0;
    u32 directorySpace = 0;  // 0: no place yet, the next update writes at the end
    u16 flags = 0;
    bool dirty = false;
    u16 changedCount = 0;
    // Enumeration and read callbacks under way: the archive must outlive them.
    u16 callbackDepth = 0;
    // Queued reads, sorted by file position; served from `nextRead` on.
    std::vector<ResReadRequest*> reads;
    ResReadRequest* nextRead = nullptr;

    ResState& stateOf(u16 index) { return state[index - 1u]; }
    FileEntry& entryOf(u16 index) { return table.at(index); }
};

struct ResManagerState {
    bool initialised = false;
    bool shareReadOnly = true;
    ResMapHandle systemArchive = 0;
    EngineErr lastError = kErrNone;
    u16 ownerSlot = 0;
    MemPurgeCallback previousPurge = nullptr;
    memHandle scratch = 0;
    std::vector<std::unique_ptr<ArchiveMap>> chain;  // newest first
    ResMapHandle current = 0;                        // 0: the newest archive
    std::vector<ArchiveMap*> readingArchives;        // archives with queued reads
    size_t readerCursor = 0;                         // the archive the reader looks at
    u32 backgroundReads = 0;
    u32 foregroundReads = 0;
    osmThread* reader = nullptr;
};

extern ResManagerState& resManager;

EngineErr resSetError(EngineErr error);
ArchiveMap* resMapFor(ResMapHandle handle);
// The archive and entry of a live resource, or nullptr with kResErrBadReference.
ArchiveMap* resMapForRef(ResourceRef ref);

// Holds an archive's file lock for the scope of one operation.
class ArchiveLock {
public:
    explicit ArchiveLock(ArchiveMap& map) : map_(map), error_(map.file->lock(0xFFFFFFFFu)) {}
    ~ArchiveLock() {
        if (error_ == kErrNone) map_.file->unlock();
    }
    ArchiveLock(const ArchiveLock&) = delete;
    ArchiveLock& operator=(const ArchiveLock&) = delete;
    EngineErr error() const { return error_; }

private:
    ArchiveMap& map_;
    EngineErr error_;
};

// Operations shared between the manager's files, all with the file lock held.
EngineErr resWriteBytes(ArchiveMap& map, u16 index, const void* data, u32 count, u32 offset);
EngineErr resWriteBack(ArchiveMap& map, u16 index);
// Writes back one changed resource and then the directory, so that the file holds it.
EngineErr resWriteBackOne(ArchiveMap& map, u16 index);
EngineErr resWriteDirectory(ArchiveMap& map);
EngineErr resAttachHandle(ArchiveMap& map, u16 index, memHandle handle);
EngineErr resDetachAndFree(ArchiveMap& map, u16 index);
EngineErr resCompact(ArchiveMap& map);
// Makes a handle read in the background the resource's data, unless the resource got
// loaded meanwhile; the handle is the manager's afterwards either way.
EngineErr resAdoptLoadedData(ResourceRef ref, memHandle handle);
// Cancels every queued read of the archive (index 0) or of one resource.
void resCancelQueued(ArchiveMap& map, u16 index);
// Cancels every read of a closing archive; requests already served leave the archive but
// stay valid until their callers finish them.
void resDropQueued(ArchiveMap& map);
// Serves every pending read of the resource at once, then finishes it.
void resCompleteQueued(ArchiveMap& map, u16 index);
// Loads the resources flagged to be loaded when the archive opens.
void resLoadAtOpen(ArchiveMap& map);
// Opens "SYSTEM.W32", else "SYSTEM.KVR", in the program's folder when there is one.
void resOpenSystemArchive();
// Moves bytes inside the archive file, lowest chunk first, so that data moving down onto
// itself stays whole.
EngineErr resCopyWithin(ArchiveMap& map, u32 from, u32 to, u32 count);
