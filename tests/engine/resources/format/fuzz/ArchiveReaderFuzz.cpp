// libFuzzer target: any bytes given to the archive reader are refused or read. Whatever was
// read must answer every look-up in agreement with its own tables, be written again and read
// back to the same bytes, and stay writable and readable as its resources are dropped one by
// one and the survivors renumbered, as the manager does when it compacts a file.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "engine/resources/format/ArchiveFormat.h"
#include "engine/resources/format/ResourceErrors.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

// The tables written again past the end of the file, as an update writes them, and read back.
ArchiveContents rereadTables(const ArchiveHeader& header, const ResDirectory& directory, const FileTable& table) {
    const std::vector<u8> tables = serializeArchiveTables(directory, table);
    require(directory.byteSize() <= kResDirectoryMaxSize);
    ArchiveHeader resized = header;
    resized.directoryOffset = header.fileLength;
    resized.directorySize = u16(directory.byteSize());
    resized.fileTableSize = u16(table.byteSize());
    resized.fileLength = header.fileLength + u32(tables.size());
    ArchiveContents again;
    require(parseArchiveTables(resized, tables, &again) == kErrNone);
    require(serializeArchiveTables(again.directory, again.fileTable) == tables);
    return again;
}

// Type codes as the file lists them (the directory offers look-ups by code only): at most
// `most` of them, spread over the list and always with the last, as each look-up walks the types.
std::vector<FourCC> typesInFile(std::span<const u8> file, const ArchiveHeader& header, size_t most) {
    const u8* directory = file.data() + header.directoryOffset;
    const size_t count = readBE16(directory + 2);
    const size_t step = (count + most - 1) / most;
    std::vector<FourCC> types;
    for (size_t t = 0; t < count; t += step) types.push_back(readBE32(directory + 4 + 8 * t));
    if (count > 0 && (count - 1) % step != 0) types.push_back(readBE32(directory + 4 + 8 * (count - 1)));
    return types;
}

// `sampled`: `types` holds only some of the directory's types.
void checkLookups(const ArchiveContents& contents, const std::vector<FourCC>& types, bool sampled) {
    const ResDirectory& directory = contents.directory;
    size_t referenced = 0;
    for (FourCC type : types) {
        const ResTypeTables* tables = directory.findType(type);
        require(tables != nullptr && tables->type == type);
        referenced += tables->ids.size();
        for (const ResIdEntry& e : tables->ids) {
            const ResIdEntry* found = directory.find(type, e.id);
            require(found != nullptr && found->index == e.index);
            require(!contents.fileTable.at(e.index).isFree());
            if (e.id < UINT16_MAX) {
                const ResIdEntry* next = directory.find(type, u16(e.id + 1));
                require(next == nullptr || next->id == e.id + 1);
            }
        }
        for (size_t i = 0; i < tables->names.size(); ++i) {
            const ResNameEntry& n = tables->names[i];
            require(compareResNames(n.name, n.name) == 0);
            if (i > 0) {
                require(compareResNames(tables->names[i - 1].name, n.name) < 0);
                require(compareResNames(n.name, tables->names[i - 1].name) > 0);
            }
            require(std::any_of(tables->ids.begin(), tables->ids.end(), [&](const ResIdEntry& e) { return e.index == n.index; }));
        }
    }
    if (sampled) return;
    require(referenced == directory.referencedIndexes().size());
    for (FourCC type : types)
        require(std::find(types.begin(), types.end(), type + 1) != types.end() || directory.findType(type + 1) == nullptr);
}

// Adds to each type a used id, a name that differs from a used one only in case, and a new
// resource, then a resource of a new type: what is refused leaves no trace, what is added is
// found and written back.
void checkInsertions(const ArchiveContents& contents, const std::vector<FourCC>& types) {
    ResDirectory directory = contents.directory;
    FileTable table = contents.fileTable;
    for (FourCC type : types) {
        const ResTypeTables* tables = directory.findType(type);
        const u32 size = directory.byteSize();
        if (!tables->ids.empty()) {
            const u16 used = tables->ids.back().id;
            require(directory.insert(type, used, tables->ids.back().index, nullptr) == kResErrDuplicate);
            require(directory.byteSize() == size);
            if (used == UINT16_MAX) continue;
        }
        if (!tables->names.empty() && tables->names.front().name.size() <= kResMaxNameLength) {
            std::string flipped = tables->names.front().name;
            for (char& c : flipped) c = char(std::isupper(u8(c)) ? std::tolower(u8(c)) : std::toupper(u8(c)));
            const u16 unused = u16(tables->ids.back().id + 1);
            require(directory.insert(type, unused, 1, flipped.c_str()) == kResErrDuplicate);
            require(directory.byteSize() == size && directory.find(type, unused) == nullptr);
        }
        if (table.entries.size() == kMaxFileEntries) break;
        const u16 id = tables->ids.empty() ? 0 : u16(tables->ids.back().id + 1);
        table.entries.push_back(FileEntry{});
        const u16 index = u16(table.entries.size());
        const char* name = "\x7f added \xff";
        const EngineErr err = directory.insert(type, id, index, name);
        if (err != kErrNone) {
            const bool named = std::any_of(tables->names.begin(), tables->names.end(),
                                           [&](const ResNameEntry& n) { return compareResNames(n.name, name) == 0; });
            require((err == kResErrTooLarge || (err == kResErrDuplicate && named)) && directory.byteSize() == size);
            table.entries.pop_back();
            continue;
        }
        const ResIdEntry* found = directory.find(type, id);
        require(found != nullptr && found->index == index);
    }
    // A type the file does not have: its tables come on top of the resource.
    const FourCC fresh = types.empty() ? fourCC("tNEW") : types.back() + 1;
    if (fresh != 0 && table.entries.size() < kMaxFileEntries) {
        const u32 size = directory.byteSize();
        table.entries.push_back(FileEntry{});
        const EngineErr err = directory.insert(fresh, 1, u16(table.entries.size()), nullptr);
        require(err == kErrNone || (err == kResErrTooLarge && directory.byteSize() == size));
        require((err == kErrNone) == (directory.find(fresh, 1) != nullptr));
        if (err != kErrNone) table.entries.pop_back();
    }
    rereadTables(contents.header, directory, table);
}

// Drops every resource in turn, as removing resources does, checking the tables after each of
// the first few drops; then renumbers the entries left, as compacting does.
void checkRemovals(const ArchiveContents& contents) {
    constexpr size_t kCheckedDrops = 8;
    ResDirectory directory = contents.directory;
    FileTable table = contents.fileTable;
    std::vector<u16> indexes = directory.referencedIndexes();
    std::vector<u16> keep;
    for (size_t i = 0; i < indexes.size(); ++i) {
        if (i % 2 == 1) {
            keep.push_back(indexes[i]);
            continue;
        }
        require(directory.removeIndex(indexes[i]) == kErrNone);
        require(directory.removeIndex(indexes[i]) != kErrNone);
        table.at(indexes[i]).flags = kResFlagFree;
        table.at(indexes[i]).link = table.freeHead;
        table.freeHead = indexes[i];
        if (i / 2 < kCheckedDrops) rereadTables(contents.header, directory, table);
    }
    // Compacting: the kept entries renumbered 1..n in their old order, no free entries left.
    std::sort(keep.begin(), keep.end());
    std::vector<u16> newIndex(table.entries.size() + 1, 0);
    FileTable compacted;
    for (u16 old : keep) {
        compacted.entries.push_back(table.at(old));
        newIndex[old] = u16(compacted.entries.size());
    }
    directory.renumber(newIndex);
    const ArchiveContents again = rereadTables(contents.header, directory, compacted);
    require(again.directory.referencedIndexes().size() == keep.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const u8> file(data, size);
    ArchiveContents contents;
    if (parseArchiveImage(file, &contents) != kErrNone) return 0;
    // The manager reads the header on its own before the tables; it must agree.
    ArchiveHeader header;
    require(parseArchiveHeader(file.first(kArchiveHeaderSize), u32(size), &header) == kErrNone);
    require(header.directoryOffset == contents.header.directoryOffset && header.fileLength == contents.header.fileLength);
    for (u16 index : contents.directory.referencedIndexes()) {
        const FileEntry& entry = contents.fileTable.at(index);
        require(entry.isFree() || entry.size == 0 || u64(entry.offset) + entry.size <= header.fileLength);
    }
    const std::vector<FourCC> types = typesInFile(file, header, 128);
    checkLookups(contents, types, types.size() != readBE16(data + header.directoryOffset + 2));
    rereadTables(contents.header, contents.directory, contents.fileTable);
    checkInsertions(contents, typesInFile(file, header, 16));
    checkRemovals(contents);
    return 0;
}
