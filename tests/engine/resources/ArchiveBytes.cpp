#include "ArchiveBytes.h"

namespace testres {

std::vector<u8> makeArchive(const std::vector<ResSpec>& resources) {
    std::vector<u8> file(kArchiveHeaderSize);
    ResDirectory directory;
    FileTable table;
    for (const ResSpec& r : resources) {
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

std::vector<u8> bytesOf(const std::string& text) { return std::vector<u8>(text.begin(), text.end()); }

}  // namespace testres
