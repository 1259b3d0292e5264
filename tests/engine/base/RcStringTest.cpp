#include "engine/base/RcString.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/engine/base/TextTestSupport.h"

namespace {

TEST(RcString, EmptyAndNullTextsGiveTheEmptyString) {
    for (const RcString& s : {RcString(""), RcString(nullptr), RcString("abc", 0), RcString()}) {
        EXPECT_STREQ(s.c_str(), "");
        EXPECT_EQ(s.Length(), 0);
        EXPECT_EQ(s.ByteLength(), 0);
    }
}

TEST(RcString, GivenLengthCountsCharactersAndStopsAtTheEnd) {
    RcString part("abcdef", 3);
    EXPECT_STREQ(part.c_str(), "abc");
    EXPECT_EQ(part.ByteLength(), 3);
    RcString cut("ab", 10);
    EXPECT_STREQ(cut.c_str(), "ab");
    EXPECT_EQ(cut.Length(), 2);
}

TEST(RcString, CopiesShareOneBlockAndOutliveEachOther) {
    RcString first("shared");
    {
        RcString copy(first);
        EXPECT_EQ(copy.c_str(), first.c_str());
        RcString assigned;
        assigned = first;
        EXPECT_EQ(assigned.c_str(), first.c_str());
        RcString reused("other text");
        reused.InitCopy(first);
        EXPECT_EQ(reused.c_str(), first.c_str());
    }
    EXPECT_STREQ(first.c_str(), "shared");
    first = first;
    EXPECT_STREQ(first.c_str(), "shared");
}

TEST(RcString, DoubleByteCharactersCountOnce) {
    DoubleByteText dbcs;
    RcString s("a\x81\x40" "b\x82\x41");
    EXPECT_EQ(s.ByteLength(), 6);
    EXPECT_EQ(s.Length(), 4);
    RcString two("\x81\x40\x82\x41z", 2);
    EXPECT_EQ(two.ByteLength(), 4);
    EXPECT_EQ((two + s).Length(), 6);
}

TEST(RcString, ConcatenationBuildsNewBlockAndLeavesOperands) {
    RcString left("ab");
    RcString right("cd");
    const char* leftText = left.c_str();
    RcString sum = left + right;
    EXPECT_STREQ(sum.c_str(), "abcd");
    EXPECT_EQ(sum.Length(), 4);
    EXPECT_EQ(left.c_str(), leftText);
    EXPECT_STREQ((left + nullptr).c_str(), "ab");
    EXPECT_EQ((RcString() + "").ByteLength(), 0);

    RcString kept(left);
    left.Append("x");
    left.AppendString(right);
    left.Append(nullptr);
    left.AppendString(RcString());
    EXPECT_STREQ(left.c_str(), "abxcd");
    EXPECT_STREQ(kept.c_str(), "ab");
}

TEST(RcString, RefusesTextsOf65535BytesOrMore) {
    std::string longest(65534, 'x');
    RcString full(longest.c_str());
    EXPECT_EQ(full.ByteLength(), 65534);
    EXPECT_THROW(RcString((longest + "y").c_str()), std::length_error);

    RcString before(full);
    EXPECT_THROW(full.Append("y"), std::length_error);
    EXPECT_THROW(full.AppendString(RcString("y")), std::length_error);
    EXPECT_THROW(static_cast<void>(full + "y"), std::length_error);
    EXPECT_EQ(full.c_str(), before.c_str());
    EXPECT_EQ(full.ByteLength(), 65534);
}

TEST(RcString, InitFromWideConvertsToCp1252) {
    RcString s("old");
    s.InitFromWide(u"caf\u00E9 \u20AC");
    EXPECT_STREQ(s.c_str(), "caf\xE9 \x80");
    EXPECT_EQ(s.Length(), 6);
    s.InitFromWide(u"abcdef", 2);
    EXPECT_STREQ(s.c_str(), "ab");
    s.InitFromWide(nullptr);
    EXPECT_EQ(s.ByteLength(), 0);
    s.InitFromWide(u"");
    EXPECT_STREQ(s.c_str(), "");
}

}  // namespace
