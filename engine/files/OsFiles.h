#pragma once
// Files and folders. An open file is an object with its own engine mutex, which serialises
// its system calls and is also the lock osLockFile gives to clients (the resource manager
// holds it for a whole archive operation). Every operation names its file by a Path, makes
// the path's volume available first (so a missing disc is asked for), runs its system call as
// a request with the retry protocol, and reports engine codes (engine/OsServices.h).
//
// The drive mutex is taken inside the file mutex, never the other way round.
#include "engine/base/EngineTypes.h"
#include "engine/os/OsMutex.h"
#include "engine/files/Paths.h"
#include "platform/files/Files.h"

constexpr FourCC kFileTag = fourCC("FILE");

enum OsOpenMode : u16 {
    kOsOpenRead = 0x0001,
    kOsOpenWrite = 0x0002,
    kOsOpenShareRead = 0x0010,
    kOsOpenShareWrite = 0x0020,
    kOsOpenExclusive = 0x0040,  // exclusivity comes from the share bits being clear
    kOsOpenAlways = 0x0100,
    kOsOpenCreateNew = 0x0200,
    kOsOpenAtEnd = 0x1000,
    kOsOpenRefused = 0x2000,
    kOsOpenTruncate = 0x4000,
};

enum OsPathKind : u16 {
    kOsKindFile = 0x1,
    kOsKindFolder = 0x2,
    kOsKindHidden = 0x4,
    kOsKindReadOnly = 0x8,
};

enum OsSeekOrigin : u16 { kOsSeekStart = 0, kOsSeekCurrent = 1, kOsSeekEnd = 2 };

struct OsFile {
    FourCC tag;
    OsFile* next;
    OsFile* previous;
    VolumeRecord* volume;
    OsMutex* mutex;
    u16 mode;
    plat::FileHandle handle;
    char text[kSystemTextSize];
};

// (name, context) → non-zero stops the enumeration, which still succeeds.
using OsEnumCallback = u16 (*)(const char* name, void* context);

OsFile* osOpenFile(const Path* path, u16 mode);
EngineErr osCloseFile(OsFile* file, u16 force);
EngineErr osReadFile(OsFile* file, void* buffer, u32* count);
// Reads at `offset` and leaves the file's position where it was. A small read of bytes the
// system holds in memory is served on the calling thread (asyncReadFileAt).
EngineErr osReadFileAt(OsFile* file, u32 offset, void* buffer, u32* count);
EngineErr osWriteFile(OsFile* file, const void* data, u32* count);
i32 osSeekFile(OsFile* file, i32 offset, u16 origin);
EngineErr osSetFileSize(OsFile* file, u32 size);
// Sizes are 64-bit: a user's movie may pass 4 GB.
i64 osGetFileSize(OsFile* file);
EngineErr osGetFilePath(OsFile* file, Path* path);
// Returns once what was written to the file is on the disk.
EngineErr osFlushFile(OsFile* file);
// Moves the file `source` over the one `file` has open, in one step; `file` then reads and
// writes the moved bytes. osFlushFolderOf makes the move last through a power loss.
EngineErr osReplaceOpenFile(OsFile* file, const Path* source);
EngineErr osLockFile(OsFile* file, u32 timeoutMs);
void osUnlockFile(OsFile* file);

EngineErr osCreatePath(const Path* path, u16 kind);
EngineErr osDeletePath(const Path* path);
EngineErr osRenamePath(const Path* path, const char* newName);
// Moves the file `source` over `target` in one step, so that the target is never seen half
// written; both lie on one volume. Used to rewrite a file through a temporary file.
EngineErr osReplacePath(const Path* source, const Path* target);
// The file that is written whole beside `path` and then moved over it is named as the path
// with this added. One that a stopped writer left behind holds nothing anyone committed and
// is removed when found, so the name is one no user gives a file of their own (as a user
// may well name a copy "picture.kvr.tmp").
constexpr const char* kOsReplacementSuffix = ".~tumblo.tmp";
// The replacement's path, or an empty path when the name would pass the length limit.
void osReplacementPathOf(const Path* path, Path* replacement);
// Removes a replacement left beside `path`; finding none is no error.
void osRemoveStaleReplacement(const Path* path);
// Makes the latest new, moved and removed names in the folder holding `path` last through a
// power loss.
EngineErr osFlushFolderOf(const Path* path);
EngineErr osGetPathKind(const Path* path, u16* kind);
EngineErr osGetAttributes(const char* systemText, u32* attributes);
EngineErr osSetAttributes(const char* systemText, u32 attributes);
i64 osGetPathSize(const Path* path);
EngineErr pathCheckExists(const Path* path);
// Both enumerate the current folder.
EngineErr osEnumFiles(OsEnumCallback callback, void* context);
EngineErr osEnumFolders(OsEnumCallback callback, void* context);
u16 osIsPathInUse(VolumeRecord* volume, const char* systemText, u16 kind);
