#include "platform/system/NamedMutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace plat {
namespace {

constexpr char kGlobalPrefix[] = "Global\\";
constexpr mode_t kSharedLockMode = 0644;
constexpr mode_t kOwnLockMode = 0600;

std::mutex rootMutex;
std::string& rootOverride() {
    static std::string root;
    return root;
}

// Shared folders are open to all (with the sticky bit, as /tmp is), the user's own is private.
std::string lockFolder(bool global) {
    std::lock_guard lock(rootMutex);
    std::string folder;
    if (!rootOverride().empty()) {
        folder = rootOverride() + (global ? "/global" : "/local");
    } else if (global) {
        folder = "/tmp/tumblo-locks";
    } else {
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        folder = runtime && *runtime ? std::string(runtime) + "/tumblo-locks"
                                     : "/tmp/tumblo-locks-" + std::to_string(::getuid());
    }
    if (::mkdir(folder.c_str(), global ? 01777 : 0700) == 0 && global) ::chmod(folder.c_str(), 01777);
    return folder;
}

// Names are built from the program's full path and may be longer than a file name can be:
// the head is kept for people reading the folder, and a hash of the whole name keeps two long
// names that share a head apart.
constexpr size_t kLongestFileStem = 180;

uint64_t nameHash(const std::string& name) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (unsigned char c : name) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

// Separators in a name would make folders of it.
std::string fileNameOf(const std::string& name) {
    std::string file = name;
    for (char& c : file) {
        if (c == '/' || c == '\\') c = '-';
    }
    if (file.size() > kLongestFileStem) {
        char hash[17];
        std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(nameHash(name)));
        file = file.substr(0, kLongestFileStem - 17) + "-" + hash;
    }
    return file + ".lock";
}

bool flockRetrying(int fd, int operation) {
    for (;;) {
        if (::flock(fd, operation) == 0) return true;
        if (errno != EINTR) return false;
    }
}

}  // namespace

NamedMutex::NamedMutex(const std::string& name) {
    const bool global = name.compare(0, sizeof kGlobalPrefix - 1, kGlobalPrefix) == 0;
    const std::string path = lockFolder(global) + "/" + fileNameOf(name);
    // The shared folder is open to every user: a name planted there as a link to someone's
    // file must not be followed. A lock needs no more than reading, so the file is opened to
    // read and made by its first user so that others may read it but never write into it.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, global ? kSharedLockMode : kOwnLockMode);
    if (fd_ < 0) return;
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    // The user's file-creation mask must not keep the other users from the machine-wide lock.
    if (global && info.st_uid == ::geteuid() && (info.st_mode & 07777) != kSharedLockMode) ::fchmod(fd_, kSharedLockMode);
}

NamedMutex::~NamedMutex() {
    if (fd_ >= 0) ::close(fd_);
}

bool NamedMutex::lock() {
    if (fd_ < 0) return false;
    if (!held_) held_ = flockRetrying(fd_, LOCK_EX);
    return held_;
}

bool NamedMutex::tryLock() {
    if (fd_ < 0) return false;
    if (!held_) held_ = flockRetrying(fd_, LOCK_EX | LOCK_NB);
    return held_;
}

void NamedMutex::unlock() {
    if (held_) ::flock(fd_, LOCK_UN);
    held_ = false;
}

void setNamedMutexRoot(const std::string& hostFolder) {
    std::lock_guard lock(rootMutex);
    rootOverride() = hostFolder;
}

}  // namespace plat
