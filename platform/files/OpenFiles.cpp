// Open files and the in-process share modes.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/drives/Drives.h"
#include "platform/files/FileNames.h"
#include "platform/files/Files.h"
#include "platform/files/OpenFileTable.h"
#include "platform/files/regular/RegularFile.h"

namespace plat {

using files_detail::ResolvedPath;
using files_detail::resolveText;
using files_detail::systemErrorOf;

namespace files_detail {

OpenFileTable& openFiles() {
    static OpenFileTable table;
    return table;
}

bool OpenFileTable::isOpen(dev_t device, ino_t inode) {
    std::lock_guard lock(mutex);
    for (const auto& file : files) {
        if (file && file->device == device && file->inode == inode) return true;
    }
    return false;
}

}  // namespace files_detail

namespace {

using files_detail::OpenFile;
using files_detail::openFiles;

// Others may read what the program writes, never change it; the umask may narrow it further.
constexpr mode_t kNewFileMode = 0644;

bool sharesAllow(const OpenFile& earlier, uint32_t access, uint32_t share) {
    if ((access & kFileAccessRead) && !(earlier.share & kFileShareRead)) return false;
    if ((access & kFileAccessWrite) && !(earlier.share & kFileShareWrite)) return false;
    if ((earlier.access & kFileAccessRead) && !(share & kFileShareRead)) return false;
    if ((earlier.access & kFileAccessWrite) && !(share & kFileShareWrite)) return false;
    return true;
}

// Folders, pipes, sockets and devices are no files to open: refused as a folder always was.
SysErr openError(const std::string& host) {
    return errno == EISDIR || errno == ENODEV ? kSysAccessDenied : systemErrorOf(errno, host);
}

// Opens (only a regular file, never waiting) or creates the host file.
SysErr openHost(const std::string& host, int flags, FileDisposition disposition, int* fd) {
    if (disposition == FileDisposition::OpenExisting) {
        *fd = openRegularFile(host, flags);
        return *fd < 0 ? openError(host) : kSysOk;
    }
    for (;;) {
        if (disposition == FileDisposition::OpenAlways) {
            *fd = openRegularFile(host, flags);
            if (*fd >= 0) return kSysOk;
            if (errno != ENOENT) return openError(host);
        }
        *fd = ::open(host.c_str(), flags | O_CREAT | O_EXCL, kNewFileMode);
        if (*fd >= 0) return kSysOk;
        if (errno != EEXIST || disposition == FileDisposition::CreateNew) return systemErrorOf(errno, host);
    }
}

std::shared_ptr<OpenFile> fileOf(FileHandle handle) {
    auto& table = openFiles();
    std::lock_guard lock(table.mutex);
    if (handle < 0 || size_t(handle) >= table.files.size()) return nullptr;
    return table.files[size_t(handle)];
}

// A read or write that fails moves nothing: the position goes back to where the call found
// it, so that a retry of the call starts over instead of going on with the data's start.
SysErr failPartway(const OpenFile& file, uint32_t* done) {
    const SysErr error = systemErrorOf(errno, "");
    ::lseek(file.fd, -off_t(*done), SEEK_CUR);
    *done = 0;
    return error;
}

}  // namespace

SysErr fileOpen(const std::string& text, uint32_t access, uint32_t share, FileDisposition disposition,
                FileHandle* file) {
    *file = kNoFile;
    const bool writing = (access & kFileAccessWrite) || disposition != FileDisposition::OpenExisting;
    ResolvedPath path;
    if (const SysErr error = resolveText(text, writing, &path)) return error;
    const int flags = O_CLOEXEC | ((access & kFileAccessWrite) ? ((access & kFileAccessRead) ? O_RDWR : O_WRONLY)
                                                                : O_RDONLY);
    int fd = -1;
    if (const SysErr error = openHost(path.host, flags, disposition, &fd)) return error;
    struct stat info{};
    if (::fstat(fd, &info) != 0) {
        ::close(fd);
        return kSysAccessDenied;
    }
    auto opened = std::make_shared<OpenFile>(OpenFile{fd, path.letter, info.st_dev, info.st_ino, access, share});
    auto& table = openFiles();
    std::lock_guard lock(table.mutex);
    for (const auto& earlier : table.files) {
        if (earlier && earlier->device == info.st_dev && earlier->inode == info.st_ino &&
            !sharesAllow(*earlier, access, share)) {
            ::close(fd);
            return kSysSharingViolation;
        }
    }
    size_t slot = 0;
    while (slot < table.files.size() && table.files[slot]) ++slot;
    if (slot == table.files.size()) table.files.emplace_back();
    table.files[slot] = std::move(opened);
    *file = FileHandle(slot);
    return kSysOk;
}

SysErr fileClose(FileHandle handle) {
    std::shared_ptr<OpenFile> file;
    {
        auto& table = openFiles();
        std::lock_guard lock(table.mutex);
        if (handle < 0 || size_t(handle) >= table.files.size() || !table.files[size_t(handle)]) {
            return kSysInvalidHandle;
        }
        file = std::move(table.files[size_t(handle)]);
    }
    return ::close(file->fd) == 0 ? kSysOk : systemErrorOf(errno, "");
}

SysErr fileRead(FileHandle handle, void* buffer, uint32_t count, uint32_t* done) {
    *done = 0;
    const auto file = fileOf(handle);
    if (!file) return kSysInvalidHandle;
    if (!(file->access & kFileAccessRead)) return kSysAccessDenied;
    if (const SysErr fault = driveCheckAccess(file->letter, false)) return fault;
    auto* bytes = static_cast<char*>(buffer);
    while (*done < count) {
        const ssize_t n = ::read(file->fd, bytes + *done, count - *done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return failPartway(*file, done);
        if (n == 0) break;
        *done += uint32_t(n);
    }
    return kSysOk;
}

SysErr fileReadAt(FileHandle handle, uint64_t offset, void* buffer, uint32_t count, ReadWait wait, uint32_t* done) {
    *done = 0;
    const auto file = fileOf(handle);
    if (!file) return kSysInvalidHandle;
    if (!(file->access & kFileAccessRead)) return kSysAccessDenied;
    if (const SysErr fault = driveCheckAccess(file->letter, false)) return fault;
    const int flags = wait == ReadWait::CachedOnly ? RWF_NOWAIT : 0;
    auto* bytes = static_cast<char*>(buffer);
    while (*done < count) {
        iovec part{bytes + *done, count - *done};
        const ssize_t n = ::preadv2(file->fd, &part, 1, off_t(offset + *done), flags);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && wait == ReadWait::CachedOnly) break;
        if (n < 0) {
            *done = 0;
            return systemErrorOf(errno, "");
        }
        if (n == 0) break;
        *done += uint32_t(n);
    }
    return kSysOk;
}

SysErr fileWrite(FileHandle handle, const void* data, uint32_t count, uint32_t* done) {
    *done = 0;
    const auto file = fileOf(handle);
    if (!file) return kSysInvalidHandle;
    if (!(file->access & kFileAccessWrite)) return kSysAccessDenied;
    if (const SysErr fault = driveCheckAccess(file->letter, true)) return fault;
    const auto* bytes = static_cast<const char*>(data);
    while (*done < count) {
        const ssize_t n = ::write(file->fd, bytes + *done, count - *done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return failPartway(*file, done);
        *done += uint32_t(n);
    }
    return kSysOk;
}

SysErr fileSeek(FileHandle handle, int64_t offset, SeekOrigin origin, uint64_t* position) {
    const auto file = fileOf(handle);
    if (!file) return kSysInvalidHandle;
    const int whence = origin == SeekOrigin::Start ? SEEK_SET : origin == SeekOrigin::Current ? SEEK_CUR : SEEK_END;
    const off_t result = ::lseek(file->fd, off_t(offset), whence);
    if (result < 0) return kSysInvalidParameter;
    *position = uint64_t(result);
    return kSysOk;
}

SysErr fileSetEnd(FileHandle handle) {
    const auto file = fileOf(handle);
    if (!file) return kSysInvalidHandle;
    if (!(file->access & kFileAccessWrite)) return kSysAccessDenied;
    if (const SysErr fault = driveCheckAccess(file->letter, true)) return fault;
    const off_t position = ::lseek(file->fd, 0, SEEK_CUR);
    if (position < 0 || ::ftruncate(file->fd, position) != 0) return systemErrorOf(errno, "");
    return kSysOk;
}

SysErr fileReplaceOpen(FileHandle handle, const std::string& from, const std::string& to) {
    const auto file = fileOf(handle);
    if (!file) return kSysInvalidHandle;
    if (!(file->access & kFileAccessWrite)) return kSysAccessDenied;
    ResolvedPath source;
    ResolvedPath target;
    if (const SysErr error = resolveText(from, true, &source)) return error;
    if (const SysErr error = resolveText(to, true, &target)) return error;
    if (const SysErr fault = driveCheckAccess(file->letter, true)) return fault;
    struct stat targetInfo{};
    if (::stat(target.host.c_str(), &targetInfo) != 0) return systemErrorOf(errno, target.host);
    if (targetInfo.st_dev != file->device || targetInfo.st_ino != file->inode) return kSysInvalidParameter;
    auto& table = openFiles();
    {
        std::lock_guard lock(table.mutex);
        for (const auto& other : table.files) {
            if (other && other != file && other->device == file->device && other->inode == file->inode) {
                return kSysSharingViolation;
            }
        }
    }
    const int flags = O_CLOEXEC | ((file->access & kFileAccessRead) ? O_RDWR : O_WRONLY);
    const int fd = ::open(source.host.c_str(), flags);
    if (fd < 0) return systemErrorOf(errno, source.host);
    struct stat sourceInfo{};
    if (::fstat(fd, &sourceInfo) != 0 || ::rename(source.host.c_str(), target.host.c_str()) != 0) {
        const SysErr error = systemErrorOf(errno, target.host);
        ::close(fd);
        return error;
    }
    // The handle's descriptor number stays; it now stands for the moved file.
    std::lock_guard lock(table.mutex);
    const bool swapped = ::dup3(fd, file->fd, O_CLOEXEC) >= 0;
    const SysErr error = swapped ? kSysOk : systemErrorOf(errno, target.host);
    ::close(fd);
    if (swapped) {
        file->device = sourceInfo.st_dev;
        file->inode = sourceInfo.st_ino;
    }
    return error;
}

SysErr fileFlush(FileHandle handle) {
    const auto file = fileOf(handle);
    if (!file) return kSysInvalidHandle;
    return ::fsync(file->fd) == 0 ? kSysOk : systemErrorOf(errno, "");
}

SysErr folderFlushOf(const std::string& text) {
    ResolvedPath path;
    if (const SysErr error = resolveText(text, true, &path)) return error;
    const size_t slash = path.host.rfind('/');
    const std::string folder = slash == 0 ? "/" : path.host.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return systemErrorOf(errno, folder);
    const SysErr error = ::fsync(fd) == 0 ? kSysOk : systemErrorOf(errno, folder);
    ::close(fd);
    return error;
}

}  // namespace plat
