// Deleting entries inside a tree that is being taken apart. Every folder from the tree's top
// down to the entry is opened one at a time without following a link, and the entry is
// removed relative to the last of them: a folder swapped for a link after it was listed
// cannot lead the deletion to entries outside the tree.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/FileNames.h"
#include "platform/files/Files.h"
#include "platform/files/OpenFileTable.h"

namespace plat {

using files_detail::openFiles;
using files_detail::ResolvedPath;
using files_detail::resolveText;
using files_detail::systemErrorOf;

namespace {

class FolderDescriptor {
public:
    explicit FolderDescriptor(int fd) : fd_(fd) {}
    ~FolderDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FolderDescriptor(const FolderDescriptor&) = delete;
    FolderDescriptor& operator=(const FolderDescriptor&) = delete;
    int get() const { return fd_; }
    void reset(int fd) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

std::string withoutFinalSlash(std::string host) {
    while (host.size() > 1 && host.back() == '/') host.pop_back();
    return host;
}

// The folder that holds `text`, reached from the folder above `top` without following a link;
// the entry's own name and host path beside it.
struct Holder {
    FolderDescriptor folder{-1};
    std::string name;
    std::string host;
};

SysErr openHolder(const std::string& topText, const std::string& text, Holder* holder) {
    ResolvedPath top;
    ResolvedPath entry;
    if (const SysErr error = resolveText(topText, true, &top)) return error;
    if (const SysErr error = resolveText(text, true, &entry)) return error;
    const std::string topHost = withoutFinalSlash(top.host);
    holder->host = withoutFinalSlash(entry.host);
    const std::string& host = holder->host;
    const bool below = topHost == "/" ? host.size() > 1
                                      : host.size() > topHost.size() + 1 && host.compare(0, topHost.size(), topHost) == 0 &&
                                            host[topHost.size()] == '/';
    if (!below) return kSysInvalidParameter;
    // The top is opened from its own folder so that it may not be a link either; the folders
    // above it are the user's choice and are followed.
    const size_t cut = topHost == "/" ? 0 : topHost.rfind('/');
    const std::string above = cut == 0 ? "/" : topHost.substr(0, cut);
    holder->folder.reset(::open(above.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (holder->folder.get() < 0) return systemErrorOf(errno, above);
    const std::string rest = host.substr(cut + 1);
    size_t start = 0;
    for (size_t slash = rest.find('/'); slash != std::string::npos; slash = rest.find('/', start)) {
        const std::string part = rest.substr(start, slash - start);
        start = slash + 1;
        if (part.empty()) continue;
        const int next = ::openat(holder->folder.get(), part.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0) {
            const int error = errno;
            struct stat info{};
            const bool link = ::fstatat(holder->folder.get(), part.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 &&
                              S_ISLNK(info.st_mode);
            return link ? kSysAccessDenied : systemErrorOf(error, host);
        }
        holder->folder.reset(next);
    }
    holder->name = rest.substr(start);
    return kSysOk;
}

}  // namespace

SysErr fileDeleteInTree(const std::string& top, const std::string& text) {
    Holder holder;
    if (const SysErr error = openHolder(top, text, &holder)) return error;
    struct stat info{};
    if (::fstatat(holder.folder.get(), holder.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        return systemErrorOf(errno, holder.host);
    }
    if (S_ISDIR(info.st_mode) || !(info.st_mode & S_IWUSR)) return kSysAccessDenied;
    if (openFiles().isOpen(info.st_dev, info.st_ino)) return kSysSharingViolation;
    return ::unlinkat(holder.folder.get(), holder.name.c_str(), 0) == 0 ? kSysOk : systemErrorOf(errno, holder.host);
}

SysErr folderRemoveInTree(const std::string& top, const std::string& text) {
    Holder holder;
    if (const SysErr error = openHolder(top, text, &holder)) return error;
    if (::unlinkat(holder.folder.get(), holder.name.c_str(), AT_REMOVEDIR) == 0) return kSysOk;
    return errno == ENOTDIR ? kSysDirectoryInvalid : systemErrorOf(errno, holder.host);
}

}  // namespace plat
