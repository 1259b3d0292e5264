// Every write of an archive may fail part-way (a full disk, a lost drive): whatever step
// fails, the file left behind must still open as an archive.
#include <gtest/gtest.h>

#include <functional>

#include "tests/engine/resources/format/ArchiveBytes.h"
#include "MemoryArchiveFile.h"
#include "engine/base/MemoryHandles.h"
#include "engine/resources/ResourceManager.h"

namespace {

using namespace testres;

const FourCC kText = fourCC("tTXT");

using Scenario = std::function<void(ResMapHandle)>;

bool opens(const std::vector<u8>& bytes) {
    ArchiveContents contents;
    return parseArchiveImage(bytes, &contents) == kErrNone;
}

// Runs the scenario once for every number of writes that succeed before the first failure,
// checking after every failed operation that the file still opens. Returns the bytes of the
// run in which nothing failed.
std::vector<u8> runWithEveryFailure(const std::vector<u8>& start, const Scenario& scenario) {
    for (long allowed = 0;; ++allowed) {
        EXPECT_EQ(memInit(0, 512), kErrNone);
        EXPECT_EQ(resInit(), kErrNone);
        auto image = std::make_shared<FileImage>();
        image->bytes = start;
        const ResMapHandle map = resOpenArchive(std::make_unique<MemoryArchiveFile>(image, "f"), 0, 0);
        EXPECT_NE(map, 0);
        image->writesLeft = allowed;
        scenario(map);
        const bool failed = image->writesLeft == 0;
        EXPECT_TRUE(opens(image->bytes)) << "after " << allowed << " writes";
        image->writesLeft = -1;
        resShutdown();
        memShutdown();
        if (!failed) return image->bytes;
        EXPECT_TRUE(opens(image->bytes)) << "after closing, " << allowed << " writes";
    }
}

TEST(InterruptedWrite, OneTextArchiveOpensAtEveryStep) {
    const std::vector<u8> result = runWithEveryFailure(kEmptyArchive, [](ResMapHandle map) {
        const ResourceRef ref = resAddResource(kText, 1, nullptr);
        resWriteResource(ref, "abc", 3, kResAppend);
        resUpdateFile(map);
    });
    EXPECT_EQ(result, kOneTextArchive);
}

TEST(InterruptedWrite, InPlaceDirectoryUpdateOpensAtEveryStep) {
    const std::vector<u8> start = makeArchive({{kText, 1, "one", "first name"}, {kText, 2, "two", "second name"}});
    const std::vector<u8> result = runWithEveryFailure(start, [](ResMapHandle map) {
        resRemoveResource(resFindResource(kText, 1, map));
        resUpdateFile(map);
    });
    EXPECT_EQ(result.size(), start.size());  // the smaller directory stayed in its old place
}

TEST(InterruptedWrite, AppendsAndCompactionOpenAtEveryStep) {
    const std::vector<u8> start = makeArchive({{kText, 1, "aaaa"}, {kText, 2, "bbbbbbbb"}, {kText, 3, "cc"}});
    const std::vector<u8> result = runWithEveryFailure(start, [](ResMapHandle map) {
        resWriteResource(resFindResource(kText, 1, map), "++", 2, kResAppend);
        resUpdateFile(map);
        resRemoveResource(resFindResource(kText, 2, map));
        resWriteResource(resFindResource(kText, 3, map), "--", 2, kResAppend);
        resCloseFile(map, 1, 0);
    });
    ArchiveContents contents;
    ASSERT_EQ(parseArchiveImage(result, &contents), kErrNone);
    EXPECT_EQ(contents.fileTable.entries.size(), 2u);
    EXPECT_EQ(contents.header.directoryOffset, 28u + 6 + 4);
}

}  // namespace
