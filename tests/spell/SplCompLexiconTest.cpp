#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/spell/SpellTestSupport.h"
#include "contentgen/lexicon/CompLexWriter.h"
#include "engine/base/ByteOrder.h"
#include "spell/SplCompLexicon.h"
#include "spell/SplCorrCtx.h"
#include "spell/SplTypoPrim.h"
#include "spell/SplVerify.h"

namespace {

std::vector<std::string> compWords() {
    std::vector<std::string> words = {"dog", "Paris", "NASA", "don't", "well-known", "polish", "Polish", "x",
                                      "abcdefghijklmno", "abcdefghijklmnop", "McDonald", "caf\x82"};
    for (const char* stem : {"walk", "talk", "jump", "play", "work", "call", "help", "look", "turn", "want"})
        for (const char* ending : {"", "s", "ed", "ing", "er"}) words.push_back(std::string(stem) + ending);
    return words;
}

class SplCompLexiconTest : public ::testing::Test {
protected:
    void SetUp() override {
        u32 skipped = 0;
        std::string error;
        ASSERT_TRUE(buildCompLexImage(compWords(), 1, &image, &skipped, &error)) << error;
        EXPECT_EQ(skipped, 2u);  // 16 letters, and mixed case
    }
    std::vector<u8> image;
};

TEST_F(SplCompLexiconTest, VerifiesThroughAContextSlot) {
    SplCompLexicon lex;
    ASSERT_TRUE(splCompLexInit(&lex, 1, image.data(), u32(image.size())));
    SplCorrCtx* ctx = splCorrCtxCreate(1);
    ASSERT_EQ(splCorrCtxAddLexicon(&lex, 0, 31, ctx), 1);
    SplVerifyRec rec;
    splVerifyInit(ctx, 29, 1, &rec);
    auto verify = [&](const std::string& w) {
        u32 result = 0;
        return splVerifyWord(spelltest::bytes(w), &rec, &result) != 0;
    };
    for (const char* w : {"dog", "Dog", "DOG", "Paris", "PARIS", "NASA", "don't", "well-known", "polish", "Polish",
                          "x", "X", "abcdefghijklmno", "walking", "Helped", "TURNER", "caf\x82", "CAF\x90"})
        EXPECT_TRUE(verify(w)) << w;
    for (const char* w : {"paris", "nasa", "Nasa", "abcdefghijklmnop", "McDonald", "walkin", "dOg", "cafe", "wantz"})
        EXPECT_FALSE(verify(w)) << w;
    splCorrCtxFree(ctx);
}

TEST_F(SplCompLexiconTest, TyposComeFromTheBinsOfNeighbouringLengths) {
    SplCompLexicon lex;
    ASSERT_TRUE(splCompLexInit(&lex, 1, image.data(), u32(image.size())));
    struct Found {
        std::map<std::string, u32> kinds;
    } found;
    auto report = [](void* arg, const u8* candidate, u8, u32 kind, u32) {
        static_cast<Found*>(arg)->kinds[reinterpret_cast<const char*>(candidate)] = kind;
    };
    struct Case {
        const char* typed;
        const char* candidate;
        u32 kind;
    } cases[] = {
        {"wlak", "walk", kTypoExchange}, {"walkk", "walk", kTypoExtra},   {"wal", "walk", kTypoMissing},
        {"walj", "walk", kTypoReplaced}, {"qalk", "walk", kTypoFirstLetter}, {"dog", "dog", kTypoAccent},
        {"abcdefghijklmn", "abcdefghijklmno", kTypoMissing},
    };
    for (const Case& c : cases) {
        found.kinds.clear();
        EXPECT_GT(splCompLexTypos(&lex, reinterpret_cast<const u8*>(c.typed), report, &found), 0u) << c.typed;
        ASSERT_TRUE(found.kinds.count(c.candidate)) << c.typed;
        EXPECT_EQ(found.kinds[c.candidate], c.kind) << c.typed;
    }
    found.kinds.clear();
    EXPECT_EQ(splCompLexTypos(&lex, reinterpret_cast<const u8*>("wa"), report, &found), 0u);  // two letters short
    EXPECT_EQ(splCompLexTypos(&lex, reinterpret_cast<const u8*>("walkinggg"), report, &found), 0u);
}

TEST_F(SplCompLexiconTest, InconsistentImagesAreRefused) {
    SplCompLexicon lex;
    std::vector<u8> cut(image.begin(), image.end() - 1);
    EXPECT_FALSE(splCompLexInit(&lex, 1, cut.data(), u32(cut.size())));
    std::vector<u8> order = image;
    writeLE16(order.data() + 17 + 2 * 3, 0xFFFF);  // first bin of length 4 past the end
    EXPECT_FALSE(splCompLexInit(&lex, 1, order.data(), u32(order.size())));
    std::vector<u8> head(image.begin(), image.begin() + 48);
    EXPECT_FALSE(splCompLexInit(&lex, 1, head.data(), u32(head.size())));
    EXPECT_TRUE(splCompLexInit(&lex, 1, image.data(), u32(image.size())));
}

TEST_F(SplCompLexiconTest, DamagedWordDataReadsAsNotFound) {
    u32 bins = readLE16(image.data() + 15);
    size_t data = 49 + 2 * (bins + 1);
    for (u8 fill : {0x00, 0xFF, 0xF0, 0x1F}) {
        std::vector<u8> bytes = image;
        std::fill(bytes.begin() + long(data), bytes.end(), fill);
        SplCompLexicon lex;
        ASSERT_TRUE(splCompLexInit(&lex, 1, bytes.data(), u32(bytes.size())));
        int found = 0;
        for (const std::string& w : compWords()) {
            u8 lowered[kCompLexMaxWord + 1];
            if (splCompLexEncode(spelltest::bytes(w), lowered, 1) != 0) found += splCompLexFetch(&lex, lowered) != 0;
        }
        EXPECT_LT(found, 5) << int(fill);
    }
}

}  // namespace
