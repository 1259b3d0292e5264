#include "engine/resources/ResourceManager.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/engine/resources/format/ArchiveBytes.h"
#include "MemoryArchiveFile.h"
#include "engine/base/ByteOrder.h"
#include "engine/base/MemoryHandles.h"
#include "engine/files/OsServices.h"

namespace {

using namespace testres;

const FourCC kManagerText = fourCC("tTXT");
const FourCC kManagerPicture = fourCC("tBMP");

class ResourceManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(resInit(), kErrNone);
    }
    void TearDown() override {
        resShutdown();
        memShutdown();
    }

    std::shared_ptr<FileImage> image(std::vector<u8> bytes) {
        auto file = std::make_shared<FileImage>();
        file->bytes = std::move(bytes);
        return file;
    }
    ResMapHandle open(const std::shared_ptr<FileImage>& file, const std::string& name = "a.kvr", u16 readOnly = 0) {
        return resOpenArchive(std::make_unique<MemoryArchiveFile>(file, name), readOnly, 0);
    }
    std::shared_ptr<FileImage> created() {
        auto file = image({});
        MemoryArchiveFile writer(file, "new");
        EXPECT_EQ(resCreateArchive(writer), kErrNone);
        return file;
    }
    static std::string contentOf(ResourceRef ref) {
        std::string text(size_t(resGetResourceSize(ref)), '\0');
        u32 count = u32(text.size());
        EXPECT_EQ(resReadResource(ref, text.data(), &count, 0), kErrNone);
        return text;
    }
    static EngineErr write(ResourceRef ref, const std::string& text, u32 offset = kResAppend) {
        return resWriteResource(ref, text.data(), u32(text.size()), offset);
    }
    static ArchiveContents parsed(const std::vector<u8>& bytes) {
        ArchiveContents contents;
        EXPECT_EQ(parseArchiveImage(bytes, &contents), kErrNone);
        return contents;
    }
};

TEST_F(ResourceManagerTest, ReproducesTheOneTextArchiveFromOperations) {
    auto file = created();
    EXPECT_EQ(file->bytes, kEmptyArchive);
    const ResMapHandle map = open(file);
    ASSERT_NE(map, 0);
    const ResourceRef ref = resAddResource(kManagerText, 1, nullptr);
    ASSERT_NE(ref, 0u);
    EXPECT_EQ(resRefIndex(ref), 1);
    ASSERT_EQ(write(ref, "abc"), kErrNone);
    ASSERT_EQ(resUpdateFile(map), kErrNone);
    EXPECT_EQ(file->bytes, kOneTextArchive);
    EXPECT_EQ(resCloseFile(map, 0, 0), kErrNone);
    EXPECT_EQ(file->bytes, kOneTextArchive);
    EXPECT_TRUE(file->closed);
    EXPECT_EQ(file->locks, 0);
}

TEST_F(ResourceManagerTest, LaysOutNamedTypesInTheOrderTheyCame) {
    auto file = created();
    const ResMapHandle map = open(file);
    ASSERT_NE(resAddResource(kManagerText, 1, "Hello"), 0u);
    const ResourceRef picture = resAddResource(kManagerPicture, 2, "Pic");
    ASSERT_EQ(write(picture, "xy"), kErrNone);
    ASSERT_EQ(resUpdateFile(map), kErrNone);
    const std::vector<u8> expected = {
        'K', 'V', 'R', 'W', 0, 0, 0, 100, 'R', 'S', 'R', 'C', 1, 0, 0, 1,  //
        0, 0, 0, 108, 0, 0, 0, 30, 0, 54, 0, 24,                           //
        'x', 'y',                                                          // data at 28
        0, 44, 0, 2,                                                       // directory at 30
        't', 'B', 'M', 'P', 0, 32, 0, 38,                                  // by type code
        't', 'T', 'X', 'T', 0, 20, 0, 26,                                  //
        0, 1, 0, 1, 0, 1, 0, 1, 0, 0, 0, 1,                                // tTXT first: it came first
        0, 1, 0, 2, 0, 2, 0, 1, 0, 6, 0, 2,                                //
        'H', 'e', 'l', 'l', 'o', 0, 'P', 'i', 'c', 0,                      // name pool at 44
        0, 0, 0, 2,                                                        // file table at 84
        0, 0, 0, 28, 0, 0, 0, 0, 0, 0,                                     //
        0, 0, 0, 28, 0, 2, 0, 0, 0, 0,
    };
    EXPECT_EQ(file->bytes, expected);
}

TEST_F(ResourceManagerTest, ReopensWhatWasAddedWrittenAndRemoved) {
    auto file = created();
    ResMapHandle map = open(file);
    const ResourceRef keep = resAddResource(kManagerPicture, 7, "Sun");
    const ResourceRef drop = resAddResource(kManagerText, 2, "notes");
    ASSERT_EQ(write(keep, "sunshine"), kErrNone);
    ASSERT_EQ(write(drop, "gone soon"), kErrNone);
    ASSERT_EQ(write(keep, "SUN", 0), kErrNone);
    ASSERT_EQ(resRemoveResource(drop), kErrNone);
    ASSERT_EQ(resCloseFile(map, 0, 0), kErrNone);

    map = open(file);
    ASSERT_NE(map, 0);
    const ResourceRef again = resFindResource(kManagerPicture, 7, map);
    ASSERT_NE(again, 0u);
    EXPECT_EQ(contentOf(again), "SUNshine");
    EXPECT_EQ(resFindResource(kManagerText, 2, map), 0u);
    EXPECT_EQ(resGetLastError(), kResErrNotFound);
    const ArchiveContents contents = parsed(file->bytes);
    EXPECT_EQ(contents.directory.findType(kManagerPicture)->names[0].name, "Sun");
    EXPECT_EQ(contents.directory.findType(kManagerText), nullptr);
    EXPECT_EQ(contents.fileTable.freeHead, resRefIndex(drop));
}

TEST_F(ResourceManagerTest, CompactingMovesDataDownAndDropsFreeEntries) {
    auto file = image(makeArchive({{kManagerText, 1, "first"}, {kManagerText, 2, "second-second"}, {kManagerPicture, 3, "third"},
                                   {kManagerPicture, 4, "fourth", nullptr, kResFlagProtected}}));
    ResMapHandle map = open(file);
    ASSERT_EQ(resRemoveResource(resFindResource(kManagerText, 1, map)), kErrNone);
    ASSERT_EQ(resCloseFile(map, 1, 0), kErrNone);

    const ArchiveContents contents = parsed(file->bytes);
    ASSERT_EQ(contents.fileTable.entries.size(), 3u);
    EXPECT_EQ(contents.fileTable.freeHead, 0);
    EXPECT_EQ(contents.header.flags, 1);
    EXPECT_EQ(contents.fileTable.at(1).offset, 28u);
    EXPECT_EQ(contents.fileTable.at(2).offset, 28u + 13);
    // The protected resource stays where it was.
    EXPECT_EQ(contents.fileTable.at(3).offset, 28u + 5 + 13 + 5);
    const u32 dataEnd = contents.fileTable.at(3).offset + 6;
    EXPECT_EQ(contents.header.directoryOffset, dataEnd);
    EXPECT_EQ(contents.header.fileLength, u32(file->bytes.size()));
    EXPECT_EQ(dataEnd + contents.header.directorySize + contents.header.fileTableSize, file->bytes.size());

    map = open(file);
    EXPECT_EQ(contentOf(resFindResource(kManagerText, 2, map)), "second-second");
    EXPECT_EQ(contentOf(resFindResource(kManagerPicture, 3, map)), "third");
    EXPECT_EQ(contentOf(resFindResource(kManagerPicture, 4, map)), "fourth");
}

TEST_F(ResourceManagerTest, CompactingKeepsTheHeaderWhateverEmptyResourcesClaim) {
    std::vector<u8> bytes = kOneTextArchive;
    constexpr size_t entry = 51 + 4;
    writeBE32(bytes.data() + entry, 0);      // an empty resource "at" offset 0
    writeBE16(bytes.data() + entry + 4, 0);  // of size 0
    auto file = image(bytes);
    ASSERT_EQ(resGetResourceSize(resFindResource(kManagerText, 1, open(file))), 0);
    ASSERT_EQ(resCloseFile(resRefMap(resFindResource(kManagerText, 1, 0)), 1, 0), kErrNone);
    const ArchiveContents contents = parsed(file->bytes);
    EXPECT_EQ(contents.header.directoryOffset, 28u);
    EXPECT_EQ(contents.fileTable.at(1).offset, 28u);
}

TEST_F(ResourceManagerTest, AppendingToAResourceThatIsNotLastMovesItToTheEnd) {
    const std::string twenty(20, 'x');
    auto file = image(makeArchive({{kManagerText, 1, twenty}, {kManagerText, 2, "tail"}}));
    const ResMapHandle map = open(file);
    const ResourceRef ref = resFindResource(kManagerText, 1, map);
    ASSERT_EQ(write(ref, "0123456789"), kErrNone);
    ASSERT_EQ(resUpdateFile(map), kErrNone);
    const ArchiveContents contents = parsed(file->bytes);
    EXPECT_EQ(contents.header.flags, 1);
    const FileEntry moved = contents.fileTable.at(1);
    EXPECT_EQ(moved.size, 30u);
    EXPECT_GT(moved.offset, 28u + 20 + 4 - 1);
    EXPECT_EQ(std::string(file->bytes.begin() + moved.offset, file->bytes.begin() + moved.offset + 30),
              twenty + "0123456789");
    EXPECT_EQ(std::string(file->bytes.begin() + 28, file->bytes.begin() + 48), twenty);  // the hole
}

// A write that starts past a resource's end leaves the bytes between as zeros, wherever the
// resource's data lands: in place at the end of the data, over the directory's old place,
// or at the end of the file; before and after the bytes reach the file.
TEST_F(ResourceManagerTest, BytesSkippedByAWritePastTheEndReadAsZeros) {
    struct Case {
        const char* what;
        bool followed;       // another resource's data comes after it
        bool updatedFirst;   // the 1-byte resource was committed before the write
        u32 offset;
        std::string expected;
    };
    const Case cases[] = {
        {"over the directory, right at the end", false, true, 1, "xy"},
        {"over the directory, one byte skipped", false, true, 2, std::string("x\0y", 3)},
        {"over the directory, three skipped", false, true, 4, std::string("x\0\0\0y", 5)},
        {"over a directory never written, three skipped", false, false, 4, std::string("x\0\0\0y", 5)},
        {"moved to the end, three skipped", true, true, 4, std::string("x\0\0\0y", 5)},
    };
    for (const Case& c : cases) {
        auto file = created();
        ResMapHandle map = open(file);
        const ResourceRef ref = resAddResource(kManagerText, 1, nullptr);
        ASSERT_EQ(write(ref, "x"), kErrNone) << c.what;
        if (c.followed) {
            ASSERT_EQ(write(resAddResource(kManagerText, 2, nullptr), "after"), kErrNone) << c.what;
        }
        if (c.updatedFirst) {
            ASSERT_EQ(resUpdateFile(map), kErrNone) << c.what;
        }
        ASSERT_EQ(write(ref, "y", c.offset), kErrNone) << c.what;
        EXPECT_EQ(contentOf(ref), c.expected) << c.what;
        ASSERT_EQ(resCloseFile(map, 0, 0), kErrNone) << c.what;
        map = open(file);
        EXPECT_EQ(contentOf(resFindResource(kManagerText, 1, map)), c.expected) << c.what << ", reopened";
        ASSERT_EQ(resCloseFile(map, 0, 0), kErrNone) << c.what;
    }
}

TEST_F(ResourceManagerTest, NewerArchivesWinUntilAnOlderOneIsMadeCurrent) {
    const ResMapHandle system = open(image(makeArchive({{kManagerText, 1, "system"}, {kManagerText, 9, "only here"}})), "system");
    const ResMapHandle content = open(image(makeArchive({{kManagerText, 1, "content"}})), "content");
    EXPECT_EQ(resRefMap(resFindResource(kManagerText, 1, 0)), content);
    EXPECT_EQ(contentOf(resFindResource(kManagerText, 9, 0)), "only here");
    EXPECT_EQ(resUseFile(system), content);
    EXPECT_EQ(contentOf(resFindResource(kManagerText, 1, 0)), "system");
    EXPECT_EQ(resUseFile(0), system);
    EXPECT_EQ(contentOf(resFindResource(kManagerText, 1, 0)), "content");
    EXPECT_EQ(resFindResource(kManagerText, 1, 0x7777), 0u);
    EXPECT_EQ(resGetLastError(), kResErrBadMap);
}

TEST_F(ResourceManagerTest, OpeningTheSameFileTwiceSharesTheArchive) {
    auto file = image(makeArchive({{kManagerText, 1, "x"}}));
    const ResMapHandle first = open(file, "same");
    EXPECT_EQ(open(file, "same"), first);
    EXPECT_EQ(resCloseFile(first, 0, 0), kErrNone);
    EXPECT_NE(resFindResource(kManagerText, 1, first), 0u);
    EXPECT_EQ(resCloseFile(first, 0, 0), kErrNone);
    EXPECT_EQ(resFindResource(kManagerText, 1, first), 0u);
    EXPECT_EQ(resGetLastError(), kResErrBadMap);
}

TEST_F(ResourceManagerTest, RefusesADamagedArchive) {
    struct Case {
        const char* what;
        size_t at;  // counted from the file's start, or from its end when fromEnd
        bool fromEnd;
        u8 value;
        EngineErr expected;
    };
    const Case cases[] = {
        {"data offset far beyond the file", 6, true, 0x40, kResErrNotResourceFile},
        // The low byte of the file table's size: the table runs past the end, a short read.
        {"file table past the end", 27, false, 0xFF, kOsErrEndOfFile},
    };
    for (const Case& c : cases) {
        std::vector<u8> bytes = makeArchive({{kManagerText, 1, "x"}});
        bytes[c.fromEnd ? bytes.size() - c.at : c.at] = c.value;
        auto file = image(bytes);
        EXPECT_EQ(open(file), 0) << c.what;
        EXPECT_EQ(resGetLastError(), c.expected) << c.what;
        EXPECT_TRUE(file->closed) << c.what;
    }
}

TEST_F(ResourceManagerTest, CountsLocksUpTo255) {
    const ResMapHandle map = open(image(makeArchive({{kManagerText, 1, "locked"}})));
    const ResourceRef ref = resFindResource(kManagerText, 1, map);
    for (int i = 0; i < 255; ++i) ASSERT_NE(resLoadResource(ref, 1), 0);
    EXPECT_EQ(resLoadResource(ref, 1), 0);
    EXPECT_EQ(resGetLastError(), kResErrLocked);
    EXPECT_EQ(resRemoveResource(ref), kResErrLocked);
    for (int i = 0; i < 255; ++i) ASSERT_EQ(resReleaseResource(ref, 1), kErrNone);
    EXPECT_EQ(resGetResourceHandle(ref), 0);
    EXPECT_EQ(resReleaseResource(ref, 1), kResErrNotLocked);
}

TEST_F(ResourceManagerTest, LoadedDataBelongsToTheManagerUntilTaken) {
    const ResMapHandle map = open(image(makeArchive({{kManagerText, 1, "payload"}})));
    const ResourceRef ref = resFindResource(kManagerText, 1, map);
    const memHandle data = resLoadResource(ref, 0);
    ASSERT_NE(data, 0);
    EXPECT_EQ(std::memcmp(memDerefHandle(data), "payload", 7), 0);
    EXPECT_EQ(memFreeHandle(data), kMemErrResourceOwned);
    EXPECT_EQ(resGetResourceData(ref, 0), data);
    EXPECT_EQ(resGetResourceHandle(ref), 0);
    EXPECT_EQ(memFreeHandle(data), kErrNone);
    EXPECT_EQ(resGetResourceData(ref, 0), 0);
}

TEST_F(ResourceManagerTest, LoadingAnEmptyResourceKeepsTheHandleInTheManager) {
    const ResMapHandle map = open(image(makeArchive({{kManagerText, 1, ""}})));
    const ResourceRef ref = resFindResource(kManagerText, 1, map);
    const memHandle data = resLoadResource(ref, 0);
    ASSERT_NE(data, 0);
    EXPECT_EQ(resGetResourceHandle(ref), data);
    EXPECT_EQ(resLoadResource(ref, 0), data);
    ASSERT_EQ(resReleaseResource(ref, 0), kErrNone);
    EXPECT_FALSE(memIsHandleValid(data));
}

TEST_F(ResourceManagerTest, ReleasingAChangedResourceWritesItBack) {
    auto file = image(makeArchive({{kManagerText, 1, "before"}}));
    ResMapHandle map = open(file);
    const ResourceRef ref = resFindResource(kManagerText, 1, map);
    const memHandle data = resLoadResource(ref, 0);
    ASSERT_EQ(memResizeHandle(data, 5), kErrNone);
    std::memcpy(memDerefHandle(data), "after", 5);
    ASSERT_EQ(resSetResourceAttr(ref, 1), 0);
    ASSERT_EQ(resReleaseResource(ref, 0), kErrNone);
    EXPECT_EQ(contentOf(ref), "after");
    // Already on disk, directory included, before any update.
    const FileEntry onDisk = parsed(file->bytes).fileTable.at(1);
    EXPECT_EQ(std::string(file->bytes.begin() + onDisk.offset, file->bytes.begin() + onDisk.offset + onDisk.size), "after");
    ASSERT_EQ(resCloseFile(map, 0, 0), kErrNone);
    map = open(file);
    EXPECT_EQ(contentOf(resFindResource(kManagerText, 1, map)), "after");
}

TEST_F(ResourceManagerTest, AReleaseThatCannotWriteBackKeepsTheChange) {
    auto file = image(makeArchive({{kManagerText, 1, "before"}}));
    const ResMapHandle map = open(file);
    const ResourceRef ref = resFindResource(kManagerText, 1, map);
    const memHandle data = resLoadResource(ref, 0);
    std::memcpy(memDerefHandle(data), "AFTER!", 6);
    ASSERT_EQ(resSetResourceAttr(ref, 1), 0);
    file->writesLeft = 0;
    EXPECT_EQ(resReleaseResource(ref, 0), kFakeWriteFault);
    EXPECT_EQ(resGetResourceHandle(ref), data);
    file->writesLeft = -1;
    ASSERT_EQ(resCloseFile(map, 0, 0), kErrNone);
    EXPECT_EQ(contentOf(resFindResource(kManagerText, 1, open(file))), "AFTER!");
}

TEST_F(ResourceManagerTest, UpdateWritesChangedHandlesAndShrinksThem) {
    auto file = image(makeArchive({{kManagerText, 1, "long original"}}));
    ResMapHandle map = open(file);
    const ResourceRef ref = resFindResource(kManagerText, 1, map);
    const memHandle data = resLoadResource(ref, 1);
    ASSERT_EQ(resSetResourceAttr(ref, 1), 0);
    ASSERT_EQ(resReleaseResource(ref, 1), kErrNone);  // written back as it goes
    const memHandle again = resLoadResource(ref, 1);
    ASSERT_NE(again, 0);
    (void)data;
    ASSERT_EQ(resReleaseResource(ref, 1), kErrNone);
    const memHandle fresh = memAllocHandle(5);
    std::memcpy(memDerefHandle(fresh), "short", 5);
    EXPECT_EQ(resGetResourceData(ref, fresh), 0);
    ASSERT_EQ(resSetResourceAttr(ref, 1), 0);
    ASSERT_EQ(resUpdateFile(map), kErrNone);
    EXPECT_EQ(resSetResourceAttr(ref, 0), 0);
    ASSERT_EQ(resCloseFile(map, 0, 0), kErrNone);
    EXPECT_EQ(contentOf(resFindResource(kManagerText, 1, open(file))), "short");
}

TEST_F(ResourceManagerTest, ReadingPastTheEndDeliversWhatRemains) {
    const ResMapHandle map = open(image(makeArchive({{kManagerText, 1, std::string(120, 'r')}})));
    const ResourceRef ref = resFindResource(kManagerText, 1, map);
    char buffer[100];
    u32 count = 100;
    EXPECT_EQ(resReadResource(ref, buffer, &count, 90), kResErrBeyondEnd);
    EXPECT_EQ(count, 30u);
    count = 10;
    EXPECT_EQ(resReadResource(ref, buffer, &count, 200), kResErrBeyondEnd);
    EXPECT_EQ(count, 0u);
    ASSERT_NE(resLoadResource(ref, 0), 0);
    count = 100;
    EXPECT_EQ(resReadResource(ref, buffer, &count, 90), kResErrBeyondEnd);
    EXPECT_EQ(count, 30u);
}

TEST_F(ResourceManagerTest, ReadOnlyArchivesRefuseChanges) {
    auto file = image(makeArchive({{kManagerText, 1, "fixed"}}));
    const ResMapHandle map = open(file, "ro", 1);
    const ResourceRef ref = resFindResource(kManagerText, 1, map);
    EXPECT_EQ(resAddResource(kManagerText, 2, nullptr), 0u);
    EXPECT_EQ(resGetLastError(), kResErrReadOnly);
    EXPECT_EQ(write(ref, "x"), kResErrReadOnly);
    EXPECT_EQ(resRemoveResource(ref), kResErrReadOnly);
    EXPECT_EQ(resSetResourceAttr(ref, 1), -1);
    EXPECT_EQ(resGetLastError(), kResErrReadOnly);
    EXPECT_EQ(resSetResourceFlag(ref, 1), 0);  // allowed
    const std::vector<u8> before = file->bytes;
    EXPECT_EQ(resCloseFile(map, 1, 0), kErrNone);
    EXPECT_EQ(file->bytes, before);
}

TEST_F(ResourceManagerTest, ProtectedAndFixedResourcesRefuseChanges) {
    const ResMapHandle map =
        open(image(makeArchive({{kManagerText, 1, "p", nullptr, kResFlagProtected}, {kManagerText, 2, "f", nullptr, kResFlagFixed}})));
    const ResourceRef guarded = resFindResource(kManagerText, 1, map);
    const ResourceRef fixed = resFindResource(kManagerText, 2, map);
    EXPECT_EQ(write(guarded, "x"), kResErrProtected);
    EXPECT_EQ(resRemoveResource(guarded), kResErrProtected);
    EXPECT_EQ(resGetResourceData(guarded, 0), kResRefused);
    EXPECT_EQ(resSetResourceProtected(guarded, 0), 1);
    EXPECT_EQ(write(guarded, "x"), kErrNone);
    EXPECT_EQ(write(fixed, "x"), kResErrFixed);
    EXPECT_EQ(resSetResourceFlag(fixed, 1), kResRefused);
    EXPECT_EQ(resSetResourceProtected(fixed, 1), kResRefused);
    EXPECT_EQ(resGetLastError(), kResErrFixed);
}

TEST_F(ResourceManagerTest, AUsedIdLeavesTheTakenEntryFree) {
    auto file = created();
    const ResMapHandle map = open(file);
    ASSERT_NE(resAddResource(kManagerText, 5, "five"), 0u);
    EXPECT_EQ(resAddResource(kManagerText, 5, nullptr), 0u);
    EXPECT_EQ(resGetLastError(), kResErrDuplicate);
    EXPECT_EQ(resAddResource(kManagerText, 6, "FIVE"), 0u);
    const ResourceRef reused = resAddResource(kManagerText, 6, nullptr);
    EXPECT_EQ(resRefIndex(reused), 2);
    ASSERT_EQ(resCloseFile(map, 0, 0), kErrNone);
    EXPECT_EQ(parsed(file->bytes).fileTable.entries.size(), 2u);
}

TEST_F(ResourceManagerTest, HoldsAtMost6546Entries) {
    auto file = created();
    const ResMapHandle map = open(file);
    for (u32 id = 1; id <= 6546; ++id) ASSERT_NE(resAddResource(kManagerText, u16(id), nullptr), 0u) << id;
    EXPECT_EQ(resAddResource(kManagerText, 6547, nullptr), 0u);
    EXPECT_EQ(resGetLastError(), kResErrTooLarge);
    ASSERT_EQ(resRemoveResource(resFindResource(kManagerText, 5, map)), kErrNone);
    EXPECT_EQ(resRefIndex(resAddResource(kManagerText, 6547, nullptr)), 5);
    ASSERT_EQ(resCloseFile(map, 0, 0), kErrNone);
    EXPECT_EQ(parsed(file->bytes).fileTable.entries.size(), 6546u);
}

TEST_F(ResourceManagerTest, ADirectoryThatWouldPass65535BytesRefusesTheAddition) {
    auto file = created();
    const ResMapHandle map = open(file);
    const std::string name(31, 'n');
    u16 id = 1;
    // Each named resource takes 4 + 4 + 32 bytes of directory.
    while (resAddResource(kManagerText, id, (name + std::to_string(id)).c_str()) != 0) ++id;
    EXPECT_EQ(resGetLastError(), kResErrDuplicate);  // names are cut to 31 characters
    EXPECT_EQ(id, 2);
    for (; resAddResource(kManagerPicture, id, (std::to_string(id) + name).c_str()) != 0; ++id) {}
    EXPECT_EQ(resGetLastError(), kResErrTooLarge);
    ASSERT_EQ(resCloseFile(map, 0, 0), kErrNone);
    const ArchiveContents contents = parsed(file->bytes);
    EXPECT_LE(contents.header.directorySize, 65535);
    EXPECT_GT(contents.header.directorySize + 40, 65535);
    EXPECT_EQ(contents.fileTable.freeHead, id);  // the refused addition's entry
}

TEST_F(ResourceManagerTest, RefusesSizesOf2To27Bytes) {
    const ResMapHandle map = open(image(makeArchive({{kManagerText, 1, "x"}})));
    const ResourceRef ref = resFindResource(kManagerText, 1, map);
    EXPECT_EQ(resWriteResource(ref, nullptr, 0, 1u << 27), kResErrSizeOrIndex);
    EXPECT_EQ(resGetResourceSize(ref), 1);
}

TEST_F(ResourceManagerTest, AnOffsetNear4GiBIsRefusedAndTouchesNothing) {
    auto file = image(makeArchive({{kManagerText, 1, "0123456789abcdef"}}));
    const ResMapHandle map = open(file);
    const ResourceRef ref = resFindResource(kManagerText, 1, map);
    const std::vector<u8> before = file->bytes;
    // offset + count passes 2^32: the end must not wrap round to the header.
    EXPECT_EQ(write(ref, std::string(32, '!'), 0xFFFFFFF0u), kResErrSizeOrIndex);
    EXPECT_EQ(file->bytes, before);
    EXPECT_EQ(resGetResourceSize(ref), 16);
    ASSERT_EQ(resCloseFile(map, 1, 0), kErrNone);
    EXPECT_EQ(contentOf(resFindResource(kManagerText, 1, open(file))), "0123456789abcdef");
}

TEST_F(ResourceManagerTest, EnumeratesInIdOrderUntilTheCallbackStops) {
    const ResMapHandle map = open(image(makeArchive({{kManagerText, 9, "a"}, {kManagerText, 2, "b"}, {kManagerText, 5, "c"}})));
    std::vector<u16> seen;
    auto collect = [](const u16* entry, void* context) -> u16 {
        auto* ids = static_cast<std::vector<u16>*>(context);
        ids->push_back(entry[0]);
        return ids->size() == 2 ? 1 : 0;
    };
    EXPECT_EQ(resEnumResources(map, kManagerText, collect, &seen), kErrNone);
    EXPECT_EQ(seen, (std::vector<u16>{2, 5}));
    EXPECT_EQ(resEnumResources(map, kManagerPicture, collect, &seen), kErrNone);
    EXPECT_EQ(seen.size(), 2u);
}

TEST_F(ResourceManagerTest, AnArchiveIsNotClosedUnderItsOwnEnumeration) {
    static ResMapHandle map;
    static EngineErr closing;
    map = open(image(makeArchive({{kManagerText, 9, "a"}, {kManagerText, 2, "b"}})));
    closing = kErrNone;
    auto closeIt = [](const u16*, void*) -> u16 {
        closing = resCloseFile(map, 0, 1);
        return 0;
    };
    EXPECT_EQ(resEnumResources(map, kManagerText, closeIt, nullptr), kErrNone);
    EXPECT_EQ(closing, kResErrLocked);
    EXPECT_EQ(contentOf(resFindResource(kManagerText, 9, map)), "a");
    EXPECT_EQ(resCloseFile(map, 0, 0), kErrNone);
}

TEST_F(ResourceManagerTest, PurgingWritesChangedDataBackFirst) {
    auto file = image(makeArchive({{kManagerText, 1, "purge me"}}));
    const ResMapHandle map = open(file);
    const ResourceRef ref = resFindResource(kManagerText, 1, map);
    ASSERT_EQ(resSetResourceFlag(ref, 1), 0);
    const memHandle data = resLoadResource(ref, 0);
    std::memcpy(memDerefHandle(data), "PURGE ME", 8);
    ASSERT_EQ(resSetResourceAttr(ref, 1), 0);
    memPurgeSpace(1u << 30, 1);  // a caller that does not allow writing
    EXPECT_EQ(resGetResourceHandle(ref), data);
    memPurgeSpace(1u << 30, 0);
    EXPECT_EQ(resGetResourceHandle(ref), 0);
    EXPECT_EQ(resLoadResource(ref, 0), data);  // the emptied handle is reused
    EXPECT_EQ(std::memcmp(memDerefHandle(data), "PURGE ME", 8), 0);
    ASSERT_EQ(resCloseFile(map, 0, 0), kErrNone);
    EXPECT_EQ(contentOf(resFindResource(kManagerText, 1, open(file))), "PURGE ME");
}

}  // namespace
