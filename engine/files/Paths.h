#pragma once
// Paths and volumes. A Path is a shared, reference-counted value naming a file or folder as a
// volume plus a normalised text below the volume's root: it begins with "\", has no "\" at
// its end unless it is the root, and holds no ".", ".." or empty components. A volume record
// names a disc (by name and serial number) and outlives the disc's presence in the drive, so
// a path to a CD keeps naming that CD; using it later makes sure the right disc is in the
// drive, asking the application through the error callback to insert it.
//
// Paths are immutable once built; their counts are not atomic, so a path is copied and
// released on one thread at a time. Results and errors follow engine/OsServices.h: every call
// sets the module's last-error word.
#include "engine/base/EngineTypes.h"
#include "engine/files/OsServices.h"

struct DriveEntry;

constexpr u32 kMaxPathText = 255;
// Room for a full system text: the root "X:\" in place of the text's leading "\", and a NUL.
constexpr u32 kSystemTextSize = kMaxPathText + 4;
constexpr u32 kVolumeNameSize = 34;
constexpr u32 kFileSystemNameSize = 64;
constexpr FourCC kVolumeTag = fourCC("VOLM");

struct VolumeInfo {
    char name[kVolumeNameSize];
    u32 serial;
    u16 maxNameLength;  // the file system's maximum + 1
    u16 maxPathLength;
    u16 casePreserved;
    u16 caseSensitive;
    char fileSystem[kFileSystemNameSize];
};

struct VolumeRecord {
    FourCC tag;
    VolumeRecord* next;
    VolumeRecord* previous;
    VolumeRecord* self;
    VolumeInfo info;
    u32 lastUse;
    DriveEntry* drive;
};

struct PathRecord {
    u16 refCount;
    VolumeRecord* volume;
    char text[1];  // NUL-terminated; the record is allocated to the text's length
};

struct Path {
    PathRecord* record;
};

// Drive kinds and flags as the drive table keeps them.
enum DriveKind : u8 {
    kDriveRemovable = 0,
    kDriveCdRom = 1,
    kDriveFixed = 2,
    kDriveFloppy = 3,
    kDriveRemote = 4,
    kDriveRamDisk = 5,
};
constexpr u8 kDriveFlagProtectedMode = 0x01;
constexpr u8 kDriveFlagReadOnlyMedia = 0x02;
constexpr u8 kDriveFlagRemote = 0x04;
constexpr u8 kDriveFlagRemovable = 0x08;

struct OsVolumeInfo {
    char name[kVolumeNameSize];
    u16 maxNameLength;
    u16 maxPathLength;
    u16 backgroundReading;
    u16 casePreserved;
    u16 caseSensitive;
    u16 readOnlyMedia;
    u32 drive;
};

struct OsDriveInfo {
    u8 kind;
    u8 flags;
    u8 letter;
    u8 reserved;
    VolumeRecord* volume;
};

// (pointer to the 1-based drive number, context) → non-zero stops.
using OsDriveCallback = u16 (*)(u32* drive, void* context);

Path* pathInitEmpty(Path* path);
Path* pathFromText(Path* path, const char* text);
Path* pathFromVolume(Path* path, VolumeRecord* volume, const char* text);
Path* pathJoin(Path* path, const Path* folder, const char* name);
Path* pathInitCopy(Path* path, const Path* source);
void pathAssign(Path* path, const Path* source);
void pathRelease(Path* path);
EngineErr pathCompare(const Path* a, const Path* b);
// Buffers of kSystemTextSize bytes; the full text is the volume's root text followed by the text.
EngineErr pathGetFileName(const Path* path, char* buffer);
EngineErr pathGetFolderText(const Path* path, char* buffer);
EngineErr pathGetFullText(const Path* path, char* buffer);
EngineErr pathGetVolume(const Path* path, VolumeRecord** volume);
EngineErr pathGetSystemPath(const Path* path, VolumeRecord** volume, char* buffer);
u16 pathIsValidName(const char* name, u16 length, VolumeRecord* volume);
EngineErr pathSetCurrentDirectory(const Path* folder);
// These four initialise `path` with a share of the module's folder.
Path* pathGetCurrentDirectory(Path* path);
Path* pathGetModuleDirectory(Path* path);
Path* pathGetAppDirectory(Path* path);
Path* pathGetTempDirectory(Path* path);

EngineErr osReadVolumeInfo(const char* root, VolumeInfo* info);
VolumeRecord* osMountDrive(u32 drive);
EngineErr osUseVolume(VolumeRecord* volume);
VolumeRecord* osFindVolumeByName(const char* name);
EngineErr osForgetVolume(VolumeRecord* volume);
EngineErr osGetVolumeInfo(VolumeRecord* volume, OsVolumeInfo* info);
EngineErr osGetDriveInfo(u32 drive, OsDriveInfo* info);
// The volume at `index` of the table of known volumes (0 the first); kOsErrBadDrive past its end.
EngineErr osGetVolumeEntry(u32 index, VolumeRecord** volume);
// Bytes free, 0xFFFFFFFF when more than 4 GB are free. A failed query answers 0 with its code
// in the last-error word: a caller that cannot learn the room must not assume plenty.
u32 osGetVolumeFreeSpace(VolumeRecord* volume);
EngineErr osEjectDrive(u32 drive);
void osEnumDrives(OsDriveCallback callback, void* context);
