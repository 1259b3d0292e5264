#pragma once
// The guard that keeps one user from running the program twice, and tells when the program
// already runs for another user of the machine. It holds two named mutexes for the life of
// the process, built from a product name (or the program's own path when the name is empty):
// "Local\<NAME>" among this user's processes and "Global\G<NAME>" among all users'. A
// mutex is lost with the process that holds it, however that process ends.
//
// The check runs once, from a static initialiser before the program's entry; the start-up
// reads the conflict flag afterwards. One thread.
#include <string>

#include "engine/base/EngineTypes.h"
#include "platform/system/NamedMutex.h"

// System answers to taking a named mutex.
constexpr u32 kMutexErrNone = 0;
constexpr u32 kMutexErrAccessDenied = 5;
constexpr u32 kMutexErrAlreadyExists = 183;

struct SingleInstanceFlags {
    u32 lastMutexError;
    u8 instanceOwner;     // this process may run as the owner of the name
    u8 instanceBusy;      // this user runs the program already
    u8 instanceConflict;  // another instance holds the name: the start-up reports it
    u8 checkDone;
};

// ":" becomes "|", "\" becomes "-", spaces go, letters are upper-cased.
std::string SingleInstanceBaseName(const char* name);
void SingleInstanceCheck(const char* name);
void ReleaseSingleInstanceMutexes();
// Another start holds the program's start-up beyond a start's patience: it counts as another
// instance.
void SingleInstanceNoteConflict();
const SingleInstanceFlags& SingleInstanceStatus();
// A lock folder or file that was not trusted (someone else's, or not a plain file): the
// start-up names it rather than report another instance. Empty when none was; the first
// noted stays.
void SingleInstanceNoteRefusedLock(const std::string& path, plat::LockRefusal why);
const std::string& SingleInstanceRefusedLock();
plat::LockRefusal SingleInstanceLockRefusal();

// Built by a static initialiser; with `run` it makes the check, and it lets the mutexes go at
// exit.
class SingleInstanceInit {
public:
    SingleInstanceInit(u16 run, const char* name);
    ~SingleInstanceInit();
    SingleInstanceInit(const SingleInstanceInit&) = delete;
    SingleInstanceInit& operator=(const SingleInstanceInit&) = delete;
};
