#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/spell/SpellTestSupport.h"
#include "spell/SplCorrect.h"
#include "spell/SplPhonetic.h"
#include "spell/SplProximity.h"

namespace {

namespace fs = std::filesystem;

struct Proximity : ::testing::Test {
    SplPhonTable* phon = nullptr;
    void SetUp() override {
        fs::path dir = spelltest::scratch("proximity");
        ASSERT_EQ(spelltest::buildSmall(dir, 1, {"house"}), "");
        u32 error = 0;
        phon = splPhonOpen((dir / "x_phon.env").string().c_str(), 0, &error);
        ASSERT_NE(phon, nullptr);
    }
    void TearDown() override { splPhonClose(phon); }
    int compare(const std::string& word, const std::string& entry, SplCorrectReq* req) {
        SplProxParams p;
        EXPECT_TRUE(splProxSetup(spelltest::bytes(word), false, phon, req, &p));
        u8 key[kSplMaxKey + 1];
        EXPECT_GT(splWordToKey(spelltest::bytes(entry), key, 0, phon), 0);
        const u8 codes[] = {1, 0};
        return splProxCompare(key, codes, &p);
    }
};

TEST_F(Proximity, AnEntryKeyShorterThanItsBinBytesIsDamaged) {
    SplCorrectReq req;
    splCorrectInit(nullptr, kCorrModeCandidates, 1, &req);
    SplProxParams p;
    ASSERT_TRUE(splProxSetup(spelltest::bytes("house"), false, phon, &req, &p));
    const u8 codes[] = {1, 0};
    // Sized exactly, so that a read past the key's end is caught.
    const std::vector<u8> keys[] = {{0}, {p.bin[0], 0}};
    for (const std::vector<u8>& k : keys) {
        auto key = std::make_unique<u8[]>(k.size());
        std::copy(k.begin(), k.end(), key.get());
        EXPECT_EQ(splProxCompare(key.get(), codes, &p), kProxDamaged) << k.size();
    }
}

TEST_F(Proximity, PairStringsMoreThanSixBytesApartAreNeverReported) {
    SplCorrectReq req;
    splCorrectInit(nullptr, kCorrModeCandidates, 1, &req);
    struct Case {
        const char* word;
        const char* entry;
        bool lengthGate;
    } cases[] = {{"mad", "madmad", false}, {"mad", "madmadm", true}, {"madmadm", "mad", true}, {"mad", "mad", false}};
    for (const Case& c : cases) EXPECT_EQ(compare(c.word, c.entry, &req) == kProxGateLength, c.lengthGate) << c.entry;
}

TEST_F(Proximity, SixLettersMakeALongWord) {
    SplCorrectReq req;
    for (auto [word, base] : {std::pair<const char*, u32>{"house", kProxBaseShort}, {"houses", kProxBaseLong}}) {
        SplProxParams p;
        ASSERT_TRUE(splProxSetup(spelltest::bytes(word), false, phon, &req, &p));
        EXPECT_EQ(p.base, base) << word;
        EXPECT_EQ(p.threshold, base) << word;
    }
}

TEST_F(Proximity, ACloseEntryIsOfferedOnceForEachFlagCode) {
    SplCorrectReq req;
    splCorrectInit(nullptr, kCorrModeCandidates, 1, &req);
    SplProxParams p;
    ASSERT_TRUE(splProxSetup(spelltest::bytes("hous"), false, phon, &req, &p));
    u8 key[kSplMaxKey + 1];
    ASSERT_GT(splWordToKey(spelltest::bytes("house"), key, 0, phon), 0);
    const u8 codes[] = {1, 2, 0};
    EXPECT_EQ(splProxCompare(key, codes, &p), kProxReported);
    ASSERT_EQ(req.count, 2u);
    EXPECT_STREQ(reinterpret_cast<const char*>(req.entries[0].word), "house");
    EXPECT_EQ(req.entries[1].cls, 2);
    // A distant entry stops at a gate.
    ASSERT_GT(splWordToKey(spelltest::bytes("hxqzzkt"), key, 0, phon), 0);
    EXPECT_NE(splProxCompare(key, codes, &p), kProxReported);
}

TEST_F(Proximity, OverlongWordsAreCutNotRefused) {
    fs::path dir = spelltest::scratch("overlong");
    ASSERT_EQ(spelltest::buildSmall(dir, 1, {"house"}), "");
    spelltest::OpenSpeller s;
    ASSERT_TRUE(s.openDir(dir, 1));
    SplCorrectReq req;
    for (size_t n : {size_t(kSplMaxWord - 1), size_t(kSplMaxWord), size_t(200)}) {
        std::string word(n, 'h');
        splCorrectInit(s.ctx, kCorrModeTypo | kCorrModeCandidates, 1, &req);
        splCorrectWord(spelltest::bytes(word), &req, 0);
        EXPECT_EQ(req.cut, n >= size_t(kSplMaxWord) ? 1u : 0u) << n;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(req.word)).size(), std::min(n, size_t(kSplMaxWord - 1)));
    }
}

}  // namespace
