#include "engine/files/FileRoom.h"

#include "engine/files/OsFiles.h"
#include "engine/files/OsState.h"

namespace {

bool sameFolder(const Path* a, const Path* b) {
    Path folderA;
    Path folderB;
    pathJoin(&folderA, a, "..");
    pathJoin(&folderB, b, "..");
    const bool same = folderA.record && folderB.record && pathCompare(&folderA, &folderB) == kErrNone;
    pathRelease(&folderA);
    pathRelease(&folderB);
    return same;
}

}  // namespace

u16 IsPathWritable(const Path* path) {
    u16 kind = 0;
    const EngineErr error = osGetPathKind(path, &kind);
    if (error == kOsErrNotFound) return 1;
    if (error || (kind & (kOsKindFolder | kOsKindReadOnly))) return 0;
    OsVolumeInfo info{};
    if (osGetVolumeInfo(path->record->volume, &info) || info.readOnlyMedia) return 0;
    return 1;
}

EngineErr CheckRoomForCopy(const Path* source, const Path* destination, u16 replace) {
    if (!source->record || !destination->record) return osSetLastError(kOsErrBadPath);
    u64 needed = kCopyRoomMargin;
    if (!(replace && sameFolder(source, destination))) {
        const i64 size = osGetPathSize(source);
        if (size < 0) return pathGetLastError();
        needed += u64(size);
    }
    const u64 free = osGetVolumeFreeSpace(destination->record->volume);
    if (needed < free) return osSetLastError(kErrNone);
    if (replace) {
        const i64 existing = osGetPathSize(destination);
        if (existing >= 0 && needed < free + u64(existing)) return osSetLastError(kErrNone);
    }
    return osSetLastError(kOsErrDiskFull);
}
