// Writes the fuzzer's seed corpus with our own archive writer: every entry flag, free lists,
// types added out of code order, names at the edges of their ordering and length, ids at both
// ends, empty and larger data, the tables before or after the data, holes and an unfinished
// tail, file tables from one entry to the most the format holds, and directories on both sides
// of their size limit.
#include <deque>
#include <string>
#include <vector>

#include "engine/base/ByteOrder.h"
#include "tests/FuzzSeeds.h"
#include "tests/engine/resources/format/ArchiveBytes.h"

namespace {

using fuzzseeds::save;
using testres::ArchiveLayout;
using testres::makeArchive;
using testres::ResContent;

// `count` resources spread over `types` type codes, every other one named.
std::vector<ResContent> many(size_t count, size_t types, size_t dataSize) {
    static const char* kNames[] = {"alpha", "Beta", "gamma", "Delta", "epsilon"};
    static std::deque<std::string> names;  // the resources point into it
    std::vector<ResContent> resources;
    for (size_t i = 0; i < count; ++i) {
        const FourCC type = fourCC("tR00") + u32(i % types);
        ResContent r{type, u16(1000 + i / types * 3), std::string(dataSize, char('a' + i % 26))};
        if (i % 2 == 0) {
            names.push_back(std::string(kNames[i % 5]) + std::to_string(i));
            r.name = names.back().c_str();
        }
        resources.push_back(r);
    }
    return resources;
}

// The most file-table entries the format holds, all free and chained, beside one live resource.
std::vector<ResContent> fullFileTable() {
    std::vector<ResContent> resources(kMaxFileEntries - 1, ResContent{0, 0, "", nullptr, kResFlagFree});
    resources.push_back({fourCC("tTXT"), 1, "last"});
    return resources;
}

// `types` type codes whose entries all point to one shared empty table: small in the file, but
// each written back with tables of its own, which is what the directory's size limit counts.
std::vector<u8> sharedEmptyTables(u16 types) {
    const u32 tablesStart = 4 + 8 * u32(types);
    std::vector<u8> directory(tablesStart + 2, 0);
    writeBE16(directory.data(), u16(tablesStart + 2));  // the pool, empty, after the shared table
    writeBE16(directory.data() + 2, types);
    for (u16 t = 0; t < types; ++t) {
        u8* entry = directory.data() + 4 + 8 * t;
        writeBE32(entry, fourCC("tA00") + t);
        writeBE16(entry + 4, u16(tablesStart));
        writeBE16(entry + 6, u16(tablesStart));
    }
    // The empty archive with this directory in place of its own.
    std::vector<u8> file = emptyArchiveImage();
    ArchiveHeader header;
    parseArchiveHeader(file, u32(file.size()), &header);
    const auto at = file.begin() + header.directoryOffset;
    file.insert(file.erase(at, at + header.directorySize), directory.begin(), directory.end());
    header.directorySize = u16(directory.size());
    header.fileLength = u32(file.size());
    writeArchiveHeader(header, file.data());
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string folder = argv[1];
    fuzzseeds::resetFolder(folder);
    save(folder, "empty", testres::kEmptyArchive);
    save(folder, "one-text", testres::kOneTextArchive);
    save(folder, "named", makeArchive({{fourCC("tBMP"), 7, "pixels", "Picture"}, {fourCC("tTXT"), 1, "text", "Notes"}}));
    save(folder, "flags", makeArchive({{fourCC("tWAV"), 1, std::string(300, 'w'), nullptr, kResFlagPurgeable},
                                       {fourCC("tWAV"), 2, "", "_first", kResFlagProtected | kResFlagLoadAtOpen},
                                       {fourCC("aaaa"), 65535, "z", "Zed", kResFlagFixed},
                                       {fourCC("tWAV"), 3, "all", "every flag",
                                        kResFlagProtected | kResFlagLoadAtOpen | kResFlagFixed | kResFlagPurgeable}}));
    save(folder, "free-entry", makeArchive({{fourCC("tTXT"), 1, "kept"}, {fourCC("tTXT"), 2, "dropped", nullptr, kResFlagFree}},
                                           ArchiveLayout{.flags = kArchiveMayHoldHoles}));
    save(folder, "free-chain", makeArchive({{0, 0, "gone", nullptr, kResFlagFree},
                                            {fourCC("tBMP"), 2, "kept", "Two"},
                                            {0, 0, std::string(40, 'x'), nullptr, kResFlagFree},
                                            {0, 0, "", nullptr, kResFlagFree},
                                            {fourCC("tBMP"), 1, "first", "One"}},
                                           ArchiveLayout{.gap = 3, .flags = kArchiveMayHoldHoles}));
    // Types first added in an order other than their codes', so table order and code order differ.
    save(folder, "type-order", makeArchive({{fourCC("zzzz"), 5, "a", "Zeta"},
                                            {fourCC("aaaa"), 9, "b"},
                                            {fourCC("mmmm"), 2, "c", "Mu"},
                                            {fourCC("aaaa"), 3, "d", "alpha"},
                                            {fourCC("zzzz"), 1, "e", "eta"}}));
    // Names in the pool in another order than sorted; case folded only for A-Z; bytes past 127
    // sorting after every letter; the empty name and the longest.
    save(folder, "names", makeArchive({{fourCC("tSND"), 1, "1", "banana"},
                                       {fourCC("tSND"), 2, "2", "Apple"},
                                       {fourCC("tSND"), 3, "3", "\xc9t\xe9"},
                                       {fourCC("tSND"), 4, "4", ""},
                                       {fourCC("tSND"), 5, "5", "[bracket]"},
                                       {fourCC("tSND"), 6, "6", std::string(kResMaxNameLength, 'N').c_str()},
                                       {fourCC("tSND"), 7, "7", "apples"}}));
    save(folder, "ids", makeArchive({{fourCC("tTXT"), 0, "zero"},
                                     {fourCC("tTXT"), 32767, "low"},
                                     {fourCC("tTXT"), 32768, "high"},
                                     {fourCC("tTXT"), 65535, "last"},
                                     {fourCC("tTXT"), 1, ""}}));
    save(folder, "tables-first", makeArchive({{fourCC("tPIX"), 1, "index", "Page"}, {fourCC("tBMP"), 1, std::string(64, '\0')}},
                                             ArchiveLayout{.tablesFirst = true}));
    save(folder, "unfinished-tail", makeArchive({{fourCC("tTXT"), 1, "abc"}}, ArchiveLayout{.tail = 17}));
    save(folder, "large-data", makeArchive({{fourCC("tBMP"), 1, std::string(40000, '\x55')}, {fourCC("tBMP"), 2, std::string(256, 1)}}));
    save(folder, "many-small", makeArchive(many(40, 4, 1)));
    save(folder, "many-named", makeArchive(many(600, 7, 0)));
    // Written back, 12 bytes a type: the most that fit in 65535 bytes, and one more.
    constexpr u16 kMostEmptyTypes = (kResDirectoryMaxSize - 4) / 12;
    save(folder, "shared-tables-most", sharedEmptyTables(kMostEmptyTypes));
    save(folder, "shared-tables-one-more", sharedEmptyTables(kMostEmptyTypes + 1));
    save(folder, "full-file-table", makeArchive(fullFileTable(), ArchiveLayout{.flags = kArchiveMayHoldHoles}));
    return 0;
}
