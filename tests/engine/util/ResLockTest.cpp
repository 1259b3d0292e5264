#include "engine/util/ResLock.h"

#include <memory>

#include "tests/engine/resources/MemoryArchiveFile.h"
#include "tests/engine/resources/format/ArchiveBytes.h"
#include "tests/engine/util/UtilTestSupport.h"

namespace {

const FourCC kText = fourCC("tTXT");

class ResLocks : public EngineMemoryFixture {
protected:
    void SetUp() override {
        EngineMemoryFixture::SetUp();
        ASSERT_EQ(resInit(), kErrNone);
        file_ = std::make_shared<testres::FileImage>();
        file_->bytes = testres::kOneTextArchive;
        map_ = resOpenArchive(std::make_unique<testres::MemoryArchiveFile>(file_, "a.kvr"), 1, 0);
        ASSERT_NE(map_, 0);
    }
    void TearDown() override {
        resCloseFile(map_, 0, 1);
        resShutdown();
        EngineMemoryFixture::TearDown();
    }
    // Reads the flag by setting it and putting the old value back.
    static bool isProtected(ResourceRef ref) {
        const u16 previous = resSetResourceProtected(ref, 1);
        resSetResourceProtected(ref, previous);
        return previous != 0;
    }

    std::shared_ptr<testres::FileImage> file_;
    ResMapHandle map_ = 0;
};

TEST_F(ResLocks, FirstLockProtectsAndLastReleaseUnprotects) {
    EngineErr error = 99;
    auto first = std::make_unique<ResLock>();
    const ResourceRef ref = first->Lock(map_, kText, 1, &error);
    ASSERT_NE(ref, 0u);
    EXPECT_EQ(error, kErrNone);
    EXPECT_TRUE(isProtected(ref));
    {
        ResLock second;
        EXPECT_EQ(second.Lock(map_, kText, 1, &error), ref);
        EXPECT_EQ(ResLockCount(ref), 2u);
        first.reset();
        EXPECT_TRUE(isProtected(ref)) << "one holder is left";
    }
    EXPECT_EQ(ResLockCount(ref), 0u);
    EXPECT_FALSE(isProtected(ref));
}

TEST_F(ResLocks, MissingResourceGivesZeroAndTheManagersError) {
    ResLock lock;
    EngineErr error = kErrNone;
    EXPECT_EQ(lock.Lock(map_, kText, 2, &error), 0u);
    EXPECT_NE(error, kErrNone);
    EXPECT_EQ(error, resGetLastError());
}

TEST_F(ResLocks, RelockingLetsGoOfTheFormerResource) {
    ResLock lock;
    EngineErr error = 0;
    const ResourceRef ref = lock.Lock(map_, kText, 1, &error);
    EXPECT_EQ(lock.Lock(map_, kText, 2, &error), 0u);
    EXPECT_EQ(ResLockCount(ref), 0u);
    EXPECT_FALSE(isProtected(ref));
}

}  // namespace
