#include "platform/ui/WindowBeacon.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>

#include <atomic>
#include <optional>
#include <string>

#include "platform/ui/MessageQueue.h"
#include "platform/ui/Windows.h"

namespace plat {
namespace {

struct WindowBeaconTest : ::testing::Test {
    WindowHandle window = kNoWindow;
    int activations = 0;

    void SetUp() override {
        setWindowBeaconScope("beacon-test-" + std::to_string(::getpid()));
        window = createWindow({"Beaconed", "Beaconed", [this](WindowHandle w, uint32_t m, uintptr_t wp, intptr_t lp) {
                                   if (m == kMsgActivate && wp == 1) ++activations;
                                   return defaultWindowProcedure(w, m, wp, lp);
                               }});
    }
    void TearDown() override {
        destroyWindow(window);
        setWindowBeaconScope("");
    }
    void pump() {
        Message m;
        while (peekMessage(m, true)) dispatchMessage(m);
    }
};

constexpr uid_t kOtherUser = 65534;

// The address a beacon of `className` has for this process's user in the test's scope.
socklen_t beaconAddress(const std::string& className, sockaddr_un* address) {
    const std::string name =
        "tumblo-window-" + std::to_string(::getuid()) + "-beacon-test-" + std::to_string(::getpid()) + "-" + className;
    std::memset(address, 0, sizeof *address);
    address->sun_family = AF_UNIX;
    std::memcpy(address->sun_path + 1, name.data(), name.size());
    return socklen_t(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

// Runs `child` in a forked process as another user; its exit code, or -1 when this process may
// not change users. The child ends on its own after a few seconds whatever happens.
template <typename Child>
int asOtherUser(Child child) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::alarm(5);
        if (::setgid(kOtherUser) != 0 || ::setuid(kOtherUser) != 0) ::_exit(100);
        ::_exit(child());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) != 100 ? WEXITSTATUS(status) : -1;
}

std::atomic<int> brokenPipes{0};

}  // namespace

// A later start that stops listening before the answer (killed, say) must not end the
// running program by a broken pipe.
TEST_F(WindowBeaconTest, AStartThatLeftEarlyDoesNotEndTheRunningProgram) {
    struct sigaction counting {};
    counting.sa_handler = [](int) { ++brokenPipes; };
    struct sigaction previous {};
    ASSERT_EQ(::sigaction(SIGPIPE, &counting, &previous), 0);
    brokenPipes = 0;
    {
        WindowBeacon beacon("MainClass", window);
        ASSERT_TRUE(beacon.active());
        sockaddr_un address;
        const socklen_t length = beaconAddress("MainClass", &address);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        ASSERT_EQ(::connect(fd, reinterpret_cast<sockaddr*>(&address), length), 0);
        ASSERT_EQ(::shutdown(fd, SHUT_RD), 0);
        ASSERT_EQ(::send(fd, "F", 1, MSG_NOSIGNAL), 1);
        // The request is posted before the answer is sent; the beacon's end waits for the answer.
        // A timer bounds the wait should the request never come.
        ASSERT_TRUE(setTimer(window, 1, 10));
        for (int turns = 0; turns < 500 && activations == 0; ++turns) {
            waitForMessage();
            pump();
        }
        killTimer(window, 1);
        EXPECT_EQ(activations, 1);
        ::close(fd);
    }
    ::sigaction(SIGPIPE, &previous, nullptr);
    EXPECT_EQ(brokenPipes.load(), 0);
}

// Another user cannot pose as the running program: a later start that reached it would end
// at once, believing another start shows the window.
TEST_F(WindowBeaconTest, AnotherUsersBeaconIsNotBelieved) {
    if (::getuid() != 0) GTEST_FAIL() << "changing users needs root: run the tests as root, as CI does";
    sockaddr_un address;
    const socklen_t length = beaconAddress("MainClass", &address);
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Another user listens under our user's beacon name and answers every request.
        ::alarm(5);
        ::close(fds[0]);
        if (::setgid(kOtherUser) != 0 || ::setuid(kOtherUser) != 0) ::_exit(100);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(fd, 1) != 0) ::_exit(101);
        [[maybe_unused]] const ssize_t told = ::write(fds[1], "L", 1);
        const int peer = ::accept(fd, nullptr, nullptr);
        char request = 0;
        if (::read(peer, &request, 1) == 1) [[maybe_unused]] const ssize_t sent = ::write(peer, "F", 1);
        ::_exit(0);
    }
    ::close(fds[1]);
    char listening = 0;
    ASSERT_EQ(::read(fds[0], &listening, 1), 1);
    EXPECT_FALSE(bringClassWindowToFront("MainClass"));
    int status = 0;
    ::waitpid(pid, &status, 0);
    ::close(fds[0]);
}

TEST_F(WindowBeaconTest, AnotherUserCannotMoveTheWindow) {
    if (::getuid() != 0) GTEST_FAIL() << "changing users needs root: run the tests as root, as CI does";
    WindowBeacon beacon("MainClass", window);
    ASSERT_TRUE(beacon.active());
    sockaddr_un address;
    const socklen_t length = beaconAddress("MainClass", &address);
    const int answered = asOtherUser([&] {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), length) != 0) return 2;
        char answer = 0;
        return ::send(fd, "F", 1, MSG_NOSIGNAL) == 1 && ::read(fd, &answer, 1) == 1 ? 1 : 0;
    });
    ASSERT_NE(answered, -1);
    EXPECT_EQ(answered, 0);
    pump();
    EXPECT_EQ(activations, 0);
    EXPECT_TRUE(bringClassWindowToFront("MainClass")) << "our own user still reaches it";
}

TEST_F(WindowBeaconTest, AnotherStartFindsTheWindowAndAsksItForward) {
    WindowBeacon beacon("MainClass", window);
    ASSERT_TRUE(beacon.active());
    EXPECT_TRUE(bringClassWindowToFront("MainClass"));
    pump();
    EXPECT_EQ(activations, 1);
}

TEST_F(WindowBeaconTest, NoBeaconNoAnswer) {
    EXPECT_FALSE(bringClassWindowToFront("MainClass"));
    {
        WindowBeacon beacon("OtherClass", window);
        EXPECT_FALSE(bringClassWindowToFront("MainClass"));
    }
    EXPECT_FALSE(bringClassWindowToFront("OtherClass"));
    pump();
    EXPECT_EQ(activations, 0);
}

TEST_F(WindowBeaconTest, OneBeaconPerClassAndScope) {
    WindowBeacon first("MainClass", window);
    WindowBeacon second("MainClass", window);
    EXPECT_TRUE(first.active());
    EXPECT_FALSE(second.active());
    setWindowBeaconScope("elsewhere-" + std::to_string(::getpid()));
    EXPECT_FALSE(bringClassWindowToFront("MainClass"));
}

}  // namespace plat
