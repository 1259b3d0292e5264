#include "engine/files/MoveFileOrFolder.h"

#include "engine/files/FolderTree.h"
#include "engine/files/OsRequests.h"
#include "engine/files/OsState.h"

namespace {

EngineErr moveOnVolume(const Path* source, const Path* destination) {
    VolumeRecord* volume = nullptr;
    char from[kSystemTextSize];
    char to[kSystemTextSize];
    if (const EngineErr error = pathGetSystemPath(source, &volume, from)) return error;
    if (const EngineErr error = pathGetSystemPath(destination, &volume, to)) return error;
    u16 kind = 0;
    if (const EngineErr error = osGetPathKind(source, &kind)) return error;
    if (osIsPathInUse(volume, from, kind)) return kOsErrInUse;
    asyncMoveFile move(from, to);
    return osRunRequest(move, from);
}

EngineErr moveAcrossVolumes(const Path* source, const Path* destination) {
    if (const EngineErr error = CopyFolderTree(source, destination)) return error;
    if (const EngineErr error = CompareFolderTrees(source, destination)) return error;
    return DeleteFolderTree(source);
}

}  // namespace

EngineErr MoveFileOrFolder(const Path* source, const Path* destination, u16 replace) {
    const EngineErr same = pathCompare(source, destination);
    if (same == kErrNone) return osSetLastError(kErrNone);
    if (same != kOsErrDifferent) return same;
    if (const EngineErr error = pathCheckExists(source)) return error;
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
