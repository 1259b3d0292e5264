#include "engine/audio/format/AdpcmSeekTable.h"

#include <gtest/gtest.h>

#include "engine/base/ByteOrder.h"

namespace {

TEST(AdpcmSeekTable, WrittenTableReadsBack) {
    const std::vector<AdpcmSeekEntry> entries = {{0, {{{0, 0}, {0, 0}}}}, {4096, {{{-1200, 40}, {31000, 88}}}}};
    std::vector<AdpcmSeekEntry> read;
    ASSERT_TRUE(parseAdpcmSeekTable(writeAdpcmSeekTable(entries, 2), 2, &read));
    EXPECT_EQ(read, entries);
}

TEST(AdpcmSeekTable, StepIndexesPastTheTableAreClampedToItsLastEntry) {
    struct Case {
        u16 stored, read;
    };
    for (const Case c : {Case{87, 87}, Case{88, 88}, Case{89, 88}, Case{0xFFFF, 88}}) {
        std::vector<u8> bytes = writeAdpcmSeekTable(std::vector<AdpcmSeekEntry>{{0, {{{5, 0}, {}}}}}, 1);
        writeBE16(&bytes[10], c.stored);
        std::vector<AdpcmSeekEntry> read;
        ASSERT_TRUE(parseAdpcmSeekTable(bytes, 1, &read));
        EXPECT_EQ(read[0].channels[0].index, c.read) << c.stored;
    }
}

TEST(AdpcmSeekTable, TablesShorterThanTheirCountOrForOtherChannelsAreRefused) {
    const std::vector<u8> good = writeAdpcmSeekTable(std::vector<AdpcmSeekEntry>(3), 1);
    std::vector<AdpcmSeekEntry> read;
    EXPECT_TRUE(parseAdpcmSeekTable(good, 1, &read));
    EXPECT_FALSE(parseAdpcmSeekTable(std::span(good).first(good.size() - 1), 1, &read));
    EXPECT_FALSE(parseAdpcmSeekTable(good, 2, &read));
    EXPECT_FALSE(parseAdpcmSeekTable(std::span(good).first(3), 1, &read));
}

}  // namespace
