#pragma once
// Mutexes named across processes, as the program names them: "Global\..." names are shared
// by every user of the machine, other names ("Local\..." or bare) by the processes of one
// user. Each is a lock file (flock) in a folder of locks, so a mutex dies with its holder; a
// machine-wide one is readable by everyone (enough to take it) and writable by nobody but the
// user who made it, a user's own is private. A user's folder that is not a private folder of
// that user is refused, and so is a shared folder that is neither the superuser's nor the
// user's, or whose files others could swap; a lock file that is not a plain file is refused
// without waiting on it (a pipe planted under its name), and so is one that is linked to a
// file elsewhere. A lock file the program did not make keeps its mode.
// A lock never passes to a child process: a forked child drops every lock file at once (the
// descriptor stays, pointing nowhere), and a started program never sees them.
// Two objects of one name conflict even inside one process. Any thread may use its own object.
#include <chrono>
#include <cstdint>
#include <string>

namespace plat {

// Why a lock folder or file was not trusted, for telling whoever looks after the machine.
enum class LockRefusal : uint8_t {
    kNone,
    kOthersCanChange,  // another user owns it, or may write where it is
    kNotPrivate,       // the user's own folder, open to other users
    kFolder,           // a folder under a lock file's name
    kNotAFile,         // a pipe, socket or device under a lock file's name
    kLinked,           // a link, or a file with other names elsewhere
};

class NamedMutex {
public:
    explicit NamedMutex(const std::string& name);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // False when the lock file cannot be made.
    bool valid() const { return fd_ >= 0; }
    // The folder or file that was not trusted, for telling someone who can mend it; empty when
    // the mutex is valid or failed for another reason.
    const std::string& refused() const { return refused_; }
    LockRefusal refusal() const { return refusal_; }
    // Waits at most `limit` while another holder has it. False when the mutex is not valid or
    // was not had in time.
    bool lockWithin(std::chrono::milliseconds limit);
    bool tryLock();
    void unlock();
    bool held() const { return held_; }

private:
    int fd_ = -1;
    bool held_ = false;
    std::string refused_;
    LockRefusal refusal_ = LockRefusal::kNone;

    void refuse(const std::string& path, LockRefusal why);
};

// Puts every lock file under `hostFolder` (tests keep theirs apart); empty restores the
// defaults: the user's runtime folder, and a shared folder in /tmp for "Global\" names.
void setNamedMutexRoot(const std::string& hostFolder);

}  // namespace plat
