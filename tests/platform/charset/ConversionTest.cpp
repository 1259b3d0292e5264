#include "platform/charset/Conversion.h"

#include <gtest/gtest.h>

namespace {

std::string allBytes() {
    std::string text;
    for (int c = 1; c < 256; ++c) text += char(c);
    return text;
}

TEST(Conversion, EveryByteSurvivesUtf16AndUtf8RoundTrips) {
    std::string text = allBytes();
    EXPECT_EQ(plat::utf16ToCp1252(plat::cp1252ToUtf16(text)), text);
    EXPECT_EQ(plat::utf8ToCp1252(plat::cp1252ToUtf8(text)), text);
}

TEST(Conversion, HighControlRangeUsesWindowsCharacters) {
    EXPECT_EQ(plat::cp1252ToUtf16("\x80\x99\x9F"), u"\u20AC\u2122\u0178");
    EXPECT_EQ(plat::cp1252ToUtf8("\x80" "e\xE9"), "\xE2\x82\xAC" "e\xC3\xA9");
    EXPECT_EQ(plat::utf8ToCp1252("\xC5\x93"), "\x9C");  // oe ligature
}

TEST(Conversion, UnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ(plat::utf16ToCp1252(u"a\u4E2Db"), "a?b");
    EXPECT_EQ(plat::utf8ToCp1252("a\xE4\xB8\xAD" "b"), "a?b");
    // A pair of surrogates is two units, so two characters.
    EXPECT_EQ(plat::utf16ToCp1252(u"\U0001F600"), "??");
    EXPECT_EQ(plat::utf8ToCp1252("\xF0\x9F\x98\x80"), "?");
}

TEST(Conversion, MalformedUtf8IsReplacedBytewise) {
    EXPECT_EQ(plat::utf8ToCp1252("\xC3"), "?");           // cut short
    EXPECT_EQ(plat::utf8ToCp1252("\xC0\xAF"), "??");      // overlong
    EXPECT_EQ(plat::utf8ToCp1252("\xED\xA0\x80"), "???"); // encoded surrogate
    EXPECT_EQ(plat::utf8ToCp1252("\x80z"), "?z");         // stray continuation
}

// What the user typed keeps its letters and loses what no cp1252 byte can be, never a '?'
// standing for it.
TEST(Conversion, TypedTextLeavesOutWhatCp1252CannotHold) {
    struct Case {
        const char* utf8;
        const char* cp1252;
    };
    const Case cases[] = {
        {"ni\xC3\xB1o \xC2\xBFqu\xC3\xA9?", "ni\xF1o \xBFqu\xE9?"},
        {"\xE2\x82\xAC\xC5\x93", "\x80\x9C"},
        {"a\xE4\xB8\xAD" "b\xF0\x9F\x98\x80", "ab"},
        {"\xC3" "a\xC0\xAF\xED\xA0\x80\x80z", "az"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(plat::typedUtf8ToCp1252(c.utf8), c.cp1252) << c.utf8;
}

}  // namespace
