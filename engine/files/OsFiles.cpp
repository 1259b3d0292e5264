// Open files: opening with the engine's modes, reading and writing with short-count
// reporting, seeking and resizing, and the file's lock.
#include "engine/files/OsFiles.h"

#include <cstring>
#include <new>

#include "engine/files/OsRequests.h"
#include "engine/files/OsState.h"
#include "engine/os/OsThreads.h"
#include "platform/clock/Clock.h"

namespace {

bool isOpenFile(const OsFile* file) { return file && file->tag == kFileTag; }

void linkFile(OsFile* file) {
    file->next = gOs.files;
    file->previous = nullptr;
    if (gOs.files) gOs.files->previous = file;
    gOs.files = file;
}

void unlinkAndFree(OsFile* file) {
    if (file->previous) file->previous->next = file->next;
    else gOs.files = file->next;
    if (file->next) file->next->previous = file->previous;
    file->tag = 0;
    delete file;
}

plat::FileDisposition dispositionOf(u16 mode) {
    if (mode & kOsOpenAlways) return plat::FileDisposition::OpenAlways;
    if (mode & kOsOpenCreateNew) return plat::FileDisposition::CreateNew;
    return plat::FileDisposition::OpenExisting;
}

// Positions without a request: moving the file pointer does not touch the device.
u64 seekTo(const OsFile* file, i64 offset, plat::SeekOrigin origin) {
    u64 position = 0;
    plat::fileSeek(file->handle, offset, origin, &position);
    return position;
}

EngineErr closeHandle(OsFile* file) {
    asyncCloseHandle request(file->handle);
    return osRunRequest(request, file->text);
}

// Opens the system handle and applies truncation and the start position.
EngineErr openHandle(OsFile* file, u16 mode) {
    const u32 access = (mode & (kOsOpenRead | kOsOpenWrite)) ? (mode & (kOsOpenRead | kOsOpenWrite)) : kOsOpenRead;
    const u32 share = ((mode & kOsOpenShareRead) ? plat::kFileShareRead : 0u) |
                      ((mode & kOsOpenShareWrite) ? plat::kFileShareWrite : 0u);
    asyncCreateFile create(file->text, access, share, dispositionOf(mode));
    if (const EngineErr error = osRunRequest(create, file->text)) return error;
    file->handle = create.handle;
    if (mode & kOsOpenTruncate) {
        seekTo(file, 0, plat::SeekOrigin::Start);
        asyncSetEndOfFile cut(file->handle);
        if (const EngineErr error = osRunRequest(cut, file->text)) {
            closeHandle(file);
            return osSetLastError(error);
        }
    }
    if (mode & kOsOpenAtEnd) seekTo(file, 0, plat::SeekOrigin::End);
    file->mutex = osMutexCreate();
    if (!file->mutex) {
        const EngineErr error = osmGetLastError();
        closeHandle(file);
        return osSetLastError(error);
    }
    return kErrNone;
}

}  // namespace

OsFile* osOpenFile(const Path* path, u16 mode) {
    OsMutexHold module(gOs.mutex);
    auto* file = new (std::nothrow) OsFile{};
    if (!file) return osSetLastError(kOsErrOutOfMemory), nullptr;
    file->tag = kFileTag;
    file->handle = plat::kNoFile;
    linkFile(file);
    EngineErr error = kOsErrModeRefused;
    if (!(mode & kOsOpenRefused)) {
        error = pathGetSystemPath(path, &file->volume, file->text);
        file->mode = mode;
        if (!error) error = openHandle(file, mode);
    }
    if (error) {
        unlinkAndFree(file);
        osSetLastError(error);
        return nullptr;
    }
    osSetLastError(kErrNone);
    return file;
}

EngineErr osCloseFile(OsFile* file, u16 force) {
    if (!isOpenFile(file)) return osSetLastError(kOsErrBadFile);
    OsMutexHold module(gOs.mutex);
    osMutexTake(file->mutex, kOsWaitForever);
    EngineErr error = osUseVolume(file->volume);
    if (!error) error = closeHandle(file);
    // A forced close frees the object, so its handle must not outlive it even when the disc
    // could not be checked first.
    else if (force) plat::fileClose(file->handle);
    if (error && !force) {
        osMutexRelease(file->mutex);
        return osSetLastError(error);
    }
    osMutexRelease(file->mutex);
    osMutexDelete(file->mutex);
    unlinkAndFree(file);
    return osSetLastError(error);
}

void osCloseAllFiles() {
    while (gOs.files) {
        OsFile* file = gOs.files;
        plat::fileClose(file->handle);
        osMutexDelete(file->mutex);
        unlinkAndFree(file);
    }
}

bool osVolumeHasOpenFile(const VolumeRecord* volume) {
    for (const OsFile* file = gOs.files; file; file = file->next) {
        if (file->volume == volume) return true;
    }
    return false;
}

template <typename Request, typename Buffer>
static EngineErr transfer(OsFile* file, Buffer buffer, u32* count) {
    const u32 asked = *count;
    *count = 0;
    if (!isOpenFile(file)) return osSetLastError(kOsErrBadFile);
    if (const EngineErr error = osUseVolume(file->volume)) return error;
    OsMutexHold hold(file->mutex);
    Request request(file->handle, buffer, asked);
    if (const EngineErr error = osRunRequest(request, file->text)) return error;
    file->volume->lastUse = plat::clockMillis();
    *count = request.done;
    return osSetLastError(request.done < asked ? kOsErrEndOfFile : kErrNone);
}

EngineErr osReadFile(OsFile* file, void* buffer, u32* count) { return transfer<asyncReadFile>(file, buffer, count); }

EngineErr osReadFileAt(OsFile* file, u32 offset, void* buffer, u32* count) {
    const u32 asked = *count;
    *count = 0;
    if (!isOpenFile(file)) return osSetLastError(kOsErrBadFile);
    if (const EngineErr error = osUseVolume(file->volume)) return error;
    OsMutexHold hold(file->mutex);
    asyncReadFileAt request(file->handle, offset, buffer, asked);
    if (const EngineErr error = osRunRequest(request, file->text)) return error;
    file->volume->lastUse = plat::clockMillis();
    *count = request.done;
    return osSetLastError(request.done < asked ? kOsErrEndOfFile : kErrNone);
}

EngineErr osWriteFile(OsFile* file, const void* data, u32* count) {
    return transfer<asyncWriteFile>(file, data, count);
}

i32 osSeekFile(OsFile* file, i32 offset, u16 origin) {
    if (!isOpenFile(file)) return osSetLastError(kOsErrBadFile), -1;
    if (origin == kOsSeekCurrent && offset == 0) {
        osSetLastError(kErrNone);
        return i32(seekTo(file, 0, plat::SeekOrigin::Current));
    }
    OsMutexHold hold(file->mutex);
    const i64 current = i64(seekTo(file, 0, plat::SeekOrigin::Current));
    const i64 size = i64(seekTo(file, 0, plat::SeekOrigin::End));
    const i64 target = origin == kOsSeekStart ? offset : origin == kOsSeekCurrent ? current + offset : size + offset;
    if (target > size) return osSetLastError(kOsErrEndOfFile), -1;
    if (target < 0) {
        seekTo(file, current, plat::SeekOrigin::Start);
        return osSetLastError(kOsErrEndOfFile), -1;
    }
    osSetLastError(kErrNone);
    return i32(seekTo(file, target, plat::SeekOrigin::Start));
}

EngineErr osSetFileSize(OsFile* file, u32 size) {
    if (!isOpenFile(file)) return osSetLastError(kOsErrBadFile);
    OsMutexHold hold(file->mutex);
    const u64 old = seekTo(file, 0, plat::SeekOrigin::Current);
    seekTo(file, size, plat::SeekOrigin::Start);
    asyncSetEndOfFile request(file->handle);
    if (const EngineErr error = osRunRequest(request, file->text)) {
        seekTo(file, i64(old), plat::SeekOrigin::Start);
        return error;
    }
    if (old < size) seekTo(file, i64(old), plat::SeekOrigin::Start);
    return osSetLastError(kErrNone);
}

i64 osGetFileSize(OsFile* file) {
    if (!isOpenFile(file)) return osSetLastError(kOsErrBadFile), -1;
    if (osUseVolume(file->volume)) return -1;
    OsMutexHold hold(file->mutex);
    const u64 current = seekTo(file, 0, plat::SeekOrigin::Current);
    const u64 size = seekTo(file, 0, plat::SeekOrigin::End);
    seekTo(file, i64(current), plat::SeekOrigin::Start);
    return i64(size);
}

EngineErr osGetFilePath(OsFile* file, Path* path) {
    pathInitEmpty(path);
    if (!isOpenFile(file)) return osSetLastError(kOsErrBadFile);
    pathFromVolume(path, file->volume, file->text + 2);
    return gOs.lastError;
}

EngineErr osFlushFile(OsFile* file) {
    if (!isOpenFile(file)) return osSetLastError(kOsErrBadFile);
    if (const EngineErr error = osUseVolume(file->volume)) return error;
    OsMutexHold hold(file->mutex);
    asyncFlushFile request(file->handle);
    return osSetLastError(osRunRequest(request, file->text));
}

EngineErr osReplaceOpenFile(OsFile* file, const Path* source) {
    if (!isOpenFile(file)) return osSetLastError(kOsErrBadFile);
    VolumeRecord* volume = nullptr;
    char from[kSystemTextSize];
    if (const EngineErr error = pathGetSystemPath(source, &volume, from)) return error;
    if (volume != file->volume) return osSetLastError(kOsErrBadPath);
    if (const EngineErr error = osUseVolume(file->volume)) return error;
    OsMutexHold hold(file->mutex);
    asyncReplaceOpenFile replace(file->handle, from, file->text);
    return osSetLastError(osRunRequest(replace, file->text));
}

EngineErr osLockFile(OsFile* file, u32 timeoutMs) {
    if (!isOpenFile(file)) return osSetLastError(kOsErrBadFile);
    const EngineErr taken = osMutexTake(file->mutex, timeoutMs);
    return osSetLastError(taken == kOsMutexTimeout ? kOsErrInUse : taken);
}

void osUnlockFile(OsFile* file) {
    if (isOpenFile(file)) osMutexRelease(file->mutex);
}
