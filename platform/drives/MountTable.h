#pragma once
// Inside platform/drives: lines of /proc/self/mountinfo and which mounts become drive letters
// (discs, and removable media or anything mounted under /media or /run/media).
#include <string>

#include "platform/drives/Drives.h"

namespace plat::drives_detail {

struct MountEntry {
    std::string mountPoint;
    std::string fsType;
    std::string device;
};

// False for a line that is not a mount record.
bool parseMountInfoLine(const std::string& line, MountEntry* entry);
// DriveType::None for a mount that gets no letter.
DriveType classifyMount(const MountEntry& entry);

}  // namespace plat::drives_detail
