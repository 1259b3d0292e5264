// libFuzzer target: any bytes given to the archive reader are refused or read; what was
// read is written again and must read back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "engine/resources/format/ArchiveFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ArchiveContents contents;
    if (parseArchiveImage(std::span<const u8>(data, size), &contents) != kErrNone) return 0;
    for (u16 index : contents.directory.referencedIndexes()) {
        const FileEntry& entry = contents.fileTable.at(index);
        if (!entry.isFree() && entry.size > 0 && u64(entry.offset) + entry.size > size) std::abort();
    }
    const std::vector<u8> tables = serializeArchiveTables(contents.directory, contents.fileTable);
    ArchiveHeader header = contents.header;
    header.directorySize = u16(contents.directory.byteSize());
    header.fileTableSize = u16(contents.fileTable.byteSize());
    ArchiveContents again;
    if (parseArchiveTables(header, tables, &again) != kErrNone) std::abort();
    if (serializeArchiveTables(again.directory, again.fileTable) != tables) std::abort();
    return 0;
}
