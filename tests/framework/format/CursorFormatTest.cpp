#include "framework/format/CursorFormat.h"

#include <gtest/gtest.h>

#include "engine/base/ByteOrder.h"
#include "framework/format/FormatErrors.h"

namespace {

CursorRecord sampleCursor() {
    CursorRecord c;
    c.hotX = 3;
    c.hotY = 31;
    c.andPlane.fill(0xFF);
    c.xorPlane[0] = 0x80;
    c.xorPlane[kCursorPlaneBytes - 1] = 0x01;
    return c;
}

std::vector<u8> writtenCursor(const CursorRecord& c) {
    std::vector<u8> bytes;
    EXPECT_EQ(writeCursorResource(c, &bytes), kErrNone);
    return bytes;
}

TEST(CursorFormat, ReadsBackEqualAndHasItsSize) {
    const std::vector<u8> bytes = writtenCursor(sampleCursor());
    EXPECT_EQ(bytes.size(), kCursorResourceSize);
    EXPECT_EQ(readBE16(bytes.data() + 4), 31);
    EXPECT_EQ(bytes[6 + kCursorPlaneBytes], 0x80);
    CursorRecord back;
    ASSERT_EQ(parseCursorResource(bytes, &back), kErrNone);
    EXPECT_EQ(back, sampleCursor());
}

TEST(CursorFormat, DamageNamesItsCheck) {
    struct Case {
        const char* name;
        size_t size;       // bytes kept (0: all)
        size_t patchAt;    // a u16 written here unless 0
        u16 value;
        EngineErr expected;
    };
    const Case cases[] = {
        {"header cut", 5, 0, 0, kFmtErrTruncated},
        {"planes cut by one", kCursorResourceSize - 1, 0, 0, kFmtErrTruncated},
        {"version", 0, 0, 2, kFmtErrVersion},
        {"hot x at the edge", 0, 2, 31, kErrNone},
        {"hot x past the edge", 0, 2, 32, kFmtErrBadRect},
        {"hot y negative", 0, 4, 0xFFFF, kFmtErrBadRect},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<u8> bytes = writtenCursor(sampleCursor());
        if (c.size != 0) bytes.resize(c.size);
        if (c.patchAt != 0 || c.expected == kFmtErrVersion) writeBE16(bytes.data() + c.patchAt, c.value);
        CursorRecord back;
        EXPECT_EQ(parseCursorResource(bytes, &back), c.expected);
    }
    std::vector<u8> longer = writtenCursor(sampleCursor());
    longer.push_back(0);
    CursorRecord back;
    EXPECT_EQ(parseCursorResource(longer, &back), kFmtErrTrailingBytes);
    CursorRecord outside = sampleCursor();
    outside.hotX = kCursorEdge;
    std::vector<u8> none;
    EXPECT_EQ(writeCursorResource(outside, &none), kFmtErrBadRect);
    EXPECT_TRUE(none.empty());
}

}  // namespace
