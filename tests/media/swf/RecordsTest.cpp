#include <gtest/gtest.h>

#include "media/swf/Records.h"
#include "tests/media/swf/SwfTestSupport.h"

using namespace swf;
using swftest::Bytes;
using swftest::Contents;

namespace {

template <class Record, class Writer, class Reader>
Record RoundTrip(const Record& record, Writer write, Reader read) {
    mstream s(16);
    EXPECT_EQ(write(s, record), kOk);
    s.SetPosition(0);
    Record back;
    EXPECT_EQ(read(s, back), kOk);
    return back;
}

}  // namespace

TEST(SwfMatrix, IdentityTakesSevenBits) {
    mstream s(16);
    ASSERT_EQ(WriteMatrix(s, Matrix{}), kOk);
    EXPECT_EQ(s.Position(), 0u);
    EXPECT_EQ(s.BitOffset(), 7u);
    EXPECT_EQ(Contents(s), Bytes{0x00});
}

TEST(SwfMatrix, ScaleFlagWithZeroWidthReadsAsOne) {
    mstream s(16);
    // HasScale 1, NScaleBits 0, HasRotate 0, NTranslateBits 0.
    ASSERT_EQ(s.WriteBits(12, 0b100000000000), kOk);
    s.SetPosition(0);
    Matrix m;
    m.scaleX = 5;
    ASSERT_EQ(ReadMatrix(s, m), kOk);
    EXPECT_EQ(m, Matrix{});
}

TEST(SwfMatrix, EveryPartSurvives) {
    const Matrix m{-0x18000, 77, -3, 0x7FFF, 20000, -1};
    EXPECT_EQ(RoundTrip(m, WriteMatrix, ReadMatrix), m);
}

TEST(SwfRect, WidestValueSetsTheWidth) {
    const Rect r{-200, 5, 11000, 8000};
    mstream s(16);
    ASSERT_EQ(WriteRect(s, r), kOk);
    s.SetPosition(0);
    u32 bits = 0;
    ASSERT_EQ(s.ReadBits(5, bits), kOk);
    EXPECT_EQ(bits, 15u);
    s.SetPosition(0);
    Rect back;
    ASSERT_EQ(ReadRect(s, back), kOk);
    EXPECT_EQ(back, r);
}

TEST(SwfRect, ValuesNeedingAll32BitsAreRefused) {
    mstream s(16);
    EXPECT_EQ(WriteRect(s, Rect{0, 0, 0x40000000, 0}), kErrBadData);
}

TEST(SwfCxform, OnlyAddTermsLeaveTheMultiplyFlagClear) {
    Cxform c;
    c.add[0] = 5;
    mstream s(16);
    ASSERT_EQ(WriteCxform(s, c, false), kOk);
    s.SetPosition(0);
    u32 flags = 0;
    ASSERT_EQ(s.ReadBits(2, flags), kOk);
    EXPECT_EQ(flags, 0b10u);
    s.SetPosition(0);
    Cxform back;
    ASSERT_EQ(ReadCxform(s, back, false), kOk);
    EXPECT_EQ(back, c);
}

TEST(SwfCxform, AlphaMultiplyAloneStillWritesTheMultiplyTerms) {
    Cxform c;
    c.mul[3] = 128;
    mstream s(16);
    ASSERT_EQ(WriteCxform(s, c, true), kOk);
    s.SetPosition(0);
    u32 hasAdd = 0, hasMul = 0, bits = 0;
    ASSERT_EQ(s.ReadBits(1, hasAdd), kOk);
    ASSERT_EQ(s.ReadBits(1, hasMul), kOk);
    ASSERT_EQ(s.ReadBits(4, bits), kOk);
    EXPECT_EQ(hasAdd, 0u);
    EXPECT_EQ(hasMul, 1u);
    s.SetPosition(0);
    Cxform back;
    ASSERT_EQ(ReadCxform(s, back, true), kOk);
    EXPECT_EQ(back.mul[3], 128);
    EXPECT_EQ(back, c);
}

TEST(SwfCxform, WithoutAlphaTheAlphaTermsStayIdentity) {
    Cxform c;
    c.mul[0] = -3;
    c.mul[3] = 7;
    c.add[3] = 9;
    const auto write = [](stream& s, const Cxform& x) { return WriteCxform(s, x, false); };
    const auto read = [](stream& s, Cxform& x) { return ReadCxform(s, x, false); };
    const Cxform back = RoundTrip(c, write, read);
    EXPECT_EQ(back.mul[0], -3);
    EXPECT_EQ(back.mul[3], 256);
    EXPECT_EQ(back.add[3], 0);
}

TEST(SwfCxform, TermsWiderThanFifteenBitsAreRefused) {
    Cxform c;
    c.add[1] = 0x4000;
    mstream s(16);
    EXPECT_EQ(WriteCxform(s, c, false), kErrBadData);
}

TEST(SwfCxform, ApplyMultipliesAddsAndClamps) {
    Cxform c;
    c.mul[0] = 128;
    c.add[1] = 300;
    c.mul[2] = -256;
    Rgba colour{200, 10, 50, 255};
    ApplyCxform(colour, c);
    EXPECT_EQ(colour, (Rgba{100, 255, 0, 255}));
}

// The most negative value of a width fits it, though its magnitude asks for one bit more.
TEST(SwfFieldWidths, MostNegativeValuesOfTheWidestFieldsAreWritten) {
    const Rect rect{-0x40000000, 0, 5, -0x40000000};
    EXPECT_EQ(RoundTrip(rect, WriteRect, ReadRect), rect);
    Matrix matrix;
    matrix.scaleX = -0x40000000;
    matrix.rotateSkew1 = -0x40000000;
    matrix.translateY = -0x40000000;
    EXPECT_EQ(RoundTrip(matrix, WriteMatrix, ReadMatrix), matrix);
    Cxform cxform;
    cxform.add[1] = -0x4000;
    cxform.mul[2] = -0x4000;
    const auto writeCxform = [](stream& s, const Cxform& c) { return WriteCxform(s, c, true); };
    const auto readCxform = [](stream& s, Cxform& c) { return ReadCxform(s, c, true); };
    EXPECT_EQ(RoundTrip(cxform, writeCxform, readCxform), cxform);
}
