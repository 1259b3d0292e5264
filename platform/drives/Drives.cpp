#include "platform/drives/Drives.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <sys/ioctl.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <vector>

#include "platform/drives/DriveChanges.h"
#include "platform/drives/MountTable.h"

namespace plat {

struct FakeDrive::State {
    DriveType type;
    bool present = true;
    FakeDisc disc;
    bool writeProtected = false;
    SysErr scriptedError = kSysOk;
    int scriptedCount = 0;
    bool locked = false;
    int ejects = 0;
    int accesses = 0;
};

namespace {

namespace fs = std::filesystem;

using drives_detail::MountedDrive;

struct DriveTable {
    std::mutex mutex;
    std::once_flag scanned;
    drives_detail::MountSlots mounted;
    std::array<std::shared_ptr<FakeDrive::State>, 26> fakes;
};

DriveTable& table() {
    static DriveTable instance;
    return instance;
}

int slotOf(char letter) {
    const int c = std::toupper(static_cast<unsigned char>(letter));
    return (c >= 'A' && c <= 'Z') ? c - 'A' : -1;
}

void scanMountTable(DriveTable& t) {
    t.mounted = {};
    drives_detail::assignMounts(t.mounted, drives_detail::readMountTable());
}

// The mount table is read on first use and again whenever the watcher sees it change.
DriveTable& scannedTable() {
    DriveTable& t = table();
    std::call_once(t.scanned, [&] { scanMountTable(t); });
    return t;
}

// The name of the /dev/disk/by-* link that points at the device, decoded.
std::string diskLinkName(const char* folder, const std::string& device) {
    std::error_code ec;
    const fs::path target = fs::canonical(device, ec);
    if (ec) return {};
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        std::error_code linkError;
        if (fs::canonical(entry.path(), linkError) == target && !linkError) {
            std::string name = entry.path().filename().string();
            std::string decoded;
            for (size_t i = 0; i < name.size(); ++i) {
                if (name.compare(i, 2, "\\x") == 0 && i + 3 < name.size()) {
                    decoded.push_back(char(std::stoi(name.substr(i + 2, 2), nullptr, 16)));
                    i += 3;
                } else {
                    decoded.push_back(name[i]);
                }
            }
            return decoded;
        }
    }
    return {};
}

uint32_t serialFromUuid(const std::string& uuid) {
    uint32_t serial = 0;
    for (char c : uuid) {
        if (std::isxdigit(static_cast<unsigned char>(c))) {
            serial = (serial << 4) | uint32_t(std::stoi(std::string(1, c), nullptr, 16));
        }
    }
    return serial;
}

std::string fileSystemName(const std::string& fsType) {
    if (fsType == "vfat" || fsType == "msdos") return "FAT";
    if (fsType == "iso9660" || fsType == "udf") return "CDFS";
    std::string upper = fsType;
    for (char& c : upper) c = char(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

SysErr errnoToDriveError(int error) {
    switch (error) {
        case ENOMEDIUM: return kSysNotReady;
        case EROFS: return kSysWriteProtect;
        case EACCES:
        case EPERM: return kSysAccessDenied;
        default: return kSysGeneralFailure;
    }
}

SysErr cdromIoctl(const std::string& device, unsigned long request, long argument) {
    if (device.empty()) return kSysNotSupported;
    const int fd = ::open(device.c_str(), O_RDONLY | O_NONBLOCK);
    if (fd < 0) return errnoToDriveError(errno);
    const int result = ::ioctl(fd, request, argument);
    const int error = errno;
    ::close(fd);
    return result < 0 ? errnoToDriveError(error) : kSysOk;
}

// Called with the table's mutex held.
SysErr fakeFault(FakeDrive::State& fake, bool writing) {
    ++fake.accesses;
    if (fake.scriptedCount > 0) {
        --fake.scriptedCount;
        return fake.scriptedError;
    }
    if (!fake.present) return kSysNotReady;
    if (writing && fake.writeProtected) return kSysWriteProtect;
    return kSysOk;
}

}  // namespace

uint32_t driveMask() {
    DriveTable& t = scannedTable();
    std::lock_guard lock(t.mutex);
    uint32_t mask = 0;
    for (int i = 0; i < 26; ++i) {
        if (t.fakes[i] || t.mounted[i].type != DriveType::None) mask |= 1u << i;
    }
    return mask;
}

DriveType driveType(char letter) {
    const int slot = slotOf(letter);
    if (slot < 0) return DriveType::None;
    DriveTable& t = scannedTable();
    std::lock_guard lock(t.mutex);
    return t.fakes[slot] ? t.fakes[slot]->type : t.mounted[slot].type;
}

std::string driveHostRoot(char letter) {
    const int slot = slotOf(letter);
    if (slot < 0) return {};
    DriveTable& t = scannedTable();
    std::lock_guard lock(t.mutex);
    if (t.fakes[slot]) return t.fakes[slot]->disc.folder;
    return t.mounted[slot].root;
}

char driveForHostPath(const std::string& hostPath, std::string* rest) {
    DriveTable& t = scannedTable();
    std::lock_guard lock(t.mutex);
    int best = -1;
    size_t bestLength = 0;
    for (int i = 0; i < 26; ++i) {
        const std::string root = t.fakes[i] ? t.fakes[i]->disc.folder : t.mounted[i].root;
        if (root.empty()) continue;
        const bool holds = root == "/" || hostPath == root ||
                           (hostPath.rfind(root, 0) == 0 && hostPath.size() > root.size() && hostPath[root.size()] == '/');
        if (holds && (best < 0 || root.size() > bestLength)) {
            best = i;
            bestLength = root.size();
        }
    }
    if (best < 0) return 0;
    const std::string root = t.fakes[best] ? t.fakes[best]->disc.folder : t.mounted[best].root;
    size_t start = root == "/" ? 1 : std::min(hostPath.size(), root.size() + 1);
    *rest = hostPath.substr(std::min(start, hostPath.size()));
    return char('A' + best);
}

SysErr driveReadVolume(char letter, DriveVolume* volume) {
    const int slot = slotOf(letter);
    if (slot < 0) return kSysInvalidDrive;
    DriveTable& t = scannedTable();
    MountedDrive mounted;
    {
        std::lock_guard lock(t.mutex);
        if (const auto& fake = t.fakes[slot]) {
            if (const SysErr fault = fakeFault(*fake, false)) return fault;
            *volume = DriveVolume{fake->disc.label, fake->disc.serial, fake->disc.maxNameLength, true, false,
                                  fake->disc.fileSystem};
            return kSysOk;
        }
        mounted = t.mounted[slot];
    }
    if (mounted.type == DriveType::None) return kSysInvalidDrive;
    if (!mounted.present) return kSysNotReady;
    struct statvfs info{};
    if (::statvfs(mounted.root.c_str(), &info) != 0) return errnoToDriveError(errno);
    *volume = DriveVolume{};
    volume->maxNameLength = uint32_t(info.f_namemax);
    volume->fileSystem = fileSystemName(mounted.fsType);
    if (mounted.type != DriveType::Fixed) {
        volume->label = diskLinkName("/dev/disk/by-label", mounted.device);
        volume->serial = serialFromUuid(diskLinkName("/dev/disk/by-uuid", mounted.device));
    }
    return kSysOk;
}

SysErr driveFreeBytes(char letter, uint64_t* bytes) {
    const std::string root = driveHostRoot(letter);
    if (root.empty()) return kSysInvalidDrive;
    if (const SysErr fault = driveCheckAccess(letter, false)) return fault;
    struct statvfs info{};
    if (::statvfs(root.c_str(), &info) != 0) return errnoToDriveError(errno);
    *bytes = uint64_t(info.f_bavail) * uint64_t(info.f_frsize);
    return kSysOk;
}

namespace {

// A CD-ROM device request; a fake drive records it instead.
template <typename OnFake>
SysErr cdromRequest(char letter, unsigned long request, long argument, OnFake onFake) {
    const int slot = slotOf(letter);
    if (slot < 0) return kSysInvalidDrive;
    DriveTable& t = scannedTable();
    std::string device;
    {
        std::lock_guard lock(t.mutex);
        if (const auto& fake = t.fakes[slot]) {
            onFake(*fake);
            return kSysOk;
        }
        if (t.mounted[slot].type != DriveType::CdRom) return kSysNotSupported;
        device = t.mounted[slot].device;
    }
    return cdromIoctl(device, request, argument);
}

}  // namespace

SysErr driveSetMediaLock(char letter, bool locked) {
    return cdromRequest(letter, CDROM_LOCKDOOR, locked ? 1 : 0, [&](FakeDrive::State& fake) { fake.locked = locked; });
}

SysErr driveEject(char letter) {
    return cdromRequest(letter, CDROMEJECT, 0, [](FakeDrive::State& fake) {
        ++fake.ejects;
        fake.locked = false;
    });
}

SysErr driveCheckAccess(char letter, bool writing) {
    const int slot = slotOf(letter);
    if (slot < 0) return kSysOk;
    DriveTable& t = scannedTable();
    std::lock_guard lock(t.mutex);
    if (const auto& fake = t.fakes[slot]) return fakeFault(*fake, writing);
    const MountedDrive& mounted = t.mounted[slot];
    return (mounted.type != DriveType::None && !mounted.present) ? kSysNotReady : kSysOk;
}

drives_detail::MountChanges drives_detail::rescanDrives() {
    std::vector<MountEntry> entries = readMountTable();
    DriveTable& t = scannedTable();
    std::lock_guard lock(t.mutex);
    return assignMounts(t.mounted, entries);
}

FakeDrive::FakeDrive(char letter, FakeDisc disc, DriveType type)
    : letter_(char(std::toupper(static_cast<unsigned char>(letter)))), state_(std::make_shared<State>()) {
    state_->type = type;
    state_->disc = std::move(disc);
    DriveTable& t = scannedTable();
    std::lock_guard lock(t.mutex);
    t.fakes[slotOf(letter_)] = state_;
}

FakeDrive::~FakeDrive() {
    DriveTable& t = table();
    std::lock_guard lock(t.mutex);
    t.fakes[slotOf(letter_)].reset();
}

void FakeDrive::insert(FakeDisc disc) {
    {
        std::lock_guard lock(table().mutex);
        state_->disc = std::move(disc);
        state_->present = true;
    }
    drives_detail::notifyDriveChange(kDeviceArrival, VolumeChange{1u << slotOf(letter_), true});
}

void FakeDrive::takeOut() {
    {
        std::lock_guard lock(table().mutex);
        state_->present = false;
    }
    drives_detail::notifyDriveChange(kDeviceRemoveComplete, VolumeChange{1u << slotOf(letter_), true});
}

void FakeDrive::setWriteProtected(bool on) {
    std::lock_guard lock(table().mutex);
    state_->writeProtected = on;
}

void FakeDrive::failNext(SysErr error, int count) {
    std::lock_guard lock(table().mutex);
    state_->scriptedError = error;
    state_->scriptedCount = count;
}

bool FakeDrive::mediaLocked() const {
    std::lock_guard lock(table().mutex);
    return state_->locked;
}

int FakeDrive::ejectCount() const {
    std::lock_guard lock(table().mutex);
    return state_->ejects;
}

int FakeDrive::accessCount() const {
    std::lock_guard lock(table().mutex);
    return state_->accesses;
}

}  // namespace plat
