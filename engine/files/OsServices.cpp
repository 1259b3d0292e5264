#include "engine/files/OsServices.h"

#include <cstdio>

#include "engine/files/OsFiles.h"
#include "engine/files/OsRequests.h"
#include "engine/files/OsState.h"
#include "engine/os/OsThreads.h"
#include "platform/clock/Clock.h"
#include "platform/drives/SystemErrors.h"
#include "platform/files/Files.h"

OsState gOs;

namespace {

Path* pathFromFolderText(Path* path, const std::string& text) {
    pathInitEmpty(path);
    return text.empty() ? path : pathFromText(path, text.c_str());
}

void releaseFolders() {
    pathRelease(&gOs.current);
    pathRelease(&gOs.program);
    pathRelease(&gOs.application);
    pathRelease(&gOs.temporary);
}

EngineErr undoStart(EngineErr error) {
    releaseFolders();
    osDestroyVolumes();
    osReleaseDrives();
    osMutexDelete(gOs.mutex);
    gOs = OsState{};
    return osSetLastError(error);
}

}  // namespace

EngineErr osMapSystemError(u32 systemError) {
    using namespace plat;
    switch (systemError) {
        case kSysFileNotFound:
        case kSysNoMoreFiles: return kOsErrNotFound;
        case kSysPathNotFound: return kOsErrPathNotFound;
        case kSysAccessDenied:
        case kSysDirNotEmpty: return kOsErrAccessDenied;
        case kSysInvalidAccess: return kOsErrWrongKind;
        case kSysInvalidDrive: return kOsErrBadDrive;
        case kSysCurrentDirectory: return kOsErrInUse;
        case kSysWriteProtect: return kOsErrWriteProtected;
        case kSysNotReady:
        case kSysWrongDisk:
        case kSysDiskChange: return kOsErrNotReady;
        case kSysSharingViolation:
        case kSysLockViolation: return kOsErrSharing;
        case kSysHandleEof: return kOsErrEndOfFile;
        case kSysHandleDiskFull:
        case kSysDiskFull: return kOsErrDiskFull;
        case kSysFileExists:
        case kSysAlreadyExists: return kOsErrExists;
        case kSysDriveLocked: return kOsErrDriveLocked;
        case kSysBufferOverflow:
        case kSysNameTooLong: return kOsErrBadPath;
        case kSysDirectoryInvalid: return kOsErrInvalidName;
        default: return kOsErrSystem;
    }
}

u16 osAskCallback(OsErrorRecord* record) {
    if (gOs.suppression < 0 || !gOs.callback) return 0;
    DriveEntry* drive = osDriveByNumber(record->drive);
    const bool insertVolume = record->kind == kOsErrorKindInsertVolume && drive && record->volume;
    if (insertVolume) {
        osSetMediaLock(drive, false);
        drive->current = nullptr;
    }
    record->mayRetry = gOs.mayRetry;
    if (gOs.callback(record) == 0) return 0;
    if (insertVolume) drive->current = record->volume;
    return 1;
}

u16 osErrorRetry(const char* text, u32 systemError) {
    const EngineErr code = osMapSystemError(systemError);
    OsErrorRecord record{};
    switch (code) {
        case kOsErrSystem: record.kind = kOsErrorKindSystem; break;
        case kOsErrDriveLocked: record.kind = kOsErrorKindDriveLocked; break;
        case kOsErrNotReady: record.kind = kOsErrorKindInsertVolume; break;
        case kOsErrWriteProtected: record.kind = kOsErrorKindWriteProtected; break;
        default: osSetLastError(code); return 0;
    }
    char message[64];
    if (record.kind == kOsErrorKindSystem) {
        std::snprintf(message, sizeof message, "General system error #%ld.", long(systemError));
        record.message = message;
    }
    if (DriveEntry* drive = osDriveOfText(text)) {
        record.drive = drive->number;
        record.volume = drive->current;
    }
    if (osAskCallback(&record)) return 1;
    osSetLastError(code);
    return 0;
}

OsErrorCallback osSetErrorCallback(OsErrorCallback callback) {
    const OsErrorCallback previous = gOs.callback;
    gOs.callback = callback;
    return previous;
}

u16 osEnableMediaLock(u16 on) {
    const u16 previous = gOs.mediaLockSwitch;
    gOs.mediaLockSwitch = on;
    if (!on) {
        for (DriveEntry& drive : gOs.drives) {
            if (drive.number) osSetMediaLock(&drive, false);
        }
    }
    return previous;
}

void osActivateHandler(u16 active) {
    if (gOs.previousActivate) gOs.previousActivate(active);
    gOs.appActive = active;
    if (active) return;
    for (DriveEntry& drive : gOs.drives) {
        if (drive.number && drive.mediaLocked) {
            osSetMediaLock(&drive, false);
            if (drive.current) drive.current->lastUse = plat::clockMillis();
        }
    }
}

EngineErr pathGetLastError() { return gOs.lastError; }

EngineErr osInit() {
    gOs = OsState{};
    gOs.mutex = osMutexCreate();
    if (!gOs.mutex) return undoStart(osmGetLastError());
    if (const EngineErr error = osSetUpDrives()) return undoStart(error);
    gOs.initialised = true;
    if (!pathFromFolderText(&gOs.current, plat::currentFolderText())->record ||
        !pathFromFolderText(&gOs.program, plat::programFolderText())->record ||
        !pathFromFolderText(&gOs.temporary, plat::tempFolderText())->record) {
        return undoStart(gOs.lastError ? gOs.lastError : kOsErrBadPath);
    }
    pathInitCopy(&gOs.application, &gOs.program);
    osWatchDeviceChanges();
    gOs.previousActivate = osmSetActivateCallback(osActivateHandler);
    if (osmIsAppActive()) osActivateHandler(1);
    return osSetLastError(kErrNone);
}

void osShutdown() {
    if (!gOs.initialised) return;
    gOs.suppression = -1;
    const bool switchingHeld = osmForbidSwitching() == kErrNone;
    osStopWatchingDeviceChanges();
    osmSetActivateCallback(gOs.previousActivate);
    osActivateHandler(0);
    osCloseAllFiles();
    releaseFolders();
    osDestroyVolumes();
    osReleaseDrives();
    if (switchingHeld) osmPermitSwitching();
    osReleaseCachedWorker();
    osMutexDelete(gOs.mutex);
    gOs = OsState{};
}
