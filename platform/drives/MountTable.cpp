#include "platform/drives/MountTable.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace plat::drives_detail {
namespace {

namespace fs = std::filesystem;

// Mount-table fields escape blanks and backslashes as three octal digits.
std::string unescapeMountField(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.find_first_not_of("01234567") == std::string::npos) {
                out.push_back(char(std::stoi(digits, nullptr, 8)));
                i += 3;
                continue;
            }
        }
        out.push_back(field[i]);
    }
    return out;
}

bool isRemovableDevice(const std::string& device) {
    if (device.rfind("/dev/", 0) != 0) return false;
    std::error_code ec;
    const fs::path sysPath = fs::canonical(fs::path("/sys/class/block") / fs::path(device).filename(), ec);
    if (ec) return false;
    for (const fs::path& dir : {sysPath, sysPath.parent_path()}) {
        std::ifstream flag(dir / "removable");
        int value = 0;
        if (flag >> value) return value == 1;
    }
    return false;
}

}  // namespace

bool parseMountInfoLine(const std::string& line, MountEntry* entry) {
    std::istringstream fields(line);
    std::vector<std::string> parts;
    for (std::string part; fields >> part;) parts.push_back(part);
    size_t dash = 0;
    while (dash < parts.size() && parts[dash] != "-") ++dash;
    if (parts.size() < 5 || dash < 5 || dash + 2 >= parts.size()) return false;
    *entry = MountEntry{unescapeMountField(parts[4]), parts[dash + 1], unescapeMountField(parts[dash + 2])};
    return true;
}

DriveType classifyMount(const MountEntry& entry) {
    if (entry.fsType == "iso9660" || entry.fsType == "udf" || entry.device.rfind("/dev/sr", 0) == 0) {
        return DriveType::CdRom;
    }
    const bool mediaFolder = entry.mountPoint.rfind("/media/", 0) == 0 || entry.mountPoint.rfind("/run/media/", 0) == 0;
    if (mediaFolder || isRemovableDevice(entry.device)) return DriveType::Removable;
    return DriveType::None;
}

MountChanges assignMounts(MountSlots& slots, const std::vector<MountEntry>& entries) {
    constexpr int kRootSlot = 2;
    if (slots[kRootSlot].type == DriveType::None) slots[kRootSlot] = MountedDrive{DriveType::Fixed, "/", "", "", true};
    std::array<bool, 26> seen{};
    seen[kRootSlot] = true;
    MountChanges changes;
    for (const MountEntry& entry : entries) {
        if (entry.mountPoint == "/") {
            slots[kRootSlot].fsType = entry.fsType;
            slots[kRootSlot].device = entry.device;
            continue;
        }
        const DriveType type = classifyMount(entry);
        if (type == DriveType::None) continue;
        int slot = -1;
        for (int i = kRootSlot + 1; i < 26 && slot < 0; ++i) {
            if (slots[i].type != DriveType::None && slots[i].root == entry.mountPoint) slot = i;
        }
        for (int i = kRootSlot + 1; i < 26 && slot < 0; ++i) {
            if (slots[i].type == DriveType::None) slot = i;
        }
        if (slot < 0 || seen[slot]) continue;
        seen[slot] = true;
        if (slots[slot].type == DriveType::None || !slots[slot].present) changes.arrived |= 1u << slot;
        slots[slot] = MountedDrive{type, entry.mountPoint, entry.device, entry.fsType, true};
    }
    for (int i = kRootSlot + 1; i < 26; ++i) {
        if (slots[i].type != DriveType::None && slots[i].present && !seen[i]) {
            slots[i].present = false;
            changes.removed |= 1u << i;
        }
    }
    return changes;
}

std::vector<MountEntry> readMountTable() {
    std::vector<MountEntry> entries;
    std::ifstream mountinfo("/proc/self/mountinfo");
    MountEntry entry;
    for (std::string line; std::getline(mountinfo, line);) {
        if (parseMountInfoLine(line, &entry)) entries.push_back(entry);
    }
    return entries;
}

}  // namespace plat::drives_detail
