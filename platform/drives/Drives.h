#pragma once
// Drive letters over the host's mount points. C: is the root of the file system; removable
// media and discs found in the mount table get the letters from D: on, each with its volume
// label and serial number. Media lock and eject are best effort.
//
// Tests replace a letter with a FakeDrive: a folder that plays a disc whose label can be
// swapped, taken out, write-protected, or made to fail with scripted errors. The fake's
// faults reach every file service that touches the letter (see driveCheckAccess).
//
// Any thread may call these functions; the table is guarded internally. Host paths here are
// UTF-8; labels are cp1252 as the engine sees them.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/drives/SystemErrors.h"

namespace plat {

enum class DriveType : uint8_t { None, Removable, Fixed, Remote, CdRom, RamDisk };

struct DriveVolume {
    std::string label;
    uint32_t serial = 0;
    uint32_t maxNameLength = 255;
    bool casePreserved = true;
    bool caseSensitive = false;
    std::string fileSystem;
};

// Bit 0 stands for A:.
uint32_t driveMask();
DriveType driveType(char letter);
// The host folder the letter's root stands for, without a final '/' except for "/"; empty
// when the letter has no drive.
std::string driveHostRoot(char letter);
// The letter whose root holds the host path (the longest matching root), and the rest of
// the path below it without a leading '/'. 0 when no drive holds it.
char driveForHostPath(const std::string& hostPath, std::string* rest);

SysErr driveReadVolume(char letter, DriveVolume* volume);
SysErr driveFreeBytes(char letter, uint64_t* bytes);
SysErr driveSetMediaLock(char letter, bool locked);
SysErr driveEject(char letter);
// Whether the medium in the drive may be used now: the fake drive's scripted faults and a
// missing disc are reported here, and a real drive whose medium went away is not ready.
SysErr driveCheckAccess(char letter, bool writing);

struct FakeDisc {
    std::string folder;  // host folder holding the disc's files
    std::string label;
    uint32_t serial = 0;
    std::string fileSystem = "CDFS";
    uint32_t maxNameLength = 255;
};

class FakeDrive {
public:
    FakeDrive(char letter, FakeDisc disc, DriveType type = DriveType::CdRom);
    ~FakeDrive();
    FakeDrive(const FakeDrive&) = delete;
    FakeDrive& operator=(const FakeDrive&) = delete;

    void insert(FakeDisc disc);
    void takeOut();
    void setWriteProtected(bool on);
    // The next `count` accesses of the drive fail with `error`.
    void failNext(SysErr error, int count = 1);

    bool mediaLocked() const;
    int ejectCount() const;
    int accessCount() const;

    struct State;

private:
    char letter_;
    std::shared_ptr<State> state_;
};

}  // namespace plat
