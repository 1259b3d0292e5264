#include "platform/charset/Characters.h"

#include <gtest/gtest.h>

namespace {

TEST(Characters, AlnumCoversCp1252LettersButNotSigns) {
    const int letters[] = {'0', '9', 'A', 'z', 0x8A, 0x9F, 0xC0, 0xDF, 0xE9, 0xFF, 0xAA, 0xB5};
    const int signs[] = {' ', '/', ':', '@', '[', '`', '{', 0x80, 0x85, 0xA0, 0xD7, 0xF7};
    for (int c : letters) {
        EXPECT_TRUE(plat::charIsAlnum(uint8_t(c))) << c;
    }
    for (int c : signs) {
        EXPECT_FALSE(plat::charIsAlnum(uint8_t(c))) << c;
    }
}

TEST(Characters, CaseMapsPairsBothWays) {
    const uint8_t pairs[][2] = {{'a', 'A'}, {'z', 'Z'}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E},
                                {0xFF, 0x9F}, {0xE0, 0xC0}, {0xFE, 0xDE}};
    for (const auto& pair : pairs) {
        EXPECT_EQ(plat::charUpper(pair[0]), pair[1]);
        EXPECT_EQ(plat::charLower(pair[1]), pair[0]);
    }
}

TEST(Characters, CaseLeavesUnpairedCharactersAlone) {
    const int unpaired[] = {'1', '@', 0xDF, 0xB5, 0x83, 0xF7, 0xD7};
    for (int c : unpaired) {
        EXPECT_EQ(plat::charUpper(uint8_t(c)), c) << c;
        EXPECT_EQ(plat::charLower(uint8_t(c)), c) << c;
    }
}

TEST(Characters, Cp1252StepsOneByteAtATime) {
    const char text[] = "a\x82\x9F";
    EXPECT_FALSE(plat::charIsLeadByte(0x82));
    EXPECT_EQ(plat::charNext(text), text + 1);
    EXPECT_EQ(plat::charNext(text + 1), text + 2);
    EXPECT_EQ(plat::charNext(text + 3), text + 3);
    EXPECT_EQ(plat::charPrev(text, text + 3), text + 2);
    EXPECT_EQ(plat::charPrev(text, text), text);
}

TEST(Characters, InjectedLeadBytesMakeDoubleByteCharacters) {
    plat::LeadByteTable table{};
    table[0x82] = true;
    plat::ScopedLeadByteTable scoped(table);
    const char text[] = "a\x82\x9F" "b\x82";
    EXPECT_EQ(plat::charNext(text + 1), text + 3);
    EXPECT_EQ(plat::charPrev(text, text + 3), text + 1);
    EXPECT_EQ(plat::charPrev(text, text + 4), text + 3);
    // A lead byte right before the end is a character of its own.
    EXPECT_EQ(plat::charNext(text + 4), text + 5);
}

TEST(Characters, ScopedTableIsRemovedAfterUse) {
    {
        plat::LeadByteTable table{};
        table[0x82] = true;
        plat::ScopedLeadByteTable scoped(table);
        EXPECT_TRUE(plat::charIsLeadByte(0x82));
    }
    EXPECT_FALSE(plat::charIsLeadByte(0x82));
}

}  // namespace
