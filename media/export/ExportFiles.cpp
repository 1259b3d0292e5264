#include "media/export/ExportFiles.h"

#include <algorithm>

#include "platform/drives/SystemErrors.h"
#include "platform/files/Files.h"

namespace {

constexpr u32 kWriteChunk = 1u << 20;

// Where the last name of a text starts.
size_t nameStart(const std::string& text) {
    const size_t slash = text.find_last_of("\\/:");
    return slash == std::string::npos ? 0 : slash + 1;
}

bool sameNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
           });
}

}  // namespace

std::string exportTargetName(const std::string& target, const std::string& extension) {
    const size_t name = nameStart(target);
    const size_t dot = target.rfind('.');
    if (dot != std::string::npos && dot > name && sameNoCase(target.substr(dot + 1), extension)) return target;
    return target + "." + extension;
}

std::string exportScratchName(const std::string& target) {
    const size_t name = nameStart(target);
    // A hidden name beside the target: listings pass over it while it is written.
    return target.substr(0, name) + "." + target.substr(name) + ".part";
}

i32 exportCodeOfSystemError(u32 error) {
    return error == plat::kSysDiskFull || error == plat::kSysHandleDiskFull ? kExportDiskFull : kExportFailed;
}

i32 exportWriteFile(const std::string& target, std::span<const u8> bytes) {
    const std::string scratch = exportScratchName(target);
    plat::FileHandle file = plat::kNoFile;
    plat::fileDelete(scratch);
    if (const plat::SysErr err = plat::fileOpen(scratch, plat::kFileAccessWrite, 0, plat::FileDisposition::CreateNew, &file))
        return exportCodeOfSystemError(err);
    plat::SysErr err = plat::kSysOk;
    for (size_t at = 0; !err && at < bytes.size();) {
        const u32 count = u32(std::min<size_t>(kWriteChunk, bytes.size() - at));
        u32 done = 0;
        err = plat::fileWrite(file, bytes.data() + at, count, &done);
        if (!err && done != count) err = plat::kSysDiskFull;
        at += done;
    }
    if (!err) err = plat::fileFlush(file);
    const plat::SysErr closed = plat::fileClose(file);
    if (!err) err = closed;
    if (!err) err = plat::fileReplace(scratch, target);
    if (!err) err = plat::folderFlushOf(target);
    if (err) {
        plat::fileDelete(scratch);
        return exportCodeOfSystemError(err);
    }
    return kExportOk;
}
