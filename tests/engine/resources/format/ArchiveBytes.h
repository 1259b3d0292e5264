#pragma once
// Builds archive images for tests from a short description, through the format writer,
// and holds the golden images every writer must reproduce.
#include <string>
#include <vector>

#include "engine/resources/format/ArchiveFormat.h"

namespace testres {

struct ResContent {
    FourCC type;
    u16 id;
    std::string data;
    const char* name = nullptr;
    u8 flags = 0;
};

// A new archive with no resources.
inline const std::vector<u8> kEmptyArchive = {
    'K', 'V', 'R', 'W', 0, 0, 0, 116, 'R', 'S', 'R', 'C', 1, 0, 0, 0,  //
    0,   0,   0,   36,  0, 0, 0, 28,  0,   4,   0,   4,                 //
    0,   4,   0,   0,                                                  // directory
    0,   0,   0,   0,                                                  // file table
};

// A new archive holding "tTXT" 1 with the bytes abc, written at the end and updated.
inline const std::vector<u8> kOneTextArchive = {
    'K', 'V', 'R', 'W', 0,   0,   0, 57, 'R', 'S', 'R', 'C', 1, 0, 0, 1,  //
    0,   0,   0,   65,  0,   0,   0, 31, 0,   20,  0,   14,               //
    'a', 'b', 'c',                                                        // data at 28
    0,   20,  0,   1,                                                     // directory at 31
    't', 'T', 'X', 'T', 0,   12,  0, 18,                                  //
    0,   1,   0,   1,   0,   1,                                           // ids at 12
    0,   0,                                                               // names at 18
    0,   0,   0,   1,                                                     // file table at 51
    0,   0,   0,   28,  0,   3,   0, 0,  0,   0,
};

// Where makeArchive puts things beyond its plain layout.
struct ArchiveLayout {
    u32 gap = 0;               // unused bytes after each resource's data
    bool tablesFirst = false;  // the directory and file table before the data, not after it
    u32 tail = 0;              // bytes past the length field, as an unfinished write leaves them
    u16 flags = 0;             // header flags
};

// Data of each resource in order after the header, then the directory and the file table.
// A resource flagged kResFlagFree stands for one that was removed: its data stays as a hole,
// its entry joins the free list and the directory does not name it.
inline std::vector<u8> makeArchive(const std::vector<ResContent>& resources, const ArchiveLayout& layout = {}) {
    ResDirectory directory;
    FileTable table;
    for (const ResContent& r : resources) {
        table.entries.push_back(FileEntry{0, u32(r.data.size()), r.flags, 0});
        const u16 index = u16(table.entries.size());
        if (table.entries.back().isFree()) {
            table.entries.back().link = table.freeHead;
            table.freeHead = index;
        } else {
            directory.insert(r.type, r.id, index, r.name);
        }
    }
    const u32 tablesSize = directory.byteSize() + table.byteSize();
    std::vector<u8> file(kArchiveHeaderSize);
    if (layout.tablesFirst) file.insert(file.end(), tablesSize, 0);
    for (size_t i = 0; i < resources.size(); ++i) {
        table.entries[i].offset = u32(file.size());
        file.insert(file.end(), resources[i].data.begin(), resources[i].data.end());
        file.insert(file.end(), layout.gap, 0);
    }
    ArchiveHeader header;
    header.flags = layout.flags;
    header.directoryOffset = layout.tablesFirst ? kArchiveHeaderSize : u32(file.size());
    header.directorySize = u16(directory.byteSize());
    header.fileTableSize = u16(table.byteSize());
    if (!layout.tablesFirst) file.resize(file.size() + tablesSize);
    directory.serialize(file.data() + header.directoryOffset);
    writeFileTable(table, file.data() + header.directoryOffset + header.directorySize);
    header.fileLength = u32(file.size());
    header.infoLength = header.fileLength - 8;
    writeArchiveHeader(header, file.data());
    file.insert(file.end(), layout.tail, 0xEE);
    return file;
}

}  // namespace testres
