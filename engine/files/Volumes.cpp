// The drive table and the known volumes: mounting, making a volume available (asking for
// its disc), media locks, free space and ejection.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <new>

#include "engine/files/OsFiles.h"
#include "engine/files/OsRequests.h"
#include "engine/files/OsState.h"
#include "engine/os/OsThreads.h"
#include "engine/base/TextUtils.h"
#include "platform/clock/Clock.h"

namespace {

// A volume in a removable drive stays trusted this long after its last use without a lock.
constexpr u32 kVolumeTrustMs = 2000;
// The file system's maximum name length of 8.3 volumes, whose paths are limited to 78.
constexpr u32 kShortNameLength = 12;
constexpr u16 kShortNamePathLength = 78;

void driveKindOf(plat::DriveType type, DriveEntry* drive) {
    drive->flags = kDriveFlagProtectedMode;
    switch (type) {
        case plat::DriveType::Fixed: drive->kind = kDriveFixed; break;
        case plat::DriveType::Remote:
            drive->kind = kDriveRemote;
            drive->flags |= kDriveFlagRemote;
            break;
        case plat::DriveType::CdRom:
            drive->kind = kDriveCdRom;
            drive->flags |= kDriveFlagReadOnlyMedia | kDriveFlagRemovable;
            break;
        case plat::DriveType::RamDisk: drive->kind = kDriveRamDisk; break;
        default:
            drive->kind = kDriveRemovable;
            drive->flags |= kDriveFlagRemovable;
            break;
    }
}

bool sameVolume(const VolumeInfo& a, const VolumeInfo& b) {
    return a.serial == b.serial && strCompareNoCase(a.name, b.name) == 0 && std::strlen(a.name) == std::strlen(b.name);
}

void unlinkVolume(VolumeRecord* volume) {
    if (volume->previous) volume->previous->next = volume->next;
    else gOs.volumes = volume->next;
    if (volume->next) volume->next->previous = volume->previous;
}

void destroyVolume(VolumeRecord* volume) {
    if (volume->drive && volume->drive->current == volume) volume->drive->current = nullptr;
    unlinkVolume(volume);
    volume->tag = 0;
    delete volume;
}

void copyText(char* destination, const std::string& text, size_t size) {
    const size_t n = text.size() < size ? text.size() : size - 1;
    std::memcpy(destination, text.data(), n);
    destination[n] = 0;
}

bool pathLiesOn(const Path& path, const VolumeRecord* volume) {
    return path.record && path.record->volume == volume;
}

}  // namespace

DriveEntry* osDriveByNumber(u32 number) {
    if (number == 0 || number > gOs.drives.size()) return nullptr;
    DriveEntry* drive = &gOs.drives[number - 1];
    return drive->number ? drive : nullptr;
}

DriveEntry* osDriveOfText(const char* text) {
    if (!text[0] || text[1] != ':') return nullptr;
    const int letter = std::toupper(static_cast<unsigned char>(text[0]));
    if (letter < 'A' || letter > 'Z') return nullptr;
    return osDriveByNumber(u32(letter - 'A' + 1));
}

bool osIsDriveRemovable(const DriveEntry* drive) { return drive->flags & kDriveFlagRemovable; }

bool osIsVolumeRecord(const VolumeRecord* volume) {
    return volume && volume->tag == kVolumeTag && volume->self == volume;
}

void osVolumeRootText(const VolumeRecord* volume, char* buffer) {
    std::snprintf(buffer, 4, "%c:\\", char(volume->drive->letter));
}

EngineErr osReadVolumeInfo(const char* root, VolumeInfo* info) {
    asyncGetVolumeInformation request(root[0]);
    if (const EngineErr error = osRunRequest(request, root)) return error;
    std::memset(info, 0, sizeof *info);
    copyText(info->name, request.volume.label, sizeof info->name);
    info->serial = request.volume.serial;
    info->maxNameLength = u16(request.volume.maxNameLength + 1);
    info->maxPathLength =
        request.volume.maxNameLength == kShortNameLength ? kShortNamePathLength : u16(request.volume.maxNameLength + 2);
    info->casePreserved = request.volume.casePreserved;
    info->caseSensitive = request.volume.caseSensitive;
    copyText(info->fileSystem, request.volume.fileSystem, sizeof info->fileSystem);
    return osSetLastError(kErrNone);
}

EngineErr osReadDriveVolume(DriveEntry* drive, VolumeInfo* info) {
    char root[4];
    std::snprintf(root, sizeof root, "%c:\\", char(drive->letter));
    OsMutexHold hold(drive->mutex);
    if (const EngineErr error = osReadVolumeInfo(root, info)) return error;
    if (!osIsDriveRemovable(drive) && info->name[0] == 0) {
        std::snprintf(info->name, sizeof info->name, "NONAME @%c:", char(drive->letter));
    }
    if (info->serial == 0) info->serial = drive->letter;
    return kErrNone;
}

void osSetMediaLock(DriveEntry* drive, bool on) {
    if (drive->kind != kDriveCdRom) return;
    if (on && !gOs.appActive) on = false;
    if (on && !gOs.mediaLockSwitch) return;
    if (bool(drive->mediaLocked) == on) return;
    OsMutexHold hold(drive->mutex);
    if (plat::driveSetMediaLock(char(drive->letter), on) == plat::kSysOk) drive->mediaLocked = on;
}

EngineErr osSetUpDrives() {
    const u32 mask = plat::driveMask();
    u32 count = 0;
    for (u32 i = 0; i < 26; ++i) {
        if (mask & (1u << i)) count = i + 1;
    }
    gOs.drives.assign(count, DriveEntry{});
    for (u32 i = 0; i < count; ++i) {
        const char letter = char('A' + i);
        const plat::DriveType type = plat::driveType(letter);
        if (type == plat::DriveType::None) continue;
        DriveEntry& drive = gOs.drives[i];
        driveKindOf(type, &drive);
        drive.letter = u16(letter);
        drive.deviceNumber = u16(i + 1);
        drive.mutex = osMutexCreate();
        if (!drive.mutex) return osmGetLastError();
        drive.number = i + 1;
    }
    // A disc that cannot be read now is asked for when a path first needs it.
    for (DriveEntry& drive : gOs.drives) {
        const bool readLater = drive.kind == kDriveRemote || (osIsDriveRemovable(&drive) && drive.kind != kDriveCdRom);
        if (drive.number && !readLater) osMountDrive(drive.number);
    }
    return kErrNone;
}

void osReleaseDrives() {
    for (DriveEntry& drive : gOs.drives) {
        if (!drive.number) continue;
        osSetMediaLock(&drive, false);
        osMutexDelete(drive.mutex);
    }
    gOs.drives.clear();
}

void osDestroyVolumes() {
    while (gOs.volumes) destroyVolume(gOs.volumes);
}

VolumeRecord* osMountDrive(u32 number) {
    DriveEntry* drive = osDriveByNumber(number);
    if (!drive) return osSetLastError(kOsErrBadDrive), nullptr;
    if (osIsDriveRemovable(drive) && !drive->mediaLocked) drive->current = nullptr;
    if (drive->current) return osSetLastError(kOsErrDriveBusy), nullptr;
    VolumeInfo info;
    if (osReadDriveVolume(drive, &info)) return nullptr;
    for (VolumeRecord* known = gOs.volumes; known; known = known->next) {
        const bool sameDrive =
            known->drive == drive || (known->drive && osIsDriveRemovable(known->drive) && osIsDriveRemovable(drive));
        if (sameDrive && sameVolume(known->info, info)) {
            osUseVolume(known);
            osSetLastError(kOsErrDriveBusy);
            return nullptr;
        }
    }
    auto* volume = new (std::nothrow) VolumeRecord{};
    if (!volume) return osSetLastError(kOsErrOutOfMemory), nullptr;
    volume->tag = kVolumeTag;
    volume->self = volume;
    volume->info = info;
    volume->drive = drive;
    volume->next = gOs.volumes;
    if (gOs.volumes) gOs.volumes->previous = volume;
    gOs.volumes = volume;
    if (const EngineErr error = osUseVolume(volume)) {
        destroyVolume(volume);
        osSetLastError(error);
        return nullptr;
    }
    return volume;
}

EngineErr osUseVolume(VolumeRecord* volume) {
    if (!osIsVolumeRecord(volume)) return osSetLastError(kOsErrBadDrive);
    DriveEntry* drive = volume->drive;
    if (!drive) return osSetLastError(kErrNone);
    const u32 now = plat::clockMillis();
    const bool trusted = drive->current == volume &&
                         (!osIsDriveRemovable(drive) || drive->mediaLocked || now - volume->lastUse <= kVolumeTrustMs);
    if (!trusted) {
        for (;;) {
            drive->current = volume;
            VolumeInfo info;
            if (const EngineErr error = osReadDriveVolume(drive, &info)) {
                drive->current = nullptr;
                return osSetLastError(error);
            }
            if (sameVolume(info, volume->info)) break;
            osEjectDrive(drive->number);
            OsErrorRecord record{kOsErrorKindInsertVolume, 1, drive->number, volume, nullptr};
            if (!osAskCallback(&record)) {
                drive->current = nullptr;
                return osSetLastError(kOsErrNotReady);
            }
        }
    }
    volume->lastUse = plat::clockMillis();
    osSetMediaLock(drive, true);
    return osSetLastError(kErrNone);
}

VolumeRecord* osFindVolumeByName(const char* name) {
    for (VolumeRecord* volume = gOs.volumes; volume; volume = volume->next) {
        if (strCompareNoCase(volume->info.name, name) == 0 && std::strlen(volume->info.name) == std::strlen(name)) {
            osSetLastError(kErrNone);
            return volume;
        }
    }
    osSetLastError(kOsErrNotFound);
    return nullptr;
}

EngineErr osForgetVolume(VolumeRecord* volume) {
    if (!osIsVolumeRecord(volume)) return osSetLastError(kOsErrBadDrive);
    if (pathLiesOn(gOs.current, volume) || pathLiesOn(gOs.program, volume) || pathLiesOn(gOs.application, volume) ||
        pathLiesOn(gOs.temporary, volume)) {
        return osSetLastError(kOsErrAccessDenied);
    }
    if (osVolumeHasOpenFile(volume)) return osSetLastError(kOsErrInUse);
    destroyVolume(volume);
    return osSetLastError(kErrNone);
}

EngineErr osGetVolumeInfo(VolumeRecord* volume, OsVolumeInfo* info) {
    if (!osIsVolumeRecord(volume)) return osSetLastError(kOsErrBadDrive);
    std::memcpy(info->name, volume->info.name, sizeof info->name);
    info->maxNameLength = volume->info.maxNameLength;
    info->maxPathLength = volume->info.maxPathLength;
    info->backgroundReading = 1;
    info->casePreserved = volume->info.casePreserved;
    info->caseSensitive = volume->info.caseSensitive;
    info->readOnlyMedia = volume->drive && (volume->drive->flags & kDriveFlagReadOnlyMedia) ? 1 : 0;
    info->drive = volume->drive ? volume->drive->number : 0;
    return osSetLastError(kErrNone);
}

EngineErr osGetVolumeEntry(u32 index, VolumeRecord** volume) {
    *volume = nullptr;
    VolumeRecord* v = gOs.volumes;
    for (u32 i = 0; v && i < index; ++i) v = v->next;
    if (!v) return osSetLastError(kOsErrBadDrive);
    *volume = v;
    return osSetLastError(kErrNone);
}

EngineErr osGetDriveInfo(u32 number, OsDriveInfo* info) {
    const DriveEntry* drive = osDriveByNumber(number);
    if (!drive) return osSetLastError(kOsErrBadDrive);
    *info = OsDriveInfo{drive->kind, drive->flags, u8(drive->letter), 0, drive->current};
    return osSetLastError(kErrNone);
}

u32 osGetVolumeFreeSpace(VolumeRecord* volume) {
    if (!osIsVolumeRecord(volume)) return osSetLastError(kOsErrBadDrive), 0;
    if (osUseVolume(volume)) return 0;
    char root[4];
    osVolumeRootText(volume, root);
    asyncGetDiskFreeSpace request(root[0]);
    if (osRunRequest(request, root)) return 0;
    return request.bytes > 0xFFFFFFFFull ? 0xFFFFFFFFu : u32(request.bytes);
}

EngineErr osEjectDrive(u32 number) {
    DriveEntry* drive = osDriveByNumber(number);
    if (!drive) return osSetLastError(kOsErrBadDrive);
    if (drive->kind == kDriveCdRom) {
        osSetMediaLock(drive, false);
        OsMutexHold hold(drive->mutex);
        plat::driveEject(char(drive->letter));
        drive->current = nullptr;
    }
    return osSetLastError(kErrNone);
}

void osEnumDrives(OsDriveCallback callback, void* context) {
    for (DriveEntry& drive : gOs.drives) {
        if (drive.number && callback(&drive.number, context)) return;
    }
}
