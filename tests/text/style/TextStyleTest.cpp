// Text styles: partial styles merged and intersected, names kept terminated.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "text/style/TextStyle.h"

namespace {

TEST(TextStyleName, LongNamesKeepTheirTerminatingNul) {
    struct Case {
        std::string given;
        std::string kept;
    };
    const Case cases[] = {
        {std::string(31, 'a'), std::string(31, 'a')},
        {std::string(32, 'b'), std::string(31, 'b')},
        {std::string(40, 'c'), std::string(31, 'c')},
        {"", ""},
    };
    for (const Case& c : cases) {
        TextStyle style;
        style.Set(c.given.c_str(), 12, 0, GfxColor{});
        EXPECT_EQ(style.name[kGfxFontNameSize - 1], '\0') << c.given.size();
        EXPECT_EQ(std::string(style.name), c.kept) << c.given.size();
    }
}

TEST(TextStyleBits, StatesBecomeFontBitsAndBack) {
    TextStyle style;
    EXPECT_EQ(style.StyleBits(), 0);
    style.Set("Sans", 12, kGfxFontBold | kGfxFontUnderline, GfxColor::rgb(1, 2, 3));
    EXPECT_EQ(style.bold, kStyleOn);
    EXPECT_EQ(style.italic, kStyleOff);
    EXPECT_EQ(style.underline, kStyleOn);
    EXPECT_EQ(style.StyleBits(), kGfxFontBold | kGfxFontUnderline);
}

TEST(TextStyleMerge, OnlySetPartsApply) {
    TextStyle base;
    base.Set("Serif", 12, kGfxFontItalic, GfxColor::rgb(9, 9, 9));
    TextStyle change;
    change.bold = kStyleOn;
    base.Merge(change);
    EXPECT_STREQ(base.name, "Serif");
    EXPECT_EQ(base.size, 12);
    EXPECT_EQ(base.bold, kStyleOn);
    EXPECT_EQ(base.italic, kStyleOn);
    EXPECT_EQ(base.color.red, 9);
    change.size = 30;
    change.color = GfxColor::rgb(1, 0, 0);
    std::strcpy(change.name, "Mono");
    base.Merge(change);
    EXPECT_STREQ(base.name, "Mono");
    EXPECT_EQ(base.size, 30);
    EXPECT_EQ(base.color.red, 1);
}

TEST(TextStyleIntersect, DifferencesBecomeNotSet) {
    TextStyle a;
    a.Set("Serif", 12, kGfxFontBold, GfxColor::rgb(1, 1, 1));
    TextStyle b;
    b.Set("Sans", 12, kGfxFontBold | kGfxFontItalic, GfxColor::rgb(2, 2, 2));
    a.Intersect(b);
    EXPECT_STREQ(a.name, "");
    EXPECT_EQ(a.size, 12);
    EXPECT_EQ(a.bold, kStyleOn);
    EXPECT_EQ(a.italic, kStyleNotSet);
    EXPECT_EQ(a.color.GetKind(), -1);
    TextStyle unset;
    TextStyle c = b;
    c.Intersect(unset);  // what one side leaves open does not clear the other
    EXPECT_EQ(c, b);
}

}  // namespace
