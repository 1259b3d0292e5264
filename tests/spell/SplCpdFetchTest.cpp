#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "spell/SplCorrCtx.h"
#include "spell/SplCpdFetch.h"
#include "spell/SplVerify.h"

namespace {

const u8* bytes(const std::string& s) { return reinterpret_cast<const u8*>(s.c_str()); }

// A word list lexicon (kind 1) of one language: its words sorted, each ended by a NUL.
struct WordList {
    WordList(u8 language, std::vector<std::string> words) {
        std::sort(words.begin(), words.end());
        for (const std::string& w : words) table += w + '\0';
        list.language = language;
        list.strings = bytes(table);
        list.length = u32(table.size());
    }
    std::string table;
    SplWordList list;
};

const std::vector<std::string> kGermanWords = {"arbeit", "boot", "chor", "fisch", "haus", "schwanz", "tor", "und", "zimmer"};

TEST(SplCpdFetch, GermanSplitsWithItsJoiningRules) {
    WordList german(2, kGermanWords);
    struct Case {
        const char* word;
        u32 flags;
        std::vector<u32> segments;  // where segments begin
        int linking;                // where the linking letter stands, or -1
    };
    const Case cases[] = {
        {"hausboot", kCpdSplit, {0, 4}, -1},
        {"fischschwanz", kCpdSplit, {0, 5}, -1},
        {"arbeitszimmer", kCpdSplit | kCpdLinking, {0, 7}, 6},
        {"hausbootzimmer", kCpdSplit, {0, 4, 8}, -1},
        {"undhaus", kCpdSplit, {0, 3}, -1},
        {"hausszimmer", 0, {}, -1},  // no linking "s" after an "s"
        {"arbeitschor", 0, {}, -1},  // nor where it begins "sch"
        {"hausund", 0, {}, -1},      // "und" never ends a compound
        {"hausbo", 0, {}, -1},
        {"hausbootx", 0, {}, -1},  // each way to "x" fails, the second time without a new search
        {"haus", 0, {}, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        u8 marks[kSplMaxWord];
        std::fill(std::begin(marks), std::end(marks), u8(0xEE));
        EXPECT_EQ(splCpdFetch(bytes(c.word), *splCpdRulesFor(2), splWordListVerify, &german.list, marks), c.flags);
        if (c.flags == 0) continue;
        const std::string word = c.word;
        for (u32 i = 0; i < word.size(); ++i) {
            const bool begins = std::find(c.segments.begin(), c.segments.end(), i) != c.segments.end();
            EXPECT_EQ(marks[i], begins ? kCpdMarkSegment : int(i) == c.linking ? kCpdMarkLinking : 0) << i;
        }
    }
}

TEST(SplCpdFetch, BothLengthLimitsHoldOnEachSide) {
    WordList german(2, kGermanWords);
    struct Case {
        u32 minCompound, minSegment;
        const char* word;
        bool split;
    };
    const Case cases[] = {
        {7, 3, "haustor", true}, {8, 3, "haustor", false}, {6, 3, "haustor", true}, {6, 4, "haustor", false},
        {6, 3, "hausboot", true}, {6, 5, "hausboot", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.minCompound) + " " + std::to_string(c.minSegment) + " " + c.word);
        SplCpdRules rules;
        rules.minCompound = c.minCompound;
        rules.minSegment = c.minSegment;
        u8 marks[kSplMaxWord];
        EXPECT_EQ(splCpdFetch(bytes(c.word), rules, splWordListVerify, &german.list, marks) != 0, c.split);
    }
    // A word of the engine's longest length is never split; one letter less is.
    WordList many(2, {std::string(30, 'a'), std::string(33, 'a'), std::string(32, 'a')});
    u8 marks[kSplMaxWord];
    EXPECT_EQ(splCpdFetch(bytes(std::string(kSplMaxWord - 1, 'a')), *splCpdRulesFor(2), splWordListVerify, &many.list, marks),
              kCpdSplit);
    EXPECT_EQ(splCpdFetch(bytes(std::string(kSplMaxWord, 'a')), *splCpdRulesFor(2), splWordListVerify, &many.list, marks), 0u);
}

// Each language's rules: the shortest compound (two segments of three letters) and its own
// linking letters, which the others refuse.
TEST(SplCpdFetch, EachLanguageJoinsWithItsOwnLinkingLetters) {
    struct Case {
        u32 language;
        const char* links;  // the linking letters it takes, of "sen"
    };
    const Case cases[] = {{2, "s"}, {14, "s"}, {7, "s"}, {9, "s"}, {10, "s"}, {8, "se"}, {16, "se"}, {15, "n"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        WordList list(u8(c.language), {"abc", "xyz"});
        const SplCpdRules* rules = splCpdRulesFor(c.language);
        ASSERT_NE(rules, nullptr);
        u8 marks[kSplMaxWord];
        EXPECT_EQ(splCpdFetch(bytes("abcxyz"), *rules, splWordListVerify, &list.list, marks), kCpdSplit);
        EXPECT_EQ(splCpdFetch(bytes("abxyz"), *rules, splWordListVerify, &list.list, marks), 0u);
        for (char link : std::string("sen")) {
            const std::string word = std::string("abc") + link + "xyz";
            const bool takes = std::string(c.links).find(link) != std::string::npos;
            EXPECT_EQ(splCpdFetch(bytes(word), *rules, splWordListVerify, &list.list, marks), takes ? kCpdSplit | kCpdLinking : 0u)
                << word;
        }
    }
    for (u32 language : {0u, 1u, 3u, 4u, 5u, 6u, 11u, 12u, 17u, 19u, 22u, 24u}) EXPECT_EQ(splCpdRulesFor(language), nullptr) << language;
}

TEST(SplCpdFetch, PolishSplitsOffOneOfItsPrefixes) {
    WordList polish(23, {"dobry", "bardzo", "dom"});
    u8 marks[kSplMaxWord];
    for (const char* word : {"najdobry", "niedobry", "najdom"}) {
        EXPECT_EQ(splCpdFetch(bytes(word), *splCpdRulesFor(23), splWordListVerify, &polish.list, marks), kCpdSplit | kCpdPrefix)
            << word;
        EXPECT_EQ(marks[3], kCpdMarkSegment);
    }
    for (const char* word : {"zadobry", "najnie", "dobrybardzo"})
        EXPECT_EQ(splCpdFetch(bytes(word), *splCpdRulesFor(23), splWordListVerify, &polish.list, marks), 0u) << word;
}

// The verifier reaches the split through the context's slots, for the languages with rules
// only: never for English or Spanish, the program's own.
TEST(SplCpdFetch, TheContextInstallsCompoundsOnlyForLanguagesWithRules) {
    struct Case {
        u8 language;
        bool compounds;
    };
    for (const Case& c : {Case{2, true}, Case{7, true}, Case{23, false}, Case{1, false}, Case{4, false}, Case{3, false}}) {
        SCOPED_TRACE(int(c.language));
        WordList list(c.language, {"haus", "boot", "house", "boat"});
        SplCorrCtx* ctx = splCorrCtxCreate(1);
        ASSERT_EQ(splCorrCtxAddLexicon(&list.list, 0, 31, ctx), 1);
        EXPECT_EQ(ctx->slots[0].compoundVerify != nullptr, c.language != 1 && c.language != 4 && c.language != 3);
        SplVerifyRec rec;
        splVerifyInit(ctx, 29, c.language, &rec);
        u32 result = 0;
        EXPECT_EQ(splVerifyWord(bytes("hausboot"), &rec, &result) != 0, c.compounds);
        EXPECT_EQ(splVerifyWord(bytes("houseboat"), &rec, &result) != 0, c.compounds);
        // Without the compound option nothing is split.
        splVerifyInit(ctx, 29 & ~kVerifyCompound, c.language, &rec);
        EXPECT_EQ(splVerifyWord(bytes("hausboot"), &rec, &result), 0);
        splCorrCtxFree(ctx);
    }
}

}  // namespace
