#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "spell/SplFile.h"
#include "spell/SplMemManager.h"
#include "tests/spell/SpellScratch.h"

namespace {

namespace fs = std::filesystem;

// A file of `blocks` blocks, block b filled with the byte b + 1.
std::string blockFile(const fs::path& dir, u32 blocks) {
    std::string path = (dir / "blocks.bin").string();
    std::ofstream out(path, std::ios::binary);
    for (u32 b = 0; b < blocks; ++b) out << std::string(kSplBlockSize, char(b + 1));
    return path;
}

u32 buffersHeld(const SplMemManager* mm) {
    u32 n = 0;
    for (u32 i = 0; i < mm->maxBlocks; ++i) n += mm->table[i].buffer != nullptr;
    return n;
}

class SplMemManagerTest : public ::testing::Test {
protected:
    void SetUp() override { dir = spelltest::scratch("mem"); }
    fs::path dir;
};

TEST_F(SplMemManagerTest, OpenPreallocatesUpToTheInitialCount) {
    const std::pair<u32, u32> cases[] = {{1, 1}, {2, 8}, {8, 8}, {0, 0}};
    for (auto [init, max] : cases) {
        SplMemManager* mm = splMemOpen(init, max);
        ASSERT_NE(mm, nullptr);
        EXPECT_EQ(mm->maxBlocks, max == 0 ? 100u : max);
        EXPECT_EQ(buffersHeld(mm), init == 0 ? 1u : init);
        EXPECT_EQ(mm->buffers, buffersHeld(mm));
        EXPECT_EQ(splMemClose(mm), 1);
    }
    EXPECT_EQ(splMemClose(nullptr), 1);
}

TEST_F(SplMemManagerTest, ReadsBlocksAndServesCachedOnesWithoutTheFile) {
    std::string path = blockFile(dir, 4);
    SplFile* f = splFileOpen(path.c_str(), kSplFileReadOnly);
    SplMemManager* mm = splMemOpen(2, 8);
    u8* b2 = splMemGetBlock(mm, 2, f, kMmRead | 2);
    ASSERT_NE(b2, nullptr);
    EXPECT_EQ(b2[0], 3);
    EXPECT_EQ(b2[kSplBlockSize - 1], 3);
    // The file changes on disk; the cached block is served as it was, and moves to the head.
    ASSERT_NE(splMemGetBlock(mm, 1, f, kMmRead | 2), nullptr);
    {
        std::fstream patch(path, std::ios::in | std::ios::out | std::ios::binary);
        patch.seekp(2 * kSplBlockSize);
        patch.put(char(99));
    }
    u8* again = splMemGetBlock(mm, 2, f, kMmRead | 2);
    EXPECT_EQ(again, b2);
    EXPECT_EQ(again[0], 3);
    EXPECT_EQ(mm->head->block, 2u);
    // A block past the end cannot be read.
    EXPECT_EQ(splMemGetBlock(mm, 4, f, kMmRead | 2), nullptr);
    splMemClose(mm);
    splFileClose(f);
}

TEST_F(SplMemManagerTest, NewBlockIsZeroedAndTheFileGrowsOnlyOnWriteBack) {
    std::string path = blockFile(dir, 1);
    SplFile* f = splFileOpen(path.c_str(), kSplFileReadWrite);
    SplMemManager* mm = splMemOpen(2, 8);
    u8* fresh = splMemGetBlock(mm, 3, f, kMmWrite | 1);
    ASSERT_NE(fresh, nullptr);
    for (u32 i = 0; i < kSplBlockSize; ++i) ASSERT_EQ(fresh[i], 0);
    fresh[5] = 42;
    EXPECT_EQ(fs::file_size(path), kSplBlockSize);
    EXPECT_EQ(splMemFlush(mm, nullptr), 1);
    EXPECT_EQ(fs::file_size(path), 4 * kSplBlockSize);
    EXPECT_EQ(splMemFlush(mm, f), 1);
    u8* back = splMemGetBlock(mm, 3, f, kMmRead | 1);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back[5], 42);
    EXPECT_EQ(splMemClose(mm), 1);
    splFileClose(f);
}

TEST_F(SplMemManagerTest, FailedWriteBackIsReported) {
    std::string path = blockFile(dir, 2);
    SplFile* readOnly = splFileOpen(path.c_str(), kSplFileReadOnly);
    SplMemManager* mm = splMemOpen(2, 4);
    u8* block = splMemGetBlock(mm, 0, readOnly, kMmRead | kMmWrite | 1);
    ASSERT_NE(block, nullptr);
    block[0] = 77;
    EXPECT_EQ(splMemFlush(mm, nullptr), 0);
    // Still dirty, so a purge reaching it fails too, and so does the close.
    ASSERT_NE(splMemGetBlock(mm, 1, readOnly, kMmRead | 1), nullptr);
    // The purge first releases the free preallocated buffer, then stops at the dirty block.
    int failed = 0;
    EXPECT_EQ(splMemPurge(mm, 3, &failed), 1u);
    EXPECT_EQ(failed, 1);
    EXPECT_EQ(splMemClose(mm), 0);
    splFileClose(readOnly);
    EXPECT_EQ(spelltest::readText(path)[0], char(1));
}

TEST_F(SplMemManagerTest, BusyHigherPrioritiesFallBackToTheLeastRecentlyUsed) {
    std::string path = blockFile(dir, 6);
    SplFile* f = splFileOpen(path.c_str(), kSplFileReadOnly);
    SplMemManager* mm = splMemOpen(3, 3);
    for (u32 b = 0; b < 3; ++b) ASSERT_NE(splMemGetBlock(mm, b, f, kMmRead | 1), nullptr);
    // Every record holds priority 1; a request of priority 2 finds none on the first walk and
    // takes the least recently used (block 0) on the second.
    u8* b3 = splMemGetBlock(mm, 3, f, kMmRead | 2);
    ASSERT_NE(b3, nullptr);
    EXPECT_EQ(b3[0], 4);
    bool block0Cached = false;
    for (u32 i = 0; i < 3; ++i) block0Cached = block0Cached || mm->table[i].block == 0;
    EXPECT_FALSE(block0Cached);
    splMemClose(mm);
    splFileClose(f);
}

TEST_F(SplMemManagerTest, PurgeKeepsTheHeadAndThePermanentBuffer) {
    std::string path = blockFile(dir, 8);
    SplFile* f = splFileOpen(path.c_str(), kSplFileReadOnly);
    SplMemManager* mm = splMemOpen(1, 8);
    for (u32 b = 0; b < 6; ++b) ASSERT_NE(splMemGetBlock(mm, b, f, kMmRead | 2), nullptr);
    EXPECT_EQ(buffersHeld(mm), 7u);  // six blocks and the permanent buffer, still free
    int failed = 0;
    EXPECT_EQ(splMemPurge(mm, 100, &failed), 5u);
    EXPECT_EQ(failed, 0);
    EXPECT_NE(mm->head->buffer, nullptr);
    EXPECT_EQ(mm->head->block, 5u);
    EXPECT_NE(mm->table[0].buffer, nullptr);
    EXPECT_EQ(buffersHeld(mm), 2u);
    EXPECT_EQ(mm->buffers, 2u);
    // Purged blocks read again from the file.
    u8* b1 = splMemGetBlock(mm, 1, f, kMmRead | 2);
    ASSERT_NE(b1, nullptr);
    EXPECT_EQ(b1[100], 2);
    splMemClose(mm);
    splFileClose(f);
}

TEST_F(SplMemManagerTest, FileLayer) {
    std::string path = blockFile(dir, 1);
    EXPECT_EQ(splFileOpen(path.c_str(), 3), nullptr);
    EXPECT_EQ(splFileOpen((dir / "missing").string().c_str(), kSplFileReadOnly), nullptr);
    SplFile* f = splFileOpen(path.c_str(), kSplFileReadOnly);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(splFileSeek(10, f), 0);
    EXPECT_EQ(splFileLength(f), i64(kSplBlockSize));
    u16 words[2];
    EXPECT_EQ(splReadWords(words, 2, f), 1);
    EXPECT_EQ(words[0], 0x0101);
    std::vector<u8> buffer(kSplBlockSize);
    EXPECT_EQ(splReadExactly(buffer.data(), kSplBlockSize - 14, f), 1);
    EXPECT_EQ(splReadExactly(buffer.data(), 1, f), 0);
    u8* out = nullptr;
    u32 error = 0;
    EXPECT_EQ(splFileSeek(0, f), 0);
    EXPECT_EQ(splAllocRead(&out, kSplBlockSize, f, &error), 1);
    splFree(out);
    EXPECT_EQ(splAllocRead(&out, 1, f, &error), 0);
    EXPECT_EQ(error, 3u);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(splFileWrite("x", 1, f), 0u);
    EXPECT_EQ(splFileClose(f), 0);
    EXPECT_EQ(splFileClose(nullptr), 0);
}

TEST_F(SplMemManagerTest, ClosingReportsWritesThatCouldNotBeCompleted) {
    if (!fs::exists("/dev/full")) GTEST_FAIL() << "no /dev/full";
    SplFile* f = std::fopen("/dev/full", "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite("x", 1, 1, f);  // held in the stream's buffer until the close
    EXPECT_NE(splFileClose(f), 0);
}

TEST_F(SplMemManagerTest, ReplaceMovesAFileOverAnotherOrLeavesItAlone) {
    const std::string from = (dir / "fresh").string(), to = (dir / "kept").string();
    struct Case {
        bool sourceThere;
        int answer;
        std::string target;
    } cases[] = {{true, 1, "new"}, {false, 0, "old"}};
    for (const Case& c : cases) {
        std::ofstream(to) << "old";
        if (c.sourceThere) std::ofstream(from) << "new";
        EXPECT_EQ(splFileReplace(from.c_str(), to.c_str()), c.answer) << c.sourceThere;
        EXPECT_EQ(spelltest::readText(to), c.target) << c.sourceThere;
        EXPECT_FALSE(fs::exists(from));
    }
    EXPECT_EQ(splFileSyncFolder(to.c_str()), 1);
    EXPECT_EQ(splFileSyncFolder((dir / "gone" / "kept").string().c_str()), 0);
}

// A move to a free name never overwrites: a taken name or a missing source is refused.
TEST_F(SplMemManagerTest, MoveToFreeNameTakesOnlyAFreeName) {
    const std::string from = (dir / "fresh").string(), to = (dir / "taken").string();
    struct Case {
        bool sourceThere, targetThere;
        int answer;
        const char* target;
    } cases[] = {{true, false, 1, "new"}, {true, true, 0, "old"}, {false, false, 0, ""}};
    for (const Case& c : cases) {
        fs::remove(from);
        fs::remove(to);
        if (c.sourceThere) std::ofstream(from) << "new";
        if (c.targetThere) std::ofstream(to) << "old";
        EXPECT_EQ(splFileMoveToFreeName(from.c_str(), to.c_str()), c.answer) << c.sourceThere << c.targetThere;
        EXPECT_EQ(fs::exists(to) ? spelltest::readText(to) : "", c.target) << c.sourceThere << c.targetThere;
    }
}

}  // namespace
