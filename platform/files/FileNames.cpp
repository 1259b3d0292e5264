#include "platform/files/FileNames.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>

#include "platform/charset/Characters.h"
#include "platform/charset/Conversion.h"
#include "platform/drives/Drives.h"

namespace plat::files_detail {
namespace {

bool entryExists(const std::string& host) {
    struct stat info{};
    return ::lstat(host.c_str(), &info) == 0;
}

// The name of an entry of the folder that equals `name` without regard to case, or empty.
std::string findFoldedEntry(const std::string& folder, const std::string& cp1252Name) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return {};
    const std::string wanted = foldName(cp1252Name);
    std::string match;
    while (dirent* entry = ::readdir(dir)) {
        if (foldName(utf8ToCp1252(entry->d_name)) == wanted) {
            match = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return match;
}

std::string joinHost(const std::string& folder, const std::string& name) {
    return folder == "/" ? "/" + name : folder + "/" + name;
}

}  // namespace

std::string foldName(const std::string& cp1252Name) {
    std::string folded = cp1252Name;
    for (char& c : folded) c = char(charLower(static_cast<uint8_t>(c)));
    return folded;
}

SysErr resolveText(const std::string& text, bool writing, ResolvedPath* resolved) {
    if (text.size() < 2 || text[1] != ':') return kSysInvalidName;
    const char letter = text[0];
    const std::string root = driveHostRoot(letter);
    if (root.empty()) return kSysPathNotFound;
    std::string host = root;
    if (const SysErr fault = driveCheckAccess(letter, writing)) return fault;
    bool missing = false;
    size_t start = 2;
    while (start <= text.size()) {
        size_t end = text.find_first_of("\\/", start);
        if (end == std::string::npos) end = text.size();
        const std::string component = text.substr(start, end - start);
        start = end + 1;
        if (component.empty() || component == ".") continue;
        if (component == "..") {
            // ".." at a drive's root stays there, so that a text never names anything
            // outside its drive (a drive may be a folder deep inside the host's tree).
            if (host == root) continue;
            const size_t slash = host.rfind('/');
            host = slash == 0 ? "/" : host.substr(0, slash);
            continue;
        }
        std::string next = joinHost(host, cp1252ToUtf8(component));
        if (!missing && !entryExists(next)) {
            const std::string match = findFoldedEntry(host, component);
            if (match.empty()) {
                missing = true;
            } else {
                next = joinHost(host, match);
            }
        }
        host = next;
    }
    resolved->letter = char(text[0]);
    resolved->host = host;
    return kSysOk;
}

SysErr systemErrorOf(int error, const std::string& hostPath) {
    switch (error) {
        case ENOENT:
        case ENOTDIR: {
            const size_t slash = hostPath.rfind('/');
            const std::string folder = slash == 0 ? "/" : hostPath.substr(0, slash);
            struct stat info{};
            const bool folderExists = ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
            return folderExists && error == ENOENT ? kSysFileNotFound : kSysPathNotFound;
        }
        case EACCES:
        case EPERM:
        case EISDIR: return kSysAccessDenied;
        case EEXIST: return kSysFileExists;
        case ENOTEMPTY: return kSysDirNotEmpty;
        case EROFS: return kSysWriteProtect;
        case ENOSPC:
        case EDQUOT: return kSysDiskFull;
        case ENAMETOOLONG: return kSysNameTooLong;
        case EMFILE:
        case ENFILE: return kSysTooManyOpenFiles;
        case ENOMEM: return kSysNotEnoughMemory;
        case EBADF: return kSysInvalidHandle;
        case EINVAL: return kSysInvalidParameter;
        case EBUSY:
        case ETXTBSY: return kSysSharingViolation;
        case ENOMEDIUM:
        case ENXIO: return kSysNotReady;
        case EIO: return kSysIoDevice;
        default: return kSysGeneralFailure;
    }
}

bool isHiddenName(const std::string& hostPath) {
    const size_t slash = hostPath.rfind('/');
    const std::string name = hostPath.substr(slash == std::string::npos ? 0 : slash + 1);
    return name.size() > 1 && name[0] == '.' && name != "..";
}

}  // namespace plat::files_detail
