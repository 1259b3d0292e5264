#include "document/project/ProjectCopy.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "document/users/EnginePath.h"
#include "engine/files/OsFiles.h"
#include "engine/files/OsServices.h"
#include "engine/files/RelativePaths.h"
#include "engine/files/UniqueFileName.h"

namespace Ostrel {

namespace {

constexpr u32 kCopyChunk = 64 * 1024;

EngineErr copyBytes(OsFile* from, OsFile* to) {
    const i64 size = osGetFileSize(from);
    if (size < 0) return pathGetLastError();
    std::vector<u8> buffer(kCopyChunk);
    for (u64 left = u64(size); left > 0;) {
        u32 count = u32(std::min<u64>(left, kCopyChunk));
        if (EngineErr err = osReadFile(from, buffer.data(), &count)) return err;
        if (count == 0) return kOsErrEndOfFile;
        u32 written = count;
        if (EngineErr err = osWriteFile(to, buffer.data(), &written)) return err;
        if (written != count) return kOsErrDiskFull;
        left -= count;
    }
    return kErrNone;
}

// Copies `source` into `folder` under a free name made from its own; the copy gets its name
// only once its bytes are on the disk. Its name comes back in `name`.
EngineErr copyIntoFolder(const Path* source, const Path* folder, std::string* name) {
    char text[kSystemTextSize] = {};
    if (EngineErr err = pathGetFileName(source, text)) return err;
    EnginePath target;
    if (EngineErr err = MakeUniqueFileName(folder, text, sizeof text, nullptr, target.get(), 0, nullptr, nullptr, 0))
        return err;
    EnginePath replacement;
    osReplacementPathOf(target.get(), replacement.get());
    if (replacement.empty()) return kDocErrPageOutside;
    OsFile* from = osOpenFile(source, kOsOpenRead | kOsOpenShareRead);
    if (from == nullptr) return pathGetLastError();
    OsFile* to = osOpenFile(replacement.get(), kOsOpenWrite | kOsOpenAlways | kOsOpenTruncate);
    if (to == nullptr) {
        osCloseFile(from, 0);
        return pathGetLastError();
    }
    EngineErr err = copyBytes(from, to);
    if (!err) err = osFlushFile(to);
    osCloseFile(from, 0);
    const EngineErr closed = osCloseFile(to, 1);
    if (!err) err = closed;
    if (!err) err = osReplacePath(replacement.get(), target.get());
    if (!err) err = osFlushFolderOf(target.get());
    if (err) {
        osDeletePath(replacement.get());
        return err;
    }
    *name = text;
    return kErrNone;
}

}  // namespace

void RebasePageEntry(const std::string& fileName, const PageSettings&, u16 number, PageRebaseContext& context) {
    // Only a name inside the old folder forms a path.
    EnginePath file;
    if (isProjectRelativeName(fileName)) pathJoin(file.get(), context.sourceFolder, fileName.c_str());
    if (file.empty()) {
        if (!context.lenient && !context.result) context.result = kDocErrBadPageName;
        return;
    }
    if (context.nameMap) {
        char text[kSystemTextSize] = {};
        if (pathGetFullText(file.get(), text) == kErrNone)
            if (const auto it = context.nameMap->find(text); it != context.nameMap->end()) file = EnginePath(it->second);
        if (file.empty()) {
            if (!context.result) context.result = kDocErrBadPageName;
            return;
        }
    }
    EnginePath folder;
    const Path* project = context.configuration->GetPath();
    if (!project || !pathJoin(folder.get(), project, "..")->record) {
        if (!context.result) context.result = pathGetLastError() ? pathGetLastError() : kDocErrBadPageName;
        return;
    }
    u16 inside = 0;
    std::string name;
    EngineErr err = IsPathInFolder(folder.get(), file.get(), &inside);
    if (!err && inside) err = MakeRelativePathText(folder.get(), 1, file.get(), &name);
    // A file the new folder cannot name by a relative name is brought into it, once.
    if (!err && (!inside || !isProjectRelativeName(name))) {
        char text[kSystemTextSize] = {};
        err = pathGetFullText(file.get(), text);
        if (const auto copied = context.copies.find(text); !err && copied != context.copies.end()) {
            name = copied->second;
        } else if (!err) {
            err = copyIntoFolder(file.get(), folder.get(), &name);
            if (!err) context.copies[text] = name;
        }
    }
    if (!err) err = context.configuration->SetPageFileName(name, number);
    // The first failure stands: a later entry that comes along must not hide it.
    if (!context.result) context.result = err;
}

void MapRelocatedPageFile(const Path* file, const PageSettings&, u16, PageRelocationContext& context) {
    char text[kSystemTextSize] = {};
    if (!file->record || pathGetFullText(file, text) != kErrNone) return;
    if (context.nameMap->count(text)) return;
    u16 inside = 0;
    std::string relative;
    EnginePath moved;
    char movedText[kSystemTextSize] = {};
    EngineErr err = IsPathInFolder(context.sourceFolder, file, &inside);
    if (err || !inside) {
        if (!context.result) context.result = err;
        return;
    }
    err = MakeRelativePathText(context.sourceFolder, 1, file, &relative);
    if (!err && !pathJoin(moved.get(), context.targetFolder, relative.c_str())->record)
        err = pathGetLastError() ? pathGetLastError() : kDocErrBadPageName;
    if (!err) err = pathGetFullText(moved.get(), movedText);
    // The first failure stands: a later file that maps well must not hide it.
    if (err) {
        if (!context.result) context.result = err;
        return;
    }
    (*context.nameMap)[text] = movedText;
}

EngineErr CopyFileIntoFolder(const Path* source, const Path* folder, std::string* name) {
    return copyIntoFolder(source, folder, name);
}

}  // namespace Ostrel
