#include "engine/files/MoveFileOrFolder.h"

#include "engine/files/FolderTree.h"
#include "engine/files/OsRequests.h"
#include "engine/files/OsState.h"
#include "engine/files/RelativePaths.h"

namespace {

// Asked before an existing destination is deleted: a source that cannot be moved must not
// cost the user the file it was to replace.
EngineErr checkSourceFree(const Path* source) {
    VolumeRecord* volume = nullptr;
    char from[kSystemTextSize];
    if (const EngineErr error = pathGetSystemPath(source, &volume, from)) return error;
    u16 kind = 0;
    if (const EngineErr error = osGetPathKind(source, &kind)) return error;
    return osIsPathInUse(volume, from, kind) ? kOsErrInUse : kErrNone;
}

EngineErr moveOnVolume(const Path* source, const Path* destination) {
    VolumeRecord* volume = nullptr;
    char from[kSystemTextSize];
    char to[kSystemTextSize];
    if (const EngineErr error = pathGetSystemPath(source, &volume, from)) return error;
    if (const EngineErr error = pathGetSystemPath(destination, &volume, to)) return error;
    asyncMoveFile move(from, to);
    return osRunRequest(move, from);
}

// The destination is known to be free: whatever a failed copy left there is taken away
// again, so the source stays the one whole copy and nothing is left half moved.
EngineErr moveAcrossVolumes(const Path* source, const Path* destination) {
    EngineErr error = CopyFolderTree(source, destination);
    if (error == kErrNone) error = CompareFolderTrees(source, destination);
    if (error == kErrNone) return DeleteFolderTree(source);
    if (pathCheckExists(destination) == kErrNone) DeleteFolderTree(destination);
    return error;
}

// Whether one of the two lies inside the other: replacing would delete the source, or a part
// of it, and no move can put a folder inside itself.
bool nested(const Path* source, const Path* destination) {
    u16 inside = 0;
    if (IsPathInFolder(source, destination, &inside) == kErrNone && inside) return true;
    return IsPathInFolder(destination, source, &inside) == kErrNone && inside;
}

}  // namespace

EngineErr MoveFileOrFolder(const Path* source, const Path* destination, u16 replace) {
    const EngineErr same = pathCompare(source, destination);
    if (same == kErrNone) return osSetLastError(kErrNone);
    if (same != kOsErrDifferent) return same;
    if (const EngineErr error = pathCheckExists(source)) return error;
    if (nested(source, destination)) return osSetLastError(kOsErrBadPath);
    if (const EngineErr error = checkSourceFree(source)) return osSetLastError(error);
    const EngineErr there = pathCheckExists(destination);
    if (there == kErrNone) {
        if (!replace) return osSetLastError(kOsErrExists);
        if (const EngineErr error = DeleteFolderTree(destination)) return error;
    } else if (there != kOsErrNotFound) {
        return there;
    }
    const bool oneVolume = source->record->volume == destination->record->volume;
    return osSetLastError(oneVolume ? moveOnVolume(source, destination) : moveAcrossVolumes(source, destination));
}
