#include "engine/base/TextUtils.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/engine/base/TextTestSupport.h"

namespace {

// "a", a double-byte character, "b", another double-byte character.
constexpr char kMixed[] = "a\x81\x40" "b\x82\x41";

TEST(TextUtils, StepsByWholeCharacters) {
    DoubleByteText dbcs;
    EXPECT_EQ(strCharNext(kMixed + 1), kMixed + 3);
    EXPECT_EQ(strCharPrev(kMixed, kMixed + 3), kMixed + 1);
    EXPECT_EQ(strCharSize(kMixed + 1), 2u);
    EXPECT_EQ(strCharSize(kMixed + 6), 1u);
    EXPECT_TRUE(strIsLeadByte(kMixed + 1));
    EXPECT_FALSE(strIsLeadByte(kMixed));
    EXPECT_EQ(strCharCount(kMixed), 4u);
    EXPECT_EQ(strLength(kMixed), 6u);
}

TEST(TextUtils, SkipCharsGivesNullWhenTextEndsFirst) {
    DoubleByteText dbcs;
    EXPECT_EQ(strSkipChars(kMixed, 0), kMixed);
    EXPECT_EQ(strSkipChars(kMixed, 2), kMixed + 3);
    EXPECT_EQ(strSkipChars(kMixed, 4), kMixed + 6);
    EXPECT_EQ(strSkipChars(kMixed, 5), nullptr);
}

TEST(TextUtils, NCopyCharsWritesTerminatorOnlyWhenRoomIsLeft) {
    char out[8];
    std::memset(out, '#', sizeof out);
    strNCopyChars(out, "abc", 3);
    EXPECT_EQ(std::string(out, 4), "abc#");
    strNCopyChars(out, "abc", 4);
    EXPECT_STREQ(out, "abc");

    DoubleByteText dbcs;
    std::memset(out, '#', sizeof out);
    strNCopyChars(out, "a\x81\x40", 2);
    EXPECT_EQ(std::string(out, 3), std::string("a\0#", 3));
}

TEST(TextUtils, CopiesAndAppendsWithTerminator) {
    char out[16] = "x";
    strConcat(out, "yz");
    EXPECT_STREQ(out, "xyz");
    strCopy(out, "q");
    EXPECT_STREQ(out, "q");

    DoubleByteText dbcs;
    char one[4] = "###";
    strCopyChar(one, "\x82\x41z");
    EXPECT_EQ(std::string(one, 3), "\x82\x41#");
}

TEST(TextUtils, CompareUsesUnsignedBytes) {
    EXPECT_EQ(strCompare("abc", "abc"), 0);
    EXPECT_EQ(strCompare("abc", "abd"), -1);
    EXPECT_EQ(strCompare("\xE9", "z"), 1);
    EXPECT_EQ(strCompare("ab", "a"), 1);
}

TEST(TextUtils, NCompareCharsUsesSignedFirstBytes) {
    EXPECT_EQ(strNCompareChars("abcx", "abcy", 3), 0);
    EXPECT_EQ(strNCompareChars("abx", "aby", 3), 'x' - 'y');
    EXPECT_LT(strNCompareChars("\xE9", "z", 1), 0);
    EXPECT_EQ(strNCompareChars("ab", "ab", 10), 0);
    EXPECT_EQ(strNCompareChars("ab", "abc", 10), -'c');

    DoubleByteText dbcs;
    // The second byte of a double-byte character is not compared.
    EXPECT_EQ(strNCompareChars("\x81\x40z", "\x81\x41z", 2), 0);
}

TEST(TextUtils, CompareNoCaseFoldsSingleByteCharacters) {
    EXPECT_EQ(strCompareNoCase("Hello", "hELLO"), 0);
    EXPECT_EQ(strCompareNoCase("caf\xE9", "CAF\xC9"), 0);
    EXPECT_LT(strCompareNoCase("abc", "ABD"), 0);
    EXPECT_GT(strCompareNoCase("abc", "AB"), 0);

    DoubleByteText dbcs;
    // 0x81 is a lead byte here, so it is not folded against its neighbour.
    EXPECT_NE(strCompareNoCase("\x81\x40", "a"), 0);
}

TEST(TextUtils, FindCharMatchesWholeCharacters) {
    const char text[] = "abcabc";
    EXPECT_EQ(strFindChar(text, "c"), text + 2);
    EXPECT_EQ(strFindLastChar(text, "c"), text + 5);
    EXPECT_EQ(strFindChar(text, "z"), nullptr);
    EXPECT_EQ(strFindLastChar(text, "z"), nullptr);
    EXPECT_EQ(strFindChar("", "a"), nullptr);

    DoubleByteText dbcs;
    // 0x40 hides inside the double-byte character and must not be found there.
    const char dbText[] = "\x81\x40@\x81\x40";
    EXPECT_EQ(strFindChar(dbText, "@"), dbText + 2);
    EXPECT_EQ(strFindLastChar(dbText, "\x81\x40"), dbText + 3);
    EXPECT_EQ(strFindChar(dbText, "\x81\x41"), nullptr);
}

TEST(TextUtils, AlnumFollowsTheCodePage) {
    EXPECT_TRUE(strIsAlnum("\xE9"));
    EXPECT_TRUE(strIsAlnum("7"));
    EXPECT_FALSE(strIsAlnum("-"));
}

}  // namespace
