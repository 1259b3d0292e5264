#include "platform/files/regular/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

namespace plat {

int openRegularFile(const std::string& hostPath, int flags) {
    // Without O_NONBLOCK the open itself of a pipe waits, before anything could look at it.
    const int fd = ::open(hostPath.c_str(), flags | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    struct stat info{};
    int refused = 0;
    if (::fstat(fd, &info) != 0)
        refused = errno;
    else if (!S_ISREG(info.st_mode))
        refused = S_ISDIR(info.st_mode) ? EISDIR : ENODEV;
    else if (!(flags & O_NONBLOCK) && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        refused = errno;
    if (refused == 0) return fd;
    ::close(fd);
    errno = refused;
    return -1;
}

int readRegularFile(const std::string& hostPath, uint64_t limit, std::vector<uint8_t>* bytes) {
    const int fd = openRegularFile(hostPath, O_RDONLY);
    if (fd < 0) return errno;
    struct stat info{};
    int error = ::fstat(fd, &info) != 0 ? errno : uint64_t(info.st_size) > limit ? EFBIG : 0;
    if (error == 0) {
        try {
            bytes->resize(size_t(info.st_size));
        } catch (const std::bad_alloc&) {
            error = ENOMEM;
        }
    }
    for (size_t done = 0; error == 0 && done < bytes->size();) {
        const ssize_t n = ::read(fd, bytes->data() + done, bytes->size() - done);
        if (n < 0 && errno == EINTR) continue;
        // A file that shrank while it was read is not the file that was asked for.
        if (n <= 0) error = n < 0 ? errno : EIO;
        done += n > 0 ? size_t(n) : 0;
    }
    ::close(fd);
    return error;
}

}  // namespace plat
