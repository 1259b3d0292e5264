// Deleting, creating, renaming entries and their attributes; the program's folders.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/charset/Conversion.h"
#include "platform/drives/Drives.h"
#include "platform/files/FileNames.h"
#include "platform/files/Files.h"
#include "platform/files/OpenFileTable.h"

namespace plat {

using files_detail::isHiddenName;
using files_detail::openFiles;
using files_detail::ResolvedPath;
using files_detail::resolveText;
using files_detail::systemErrorOf;

namespace {

// The user's folders hold children's work: theirs alone.
constexpr mode_t kPrivateFolder = 0700;
constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

bool isOpenEntry(const std::string& host) {
    struct stat info{};
    return ::stat(host.c_str(), &info) == 0 && openFiles().isOpen(info.st_dev, info.st_ino);
}

}  // namespace

SysErr fileDelete(const std::string& text) {
    ResolvedPath path;
    if (const SysErr error = resolveText(text, true, &path)) return error;
    struct stat info{};
    if (::lstat(path.host.c_str(), &info) != 0) return systemErrorOf(errno, path.host);
    if (S_ISDIR(info.st_mode)) return kSysAccessDenied;
    if (!(info.st_mode & S_IWUSR)) return kSysAccessDenied;
    if (isOpenEntry(path.host)) return kSysSharingViolation;
    return ::unlink(path.host.c_str()) == 0 ? kSysOk : systemErrorOf(errno, path.host);
}

SysErr folderCreate(const std::string& text) {
    ResolvedPath path;
    if (const SysErr error = resolveText(text, true, &path)) return error;
    if (::mkdir(path.host.c_str(), kPrivateFolder) != 0) {
        return errno == EEXIST ? kSysAlreadyExists : systemErrorOf(errno, path.host);
    }
    return kSysOk;
}

SysErr folderRemove(const std::string& text) {
    ResolvedPath path;
    if (const SysErr error = resolveText(text, true, &path)) return error;
    if (::rmdir(path.host.c_str()) != 0) {
        return errno == ENOTDIR ? kSysDirectoryInvalid : systemErrorOf(errno, path.host);
    }
    return kSysOk;
}

SysErr fileGetAttributes(const std::string& text, uint32_t* attributes) {
    ResolvedPath path;
    if (const SysErr error = resolveText(text, false, &path)) return error;
    struct stat info{};
    if (::stat(path.host.c_str(), &info) != 0) return systemErrorOf(errno, path.host);
    uint32_t bits = S_ISDIR(info.st_mode) ? kFileAttrDirectory : S_ISREG(info.st_mode) ? kFileAttrArchive : kFileAttrDevice;
    if (!(info.st_mode & S_IWUSR)) bits |= kFileAttrReadOnly;
    if (isHiddenName(path.host)) bits |= kFileAttrHidden;
    *attributes = bits;
    return kSysOk;
}

// Only read-only has a host counterpart (the write bits); hidden is a naming convention there.
// Clearing read-only gives writing back to the owner alone.
SysErr fileSetAttributes(const std::string& text, uint32_t attributes) {
    ResolvedPath path;
    if (const SysErr error = resolveText(text, true, &path)) return error;
    struct stat info{};
    if (::stat(path.host.c_str(), &info) != 0) return systemErrorOf(errno, path.host);
    const mode_t mode = (attributes & kFileAttrReadOnly) ? (info.st_mode & ~kWriteBits) : (info.st_mode | S_IWUSR);
    if (::chmod(path.host.c_str(), mode & 07777) != 0) return systemErrorOf(errno, path.host);
    return kSysOk;
}

SysErr fileRenameNoReplace(const std::string& from, const std::string& to) {
    ResolvedPath source;
    ResolvedPath target;
    if (const SysErr error = resolveText(from, true, &source)) return error;
    if (const SysErr error = resolveText(to, true, &target)) return error;
    struct stat sourceInfo{};
    struct stat targetInfo{};
    if (::lstat(source.host.c_str(), &sourceInfo) != 0) return systemErrorOf(errno, source.host);
    if (isOpenEntry(source.host)) return kSysSharingViolation;
    // A change of letter case only: the target resolved to the source itself.
    const bool sameEntry = ::lstat(target.host.c_str(), &targetInfo) == 0 && targetInfo.st_ino == sourceInfo.st_ino &&
                           targetInfo.st_dev == sourceInfo.st_dev;
    if (sameEntry) {
        const size_t cut = to.find_last_of("\\/");
        const std::string name = cp1252ToUtf8(to.substr(cut == std::string::npos ? 0 : cut + 1));
        const size_t slash = source.host.rfind('/');
        target.host = source.host.substr(0, slash + 1) + name;
        return ::rename(source.host.c_str(), target.host.c_str()) == 0 ? kSysOk : systemErrorOf(errno, target.host);
    }
    if (::renameat2(AT_FDCWD, source.host.c_str(), AT_FDCWD, target.host.c_str(), RENAME_NOREPLACE) == 0) {
        return kSysOk;
    }
    return errno == EEXIST ? kSysAlreadyExists : systemErrorOf(errno, target.host);
}

SysErr fileReplace(const std::string& from, const std::string& to) {
    ResolvedPath source;
    ResolvedPath target;
    if (const SysErr error = resolveText(from, true, &source)) return error;
    if (const SysErr error = resolveText(to, true, &target)) return error;
    if (isOpenEntry(target.host)) return kSysSharingViolation;
    return ::rename(source.host.c_str(), target.host.c_str()) == 0 ? kSysOk : systemErrorOf(errno, source.host);
}

std::string textOfHostPath(const std::string& hostPath) {
    std::string rest;
    const char letter = driveForHostPath(hostPath, &rest);
    if (letter == 0) return {};
    std::string name = utf8ToCp1252(rest);
    for (char& c : name) {
        if (c == '/') c = '\\';
    }
    if (!name.empty() && name.back() == '\\') name.pop_back();
    return std::string(1, letter) + ":\\" + name;
}

std::string hostPathOfText(const std::string& text) {
    ResolvedPath path;
    return resolveText(text, false, &path) == kSysOk ? path.host : std::string();
}

std::string programFolderText() {
    std::error_code ec;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : textOfHostPath(executable.parent_path().string());
}

std::string programFileText() {
    std::error_code ec;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : textOfHostPath(executable.string());
}

std::string tempFolderText() {
    const char* folder = std::getenv("TMPDIR");
    std::string host = folder && *folder ? folder : "/tmp";
    while (host.size() > 1 && host.back() == '/') host.pop_back();
    return textOfHostPath(host);
}

std::string currentFolderText() {
    char buffer[PATH_MAX];
    return ::getcwd(buffer, sizeof buffer) ? textOfHostPath(buffer) : std::string();
}

SysErr setCurrentFolder(const std::string& text) {
    ResolvedPath path;
    if (const SysErr error = resolveText(text, false, &path)) return error;
    if (::chdir(path.host.c_str()) != 0) {
        return errno == ENOTDIR ? kSysDirectoryInvalid : systemErrorOf(errno, path.host);
    }
    return kSysOk;
}

}  // namespace plat
