#include "platform/drives/MountTable.h"

#include <gtest/gtest.h>

namespace plat::drives_detail {
namespace {

MountEntry parsed(const std::string& line) {
    MountEntry entry;
    EXPECT_TRUE(parseMountInfoLine(line, &entry)) << line;
    return entry;
}

TEST(MountTable, ReadsMountPointTypeAndDeviceWithEscapes) {
    const MountEntry entry =
        parsed("36 25 11:0 / /media/user/PAINT\\040DISC ro,nosuid shared:1 - iso9660 /dev/sr0 ro,uid=1000");
    EXPECT_EQ(entry.mountPoint, "/media/user/PAINT DISC");
    EXPECT_EQ(entry.fsType, "iso9660");
    EXPECT_EQ(entry.device, "/dev/sr0");
    EXPECT_EQ(parsed("22 1 0:21 / /proc rw - proc proc rw").mountPoint, "/proc");
}

TEST(MountTable, RefusesLinesThatAreNoMountRecords) {
    MountEntry entry;
    EXPECT_FALSE(parseMountInfoLine("", &entry));
    EXPECT_FALSE(parseMountInfoLine("36 25 11:0 / /mnt rw shared:1", &entry));
    EXPECT_FALSE(parseMountInfoLine("36 25 - iso9660 /dev/sr0", &entry));
}

TEST(MountTable, DiscsAndMediaFoldersGetLetters) {
    EXPECT_EQ(classifyMount({"/mnt/cd", "iso9660", "/dev/loop3"}), DriveType::CdRom);
    EXPECT_EQ(classifyMount({"/mnt/dvd", "udf", "/dev/loop4"}), DriveType::CdRom);
    EXPECT_EQ(classifyMount({"/mnt/x", "auto", "/dev/sr1"}), DriveType::CdRom);
    EXPECT_EQ(classifyMount({"/media/user/STICK", "vfat", "/dev/nonexistent1"}), DriveType::Removable);
    EXPECT_EQ(classifyMount({"/run/media/user/STICK", "exfat", "/dev/nonexistent1"}), DriveType::Removable);
    EXPECT_EQ(classifyMount({"/proc", "proc", "proc"}), DriveType::None);
    EXPECT_EQ(classifyMount({"/home", "ext4", "/dev/nonexistent2"}), DriveType::None);
}

}  // namespace
}  // namespace plat::drives_detail

namespace {

using plat::drives_detail::assignMounts;
using plat::drives_detail::MountSlots;

TEST(MountTable, MountPointsKeepTheirLettersWhileTheirMediumIsOut) {
    MountSlots slots{};
    const std::vector<plat::drives_detail::MountEntry> first = {
        {"/", "ext4", "/dev/vda"}, {"/media/cd", "iso9660", "/dev/sr0"}, {"/media/stick", "vfat", "/dev/nonexistent1"}};
    auto changes = assignMounts(slots, first);
    EXPECT_EQ(slots[2].root, "/");
    EXPECT_EQ(slots[2].fsType, "ext4");
    EXPECT_EQ(slots[3].root, "/media/cd");
    EXPECT_EQ(slots[4].root, "/media/stick");
    EXPECT_EQ(changes.arrived, (1u << 3) | (1u << 4));
    EXPECT_EQ(changes.removed, 0u);

    // The disc goes: D: stays, without a medium.
    changes = assignMounts(slots, {first[0], first[2]});
    EXPECT_EQ(changes.removed, 1u << 3);
    EXPECT_EQ(changes.arrived, 0u);
    EXPECT_EQ(slots[3].type, plat::DriveType::CdRom);
    EXPECT_FALSE(slots[3].present);

    // Another medium takes the first free letter; the disc comes back under D:.
    changes = assignMounts(slots, {first[0], {"/media/other", "vfat", "/dev/nonexistent2"}, first[2], first[1]});
    EXPECT_EQ(slots[5].root, "/media/other");
    EXPECT_TRUE(slots[3].present);
    EXPECT_EQ(changes.arrived, (1u << 3) | (1u << 5));
    EXPECT_EQ(changes.removed, 0u);

    // Nothing changed: nothing to report.
    changes = assignMounts(slots, {first[0], {"/media/other", "vfat", "/dev/nonexistent2"}, first[2], first[1]});
    EXPECT_EQ(changes.arrived | changes.removed, 0u);
}

}  // namespace
