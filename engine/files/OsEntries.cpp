// Entries named by paths: creating, deleting, renaming, kinds, attributes, sizes, the
// enumeration of the current folder, and which entries are in use.
#include <cstdint>
#include <cstring>
#include <string>

#include "engine/files/OsFiles.h"
#include "engine/files/OsRequests.h"
#include "engine/files/OsState.h"
#include "engine/base/TextUtils.h"

namespace {

constexpr u32 kRootTextLength = 3;

bool isDriveRoot(const char* text) {
    return std::strlen(text) == kRootTextLength && text[1] == ':' && text[2] == '\\';
}

u16 kindOfAttributes(u32 attributes) {
    u16 kind = (attributes & plat::kFileAttrDirectory) ? kOsKindFolder : kOsKindFile;
    if (attributes & plat::kFileAttrHidden) kind |= kOsKindHidden;
    if (attributes & plat::kFileAttrReadOnly) kind |= kOsKindReadOnly;
    return kind;
}

bool sameText(const VolumeRecord* volume, const char* a, const char* b) {
    if (volume->info.caseSensitive) return std::strcmp(a, b) == 0;
    return std::strlen(a) == std::strlen(b) && strCompareNoCase(a, b) == 0;
}

// Whether `text` lies inside the folder `folder` (both full system texts).
bool liesInside(const VolumeRecord* volume, const char* text, const std::string& folder) {
    const size_t n = folder.size();
    if (std::strlen(text) <= n || text[n] != '\\') return false;
    return sameText(volume, std::string(text, n).c_str(), folder.c_str());
}

bool isFolderOf(const Path& path, const VolumeRecord* volume, const char* text) {
    if (!path.record || path.record->volume != volume) return false;
    char full[kSystemTextSize];
    pathGetFullText(&path, full);
    return sameText(volume, full, text);
}

EngineErr kindOfText(const char* text, u16* kind) {
    u32 attributes = 0;
    if (const EngineErr error = osGetAttributes(text, &attributes)) return error;
    *kind = kindOfAttributes(attributes);
    return kErrNone;
}

// Adds the size of every file below the folder text (which ends with "\").
EngineErr addFolderSize(std::string folder, u64* total) {
    asyncFindFirstFile first(folder + "*.*");
    if (const EngineErr error = osRunRequest(first, folder.c_str())) {
        return first.systemError == plat::kSysFileNotFound ? osSetLastError(kErrNone) : error;
    }
    plat::FindData data = first.data;
    EngineErr result = kErrNone;
    for (;;) {
        if (data.attributes & plat::kFileAttrDirectory) {
            // A folder reached through a host link may hold the folder being counted.
            const bool skipped = data.name == "." || data.name == ".." || (data.attributes & plat::kFileAttrReparsePoint);
            if (!skipped) result = addFolderSize(folder + data.name + "\\", total);
        } else {
            *total += data.size;
        }
        if (result) break;
        asyncFindNextFile next(first.find);
        if (const EngineErr error = osRunRequest(next, folder.c_str())) {
            if (next.systemError != plat::kSysNoMoreFiles) result = error;
            break;
        }
        data = next.data;
    }
    plat::findClose(first.find);
    return result ? result : osSetLastError(kErrNone);
}

// The size a search for a file's own text gives for that file. The host keeps apart names
// that differ only in case or that hold wildcards, and such names match the search too: the
// entry named exactly so is the one the file's text opens.
u64 sizeOfNamedEntry(const asyncFindFirstFile& search, const char* name) {
    plat::FindData data = search.data;
    u64 size = data.size;
    while (data.name != name) {
        if (plat::findNext(search.find, &data) != plat::kSysOk) break;
        if (data.name == name) size = data.size;
    }
    plat::findClose(search.find);
    return size;
}

EngineErr enumerateCurrent(bool folders, OsEnumCallback callback, void* context) {
    char folder[kSystemTextSize];
    if (const EngineErr error = pathGetFullText(&gOs.current, folder)) return error;
    std::string pattern = folder;
    if (pattern.back() != '\\') pattern += '\\';
    pattern += "*.*";
    asyncFindFirstFile first(pattern);
    if (const EngineErr error = osRunRequest(first, folder)) {
        const bool empty = first.systemError == plat::kSysFileNotFound || first.systemError == plat::kSysNoMoreFiles;
        return empty ? osSetLastError(kErrNone) : error;
    }
    plat::FindData data = first.data;
    EngineErr result = kErrNone;
    for (;;) {
        const bool isFolder = data.attributes & plat::kFileAttrDirectory;
        const bool wanted = folders ? isFolder && data.name != "." && data.name != ".." : !isFolder;
        if (wanted && callback(data.name.c_str(), context)) break;
        asyncFindNextFile next(first.find);
        if (const EngineErr error = osRunRequest(next, folder)) {
            if (next.systemError != plat::kSysNoMoreFiles) result = error;
            break;
        }
        data = next.data;
    }
    plat::findClose(first.find);
    return osSetLastError(result);
}

}  // namespace

EngineErr osGetAttributes(const char* systemText, u32* attributes) {
    if (isDriveRoot(systemText)) {
        *attributes = plat::kFileAttrDirectory;
        return osSetLastError(kErrNone);
    }
    asyncGetFileAttributes request(systemText);
    if (const EngineErr error = osRunRequest(request, systemText)) return error;
    *attributes = request.attributes;
    return kErrNone;
}

EngineErr osSetAttributes(const char* systemText, u32 attributes) {
    if (isDriveRoot(systemText)) return osSetLastError(kOsErrWrongKind);
    asyncSetFileAttributes request(systemText, attributes);
    return osRunRequest(request, systemText);
}

EngineErr osGetPathKind(const Path* path, u16* kind) {
    VolumeRecord* volume = nullptr;
    char text[kSystemTextSize];
    if (const EngineErr error = pathGetSystemPath(path, &volume, text)) return error;
    return kindOfText(text, kind);
}

EngineErr pathCheckExists(const Path* path) {
    u16 kind = 0;
    return osGetPathKind(path, &kind);
}

EngineErr osCreatePath(const Path* path, u16 kind) {
    VolumeRecord* volume = nullptr;
    char text[kSystemTextSize];
    if (const EngineErr error = pathGetSystemPath(path, &volume, text)) return error;
    const bool wantFolder = kind & kOsKindFolder;
    u16 existing = 0;
    const EngineErr query = kindOfText(text, &existing);
    if (query == kErrNone) {
        const bool isFolder = existing & kOsKindFolder;
        return osSetLastError(isFolder == wantFolder ? kOsErrExists : kOsErrWrongKind);
    }
    if (query != kOsErrNotFound) return query;
    if (wantFolder) {
        asyncCreateDirectory create(text);
        if (const EngineErr error = osRunRequest(create, text)) return error;
    } else {
        asyncCreateFile create(text, plat::kFileAccessRead | plat::kFileAccessWrite, 0, plat::FileDisposition::CreateNew);
        if (const EngineErr error = osRunRequest(create, text)) return error;
        asyncCloseHandle close(create.handle);
        osRunRequest(close, text);
    }
    u32 attributes = plat::kFileAttrNormal;
    if (kind & kOsKindHidden) attributes |= plat::kFileAttrHidden;
    if (kind & kOsKindReadOnly) attributes |= plat::kFileAttrReadOnly;
    return osSetAttributes(text, attributes);
}

EngineErr osDeletePath(const Path* path) {
    VolumeRecord* volume = nullptr;
    char text[kSystemTextSize];
    if (const EngineErr error = pathGetSystemPath(path, &volume, text)) return error;
    u16 kind = 0;
    if (const EngineErr error = kindOfText(text, &kind)) return error;
    if (osIsPathInUse(volume, text, kind)) return osSetLastError(kOsErrInUse);
    if (kind & kOsKindFolder) {
        asyncRemoveDirectory remove(text);
        return osRunRequest(remove, text);
    }
    asyncDeleteFile remove(text);
    return osRunRequest(remove, text);
}

EngineErr osRenamePath(const Path* path, const char* newName) {
    VolumeRecord* volume = nullptr;
    char text[kSystemTextSize];
    if (const EngineErr error = pathGetSystemPath(path, &volume, text)) return error;
    u16 kind = 0;
    if (const EngineErr error = kindOfText(text, &kind)) return error;
    if (kind & kOsKindReadOnly) return osSetLastError(kOsErrAccessDenied);
    if (osIsPathInUse(volume, text, kind)) return osSetLastError(kOsErrInUse);
    if (!pathIsValidName(newName, 0, volume)) return osSetLastError(kOsErrInvalidName);
    const std::string source = text;
    const std::string target = source.substr(0, source.rfind('\\') + 1) + newName;
    if (target.size() > kMaxPathText) return osSetLastError(kOsErrBadPath);
    u16 existing = 0;
    const EngineErr query = kindOfText(target.c_str(), &existing);
    if (query == kErrNone) return osSetLastError(kOsErrExists);
    if (query != kOsErrNotFound) return query;
    asyncMoveFile move(source, target);
    return osRunRequest(move, text);
}

EngineErr osReplacePath(const Path* source, const Path* target) {
    VolumeRecord* volume = nullptr;
    VolumeRecord* targetVolume = nullptr;
    char from[kSystemTextSize];
    char to[kSystemTextSize];
    if (const EngineErr error = pathGetSystemPath(source, &volume, from)) return error;
    if (const EngineErr error = pathGetSystemPath(target, &targetVolume, to)) return error;
    if (volume != targetVolume) return osSetLastError(kOsErrBadPath);
    if (osIsPathInUse(volume, to, kOsKindFile)) return osSetLastError(kOsErrInUse);
    asyncReplaceFile replace(from, to);
    return osRunRequest(replace, to);
}

void osReplacementPathOf(const Path* path, Path* replacement) {
    pathInitEmpty(replacement);
    if (path->record == nullptr) return;
    const std::string text = std::string(path->record->text) + kOsReplacementSuffix;
    pathFromVolume(replacement, path->record->volume, text.c_str());
}

void osRemoveStaleReplacement(const Path* path) {
    Path replacement;
    osReplacementPathOf(path, &replacement);
    u16 kind = 0;
    if (replacement.record != nullptr && osGetPathKind(&replacement, &kind) == kErrNone && (kind & kOsKindFile)) {
        osDeletePath(&replacement);
    }
    pathRelease(&replacement);
}

EngineErr osFlushFolderOf(const Path* path) {
    VolumeRecord* volume = nullptr;
    char text[kSystemTextSize];
    if (const EngineErr error = pathGetSystemPath(path, &volume, text)) return error;
    asyncFlushFolder flush(text);
    return osSetLastError(osRunRequest(flush, text));
}

i64 osGetPathSize(const Path* path) {
    VolumeRecord* volume = nullptr;
    char text[kSystemTextSize];
    if (pathGetSystemPath(path, &volume, text)) return -1;
    u16 kind = 0;
    if (kindOfText(text, &kind)) return -1;
    u64 total = 0;
    if (kind & kOsKindFolder) {
        std::string folder = text;
        if (folder.back() != '\\') folder += '\\';
        if (addFolderSize(folder, &total)) return -1;
    } else {
        asyncFindFirstFile search(text);
        if (osRunRequest(search, text)) return -1;
        total = sizeOfNamedEntry(search, std::strrchr(text, '\\') + 1);
    }
    if (total > u64(INT64_MAX)) return osSetLastError(kOsErrSystem), -1;
    return i64(total);
}

EngineErr osEnumFiles(OsEnumCallback callback, void* context) { return enumerateCurrent(false, callback, context); }

EngineErr osEnumFolders(OsEnumCallback callback, void* context) { return enumerateCurrent(true, callback, context); }

u16 osIsPathInUse(VolumeRecord* volume, const char* systemText, u16 kind) {
    if (!(kind & kOsKindFolder)) {
        for (const OsFile* file = gOs.files; file; file = file->next) {
            if (file->volume == volume && sameText(volume, file->text, systemText)) return 1;
        }
        return 0;
    }
    if (isDriveRoot(systemText)) return 1;
    for (const Path* folder : {&gOs.current, &gOs.program, &gOs.application, &gOs.temporary}) {
        if (isFolderOf(*folder, volume, systemText)) return 1;
    }
    for (const OsFile* file = gOs.files; file; file = file->next) {
        if (file->volume == volume && liesInside(volume, file->text, systemText)) return 1;
    }
    return 0;
}
