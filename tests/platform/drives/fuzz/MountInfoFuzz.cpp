// libFuzzer target: any text read as the mount table (lines the system writes, holding the
// labels of whatever disc or stick is put in) gives mount records whose fields are no longer
// than the line, and fitting them into the drive letters twice, with some mounts gone the second
// time, keeps C: on the root, gives no two letters one mount point and reports changes only for
// letters from D: on.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/drives/MountTable.h"

namespace {

using namespace plat::drives_detail;

constexpr uint32_t kFirstMediaLetter = 1u << 3;  // D:

void checkSlots(const MountSlots& slots, const MountChanges& changes) {
    if (slots[2].type != plat::DriveType::Fixed || slots[2].root != "/") std::abort();
    if ((changes.arrived | changes.removed) & (kFirstMediaLetter - 1)) std::abort();
    for (size_t i = 3; i < slots.size(); ++i)
        for (size_t j = i + 1; j < slots.size(); ++j)
            if (slots[i].type != plat::DriveType::None && slots[j].type != plat::DriveType::None &&
                slots[i].root == slots[j].root)
                std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::vector<MountEntry> entries;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        MountEntry entry;
        if (parseMountInfoLine(line, &entry)) {
            if (entry.mountPoint.size() > line.size() || entry.device.size() > line.size() ||
                entry.fsType.size() > line.size())
                std::abort();
            entries.push_back(entry);
        }
        start = end + 1;
    }
    MountSlots slots{};
    checkSlots(slots, assignMounts(slots, entries));
    entries.resize(entries.size() / 2);
    checkSlots(slots, assignMounts(slots, entries));
    return 0;
}
