#include <gtest/gtest.h>

#include <string>

#include "spell/SplCharSets.h"
#include "spell/SplCodePage.h"
#include "spell/SplTypoPrim.h"

namespace {

// Test words are written in code page 1252; the engine works in character set 1.
const u8* b(const char* s) {
    static std::string held[64];
    static int next = 0;
    std::string& out = held[next++ % 64];
    out.clear();
    for (const char* p = s; *p != 0; ++p) out += char(splFromCp1252(u8(*p)));
    return reinterpret_cast<const u8*>(out.c_str());
}
const u8* fold() { return splUnaccentTable(4); }

TEST(SplTypoPrim, InsertionCompare) {
    struct Case {
        const char* longer;
        const char* shorter;
        u32 inserted;
        int answer;
        u32 penalty;
    } cases[] = {
        {"house", "hose", 1, 1, 0},    {"xhouse", "house", 1, 1, 0}, {"housex", "house", 1, 1, 0},
        {"hoouse", "house", 1, 1, 0},  {"hxouxse", "house", 1, 0, 0},  // two inserted, one allowed
        {"hxouxse", "house", 2, 1, 0}, {"house", "hose", 2, 0, 0},      // lengths disagree
        {"h\xe1" "use", "hau", 2, 1, 1}, {"c\xe1" "nci\xf3n", "cancin", 1, 1, 1},
        {"abc", "xyz", 0, 0, 0},
    };
    for (const Case& c : cases) {
        u32 penalty = 0;
        EXPECT_EQ(splTypoInsertCompare(b(c.longer), b(c.shorter), fold(), c.inserted, &penalty), c.answer) << c.longer;
        if (c.answer) {
            EXPECT_EQ(penalty, c.penalty) << c.longer;
        }
    }
}

TEST(SplTypoPrim, SameLengthCompare) {
    struct Case {
        const char* typed;
        const char* candidate;
        int answer;
        u32 kind;
        u32 penalty;
    } cases[] = {
        {"ab", "ba", 1, kTypoExchange, 0},        {"house", "house", 1, kTypoAccent, 0},
        {"cancion", "canci\xf3n", 1, kTypoAccent, 1}, {"hosue", "house", 1, kTypoExchange, 0},
        {"houze", "house", 1, kTypoReplaced, 0},  {"jouse", "house", 1, kTypoFirstLetter, 0},
        {"housx", "house", 1, kTypoReplaced, 0},  {"hxusx", "house", 0, 0, 0},
        {"ohsue", "house", 0, 0, 0},              {"cnaci\xf3n", "canci\xf3n", 1, kTypoExchange, 0},
    };
    for (const Case& c : cases) {
        u32 kind = 99, penalty = 0;
        EXPECT_EQ(splTypoSameLength(b(c.typed), b(c.candidate), fold(), &kind, &penalty), c.answer) << c.typed;
        if (!c.answer) continue;
        EXPECT_EQ(kind, c.kind) << c.typed;
        EXPECT_EQ(penalty, c.penalty) << c.typed;
    }
    u32 kind = 0, penalty = 0;
    EXPECT_EQ(splTypoSameLength(b("house"), b("hous"), fold(), &kind, &penalty), 0);
}

TEST(SplTypoPrim, ToleranceChoosesTheComparison) {
    struct Case {
        const char* candidate;
        i32 tolerance;
        int answer;
        u32 kind;
    } cases[] = {
        {"house", 1, 1, kTypoAccent},   {"hose", 1, 1, kTypoExtra},   {"houses", 1, 1, kTypoMissing},
        {"housess", 1, 0, 0},           {"housess", 2, 1, kTypoMissing}, {"housess", 0, 1, kTypoMissing},
        {"hos", 1, 0, 0},               {"hos", -1, 1, kTypoExtra},    {"huose", 1, 1, kTypoExchange},
    };
    SplTypoWord typed{b("house"), 5, fold(), 0};
    for (const Case& c : cases) {
        typed.tolerance = c.tolerance;
        u32 kind = 99, penalty = 0;
        EXPECT_EQ(splTypoTolerance(b(c.candidate), &typed, &kind, &penalty), c.answer) << c.candidate << c.tolerance;
        if (c.answer) {
            EXPECT_EQ(kind, c.kind) << c.candidate;
        }
    }
}

}  // namespace
