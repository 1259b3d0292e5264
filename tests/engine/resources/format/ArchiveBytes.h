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

// Data of each resource in order after the header, then the directory and the file table.
inline std::vector<u8> makeArchive(const std::vector<ResContent>& resources) {
    std::vector<u8> file(kArchiveHeaderSize);
    ResDirectory directory;
    FileTable table;
    for (const ResContent& r : resources) {
        table.entries.push_back(FileEntry{u32(file.size()), u32(r.data.size()), r.flags, 0});
        file.insert(file.end(), r.data.begin(), r.data.end());
        directory.insert(r.type, r.id, u16(table.entries.size()), r.name);
    }
    ArchiveHeader header;
    header.directoryOffset = u32(file.size());
    header.directorySize = u16(directory.byteSize());
    header.fileTableSize = u16(table.byteSize());
    const std::vector<u8> tables = serializeArchiveTables(directory, table);
    file.insert(file.end(), tables.begin(), tables.end());
    header.fileLength = u32(file.size());
    header.infoLength = header.fileLength - 8;
    writeArchiveHeader(header, file.data());
    return file;
}

}  // namespace testres
