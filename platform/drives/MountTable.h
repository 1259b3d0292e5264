#pragma once
// Inside platform/drives: lines of /proc/self/mountinfo and which mounts become drive letters
// (discs, and removable media or anything mounted under /media or /run/media).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/drives/Drives.h"

namespace plat::drives_detail {

struct MountEntry {
    std::string mountPoint;
    std::string fsType;
    std::string device;
};

// What a drive letter stands for. A letter keeps its mount point while the medium is out,
// so that a disc put back in reappears under the letter it had.
struct MountedDrive {
    DriveType type = DriveType::None;
    std::string root;
    std::string device;
    std::string fsType;
    bool present = true;
};
using MountSlots = std::array<MountedDrive, 26>;

struct MountChanges {
    uint32_t arrived = 0;  // bit 0 stands for A:
    uint32_t removed = 0;
};

// Fits the mounts found now into the letters: C: is the root, a mount point keeps the letter
// it had, a new one takes the first free letter from D:, a letter whose mount went away stays
// with no medium. Returns the letters whose medium came or went.
MountChanges assignMounts(MountSlots& slots, const std::vector<MountEntry>& entries);
std::vector<MountEntry> readMountTable();
// Reads the mount table again into the drive table.
MountChanges rescanDrives();

// False for a line that is not a mount record.
bool parseMountInfoLine(const std::string& line, MountEntry* entry);
// DriveType::None for a mount that gets no letter.
DriveType classifyMount(const MountEntry& entry);

}  // namespace plat::drives_detail
