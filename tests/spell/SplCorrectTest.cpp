#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "spell/SplCorrect.h"
#include "spell/SplErrors.h"
#include "spell/SplScore.h"
#include "spell/SplShape.h"

namespace {

const u8* text(const std::string& s) { return reinterpret_cast<const u8*>(s.c_str()); }

std::string ranked(const SplCorrectReq& req, u32 rank) {
    return reinterpret_cast<const char*>(req.entries[req.order[rank]].word);
}

struct Ranking : ::testing::Test {
    SplCorrectReq req;
    void SetUp() override { splCorrectInit(nullptr, 0, 4, &req); }
    void fill(u32 n, u32 score) {
        for (u32 i = 0; i < n; ++i) splCorrInsert(text("w" + std::to_string(i)), 1, score, &req);
    }
};

TEST_F(Ranking, SeventeenthBetterCandidateEvictsTheSixteenth) {
    for (u32 i = 0; i < 16; ++i) splCorrInsert(text("w" + std::to_string(i)), 1, 50000 - i, &req);
    EXPECT_EQ(req.count, 16u);
    EXPECT_EQ(req.threshold, 50000u - 15 + 1);
    splCorrInsert(text("better"), 1, 49990, &req);
    EXPECT_EQ(req.count, 16u);
    EXPECT_EQ(ranked(req, 11), "better");  // after w10, its equal
    EXPECT_EQ(ranked(req, 15), "w14");
    for (u32 r = 0; r < 16; ++r) EXPECT_NE(ranked(req, r), "w15");
}

TEST_F(Ranking, CandidateNoBetterThanAFullListIsDropped) {
    fill(16, 40000);
    for (u32 score : {40000u, 39999u}) {
        splCorrInsert(text("late"), 1, score, &req);
        for (u32 r = 0; r < 16; ++r) EXPECT_NE(ranked(req, r), "late") << score;
    }
}

TEST_F(Ranking, DuplicateKeepsTheBetterScore) {
    splCorrInsert(text("a"), 1, 40000, &req);
    splCorrInsert(text("b"), 1, 45000, &req);
    splCorrInsert(text("a"), 1, 30000, &req);
    EXPECT_EQ(req.count, 2u);
    EXPECT_EQ(req.entries[req.order[1]].score, 40000u);
    splCorrInsert(text("a"), 1, 50000, &req);
    EXPECT_EQ(req.count, 2u);
    EXPECT_EQ(ranked(req, 0), "a");
    EXPECT_EQ(req.entries[req.order[0]].score, 50000u);
    EXPECT_EQ(ranked(req, 1), "b");
    // The same word of another class is another suggestion.
    splCorrInsert(text("a"), 2, 1000, &req);
    EXPECT_EQ(req.count, 3u);
}

TEST_F(Ranking, SixteenTopScoresClampTheThreshold) {
    fill(16, kCorrTopScore);
    EXPECT_EQ(req.threshold, kCorrTopScore);
    EXPECT_EQ(splCorrInsert(text("more"), 1, kCorrTopScore, &req), kCorrTopScore);
    EXPECT_EQ(req.count, 16u);
}

TEST_F(Ranking, TierScoresAndTheTierLimit) {
    struct Case {
        u32 tier, penalty, score;
        bool listed;
    } cases[] = {{0, 0, 65535, true}, {4, 0, 65464, true}, {5, 1, 65478, true}, {6, 0, 0, false}};
    for (const Case& c : cases) {
        SplCorrectReq r;
        splCorrectInit(nullptr, 0, 4, &r);
        splCorrTierCallback(&r, text("x"), 1, c.tier, c.penalty);
        ASSERT_EQ(r.count, c.listed ? 1u : 0u) << c.tier;
        if (c.listed) {
            EXPECT_EQ(r.entries[0].score, c.score);
        }
    }
}

struct Offer {
    const char* word;
    u8 cls;
};

// A generator offering fixed candidates (its "lexicon"), best first: what becomes of them
// is then the re-ranking and the surface forms alone.
void offerAll(const u8*, u32, void* lexicon, SplCorrectReq* req) {
    u32 score = 60000;
    for (const Offer& o : *static_cast<std::vector<Offer>*>(lexicon)) splCorrInsert(text(o.word), o.cls, score--, req);
}

std::vector<std::string> corrected(const std::string& word, std::vector<Offer> offers, u32 capitalise = 0) {
    SplSlot slot;
    slot.lexicon = &offers;
    slot.language = 1;
    slot.flags = kSlotCandidates;
    slot.candidates = offerAll;
    SplCorrCtx ctx;
    ctx.slots = &slot;
    ctx.end = &slot + 1;
    SplCorrectReq req;
    splCorrectInit(&ctx, kCorrModeCandidates, 1, &req);
    std::vector<std::string> out;
    for (const u8* const* r = splCorrectWord(text(word), &req, capitalise); *r != nullptr; ++r)
        out.push_back(reinterpret_cast<const char*>(*r));
    return out;
}

// Candidates keep their rank when they have nearly as many letters in common with the word as
// the best one (two fewer at most) and as the word less four; a possessive ending goes back on.
TEST(SplCorrectWord, KeptCandidatesAndTheirSurfaceForms) {
    struct Case {
        const char* word;
        std::vector<Offer> offers;
        std::vector<std::string> expected;
        u32 capitalise = 0;
    };
    const Case cases[] = {
        {"abcdef", {{"abcdefx", 1}, {"abcdxy", 1}, {"abcxyz", 1}}, {"abcdefx", "abcdxy"}},  // 6, 4 kept, 3 not
        {"abcdefgh", {{"abcdxxxx", 1}, {"abcxxxxx", 1}}, {"abcdxxxx"}},                    // 4 = 8 - 4 kept, 3 not
        {"ab", {{"xy", 1}}, {"xy"}},  // nothing in common is dropped only past two letters
        {"abc", {{"xyz", 1}}, {}},
        {"dgo", {{"dog", 1}}, {"Dog"}, 1},
        {"dgo", {{"dog", kIwProper}, {"god", kIwCaps}}, {"Dog", "GOD"}},
        {"DGO", {{"dog", 1}}, {"DOG"}},
        {"dgo's", {{"do's", 1}, {"dog", 1}}, {"dog's"}},  // no second possessive
        {"DGO'S", {{"dog", 1}}, {"DOG'S"}},
        {"dgo's", {{"dog", kIwCaps}}, {}},                // nor one after capitals
        {"clas'", {{"class", 1}, {"clast", 1}}, {"class'"}},  // a bare apostrophe follows an s
        {"CLAS'", {{"CLASS", 1}, {"CLAST", 1}}, {"CLASS'"}},
        {"x'", {{"xs", 1}}, {"xs'"}},
        // Small letters typed: small-letter words before names and capitals, in their order.
        {"abcdef", {{"abcdefx", kIwProper}, {"abcdefw", kIwCaps}, {"abcdefy", 1}}, {"abcdefy", "Abcdefx", "ABCDEFW"}},
        {"Abcdef", {{"abcdefx", kIwProper}, {"abcdefy", 1}}, {"Abcdefx", "Abcdefy"}},
    };
    for (const Case& c : cases) EXPECT_EQ(corrected(c.word, c.offers, c.capitalise), c.expected) << c.word;
}

// A full typo list lowers its entries from the third on; a phonetic candidate refused there
// must not leave the generator a floor no entry holds, or the better ones after it are lost.
void sixteenTypos(void*, const u8*, SplCorrectReq* req) {
    for (char c = 'a'; c < 'a' + char(kCorrMaxSuggestions); ++c)
        splCorrTierCallback(req, text(std::string("abcdef") + c), 1, 4, 0);
}

void honourFloor(const u8*, u32, void* lexicon, SplCorrectReq* req) {
    u32 threshold = 0;
    for (const auto& [word, score] : *static_cast<std::vector<std::pair<std::string, u32>>*>(lexicon))
        if (score >= threshold) threshold = splCorrInsert(text(word), 1, score, req);
}

TEST(SplCorrectWord, PhoneticCandidatesAfterAFullTypoList) {
    struct Case {
        std::vector<std::pair<std::string, u32>> offers;
        bool listed;
    } cases[] = {
        {{{"abcdefy", 50000}, {"abcdefz", kCorrTypoFloor - 14}}, true},
        {{{"abcdefy", 50000}, {"abcdefz", kCorrTypoFloor - 15}}, false},  // no better than the last
    };
    for (const Case& c : cases) {
        std::vector<std::pair<std::string, u32>> offers = c.offers;
        SplSlot slots[2];
        slots[0].language = slots[1].language = 1;
        slots[0].flags = kSlotTypo;
        slots[0].typo = sixteenTypos;
        slots[1].flags = kSlotCandidates;
        slots[1].candidates = honourFloor;
        slots[1].lexicon = &offers;
        SplCorrCtx ctx;
        ctx.slots = slots;
        ctx.end = slots + 2;
        SplCorrectReq req;
        splCorrectInit(&ctx, kCorrModeTypo | kCorrModeCandidates, 1, &req);
        std::vector<std::string> out;
        for (const u8* const* r = splCorrectWord(text("abcdef"), &req, 0); *r != nullptr; ++r)
            out.push_back(reinterpret_cast<const char*>(*r));
        EXPECT_EQ(std::find(out.begin(), out.end(), "abcdefz") != out.end(), c.listed) << c.offers[1].second;
        EXPECT_EQ(std::find(out.begin(), out.end(), "abcdefy"), out.end());
    }
}

// Both passes ranked together: a word one slip away that also sounds alike goes above a slip
// alone, which goes above all but the closest sounds.
void threeSlips(void*, const u8*, SplCorrectReq* req) {
    for (const char* w : {"abcdey", "abcdex", "abcdew"}) splCorrTierCallback(req, text(w), 1, 0, 0);
}

TEST(SplCorrectWord, SlipsAndSoundsRankTogether) {
    std::vector<std::pair<std::string, u32>> sounds = {
        {"abcdez", kCorrTypoOnly - 2 * kCorrTypoStep + 1},  // above the first slip alone
        {"abcdey", kCorrTypoOnly - kCorrBothBonus},    // a slip that sounds alike
        {"abcdev", kCorrTypoOnly - 3 * kCorrTypoStep - 1},  // below every slip alone
    };
    SplSlot slots[2];
    slots[0].language = slots[1].language = 1;
    slots[0].flags = kSlotTypo;
    slots[0].typo = threeSlips;
    slots[1].flags = kSlotCandidates;
    slots[1].candidates = honourFloor;
    slots[1].lexicon = &sounds;
    SplCorrCtx ctx;
    ctx.slots = slots;
    ctx.end = slots + 2;
    for (u32 mode : {kCorrModeTypo | kCorrModeCandidates, kCorrModeCandidates}) {
        SplCorrectReq req;
        splCorrectInit(&ctx, mode, 1, &req);
        std::vector<std::string> out;
        for (const u8* const* r = splCorrectWord(text("abcdef"), &req, 0); *r != nullptr; ++r)
            out.push_back(reinterpret_cast<const char*>(*r));
        const std::vector<std::string> both = {"abcdey", "abcdez", "abcdex", "abcdew", "abcdev"};
        const std::vector<std::string> soundsAlone = {"abcdez", "abcdev", "abcdey"};
        EXPECT_EQ(out, mode == kCorrModeCandidates ? soundsAlone : both) << mode;
    }
}

TEST(SplCorrectWord, AWordTooLongIsCutAndMarked) {
    SplCorrectReq req;
    splCorrectInit(nullptr, 0, 4, &req);
    for (size_t n : {size_t(kSplMaxWord) - 1, size_t(kSplMaxWord)}) {
        splCorrectWord(text(std::string(n, 'a')), &req, 0);
        EXPECT_EQ(req.cut, n >= size_t(kSplMaxWord) ? 1u : 0u) << n;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(req.word)), std::string(kSplMaxWord - 1, 'a')) << n;
    }
}

TEST(SplScore, FirstScore) {
    const std::string abcd = "abcd";
    EXPECT_EQ(splFirstScore(text(abcd), 4, text(abcd), 4), kScoreEqual);
    // No common letters: (30 x 65536) / (2 T(4) + 30).
    EXPECT_EQ(splFirstScore(text("abcd"), 4, text("wxyz"), 4), 30u * 65536 / (20 + 30));
    u32 near = splFirstScore(text("abcd"), 4, text("abce"), 4);
    u32 far = splFirstScore(text("abcd"), 4, text("axyz"), 4);
    EXPECT_GT(near, far);
}

TEST(SplScore, CodeScoresOfEqualAndDistantSequences) {
    const u16 a[] = {17, 20, 22, 17};
    const u16 b[] = {30, 31, 29, 28};
    SplCodeScore s;
    EXPECT_EQ(splScoreForward(a, 4, a, 4, &s), kScoreEqual);
    EXPECT_EQ(splScoreBoth(a, 4, a, 4, &s), kScoreEqual);
    splScoreForward(a, 4, b, 4, &s);
    EXPECT_LT(splScoreBoth(a, 4, b, 4, &s), 20000u);
}

}  // namespace
