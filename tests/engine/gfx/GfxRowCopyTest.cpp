#include "engine/gfx/GfxRowCopy.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

constexpr size_t kGuard = 40;

// Every span length through each size class of the inline copies and past the hand-over to the
// C library (128 bytes), at every offset of a 32-byte block, with guard bytes on both sides.
TEST(GfxRowCopy, SpanCopiesMatchMemcpyAndTouchNothingElse) {
    std::vector<u8> from(300 + 2 * kGuard);
    std::iota(from.begin(), from.end(), 1);
    for (size_t bytes = 0; bytes <= 260; ++bytes) {
        for (size_t offset = 0; offset < 32; offset += 7) {
            std::vector<u8> fast(bytes + 2 * kGuard + 32, 0xEE), slow = fast;
            gfxCopySpan(fast.data() + kGuard + offset, from.data() + offset, bytes);
            std::memcpy(slow.data() + kGuard + offset, from.data() + offset, bytes);
            ASSERT_EQ(fast, slow) << bytes << " bytes at " << offset;
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
