#include "framework/format/StringFormat.h"

#include <gtest/gtest.h>

#include "engine/base/ByteOrder.h"
#include "framework/format/FormatErrors.h"

namespace {

TEST(StringFormat, WritesVersionLengthAndBytes) {
    std::vector<u8> bytes;
    ASSERT_EQ(writeStringResource("Disc", &bytes), kErrNone);
    EXPECT_EQ(bytes, (std::vector<u8>{0, 1, 0, 4, 'D', 'i', 's', 'c'}));
    std::string back;
    ASSERT_EQ(parseStringResource(bytes, &back), kErrNone);
    EXPECT_EQ(back, "Disc");
}

TEST(StringFormat, LengthLimitHoldsAndOnePastIsRefused) {
    struct Case {
        size_t length;
        EngineErr expected;
    };
    for (const Case& c : {Case{0, kErrNone}, Case{kMaxStringResourceLength, kErrNone},
                          Case{kMaxStringResourceLength + 1, kFmtErrTextTooLong}}) {
        SCOPED_TRACE(c.length);
        std::vector<u8> bytes;
        EXPECT_EQ(writeStringResource(std::string(c.length, '%'), &bytes), c.expected);
        // The reader applies the same limit to bytes written by hand.
        std::vector<u8> raw = {0, 1, 0, 0};
        writeBE16(raw.data() + 2, u16(c.length));
        raw.resize(4 + c.length, 'x');
        std::string back;
        EXPECT_EQ(parseStringResource(raw, &back), c.expected);
    }
}

TEST(StringFormat, RefusalsNameTheirCheck) {
    struct Case {
        const char* name;
        std::vector<u8> bytes;
        EngineErr expected;
    };
    const Case cases[] = {
        {"empty", {}, kFmtErrTruncated},
        {"version only", {0, 1}, kFmtErrTruncated},
        {"text short", {0, 1, 0, 3, 'a', 'b'}, kFmtErrTruncated},
        {"version", {0, 2, 0, 0}, kFmtErrVersion},
        {"trailing", {0, 1, 0, 1, 'a', 'b'}, kFmtErrTrailingBytes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string out = "kept";
        EXPECT_EQ(parseStringResource(c.bytes, &out), c.expected);
        EXPECT_EQ(out, "kept");
    }
}

}  // namespace
