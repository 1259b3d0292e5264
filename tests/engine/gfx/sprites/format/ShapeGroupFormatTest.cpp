#include "engine/gfx/sprites/format/ShapeGroupFormat.h"

#include <gtest/gtest.h>

#include "engine/gfx/sprites/format/ShapeErrors.h"
#include "tests/engine/gfx/sprites/format/ShapeBytes.h"

namespace {

using namespace testshape;

Bytes twoFrames() { return makeGroup({frame16(2, 1, {0x1234, 0x5678}), frame16(1, 2, {0x7FFF, 0x0001})}); }

Bytes expanded(const Bytes& compressed) {
    ShapeGroupStream stream{};
    EXPECT_EQ(shapeGroupReadStream(compressed, &stream), kErrNone);
    Bytes out(kShapeGroupHeaderSize + stream.decodedSize);
    EXPECT_EQ(shapeGroupExpand(compressed, stream, out), kErrNone);
    return out;
}

TEST(ShapeGroupFormat, CompressedGroupsOfBothMethodsExpandToTheGroup) {
    for (ShapeMethod method : {ShapeMethod::A, ShapeMethod::B}) {
        const Bytes group = twoFrames();
        const Bytes compressed = shapeGroupCompress(group, method);
        ASSERT_TRUE(shapeGroupIsCompressed(compressed));
        EXPECT_FALSE(shapeGroupIsCompressed(group));
        ShapeGroupStream stream{};
        ASSERT_EQ(shapeGroupReadStream(compressed, &stream), kErrNone);
        EXPECT_EQ(stream.method, method);
        EXPECT_EQ(stream.decodedSize, group.size() - kShapeGroupHeaderSize);
        EXPECT_EQ(stream.expandedSize, group.size());
        EXPECT_EQ(expanded(compressed), group);
    }
}

TEST(ShapeGroupFormat, MethodBitsChooseTheDecoder) {
    Bytes compressed = shapeGroupCompress(twoFrames(), ShapeMethod::A);
    ShapeGroupStream stream{};
    // Both bits: B wins.
    compressed[8] |= 0xC0;
    ASSERT_EQ(shapeGroupReadStream(compressed, &stream), kErrNone);
    EXPECT_EQ(stream.method, ShapeMethod::B);
    compressed[8] &= 0x3F;
    EXPECT_EQ(shapeGroupReadStream(compressed, &stream), kShapeErrNoMethod);
}

struct HeaderCase {
    const char* name;
    size_t cut;      // bytes taken off the end of the resource
    u32 length;      // stream length written into the header, or 0 to keep it
    EngineErr expected;
};
void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.name; }

class CompressedHeaderLimits : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(CompressedHeaderLimits, StreamMustFitTheResource) {
    const HeaderCase& c = GetParam();
    Bytes compressed = shapeGroupCompress(twoFrames(), ShapeMethod::A);
    const u32 available = u32(compressed.size() - kShapeGroupStreamStart);
    if (c.length) writeBE32(compressed.data() + 12, c.length == 1 ? available : available + 1);
    compressed.resize(compressed.size() - c.cut);
    ShapeGroupStream stream{};
    EXPECT_EQ(shapeGroupReadStream(compressed, &stream), c.expected);
}

INSTANTIATE_TEST_SUITE_P(ShapeGroupFormat, CompressedHeaderLimits,
                         ::testing::Values(HeaderCase{"stream exactly fills the resource", 0, 1, kErrNone},
                                           HeaderCase{"stream one byte past the resource", 0, 2, kShapeErrDamagedGroup},
                                           HeaderCase{"resource cut inside the stream", 1, 0, kShapeErrDamagedGroup}));

TEST(ShapeGroupFormat, HeaderShorterThanTwentyBytesIsRefused) {
    Bytes compressed = shapeGroupCompress(twoFrames(), ShapeMethod::A);
    compressed.resize(kShapeGroupStreamStart - 1);
    ShapeGroupStream stream{};
    EXPECT_EQ(shapeGroupReadStream(compressed, &stream), kShapeErrDamagedGroup);
}

TEST(ShapeGroupFormat, ExpandRefusesAnOutputOfAnotherSize) {
    const Bytes compressed = shapeGroupCompress(twoFrames(), ShapeMethod::B);
    ShapeGroupStream stream{};
    ASSERT_EQ(shapeGroupReadStream(compressed, &stream), kErrNone);
    Bytes small(kShapeGroupHeaderSize + stream.decodedSize - 1);
    EXPECT_EQ(shapeGroupExpand(compressed, stream, small), kShapeErrDamagedGroup);
}

struct ClaimCase {
    const char* name;
    u32 decodedSize;
    EngineErr expected;
};
void PrintTo(const ClaimCase& c, std::ostream* os) { *os << c.name; }

class DecodedSizeClaims : public ::testing::TestWithParam<ClaimCase> {};

// A two-byte stream makes at most 252 bytes (each byte a repeat of 63 units): a header that
// claims more is refused before anything is allocated for it.
TEST_P(DecodedSizeClaims, MustBeWithinWhatTheStreamCanMake) {
    const ClaimCase& c = GetParam();
    Bytes compressed(kShapeGroupStreamStart);
    writeBE16(compressed.data() + kShapeGroupFlagsField, kShapeGroupCompressed);
    writeBE32(compressed.data() + 8, 0x80000000u | (kShapeGroupHeaderSize + c.decodedSize));
    writeBE32(compressed.data() + 12, 2);
    writeBE32(compressed.data() + 16, c.decodedSize);
    compressed.insert(compressed.end(), {127, 0});
    ShapeGroupStream stream{};
    EXPECT_EQ(shapeGroupReadStream(compressed, &stream), c.expected);
}

INSTANTIATE_TEST_SUITE_P(ShapeGroupFormat, DecodedSizeClaims,
                         ::testing::Values(ClaimCase{"as much as two stream bytes can make", 252, kErrNone},
                                           ClaimCase{"one byte more", 253, kShapeErrDamagedGroup},
                                           ClaimCase{"near 4 GB", 0xFFFFFFF0u, kShapeErrDamagedGroup}));

TEST(ShapeGroupFormat, DecodedSizeBeyondWhatTheStreamMakesIsDamaged) {
    Bytes compressed = shapeGroupCompress(twoFrames(), ShapeMethod::A);
    ShapeGroupStream stream{};
    ASSERT_EQ(shapeGroupReadStream(compressed, &stream), kErrNone);
    stream.decodedSize += 64;
    Bytes out(kShapeGroupHeaderSize + stream.decodedSize);
    EXPECT_EQ(shapeGroupExpand(compressed, stream, out), kShapeErrDamagedStream);
}

TEST(ShapeGroupFormat, ConvertsCountAndOffsetsToMachineOrder) {
    Bytes group = twoFrames();
    ASSERT_EQ(shapeGroupConvertTable(group), kErrNone);
    EXPECT_EQ(shapeGroupFrameCount(group), 2);
    std::span<u8> first = shapeGroupFrame(group, 1), second = shapeGroupFrame(group, 2);
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(first.data() - group.data(), 16);
    EXPECT_EQ(second.data() - group.data(), 16 + 12);
    EXPECT_EQ(second.size(), 12u);
    // Frame headers stay big-endian.
    EXPECT_EQ(readBE16(second.data()), 1);
    EXPECT_EQ(readBE16(second.data() + 2), 2);
    EXPECT_TRUE(shapeGroupFrame(group, 0).empty());
    EXPECT_TRUE(shapeGroupFrame(group, 3).empty());
}

TEST(ShapeGroupFormat, EmptyGroupHasNoFrames) {
    Bytes group = makeGroup({});
    ASSERT_EQ(shapeGroupConvertTable(group), kErrNone);
    EXPECT_EQ(shapeGroupFrameCount(group), 0);
    EXPECT_TRUE(shapeGroupFrame(group, 1).empty());
}

struct TableCase {
    const char* name;
    Bytes group;
    EngineErr expected;
};
void PrintTo(const TableCase& c, std::ostream* os) { *os << c.name; }

Bytes withOffset(u32 frameOffset, size_t size) {
    Bytes b;
    put16(b, 1);
    put16(b, 0);
    put32(b, 0);
    put32(b, frameOffset);
    b.resize(size, 0);
    return b;
}

Bytes withCount(u16 count, size_t size) {
    Bytes b;
    put16(b, count);
    b.resize(size, 0);
    for (u16 i = 0; i < count && 8 + 4 * size_t(i) + 4 <= size; ++i) writeBE32(b.data() + 8 + 4 * i, u32(8 + 4 * count));
    return b;
}

class FrameTableLimits : public ::testing::TestWithParam<TableCase> {};

TEST_P(FrameTableLimits, OffsetsAndHeadersMustFitTheGroup) {
    TableCase c = GetParam();
    const Bytes before = c.group;
    EXPECT_EQ(shapeGroupConvertTable(c.group), c.expected);
    if (c.expected != kErrNone) {
        EXPECT_EQ(c.group, before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ShapeGroupFormat, FrameTableLimits,
    ::testing::Values(TableCase{"shorter than the group header", Bytes(7, 0), kShapeErrDamagedGroup},
                      TableCase{"frame header ends at the end", withOffset(12, 20), kErrNone},
                      TableCase{"frame header one byte past the end", withOffset(13, 20), kShapeErrDamagedGroup},
                      TableCase{"frame starting inside the table", withOffset(11, 40), kShapeErrDamagedGroup},
                      TableCase{"frame offset near 4 GB", withOffset(0xFFFFFFFCu, 40), kShapeErrDamagedGroup},
                      TableCase{"table that fills the group", withCount(3, 20 + 8), kErrNone},
                      TableCase{"table one entry past the group", withCount(4, 20 + 3), kShapeErrDamagedGroup},
                      TableCase{"count of 65535 in a small group", withCount(65535, 64), kShapeErrDamagedGroup}));

}  // namespace
