#include <gtest/gtest.h>

#include <filesystem>

#include "tests/engine/resources/format/ArchiveBytes.h"
#include "engine/base/MemoryHandles.h"
#include "engine/resources/ResourceManager.h"
#include "tests/engine/files/OsTestSupport.h"

namespace {

using testres::kEmptyArchive;
using testres::kOneTextArchive;

class ResourceFileTest : public OsFixture {
protected:
    explicit ResourceFileTest(plat::DriveType type = plat::DriveType::Fixed) : OsFixture(type, "WORK", "ext4") {}
    void SetUp() override {
        OsFixture::SetUp();
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(resInit(), kErrNone);
    }
    void TearDown() override {
        resShutdown();
        memShutdown();
        OsFixture::TearDown();
    }
    std::string bytesOf(const std::vector<u8>& bytes) { return std::string(bytes.begin(), bytes.end()); }
};

TEST_F(ResourceFileTest, CreatesTheOneTextArchiveOnDisk) {
    TestPath path("T:\\picture.tbx");
    ASSERT_EQ(resCreateFile(&path), kErrNone);
    EXPECT_EQ(read("picture.tbx"), bytesOf(kEmptyArchive));
    EXPECT_EQ(resCreateFile(&path), kOsErrExists);
    EXPECT_EQ(read("picture.tbx"), bytesOf(kEmptyArchive));

    const ResMapHandle map = resOpenFile(&path, 0, 0);
    ASSERT_NE(map, 0);
    const ResourceRef ref = resAddResource(fourCC("tTXT"), 1, nullptr);
    ASSERT_EQ(resWriteResource(ref, "abc", 3, kResAppend), kErrNone);
    ASSERT_EQ(resCloseFile(map, 0, 0), kErrNone);
    EXPECT_EQ(read("picture.tbx"), bytesOf(kOneTextArchive));
}

TEST_F(ResourceFileTest, OpeningAnOpenPathSharesItsArchive) {
    put("a.kvr", bytesOf(kOneTextArchive));
    TestPath path("T:\\a.kvr");
    TestPath samePath("T:\\A.KVR");
    const ResMapHandle map = resOpenFile(&path, 0, 0);
    ASSERT_NE(map, 0);
    EXPECT_EQ(resOpenFile(&samePath, 1, 1), map);
    EXPECT_EQ(resCloseFile(map, 0, 0), kErrNone);
    char text[3];
    u32 count = 3;
    EXPECT_EQ(resReadResource(resFindResource(fourCC("tTXT"), 1, map), text, &count, 0), kErrNone);
    EXPECT_EQ(std::string(text, 3), "abc");
    EXPECT_EQ(resCloseFile(map, 0, 0), kErrNone);
}

TEST_F(ResourceFileTest, RefusesAFileThatIsNoArchive) {
    put("notes.txt", "just some text, long enough to hold a header");
    TestPath path("T:\\notes.txt");
    EXPECT_EQ(resOpenFile(&path, 1, 1), 0);
    EXPECT_EQ(resGetLastError(), kResErrNotResourceFile);
}

TEST_F(ResourceFileTest, WritersRemoveAStaleReplacementBesideTheArchive) {
    struct Case {
        const char* what;
        u16 readOnly;
        bool remains;
    };
    const Case cases[] = {
        {"opened for writing", 0, false},
        {"opened read-only: it may belong to a writer", 1, true},
    };
    for (const Case& c : cases) {
        put("a.kvr", bytesOf(kOneTextArchive));
        put("a.kvr.~tumblo.tmp", "half a compacted archive");
        TestPath path("T:\\a.kvr");
        const ResMapHandle map = resOpenFile(&path, c.readOnly, 1);
        ASSERT_NE(map, 0) << c.what;
        EXPECT_EQ(std::filesystem::exists(plat::driveHostRoot('T') + "/a.kvr.~tumblo.tmp"), c.remains) << c.what;
        EXPECT_EQ(resCloseFile(map, 0, 0), kErrNone) << c.what;
        EXPECT_EQ(read("a.kvr"), bytesOf(kOneTextArchive)) << c.what;
    }
}

TEST_F(ResourceFileTest, CreatingWritesTheWholeArchiveBeforeItHasItsName) {
    put("new.kvr.~tumblo.tmp", "left by a creation that was stopped");
    TestPath path("T:\\new.kvr");
    ASSERT_EQ(resCreateFile(&path), kErrNone);
    EXPECT_EQ(read("new.kvr"), bytesOf(kEmptyArchive));
    EXPECT_FALSE(std::filesystem::exists(plat::driveHostRoot('T') + "/new.kvr.~tumblo.tmp"));
}

// Compaction writes the archive anew beside the open one and moves it over while it stays
// open: the archive goes on reading the new file.
TEST_F(ResourceFileTest, CompactingReplacesTheOpenFile) {
    TestPath path("T:\\c.kvr");
    ASSERT_EQ(resCreateFile(&path), kErrNone);
    ResMapHandle map = resOpenFile(&path, 0, 0);
    ASSERT_NE(map, 0);
    for (u16 id : {1, 2, 3}) {
        const std::string text(100, char('a' + id));
        ASSERT_EQ(resWriteResource(resAddResource(fourCC("tTXT"), id, nullptr), text.data(), 100, kResAppend), kErrNone);
    }
    ASSERT_EQ(resUpdateFile(map), kErrNone);
    ASSERT_EQ(resRemoveResource(resFindResource(fourCC("tTXT"), 1, map)), kErrNone);
    ASSERT_EQ(resCloseFile(map, 1, 0), kErrNone);
    const std::string compacted = read("c.kvr");
    EXPECT_EQ(compacted.substr(28, 200), std::string(100, 'c') + std::string(100, 'd'));
    EXPECT_FALSE(std::filesystem::exists(plat::driveHostRoot('T') + "/c.kvr.~tumblo.tmp"));
    map = resOpenFile(&path, 0, 0);
    ASSERT_NE(map, 0);
    const ResourceRef ref = resFindResource(fourCC("tTXT"), 3, map);
    char text[100];
    u32 count = 100;
    ASSERT_EQ(resReadResource(ref, text, &count, 0), kErrNone);
    EXPECT_EQ(std::string(text, 100), std::string(100, 'd'));
    EXPECT_EQ(resCloseFile(map, 0, 0), kErrNone);
}

TEST_F(ResourceFileTest, AnArchiveWithoutRoomForAReplacementNameIsCreatedAndClosedInPlace) {
    // The archive's text is 252 characters: a replacement's name beside it would pass 255.
    const std::string folder(240, 'f');
    std::filesystem::create_directory(plat::driveHostRoot('T') + "/" + folder);
    TestPath path(("T:\\" + folder + "\\abcdef.kvr").c_str());
    ASSERT_FALSE(path.empty());
    ASSERT_EQ(resCreateFile(&path), kErrNone);
    EXPECT_EQ(read(folder + "/abcdef.kvr"), bytesOf(kEmptyArchive));
    const ResMapHandle map = resOpenFile(&path, 0, 0);
    ASSERT_NE(map, 0);
    ASSERT_EQ(resWriteResource(resAddResource(fourCC("tTXT"), 1, nullptr), "gone", 4, kResAppend), kErrNone);
    ASSERT_EQ(resWriteResource(resAddResource(fourCC("tTXT"), 2, nullptr), "kept", 4, kResAppend), kErrNone);
    ASSERT_EQ(resUpdateFile(map), kErrNone);
    ASSERT_EQ(resRemoveResource(resFindResource(fourCC("tTXT"), 1, map)), kErrNone);
    EXPECT_EQ(resCloseFile(map, 1, 0), kErrNone);
    const std::string bytes = read(folder + "/abcdef.kvr");
    EXPECT_EQ(bytes.substr(28, 8), "gonekept");  // the hole stays
    const ResMapHandle reopened = resOpenFile(&path, 1, 1);
    ASSERT_NE(reopened, 0);
    EXPECT_EQ(resFindResource(fourCC("tTXT"), 1, reopened), 0u);
    EXPECT_NE(resFindResource(fourCC("tTXT"), 2, reopened), 0u);
    EXPECT_EQ(resCloseFile(reopened, 0, 0), kErrNone);
}

class ResourceCdTest : public ResourceFileTest {
protected:
    ResourceCdTest() : ResourceFileTest(plat::DriveType::CdRom) {}
};

TEST_F(ResourceCdTest, ArchivesOnACdAreReadOnly) {
    put("content.kvr", bytesOf(kOneTextArchive));
    TestPath path("T:\\content.kvr");
    const ResMapHandle map = resOpenFile(&path, 0, 0);
    ASSERT_NE(map, 0);
    EXPECT_EQ(resAddResource(fourCC("tTXT"), 2, nullptr), 0u);
    EXPECT_EQ(resGetLastError(), kResErrReadOnly);
    EXPECT_EQ(resWriteResource(resFindResource(fourCC("tTXT"), 1, map), "x", 1, 0), kResErrReadOnly);
}

}  // namespace
