#include "document/library/AddUserLibraryItem.h"

#include <algorithm>
#include <vector>

#include "document/storage/LibraryHeader.h"
#include "document/users/UserNames.h"
#include "engine/files/OsFiles.h"
#include "engine/files/OsServices.h"

namespace Ostrel {

namespace {

constexpr u32 kCopyChunk = 64 * 1024;

// The whole of `from` written to the new file `to` and flushed.
EngineErr copyWhole(const Path* from, const Path* to) {
    OsFile* in = osOpenFile(from, kOsOpenRead | kOsOpenShareRead);
    if (in == nullptr) return pathGetLastError();
    OsFile* out = osOpenFile(to, kOsOpenWrite | kOsOpenAlways | kOsOpenTruncate);
    if (out == nullptr) {
        osCloseFile(in, 0);
        return pathGetLastError();
    }
    const i64 size = osGetFileSize(in);
    EngineErr err = size < 0 ? pathGetLastError() : kErrNone;
    std::vector<u8> buffer(kCopyChunk);
    for (u64 left = size < 0 ? 0 : u64(size); !err && left > 0;) {
        u32 count = u32(std::min<u64>(left, kCopyChunk));
        err = osReadFile(in, buffer.data(), &count);
        if (!err && count == 0) err = kOsErrEndOfFile;
        u32 written = count;
        if (!err) err = osWriteFile(out, buffer.data(), &written);
        if (!err && written != count) err = kOsErrDiskFull;
        left -= err ? left : count;
    }
    if (!err) err = osFlushFile(out);
    osCloseFile(in, 0);
    const EngineErr closed = osCloseFile(out, 1);
    return err ? err : closed;
}

EngineErr newLibrary(const Path* path, FourCC type) {
    RLibrary library;
    const EngineErr err = library.Create(path, type, kLibraryFlagThumbnails);
    const EngineErr closed = library.Close();
    return err ? err : closed;
}

}  // namespace

EngineErr AddUserLibraryItem(const RLibraryMgr& libraries, FourCC type, std::span<const u8> media,
                             std::span<const u8> thumbnail, const std::string& name) {
    std::string text;
    if (EngineErr err = libraries.DefaultLibraryPath(type, &text)) return err;
    EnginePath target(text);
    EnginePath replacement;
    if (!target.empty()) osReplacementPathOf(target.get(), replacement.get());
    if (target.empty() || replacement.empty()) return kDocErrNoFolder;
    osRemoveStaleReplacement(target.get());
    EngineErr err = pathCheckExists(target.get()) == kErrNone ? copyWhole(target.get(), replacement.get())
                                                              : newLibrary(replacement.get(), type);
    if (!err) {
        // Each change of the copy is committed and flushed before the next; closing it writes
        // what is left.
        RLibrary library;
        u16 id = 0;
        err = library.Open(replacement.get(), false);
        if (!err) err = AddToUserLibrary(library, media, thumbnail, name, &id);
        const EngineErr closed = library.Close();
        if (!err) err = closed;
    }
    if (!err) err = osReplacePath(replacement.get(), target.get());
    // The library has the item once its name lasts through a power loss too.
    if (!err) err = osFlushFolderOf(target.get());
    else osDeletePath(replacement.get());
    return err;
}

}  // namespace Ostrel
