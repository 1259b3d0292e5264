#pragma once
// Inside the OS services: the module's state shared by the services, paths, volumes, files
// and requests. Only those modules include this header.
#include <vector>

#include "engine/os/OsManager.h"
#include "engine/os/OsMutex.h"
#include "engine/files/OsServices.h"
#include "engine/files/Paths.h"
#include "platform/ui/Windows.h"

struct OsFile;
struct osmWorker;

struct DriveEntry {
    u32 number;  // 1-based; 0: no drive at this letter
    u16 deviceNumber;
    u16 letter;
    u8 kind;
    u8 flags;
    u16 mediaLocked;
    VolumeRecord* current;
    OsMutex* mutex;
};

struct OsState {
    EngineErr lastError = 0;
    bool initialised = false;
    u16 appActive = 1;
    u16 mediaLockSwitch = 1;
    OsMutex* mutex = nullptr;
    VolumeRecord* volumes = nullptr;
    OsFile* files = nullptr;
    std::vector<DriveEntry> drives;
    OsErrorCallback callback = nullptr;
    i16 suppression = 0;
    u16 mayRetry = 1;
    Path current{};
    Path program{};
    Path application{};
    Path temporary{};
    osmWorker* cachedWorker = nullptr;
    osmActivateProc previousActivate = nullptr;
    plat::WindowHandle watchingWindow = plat::kNoWindow;
    plat::WindowProcedure previousProcedure;
};

extern OsState gOs;

inline EngineErr osSetLastError(EngineErr error) {
    gOs.lastError = error;
    return error;
}

// The drive entry of a 1-based number, or of a text's "X:" prefix; null when none.
DriveEntry* osDriveByNumber(u32 number);
DriveEntry* osDriveOfText(const char* text);

// Asks the error callback (the protocol's second half); 1 to retry.
u16 osAskCallback(OsErrorRecord* record);

// Reads the drive's volume information under its mutex, naming unnamed fixed discs.
EngineErr osReadDriveVolume(DriveEntry* drive, VolumeInfo* info);
void osSetMediaLock(DriveEntry* drive, bool on);
void osDestroyVolumes();
EngineErr osSetUpDrives();
void osReleaseDrives();

// Root text "X:\" of a volume into a buffer of at least 4 bytes.
void osVolumeRootText(const VolumeRecord* volume, char* buffer);
bool osIsVolumeRecord(const VolumeRecord* volume);
bool osIsDriveRemovable(const DriveEntry* drive);

bool osVolumeHasOpenFile(const VolumeRecord* volume);
// Closes every open file, at shutdown.
void osCloseAllFiles();
void osReleaseCachedWorker();

// Media arriving and leaving reach the OS manager's hidden window, whose procedure the
// services replace while they run.
void osWatchDeviceChanges();
void osStopWatchingDeviceChanges();
