#include "framework/format/ButtonSetFormat.h"

#include <gtest/gtest.h>

#include "engine/base/ByteOrder.h"
#include "framework/format/FormatErrors.h"
#include "tests/framework/format/FormatSamples.h"

namespace {

using testfmt::sampleButtons;

std::vector<u8> writtenSet(const std::vector<ButtonRecord>& buttons) {
    std::vector<u8> bytes;
    EXPECT_EQ(writeButtonSet(buttons, &bytes), kErrNone);
    return bytes;
}

EngineErr setError(const std::vector<u8>& bytes) {
    std::vector<ButtonRecord> buttons;
    return parseButtonSet(bytes, &buttons);
}

TEST(ButtonSetFormat, WritesOneButtonFieldByField) {
    const std::vector<u8> expected = {
        0, 1, 0, 1,                          // version, count
        0x04, 0x0E, 0, 0,                    // id 1038, kind push
        0x03, 0x84, 0x03, 0x85, 0x03, 0x86, 0, 0,  // shapes 900..902, none
        0, 10, 0, 20, 0, 90, 0, 44,          // rectangle
        0, 4, 0, 0,                          // rectangle hot spot, no region
        0, 9, 0, 8,                          // cursors
        0, 0, 0, 243, 0, 0, 0x01, 0x58,      // click 243, hover 344
        0, 0, 0, 0,                          // group, flags
    };
    EXPECT_EQ(writtenSet({sampleButtons()[0]}), expected);
    EXPECT_EQ(expected.size(), 4 + kButtonRecordSize);
}

TEST(ButtonSetFormat, SampleReadsBackEqual) {
    std::vector<ButtonRecord> back;
    ASSERT_EQ(parseButtonSet(writtenSet(sampleButtons()), &back), kErrNone);
    EXPECT_EQ(back, sampleButtons());
    EXPECT_TRUE(back[1].usesShapeRect());
    EXPECT_EQ(back[1].clickMessage, 0x73636874u);
}

// Every cut inside the records is refused by the count check, before a button is read; cuts
// inside the header by the field reader.
TEST(ButtonSetFormat, EveryTruncationIsRefused) {
    const std::vector<u8> bytes = writtenSet(sampleButtons());
    for (size_t size = 0; size < bytes.size(); ++size) {
        SCOPED_TRACE(size);
        const EngineErr expected = size < 4 ? kFmtErrTruncated : kFmtErrCountPastEnd;
        EXPECT_EQ(setError(std::vector<u8>(bytes.begin(), bytes.begin() + long(size))), expected);
    }
}

TEST(ButtonSetFormat, CountPastTheResourceIsRefusedWithoutReading) {
    std::vector<u8> bytes = writtenSet(sampleButtons());
    writeBE16(bytes.data() + 2, 4);
    EXPECT_EQ(setError(bytes), kFmtErrCountPastEnd);
    writeBE16(bytes.data() + 2, 2);
    EXPECT_EQ(setError(bytes), kFmtErrTrailingBytes);
    writeBE16(bytes.data() + 2, u16(kMaxButtonSetButtons + 1));
    EXPECT_EQ(setError(bytes), kFmtErrTooMany);
}

TEST(ButtonSetFormat, CountLimitHoldsAndOnePastIsRefused) {
    struct Case {
        size_t count;
        EngineErr expected;
    };
    for (const Case c : {Case{kMaxButtonSetButtons, kErrNone}, Case{kMaxButtonSetButtons + 1, kFmtErrTooMany}}) {
        SCOPED_TRACE(c.count);
        const std::vector<ButtonRecord> buttons(c.count, sampleButtons()[0]);
        std::vector<u8> bytes;
        EXPECT_EQ(writeButtonSet(buttons, &bytes), c.expected);
        EXPECT_EQ(bytes.empty(), c.expected != kErrNone);
        if (c.expected == kErrNone) {
            std::vector<ButtonRecord> back;
            EXPECT_EQ(parseButtonSet(bytes, &back), kErrNone);
            EXPECT_EQ(back.size(), c.count);
        }
    }
}

// Each damage is patched into the bytes of one good button; the reader must name the check.
TEST(ButtonSetFormat, DamagedFieldsNameTheirCheck) {
    struct Case {
        const char* name;
        size_t offset;  // inside the first record
        u16 value;
        EngineErr expected;
    };
    const Case cases[] = {
        {"kind past select", 2, 3, kFmtErrBadKind},
        {"kind select", 2, 2, kErrNone},
        {"hot-spot kind unknown", 20, 6, kFmtErrBadKind},
        {"hot-spot shape rect", 20, 5, kErrNone},
        {"region id without region kind", 22, 5, kFmtErrBadRegion},
        {"left equal to right", 12, 90, kFmtErrBadRect},
        {"left one before right", 12, 89, kErrNone},
        {"bottom above top", 18, 19, kFmtErrBadRect},
        {"unknown flag", 38, 0x0004, kFmtErrBadFlags},
        {"known flags", 38, kButtonFlagsKnown, kErrNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<u8> bytes = writtenSet({sampleButtons()[0]});
        writeBE16(bytes.data() + 4 + c.offset, c.value);
        EXPECT_EQ(setError(bytes), c.expected);
    }
    std::vector<u8> version = writtenSet({});
    writeBE16(version.data(), 2);
    EXPECT_EQ(setError(version), kFmtErrVersion);
    ButtonRecord region = sampleButtons()[2];
    region.regionId = 0;
    std::vector<u8> out;
    EXPECT_EQ(writeButtonSet(std::vector<ButtonRecord>{region}, &out), kFmtErrBadRegion);
    EXPECT_TRUE(out.empty());
}

}  // namespace
