#include "media/export/FlashProjector.h"

#include <algorithm>

#include "media/export/ExportFiles.h"
#include "platform/files/Files.h"

namespace {

// Writes the whole span at the file's position; a short write is a full disc.
plat::SysErr writeAll(plat::FileHandle file, std::span<const u8> bytes) {
    for (size_t at = 0; at < bytes.size();) {
        const u32 count = u32(std::min<size_t>(bytes.size() - at, 1u << 20));
        u32 done = 0;
        if (const plat::SysErr err = plat::fileWrite(file, bytes.data() + at, count, &done)) return err;
        if (done != count) return plat::kSysDiskFull;
        at += done;
    }
    return plat::kSysOk;
}

// Appends the movie and its trailer to the copy, over a movie the copy already carries.
plat::SysErr appendMovie(const std::string& copy, std::span<const u8> movie) {
    plat::FileHandle file = plat::kNoFile;
    if (const plat::SysErr err = plat::fileOpen(copy, plat::kFileAccessRead | plat::kFileAccessWrite, 0,
                                                plat::FileDisposition::OpenExisting, &file))
        return err;
    uint64_t size = 0;
    plat::SysErr err = plat::fileSeek(file, 0, plat::SeekOrigin::End, &size);
    u8 trailer[kProjectorTrailerSize] = {};
    u32 done = 0;
    if (!err && size >= kProjectorTrailerSize)
        err = plat::fileReadAt(file, size - kProjectorTrailerSize, trailer, kProjectorTrailerSize,
                               plat::ReadWait::ForDevice, &done);
    // A program shorter than a trailer is no player.
    if (!err && done != kProjectorTrailerSize) err = plat::kSysInvalidData;
    uint64_t position = 0;
    if (!err) err = plat::fileSeek(file, i64(ProjectorProgramSize(trailer, size)), plat::SeekOrigin::Start, &position);
    if (!err) err = writeAll(file, movie);
    WriteProjectorTrailer(u32(movie.size()), trailer);
    if (!err) err = writeAll(file, trailer);
    if (!err) err = plat::fileSetEnd(file);
    if (!err) err = plat::fileFlush(file);
    const plat::SysErr closed = plat::fileClose(file);
    return err ? err : closed;
}

}  // namespace

u16 WriteFlashProjector(const std::string& player, const std::string& target, std::span<const u8> movie) {
    if (movie.size() > 0xFFFFFFFFu) return 1;
    const std::string scratch = exportScratchName(target);
    plat::fileDelete(scratch);
    plat::SysErr err = plat::fileCopyNew(player, scratch);
    if (!err) err = appendMovie(scratch, movie);
    if (!err) err = plat::fileReplace(scratch, target);
    if (!err) err = plat::folderFlushOf(target);
    if (err) plat::fileDelete(scratch);
    return err ? 1 : 0;
}
