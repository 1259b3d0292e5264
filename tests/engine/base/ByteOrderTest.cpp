#include "engine/base/ByteOrder.h"

#include <gtest/gtest.h>

namespace {

TEST(ByteOrder, SwapsAndReadsFieldByField) {
    EXPECT_EQ(ByteSwap16(0x1234), 0x3412);
    EXPECT_EQ(ByteSwap32(0x12345678u), 0x78563412u);
    const u8 bytes[] = {0x4B, 0x56, 0x52, 0x57};
    EXPECT_EQ(readBE32(bytes), fourCC("KVRW"));
    EXPECT_EQ(readLE32(bytes), 0x5752564Bu);
    u8 out[4] = {};
    writeBE16(out, 0xABCD);
    writeLE16(out + 2, 0xABCD);
    EXPECT_EQ(out[0], 0xAB);
    EXPECT_EQ(out[3], 0xAB);
    swapInPlace32(out);
    EXPECT_EQ(readLE32(out), 0xABCDCDABu);
}

}  // namespace
