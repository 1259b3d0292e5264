// Writes the fuzzer's seed corpus with our own archive writer: the empty archive, the
// one-text archive, and archives with several types, names and free entries.
#include <fstream>
#include <string>

#include "tests/engine/resources/format/ArchiveBytes.h"
#include "tests/FuzzSeeds.h"

namespace {

using fuzzseeds::save;

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    using testres::makeArchive;
    save(folder, "empty", testres::kEmptyArchive);
    save(folder, "one-text", testres::kOneTextArchive);
    save(folder, "named", makeArchive({{fourCC("tBMP"), 7, "pixels", "Picture"}, {fourCC("tTXT"), 1, "text", "Notes"}}));
    save(folder, "flags", makeArchive({{fourCC("tWAV"), 1, std::string(300, 'w'), nullptr, kResFlagPurgeable},
                                       {fourCC("tWAV"), 2, "", "_first", kResFlagProtected | kResFlagLoadAtOpen},
                                       {fourCC("aaaa"), 65535, "z", "Zed", kResFlagFixed}}));
    std::vector<u8> withFree = makeArchive({{fourCC("tTXT"), 1, "kept"}, {fourCC("tTXT"), 2, "dropped"}});
    ArchiveContents contents;
    parseArchiveImage(withFree, &contents);
    contents.directory.removeIndex(2);
    contents.fileTable.at(2).flags = kResFlagFree;
    contents.fileTable.freeHead = 2;
    const std::vector<u8> tables = serializeArchiveTables(contents.directory, contents.fileTable);
    ArchiveHeader header = contents.header;
    header.directorySize = u16(contents.directory.byteSize());
    header.fileTableSize = u16(contents.fileTable.byteSize());
    header.fileLength = header.directoryOffset + u32(tables.size());
    header.flags = kArchiveMayHoldHoles;
    withFree.resize(header.directoryOffset);
    withFree.insert(withFree.end(), tables.begin(), tables.end());
    writeArchiveHeader(header, withFree.data());
    save(folder, "free-entry", withFree);
    return 0;
}
