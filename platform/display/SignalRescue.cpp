#include "platform/display/SignalRescue.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <mutex>

namespace plat {
namespace {

struct Rescue {
    std::mutex mutex;
    std::string path;
    // Made when the bytes are handed over, so that writing them needs no memory.
    std::string writing;
    std::string folder;
    std::vector<uint8_t> bytes;
};

Rescue& rescue() {
    static Rescue r;
    return r;
}

bool writeAll(int fd, const std::vector<uint8_t>& bytes) {
    for (size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

}  // namespace

void keepSignalRescue(std::string hostPath, std::vector<uint8_t> bytes) {
    const size_t slash = hostPath.rfind('/');
    std::string writing = hostPath.empty() ? std::string() : hostPath + ".writing";
    std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : hostPath.substr(0, slash);
    // What goes out of the lock is freed after it.
    Rescue& r = rescue();
    std::lock_guard lock(r.mutex);
    r.path.swap(hostPath);
    r.writing.swap(writing);
    r.folder.swap(folder);
    r.bytes.swap(bytes);
}

bool writeSignalRescue() {
    Rescue& r = rescue();
    std::lock_guard lock(r.mutex);
    if (r.path.empty()) return false;
    // What a rescue cut short left goes first, whatever it is: opened for writing, a pipe under
    // that name would keep the rescue waiting until the deadline ends the process, the page lost.
    // The new file is the user's alone, as the pages are.
    ::unlink(r.writing.c_str());
    const int fd = ::open(r.writing.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return false;
    const bool written = writeAll(fd, r.bytes) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || std::rename(r.writing.c_str(), r.path.c_str()) != 0) {
        ::unlink(r.writing.c_str());
        return false;
    }
    const int folder = ::open(r.folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return false;
    const bool flushed = ::fsync(folder) == 0;
    ::close(folder);
    return flushed;
}

}  // namespace plat
