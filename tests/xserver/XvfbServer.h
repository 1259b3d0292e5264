#pragma once
// A private X server for one test: Xvfb started on the first free display number, which it
// reports through a pipe once it accepts connections, and ended when the object goes.
#include <sys/types.h>

#include <string>

class XvfbServer {
public:
    XvfbServer();
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool running() const { return !display_.empty(); }
    // ":N" while running.
    const std::string& display() const { return display_; }
    const std::string& failure() const { return failure_; }
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    std::string display_;
    std::string failure_;
};
