#include "XvfbServer.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

XvfbServer::XvfbServer() {
    int ready[2];
    if (pipe(ready) != 0) {
        failure_ = "no pipe for Xvfb";
        return;
    }
    pid_ = fork();
    if (pid_ < 0) {
        failure_ = "fork failed";
        close(ready[0]);
        close(ready[1]);
        return;
    }
    if (pid_ == 0) {
        // The server goes with the test program, however that ends.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        close(ready[0]);
        std::string fd = std::to_string(ready[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    // Xvfb writes the display number once it listens; end of file means it did not start.
    std::string number;
    char c;
    while (read(ready[0], &c, 1) == 1 && c != '\n') number += c;
    close(ready[0]);
    if (number.empty()) {
        failure_ = "Xvfb did not start (is the xvfb package installed?)";
        return;
    }
    display_ = ":" + number;
}

XvfbServer::~XvfbServer() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}
