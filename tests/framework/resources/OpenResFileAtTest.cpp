#include "framework/resources/OpenResFileAt.h"

#include <gtest/gtest.h>

#include "engine/base/MemoryHandles.h"
#include "tests/engine/files/OsTestSupport.h"
#include "tests/engine/resources/format/ArchiveBytes.h"

namespace {

class OpenResFileAtTest : public OsFixture {
protected:
    OpenResFileAtTest() : OsFixture(plat::DriveType::Fixed, "WORK", "ext4") {}
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
};

TEST_F(OpenResFileAtTest, OpensAnArchiveForReadingAndAnswersZeroForNone) {
    put("library.kvr", std::string(testres::kOneTextArchive.begin(), testres::kOneTextArchive.end()));
    TestPath there("T:\\library.kvr");
    TestPath missing("T:\\nothing.kvr");
    const ResMapHandle map = OpenResFileAt(*there.get());
    ASSERT_NE(map, 0);
    EXPECT_NE(resFindResource(fourCC("tTXT"), 1, map), 0u);
    EXPECT_EQ(resAddResource(fourCC("tTXT"), 2, nullptr), 0u);  // read only
    EXPECT_EQ(resCloseFile(map, 0, 0), kErrNone);
    EXPECT_EQ(OpenResFileAt(*missing.get()), 0);
}

}  // namespace
