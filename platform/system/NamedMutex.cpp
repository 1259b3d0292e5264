#include "platform/system/NamedMutex.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

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

// A folder of someone else's (or a link to one) would let its owner hold or swap our locks: its
// owner may remove any file in it, sticky or not. The user's own folder is private to the
// user; a shared one belongs to the superuser or the user, and where others may write it must
// be sticky, so that nobody removes or replaces a lock file that is not theirs.
LockRefusal folderRefusal(const std::string& folder, bool global) {
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return LockRefusal::kOthersCanChange;
    if (!global) {
        if (info.st_uid != ::geteuid() || (info.st_mode & 022) != 0) return LockRefusal::kOthersCanChange;
        return (info.st_mode & 077) == 0 ? LockRefusal::kNone : LockRefusal::kNotPrivate;
    }
    if (info.st_uid != 0 && info.st_uid != ::geteuid()) return LockRefusal::kOthersCanChange;
    const bool othersWrite = (info.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    return !othersWrite || (info.st_mode & S_ISVTX) != 0 ? LockRefusal::kNone : LockRefusal::kOthersCanChange;
}

// Shared folders are open to all (with the sticky bit, as /tmp is), the user's own is private.
// `refusal` tells whether the folder may be used, and if not why.
std::string lockFolder(bool global, LockRefusal* refusal) {
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
    *refusal = folderRefusal(folder, global);
    return folder;
}

// What stands under a lock file's name, when it is not a plain file of this one name.
LockRefusal fileRefusal(const struct stat& info) {
    if (S_ISDIR(info.st_mode)) return LockRefusal::kFolder;
    if (!S_ISREG(info.st_mode)) return LockRefusal::kNotAFile;
    return info.st_nlink == 1 ? LockRefusal::kNone : LockRefusal::kLinked;
}

// Every open lock file, so that a forked child can let go of them all without taking a lock.
constexpr size_t kMostLockFiles = 32;
std::atomic<int> openLockFiles[kMostLockFiles];
static_assert(std::atomic<int>::is_always_lock_free, "the fork handler needs lock-free slots");

// In the child of a fork (the desktop's message box is one) the lock files are shared with the
// parent, and a lock would live on as long as the child: each is pointed at nothing instead,
// and the descriptor stays for the child's own objects to close.
void dropLocksInChild() {
    const int nothing = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    for (std::atomic<int>& slot : openLockFiles) {
        const int fd = slot.exchange(-1);
        if (fd < 0) continue;
        if (nothing >= 0) {
            ::dup3(nothing, fd, O_CLOEXEC);
        } else {
            ::close(fd);
        }
    }
    if (nothing >= 0) ::close(nothing);
}

void rememberLockFile(int fd) {
    static const bool watching = [] {
        for (std::atomic<int>& slot : openLockFiles) slot.store(-1);
        return ::pthread_atfork(nullptr, nullptr, dropLocksInChild) == 0;
    }();
    (void)watching;
    for (std::atomic<int>& slot : openLockFiles) {
        int none = -1;
        if (slot.compare_exchange_strong(none, fd)) return;
    }
}

void forgetLockFile(int fd) {
    for (std::atomic<int>& slot : openLockFiles) {
        int mine = fd;
        if (slot.compare_exchange_strong(mine, -1)) return;
    }
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
    LockRefusal folderRefused = LockRefusal::kNone;
    const std::string folder = lockFolder(global, &folderRefused);
    // A folder that is missing or cannot be made is no one's doing; one that is there and not
    // trusted is named.
    if (folderRefused != LockRefusal::kNone) {
        struct stat there {};
        if (::lstat(folder.c_str(), &there) == 0) refuse(folder, folderRefused);
        return;
    }
    const std::string path = folder + "/" + fileNameOf(name);
    // The shared folder is open to every user: a name planted there as a link to someone's
    // file must not be followed, nor a pipe waited on (opening one blocks until a writer comes;
    // without blocking its kind is seen below). A lock needs no more than reading, so the file
    // is opened to read and made by its first user so that others may read it but never write
    // into it. Whether this start made it is known from the making alone: a file that was
    // there, even the user's own, is never changed.
    constexpr int kOpen = O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    bool made = false;
    for (int tries = 0; fd_ < 0 && tries < 3; ++tries) {
        fd_ = ::open(path.c_str(), kOpen | O_CREAT | O_EXCL, global ? kSharedLockMode : kOwnLockMode);
        made = fd_ >= 0;
        if (fd_ < 0 && errno == EEXIST) fd_ = ::open(path.c_str(), kOpen);
        if (fd_ < 0 && errno != ENOENT) break;  // ENOENT: it went between the two opens
    }
    if (fd_ < 0) {
        if (errno == ELOOP) refuse(path, LockRefusal::kLinked);
        if (errno == EACCES) refuse(path, LockRefusal::kOthersCanChange);
        return;
    }
    struct stat info {};
    const LockRefusal fileRefused = ::fstat(fd_, &info) == 0 ? fileRefusal(info) : LockRefusal::kNotAFile;
    if (fileRefused != LockRefusal::kNone) {
        ::close(fd_);
        fd_ = -1;
        refuse(path, fileRefused);
        return;
    }
    // The user's file-creation mask must not keep the other users from the machine-wide lock.
    if (global && made && (info.st_mode & 07777) != kSharedLockMode) ::fchmod(fd_, kSharedLockMode);
    rememberLockFile(fd_);
}

void NamedMutex::refuse(const std::string& path, LockRefusal why) {
    refused_ = path;
    refusal_ = why;
}

NamedMutex::~NamedMutex() {
    if (fd_ < 0) return;
    forgetLockFile(fd_);
    ::close(fd_);
}

bool NamedMutex::lockWithin(std::chrono::milliseconds limit) {
    // Another user can hold a machine-wide lock as long as they like: the wait is a series of
    // tries, never a wait that only its holder ends.
    constexpr std::chrono::milliseconds kRetry{25};
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!tryLock()) {
        if (fd_ < 0 || std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kRetry);
    }
    return true;
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
