#include <gtest/gtest.h>

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
