#include "engine/gfx/GfxRowCopy.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "GuardedBytes.h"

namespace {

constexpr size_t kGuard = 40;

// Every span length through each size class of the inline copies and past the hand-over to the
// C library (128 bytes), from and to every offset of a 64-byte block, with guard bytes around
// the destination.
TEST(GfxRowCopy, SpanCopiesMatchMemcpyAtEveryAlignment) {
    constexpr size_t kLongest = 260, kBlock = 64;
    std::mt19937 random(17);
    std::vector<u8> from(kLongest + kBlock);
    for (u8& b : from) b = u8(random());
    std::vector<u8> to(kGuard + kBlock + kLongest + kGuard, 0xEE);
    for (size_t bytes = 0; bytes <= kLongest; ++bytes) {
        for (size_t source = 0; source < kBlock; ++source) {
            for (size_t target = 0; target < kBlock; ++target) {
                u8* span = to.data() + kGuard + target;
                gfxCopySpan(span, from.data() + source, bytes);
                const bool guardsKept = std::all_of(to.begin(), to.begin() + kGuard + target, [](u8 b) { return b == 0xEE; }) &&
                                        std::all_of(span + bytes, to.data() + to.size(), [](u8 b) { return b == 0xEE; });
                ASSERT_TRUE(std::memcmp(span, from.data() + source, bytes) == 0 && guardsKept)
                    << bytes << " bytes from offset " << source << " to offset " << target;
                std::memset(span, 0xEE, bytes);
            }
        }
    }
}

// Spans against a page that faults on any access: the copies read and the copies and fills
// write no byte past either end of their spans, however short.
TEST(GfxRowCopy, SpansAgainstAGuardPageTouchOnlyThemselves) {
    constexpr size_t kLongest = 260;
    GuardedBytes source(kLongest), target(kLongest);
    std::vector<u8> want(kLongest);
    for (size_t i = 0; i < kLongest; ++i) want[i] = u8(i * 37 + 11);
    for (size_t bytes = 0; bytes <= kLongest; ++bytes) {
        // Both spans end against a guard, then both start against one.
        for (bool atEnd : {true, false}) {
            const std::string what = std::to_string(bytes) + (atEnd ? " bytes ending at the guard" : " bytes starting at the guard");
            u8* from = atEnd ? source.endingAtGuard(bytes) : source.startingAtGuard();
            u8* to = atEnd ? target.endingAtGuard(bytes) : target.startingAtGuard();
            std::memcpy(from, want.data(), bytes);
            gfxCopySpan(to, from, bytes);
            ASSERT_TRUE(std::equal(to, to + bytes, want.begin())) << "copy of " << what;
            gfxFillSpan(to, 0x5A, bytes);
            ASSERT_TRUE(std::all_of(to, to + bytes, [](u8 b) { return b == 0x5A; })) << "fill of " << what;
            gfxFillWords(to, 0xA15C, bytes / 2);
            for (size_t i = 0; i + 1 < bytes; i += 2) ASSERT_TRUE(to[i] == 0x5C && to[i + 1] == 0xA1) << "word fill of " << what;
        }
    }
}

TEST(GfxRowCopy, SpanFillsMatchMemsetAndTouchNothingElse) {
    for (size_t bytes = 0; bytes <= 260; ++bytes) {
        std::vector<u8> fast(bytes + 2 * kGuard, 0xEE), slow = fast;
        gfxFillSpan(fast.data() + kGuard, 0x5A, bytes);
        std::memset(slow.data() + kGuard, 0x5A, bytes);
        ASSERT_EQ(fast, slow) << bytes << " bytes";
    }
}

TEST(GfxRowCopy, WordFillsAreLittleEndian) {
    std::vector<u8> out(8, 0xEE);
    gfxFillWords(out.data() + 1, 0x1234, 3);
    EXPECT_EQ(out, (std::vector<u8>{0xEE, 0x34, 0x12, 0x34, 0x12, 0x34, 0x12, 0xEE}));
}

// Every word count through the overlapping stores, at an odd address, with guard bytes.
TEST(GfxRowCopy, WordFillsOfEveryLengthStayInPhase) {
    for (size_t count = 0; count <= 80; ++count) {
        std::vector<u8> fast(2 * count + 2 * kGuard + 1, 0xEE), slow = fast;
        gfxFillWords(fast.data() + kGuard + 1, 0xA15C, count);
        for (size_t i = 0; i < count; ++i) {
            slow[kGuard + 1 + 2 * i] = 0x5C;
            slow[kGuard + 2 + 2 * i] = 0xA1;
        }
        ASSERT_EQ(fast, slow) << count << " words";
    }
}

}  // namespace
