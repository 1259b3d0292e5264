// Opening and creating archive files through the OS services.
#include <cstring>
#include <memory>

#include "engine/resources/ArchiveMap.h"
#include "engine/resources/OsArchiveFile.h"

namespace {

constexpr u16 kReadWriteShared = kOsOpenRead | kOsOpenWrite | kOsOpenShareRead;
constexpr u16 kReadWriteExclusive = kOsOpenRead | kOsOpenWrite | kOsOpenExclusive;
constexpr u16 kReadShared = kOsOpenRead | kOsOpenShareRead;
constexpr u16 kReadExclusive = kOsOpenRead | kOsOpenExclusive;
constexpr u16 kCreate = kOsOpenRead | kOsOpenWrite | kOsOpenExclusive | kOsOpenCreateNew;

class PathHold {
public:
    PathHold() { pathInitEmpty(&path_); }
    ~PathHold() { pathRelease(&path_); }
    PathHold(const PathHold&) = delete;
    PathHold& operator=(const PathHold&) = delete;
    Path* get() { return &path_; }

private:
    Path path_;
};

// Writes a new, empty archive into the file, which it closes.
EngineErr writeNewArchive(OsFile* file, const Path* path) {
    OsArchiveFile archive(file, path);
    const EngineErr err = resCreateArchive(archive);
    const EngineErr closeErr = archive.close(false);
    return err != kErrNone ? err : closeErr;
}

}  // namespace

ResMapHandle resOpenFile(const Path* path, u16 readOnly, u16 shareRead) {
    for (auto& open : resManager.chain) {
        if (open->file->isAt(path)) {
            ++open->openCount;
            resSetError(kErrNone);
            return open->handle;
        }
    }
    OsFile* file = nullptr;
    bool writable = readOnly == 0;
    if (writable) {
        file = osOpenFile(path, shareRead ? kReadWriteShared : kReadWriteExclusive);
        if (file == nullptr && pathGetLastError() != kOsErrAccessDenied) return resSetError(pathGetLastError()), 0;
        writable = file != nullptr;
    }
    if (file == nullptr) {
        file = osOpenFile(path, resManager.shareReadOnly ? kReadShared : kReadExclusive);
        if (file == nullptr) return resSetError(pathGetLastError()), 0;
    }
    auto archive = std::make_unique<OsArchiveFile>(file, path);
    VolumeRecord* volume = nullptr;
    OsVolumeInfo info{};
    EngineErr err = pathGetVolume(path, &volume);
    if (err == kErrNone) err = osGetVolumeInfo(volume, &info);
    if (err != kErrNone) {
        archive->close(true);
        return resSetError(err), 0;
    }
    if (info.readOnlyMedia) writable = false;
    // Only a writer makes replacements, under the archive's exclusive write access.
    if (writable) osRemoveStaleReplacement(path);
    return resOpenArchive(std::move(archive), writable ? 0 : 1, info.backgroundReading);
}

// The new archive is written whole under the replacement's name and then given its own name
// only if that is still free, so that the name never stands for a part-written file.
EngineErr resCreateFile(const Path* path) {
    if (pathCheckExists(path) == kErrNone) return resSetError(kOsErrExists);
    PathHold temporary;
    osReplacementPathOf(path, temporary.get());
    if (temporary.get()->record == nullptr) {
        // No room for another name beside it: the archive is written under its own.
        OsFile* file = osOpenFile(path, kCreate);
        return resSetError(file != nullptr ? writeNewArchive(file, path) : pathGetLastError());
    }
    // Only now is a replacement beside it stale: an existing archive's writer may be
    // compacting into one.
    osRemoveStaleReplacement(path);
    OsFile* file = osOpenFile(temporary.get(), kCreate);
    if (file == nullptr) return resSetError(pathGetLastError());
    EngineErr err = writeNewArchive(file, temporary.get());
    const char* text = path->record->text;
    const char* name = std::strrchr(text, '\\');
    if (err == kErrNone) err = osRenamePath(temporary.get(), name != nullptr ? name + 1 : text);
    if (err == kErrNone) err = osFlushFolderOf(path);
    else osDeletePath(temporary.get());
    return resSetError(err);
}

void resOpenSystemArchive() {
    PathHold folder;
    if (pathGetAppDirectory(folder.get()) == nullptr || folder.get()->record == nullptr) return;
    for (const char* name : {"SYSTEM.W32", "SYSTEM.KVR"}) {
        PathHold path;
        if (pathJoin(path.get(), folder.get(), name) == nullptr || path.get()->record == nullptr) continue;
        // Read only and shared: the system archive is the program's, read by every running copy
        // of every user at once, and a copy writing its map back would tear it under the others.
        const ResMapHandle map = resOpenFile(path.get(), 1, 1);
        if (map != 0) {
            resManager.systemArchive = map;
            return;
        }
    }
}
