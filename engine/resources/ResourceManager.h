#pragma once
// The resource manager: a chain of open resource archives searched newest first, whose
// typed resources are loaded into engine memory handles with lock counts, read in parts,
// written, added, removed, and written back by updating the archive's directory.
//
// Archives are named by map handles (engine handles tagged "RMAP"); a resource by a
// ResourceRef: the map handle in the low 16 bits, the file-table index in the high 16.
// Every call sets the manager's last error (resGetLastError). Calls that use an archive
// hold its file lock for their whole duration; the manager is otherwise single-threaded
// (engine threads all run on the user-interface thread).
//
// Loaded data handles belong to the manager (they carry its owner slot, so memFreeHandle
// refuses them) until resGetResourceData hands one out. A handle marked changed is written
// back by resUpdateFile, by closing, before it is released, and before it is purged.
#include <memory>

#include "engine/base/EngineTypes.h"
#include "engine/base/MemoryHandles.h"
#include "engine/files/Paths.h"
#include "engine/resources/ArchiveFile.h"
#include "engine/resources/format/ResourceErrors.h"

using ResourceRef = u32;
using ResMapHandle = u16;

constexpr u32 kResAppend = 0xFFFFFFFFu;
constexpr u16 kResRefused = 0xFFFF;

inline ResMapHandle resRefMap(ResourceRef ref) { return ResMapHandle(ref & 0xFFFF); }
inline u16 resRefIndex(ResourceRef ref) { return u16(ref >> 16); }

// (entry of the id table: id then file-table index, context) → non-zero stops the walk.
using ResEnumCallback = u16 (*)(const u16* idAndIndex, void* context);

EngineErr resInit();
EngineErr resShutdown();
EngineErr resGetLastError();

// Opens the archive file at `path`: for reading and writing unless readOnly (or the file
// may not be written, or lies on read-only media); others may read it while shareRead.
// A path already open raises that archive's open count and returns its map.
ResMapHandle resOpenFile(const Path* path, u16 readOnly, u16 shareRead);
// Creates a new, empty archive; an existing file is refused (kOsErrExists).
EngineErr resCreateFile(const Path* path);
// Opens the archive in `file`, which the manager owns from now on, even on failure.
// `background`: its queued reads are served by the reader thread.
ResMapHandle resOpenArchive(std::unique_ptr<ArchiveFile> file, u16 readOnly, u16 background);
// Writes a new, empty archive into a newly created, empty file.
EngineErr resCreateArchive(ArchiveFile& file);
EngineErr resCloseFile(ResMapHandle map, u16 compact, u16 force);
EngineErr resUpdateFile(ResMapHandle map);
ResMapHandle resUseFile(ResMapHandle map);

ResourceRef resFindResource(FourCC type, u16 id, ResMapHandle map);
memHandle resLoadResource(ResourceRef ref, u16 lock);
EngineErr resReleaseResource(ResourceRef ref, u16 unlock);
memHandle resGetResourceData(ResourceRef ref, memHandle newHandle);
memHandle resGetResourceHandle(ResourceRef ref);
i32 resGetResourceSize(ResourceRef ref);
EngineErr resReadResource(ResourceRef ref, void* buffer, u32* count, u32 offset);
EngineErr resWriteResource(ResourceRef ref, const void* data, u32 count, u32 offset);
ResourceRef resAddResource(FourCC type, u16 id, const char* name);
EngineErr resRemoveResource(ResourceRef ref);
EngineErr resGetResourceInfo(ResourceRef ref, ArchiveFile** file, u32* dataOffset, u32* size);
EngineErr resEnumResources(ResMapHandle map, FourCC type, ResEnumCallback callback, void* context);
u16 resSetResourceFlag(ResourceRef ref, u16 purgeable);
i32 resSetResourceAttr(ResourceRef ref, u16 changed);
u16 resSetResourceProtected(ResourceRef ref, u16 on);
