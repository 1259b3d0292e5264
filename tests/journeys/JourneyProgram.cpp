#include "tests/journeys/JourneyProgram.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

constexpr char kSharedLocks[] = "/tmp/tumblo-locks";
constexpr auto kProgramPoll = std::chrono::milliseconds(20);

// What a child may do between fork and exec: system calls only.
bool writeFile(const char* path, const char* text) {
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const ssize_t length = ssize_t(std::strlen(text));
    const bool written = ::write(fd, text, size_t(length)) == length;
    ::close(fd);
    return written;
}

struct Isolation {
    std::string uidMap, gidMap;
    std::string locks;  // the folder that stands in for the shared lock folder
};

// A mount namespace (in a user namespace of our own if need be) with a private lock folder; the
// network stays the machine's, as X reached only through its socket file may be another server's.
bool isolate(const Isolation& isolation) {
    if (::unshare(CLONE_NEWNS) != 0) {
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
        writeFile("/proc/self/setgroups", "deny");
        if (!writeFile("/proc/self/uid_map", isolation.uidMap.c_str()) ||
            !writeFile("/proc/self/gid_map", isolation.gidMap.c_str()))
            return false;
    }
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
    if (isolation.locks.empty()) return true;
    ::mkdir(kSharedLocks, 01777);
    return ::mount(isolation.locks.c_str(), kSharedLocks, nullptr, MS_BIND, nullptr) == 0;
}

Isolation isolationFor(const std::string& locks) {
    Isolation isolation;
    isolation.uidMap = std::to_string(::getuid()) + " " + std::to_string(::getuid()) + " 1";
    isolation.gidMap = std::to_string(::getgid()) + " " + std::to_string(::getgid()) + " 1";
    isolation.locks = locks;
    return isolation;
}

std::string inherited(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(name) + "=" + value : std::string();
}

std::vector<std::string> environmentFor(const JourneyProgramStart& start) {
    const std::string& home = start.home;
    std::vector<std::string> environment{
        "HOME=" + home,
        "XDG_CONFIG_HOME=" + home + "/.config",
        "XDG_DATA_HOME=" + home + "/.local/share",
        "XDG_CACHE_HOME=" + home + "/.cache",
        "XDG_RUNTIME_DIR=" + home + "/run",
        "DISPLAY=" + start.display,
        "LANG=C.UTF-8",
        // The program's sounds go nowhere: journeys check what is seen and saved.
        "SDL_AUDIODRIVER=dummy",
    };
    for (const char* name : {"PATH", "UBSAN_OPTIONS"}) {
        std::string line = inherited(name);
        if (!line.empty()) environment.push_back(std::move(line));
    }
    // Memory errors end the program as in every test; what the desktop's libraries keep at
    // exit (the session bus, the display's drivers) is theirs, not a leak of ours, and so is the
    // display library's reading past a typed character's string (sanitizer-foreign-faults.supp).
    const std::string asan = inherited("ASAN_OPTIONS");
    environment.push_back((asan.empty() ? "ASAN_OPTIONS=" : asan + ":") +
                          "detect_leaks=0:suppressions=" TUMBLO_JOURNEY_SOURCE_DIR "/sanitizer-foreign-faults.supp");
    return environment;
}

std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

}  // namespace

bool JourneyProgram::canIsolate() {
    static const bool possible = [] {
        const Isolation isolation = isolationFor("");
        const pid_t child = ::fork();
        if (child == 0) ::_exit(isolate(isolation) ? 0 : 1);
        int status = 0;
        return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }();
    return possible;
}

JourneyProgram::JourneyProgram(const JourneyProgramStart& start) {
    const bool isolated = canIsolate();
    const std::string locks = start.home + "/locks";
    ::mkdir(locks.c_str(), 01777);
    ::chmod(locks.c_str(), 01777);
    const Isolation isolation = isolationFor(locks);
    std::vector<std::string> arguments{start.programDir + "/" + start.executable};
    arguments.insert(arguments.end(), start.arguments.begin(), start.arguments.end());
    std::vector<std::string> environment = environmentFor(start);
    std::vector<char*> argv = pointersTo(arguments);
    std::vector<char*> envp = pointersTo(environment);
    const pid_t parent = ::getpid();

    pid_ = ::fork();
    if (pid_ != 0) return;
    // The child: it goes when the test program goes, whatever ends that.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);
    ::setpgid(0, 0);
    const int log = ::open(start.logFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (log >= 0) {
        ::dup2(log, STDOUT_FILENO);
        ::dup2(log, STDERR_FILENO);
    }
    const int nothing = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (nothing >= 0) ::dup2(nothing, STDIN_FILENO);
    if (isolated) isolate(isolation);
    if (::chdir(start.programDir.c_str()) != 0) ::_exit(126);
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(127);
}

JourneyProgram::~JourneyProgram() { end(std::chrono::seconds(3)); }

bool JourneyProgram::running() {
    if (pid_ <= 0 || ended_) return false;
    if (::waitpid(pid_, &waitStatus_, WNOHANG) == pid_) ended_ = true;
    return !ended_;
}

bool JourneyProgram::waitForExit(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (running()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(kProgramPoll);
    }
    return true;
}

bool JourneyProgram::end(std::chrono::milliseconds grace) {
    if (!running()) return true;
    ::kill(pid_, SIGTERM);
    if (waitForExit(grace)) return true;
    ::kill(-pid_, SIGKILL);
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, &waitStatus_, 0);
    ended_ = true;
    return false;
}

std::string JourneyProgram::status() {
    if (pid_ <= 0) return "not started";
    if (running()) return "still running";
    if (WIFEXITED(waitStatus_)) return "exit status " + std::to_string(WEXITSTATUS(waitStatus_));
    if (WIFSIGNALED(waitStatus_)) return "killed by signal " + std::to_string(WTERMSIG(waitStatus_));
    return "ended";
}
