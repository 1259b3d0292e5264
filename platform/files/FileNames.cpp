#include "platform/files/FileNames.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdint>

#include "platform/drives/Drives.h"

namespace plat::files_detail {
namespace {

// Unicode code points of cp1252 bytes 0x80-0x9F; the five unassigned bytes keep their C1 value.
constexpr uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

uint32_t codePointOf(unsigned char byte) {
    return (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : byte;
}

void appendUtf8(uint32_t cp, std::string* out) {
    if (cp < 0x80) {
        out->push_back(char(cp));
    } else if (cp < 0x800) {
        out->push_back(char(0xC0 | (cp >> 6)));
        out->push_back(char(0x80 | (cp & 0x3F)));
    } else {
        out->push_back(char(0xE0 | (cp >> 12)));
        out->push_back(char(0x80 | ((cp >> 6) & 0x3F)));
        out->push_back(char(0x80 | (cp & 0x3F)));
    }
}

bool cp1252ByteOf(uint32_t cp, unsigned char* byte) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        *byte = static_cast<unsigned char>(cp);
        return true;
    }
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == cp) {
            *byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

unsigned char foldByte(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 0x20;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
    switch (c) {
        case 0x8A: return 0x9A;
        case 0x8C: return 0x9C;
        case 0x8E: return 0x9E;
        case 0x9F: return 0xFF;
        default: return c;
    }
}

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
        std::string name;
        if (utf8ToCp1252(entry->d_name, &name) && foldName(name) == wanted) {
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

std::string cp1252ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (unsigned char c : text) appendUtf8(codePointOf(c), &out);
    return out;
}

bool utf8ToCp1252(const std::string& text, std::string* out) {
    out->clear();
    for (size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        int extra = lead < 0x80 ? 0 : (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || i + size_t(extra) >= text.size()) return false;
        uint32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + size_t(k)]);
            if ((next & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        unsigned char byte = 0;
        if (!cp1252ByteOf(cp, &byte)) return false;
        out->push_back(char(byte));
        i += size_t(extra) + 1;
    }
    return true;
}

std::string foldName(const std::string& cp1252Name) {
    std::string folded = cp1252Name;
    for (char& c : folded) c = char(foldByte(static_cast<unsigned char>(c)));
    return folded;
}

SysErr resolveText(const std::string& text, bool writing, ResolvedPath* resolved) {
    if (text.size() < 2 || text[1] != ':') return kSysInvalidName;
    const char letter = text[0];
    std::string host = driveHostRoot(letter);
    if (host.empty()) return kSysPathNotFound;
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
