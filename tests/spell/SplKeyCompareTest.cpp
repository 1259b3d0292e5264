#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "tests/spell/SpellTestSupport.h"
#include "spell/SplKeyCompare.h"
#include "spell/SplPhonetic.h"
#include "spell/SplSuffixBins.h"

namespace {

namespace fs = std::filesystem;

struct KeyCompare : ::testing::Test {
    SplPhonTable* phon[2] = {};
    void SetUp() override {
        const int languages[2] = {1, 4};
        for (int i = 0; i < 2; ++i) {
            fs::path dir = spelltest::scratch(i == 0 ? "keycompare_en" : "keycompare_es");
            ASSERT_EQ(spelltest::buildSmall(dir, languages[i], {"casa"}), "");
            u32 error = 0;
            phon[i] = splPhonOpen((dir / "x_phon.env").string().c_str(), 0, &error);
            ASSERT_NE(phon[i], nullptr);
        }
    }
    void TearDown() override {
        for (SplPhonTable* p : phon) splPhonClose(p);
    }
    std::string key(const std::string& utf8, const SplPhonTable* p) {
        u8 k[kSplMaxKey + 1];
        EXPECT_GT(splWordToKey(spelltest::bytes(spelltest::set1(utf8)), k, 0, p), 0) << utf8;
        return std::string(reinterpret_cast<const char*>(k));
    }
    int compare(const std::string& typed, const std::string& stored, u32 shape, const SplPhonTable* p) {
        return splPhonKeyCompare(spelltest::bytes(key(typed, p)), spelltest::bytes(key(stored, p)), shape, p);
    }
};

TEST_F(KeyCompare, CapitalsMayLackTheAccentsTheirShapeAllows) {
    struct Case {
        const char* typed;
        const char* stored;
        u32 shape;
        bool equal;
    } cases[] = {
        {"arbol", "árbol", 2, true},     {"arbol", "árbol", 3, true},    {"arbol", "árbol", 1, false},
        {"camion", "camión", 2, false},  {"camion", "camión", 3, true},  {"camion", "camión", 1, false},
        {"arbol", "arbol", 1, true},     {"árbol", "arbol", 3, false},   {"arbol", "arboles", 3, false},
        {"canon", "cañón", 3, false},    {"anon", "añón", 3, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(compare(c.typed, c.stored, c.shape, phon[1]) == 0, c.equal) << c.typed << " " << c.stored << " " << c.shape;
}

TEST_F(KeyCompare, DifferencesKeepTheirSign) {
    const char* pairs[][2] = {{"arbol", "arboles"}, {"casa", "cosa"}, {"mesa", "misa"}, {"perro", "pero"}};
    for (auto& pair : pairs) {
        for (SplPhonTable* p : phon) {
            int forward = compare(pair[0], pair[1], 3, p), backward = compare(pair[1], pair[0], 3, p);
            EXPECT_NE(forward, 0) << pair[0];
            EXPECT_EQ(forward < 0, backward > 0) << pair[0];
            EXPECT_EQ(forward < 0, key(pair[0], p) < key(pair[1], p)) << pair[0];
        }
    }
}

TEST_F(KeyCompare, ASpelledPartComparesAsItStands) {
    std::string a = key("teh", phon[0]), b = a;
    a += char(kSplKeySpelled);
    a += "the";
    b += char(kSplKeySpelled);
    b += "tha";
    EXPECT_GT(splPhonKeyCompare(spelltest::bytes(a), spelltest::bytes(b), 3, phon[0]), 0);
    EXPECT_EQ(splPhonKeyCompare(spelltest::bytes(a), spelltest::bytes(a), 3, phon[0]), 0);
    std::string plain = key("teh", phon[0]);
    EXPECT_LT(splPhonKeyCompare(spelltest::bytes(plain), spelltest::bytes(a), 3, phon[0]), 0);
}

TEST_F(KeyCompare, KeysEndingInsideTheirBinBytesAreReadNoFurther) {
    // Sized exactly, so that a read past either key's end is caught; a three-byte key is the
    // shortest that holds both bin bytes.
    const std::string cases[] = {std::string(1, '\0'), std::string("B\0", 2), std::string("BC\0", 3)};
    for (const std::string& c : cases) {
        auto a = std::make_unique<u8[]>(c.size()), b = std::make_unique<u8[]>(c.size());
        std::memcpy(a.get(), c.data(), c.size());
        std::memcpy(b.get(), c.data(), c.size());
        EXPECT_EQ(splPhonKeyCompare(a.get(), b.get(), 3, phon[1]), 0) << c.size();
    }
}

struct Splits {
    std::vector<int> at;
    u32 asked = 0;
};

int splitAt(const u8*, u32 n, void* arg) {
    auto* s = static_cast<Splits*>(arg);
    ++s->asked;
    return n < s->at.size() ? s->at[n] : -1;
}

std::string binOf(const std::string& word, const SplPhonTable* phon) {
    u8 pairs[kSplPairsSize], bin[3];
    EXPECT_GE(splPhonEncode(spelltest::bytes(word), pairs, phon), 0);
    splPhonBin(pairs, bin, phon);
    return std::string(reinterpret_cast<const char*>(bin), 2);
}

bool listed(const SplBinList& list, const std::string& bin) {
    for (u32 i = 0; i < list.count; ++i)
        if (std::string(reinterpret_cast<const char*>(list.bins[i]), 2) == bin) return true;
    return false;
}

TEST_F(KeyCompare, SuffixBinsFollowEndingsAndFinalConsonants) {
    struct Case {
        const char* word;
        std::vector<int> splits;
        std::vector<const char*> stems;
        u32 asked;
    } cases[] = {
        {"hablarlo", {6}, {"hablar"}, 2},
        {"cancionz", {}, {"cancion", "cancio"}, 1},
        {"trenz", {}, {"tren", "tre"}, 1},
        {"tren", {}, {"tre"}, 1},
        {"mar", {}, {}, 1},  // a stem of two letters is not tried
        {"dadadadadad", {1, 2, 3, 4, 5, 6, 7}, {"d", "da", "dad", "dada", "dadad", "dadadadada"}, 5},
    };
    for (const Case& c : cases) {
        Splits s{c.splits};
        SplBinList list;
        splSuffixBins(spelltest::bytes(c.word), splitAt, &s, phon[1], &list);
        EXPECT_EQ(s.asked, c.asked) << c.word;
        for (const char* stem : c.stems) EXPECT_TRUE(listed(list, binOf(stem, phon[1]))) << c.word << " " << stem;
        SplBinList distinct;
        for (const char* stem : c.stems) splBinListAdd(&distinct, spelltest::bytes(binOf(stem, phon[1])));
        EXPECT_EQ(list.count, distinct.count) << c.word;
    }
}

}  // namespace
