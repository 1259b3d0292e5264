#pragma once
// The program entry and its message loop.
//
// Entry: without "TB.cfg" beside the executable the program is an updater and ends after
// the update (mfxSelfUpdate.h). Otherwise the command line is split into options ('/') and
// the one document (quotes removed) for the application's instance initialisation; the
// start runs holding the named initialisation mutex: the initialisation callbacks, the OS
// manager, the application's start-up. A start that cannot have that mutex in time goes on as
// one that found another instance, which the application's start-up reports.
//
// Loop: blocks in the platform's wait until a message or a due timer; every message goes
// to the application first, then to the first window's filter, then is dispatched. One OS
// manager interval task runs the application's idle step and a tick on every framework
// window. The exit handler runs the application's exit and stops the OS manager.
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "engine/base/EngineTypes.h"

// Runs before the OS manager starts, in the order registered.
using mfxInitCallback = std::function<void()>;
void mfxRegisterInitCallback(mfxInitCallback callback);

struct mfxCommandLine {
    std::vector<std::string> options;
    std::string document;
};
mfxCommandLine mfxParseCommandLine(const std::vector<std::string>& arguments);

// The names of the mutex held while the program starts: the machine-wide one, and the one
// taken where the system refuses a machine-wide name.
constexpr char kMfxInitMutexName[] = "Global\\GmfxApplication||init";
constexpr char kMfxInitMutexFallbackName[] = "mfxApplication||init";
// The longest a start waits for another start to finish its own.
constexpr std::chrono::milliseconds kMfxInitMutexWait{10000};

// The program's exit code.
int mfxMain(int argc, char** argv);
// mfxMain for the executable `programFile` (an engine text) and its arguments after the
// program name.
int mfxStart(const std::string& programFile, const std::vector<std::string>& arguments);

// Everything after the updater test: runs the registered application from its instance
// initialisation to its exit and answers the exit code. A second start that finds the main
// window of a running one answers 0 without starting.
int mfxRunApplication(const mfxCommandLine& commandLine, u32 mode);

// Takes and handles one waiting message (the application's and the first window's filters,
// then dispatch); false when none waited. Sets *quit (with the code) on the quit message.
bool mfxPumpOneMessage(bool* quit, int* code);
// The blocking loop: returns the quit message's code.
int mfxRunMessageLoop();
// The same loop for as long as a step must wait for the child (a question at the program's
// end): true once `done` answers true; false at the quit message, which is posted again for
// the loop outside, at a close of a window, which is left waiting for it, or, on a headless
// display, once nothing more can come.
bool mfxRunMessagesUntil(const std::function<bool()>& done);
