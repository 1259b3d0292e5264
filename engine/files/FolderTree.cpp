#include "engine/files/FolderTree.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/files/FolderEntries.h"
#include "engine/files/OsRequests.h"
#include "engine/files/OsState.h"

namespace {

constexpr u32 kCompareChunk = 64 * 1024;

class asyncCopyFile : public asyncAPI {
public:
    asyncCopyFile(std::string from, std::string to) : from(std::move(from)), to(std::move(to)) {}
    u32 execute() override { return systemError = plat::fileCopyNew(from, to); }
    std::string from;
    std::string to;
};

// Removes an entry below `top` through the folders from `top` down, none of them a link.
class asyncRemoveInTree : public asyncAPI {
public:
    asyncRemoveInTree(std::string top, std::string text, bool folder)
        : top(std::move(top)), text(std::move(text)), folder(folder) {}
    u32 execute() override {
        return systemError = folder ? plat::folderRemoveInTree(top, text) : plat::fileDeleteInTree(top, text);
    }
    std::string top;
    std::string text;
    bool folder;
};

// The entry itself is a folder to walk into; a link to a folder is not.
bool isWalkedFolder(u32 attributes) {
    return (attributes & plat::kFileAttrDirectory) && !(attributes & plat::kFileAttrReparsePoint);
}

// `top` is the tree's own folder: the entries below it are removed without following a
// link, so a folder swapped for one after it was listed leads nowhere outside.
EngineErr deleteEntry(VolumeRecord* volume, const std::string& top, const std::string& text, u32 attributes) {
    const bool isTop = text == top;
    if (!isWalkedFolder(attributes)) {
        // A link goes as a link: what it leads to stays.
        if (isTop) {
            asyncDeleteFile remove(text);
            return osRunRequest(remove, text.c_str());
        }
        asyncRemoveInTree remove(top, text, false);
        return osRunRequest(remove, text.c_str());
    }
    std::vector<FolderEntry> entries;
    if (const EngineErr error = listFolderEntries(text, &entries)) return error;
    std::stable_partition(entries.begin(), entries.end(),
                          [](const FolderEntry& e) { return !isWalkedFolder(e.attributes); });
    for (const FolderEntry& entry : entries) {
        const std::string child = childText(text, entry.name);
        if (child.empty()) return kOsErrBadPath;
        if (const EngineErr error = deleteEntry(volume, top, child, entry.attributes)) return error;
    }
    if (osIsPathInUse(volume, text.c_str(), kOsKindFolder)) return kOsErrInUse;
    if (isTop) {
        asyncRemoveDirectory remove(text);
        return osRunRequest(remove, text.c_str());
    }
    asyncRemoveInTree remove(top, text, true);
    return osRunRequest(remove, text.c_str());
}

u16 walkEntry(const Path* path, u32 attributes, FolderTreeCallback callback, void* context, bool filesFirst,
              EngineErr* error) {
    if (const u16 answer = callback(path, context)) return answer;
    if (!isWalkedFolder(attributes)) return 0;
    VolumeRecord* volume = nullptr;
    char text[kSystemTextSize];
    std::vector<FolderEntry> entries;
    if ((*error = pathGetSystemPath(path, &volume, text)) != kErrNone) return 0;
    if ((*error = listFolderEntries(text, &entries)) != kErrNone) return 0;
    if (filesFirst) {
        std::stable_partition(entries.begin(), entries.end(),
                              [](const FolderEntry& e) { return !isWalkedFolder(e.attributes); });
    }
    for (const FolderEntry& entry : entries) {
        Path child;
        pathJoin(&child, path, entry.name.c_str());
        if (!child.record) {
            *error = kOsErrBadPath;
            return 0;
        }
        const u16 answer = walkEntry(&child, entry.attributes, callback, context, filesFirst, error);
        pathRelease(&child);
        if (answer || *error) return answer;
    }
    return 0;
}

// Runs `step` on every entry of folder `from` together with the same-named path under `to`.
EngineErr forEachChildPair(const std::string& from, const std::string& to,
                           EngineErr (*step)(const std::string&, const std::string&, u32)) {
    std::vector<FolderEntry> entries;
    if (const EngineErr error = listFolderEntries(from, &entries)) return error;
    for (const FolderEntry& entry : entries) {
        const std::string source = childText(from, entry.name);
        const std::string target = childText(to, entry.name);
        if (source.empty() || target.empty()) return kOsErrBadPath;
        if (const EngineErr error = step(source, target, entry.attributes)) return error;
    }
    return kErrNone;
}

EngineErr copyEntry(const std::string& from, const std::string& to, u32 attributes) {
    if (attributes & plat::kFileAttrReparsePoint) return kErrNone;
    if (!(attributes & plat::kFileAttrDirectory)) {
        asyncCopyFile copy(from, to);
        return osRunRequest(copy, to.c_str());
    }
    asyncCreateDirectory create(to);
    if (const EngineErr error = osRunRequest(create, to.c_str())) return error;
    return forEachChildPair(from, to, copyEntry);
}

class OpenedFile {
public:
    explicit OpenedFile(const std::string& text) {
        Path path;
        pathFromText(&path, text.c_str());
        if (path.record) file_ = osOpenFile(&path, kOsOpenRead | kOsOpenShareRead);
        pathRelease(&path);
    }
    ~OpenedFile() {
        if (file_) osCloseFile(file_, 1);
    }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
    OsFile* get() const { return file_; }

private:
    OsFile* file_ = nullptr;
};

EngineErr compareFiles(const std::string& from, const std::string& to) {
    OpenedFile source(from);
    OpenedFile copy(to);
    if (!source.get() || !copy.get()) return kOsErrDifferent;
    const i64 size = osGetFileSize(source.get());
    if (size < 0 || osGetFileSize(copy.get()) != size) return kOsErrDifferent;
    std::vector<u8> a(kCompareChunk);
    std::vector<u8> b(kCompareChunk);
    for (u64 left = u64(size); left > 0;) {
        u32 countA = u32(std::min<u64>(left, kCompareChunk));
        u32 countB = countA;
        if (osReadFile(source.get(), a.data(), &countA) || osReadFile(copy.get(), b.data(), &countB)) {
            return kOsErrDifferent;
        }
        if (std::memcmp(a.data(), b.data(), countA) != 0) return kOsErrDifferent;
        left -= countA;
    }
    return kErrNone;
}

EngineErr compareEntry(const std::string& from, const std::string& to, u32 attributes) {
    if (attributes & plat::kFileAttrReparsePoint) return kErrNone;
    u32 copied = 0;
    if (const EngineErr error = readEntryAttributes(to, &copied)) {
        return error == kOsErrNotFound ? kOsErrDifferent : error;
    }
    if ((copied & plat::kFileAttrDirectory) != (attributes & plat::kFileAttrDirectory)) return kOsErrDifferent;
    if (!(attributes & plat::kFileAttrDirectory)) return compareFiles(from, to);
    return forEachChildPair(from, to, compareEntry);
}

// The entry's system text and its own attributes.
EngineErr describePath(const Path* path, VolumeRecord** volume, char* text, u32* attributes) {
    if (const EngineErr error = pathGetSystemPath(path, volume, text)) return error;
    return readEntryAttributes(text, attributes);
}

}  // namespace

EngineErr CreatePathOpenAccess(const Path* path, u16, u16 flags) { return osCreatePath(path, flags); }

EngineErr CreateFolderTree(const Path* path, u16 openAccess, u16 flags) {
    if (!path->record) return osSetLastError(kOsErrBadPath);
    if (std::strcmp(path->record->text, "\\") != 0) {
        Path parent;
        pathJoin(&parent, path, "..");
        EngineErr error = pathGetLastError();
        if (parent.record) {
            const u16 parentFlags = u16((flags & ~(kOsKindFile | kOsKindReadOnly)) | kOsKindFolder);
            error = CreateFolderTree(&parent, openAccess, parentFlags);
        }
        pathRelease(&parent);
        if (error && error != kOsErrExists) return osSetLastError(error);
    }
    return CreatePathOpenAccess(path, openAccess, flags);
}

EngineErr DeleteFolderTree(const Path* path) {
    VolumeRecord* volume = nullptr;
    char text[kSystemTextSize];
    u32 attributes = 0;
    if (const EngineErr error = describePath(path, &volume, text, &attributes)) return osSetLastError(error);
    return osSetLastError(deleteEntry(volume, text, text, attributes));
}

EngineErr EnumFolderTree(const Path* path, FolderTreeCallback callback, void* context, u16 filesFirst,
                         u16* outResult) {
    *outResult = 0;
    VolumeRecord* volume = nullptr;
    char text[kSystemTextSize];
    u32 attributes = 0;
    if (const EngineErr error = describePath(path, &volume, text, &attributes)) return osSetLastError(error);
    EngineErr error = kErrNone;
    *outResult = walkEntry(path, attributes, callback, context, filesFirst != 0, &error);
    return osSetLastError(error);
}

EngineErr CopyFolderTree(const Path* source, const Path* destination) {
    VolumeRecord* volume = nullptr;
    char from[kSystemTextSize];
    char to[kSystemTextSize];
    u32 attributes = 0;
    if (const EngineErr error = describePath(source, &volume, from, &attributes)) return osSetLastError(error);
    // A link asked for by name is not a tree: copying it as nothing would report success.
    if (attributes & plat::kFileAttrReparsePoint) return osSetLastError(kOsErrWrongKind);
    u32 existing = 0;
    if (const EngineErr error = describePath(destination, &volume, to, &existing); error != kOsErrNotFound) {
        return osSetLastError(error ? error : kOsErrExists);
    }
    return osSetLastError(copyEntry(from, to, attributes));
}

EngineErr CompareFolderTrees(const Path* source, const Path* copy) {
    VolumeRecord* volume = nullptr;
    char from[kSystemTextSize];
    char to[kSystemTextSize];
    u32 attributes = 0;
    if (const EngineErr error = describePath(source, &volume, from, &attributes)) return osSetLastError(error);
    if (const EngineErr error = pathGetSystemPath(copy, &volume, to)) return error;
    return osSetLastError(compareEntry(from, to, attributes));
}
