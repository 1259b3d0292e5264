#include "engine/resources/ArchiveStorage.h"

#include <algorithm>
#include <array>

#include "engine/resources/format/ResourceErrors.h"

namespace {

// Committed bytes moved out of the way of growing data go this far past the end, so that a
// run of appends does not move them again at every write.
constexpr u32 kRelocationSlack = 64 * 1024;
constexpr u32 kCopyChunk = 64 * 1024;
constexpr u32 kZeroChunk = 4096;

bool endFits(u64 offset, u64 count) { return offset + count <= UINT32_MAX; }

bool overlaps(u64 start, u64 count, u64 otherStart, u64 otherCount) {
    return count > 0 && otherCount > 0 && start < otherStart + otherCount && otherStart < start + count;
}

std::vector<u8> directoryBytes(const ResDirectory& directory) {
    std::vector<u8> bytes(directory.byteSize());
    directory.serialize(bytes.data());
    return bytes;
}

}  // namespace

ArchiveStorage::ArchiveStorage(ArchiveFile& file, const ArchiveContents& contents, const std::vector<u8>& tables)
    : file_(file),
      header_(contents.header),
      directory_(tables.begin(), tables.begin() + contents.header.directorySize),
      table_(contents.fileTable),
      length_(file.length()) {}

u32 ArchiveStorage::tablesSize() const { return u32(directory_.size()) + table_.byteSize(); }

bool ArchiveStorage::holdsCommitted(u32 offset, u32 count) const {
    if (overlaps(offset, count, 0, kArchiveHeaderSize)) return true;
    if (overlaps(offset, count, header_.directoryOffset, tablesSize())) return true;
    for (const FileEntry& e : table_.entries)
        if (!e.isFree() && overlaps(offset, count, e.offset, e.size)) return true;
    return false;
}

EngineErr ArchiveStorage::copyTo(ArchiveFile& target, u32 from, u32 to, u32 count) {
    std::vector<u8> buffer(std::min(count, kCopyChunk));
    for (u32 done = 0; done < count;) {
        const u32 n = std::min(kCopyChunk, count - done);
        if (EngineErr err = file_.read(from + done, buffer.data(), n)) return err;
        if (EngineErr err = target.write(to + done, buffer.data(), n)) return err;
        done += n;
    }
    return kErrNone;
}

EngineErr ArchiveStorage::commit(u32 offset, std::vector<u8> directory, FileTable table, u32 length, u16 flags) {
    const u32 size = u32(directory.size()) + table.byteSize();
    if (!endFits(offset, size) || offset + size > length) return kResErrTooLarge;
    std::vector<u8> bytes = directory;
    bytes.resize(size);
    writeFileTable(table, bytes.data() + directory.size());
    if (EngineErr err = file_.write(offset, bytes.data(), size)) return err;
    length_ = std::max(length_, offset + size);
    if (length > length_) {
        if (EngineErr err = file_.setLength(length)) return err;
        length_ = length;
    }
    // Everything the new header points to is on the disk before the header is.
    if (EngineErr err = file_.sync()) return err;
    ArchiveHeader header = header_;
    header.infoLength = length - 8;
    header.flags = flags;
    header.fileLength = length;
    header.directoryOffset = offset;
    header.directorySize = u16(directory.size());
    header.fileTableSize = u16(table.byteSize());
    u8 raw[kArchiveHeaderSize];
    writeArchiveHeader(header, raw);
    if (EngineErr err = file_.write(0, raw, kArchiveHeaderSize)) return err;
    header_ = header;
    directory_ = std::move(directory);
    table_ = std::move(table);
    return file_.sync();
}

EngineErr ArchiveStorage::clear(u32 offset, u32 count) {
    if (overlaps(offset, count, 0, kArchiveHeaderSize)) return kResErrSizeOrIndex;
    if (!holdsCommitted(offset, count)) return kErrNone;
    FileTable moved = table_;
    u64 next = u64(std::max(length_, offset + count)) + kRelocationSlack;
    for (FileEntry& e : moved.entries) {
        if (e.isFree() || !overlaps(offset, count, e.offset, e.size)) continue;
        if (!endFits(next, e.size)) return kResErrTooLarge;
        if (EngineErr err = copyTo(file_, e.offset, u32(next), e.size)) return err;
        length_ = std::max<u32>(length_, u32(next + e.size));
        e.offset = u32(next);
        next += e.size;
    }
    const u64 end = next + directory_.size() + moved.byteSize();
    if (!endFits(end, 0)) return kResErrTooLarge;
    // The bytes left behind are holes now.
    if (EngineErr err = commit(u32(next), directory_, std::move(moved), u32(end), kArchiveMayHoldHoles)) return err;
    moved_ = true;
    return kErrNone;
}

EngineErr ArchiveStorage::writeData(u32 offset, const void* data, u32 count) {
    if (count == 0) return kErrNone;
    if (!endFits(offset, count)) return kResErrTooLarge;
    if (EngineErr err = clear(offset, count)) return err;
    if (EngineErr err = file_.write(offset, data, count)) return err;
    length_ = std::max(length_, offset + count);
    return kErrNone;
}

EngineErr ArchiveStorage::writeZeros(u32 offset, u32 count) {
    static constexpr std::array<u8, kZeroChunk> kZeros{};
    for (u32 done = 0; done < count;) {
        const u32 n = std::min(kZeroChunk, count - done);
        if (EngineErr err = writeData(offset + done, kZeros.data(), n)) return err;
        done += n;
    }
    return kErrNone;
}

EngineErr ArchiveStorage::commitTables(u32 offset, const ResDirectory& directory, const FileTable& table, u32 length,
                                       u16 flags) {
    std::vector<u8> bytes = directoryBytes(directory);
    const u32 size = u32(bytes.size()) + table.byteSize();
    if (!endFits(offset, size) || offset + size > length) return kResErrTooLarge;
    if (EngineErr err = clear(offset, size)) return err;
    if (EngineErr err = commit(offset, std::move(bytes), table, length, flags)) return err;
    moved_ = false;
    // The tail holds nothing committed any more; a failure to cut it leaves it ignored.
    if (length < length_ && file_.setLength(length) == kErrNone) length_ = length;
    return kErrNone;
}

bool ArchiveStorage::beginRewrite() {
    replacement_.reset();
    return file_.replaceable() && file_.createReplacement(&replacement_) == kErrNone;
}

EngineErr ArchiveStorage::rewrite(const std::vector<Move>& moves, u32 offset, const ResDirectory& directory,
                                  const FileTable& table, u32 length, u16 flags) {
    std::vector<u8> bytes = directoryBytes(directory);
    const u32 directorySize = u32(bytes.size());
    const u32 size = directorySize + table.byteSize();
    if (!endFits(offset, size) || offset + size != length) return kResErrTooLarge;
    std::unique_ptr<ArchiveFile> next = std::move(replacement_);
    if (next == nullptr) return kResErrBadMap;
    for (const Move& move : moves)
        if (EngineErr err = copyTo(*next, move.from, move.to, move.size)) return err;
    std::vector<u8> tables = bytes;
    tables.resize(size);
    writeFileTable(table, tables.data() + directorySize);
    if (EngineErr err = next->write(offset, tables.data(), size)) return err;
    ArchiveHeader header = header_;
    header.infoLength = length - 8;
    header.flags = flags;
    header.fileLength = length;
    header.directoryOffset = offset;
    header.directorySize = u16(directorySize);
    header.fileTableSize = u16(table.byteSize());
    u8 raw[kArchiveHeaderSize];
    writeArchiveHeader(header, raw);
    if (EngineErr err = next->write(0, raw, kArchiveHeaderSize)) return err;
    if (EngineErr err = file_.adoptReplacement(std::move(next))) return err;
    header_ = header;
    directory_ = std::move(bytes);
    table_ = table;
    length_ = length;
    moved_ = false;
    return kErrNone;
}
