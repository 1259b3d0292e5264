#include "platform/shell/xdg/XdgOpenShell.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
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

// What xdg-mime answers to the query, its first line; nullopt when it cannot be asked.
std::optional<std::string> askXdgMime(const std::string& what, const std::string& about) {
    int out[2];
    if (::pipe2(out, O_CLOEXEC) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    char program[] = "xdg-mime";
    char query[] = "query";
    std::string asked = what, subject = about;
    char* argv[] = {program, query, asked.data(), subject.data(), nullptr};
    pid_t pid = 0;
    const bool started = posix_spawnp(&pid, program, &actions, nullptr, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    std::string answer;
    char buffer[256];
    for (ssize_t n; started && (n = ::read(out[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 || answer.size() > 4096) break;
        answer.append(buffer, size_t(n));
    }
    ::close(out[0]);
    int status = 0;
    while (started && waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!started || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
    return answer.substr(0, answer.find('\n'));
}

// A document whose type no program on the desktop opens would go to xdg-open's last resorts
// (a browser, or nothing at all) and show nothing.
bool someProgramOpens(const std::string& host) {
    const std::optional<std::string> type = askXdgMime("filetype", host);
    if (!type || type->empty()) return true;
    const std::optional<std::string> program = askXdgMime("default", *type);
    return !program || !program->empty();
}

}  // namespace

bool XdgOpenShell::openDocument(const std::string& text) {
    const std::string host = hostPathOfText(text);
    std::error_code ec;
    if (host.empty() || !std::filesystem::is_regular_file(host, ec) || !someProgramOpens(host)) return false;
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
