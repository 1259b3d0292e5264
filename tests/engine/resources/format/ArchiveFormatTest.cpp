#include "engine/resources/format/ArchiveFormat.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/engine/resources/format/ArchiveBytes.h"
#include "engine/base/ByteOrder.h"
#include "engine/files/OsServices.h"
#include "engine/resources/format/ResourceErrors.h"

namespace {

using testres::kEmptyArchive;
using testres::kOneTextArchive;
using testres::makeArchive;

ArchiveContents parsed(const std::vector<u8>& file) {
    ArchiveContents contents;
    EXPECT_EQ(parseArchiveImage(file, &contents), kErrNone);
    return contents;
}

EngineErr parseError(const std::vector<u8>& file) {
    ArchiveContents contents;
    return parseArchiveImage(file, &contents);
}

void patch16(std::vector<u8>& file, size_t at, u16 value) { writeBE16(file.data() + at, value); }
void patch32(std::vector<u8>& file, size_t at, u32 value) { writeBE32(file.data() + at, value); }

TEST(ArchiveWriter, EmptyArchiveIsThirtySixGoldenBytes) {
    EXPECT_EQ(emptyArchiveImage(), kEmptyArchive);
    const ArchiveContents contents = parsed(kEmptyArchive);
    EXPECT_TRUE(contents.directory.referencedIndexes().empty());
    EXPECT_TRUE(contents.fileTable.entries.empty());
}

TEST(ArchiveWriter, LaysOutTheOneTextArchiveByteForByte) {
    ResDirectory directory;
    ASSERT_EQ(directory.insert(fourCC("tTXT"), 1, 1, nullptr), kErrNone);
    FileTable table;
    table.entries.push_back(FileEntry{28, 3, 0, 0});
    ArchiveHeader header{57, 1, 65, 31, u16(directory.byteSize()), u16(table.byteSize())};
    std::vector<u8> file(kArchiveHeaderSize);
    writeArchiveHeader(header, file.data());
    file.insert(file.end(), {'a', 'b', 'c'});
    const std::vector<u8> tables = serializeArchiveTables(directory, table);
    file.insert(file.end(), tables.begin(), tables.end());
    EXPECT_EQ(file, kOneTextArchive);
}

TEST(ArchiveReader, ReadsTheOneTextArchive) {
    const ArchiveContents contents = parsed(kOneTextArchive);
    EXPECT_EQ(contents.header.flags, 1);
    EXPECT_EQ(contents.header.directoryOffset, 31u);
    const ResIdEntry* hit = contents.directory.find(fourCC("tTXT"), 1);
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->index, 1);
    EXPECT_EQ(contents.fileTable.at(1).offset, 28u);
    EXPECT_EQ(contents.fileTable.at(1).size, 3u);
    EXPECT_EQ(contents.directory.find(fourCC("tTXT"), 2), nullptr);
}

TEST(ArchiveReader, IgnoresTheInformationalLength) {
    std::vector<u8> file = kOneTextArchive;
    patch32(file, 4, 0xDEADBEEF);
    EXPECT_EQ(parseError(file), kErrNone);
}

TEST(ArchiveReader, RefusesDamagedHeaders) {
    EXPECT_EQ(parseError({kEmptyArchive.begin(), kEmptyArchive.begin() + 27}), kResErrNotResourceFile);
    std::vector<u8> file = kEmptyArchive;
    file[3] = 'X';
    EXPECT_EQ(parseError(file), kResErrNotResourceFile);
    file = kEmptyArchive;
    file[9] = 'r';
    EXPECT_EQ(parseError(file), kResErrNotResourceFile);
    file = kEmptyArchive;
    patch16(file, 12, 0x0001);  // 256 stored little-endian
    EXPECT_EQ(parseError(file), kResErrNotResourceFile);
}

TEST(ArchiveReader, AcceptsATailPastTheLengthFieldButNoShortfall) {
    struct Case {
        const char* what;
        size_t tail;       // bytes appended to the file
        u32 lengthField;   // the header's length
        EngineErr expected;
    };
    const u32 real = u32(kOneTextArchive.size());
    const Case cases[] = {
        {"length as the file", 0, real, kErrNone},
        {"one byte of tail", 1, real, kErrNone},
        {"a page of tail", 4096, real, kErrNone},
        {"field one past the file", 0, real + 1, kResErrNotResourceFile},
        {"field one short of the tables' end", 0, real - 1, kOsErrEndOfFile},
    };
    for (const Case& c : cases) {
        std::vector<u8> file = kOneTextArchive;
        file.resize(file.size() + c.tail, 0xEE);
        patch32(file, 16, c.lengthField);
        ArchiveContents contents;
        EXPECT_EQ(parseArchiveImage(file, &contents), c.expected) << c.what;
        if (c.expected == kErrNone) {
            EXPECT_EQ(contents.header.fileLength, real) << c.what;
        }
    }
}

TEST(ArchiveReader, RefusesDataRangesThatShareBytes) {
    // "aaaa" at 28, "bbbb" at 32, the tables at 36.
    const std::vector<u8> start = makeArchive({{fourCC("tTXT"), 1, "aaaa"}, {fourCC("tTXT"), 2, "bbbb"}});
    const ArchiveHeader header = parsed(start).header;
    const size_t second = header.directoryOffset + header.directorySize + kFileTableHeadSize + kFileEntrySize;
    struct Case {
        const char* what;
        u32 offset;  // of the second resource
        bool emptied;  // size 0: holds no bytes
        EngineErr expected;
    };
    const Case cases[] = {
        {"touching the first and the tables", 32, false, kErrNone},
        {"one byte into the first", 31, false, kResErrOverlappingData},
        {"the first's very bytes", 28, false, kResErrOverlappingData},
        {"one byte into the tables", 33, false, kResErrOverlappingData},
        {"empty, inside the first", 29, true, kErrNone},
    };
    for (const Case& c : cases) {
        std::vector<u8> file = start;
        patch32(file, second, c.offset);
        if (c.emptied) patch16(file, second + 4, 0);
        EXPECT_EQ(parseError(file), c.expected) << c.what;
    }
}

// One damage to the one-text archive: a 16- or 32-bit field, or one byte, set to a value.
struct Damage {
    const char* what;
    size_t at;
    int width;  // 1, 2 or 4 bytes
    u32 value;
};

void expectRefused(std::initializer_list<Damage> damages) {
    for (const Damage& d : damages) {
        std::vector<u8> file = kOneTextArchive;
        if (d.width == 4) patch32(file, d.at, d.value);
        if (d.width == 2) patch16(file, d.at, u16(d.value));
        if (d.width == 1) file[d.at] = u8(d.value);
        EXPECT_EQ(parseError(file), kResErrNotResourceFile) << d.what;
    }
}

constexpr size_t kDir = 31;
constexpr size_t kTable = 51;

TEST(ArchiveReader, RefusesTablesOutsideTheFile) {
    expectRefused({{"directory over the header", 20, 4, 4}});
}

// Tables that end past the archive would be read short: that read's file error, on both
// sides of the end.
TEST(ArchiveReader, GivesTheShortReadsErrorForTablesPastTheEnd) {
    const ArchiveHeader header = parsed(kOneTextArchive).header;
    struct Case {
        const char* what;
        size_t at;
        int width;
        u32 value;
        EngineErr expected;
    };
    const Case cases[] = {
        {"directory and file table one byte past the end", 20, 4, header.directoryOffset + 1, kOsErrEndOfFile},
        {"directory and file table far past the end", 20, 4, 0x7FFFFFFF, kOsErrEndOfFile},
        {"directory one byte longer", 24, 2, header.directorySize + 1u, kOsErrEndOfFile},
        {"file table one entry longer", 26, 2, header.fileTableSize + kFileEntrySize, kOsErrEndOfFile},
        {"file table one byte longer than its entries", 26, 2, header.fileTableSize + 1u, kOsErrEndOfFile},
        {"file table one entry shorter, ending inside", 26, 2, header.fileTableSize - kFileEntrySize,
         kResErrNotResourceFile},
    };
    for (const Case& c : cases) {
        std::vector<u8> file = kOneTextArchive;
        if (c.width == 4) patch32(file, c.at, c.value);
        if (c.width == 2) patch16(file, c.at, u16(c.value));
        EXPECT_EQ(parseError(file), c.expected) << c.what;
    }
}

TEST(ArchiveReader, RefusesDirectoryOffsetsOutsideTheDirectory) {
    expectRefused({{"name pool beyond the directory", kDir + 0, 2, 21},
                   {"more type entries than fit", kDir + 2, 2, 3},
                   {"id table running into the pool", kDir + 8, 2, 19},
                   {"id count beyond the tables", kDir + 12, 2, 2},
                   {"name table over the type entries", kDir + 10, 2, 2}});
}

TEST(ArchiveReader, RefusesIndexesAndDataRangesOutsideTheFileTable) {
    expectRefused({{"index beyond the entries", kDir + 16, 2, 2},
                   {"index 0", kDir + 16, 2, 0},
                   {"data running past the end", kTable + 4, 4, 63},
                   {"data inside the header", kTable + 4, 4, 10},
                   {"size bit 24: 16 MB in a 65-byte file", kTable + 11, 1, 0x01},
                   {"the directory points to a free entry", kTable + 11, 1, kResFlagFree},
                   {"free list starting at a live entry", kTable, 2, 1}});
}

TEST(ArchiveReader, RefusesNamesWithoutTheirEndInThePool) {
    std::vector<u8> file = makeArchive({{fourCC("tTXT"), 1, "x", "abc"}});
    const ArchiveHeader header = parsed(file).header;
    const size_t dir = header.directoryOffset;
    file[dir + header.directorySize - 1] = 'd';  // the name's NUL
    EXPECT_EQ(parseError(file), kResErrNotResourceFile);
    file = makeArchive({{fourCC("tTXT"), 1, "x", "abc"}});
    patch16(file, dir + 18, 4);  // name offset past the pool
    EXPECT_EQ(parseError(file), kResErrNotResourceFile);
}

// An empty directory over the file table.
std::vector<u8> archiveWithTable(const FileTable& table) {
    const std::vector<u8> tables = serializeArchiveTables(ResDirectory{}, table);
    ArchiveHeader header;
    header.directoryOffset = kArchiveHeaderSize;
    header.directorySize = u16(ResDirectory{}.byteSize());
    header.fileTableSize = u16(table.byteSize());
    header.fileLength = kArchiveHeaderSize + u32(tables.size());
    std::vector<u8> file(kArchiveHeaderSize);
    writeArchiveHeader(header, file.data());
    file.insert(file.end(), tables.begin(), tables.end());
    return file;
}

// An empty directory over a file table of free entries linked as given.
std::vector<u8> archiveWithFreeList(u16 head, const std::vector<u16>& links) {
    FileTable table;
    table.freeHead = head;
    for (u16 link : links) table.entries.push_back(FileEntry{0, 0, kResFlagFree, link});
    return archiveWithTable(table);
}

// Adding takes entries off the free list one after the other: a loop would hand out an
// entry that an earlier addition already took.
TEST(ArchiveReader, RefusesAFreeListThatLoops) {
    EXPECT_EQ(parseError(archiveWithFreeList(1, {2, 0})), kErrNone);
    EXPECT_EQ(parseError(archiveWithFreeList(1, {2, 1})), kResErrNotResourceFile);
    EXPECT_EQ(parseError(archiveWithFreeList(2, {0, 2})), kResErrNotResourceFile);
}

// A free entry off the list (2) linking to one on it (1): once an addition takes entry 1, the
// table written back still reads, where before the archive was lost with everything in it.
TEST(ArchiveReader, TableWrittenAfterAnAdditionReadsWithAFreeEntryOffTheList) {
    ArchiveContents contents = parsed(archiveWithFreeList(1, {0, 1}));
    contents.fileTable.freeHead = 0;
    contents.fileTable.at(1).flags = 0;
    EXPECT_EQ(parseError(archiveWithTable(contents.fileTable)), kErrNone);
    EXPECT_EQ(contents.fileTable.at(2).link, 0);
    FileTable throughLive;
    throughLive.freeHead = 1;
    throughLive.entries = {FileEntry{0, 0, kResFlagFree, 2}, FileEntry{}};
    EXPECT_EQ(parseError(archiveWithTable(throughLive)), kResErrNotResourceFile) << "a list reaching a live entry";
}

TEST(ArchiveReader, SurvivesEveryTruncationAndEveryByteFlip) {
    const std::vector<u8> good = makeArchive({{fourCC("tBMP"), 7, "pixels", "Picture"},
                                              {fourCC("tTXT"), 1, "text", "Notes"},
                                              {fourCC("tBMP"), 3, "more", nullptr}});
    for (size_t n = 0; n < good.size(); ++n) {
        EXPECT_EQ(parseError({good.begin(), good.begin() + n}), kResErrNotResourceFile) << n;
    }
    for (size_t at = 0; at < good.size(); ++at) {
        for (u8 flip : {0x01, 0x80, 0xFF}) {
            std::vector<u8> file = good;
            file[at] ^= flip;
            ArchiveContents contents;
            const EngineErr err = parseArchiveImage(file, &contents);
            EXPECT_TRUE(err == kErrNone || err == kResErrNotResourceFile || err == kOsErrEndOfFile ||
                        err == kResErrOverlappingData);
        }
    }
}

TEST(ArchiveReader, KeepsTheLargestSizeThroughTheFileTable) {
    FileTable table;
    table.entries.push_back(FileEntry{28, kResMaxSize, kResFlagPurgeable | kResFlagProtected, 0});
    std::vector<u8> bytes(table.byteSize());
    writeFileTable(table, bytes.data());
    EXPECT_EQ(bytes[4 + 7], kResFlagPurgeable | kResFlagProtected | 0x07);
    ResDirectory directory;
    ASSERT_EQ(directory.insert(fourCC("tWAV"), 1, 1, nullptr), kErrNone);
    ArchiveHeader header;
    header.directoryOffset = 28 + kResMaxSize;
    header.directorySize = u16(directory.byteSize());
    header.fileTableSize = u16(table.byteSize());
    header.fileLength = header.directoryOffset + header.directorySize + header.fileTableSize;
    std::vector<u8> tables = serializeArchiveTables(directory, table);
    ArchiveContents contents;
    ASSERT_EQ(parseArchiveTables(header, tables, &contents), kErrNone);
    EXPECT_EQ(contents.fileTable.at(1).size, kResMaxSize);
    EXPECT_EQ(contents.fileTable.at(1).flags, kResFlagPurgeable | kResFlagProtected);
}

TEST(ArchiveReader, RoundTripsTheLayoutOfAWrittenDirectory) {
    const std::vector<u8> file = makeArchive({{fourCC("zzzz"), 5, "a", "Zeta"},
                                              {fourCC("aaaa"), 2, "b", "alpha"},
                                              {fourCC("zzzz"), 1, "c", "_first"},
                                              {fourCC("aaaa"), 9, "d", nullptr}});
    const ArchiveContents contents = parsed(file);
    const std::vector<u8> again = serializeArchiveTables(contents.directory, contents.fileTable);
    const ArchiveHeader& h = contents.header;
    EXPECT_EQ(again, std::vector<u8>(file.begin() + h.directoryOffset, file.end()));
    // Type entries by code, tables in the order the types came.
    const u8* dir = file.data() + h.directoryOffset;
    EXPECT_EQ(readBE32(dir + 4), fourCC("aaaa"));
    EXPECT_GT(readBE16(dir + 4 + 4), readBE16(dir + 12 + 4));
}

// Every layout our writers leave reads back with each live resource's bytes where its entry
// says and the removed ones on the free list, newest first.
struct LayoutCase {
    const char* what;
    testres::ArchiveLayout layout;
};

class ArchiveLayouts : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ArchiveLayouts, ReadWithEveryResourceInPlace) {
    const std::vector<testres::ResContent> resources = {{fourCC("tTXT"), 1, "kept", "One"},
                                                        {0, 0, "gone", nullptr, kResFlagFree},
                                                        {fourCC("tBMP"), 2, "pixels"},
                                                        {0, 0, "", nullptr, kResFlagFree}};
    const std::vector<u8> file = makeArchive(resources, GetParam().layout);
    const ArchiveContents contents = parsed(file);
    ASSERT_EQ(contents.fileTable.entries.size(), resources.size()) << GetParam().what;
    for (u16 index = 1; index <= resources.size(); ++index) {
        const testres::ResContent& r = resources[index - 1u];
        const FileEntry& entry = contents.fileTable.at(index);
        EXPECT_EQ(entry.isFree(), (r.flags & kResFlagFree) != 0) << GetParam().what << " " << index;
        if (entry.isFree()) continue;
        const ResIdEntry* hit = contents.directory.find(r.type, r.id);
        ASSERT_NE(hit, nullptr) << GetParam().what << " " << index;
        EXPECT_EQ(hit->index, index);
        EXPECT_EQ(std::string(file.begin() + entry.offset, file.begin() + entry.offset + entry.size), r.data);
    }
    EXPECT_EQ(contents.fileTable.freeHead, 4);
    EXPECT_EQ(contents.fileTable.at(4).link, 2);
    EXPECT_EQ(contents.fileTable.at(2).link, 0);
    EXPECT_EQ(contents.header.flags, GetParam().layout.flags);
}

INSTANTIATE_TEST_SUITE_P(All, ArchiveLayouts, ::testing::Values(
    LayoutCase{"data then tables", {}},
    LayoutCase{"tables then data", {.tablesFirst = true}},
    LayoutCase{"holes between the data", {.gap = 5, .flags = kArchiveMayHoldHoles}},
    LayoutCase{"an unfinished tail", {.tail = 9}}));

}  // namespace
