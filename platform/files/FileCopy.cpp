// Copying a file into a new one, flushed before success is answered.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/files/FileNames.h"
#include "platform/files/Files.h"

namespace plat {

using files_detail::ResolvedPath;
using files_detail::resolveText;
using files_detail::systemErrorOf;

namespace {

constexpr size_t kCopyChunk = 1 << 16;

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closing is where some file systems report a failed write.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

SysErr copyBytes(int source, int target) {
    std::vector<char> buffer(kCopyChunk);
    for (;;) {
        const ssize_t got = ::read(source, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            return systemErrorOf(errno, "");
        }
        if (got == 0) return kSysOk;
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(target, buffer.data() + done, size_t(got - done));
            if (put < 0) {
                if (errno == EINTR) continue;
                return systemErrorOf(errno, "");
            }
            done += put;
        }
    }
}

}  // namespace

// A copy keeps its source's permissions, but never lets others write to it.
constexpr mode_t kCopiedModeBits = 07755;

SysErr fileCopyNew(const std::string& from, const std::string& to) {
    ResolvedPath source;
    ResolvedPath target;
    if (const SysErr error = resolveText(from, false, &source)) return error;
    if (const SysErr error = resolveText(to, true, &target)) return error;
    // Not blocking: opening a pipe found among the files would wait for a writer for ever.
    Descriptor in(::open(source.host.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (in.get() < 0) return systemErrorOf(errno, source.host);
    struct stat info{};
    if (::fstat(in.get(), &info) != 0) return systemErrorOf(errno, source.host);
    // Pipes, sockets and devices hold no bytes of the user's to copy.
    if (!S_ISREG(info.st_mode)) return kSysAccessDenied;
    Descriptor out(::open(target.host.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (out.get() < 0) return errno == EEXIST ? kSysFileExists : systemErrorOf(errno, target.host);
    SysErr error = copyBytes(in.get(), out.get());
    if (!error && ::fchmod(out.get(), info.st_mode & kCopiedModeBits) != 0) error = systemErrorOf(errno, target.host);
    if (!error && ::fsync(out.get()) != 0) error = systemErrorOf(errno, target.host);
    if (!out.close() && !error) error = systemErrorOf(errno, target.host);
    if (error) ::unlink(target.host.c_str());
    return error;
}

}  // namespace plat
