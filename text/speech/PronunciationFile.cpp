#include "text/speech/PronunciationFile.h"

#include "platform/files/Files.h"

using namespace plat;

namespace {

SysErr writeAll(FileHandle file, const std::vector<u8>& bytes) {
    uint32_t done = 0;
    const SysErr err = fileWrite(file, bytes.data(), uint32_t(bytes.size()), &done);
    if (err != kSysOk) return err;
    return done == bytes.size() ? kSysOk : kSysHandleDiskFull;
}

}  // namespace

SysErr loadPronunciationFile(const std::string& path, PronunciationDecoding& out) {
    FileHandle file = kNoFile;
    SysErr err = fileOpen(path, kFileAccessRead, kFileShareRead, FileDisposition::OpenExisting, &file);
    if (err != kSysOk) return err;
    uint64_t size = 0;
    err = fileSeek(file, 0, SeekOrigin::End, &size);
    if (err == kSysOk && size > kPronunciationFileLimit) err = kSysInvalidData;
    uint64_t start = 0;
    if (err == kSysOk) err = fileSeek(file, 0, SeekOrigin::Start, &start);
    std::vector<u8> bytes(err == kSysOk ? size_t(size) : 0);
    uint32_t done = 0;
    if (err == kSysOk) err = fileRead(file, bytes.data(), uint32_t(bytes.size()), &done);
    fileClose(file);
    if (err != kSysOk) return err;
    bytes.resize(done);
    out = decodePronunciations(bytes);
    return kSysOk;
}

SysErr savePronunciationFile(const std::string& path, const std::vector<Pronunciation>& entries) {
    std::vector<u8> bytes;
    if (!encodePronunciations(entries, bytes)) return kSysInvalidData;
    const std::string fresh = path + ".new";
    // A leftover of a save killed part way is stale; the list in memory is newer.
    fileDelete(fresh);
    FileHandle file = kNoFile;
    SysErr err = fileOpen(fresh, kFileAccessWrite, 0, FileDisposition::CreateNew, &file);
    if (err != kSysOk) return err;
    err = writeAll(file, bytes);
    if (err == kSysOk) err = fileFlush(file);
    const SysErr closed = fileClose(file);
    if (err == kSysOk) err = closed;
    if (err == kSysOk) err = fileReplace(fresh, path);
    if (err == kSysOk) err = folderFlushOf(path);
    if (err != kSysOk) fileDelete(fresh);
    return err;
}
