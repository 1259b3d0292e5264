// Path values: construction with normalisation, comparison, texts, name validity and the
// module's folders.
#include "engine/files/Paths.h"

#include <cctype>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/files/OsFiles.h"
#include "engine/files/OsRequests.h"
#include "engine/files/OsState.h"
#include "engine/base/TextUtils.h"
#include "platform/files/Files.h"

namespace {

constexpr u16 kShortNameLimit = 14;
constexpr size_t kShortNameBase = 8;
constexpr size_t kShortNameExtension = 3;
constexpr const char* kShortNamePunctuation = "!#$%&'()-@^_`{}~";
constexpr const char* kLongNameRefused = "/:<>\\|";

PathRecord* newRecord(VolumeRecord* volume, const std::string& text) {
    void* block = std::malloc(offsetof(PathRecord, text) + text.size() + 1);
    if (!block) return nullptr;
    auto* record = static_cast<PathRecord*>(block);
    record->refCount = 1;
    record->volume = volume;
    std::memcpy(record->text, text.c_str(), text.size() + 1);
    return record;
}

bool equalNoCase(const char* a, const char* b) {
    return std::strlen(a) == std::strlen(b) && strCompareNoCase(a, b) == 0;
}

// The text the system's current folder has on the volume's drive, "\" when it lies elsewhere.
std::string currentTextOn(const VolumeRecord* volume) {
    const std::string current = plat::currentFolderText();
    if (volume->drive && current.size() >= 3 &&
        std::toupper(static_cast<unsigned char>(current[0])) == volume->drive->letter) {
        return current.substr(2);
    }
    return "\\";
}

bool isValidShortName(const char* name, size_t length) {
    size_t base = 0;
    size_t extension = 0;
    bool dotSeen = false;
    for (size_t i = 0; i < length;) {
        const auto c = static_cast<unsigned char>(name[i]);
        const size_t size = strCharSize(name + i);
        if (c == '.') {
            if (dotSeen || i == 0) return false;
            dotSeen = true;
        } else if (c == ' ') {
            if (i + 1 == length) return false;
        } else if (!(c >= 128 || std::isalnum(c) || std::strchr(kShortNamePunctuation, c))) {
            return false;
        }
        if (c != '.') (dotSeen ? extension : base) += size;
        i += size;
    }
    return base <= kShortNameBase && extension <= kShortNameExtension;
}

bool isValidLongName(const char* name, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c < 32 || std::strchr(kLongNameRefused, c)) return false;
    }
    return name[length - 1] != ' ' && name[length - 1] != '.';
}

// Appends the components of `rest` to `text` (which starts with "\").
EngineErr appendComponents(std::string* text, const std::string& rest, VolumeRecord* volume, bool checkEmpty) {
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find('\\', start);
        if (end == std::string::npos) end = rest.size();
        const std::string component = rest.substr(start, end - start);
        start = end + 1;
        if (component.empty()) {
            if (checkEmpty) return kOsErrBadPath;
            continue;
        }
        if (component == ".") continue;
        if (component == "..") {
            if (*text == "\\") return kOsErrBadPath;
            text->erase(text->rfind('\\') == 0 ? 1 : text->rfind('\\'));
            continue;
        }
        if (!pathIsValidName(component.c_str(), u16(component.size()), volume)) return kOsErrBadPath;
        if (text->size() > 1) text->push_back('\\');
        *text += component;
        if (text->size() >= volume->info.maxPathLength || text->size() > kMaxPathText) return kOsErrBadPath;
    }
    return kErrNone;
}

EngineErr normalize(const char* raw, VolumeRecord* given, PathRecord** result) {
    std::string text;
    for (const char* p = raw; *p; p = strCharNext(p)) {
        const u32 size = strCharSize(p);
        text.append(p, size);
        if (size == 1 && text.back() == '/') text.back() = '\\';
    }
    if (text.empty()) return kOsErrBadPath;
    VolumeRecord* volume = given;
    std::string rest;
    if (text.size() >= 2 && text[1] == ':') {
        DriveEntry* drive = osDriveOfText(text.c_str());
        if (given || !drive) return kOsErrBadPath;
        volume = drive->current;
        if (!volume) {
            volume = osMountDrive(drive->number);
            if (!volume) volume = drive->current;
            if (!volume) return gOs.lastError;
        }
        rest = text.substr(2);
    } else if (text.compare(0, 2, "\\\\") == 0) {
        return kOsErrBadPath;  // no network shares on this system
    } else {
        if (!volume) volume = gOs.current.record ? gOs.current.record->volume : nullptr;
        if (!volume) return kOsErrBadPath;
        rest = text;
    }
    std::string normalized = "\\";
    if (rest.empty() || rest[0] != '\\') {
        if (const EngineErr error = appendComponents(&normalized, currentTextOn(volume), volume, false)) return error;
    } else {
        rest.erase(0, 1);
    }
    if (!rest.empty()) {
        if (const EngineErr error = appendComponents(&normalized, rest, volume, true)) return error;
    }
    *result = newRecord(volume, normalized);
    return *result ? kErrNone : kOsErrOutOfMemory;
}

Path* build(Path* path, const char* text, VolumeRecord* volume) {
    path->record = nullptr;
    const size_t length = text ? std::strlen(text) : 0;
    if (length == 0 || length > kMaxPathText) return osSetLastError(kOsErrBadPath), path;
    osSetLastError(normalize(text, volume, &path->record));
    return path;
}

}  // namespace

Path* pathInitEmpty(Path* path) {
    path->record = nullptr;
    return path;
}

Path* pathFromText(Path* path, const char* text) { return build(path, text, nullptr); }

Path* pathFromVolume(Path* path, VolumeRecord* volume, const char* text) {
    if (!osIsVolumeRecord(volume)) {
        path->record = nullptr;
        osSetLastError(kOsErrBadDrive);
        return path;
    }
    return build(path, text, volume);
}

Path* pathJoin(Path* path, const Path* folder, const char* name) {
    path->record = nullptr;
    if (!folder->record || !name) return osSetLastError(kOsErrBadPath), path;
    const std::string folderText = folder->record->text;
    if (folderText.size() + std::strlen(name) >= kMaxPathText) return osSetLastError(kOsErrBadPath), path;
    const std::string joined = folderText + (folderText.back() == '\\' ? "" : "\\") + name;
    return build(path, joined.c_str(), folder->record->volume);
}

Path* pathInitCopy(Path* path, const Path* source) {
    path->record = source->record;
    if (path->record) ++path->record->refCount;
    return path;
}

void pathAssign(Path* path, const Path* source) {
    if (path->record == source->record) return;
    pathRelease(path);
    pathInitCopy(path, source);
    if (!path->record) osSetLastError(kOsErrBadPath);
}

void pathRelease(Path* path) {
    if (path->record && --path->record->refCount == 0) std::free(path->record);
    path->record = nullptr;
}

EngineErr pathCompare(const Path* a, const Path* b) {
    if (!a->record || !b->record) return osSetLastError(kOsErrBadPath);
    if (a->record->volume != b->record->volume) return osSetLastError(kOsErrDifferent);
    const bool same = a->record->volume->info.caseSensitive ? std::strcmp(a->record->text, b->record->text) == 0
                                                             : equalNoCase(a->record->text, b->record->text);
    return osSetLastError(same ? kErrNone : kOsErrDifferent);
}

EngineErr pathGetFileName(const Path* path, char* buffer) {
    if (!path->record) return osSetLastError(kOsErrBadPath);
    std::strcpy(buffer, std::strrchr(path->record->text, '\\') + 1);
    return osSetLastError(kErrNone);
}

EngineErr pathGetFolderText(const Path* path, char* buffer) {
    if (!path->record) return osSetLastError(kOsErrBadPath);
    const char* text = path->record->text;
    const size_t last = size_t(std::strrchr(text, '\\') - text);
    const size_t length = last == 0 ? 1 : last;
    for (size_t i = 0; i < length; ++i) buffer[i] = text[i] == '\\' ? '/' : text[i];
    buffer[length] = 0;
    return osSetLastError(kErrNone);
}

EngineErr pathGetFullText(const Path* path, char* buffer) {
    if (!path->record) return osSetLastError(kOsErrBadPath);
    osVolumeRootText(path->record->volume, buffer);
    std::strcat(buffer, path->record->text + 1);
    return osSetLastError(kErrNone);
}

EngineErr pathGetVolume(const Path* path, VolumeRecord** volume) {
    if (!path->record) return osSetLastError(kOsErrBadPath);
    *volume = path->record->volume;
    return osSetLastError(kErrNone);
}

EngineErr pathGetSystemPath(const Path* path, VolumeRecord** volume, char* buffer) {
    if (!path->record) return osSetLastError(kOsErrBadPath);
    *volume = path->record->volume;
    pathGetFullText(path, buffer);
    return osUseVolume(*volume);
}

u16 pathIsValidName(const char* name, u16 length, VolumeRecord* volume) {
    if (!volume) volume = gOs.current.record ? gOs.current.record->volume : nullptr;
    if (!volume) return osSetLastError(kOsErrBadDrive), 0;
    const size_t n = length ? length : std::strlen(name);
    if (n == 0) return 0;
    const bool shortNames =
        std::strcmp(volume->info.fileSystem, "FAT") == 0 && volume->info.maxNameLength < kShortNameLimit;
    return (shortNames ? isValidShortName(name, n) : isValidLongName(name, n)) ? 1 : 0;
}

EngineErr pathSetCurrentDirectory(const Path* folder) {
    u16 kind = 0;
    if (const EngineErr error = osGetPathKind(folder, &kind)) return error;
    if (!(kind & kOsKindFolder)) return osSetLastError(kOsErrWrongKind);
    VolumeRecord* volume = nullptr;
    char text[kSystemTextSize];
    if (const EngineErr error = pathGetSystemPath(folder, &volume, text)) return error;
    asyncSetCurrentDirectory request(text);
    if (const EngineErr error = osRunRequest(request, text)) return error;
    pathAssign(&gOs.current, folder);
    return osSetLastError(kErrNone);
}

Path* pathGetCurrentDirectory(Path* path) { return pathInitCopy(path, &gOs.current); }
Path* pathGetModuleDirectory(Path* path) { return pathInitCopy(path, &gOs.program); }
Path* pathGetAppDirectory(Path* path) { return pathInitCopy(path, &gOs.application); }
Path* pathGetTempDirectory(Path* path) { return pathInitCopy(path, &gOs.temporary); }
