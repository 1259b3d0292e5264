#include "engine/resources/OsArchiveFile.h"

#include <algorithm>
#include <cstdint>

namespace {

// Keeps the seek and the transfer after it together.
class FileLockHold {
public:
    explicit FileLockHold(OsFile* file) : file_(file) { osLockFile(file_, 0xFFFFFFFFu); }
    ~FileLockHold() { osUnlockFile(file_); }
    FileLockHold(const FileLockHold&) = delete;
    FileLockHold& operator=(const FileLockHold&) = delete;

private:
    OsFile* file_;
};

}  // namespace

OsArchiveFile::OsArchiveFile(OsFile* file, const Path* path) : file_(file) { pathInitCopy(&path_, path); }

OsArchiveFile::~OsArchiveFile() {
    if (replacement_) discard();
    if (file_ != nullptr) osCloseFile(file_, 1);
    pathRelease(&path_);
}

EngineErr OsArchiveFile::seek(u32 offset) {
    if (offset > length()) {
        if (const EngineErr err = osSetFileSize(file_, offset)) return err;
    }
    return osSeekFile(file_, i32(offset), kOsSeekStart) < 0 ? pathGetLastError() : kErrNone;
}

EngineErr OsArchiveFile::read(u32 offset, void* buffer, u32 count) { return osReadFileAt(file_, offset, buffer, &count); }

EngineErr OsArchiveFile::write(u32 offset, const void* data, u32 count) {
    FileLockHold hold(file_);
    if (const EngineErr err = seek(offset)) return err;
    return osWriteFile(file_, data, &count);
}

EngineErr OsArchiveFile::setLength(u32 length) { return osSetFileSize(file_, length); }

u32 OsArchiveFile::length() { return u32(std::clamp<i64>(osGetFileSize(file_), 0, UINT32_MAX)); }

EngineErr OsArchiveFile::sync() { return osFlushFile(file_); }

bool OsArchiveFile::replaceable() const {
    Path path;
    osReplacementPathOf(&path_, &path);
    const bool named = path.record != nullptr;
    pathRelease(&path);
    return named;
}

EngineErr OsArchiveFile::createReplacement(std::unique_ptr<ArchiveFile>* replacement) {
    Path path;
    osReplacementPathOf(&path_, &path);
    if (path.record == nullptr) return kOsErrBadPath;
    // Only the archive's writer makes one, under the archive's lock: one found is stale.
    osRemoveStaleReplacement(&path_);
    OsFile* file = osOpenFile(&path, kOsOpenRead | kOsOpenWrite | kOsOpenExclusive | kOsOpenCreateNew);
    const EngineErr error = file == nullptr ? pathGetLastError() : kErrNone;
    if (file != nullptr) {
        auto made = std::make_unique<OsArchiveFile>(file, &path);
        made->replacement_ = true;
        *replacement = std::move(made);
    }
    pathRelease(&path);
    return error;
}

void OsArchiveFile::discard() {
    if (file_ != nullptr) osCloseFile(file_, 1);
    file_ = nullptr;
    osDeletePath(&path_);
    replacement_ = false;
}

EngineErr OsArchiveFile::adoptReplacement(std::unique_ptr<ArchiveFile> replacement) {
    auto* written = dynamic_cast<OsArchiveFile*>(replacement.get());
    if (written == nullptr) return kOsErrBadFile;
    EngineErr error = osFlushFile(written->file_);
    if (error == kErrNone) {
        error = osCloseFile(written->file_, 0);
        if (error == kErrNone) written->file_ = nullptr;
    }
    if (error == kErrNone) error = osReplaceOpenFile(file_, &written->path_);
    if (error != kErrNone) written->discard();
    written->replacement_ = false;
    return error;
}

EngineErr OsArchiveFile::syncName() { return osFlushFolderOf(&path_); }

EngineErr OsArchiveFile::lock(u32 timeoutMs) { return osLockFile(file_, timeoutMs); }

void OsArchiveFile::unlock() { osUnlockFile(file_); }

bool OsArchiveFile::isSameFile(const ArchiveFile& other) const { return other.isAt(&path_); }

bool OsArchiveFile::isAt(const Path* path) const { return pathCompare(&path_, path) == kErrNone; }

EngineErr OsArchiveFile::close(bool force) {
    const EngineErr err = osCloseFile(file_, force ? 1 : 0);
    if (err == kErrNone || force) file_ = nullptr;
    return err;
}
