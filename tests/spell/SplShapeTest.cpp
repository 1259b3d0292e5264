#include <gtest/gtest.h>

#include <string>

#include "spell/SplCompat.h"
#include "spell/SplErrors.h"
#include "spell/SplShape.h"

namespace {

const u8* b(const std::string& s) { return reinterpret_cast<const u8*>(s.c_str()); }

std::string form(const u8* out) { return reinterpret_cast<const char*>(out); }

struct ShapeCase {
    std::string word;
    u32 flags;
    std::string lookup;
};

TEST(SplShape, FlagsAndLookupForms) {
    const std::string sep(1, char(kSplLrSep));
    const ShapeCase cases[] = {
        {"word", 1, "word"},
        {"Word", 2, "word"},
        {"WORD", 3, "word"},
        {"WoRd", 16, "word" + sep + "WoRd"},
        {"wORD", 16, "word" + sep + "wORD"},
        {"etc.", 5, "etc"},
        {"Etc.", 6, "etc"},
        {"ETC.", 7, "etc"},
        {"e.g.", 9, "eg"},
        {"E.g.", 10, "eg"},
        {"E.G.", 11, "eg"},
        {"U.S.A.", 11, "usa"},
        {"a.b", 16, "a.b" + sep + "a.b"},
        {"x.yz.", 20, "x.yz" + sep + "x.yz"},
        {"123", 16, "123" + sep + "123"},
        {"don't", 1, "don't"},
        {"I", 3, "i"},
        {"i.", 5, "i"},
        {"A.", 7, "a"},
        {"\x82l\xa0", 16, "\x82l\xa0" + sep + "\x82l\xa0"},  // letters language 1 does not write
    };
    for (const ShapeCase& c : cases) {
        u8 out[kSplShapeOutSize];
        EXPECT_EQ(do_flag(b(c.word), out, 1), c.flags) << c.word;
        EXPECT_EQ(form(out), c.lookup) << c.word;
    }
}

TEST(SplShape, SpanishAccentedLettersAreLetters) {
    u8 out[kSplShapeOutSize];
    EXPECT_EQ(do_flag(b("\xb5rbol"), out, 4), 2u);  // Árbol
    EXPECT_EQ(form(out), "\xa0rbol");
    EXPECT_EQ(do_flag(b("NI\xa5O"), out, 4), 3u);  // NIÑO
    EXPECT_EQ(form(out), "ni\xa4o");
}

TEST(SplShape, SeparatorAndLengthLimits) {
    u8 out[kSplShapeOutSize];
    EXPECT_EQ(do_flag(b("ab\x08" "cd"), out, 1), 0u);
    const std::string longest(63, 'a'), tooLong(64, 'a');
    EXPECT_EQ(doflags(b(longest), out, 1), 1u);
    EXPECT_EQ(doflags(b(tooLong), out, 1), 0u);
    EXPECT_EQ(doflags(b(""), out, 1), 0u);
    // An odd word of 63 characters with its spelling fits; of 64 (through do_flag) it does not.
    const std::string odd63 = "A" + std::string(61, 'a') + "A", odd64 = odd63 + "a";
    EXPECT_EQ(do_flag(b(odd63), out, 1), 16u);
    EXPECT_EQ(do_flag(b(odd64), out, 1), 0u);
}

TEST(SplShape, LigatureLanguages) {
    u8 out[kSplShapeOutSize];
    EXPECT_EQ(do_flag(b("IJssel"), out, 10), 2u);
    EXPECT_EQ(form(out), "ijssel");
    EXPECT_EQ(do_flag(b("iJs"), out, 10) & 16u, 16u);
    EXPECT_EQ(do_flag(b("Aepfel"), out, 14), 2u);
    EXPECT_EQ(form(out), "\x84pfel");
}

TEST(SplShape, PairsMarksAndKinds) {
    u8 out[kSplShapeOutSize];
    EXPECT_EQ(pair_dof(b("left\x08Right"), out, 1), 2u);
    EXPECT_EQ(form(out), "left\x08right");
    EXPECT_EQ(pair_dof(b("left\x08RiGht"), out, 1), 16u);
    EXPECT_EQ(form(out), "left\x06\x08RiGht");
    EXPECT_EQ(pair_dof(b("noseparator"), out, 1), 0u);
    EXPECT_EQ(hyph_dof(b("hy\x05phen"), out, 1), 16u);
    EXPECT_EQ(splEntryKind(b("plain")), 1);
    EXPECT_EQ(splEntryKind(b("ma\x04rk")), 2);
    EXPECT_EQ(splEntryKind(b("pa\x04ir\x08x")), 3);
}

TEST(SplCompat, Table) {
    struct Row {
        u32 word;
        std::vector<u32> accepted;
    };
    const Row rows[] = {{1, {1}},          {2, {1, 2}},       {3, {1, 2, 3, 11}}, {5, {1, 5}},
                        {6, {1, 2, 5, 6}}, {7, {1, 2, 3, 5, 6, 7, 11}},           {9, {9}},
                        {10, {9, 10}},     {11, {9, 10, 11}}, {16, {16}},         {20, {16, 20}},
                        {4, {}},           {8, {}},           {0, {}},            {21, {}}};
    for (const Row& row : rows)
        for (u32 c = 0; c < 256; ++c) {
            bool expected = std::find(row.accepted.begin(), row.accepted.end(), c) != row.accepted.end();
            EXPECT_EQ(compatfl(row.word, c), expected) << row.word << " class " << c;
        }
}

}  // namespace
