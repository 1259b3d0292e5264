#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "SpellTestSupport.h"
#include "contentgen/lexicon/TrieLexWriter.h"
#include "engine/base/ByteOrder.h"
#include "spell/SplCorrCtx.h"
#include "spell/SplShape.h"
#include "spell/SplTrieLexicon.h"
#include "spell/SplVerify.h"

namespace {

std::vector<std::string> trieWords() {
    std::vector<std::string> words = {"dog", "Paris", "NASA", "don't", "well-known", "polish", "Polish", "x",
                                      "etc.", "cafe", "a", "abcdefghijklmnopqrstuvwxyz"};
    for (const char* stem : {"walk", "talk", "jump", "play", "work", "call", "help", "look", "turn", "want"})
        for (const char* ending : {"", "s", "ed", "ing", "er"}) words.push_back(std::string(stem) + ending);
    return words;
}

const std::vector<TrieSuffixRule> kRules = {{"s", "", kIwCommon}, {"ed", "", kIwCommon}};

std::vector<u8> build(const std::vector<std::string>& words, const std::vector<TrieSuffixRule>& rules,
                      int language = 1) {
    std::vector<u8> image;
    u32 skipped = 0;
    std::string error;
    EXPECT_TRUE(buildTrieLexImage(words, rules, language, &image, &skipped, &error)) << error;
    return image;
}

// Every form the walker reaches, with its classes.
std::map<std::string, std::vector<u8>> walkAll(const SplTrieLexicon* lex) {
    std::map<std::string, std::vector<u8>> out;
    SplTrieWalker w;
    splTrieToRoot(&w, lex);
    std::string path;
    std::function<void()> visit = [&] {
        if (!splTrieFirstChild(&w)) return;
        do {
            const SplTrieNode& node = w.frames[w.depth - 1];
            path.push_back(char(node.letter));
            if (node.classCount > 0) out[path].assign(node.classes, node.classes + node.classCount);
            if (splTrieHasChildren(&w)) visit();
            path.pop_back();
        } while (splTrieNextSibling(&w));
        splTrieUp(&w);
    };
    visit();
    return out;
}

TEST(SplTrieLexiconTest, VerifiesEveryWordThroughAContextSlotAndRefusesOthers) {
    std::vector<u8> image = build(trieWords(), kRules);
    SplTrieLexicon lex;
    ASSERT_TRUE(splTrieInit(&lex, 1, image.data(), u32(image.size())));
    SplCorrCtx* ctx = splCorrCtxCreate(1);
    ASSERT_EQ(splCorrCtxAddLexicon(&lex, 0, 31, ctx), 1);
    SplVerifyRec rec;
    splVerifyInit(ctx, 29, 1, &rec);
    auto verify = [&](const std::string& w) {
        u32 result = 0;
        return splVerifyWord(spelltest::bytes(w), &rec, &result) != 0;
    };
    for (const std::string& w : trieWords()) {
        EXPECT_TRUE(verify(w)) << w;
        std::string upper = w;
        for (char& c : upper) c = char(std::toupper(u8(c)));
        EXPECT_TRUE(verify(upper)) << upper;
    }
    for (const char* w : {"Dog", "Walking", "Polish", "Etc.", "X"}) EXPECT_TRUE(verify(w)) << w;
    for (const char* w : {"paris", "nasa", "Nasa", "dOg", "walkin", "wantz", "abcdefghijklmnopqrstuvwxy", "do", "dogz",
                          "b", "parises"})
        EXPECT_FALSE(verify(w)) << w;
    splCorrCtxFree(ctx);
}

TEST(SplTrieLexiconTest, SuffixRulesStandForTheFormsTheyDerive) {
    std::vector<u8> image = build(trieWords(), kRules);
    SplTrieLexicon lex;
    ASSERT_TRUE(splTrieInit(&lex, 1, image.data(), u32(image.size())));
    std::map<std::string, std::vector<u8>> stored = walkAll(&lex);
    EXPECT_EQ(stored.count("walk"), 1u);
    EXPECT_EQ(stored.count("walks"), 0u);
    EXPECT_EQ(stored.count("walked"), 0u);
    EXPECT_EQ(stored.count("walking"), 1u);
    EXPECT_EQ(stored["polish"], (std::vector<u8>{u8(kIwCommon)}));  // Polish is covered by the lower-case class
    u8 classes[kTrieMaxClasses];
    EXPECT_EQ(splTrieFetch(&lex, spelltest::bytes("walks"), classes), 0u);
    u32 near = 0, wordClass = 0;
    EXPECT_EQ(splTrieVerify(spelltest::bytes("walks"), &lex, &near, &wordClass), 1);
    EXPECT_EQ(wordClass, kIwCommon);
    // A rule never makes a proper name's stem take a common ending.
    EXPECT_EQ(splTrieVerify(spelltest::bytes("Pariss"), &lex, &near, &wordClass), 0);

    std::vector<u8> plain = build(trieWords(), {});
    SplTrieLexicon all;
    ASSERT_TRUE(splTrieInit(&all, 1, plain.data(), u32(plain.size())));
    EXPECT_EQ(walkAll(&all).count("walks"), 1u);
    EXPECT_EQ(splTrieVerify(spelltest::bytes("dogs"), &all, &near, &wordClass), 0);
}

TEST(SplTrieLexiconTest, AccentsAreForgivenOnlyWhenAsked) {
    std::vector<u8> image = build({"cafe", "arbol", spelltest::set1("canción")}, {}, 4);
    SplTrieLexicon lex;
    ASSERT_TRUE(splTrieInit(&lex, 4, image.data(), u32(image.size())));
    struct Case {
        std::string word;
        u32 nearIn;
        int accepted;
        u32 nearOut;
    } cases[] = {{"cafe", 0, 1, 0}, {"cafe", 1, 1, 0}, {spelltest::set1("café"), 0, 0, 0}, {spelltest::set1("café"), 1, 1, 1},
                   {spelltest::set1("cofé"), 1, 0, 0}, {spelltest::set1("CAFÉ"), 1, 1, 1},
                   {spelltest::set1("canción"), 0, 1, 0}, {"cancion", 1, 0, 0}};
    for (const Case& c : cases) {
        u32 near = c.nearIn, wordClass = 0;
        EXPECT_EQ(splTrieVerify(spelltest::bytes(c.word), &lex, &near, &wordClass), c.accepted) << c.word << c.nearIn;
        EXPECT_EQ(near, c.nearOut) << c.word << c.nearIn;
    }
}

// Enough words that the stream runs over several banks and shares many tails.
TEST(SplTrieLexiconTest, LargeTreesSpanBanksAndShareTails) {
    std::vector<std::string> words;
    const char* stems[] = {"bra", "cle", "dro", "fli", "gru", "pla", "sti", "tre", "vor", "whe"};
    const char* middles[] = {"n", "m", "st", "ck", "ll", "rd", "p", "t", "z", "x", "qu", "v"};
    const char* ends[] = {"ation", "ing", "ment", "ness", "ful", "ous", "ive", "ly", "able", "ist", "ism", "ette"};
    for (const char* a : stems)
        for (const char* m : middles)
            for (const char* b : stems)
                for (const char* e : ends) words.push_back(std::string(a) + m + b + e);
    u32 seed = 7;
    for (int i = 0; i < 6000; ++i) {
        std::string w;
        for (int n = 6 + i % 7; n > 0; --n) {
            seed = seed * 1103515245u + 12345u;
            w.push_back(char('a' + (seed >> 16) % 26));
        }
        words.push_back(w);
    }
    std::vector<u8> image = build(words, {});
    SplTrieLexicon lex;
    ASSERT_TRUE(splTrieInit(&lex, 1, image.data(), u32(image.size())));
    EXPECT_GT(lex.bankCount, 2u);
    EXPECT_GT(lex.sharedCount, 0u);
    std::set<std::string> distinct(words.begin(), words.end());
    EXPECT_EQ(walkAll(&lex).size(), distinct.size());
    u32 near = 0, wordClass = 0;
    for (const std::string& w : words) ASSERT_EQ(splTrieVerify(spelltest::bytes(w), &lex, &near, &wordClass), 1) << w;
    EXPECT_EQ(splTrieVerify(spelltest::bytes("bransxation"), &lex, &near, &wordClass), 0);
}

TEST(SplTrieLexiconTest, TheWriterSkipsWordsItCannotHoldAndFailsWithNone) {
    struct Case {
        std::vector<std::string> words;
        bool built;
        u32 skipped;
    } cases[] = {
        {{"dog", std::string(63, 'a')}, true, 0},
        {{"dog", std::string(64, 'a')}, true, 1},
        {{"dog", "left\x08right"}, true, 1},
        {{std::string(64, 'a')}, false, 1},
        {{}, false, 0},
    };
    for (const Case& c : cases) {
        std::vector<u8> image;
        u32 skipped = 0;
        std::string error;
        EXPECT_EQ(buildTrieLexImage(c.words, {}, 1, &image, &skipped, &error), c.built) << c.words.size() << error;
        EXPECT_EQ(skipped, c.skipped) << c.words.size();
        EXPECT_EQ(error.empty(), c.built);
        SplTrieLexicon lex;
        if (!c.built) continue;
        ASSERT_TRUE(splTrieInit(&lex, 1, image.data(), u32(image.size())));
        u8 classes[kTrieMaxClasses];
        EXPECT_EQ(splTrieFetch(&lex, spelltest::bytes(std::string(63, 'a')), classes), c.skipped == 0 ? 1u : 0u);
    }
}

TEST(SplTrieLexiconTest, InconsistentHeadersAreRefused) {
    std::vector<u8> image = build(trieWords(), kRules);
    SplTrieLexicon lex;
    ASSERT_TRUE(splTrieInit(&lex, 1, image.data(), u32(image.size())));
    size_t letters = readLE16(image.data());
    size_t pairsAt = 2 + letters;
    size_t pairs = readLE16(image.data() + pairsAt);
    size_t sharedAt = pairsAt + 2 + 2 * pairs;
    size_t shared = readLE16(image.data() + sharedAt);
    size_t rulesAt = sharedAt + 2 + 4 * shared;
    // After the two rules: no encoder states (u16), no special words (u16 count, u16 pool size).
    size_t rootAt = rulesAt + 1 + (1 + 1 + 1 + 1) + (1 + 2 + 1 + 1) + 2 + 4;
    struct Case {
        const char* what;
        std::function<void(std::vector<u8>*)> damage;
        bool opens;
    } cases[] = {
        {"as written", [](std::vector<u8>*) {}, true},
        {"one byte short", [](std::vector<u8>* b) { b->pop_back(); }, false},
        {"one byte over", [](std::vector<u8>* b) { b->push_back(0); }, false},
        {"no letters", [](std::vector<u8>* b) { writeLE16(b->data(), 0); }, false},
        {"letters past the end", [](std::vector<u8>* b) { writeLE16(b->data(), 0xFFFF); }, false},
        {"pairs past the end", [&](std::vector<u8>* b) { writeLE16(b->data() + pairsAt, 0xFFFF); }, false},
        {"shared past the end", [&](std::vector<u8>* b) { writeLE16(b->data() + sharedAt, 0xFFFF); }, false},
        {"rule ending past the end", [&](std::vector<u8>* b) { (*b)[rulesAt + 1] = 0xFF; }, false},
        {"root in the last bank", [&](std::vector<u8>* b) { writeLE16(b->data() + rootAt, 0); }, true},
        {"root in a bank past the last", [&](std::vector<u8>* b) { writeLE16(b->data() + rootAt, 1); }, false},
        {"root position at the bank's last nibble", [&](std::vector<u8>* b) { writeLE16(b->data() + rootAt + 2, 0x3FFF); },
         true},
        {"root position past the bank", [&](std::vector<u8>* b) { writeLE16(b->data() + rootAt + 2, 0x4000); }, false},
        {"no banks", [&](std::vector<u8>* b) { writeLE16(b->data() + rootAt + 4, 0); }, false},
        {"an empty last bank", [&](std::vector<u8>* b) { writeLE16(b->data() + rootAt + 6, 0); }, false},
        {"a last bank past its size", [&](std::vector<u8>* b) { writeLE16(b->data() + rootAt + 6, 0x4001); }, false},
    };
    ASSERT_EQ(image[rulesAt], 2);
    for (const Case& c : cases) {
        std::vector<u8> bytes = image;
        c.damage(&bytes);
        EXPECT_EQ(splTrieInit(&lex, 1, bytes.data(), u32(bytes.size())), c.opens) << c.what;
    }
}

TEST(SplTrieLexiconTest, DamagedStreamsReadAsNotFound) {
    std::vector<u8> image = build(trieWords(), kRules);
    SplTrieLexicon lex;
    ASSERT_TRUE(splTrieInit(&lex, 1, image.data(), u32(image.size())));
    size_t streamAt = size_t(lex.banks - image.data());
    // Shared references to nothing, kinds 6 and 7, a letter with a runaway children length, four
    // inline classes, a pair past the table.
    for (u8 fill : {0x00, 0x88, 0xFF, 0x66, 0x77, 0x1F, 0x50, 0x35}) {
        std::vector<u8> bytes = image;
        std::fill(bytes.begin() + long(streamAt), bytes.end(), fill);
        ASSERT_TRUE(splTrieInit(&lex, 1, bytes.data(), u32(bytes.size())));
        int found = 0;
        for (const std::string& w : trieWords()) {
            u32 near = 1, wordClass = 0;
            found += splTrieVerify(spelltest::bytes(w), &lex, &near, &wordClass);
        }
        EXPECT_EQ(found, 0) << int(fill);
        walkAll(&lex);
    }
}

}  // namespace
