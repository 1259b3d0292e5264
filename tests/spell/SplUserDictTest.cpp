#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "tests/spell/SpellTestSupport.h"
#include "spell/SplCorrect.h"
#include "spell/SplUserDict.h"

namespace {

namespace fs = std::filesystem;

struct UserDictTest : ::testing::Test {
    fs::path dir;
    SplPhonTable* phon = nullptr;
    void SetUp() override {
        dir = spelltest::scratch(::testing::UnitTest::GetInstance()->current_test_info()->name());
        ASSERT_EQ(spelltest::buildSmall(dir, 1, {"house", "garden"}), "");
        u32 error = 0;
        phon = splPhonOpen((dir / "x_phon.env").string().c_str(), 0, &error);
        ASSERT_NE(phon, nullptr) << error;
    }
    void TearDown() override { splPhonClose(phon); }
    std::string path() const { return (dir / "user.dct").string(); }
    SplUserDict* open(u32 mode, u32* error) { return splUserDictOpen(path().c_str(), mode, phon, error); }
    // A dictionary made and closed holding "zorblax"; its bytes.
    std::vector<u8> storedWithOneWord() {
        u32 error = 0;
        SplUserDict* d = open(kUdModeCreate, &error);
        EXPECT_NE(d, nullptr) << error;
        if (d) {
            splUserDictAddWord(spelltest::bytes("zorblax"), d);
            splUserDictClose(d);
        }
        return bytes();
    }
    std::vector<u8> bytes() const {
        std::string s = spelltest::readText(path());
        return std::vector<u8>(s.begin(), s.end());
    }
    void write(const std::vector<u8>& b) const {
        std::ofstream(path(), std::ios::binary).write(reinterpret_cast<const char*>(b.data()), long(b.size()));
    }
};

bool knows(SplUserDict* d, const std::string& w) {
    u32 near = 0, cls = 0;
    return splUserDictVerify(spelltest::bytes(w), d, &near, &cls) != 0;
}

TEST_F(UserDictTest, CreatedGrownAndReopened) {
    u32 error = 0;
    SplUserDict* d = open(kUdModeCreate, &error);
    ASSERT_NE(d, nullptr) << error;
    EXPECT_EQ(fs::file_size(path()), kSplBlockSize);
    std::ofstream(path() + ".new") << "left by a write that was cut short";
    for (const char* w : {"zorblax", "Quimby", "NASA"}) EXPECT_EQ(splUserDictAddWord(spelltest::bytes(w), d), 1) << w;
    EXPECT_EQ(splUserDictAddWord(spelltest::bytes("zorblax"), d), 1);  // replaced, not grown
    EXPECT_EQ(fs::file_size(path()), kSplBlockSize);
    EXPECT_EQ(splUserDictClose(d), 1);

    d = open(kUdModeOpen, &error);
    ASSERT_NE(d, nullptr) << error;
    struct Case {
        const char* word;
        bool accepted;
    } cases[] = {{"zorblax", true}, {"Zorblax", true}, {"ZORBLAX", true}, {"Quimby", true}, {"quimby", false},
                 {"NASA", true},    {"nasa", false},   {"zorblox", false}};
    for (const Case& c : cases) EXPECT_EQ(knows(d, c.word), c.accepted) << c.word;
    splUserDictClose(d);
}

TEST_F(UserDictTest, CreatingNeverTruncatesAnExistingFile) {
    const std::vector<u8> before = storedWithOneWord();
    u32 error = 0;
    EXPECT_EQ(open(kUdModeCreate, &error), nullptr);
    EXPECT_EQ(error, kSplErrOpen);
    EXPECT_EQ(bytes(), before);
}

TEST_F(UserDictTest, TwoThousandRandomWordsSplitLeavesAndRootAndAreFoundAfterReopening) {
    u32 error = 0;
    SplUserDict* d = open(kUdModeCreate, &error);
    ASSERT_NE(d, nullptr);
    std::mt19937 rng(33);
    std::set<std::string> words;
    while (words.size() < 2000) {
        std::string w;
        size_t n = 3 + rng() % 12;
        for (size_t i = 0; i < n; ++i) w.push_back(char('a' + rng() % 26));
        if (!words.insert(w).second) continue;
        ASSERT_EQ(splUserDictAddWord(spelltest::bytes(w), d), 1) << w;
    }
    size_t blocks = d->blocks.size();
    splUserDictClose(d);
    EXPECT_GT(blocks, 20u);
    EXPECT_EQ(fs::file_size(path()), blocks * kSplBlockSize);

    d = open(kUdModeOpen, &error);
    ASSERT_NE(d, nullptr) << error;
    EXPECT_FALSE(d->blocks[0].leaf);
    size_t missing = 0;
    for (const std::string& w : words) missing += knows(d, w) ? 0 : 1;
    EXPECT_EQ(missing, 0u);
    EXPECT_FALSE(knows(d, "qqqqqqqqqqqqqqqqqqqq"));
    // The leaves, followed by their links, hold every word once and in key order.
    size_t leaf = 0, entries = 0;
    while (!d->blocks[leaf].leaf) leaf = d->blocks[leaf].entries.front().value;
    std::string previous;
    for (size_t steps = 0; steps < d->blocks.size(); ++steps) {
        for (const SplUdEntry& e : d->blocks[leaf].entries) {
            EXPECT_LT(previous, e.key);
            previous = e.key;
            ++entries;
        }
        if (d->blocks[leaf].link == kUdNoLink) break;
        leaf = d->blocks[leaf].link;
    }
    EXPECT_GE(entries, 2000u);  // and the first key of a new dictionary
    splUserDictClose(d);
}

TEST_F(UserDictTest, ReadOnlyDictionaryRefusesInsertions) {
    const std::vector<u8> before = storedWithOneWord();
    u32 error = 0;
    SplUserDict* d = open(kUdModeReadOnly, &error);
    ASSERT_NE(d, nullptr) << error;
    EXPECT_TRUE(knows(d, "zorblax"));
    EXPECT_EQ(splUserDictAddWord(spelltest::bytes("quimby"), d), 0);
    splUserDictClose(d);

    if (geteuid() != 0) {  // the superuser writes through any permission
        fs::permissions(path(), fs::perms::owner_read);
        d = open(kUdModeOpen, &error);
        ASSERT_NE(d, nullptr) << error;
        EXPECT_TRUE(d->state & kUdModeReadOnly);
        EXPECT_EQ(splUserDictAddWord(spelltest::bytes("quimby"), d), 0);
        splUserDictClose(d);
        fs::permissions(path(), fs::perms::owner_read | fs::perms::owner_write);
    }
    EXPECT_EQ(bytes(), before);
}

TEST_F(UserDictTest, KeysUpToTheLimitFit) {
    u32 error = 0;
    SplUserDict* d = open(kUdModeCreate, &error);
    ASSERT_NE(d, nullptr);
    for (int n : {kSplMaxKey, kSplMaxKey + 1}) {
        std::string key(size_t(n), char(20));
        key[0] = key[1] = char(40);
        EXPECT_EQ(splUserDictInsert(spelltest::bytes(key), 1, d), n <= kSplMaxKey ? 1 : 0) << n;
    }
    EXPECT_EQ(splUserDictInsert(spelltest::bytes(""), 1, d), 0);
    splUserDictClose(d);
}

// After the new dictionary's first entry (10 bytes with the header), eight keys of 127 bytes
// but one of `length` at place `at`: the root leaf filled to exactly its 1024 bytes is not split
// (one more pad pair is); an entry ending exactly at the block's middle stays in the left half.
TEST_F(UserDictTest, SplitsAtTheBlockEndAndMiddle) {
    struct Case {
        size_t at, length;
        size_t blocks, firstLeaf;  // the blocks, and the entries of the first leaf
    };
    const Case cases[] = {{7, 85, 1, 9}, {7, 87, 3, 4}, {3, 102, 3, 5}, {3, 104, 3, 4}};
    for (const Case& c : cases) {
        std::filesystem::remove(path());
        u32 error = 0;
        SplUserDict* d = open(kUdModeCreate, &error);
        ASSERT_NE(d, nullptr) << error;
        ASSERT_LT(d->blocks[0].entries[0].key[0], 'A') << "the first entry stays first";
        for (size_t i = 0; i < 8; ++i)
            ASSERT_EQ(splUserDictInsert(spelltest::bytes(std::string(i == c.at ? c.length : 127, char('A' + i))), 1, d), 1) << i;
        EXPECT_EQ(d->blocks.size(), c.blocks) << c.length;
        EXPECT_EQ(fs::file_size(path()), d->blocks.size() * kSplBlockSize) << c.length;
        const SplUdBlock& first = d->blocks[0].leaf ? d->blocks[0] : d->blocks[d->blocks[0].entries[0].value];
        EXPECT_EQ(first.entries.size(), c.firstLeaf) << c.length;
        splUserDictClose(d);
    }
}

TEST_F(UserDictTest, DamagedFilesAreRefusedWhole) {
    u32 error = 0;
    SplUserDict* d = open(kUdModeCreate, &error);
    ASSERT_NE(d, nullptr);
    for (int i = 0; i < 300; ++i) splUserDictAddWord(spelltest::bytes("word" + std::string(1, char('a' + i % 26)) + std::string(1, char('a' + i / 26))), d);
    ASSERT_GT(d->blocks.size(), 2u);
    splUserDictClose(d);
    const std::vector<u8> good = bytes();
    // Block 1 is a leaf (the root's first half); block 0 the inner root.
    struct Case {
        const char* what;
        size_t at;
        u8 value;
        u32 error;
    } cases[] = {
        {"leaf link past the end", 1024 + 0, 200, kSplErrRead},
        {"leaf link to itself", 1024 + 0, 1, kSplErrRead},
        {"leaf link to the inner root", 1024 + 0, 0, kSplErrRead},
        {"used size past the block", 1024 + 3, 0x84, kSplErrRead},
        {"used size below the header", 1024 + 2, 2, kSplErrRead},
        {"first drop count", 1024 + 6, 5, kSplErrRead},
        {"child past the end", 4, 200, kSplErrRead},
        {"child is the root", 4, 0, kSplErrRead},
        {"format", 0, 9, kSplErrVersion},
        {"language", 1, 4, kSplErrLanguage},
    };
    for (const Case& c : cases) {
        std::vector<u8> b = good;
        b[c.at] = c.value;
        if (c.at == 1024 + 2) b[1024 + 3] = 0x80;
        if (c.at == 1024 + 0) b[1024 + 1] = 0;  // the whole link
        write(b);
        EXPECT_EQ(open(kUdModeOpen, &error), nullptr) << c.what;
        EXPECT_EQ(error, c.error) << c.what;
    }
    write(std::vector<u8>());
    EXPECT_EQ(open(kUdModeOpen, &error), nullptr);
    EXPECT_EQ(error, kSplErrRead);
    // Zero blocks left at the end by an interrupted split are not part of the dictionary.
    std::vector<u8> padded = good;
    padded.insert(padded.end(), 2 * kSplBlockSize, 0);
    write(padded);
    d = open(kUdModeOpen, &error);
    ASSERT_NE(d, nullptr) << error;
    EXPECT_EQ(d->blocks.size(), good.size() / kSplBlockSize);
    splUserDictClose(d);
}

TEST_F(UserDictTest, AFailedWriteIsReportedAndRefusesLaterWords) {
    u32 error = 0;
    SplUserDict* d = open(kUdModeCreate, &error);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(splUserDictAddWord(spelltest::bytes("zorblax"), d), 1);
    // The new file cannot be made beside the dictionary (its folder is gone).
    const std::string real = d->path;
    d->path = (dir / "gone" / "user.dct").string();
    EXPECT_EQ(splUserDictAddWord(spelltest::bytes("quimby"), d), 0);
    EXPECT_TRUE(d->state & kUdStateFailed);
    EXPECT_FALSE(knows(d, "quimby"));  // not kept in memory either
    EXPECT_TRUE(knows(d, "zorblax"));
    d->path = real;
    EXPECT_EQ(splUserDictAddWord(spelltest::bytes("wibble"), d), 0);  // refused, not written
    splUserDictClose(d);
    d = open(kUdModeOpen, &error);
    ASSERT_NE(d, nullptr) << error;
    EXPECT_TRUE(knows(d, "zorblax"));
    EXPECT_FALSE(knows(d, "wibble"));
    splUserDictClose(d);
}

// Files of this process may not grow past `bytes` while it lives: a write beyond fails as on a
// full disc.
struct FileSizeLimit {
    rlimit saved{};
    void (*handler)(int) = nullptr;
    explicit FileSizeLimit(rlim_t bytes) {
        handler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limited = saved;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
    }
};

TEST_F(UserDictTest, AWriteCutShortKeepsTheOldFileWhole) {
    u32 error = 0;
    SplUserDict* d = open(kUdModeCreate, &error);
    ASSERT_NE(d, nullptr);
    std::vector<std::string> words;
    for (int i = 0; d->blocks.size() < 3; ++i) {
        words.push_back("word" + std::string(1, char('a' + i % 26)) + std::string(1, char('a' + i / 26 % 26)));
        ASSERT_EQ(splUserDictAddWord(spelltest::bytes(words.back()), d), 1);
    }
    const std::vector<u8> before = bytes();
    {
        FileSizeLimit limit(kSplBlockSize + kSplBlockSize / 2);
        EXPECT_EQ(splUserDictAddWord(spelltest::bytes("quimbleton"), d), 0);
    }
    EXPECT_TRUE(d->state & kUdStateFailed);
    EXPECT_FALSE(knows(d, "quimbleton"));
    EXPECT_EQ(bytes(), before);
    EXPECT_FALSE(fs::exists(path() + ".new"));
    splUserDictClose(d);
    d = open(kUdModeOpen, &error);
    ASSERT_NE(d, nullptr) << error;
    for (const std::string& w : words) EXPECT_TRUE(knows(d, w)) << w;
    splUserDictClose(d);
}

TEST_F(UserDictTest, ACreationCutShortLeavesNoFile) {
    u32 error = 0;
    {
        FileSizeLimit limit(kSplBlockSize / 2);
        EXPECT_EQ(open(kUdModeCreate, &error), nullptr);
    }
    EXPECT_EQ(error, kSplErrRead);
    EXPECT_FALSE(fs::exists(path()));
    EXPECT_FALSE(fs::exists(path() + ".new"));
    SplUserDict* d = open(kUdModeCreate, &error);
    EXPECT_NE(d, nullptr) << error;
    splUserDictClose(d);
}

// A creation killed part way leaves its bytes under "<name>.new" only: never the dictionary,
// and taken over by the next creation.
TEST_F(UserDictTest, APartWrittenCreationIsNotTheDictionary) {
    std::ofstream(path() + ".new", std::ios::binary) << "half";
    u32 error = 0;
    EXPECT_EQ(open(kUdModeOpen, &error), nullptr);
    SplUserDict* d = open(kUdModeCreate, &error);
    ASSERT_NE(d, nullptr) << error;
    splUserDictAddWord(spelltest::bytes("zorblax"), d);
    splUserDictClose(d);
    EXPECT_FALSE(fs::exists(path() + ".new"));
    d = open(kUdModeOpen, &error);
    ASSERT_NE(d, nullptr) << error;
    EXPECT_TRUE(knows(d, "zorblax"));
    splUserDictClose(d);
}

TEST_F(UserDictTest, AnUpgradeThatCannotBeWrittenKeepsTheWordsReadable) {
    u32 error = 0;
    SplUserDict* d = open(kUdModeCreate, &error);
    ASSERT_NE(d, nullptr);
    splUserDictAddWord(spelltest::bytes("zorblax"), d);
    splUserDictClose(d);
    std::vector<u8> b = bytes();
    b[0] = phon->language;
    b[1] = 0;
    write(b);
    {
        FileSizeLimit limit(kSplBlockSize / 2);
        d = open(kUdModeOpen, &error);
    }
    ASSERT_NE(d, nullptr) << error;
    EXPECT_EQ(d->format, kUdOldFormat);
    EXPECT_TRUE(d->state & kUdStateFailed);
    EXPECT_TRUE(knows(d, "zorblax"));
    EXPECT_EQ(splUserDictAddWord(spelltest::bytes("quimby"), d), 0);
    splUserDictClose(d);
    EXPECT_EQ(bytes(), b);
}

TEST_F(UserDictTest, OldFormatIsUpgradedWhenOpenedWritable) {
    u32 error = 0;
    SplUserDict* d = open(kUdModeCreate, &error);
    ASSERT_NE(d, nullptr);
    splUserDictAddWord(spelltest::bytes("zorblax"), d);
    splUserDictClose(d);
    std::vector<u8> b = bytes();
    b[0] = phon->language;  // format 5: the language in byte 0, byte 1 zero
    b[1] = 0;
    write(b);
    d = open(kUdModeReadOnly, &error);
    ASSERT_NE(d, nullptr) << error;
    EXPECT_EQ(d->format, kUdOldFormat);
    splUserDictClose(d);
    EXPECT_EQ(bytes()[0], phon->language);
    d = open(kUdModeOpen, &error);
    ASSERT_NE(d, nullptr) << error;
    EXPECT_EQ(d->format, kUdFormat);
    EXPECT_TRUE(knows(d, "zorblax"));
    splUserDictClose(d);
    EXPECT_EQ(bytes()[0], kUdFormat);
    EXPECT_EQ(bytes()[1], phon->language);
}

TEST_F(UserDictTest, WordsOfTheDictionaryAreSuggested) {
    u32 error = 0;
    SplUserDict* d = open(kUdModeCreate, &error);
    ASSERT_NE(d, nullptr);
    splUserDictAddWord(spelltest::bytes("Quimbleton"), d);
    SplCorrCtx* ctx = splCorrCtxCreate(3);
    splCorrCtxAddLexicon(d, 0, 31, ctx);
    SplCorrectReq req;
    splCorrectInit(ctx, kCorrModeTypo | kCorrModeCandidates, 1, &req);
    const u8* const* list = splCorrectWord(spelltest::bytes("quimbelton"), &req, 0);
    ASSERT_NE(list[0], nullptr);
    EXPECT_STREQ(reinterpret_cast<const char*>(list[0]), "Quimbleton");
    splCorrCtxFree(ctx);
    splUserDictClose(d);
}

}  // namespace
