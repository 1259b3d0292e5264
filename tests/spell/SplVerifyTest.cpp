#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/spell/SpellTestSupport.h"
#include "contentgen/lexicon/WordListWriter.h"
#include "spell/SplCorrCtx.h"
#include "spell/SplFrenchRules.h"
#include "spell/SplItalianRules.h"
#include "spell/SplVerify.h"

namespace {

using spelltest::OpenSpeller;

const std::vector<std::string> kVerifyWords = {"dog",   "cat",   "class", "well",  "known", "etc.",     "Paris",
                                           "NASA",  "McDonald", "café", "e.g.",  "don't", "O'Brien", "being"};

class SplVerifyTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = spelltest::scratch("verify");
        ASSERT_EQ(spelltest::buildSmall(dir, 1, kVerifyWords), "");
    }
    void SetUp() override { ASSERT_TRUE(speller.openDir(dir, 1)); }
    static std::filesystem::path dir;
    OpenSpeller speller;
};
std::filesystem::path SplVerifyTest::dir;

TEST_F(SplVerifyTest, ShapesAgainstEntryClasses) {
    struct Case {
        const char* word;
        bool accepted;
    };
    const Case cases[] = {
        {"dog", true},       {"Dog", true},       {"DOG", true},       {"dOG", false},     {"DoG", false},
        {"paris", false},    {"Paris", true},     {"PARIS", true},     {"nasa", false},    {"Nasa", false},
        {"NASA", true},      {"McDonald", true},  {"MCDONALD", true},  {"Mcdonald", false}, {"mcdonald", false},
        {"café", true},      {"Café", true},      {"CAFÉ", true},      {"cafe", false},    {"e.g.", true},
        {"E.G.", true},      {"E.g.", true},      {"eg", false},       {"don't", true},    {"Don't", true},
        {"O'Brien", true},   {"O'BRIEN", true},   {"o'brien", false},  {"dogg", false},    {"do", false},
    };
    for (const Case& c : cases) EXPECT_EQ(speller.verify(c.word), c.accepted) << c.word;
}

TEST_F(SplVerifyTest, FinalPeriod) {
    u32 result = 9;
    EXPECT_TRUE(speller.verify("etc.", &result));
    EXPECT_EQ(result, 1u);
    EXPECT_TRUE(speller.verify("Etc.", &result));
    EXPECT_EQ(result, 1u);
    EXPECT_FALSE(speller.verify("etc", &result));
    EXPECT_TRUE(speller.verify("dog.", &result));
    EXPECT_EQ(result, 0u);
    EXPECT_FALSE(speller.verify(".", &result));
}

TEST_F(SplVerifyTest, LengthLimits) {
    EXPECT_FALSE(speller.verify(""));
    EXPECT_EQ(speller.rec.word[0], 0);
    const std::string at63 = std::string(63, 'a'), at64 = std::string(64, 'a');
    EXPECT_FALSE(speller.verify(at63));
    EXPECT_EQ(speller.rec.word[0], 'a');
    EXPECT_FALSE(speller.verify(at64));
    EXPECT_EQ(speller.rec.word[0], 0);
}

TEST_F(SplVerifyTest, ApostropheSuffixes) {
    struct Case {
        const char* word;
        bool accepted;
    };
    const Case cases[] = {{"dog's", true},  {"Dog's", true}, {"DOG'S", true},  {"class'", true},
                          {"CLASS'", true}, {"CAT'", false}, {"dog'", false},  {"'", false},
                          {"cat'", false},  {"'s", false},   {"dog'x", false}, {"dogs'", false},
                          {"dog'ss", false}, {"Paris's", true}, {"paris's", false}};
    for (const Case& c : cases) EXPECT_EQ(speller.verify(c.word), c.accepted) << c.word;
    ASSERT_TRUE(speller.verify("dog's"));
    EXPECT_EQ(speller.rec.resultFlags & kResultSplit, kResultSplit);
    EXPECT_EQ(speller.rec.marks[3], kMarkSplit);
    EXPECT_EQ(speller.rec.marks[4], kMarkAfterSplit);
}

TEST_F(SplVerifyTest, HyphenSegments) {
    struct Case {
        const char* word;
        bool accepted;
    };
    const Case cases[] = {{"well-known", true}, {"Well-known", true}, {"well-being", true},
                          {"well-", false},     {"-well", false},     {"well--known", false},
                          {"well-knwn", false}, {"dog's-cat", true},  {"cat-dog-well", true}};
    for (const Case& c : cases) EXPECT_EQ(speller.verify(c.word), c.accepted) << c.word;
    ASSERT_TRUE(speller.verify("well-known"));
    EXPECT_EQ(speller.rec.resultFlags & kResultHyphenated, kResultHyphenated);
    const u8 marks[] = {1, 0, 0, 0, 3, 1, 0, 0, 0, 0};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(speller.rec.marks[i], marks[i]) << i;
}

TEST_F(SplVerifyTest, SplitsFollowTheOptions) {
    splVerifyInit(speller.ctx, 0, 1, &speller.rec);
    EXPECT_FALSE(speller.verify("dog's"));
    EXPECT_FALSE(speller.verify("well-known"));
    splVerifyInit(speller.ctx, kVerifySplitB, 1, &speller.rec);
    EXPECT_TRUE(speller.verify("well-known"));
    EXPECT_FALSE(speller.verify("dog's-cat"));
    // Spanish has no apostrophe rule.
    splVerifyInit(speller.ctx, 29, 4, &speller.rec);
    EXPECT_EQ(speller.rec.splitA, nullptr);
}

TEST_F(SplVerifyTest, MatchRecordsSlotMarkerAndFlag32) {
    SplCorrCtx* ctx = splCorrCtxCreate(1);
    EXPECT_EQ(splCorrCtxAddLexicon(speller.lex, 0, 31 | kSlotFlag32, ctx), 1);
    EXPECT_EQ(splCorrCtxAddLexicon(speller.lex, 0, 31, ctx), 0);
    SplVerifyRec rec;
    splVerifyInit(ctx, 29, 1, &rec);
    u32 result = 0;
    ASSERT_EQ(splVerifyWord(spelltest::bytes("Dog"), &rec, &result), 1);
    EXPECT_EQ(rec.match, ctx->slots);
    EXPECT_EQ(rec.flag32, 1u);
    EXPECT_EQ(rec.marker, 1u);
    EXPECT_EQ(rec.extra, 1u);  // the class that accepted it
    splCorrCtxReset(ctx);
    EXPECT_EQ(splCorrCtxNextSlot(ctx), ctx->slots);
    EXPECT_EQ(splCorrCtxNextSlot(ctx), nullptr);
    splCorrCtxFree(ctx);
}

TEST_F(SplVerifyTest, WordListSlotComparesAsTyped) {
    const std::string table = buildWordListTable({"gamma", "Zeta", "alpha", "beta", "gamma", "\x82t\x82"});
    EXPECT_EQ(table, std::string("Zeta\0alpha\0beta\0gamma\0\x82t\x82\0", 26));
    SplWordList list;
    list.language = 1;
    list.strings = reinterpret_cast<const u8*>(table.data());
    list.length = u32(table.size());
    SplCorrCtx* ctx = splCorrCtxCreate(2);
    ASSERT_EQ(splCorrCtxAddLexicon(&list, 0, 31, ctx), 1);
    EXPECT_EQ(ctx->slots[0].marker, 0u);
    SplVerifyRec rec;
    splVerifyInit(ctx, 29, 1, &rec);
    u32 result = 0;
    for (const char* w : {"alpha", "beta", "gamma", "Zeta", "\x82t\x82"}) EXPECT_EQ(splVerifyWord(spelltest::bytes(w), &rec, &result), 1) << w;
    for (const char* w : {"Alpha", "zeta", "delta", "gam"}) EXPECT_EQ(splVerifyWord(spelltest::bytes(w), &rec, &result), 0) << w;
    splCorrCtxFree(ctx);
    // A slot that only offers candidates verifies nothing.
    ctx = splCorrCtxCreate(1);
    ASSERT_EQ(splCorrCtxAddLexicon(&list, 0, kSlotCandidates, ctx), 1);
    splVerifyInit(ctx, 29, 1, &rec);
    EXPECT_EQ(splVerifyWord(spelltest::bytes("alpha"), &rec, &result), 0);
    splCorrCtxFree(ctx);
}

// Words the list holds as typed: one with a control byte is refused before any lookup, so
// the record keeps the word looked up before it.
TEST(SplVerifyControlBytes, AreRefusedBeforeTheLookup) {
    struct Case {
        const char* word;
        bool accepted;
    };
    const Case cases[] = {{"a\x1f", false}, {"a ", true}, {"a~", true}, {"a\x7f", false}, {"a\x80", true}, {"\x01", false}};
    std::vector<std::string> words;
    for (const Case& c : cases) words.push_back(c.word);
    const std::string table = buildWordListTable(words);
    SplWordList list;
    list.language = 1;
    list.strings = reinterpret_cast<const u8*>(table.data());
    list.length = u32(table.size());
    SplCorrCtx* ctx = splCorrCtxCreate(1);
    ASSERT_EQ(splCorrCtxAddLexicon(&list, 0, 31, ctx), 1);
    SplVerifyRec rec;
    splVerifyInit(ctx, 29, 1, &rec);
    for (const Case& c : cases) {
        u32 result = 9;
        ASSERT_EQ(splVerifyWord(spelltest::bytes("before"), &rec, &result), 0);
        EXPECT_EQ(splVerifyWord(spelltest::bytes(c.word), &rec, &result), c.accepted ? 1 : 0) << int(u8(c.word[1]));
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(rec.word)), c.accepted ? c.word : "before") << int(u8(c.word[1]));
        if (!c.accepted) {
            EXPECT_EQ(result, 0u);
        }
    }
    splCorrCtxFree(ctx);
}

TEST(SplVerifySpanish, AccentedWordsInEveryShape) {
    auto dir = spelltest::scratch("verify-es");
    ASSERT_EQ(spelltest::buildSmall(dir, 4, {"árbol", "niño", "canción", "pingüino", "España", "qué", "guerra"}), "");
    OpenSpeller speller;
    ASSERT_TRUE(speller.openDir(dir, 4));
    struct Case {
        const char* word;
        bool accepted;
    };
    const Case cases[] = {{"árbol", true},    {"Árbol", true},   {"ÁRBOL", true},    {"arbol", false},
                          {"NIÑO", true},     {"nino", false},   {"CANCIÓN", true},  {"pingüino", true},
                          {"PINGÜINO", true}, {"españa", false}, {"ESPAÑA", true},   {"que", false},
                          {"Guerra", true},   {"guera", false},  {"árbol-niño", true}};
    for (const Case& c : cases) EXPECT_EQ(speller.verify(c.word), c.accepted) << c.word;
}

}  // namespace

namespace {

TEST(SplVerifySharpS, CapitalsWithSsFindTheSharpS) {
    auto dir = spelltest::scratch("verify-de");
    ASSERT_EQ(spelltest::buildSmall(dir, 2, {"stra\xc3\x9f" "e", "Masse", "stra\xc3\x9f" "e" + std::string(57, 'x')}), "");
    spelltest::OpenSpeller speller;
    ASSERT_TRUE(speller.openDir(dir, 2));
    struct Case {
        const char* word;
        bool accepted;
        bool folded;
    };
    const Case cases[] = {{"stra\xc3\x9f" "e", true, false}, {"STRASSE", true, true},  {"STRASSE.", true, true},
                          {"Strasse", false, false},         {"strasse", false, false}, {"MASSE", true, false},
                          {"STRASE", false, false},          {"KLASSE", false, false}};  // refolded, still no word
    for (const Case& c : cases) {
        EXPECT_EQ(speller.verify(c.word), c.accepted) << c.word;
        EXPECT_EQ((speller.rec.resultFlags & kResultFolded) != 0, c.folded) << c.word;
    }
    // A word too long to verify is refused whole: its refolded capitals are not cut down to a
    // stored word at the length limit.
    // The 64-byte capitals refold to the stored 63 letters; one byte more no longer fits.
    const std::string stem = "STRASSE" + std::string(57, 'X');
    const Case limits[] = {{"", true, true}, {"Q", false, false}, {"QQQ", false, false}};
    for (const Case& c : limits) {
        EXPECT_EQ(speller.verify((stem + c.word).c_str()), c.accepted) << c.word;
        EXPECT_EQ((speller.rec.resultFlags & kResultFolded) != 0, c.folded) << c.word;
    }
    // Without the folding option the capitals are not refolded.
    splVerifyInit(speller.ctx, kVerifySplitB, 2, &speller.rec);
    EXPECT_FALSE(speller.verify("STRASSE"));
}

}  // namespace

namespace {

TEST(SplVerifyFrench, ElidedPrefixesAndInvertedPronouns) {
    auto dir = spelltest::scratch("verify-fr");
    ASSERT_EQ(spelltest::buildSmall(dir, 3, {"ami", "homme", "hibou", "y", "aime", "vient", "a", "prend", "arbre",
                                             "ici", "grand"}),
              "");
    spelltest::OpenSpeller speller;
    ASSERT_TRUE(speller.openDir(dir, 3));
    struct Case {
        const char* word;
        bool accepted;
    };
    const Case cases[] = {
        {"l'ami", true},       {"L'ami", true},          {"qu'ami", true},         {"jusqu'ici", true},
        {"l'homme", true},     {"l'hibou", false},        {"le'ami", false},       {"l'grand", false},
        {"j'y", true},         {"jusqu'y", false},        {"l'", false},           {"l'\"ami\"", false},
        {"vient-il", true},    {"a-t-il", true},          {"a-t-elle", true},      {"prend-on", true},
        {"a-il", false},       {"vient-t-il", false},     {"grand-il", true},      {"l'aime-t-il", true},
        {"arbre-ami", true},   {"arbre-l'ami", true},     {"ami-vient-il", false},
    };
    for (const Case& c : cases) EXPECT_EQ(speller.verify(c.word), c.accepted) << c.word;
}

TEST(SplFrenchRules, PrefixTableAndFit) {
    u32 at = 0;
    EXPECT_EQ(splElidedPrefix(spelltest::bytes("qu'il"), kFrenchPrefixes, 3, &at), 1u);
    EXPECT_EQ(at, 2u);
    EXPECT_EQ(splElidedPrefix(spelltest::bytes("Lorsqu'on"), kFrenchPrefixes, 3, &at), 2u);
    EXPECT_EQ(at, 6u);
    EXPECT_EQ(splElidedPrefix(spelltest::bytes("quel'x"), kFrenchPrefixes, 3, &at), 0u);
    EXPECT_EQ(splElidedPrefix(spelltest::bytes("'x"), kFrenchPrefixes, 3, &at), 0u);
    EXPECT_TRUE(splFrenchPrefixFits(spelltest::bytes("y"), 1, 3));
    EXPECT_FALSE(splFrenchPrefixFits(spelltest::bytes("y"), 2, 3));
    EXPECT_FALSE(splFrenchPrefixFits(spelltest::bytes("yeux"), 1, 3));
    EXPECT_TRUE(splFrenchPrefixFits(spelltest::bytes("\x82t\x82"), 1, 3));  // été
    EXPECT_TRUE(splFrenchPrefixFits(spelltest::bytes("homme"), 1, 3));
    EXPECT_FALSE(splFrenchPrefixFits(spelltest::bytes("Hache"), 1, 3));
    EXPECT_FALSE(splFrenchPrefixFits(spelltest::bytes("h\x83te"), 1, 3));  // hâte
    EXPECT_FALSE(splFrenchPrefixFits(spelltest::bytes("table"), 1, 3));
}

}  // namespace

namespace {

TEST(SplVerifyCyrillic, IoIsTriedAsIe) {
    auto dir = spelltest::scratch("verify-ru");
    LexBuildInput input;
    input.language = 18;
    input.words = {"\xe5\xeb\xea\xe0", "\xe4\xee\xec"};  // the words for fir tree (spelt with IE) and house
    input.rulesText = spelltest::rulesText(1);
    input.envPath = (dir / "x_phon.env").string();
    input.lexPath = (dir / "x_main.lex").string();
    LexBuildReport report;
    std::string error;
    ASSERT_TRUE(buildLexicon(input, &report, &error)) << error;
    spelltest::OpenSpeller speller;
    ASSERT_TRUE(speller.openDir(dir, 18));
    struct Case {
        const char* word;
        bool accepted;
        bool folded;
    };
    const Case cases[] = {{"\xe5\xeb\xea\xe0", true, false}, {"\xb8\xeb\xea\xe0", true, true},
                          {"\xa8\xcb\xca\xc0", true, true},  {"\xc4\xee\xec", true, false},
                          {"\xb8\xee\xec", false, false}};
    for (const Case& c : cases) {
        u32 result = 0;
        splCorrCtxReset(speller.ctx);
        EXPECT_EQ(splVerifyWord(spelltest::bytes(c.word), &speller.rec, &result) != 0, c.accepted) << c.word;
        EXPECT_EQ((speller.rec.resultFlags & kResultFolded) != 0, c.folded) << c.word;
    }
}

}  // namespace

namespace {

TEST(SplVerifyItalian, ElidedPrefixesByFirstLetter) {
    auto dir = spelltest::scratch("verify-it");
    ASSERT_EQ(spelltest::buildSmall(dir, 5, {"anima", "hotel", "hanno", "ha", "italiani", "amico", "uomo", "ora",
                                             "altro", "era", "ho"}),
              "");
    spelltest::OpenSpeller speller;
    ASSERT_TRUE(speller.openDir(dir, 5));
    struct Case {
        const char* word;
        bool accepted;
    };
    const Case cases[] = {
        {"l'anima", true},     {"L'anima", true},        {"dell'hotel", true},   {"c'hanno", true},
        {"c'hotel", false},    {"l'ha", true},           {"m'ho", true},         {"agl'italiani", true},
        {"agl'amico", false},  {"pover'uomo", true},     {"pover'anima", false}, {"senz'altro", true},
        {"mezz'ora", true},    {"zz'anima", false},      {"c'era", true},        {"c'ora", false},
        {"l'", false},         {"l'anima-l'ora", true},  {"anima-amico", true},
    };
    for (const Case& c : cases) EXPECT_EQ(speller.verify(c.word), c.accepted) << c.word;
    ASSERT_TRUE(speller.verify("dell'hotel"));
    EXPECT_EQ(speller.rec.marks[0], 2);
    EXPECT_EQ(speller.rec.marks[4], kMarkSplit);
    EXPECT_FALSE(speller.verify("c'hotel"));
    EXPECT_EQ(speller.rec.marks[1], kMarkSplit | 128);
}

TEST(SplItalianRules, FirstLetterTest) {
    struct Case {
        const char* rest;
        u32 value;
        bool fits;
    };
    const Case cases[] = {{"anima", 1, true},  {"anima", 2, false}, {"\x85", 1, true},  // à
                          {"esse", 2, true},   {"isola", 4, true},  {"ora", 8, true},   {"uomo", 16, true},
                          {"hotel", 32, true}, {"hotel", 64, false}, {"hanno", 64, true}, {"hanno", 32, false},
                          {"ha", 64, true},    {"hai", 64, true},   {"ho", 64, true},   {"hh", 127, false},
                          {"h", 127, false},   {"casa", 127, false}};
    for (const Case& c : cases)
        EXPECT_EQ(splItalianPrefixFits(spelltest::bytes(c.rest), c.value, 5), c.fits) << c.rest << " " << c.value;
}

}  // namespace
