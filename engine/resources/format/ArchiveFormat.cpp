#include "engine/resources/format/ArchiveFormat.h"

#include <algorithm>
#include <cstring>

#include "engine/base/ByteOrder.h"
#include "engine/files/OsServices.h"
#include "engine/resources/format/ResourceErrors.h"

namespace {

constexpr u8 kMagic[4] = {'K', 'V', 'R', 'W'};
constexpr u8 kResourceMark[4] = {'R', 'S', 'R', 'C'};
constexpr u8 kSizeHighMask = 0x07;

EngineErr parseFileTable(std::span<const u8> bytes, u32 fileLength, FileTable* table) {
    if (bytes.size() < kFileTableHeadSize) return kResErrNotResourceFile;
    const u16 freeHead = readBE16(bytes.data());
    const u16 count = readBE16(bytes.data() + 2);
    if (count > kMaxFileEntries || bytes.size() != kFileTableHeadSize + size_t(kFileEntrySize) * count)
        return kResErrNotResourceFile;
    FileTable result;
    result.freeHead = freeHead;
    result.entries.resize(count);
    for (u16 i = 0; i < count; ++i) {
        const u8* p = bytes.data() + kFileTableHeadSize + size_t(kFileEntrySize) * i;
        FileEntry& e = result.entries[i];
        e.offset = readBE32(p);
        e.size = readBE16(p + 4) | (u32(p[6]) << 16) | (u32(p[7] & kSizeHighMask) << 24);
        e.flags = u8(p[7] & ~kSizeHighMask);
        e.link = readBE16(p + 8);
        if (!e.isFree() && e.size > 0 && (e.offset < kArchiveHeaderSize || u64(e.offset) + e.size > fileLength))
            return kResErrNotResourceFile;
    }
    // The free list must stay on free entries, so that adding never takes a live one, and must
    // not loop: adding would then take an entry an earlier addition already took.
    std::vector<bool> listed(count + 1u);
    for (u16 index = freeHead; index != 0; index = result.at(index).link) {
        if (index > count || !result.at(index).isFree() || listed[index]) return kResErrNotResourceFile;
        listed[index] = true;
    }
    // A free entry off the list is never handed out, but its link could name an entry that an
    // addition then takes, and the table written after it would no longer read: it links nowhere.
    for (u16 index = 1; index <= count; ++index)
        if (!listed[index]) result.at(index).link = 0;
    *table = std::move(result);
    return kErrNone;
}

// The data of live resources and the directory with the file table, pairwise apart.
bool rangesApart(const ArchiveHeader& header, const FileTable& table) {
    struct Range {
        u64 start;
        u64 end;
    };
    std::vector<Range> ranges;
    ranges.reserve(table.entries.size() + 1);
    ranges.push_back({header.directoryOffset, u64(header.directoryOffset) + header.directorySize + header.fileTableSize});
    for (const FileEntry& e : table.entries)
        if (!e.isFree() && e.size > 0) ranges.push_back({e.offset, u64(e.offset) + e.size});
    std::sort(ranges.begin(), ranges.end(), [](const Range& a, const Range& b) { return a.start < b.start; });
    for (size_t i = 1; i < ranges.size(); ++i)
        if (ranges[i].start < ranges[i - 1].end) return false;
    return true;
}

}  // namespace

EngineErr parseArchiveHeader(std::span<const u8> bytes, u32 actualLength, ArchiveHeader* header) {
    if (bytes.size() < kArchiveHeaderSize) return kResErrNotResourceFile;
    const u8* p = bytes.data();
    if (std::memcmp(p, kMagic, 4) != 0 || std::memcmp(p + 8, kResourceMark, 4) != 0) return kResErrNotResourceFile;
    // A file longer than its length field is a write that stopped before committing; the
    // tail holds nothing committed and is ignored. A shorter one has lost committed bytes.
    if (readBE16(p + 12) != kArchiveVersion || readBE32(p + 16) > actualLength) return kResErrNotResourceFile;
    ArchiveHeader h;
    h.infoLength = readBE32(p + 4);
    h.flags = readBE16(p + 14);
    h.fileLength = readBE32(p + 16);
    h.directoryOffset = readBE32(p + 20);
    h.directorySize = readBE16(p + 24);
    h.fileTableSize = readBE16(p + 26);
    const u64 tablesEnd = u64(h.directoryOffset) + h.directorySize + h.fileTableSize;
    if (h.directoryOffset < kArchiveHeaderSize) return kResErrNotResourceFile;
    // Tables that run past the archive's end could only be read short: that read's error.
    if (tablesEnd > h.fileLength) return kOsErrEndOfFile;
    *header = h;
    return kErrNone;
}

EngineErr parseArchiveTables(const ArchiveHeader& header, std::span<const u8> tables, ArchiveContents* contents) {
    if (tables.size() != size_t(header.directorySize) + header.fileTableSize) return kResErrNotResourceFile;
    ArchiveContents result;
    result.header = header;
    EngineErr err = parseFileTable(tables.subspan(header.directorySize), header.fileLength, &result.fileTable);
    if (err != kErrNone) return err;
    err = ResDirectory::parse(tables.first(header.directorySize), u16(result.fileTable.entries.size()), &result.directory);
    if (err != kErrNone) return err;
    for (u16 index : result.directory.referencedIndexes())
        if (result.fileTable.at(index).isFree()) return kResErrNotResourceFile;
    if (!rangesApart(header, result.fileTable)) return kResErrOverlappingData;
    *contents = std::move(result);
    return kErrNone;
}

EngineErr parseArchiveImage(std::span<const u8> file, ArchiveContents* contents) {
    if (file.size() > UINT32_MAX) return kResErrNotResourceFile;
    ArchiveHeader header;
    const EngineErr err = parseArchiveHeader(file, u32(file.size()), &header);
    if (err != kErrNone) return err;
    return parseArchiveTables(header, file.subspan(header.directoryOffset, size_t(header.directorySize) + header.fileTableSize),
                              contents);
}

void writeArchiveHeader(const ArchiveHeader& header, u8* out) {
    std::memcpy(out, kMagic, 4);
    writeBE32(out + 4, header.infoLength);
    std::memcpy(out + 8, kResourceMark, 4);
    writeBE16(out + 12, kArchiveVersion);
    writeBE16(out + 14, header.flags);
    writeBE32(out + 16, header.fileLength);
    writeBE32(out + 20, header.directoryOffset);
    writeBE16(out + 24, header.directorySize);
    writeBE16(out + 26, header.fileTableSize);
}

void writeFileTable(const FileTable& table, u8* out) {
    writeBE16(out, table.freeHead);
    writeBE16(out + 2, u16(table.entries.size()));
    u8* p = out + kFileTableHeadSize;
    for (const FileEntry& e : table.entries) {
        writeBE32(p, e.offset);
        writeBE16(p + 4, u16(e.size));
        p[6] = u8(e.size >> 16);
        p[7] = u8(e.flags | ((e.size >> 24) & kSizeHighMask));
        writeBE16(p + 8, e.isFree() ? e.link : 0);
        p += kFileEntrySize;
    }
}

std::vector<u8> serializeArchiveTables(const ResDirectory& directory, const FileTable& table) {
    std::vector<u8> bytes(directory.byteSize() + table.byteSize());
    directory.serialize(bytes.data());
    writeFileTable(table, bytes.data() + directory.byteSize());
    return bytes;
}

std::vector<u8> emptyArchiveImage() {
    const ResDirectory directory;
    const FileTable table;
    ArchiveHeader header;
    header.directoryOffset = kArchiveHeaderSize;
    header.directorySize = u16(directory.byteSize());
    header.fileTableSize = u16(table.byteSize());
    header.fileLength = kArchiveHeaderSize + header.directorySize + header.fileTableSize;
    std::vector<u8> bytes(kArchiveHeaderSize);
    writeArchiveHeader(header, bytes.data());
    const std::vector<u8> tables = serializeArchiveTables(directory, table);
    bytes.insert(bytes.end(), tables.begin(), tables.end());
    return bytes;
}
