// An archive edit may be stopped after any write reaches the file: by a kill, a full disk or
// a lost drive. Whatever write was the last, the file left behind opens and holds exactly
// what the last finished update or close committed, or what the one under way was
// committing; and what a flush made durable holds the same.
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "tests/engine/resources/format/ArchiveBytes.h"
#include "ArchiveContent.h"
#include "MemoryArchiveFile.h"
#include "engine/base/MemoryHandles.h"
#include "engine/resources/ResourceManager.h"

namespace {

using namespace testres;

const FourCC kText = fourCC("tTXT");
const FourCC kPicture = fourCC("tBMP");

// Edits that end with an update or a close, and what the archive holds once they succeed.
struct Step {
    std::function<EngineErr(ResMapHandle)> edit;
    ArchiveContent after;
};

ResourceRef find(ResMapHandle map, FourCC type, u16 id) { return resFindResource(type, id, map); }

// Runs edits in order and stops at the first that fails, as a killed program would.
EngineErr inOrder(std::initializer_list<std::function<EngineErr()>> edits) {
    for (const auto& edit : edits)
        if (EngineErr err = edit()) return err;
    return kErrNone;
}

EngineErr add(FourCC type, u16 id, const char* name) {
    return resAddResource(type, id, name) != 0 ? kErrNone : resGetLastError();
}

EngineErr write(ResMapHandle map, u16 id, const std::string& text, u32 offset = kResAppend) {
    return resWriteResource(find(map, kText, id), text.data(), u32(text.size()), offset);
}

// Opens the bytes as an archive, or tells why not.
::testing::AssertionResult holds(const std::vector<u8>& bytes, const ArchiveContent& expected,
                                 const ArchiveContent* alternative) {
    auto image = std::make_shared<FileImage>();
    image->bytes = bytes;
    const ResMapHandle map = resOpenArchive(std::make_unique<MemoryArchiveFile>(image, "check"), 1, 0);
    if (map == 0) return ::testing::AssertionFailure() << "does not open: " << resGetLastError();
    const ArchiveContent content = contentOfArchive(map, {kText, kPicture});
    resCloseFile(map, 0, 1);
    if (content == expected || (alternative && content == *alternative)) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "holds other content:";
    for (const auto& [key, bytes] : content) failure << " " << key.second << "=" << ::testing::PrintToString(bytes);
    return failure;
}

// Runs the steps once for every number of changes that reach the file before all further
// ones fail. Returns the bytes of the run in which nothing failed.
std::vector<u8> runWithEveryStop(const std::vector<u8>& start, const ArchiveContent& before,
                                 const std::vector<Step>& steps) {
    for (long allowed = 0;; ++allowed) {
        EXPECT_EQ(memInit(0, 512), kErrNone);
        EXPECT_EQ(resInit(), kErrNone);
        auto image = std::make_shared<FileImage>();
        image->bytes = start;
        image->durable = start;
        ResMapHandle map = resOpenArchive(std::make_unique<MemoryArchiveFile>(image, "f"), 0, 0);
        EXPECT_NE(map, 0);
        image->writesLeft = allowed;
        size_t done = 0;
        while (done < steps.size() && steps[done].edit(map) == kErrNone) {
            const ArchiveContent& committed = steps[done].after;
            EXPECT_TRUE(holds(image->durable, committed, nullptr)) << "flushed after step " << done;
            ++done;
        }
        const bool stopped = done < steps.size();
        const ArchiveContent& committed = done == 0 ? before : steps[done - 1].after;
        const ArchiveContent* underWay = stopped ? &steps[done].after : nullptr;
        EXPECT_TRUE(holds(image->bytes, committed, underWay)) << "stopped after " << allowed << " changes";
        EXPECT_TRUE(holds(image->durable, committed, underWay)) << "flushed, " << allowed << " changes";
        const bool budgetSpent = image->writesLeft == 0;
        resShutdown();
        memShutdown();
        if (!stopped && !budgetSpent) return image->bytes;
    }
}

// A handle's whole content replaces the resource's bytes at the next update.
EngineErr replaceThroughHandle(ResMapHandle map, FourCC type, u16 id, const std::string& text) {
    const ResourceRef ref = find(map, type, id);
    const memHandle handle = resLoadResource(ref, 0);
    if (handle == 0) return resGetLastError();
    if (EngineErr err = memResizeHandle(handle, u32(text.size()))) return err;
    std::memcpy(memDerefHandle(handle), text.data(), text.size());
    resSetResourceAttr(ref, 1);
    return kErrNone;
}

TEST(InterruptedWrite, NewResourceEndingTheFileGivesTheOneTextArchive) {
    const std::vector<Step> steps = {{[](ResMapHandle map) {
                                          return inOrder({[] { return add(kText, 1, nullptr); },
                                                          [&] { return write(map, 1, "abc"); },
                                                          [&] { return resUpdateFile(map); }});
                                      },
                                      {{{kText, 1}, "abc"}}}};
    EXPECT_EQ(runWithEveryStop(kEmptyArchive, {}, steps), kOneTextArchive);
}

TEST(InterruptedWrite, UpdatesInPlaceAndAtTheEndKeepEveryCommit) {
    const std::vector<u8> start = makeArchive({{kText, 1, "aaaa", "one"}, {kText, 2, "bbbbbbbb", "two"}, {kText, 3, "cc"}});
    const ArchiveContent before = {{{kText, 1}, "aaaa"}, {{kText, 2}, "bbbbbbbb"}, {{kText, 3}, "cc"}};
    const std::vector<Step> steps = {
        {[](ResMapHandle map) {
             return inOrder({[&] { return write(map, 1, "AA", 0); },  // over committed bytes, no growth
                             [&] { return write(map, 2, "BBBB", 2); },
                             [&] { return resUpdateFile(map); }});
         },
         {{{kText, 1}, "AAaa"}, {{kText, 2}, "bbBBBBbb"}, {{kText, 3}, "cc"}}},
        {[](ResMapHandle map) {
             return inOrder({[&] { return resRemoveResource(find(map, kText, 1)); },  // a smaller directory
                             [&] { return resUpdateFile(map); }});
         },
         {{{kText, 2}, "bbBBBBbb"}, {{kText, 3}, "cc"}}},
        {[](ResMapHandle map) {
             return inOrder({[&] { return replaceThroughHandle(map, kText, 2, "handle"); },
                             [&] { return write(map, 3, "d", 4); },  // the skipped bytes are zeros
                             [&] { return resUpdateFile(map); }});
         },
         {{{kText, 2}, "handle"}, {{kText, 3}, std::string("cc\0\0d", 5)}}},
    };
    runWithEveryStop(start, before, steps);
}

TEST(InterruptedWrite, AppendsMovingDataAndTheDirectoryKeepEveryCommit) {
    const std::vector<u8> start = makeArchive({{kText, 1, "aaaa"}, {kText, 2, "bbbbbbbb"}});
    const ArchiveContent before = {{{kText, 1}, "aaaa"}, {{kText, 2}, "bbbbbbbb"}};
    const std::vector<Step> steps = {
        {[](ResMapHandle map) {
             return inOrder({[&] { return write(map, 1, "++"); },  // not last: moves to the end
                             [&] { return write(map, 2, "--"); },
                             [&] { return resUpdateFile(map); }});
         },
         {{{kText, 1}, "aaaa++"}, {{kText, 2}, "bbbbbbbb--"}}},
        {[](ResMapHandle map) {
             return inOrder({[] { return add(kPicture, 9, "picture"); },
                             [&] { return resWriteResource(find(map, kPicture, 9), "pixels", 6, kResAppend); },
                             [&] { return write(map, 1, "!"); },
                             [&] { return resUpdateFile(map); }});
         },
         {{{kText, 1}, "aaaa++!"}, {{kText, 2}, "bbbbbbbb--"}, {{kPicture, 9}, "pixels"}}},
        {[](ResMapHandle map) { return resCloseFile(map, 0, 0); },
         {{{kText, 1}, "aaaa++!"}, {{kText, 2}, "bbbbbbbb--"}, {{kPicture, 9}, "pixels"}}},
    };
    runWithEveryStop(start, before, steps);
}

TEST(InterruptedWrite, CompactionOnClosingKeepsEveryCommit) {
    const std::vector<u8> start = makeArchive({{kText, 1, "aaaa"}, {kText, 2, "bbbbbbbb"}, {kText, 3, "cc"}});
    const ArchiveContent before = {{{kText, 1}, "aaaa"}, {{kText, 2}, "bbbbbbbb"}, {{kText, 3}, "cc"}};
    const std::vector<Step> steps = {
        {[](ResMapHandle map) {
             return inOrder({[&] { return write(map, 1, "++"); }, [&] { return resUpdateFile(map); }});
         },
         {{{kText, 1}, "aaaa++"}, {{kText, 2}, "bbbbbbbb"}, {{kText, 3}, "cc"}}},
        {[](ResMapHandle map) {
             return inOrder({[&] { return resRemoveResource(find(map, kText, 2)); },
                             [&] { return write(map, 3, "--"); },
                             [&] { return resCloseFile(map, 1, 0); }});  // everything moves down
         },
         {{{kText, 1}, "aaaa++"}, {{kText, 3}, "cc--"}}},
    };
    const std::vector<u8> result = runWithEveryStop(start, before, steps);
    ArchiveContents contents;
    ASSERT_EQ(parseArchiveImage(result, &contents), kErrNone);
    EXPECT_EQ(contents.fileTable.entries.size(), 2u);
    EXPECT_EQ(contents.header.directoryOffset, 28u + 6 + 4);
    EXPECT_EQ(contents.header.fileLength, result.size());
}

// One change fails, as on a full disk, landing half its bytes, and the edits go on, closing
// with compaction and, when that fails, editing on and closing again: whichever change it
// was, the archive opens, what no edit touched keeps its bytes, and each edited resource
// holds its old or a newer state.
TEST(InterruptedWrite, OneFailedChangeAndTheEditsAfterItKeepWhatTheyDidNotTouch) {
    const std::string zs(3000, 'z');
    for (long failing = 0;; ++failing) {
        ASSERT_EQ(memInit(0, 512), kErrNone);
        ASSERT_EQ(resInit(), kErrNone);
        auto image = std::make_shared<FileImage>();
        image->bytes = makeArchive({{kText, 1, "aaaa"}, {kText, 2, "bbbbbbbb"}, {kText, 3, "cc"}, {kText, 4, "dddd"}});
        const ResMapHandle map = resOpenArchive(std::make_unique<MemoryArchiveFile>(image, "f"), 0, 0);
        ASSERT_NE(map, 0);
        image->failingChange = failing;
        // Errors are expected here; what counts is what the file holds afterwards.
        write(map, 1, "++");
        resRemoveResource(find(map, kText, 2));
        write(map, 3, "XY", 0);
        write(map, 3, zs);
        resUpdateFile(map);
        // A close that failed leaves the archive open, to be edited on and closed again.
        if (resCloseFile(map, 1, 0) != kErrNone) {
            write(map, 1, "!");
            if (resCloseFile(map, 0, 0) != kErrNone) resCloseFile(map, 0, 1);
        }
        const bool failed = image->changesMade > failing;
        image->failingChange = -1;

        const ResMapHandle reopened = resOpenArchive(std::make_unique<MemoryArchiveFile>(image, "f"), 1, 0);
        ASSERT_NE(reopened, 0) << "change " << failing << ": " << resGetLastError();
        const ArchiveContent content = contentOfArchive(reopened, {kText});
        resCloseFile(reopened, 0, 1);
        resShutdown();
        memShutdown();
        auto of = [&](u16 id) { return content.count({kText, id}) ? content.at({kText, id}) : std::string("<none>"); };
        const std::set<std::string> one = {"aaaa", "aaaa+", "aaaa++", "aaaa!", "aaaa+!", "aaaa++!"};
        // The failed write itself may have landed half its bytes: "X" of "XY".
        const std::set<std::string> three = {"cc", "XY", "Xc", "cc" + zs, "XY" + zs, "Xc" + zs, "XY" + zs.substr(0, 1500)};
        EXPECT_EQ(of(4), "dddd") << "change " << failing;
        EXPECT_TRUE(one.count(of(1))) << "change " << failing << ": " << of(1);
        EXPECT_TRUE(three.count(of(3))) << "change " << failing << ": " << of(3).size();
        EXPECT_TRUE(of(2) == "<none>" || of(2) == "bbbbbbbb") << "change " << failing;
        if (!failed) break;
    }
}

// Closing with compaction where no new file can be made beside the archive closes it with
// its holes, whole as committed, rather than leaving it open with an error.
TEST(InterruptedWrite, CompactionWhereNoNewFileCanBeMadeLeavesTheHoles) {
    ASSERT_EQ(memInit(0, 512), kErrNone);
    ASSERT_EQ(resInit(), kErrNone);
    auto image = std::make_shared<FileImage>();
    image->bytes = makeArchive({{kText, 1, "aaaa"}, {kText, 2, "bbbbbbbb"}, {kText, 3, "cc"}});
    const ResMapHandle map = resOpenArchive(std::make_unique<MemoryArchiveFile>(image, "f"), 0, 0);
    ASSERT_NE(map, 0);
    ASSERT_EQ(resRemoveResource(find(map, kText, 2)), kErrNone);
    image->folderTakesNoFile = true;
    EXPECT_EQ(resCloseFile(map, 1, 0), kErrNone);
    EXPECT_EQ(resGetLastError(), kErrNone);
    EXPECT_TRUE(holds(image->bytes, {{{kText, 1}, "aaaa"}, {{kText, 3}, "cc"}}, nullptr));
    ArchiveContents contents;
    ASSERT_EQ(parseArchiveImage(image->bytes, &contents), kErrNone);
    EXPECT_EQ(contents.header.flags, kArchiveMayHoldHoles);
    EXPECT_TRUE(holds(image->durable, {{{kText, 1}, "aaaa"}, {{kText, 3}, "cc"}}, nullptr));
    resShutdown();
    memShutdown();
}

// The compacted file is already under the archive's name when making that move last fails:
// the archive goes on as the compacted file, so that later edits land where its header says.
TEST(InterruptedWrite, CompactionWhoseMoveCouldNotBeMadeLastingGoesOnWithTheCompactedFile) {
    ASSERT_EQ(memInit(0, 512), kErrNone);
    ASSERT_EQ(resInit(), kErrNone);
    auto image = std::make_shared<FileImage>();
    image->bytes = makeArchive({{kText, 1, "aaaa"}, {kText, 2, "bbbbbbbb"}, {kText, 3, "cc"}});
    const ResMapHandle map = resOpenArchive(std::make_unique<MemoryArchiveFile>(image, "f"), 0, 0);
    ASSERT_NE(map, 0);
    ASSERT_EQ(resRemoveResource(find(map, kText, 2)), kErrNone);
    ASSERT_EQ(resUpdateFile(map), kErrNone);
    image->nameSyncFails = true;
    EXPECT_EQ(resCloseFile(map, 1, 0), kFakeWriteFault);
    ASSERT_EQ(image->replacementsMade, 1);
    const ArchiveContent compacted = {{{kText, 1}, "aaaa"}, {{kText, 3}, "cc"}};
    EXPECT_EQ(contentOfArchive(map, {kText}), compacted);
    image->nameSyncFails = false;
    EXPECT_EQ(write(map, 3, "--"), kErrNone);
    EXPECT_EQ(write(map, 1, "!"), kErrNone);
    EXPECT_EQ(resCloseFile(map, 0, 0), kErrNone);
    EXPECT_TRUE(holds(image->bytes, {{{kText, 1}, "aaaa!"}, {{kText, 3}, "cc--"}}, nullptr));
    resShutdown();
    memShutdown();
}

}  // namespace
