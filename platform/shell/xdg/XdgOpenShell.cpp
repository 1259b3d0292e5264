#include "platform/shell/xdg/XdgOpenShell.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/files/Files.h"

extern char** environ;

namespace plat {
namespace {

struct Child {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    int status = 0;
};

}  // namespace

bool XdgOpenShell::openDocument(const std::string& text) {
    const std::string host = hostPathOfText(text);
    std::error_code ec;
    if (host.empty() || !std::filesystem::is_regular_file(host, ec)) return false;
    char program[] = "xdg-open";
    std::string argument = host;
    char* argv[] = {program, argument.data(), nullptr};
    pid_t pid = 0;
    if (posix_spawnp(&pid, program, nullptr, nullptr, argv, environ) != 0) return false;
    auto child = std::make_shared<Child>();
    std::thread([pid, child] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        std::lock_guard lock(child->mutex);
        child->done = true;
        child->status = status;
        child->ended.notify_all();
    }).detach();
    std::unique_lock lock(child->mutex);
    if (!child->ended.wait_for(lock, std::chrono::milliseconds(kSettleMillis), [&] { return child->done; })) return true;
    return WIFEXITED(child->status) && WEXITSTATUS(child->status) == 0;
}

}  // namespace plat
