#include "engine/resources/ArchiveStorage.h"

#include <algorithm>

#include "engine/resources/format/ResourceErrors.h"

namespace {

// Committed tables moved out of the way of growing data go this far past the end, so that
// a run of appends does not move them again at every write.
constexpr u32 kRelocationSlack = 64 * 1024;

bool endFits(u32 offset, u64 count) { return offset + count <= UINT32_MAX; }

}  // namespace

ArchiveStorage::ArchiveStorage(ArchiveFile& file, const ArchiveHeader& header, std::vector<u8> tables)
    : file_(file), committed_(header), committedTables_(std::move(tables)), physicalLength_(header.fileLength) {}

bool ArchiveStorage::overlapsCommitted(u32 offset, u32 count) const {
    const u64 start = committed_.directoryOffset;
    const u64 end = start + committedTables_.size();
    return count > 0 && offset < end && u64(offset) + count > start;
}

EngineErr ArchiveStorage::writeHeader(u32 length) {
    ArchiveHeader header = committed_;
    header.fileLength = length;
    header.infoLength = length - 8;
    u8 bytes[kArchiveHeaderSize];
    writeArchiveHeader(header, bytes);
    const EngineErr err = file_.write(0, bytes, kArchiveHeaderSize);
    if (err == kErrNone) committed_ = header;
    return err;
}

EngineErr ArchiveStorage::writeData(u32 offset, const void* data, u32 count) {
    if (count == 0) return kErrNone;
    if (!endFits(offset, count)) return kResErrTooLarge;
    if (overlapsCommitted(offset, count)) {
        const EngineErr err = relocateCommitted(offset + count);
        if (err != kErrNone) return err;
    }
    const u32 before = physicalLength_;
    const u32 end = offset + count;
    EngineErr err = file_.write(offset, data, count);
    if (err == kErrNone && end > before) err = writeHeader(end);
    if (err != kErrNone) {
        if (end > before) file_.setLength(before);
        return err;
    }
    physicalLength_ = std::max(before, end);
    return kErrNone;
}

EngineErr ArchiveStorage::reserve(u32 length) {
    if (length <= physicalLength_) return kErrNone;
    const u32 before = physicalLength_;
    EngineErr err = file_.setLength(length);
    if (err == kErrNone) err = writeHeader(length);
    if (err != kErrNone) {
        file_.setLength(before);
        return err;
    }
    physicalLength_ = length;
    return kErrNone;
}

EngineErr ArchiveStorage::relocateCommitted(u32 atLeast) {
    const u64 target = u64(std::max(physicalLength_, atLeast)) + kRelocationSlack;
    if (!endFits(0, target + committedTables_.size())) return kResErrTooLarge;
    return placeCommitted(u32(target), committedTables_, committed_.directorySize);
}

EngineErr ArchiveStorage::placeCommitted(u32 offset, std::vector<u8> tables, u16 directorySize) {
    const u32 before = physicalLength_;
    const u32 end = offset + u32(tables.size());
    const u32 length = std::max(before, end);
    EngineErr err = file_.write(offset, tables.data(), u32(tables.size()));
    if (err == kErrNone) {
        const ArchiveHeader previous = committed_;
        committed_.directoryOffset = offset;
        committed_.directorySize = directorySize;
        committed_.fileTableSize = u16(tables.size() - directorySize);
        err = writeHeader(length);
        if (err != kErrNone) committed_ = previous;
    }
    if (err != kErrNone) {
        if (end > before) file_.setLength(before);
        return err;
    }
    committedTables_ = std::move(tables);
    physicalLength_ = length;
    return kErrNone;
}

EngineErr ArchiveStorage::shrinkTo(u32 length) {
    const u32 before = physicalLength_;
    EngineErr err = writeHeader(length);
    if (err != kErrNone) return err;
    err = file_.setLength(length);
    if (err != kErrNone) {
        writeHeader(before);
        return err;
    }
    physicalLength_ = length;
    return kErrNone;
}

EngineErr ArchiveStorage::commitTables(u32 offset, const std::vector<u8>& tables, u16 directorySize, u32 length,
                                       u16 flags) {
    if (!endFits(offset, tables.size()) || offset + tables.size() > length) return kResErrTooLarge;
    committed_.flags = flags;
    const u32 count = u32(tables.size());
    if (overlapsCommitted(offset, count)) {
        const EngineErr err = placeCommitted(std::max(physicalLength_, offset + count), tables, directorySize);
        if (err != kErrNone) return err;
    }
    EngineErr err = placeCommitted(offset, tables, directorySize);
    if (err != kErrNone) return err;
    if (length > physicalLength_) return reserve(length);
    if (length < physicalLength_) return shrinkTo(length);
    return kErrNone;
}
