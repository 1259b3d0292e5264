#pragma once
// The bytes of a resource archive: the 28-byte header at offset 0 and the file table that
// follows the directory (the directory itself is ResDirectory). Every integer is big-endian
// on disk and converted field by field here; nothing else in the program parses these bytes.
//
// Parsing trusts nothing: every offset, count, index and data range is checked against the
// file's real length, and anything that does not fit is refused as kResErrNotResourceFile;
// a directory or file table running past the archive's end as the short read it would take
// (kOsErrEndOfFile); data ranges that share bytes with each other or with the tables as
// kResErrOverlappingData.
// Pure functions over byte buffers; callable from any thread.
#include <cstddef>
#include <span>
#include <vector>

#include "engine/base/EngineTypes.h"
#include "engine/resources/format/ResDirectory.h"

constexpr u32 kArchiveHeaderSize = 28;
constexpr u16 kArchiveVersion = 0x0100;
constexpr u32 kArchiveNewInfoLength = 116;
constexpr u16 kArchiveMayHoldHoles = 1;

constexpr u32 kFileTableHeadSize = 4;
constexpr u32 kFileEntrySize = 10;
constexpr u16 kMaxFileEntries = 6546;
constexpr u32 kResMaxSize = (1u << 27) - 1;

// Flag bits of a file-table entry, kept in the byte that also holds size bits 24-26.
constexpr u8 kResFlagProtected = 0x08;
constexpr u8 kResFlagFree = 0x10;
constexpr u8 kResFlagLoadAtOpen = 0x20;
constexpr u8 kResFlagFixed = 0x40;
constexpr u8 kResFlagPurgeable = 0x80;

struct ArchiveHeader {
    u32 infoLength = kArchiveNewInfoLength;
    u16 flags = 0;
    u32 fileLength = 0;
    u32 directoryOffset = 0;
    u16 directorySize = 0;
    u16 fileTableSize = 0;
};

struct FileEntry {
    u32 offset = 0;
    u32 size = 0;  // 27 bits
    u8 flags = 0;  // only the flag bits above; the size bits live in size
    u16 link = 0;  // next free entry of a free entry; written as 0 for a live one
    bool isFree() const { return (flags & kResFlagFree) != 0; }
};

struct FileTable {
    u16 freeHead = 0;
    std::vector<FileEntry> entries;  // entry n is entries[n - 1]
    u32 byteSize() const { return kFileTableHeadSize + kFileEntrySize * u32(entries.size()); }
    FileEntry& at(u16 index) { return entries[index - 1u]; }
    const FileEntry& at(u16 index) const { return entries[index - 1u]; }
};

struct ArchiveContents {
    ArchiveHeader header;
    ResDirectory directory;
    FileTable fileTable;
};

// Checks the fixed fields of the first 28 bytes against the file's real length, which may
// exceed the length field (bytes past it are ignored) but not fall short of it.
EngineErr parseArchiveHeader(std::span<const u8> bytes, u32 actualLength, ArchiveHeader* header);
// `tables` holds the directory directly followed by the file table, as the header sizes them.
EngineErr parseArchiveTables(const ArchiveHeader& header, std::span<const u8> tables, ArchiveContents* contents);
// The whole file in memory; used where the archive is already a byte buffer.
EngineErr parseArchiveImage(std::span<const u8> file, ArchiveContents* contents);

void writeArchiveHeader(const ArchiveHeader& header, u8* out);
void writeFileTable(const FileTable& table, u8* out);
// The directory followed by the file table, as they are written together.
std::vector<u8> serializeArchiveTables(const ResDirectory& directory, const FileTable& table);
// The 36 bytes of a new archive with no resources.
std::vector<u8> emptyArchiveImage();
