#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/spell/SpellTestSupport.h"
#include "engine/base/ByteOrder.h"
#include "spell/SplCorrect.h"
#include "spell/SplUserDict.h"

namespace {

namespace fs = std::filesystem;

struct UserDictPairs : ::testing::Test {
    fs::path dir;
    SplPhonTable* phon = nullptr;
    void SetUp() override {
        dir = spelltest::scratch(std::string("pairs_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        ASSERT_EQ(spelltest::buildSmall(dir, 1, {"house", "garden"}), "");
        u32 error = 0;
        phon = splPhonOpen((dir / "x_phon.env").string().c_str(), 0, &error);
        ASSERT_NE(phon, nullptr) << error;
    }
    void TearDown() override { splPhonClose(phon); }
    std::string path() const { return (dir / "user.dct").string(); }
    SplUserDict* open(u32 mode) {
        u32 error = 0;
        SplUserDict* d = splUserDictOpen(path().c_str(), mode, phon, &error);
        EXPECT_NE(d, nullptr) << error;
        return d;
    }
    std::string key(const std::string& stored) {
        u8 k[kSplMaxKey + 1];
        EXPECT_GT(splUserDictKey(spelltest::bytes(stored), k, phon), 0) << stored;
        return std::string(reinterpret_cast<const char*>(k));
    }
};

bool verify(SplUserDict* d, const std::string& w) {
    u32 near = 0, cls = 0;
    return splUserDictVerify(spelltest::bytes(w), d, &near, &cls) != 0;
}

std::string first(SplUserDict* d, const std::string& typed) {
    SplCorrCtx* ctx = splCorrCtxCreate(1);
    splCorrCtxAddLexicon(d, 0, 31, ctx);
    SplCorrectReq req;
    splCorrectInit(ctx, kCorrModeTypo | kCorrModeCandidates, 1, &req);
    const u8* const* list = splCorrectWord(spelltest::bytes(typed), &req, 0);
    std::string answer = list[0] != nullptr ? reinterpret_cast<const char*>(list[0]) : "";
    splCorrCtxFree(ctx);
    return answer;
}

TEST_F(UserDictPairs, APairCorrectsItsLeftHalfWhichIsNoLongerAWord) {
    SplUserDict* d = open(kUdModeCreate);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(splUserDictAddWord(spelltest::bytes("zeh"), d), 1);
    EXPECT_TRUE(verify(d, "zeh"));
    ASSERT_EQ(splUserDictAddWord(spelltest::bytes("zeh\x08zorblax"), d), 1);
    EXPECT_FALSE(verify(d, "zeh"));
    EXPECT_EQ(first(d, "zeh"), "zorblax");
    // A pair whose left half was never added only adds the pair.
    ASSERT_EQ(splUserDictAddWord(spelltest::bytes("qwib\x08Quimby"), d), 1);
    EXPECT_FALSE(verify(d, "qwib"));
    EXPECT_EQ(first(d, "qwib"), "Quimby");
    splUserDictClose(d);
    d = open(kUdModeOpen);
    EXPECT_FALSE(verify(d, "zeh"));
    EXPECT_EQ(first(d, "zeh"), "zorblax");
    splUserDictClose(d);
}

TEST_F(UserDictPairs, APairHalfMustStayBelowSixtyFourLetters) {
    SplUserDict* d = open(kUdModeCreate);
    ASSERT_NE(d, nullptr);
    struct Case {
        size_t left, right;
        int added;
    } cases[] = {{63, 5, 1}, {64, 5, 0}, {5, 63, 1}, {5, 64, 0}, {0, 5, 0}, {5, 0, 0}};
    for (const Case& c : cases) {
        std::string pair = std::string(c.left, 'z') + '\x08' + std::string(c.right, 'q');
        EXPECT_EQ(splUserDictAddWord(spelltest::bytes(pair), d), c.added) << c.left << " " << c.right;
    }
    splUserDictClose(d);
}

TEST(UserDictKeyOrder, MarksAreSkippedWhereTheyStand) {
    struct Case {
        std::string a, b;
        int sign;
    } cases[] = {
        {"XYab\x01" "c", "XYabc", 0},          {"XYa\x02\x03" "bc", "XYabc", 0},
        {"XYab\x01\x04z", "XYab\x04z", -1},    // a mark just before the spelled part counts
        {"XYab\x04z\x05y", "XYab\x04zy", 0},   {"XYab\x04z\x07", "XYab\x04z", 0},
        {"XYab\x04z", "XYab", 1},              {"XYab\x01", "XYab", 0},
        {"\x01Yab", "\x02Yab", -1},             // bin bytes always count
        {"XYabd", "XYab\x01" "c", 1},
    };
    for (const Case& c : cases) {
        int order = splUserDictKeyOrder(c.a, c.b);
        EXPECT_EQ((order > 0) - (order < 0), c.sign) << c.a;
        int back = splUserDictKeyOrder(c.b, c.a);
        EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.a;
    }
}

TEST_F(UserDictPairs, MarkedKeysPutTheMarksBetweenTheCodes) {
    std::string plain = key("garden");
    for (const char* marked : {"gar\x05" "den", "g\x04" "ar\x06" "de\x05" "n", "garden\x05"}) {
        std::string k = key(marked);
        std::string stripped;
        u32 marks = 0;
        for (size_t i = 0; i < k.size(); ++i) {
            if (i >= 2 && k[i] >= 1 && k[i] <= 3) ++marks;
            else stripped += k[i];
        }
        EXPECT_EQ(stripped, plain) << marked;
        u32 expected = 0;
        for (const char* p = marked; *p != 0; ++p) expected += *p >= 4 && *p <= 6;
        EXPECT_EQ(marks, expected) << marked;
        EXPECT_EQ(splUserDictKeyOrder(k, plain), 0) << marked;
    }
    // The marks of the spelled part stay in it.
    std::string spelled = key(std::string("gar\x05" "den\x08" "Gar\x05" "den"));
    EXPECT_EQ(spelled.substr(spelled.size() - 8), std::string("\x04" "Gar\x05" "den"));
}

TEST_F(UserDictPairs, AWordWithMarksReplacesTheSameWordWithOtherMarks) {
    SplUserDict* d = open(kUdModeCreate);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(splUserDictAddWord(spelltest::bytes("zor\x05" "blax"), d), 1);
    ASSERT_EQ(splUserDictAddWord(spelltest::bytes("zorb\x05" "lax"), d), 1);
    u32 words = 0;
    for (const SplUdBlock& b : d->blocks)
        for (const SplUdEntry& e : b.entries) words += e.value != 0;
    EXPECT_EQ(words, 1u);
    u16 value = 0;
    EXPECT_EQ(splUserDictSearch(spelltest::bytes(key("zorbl\x05" "ax\x08" "zorblax")), d, &value), 1);
    splUserDictClose(d);
}

u32 leafBlocks(const std::string& path, u32* fullest) {
    std::string s = spelltest::readText(path);
    u32 leaves = 0;
    *fullest = 0;
    for (size_t at = 0; at + kSplBlockSize <= s.size(); at += kSplBlockSize) {
        u16 used = readLE16(reinterpret_cast<const u8*>(s.data()) + at + 2);
        if (!(used & 0x8000)) continue;
        ++leaves;
        if ((used & 0x7fff) > *fullest) *fullest = used & 0x7fff;
    }
    return leaves;
}

TEST_F(UserDictPairs, FillModeFillsBlocksOnlyForWordsAppendedAtTheEnd) {
    struct Case {
        u32 mode;
        bool ascending;
        bool filled;
    } cases[] = {{kUdModeFill, true, true}, {0, true, false}, {kUdModeFill, false, false}};
    for (const Case& c : cases) {
        fs::remove(path());
        SplUserDict* d = open(kUdModeCreate | c.mode);
        ASSERT_NE(d, nullptr);
        for (u32 i = 0; i < 300; ++i) {
            u32 n = c.ascending ? i : (i * 7919) % 300;
            char k[16];
            std::snprintf(k, sizeof k, "\xf0\xf0%05u", 10000 + n);
            ASSERT_EQ(splUserDictInsert(reinterpret_cast<const u8*>(k), 1, d), 1);
        }
        splUserDictClose(d);
        u32 fullest = 0;
        u32 leaves = leafBlocks(path(), &fullest);
        EXPECT_EQ(fullest > 1000, c.filled) << c.mode << " " << c.ascending << " " << fullest;
        EXPECT_GE(leaves, 2u) << c.mode << " " << c.ascending;
        d = open(kUdModeReadOnly);
        u16 value = 0;
        EXPECT_EQ(splUserDictSearch(reinterpret_cast<const u8*>("\xf0\xf0" "10150"), d, &value), 1);
        splUserDictClose(d);
    }
}

TEST_F(UserDictPairs, AnOldFileOpenedToBeKeptStaysInTheOldFormat) {
    SplUserDict* d = open(kUdModeCreate);
    ASSERT_NE(d, nullptr);
    splUserDictAddWord(spelltest::bytes("zorblax"), d);
    splUserDictClose(d);
    std::string s = spelltest::readText(path());
    s[0] = char(phon->language);
    s[1] = 0;
    std::ofstream(path(), std::ios::binary).write(s.data(), long(s.size()));
    d = open(kUdModeKeepOld);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->format, kUdOldFormatKept);
    EXPECT_EQ(d->state & kUdModeKeepOld, 0);
    EXPECT_TRUE(verify(d, "zorblax"));
    EXPECT_EQ(spelltest::readText(path()), s);
    EXPECT_EQ(splUserDictAddWord(spelltest::bytes("Quimby"), d), 1);
    splUserDictClose(d);
    std::string after = spelltest::readText(path());
    EXPECT_EQ(u8(after[0]), phon->language);
    EXPECT_EQ(after[1], 0);
    d = open(kUdModeReadOnly);
    EXPECT_EQ(d->format, kUdOldFormat);
    EXPECT_TRUE(verify(d, "Quimby"));
    splUserDictClose(d);
}

TEST_F(UserDictPairs, CreatingWithTheKeepOldBitLeavesTheNewDictionaryWritable) {
    SplUserDict* d = open(kUdModeCreate | kUdModeKeepOld);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->state & kUdStateFailed, 0);
    EXPECT_EQ(splUserDictAddWord(spelltest::bytes("zorblax"), d), 1);
    EXPECT_TRUE(verify(d, "zorblax"));
    splUserDictClose(d);
}

}  // namespace
