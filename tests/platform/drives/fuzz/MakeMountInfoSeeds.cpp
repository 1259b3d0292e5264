// Writes the mount-table fuzzer's seeds: tables as the system writes them, with discs, sticks
// under the media folders, labels holding escaped blanks and backslashes, optional fields, the
// root, and more media than there are letters.
#include <string>

#include "tests/FuzzSeeds.h"

namespace {

std::string record(int id, const std::string& mountPoint, const std::string& type, const std::string& device,
                   const std::string& optional = "shared:1") {
    return std::to_string(id) + " 25 11:0 / " + mountPoint + " rw,nosuid " + optional + " - " + type + " " + device +
           " rw\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    const std::string system = record(1, "/", "ext4", "/dev/vda1") + record(2, "/proc", "proc", "proc", "") +
                               record(3, "/sys", "sysfs", "sysfs", "master:4 shared:9");
    fuzzseeds::save(folder, "disc-and-stick",
                    system + record(36, "/media/user/PAINT\\040DISC", "iso9660", "/dev/sr0") +
                        record(37, "/run/media/user/BACK\\134SLASH", "vfat", "/dev/sdb1"));
    std::string many = system;
    for (int i = 0; i < 30; ++i) many += record(40 + i, "/media/user/STICK" + std::to_string(i), "vfat", "/dev/sdc" + std::to_string(i));
    fuzzseeds::save(folder, "more-media-than-letters", many);
    fuzzseeds::save(folder, "same-point-twice",
                    system + record(50, "/mnt/cd", "udf", "/dev/sr1") + record(51, "/mnt/cd", "iso9660", "/dev/sr2"));
    return 0;
}
