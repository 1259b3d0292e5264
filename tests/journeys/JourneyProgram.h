#pragma once
// The built program (or a peer measured beside it) run as a child process the way a desktop starts it: from its own folder,
// on a given X display, with a private home whose XDG folders and runtime folder hold all it
// writes, its output in a log file. Where the machine allows, it runs in namespaces of its own
// (network, for the abstract socket through which a start finds a running copy, and mounts,
// for the shared lock folder in /tmp), so that another copy running on the machine cannot turn
// its start into a "raise the first window" exit. It dies with the test program.
#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

struct JourneyProgramStart {
    std::string programDir;  // holds tumblo4 and its content set
    std::string home;
    std::string display;
    std::string logFile;
    std::vector<std::string> arguments;
    // The program file in programDir; another program measured beside ours names its own.
    std::string executable = "tumblo4";
};

class JourneyProgram {
public:
    explicit JourneyProgram(const JourneyProgramStart& start);
    ~JourneyProgram();
    JourneyProgram(const JourneyProgram&) = delete;
    JourneyProgram& operator=(const JourneyProgram&) = delete;

    // Whether this machine lets a program run in namespaces of its own (asked once).
    static bool canIsolate();

    pid_t pid() const { return pid_; }
    bool running();
    // Ends it as a session's end does: SIGTERM, then SIGKILL when it has not gone within the
    // grace; false when it had to be killed.
    bool end(std::chrono::milliseconds grace);
    // Waits for it to end by itself; false when it still runs at the deadline.
    bool waitForExit(std::chrono::milliseconds limit);
    // "still running", "exit status 0", "killed by signal 11".
    std::string status();

private:
    pid_t pid_ = -1;
    int waitStatus_ = 0;
    bool ended_ = false;
};
