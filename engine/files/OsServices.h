#pragma once
// OS services: the engine's layer over the file system. The module owns the drive table, the
// known volumes, the current, program, application and temporary folders and the open files,
// and turns every file-system failure into an engine code (103xx). For a general system
// error, a locked drive, a drive not ready or holding the wrong disc, and a write-protected
// disc it asks the application's error callback whether to retry; that is how the program
// prompts for a disc. Without a callback nothing is retried.
//
// Paths and volumes are in engine/Paths.h, files and folders in engine/OsFiles.h, the requests
// through which every system call runs in engine/OsRequests.h. All of it is called from the
// user-interface thread (engine threads included); the error callback runs on the thread
// whose operation failed.
#include "engine/base/EngineTypes.h"

struct VolumeRecord;

constexpr EngineErr kOsErrOutOfMemory = 2;
constexpr EngineErr kOsErrAccessDenied = 10300;
constexpr EngineErr kOsErrInUse = 10301;
constexpr EngineErr kOsErrExists = 10302;
constexpr EngineErr kOsErrEndOfFile = 10303;
constexpr EngineErr kOsErrModeRefused = 10304;
constexpr EngineErr kOsErrWrongKind = 10305;
constexpr EngineErr kOsErrInvalidName = 10306;
constexpr EngineErr kOsErrBadPath = 10307;
constexpr EngineErr kOsErrDifferent = 10308;
constexpr EngineErr kOsErrNotFound = 10309;
constexpr EngineErr kOsErrSystem = 10310;
constexpr EngineErr kOsErrPathNotFound = 10311;
constexpr EngineErr kOsErrSharing = 10312;
constexpr EngineErr kOsErrDiskFull = 10313;
constexpr EngineErr kOsErrDriveLocked = 10314;
constexpr EngineErr kOsErrDriveBusy = 10315;
constexpr EngineErr kOsErrNotReady = 10316;
constexpr EngineErr kOsErrWriteProtected = 10317;
constexpr EngineErr kOsErrBadFile = 10351;
constexpr EngineErr kOsErrBadDrive = 10352;

enum OsErrorKind : u32 {
    kOsErrorKindSystem = 1,
    kOsErrorKindDriveLocked = 2,
    kOsErrorKindInsertVolume = 3,
    kOsErrorKindWriteProtected = 4,
};

struct OsErrorRecord {
    u32 kind;
    u16 mayRetry;
    u32 drive;  // 1-based; 0 when the failure is not on a drive
    VolumeRecord* volume;
    const char* message;  // kind 1 only: "General system error #%ld."
};

// Non-zero: retry; 0: give up.
using OsErrorCallback = u16 (*)(const OsErrorRecord* record);

EngineErr osInit();
void osShutdown();
EngineErr osMapSystemError(u32 systemError);
u16 osErrorRetry(const char* text, u32 systemError);
OsErrorCallback osSetErrorCallback(OsErrorCallback callback);
u16 osEnableMediaLock(u16 on);
// The OS manager calls this when the application is activated or deactivated.
void osActivateHandler(u16 active);
EngineErr pathGetLastError();
