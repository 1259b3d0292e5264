#include "platform/ui/WindowBeacon.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <mutex>

#include "platform/ui/MessageQueue.h"

namespace plat {
namespace {

constexpr char kRequestFront = 'F';
constexpr int kBacklog = 4;

std::mutex scopeMutex;
std::string& scope() {
    static std::string text;
    return text;
}

// An address in the abstract namespace: it needs no file and goes away with its process.
socklen_t addressOf(const std::string& className, sockaddr_un* address) {
    std::string name;
    {
        std::lock_guard lock(scopeMutex);
        name = "tumblo-window-" + std::to_string(::getuid()) + "-" + scope() + "-" + className;
    }
    std::memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    const size_t length = std::min(name.size(), sizeof address->sun_path - 1);
    std::memcpy(address->sun_path + 1, name.data(), length);
    return socklen_t(offsetof(sockaddr_un, sun_path) + 1 + length);
}

// Abstract addresses carry no permissions: any local user may bind or reach one. A beacon
// and a later start deal only with processes of their own user, so another user can neither
// pose as the running program (and keep ours from starting) nor move its window.
bool peerIsOurUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && size == sizeof peer && peer.uid == ::getuid();
}

}  // namespace

WindowBeacon::WindowBeacon(const std::string& className, WindowHandle window) : window_(window) {
    sockaddr_un address;
    const socklen_t length = addressOf(className, &address);
    socket_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0) return;
    if (::bind(socket_, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(socket_, kBacklog) != 0) {
        ::close(socket_);
        socket_ = -1;
        return;
    }
    server_ = std::thread([this] { serve(); });
}

WindowBeacon::~WindowBeacon() {
    if (socket_ < 0) return;
    // Ends the server's accept.
    ::shutdown(socket_, SHUT_RDWR);
    server_.join();
    ::close(socket_);
}

void WindowBeacon::serve() {
    for (;;) {
        const int peer = ::accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC);
        if (peer < 0) {
            if (errno == EINTR || errno == ECONNABORTED) continue;
            return;
        }
        if (!peerIsOurUser(peer)) {
            ::close(peer);
            continue;
        }
        char request = 0;
        ssize_t got;
        do {
            got = ::read(peer, &request, 1);
        } while (got < 0 && errno == EINTR);
        if (got == 1 && request == kRequestFront) {
            postMessage(window_, kMsgActivate, 1, 0);
            // A start that went away before the answer must not take this program with it.
            const char answer = kRequestFront;
            [[maybe_unused]] const ssize_t sent = ::send(peer, &answer, 1, MSG_NOSIGNAL);
        }
        ::close(peer);
    }
}

bool bringClassWindowToFront(const std::string& className) {
    sockaddr_un address;
    const socklen_t length = addressOf(className, &address);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    bool answered = false;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 && peerIsOurUser(fd)) {
        const char request = kRequestFront;
        char answer = 0;
        answered = ::send(fd, &request, 1, MSG_NOSIGNAL) == 1 && ::read(fd, &answer, 1) == 1 && answer == kRequestFront;
    }
    ::close(fd);
    return answered;
}

void setWindowBeaconScope(const std::string& text) {
    std::lock_guard lock(scopeMutex);
    scope() = text;
}

}  // namespace plat
