#pragma once
// Starting a child that is to be killed, and telling how it ended: the kill tests' harness.
// The child's standard error goes to a file beside its folder and comes back in the ending;
// a child that outlives the watchdog is killed and reported as hung. Nothing here sleeps.
#include <sys/syscall.h>
#include <sys/wait.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace killtest {

constexpr int kWatchdogMs = 20000;

struct Ending {
    bool killed = false;
    int exitCode = -1;
    std::string errors;
};

// A folder on memory where there is one, so that the many writes cost little.
inline std::string scratchRoot() {
    return std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path().string();
}

inline Ending runChild(const char* program, const std::vector<std::string>& arguments, const std::string& errorsFile) {
    std::vector<char*> argv{const_cast<char*>(program)};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        std::freopen(errorsFile.c_str(), "w", stderr);
        ::execv(program, argv.data());
        std::_Exit(127);
    }
    Ending ending;
    if (pid < 0) return ending;
    const int watch = int(::syscall(SYS_pidfd_open, pid, 0));
    pollfd ready{watch, POLLIN, 0};
    if (watch < 0 || ::poll(&ready, 1, kWatchdogMs) != 1) {
        ::kill(pid, SIGKILL);
        ending.errors = "the child hung";
    }
    if (watch >= 0) ::close(watch);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ending.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    ending.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errorsFile);
    ending.errors += std::string(std::istreambuf_iterator<char>(in), {});
    return ending;
}

}  // namespace killtest
