#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "tests/spell/SpellTestSupport.h"
#include "engine/base/ByteOrder.h"
#include "spell/SplErrors.h"
#include "spell/SplLexEntries.h"
#include "spell/SplLexicon.h"
#include "spell/SplPhonTable.h"

namespace {

namespace fs = std::filesystem;
using spelltest::OpenSpeller;

// Stems and endings enough for the builder to choose ending codes.
std::vector<std::string> regularWords() {
    std::vector<std::string> words;
    for (const char* stem : {"walk", "talk", "jump", "play", "work", "call", "help", "look", "turn", "want", "paint",
                             "print", "point", "count", "mark", "park", "pull", "push", "kick", "pick"})
        for (const char* ending : {"", "s", "ed", "ing", "er", "ers"}) words.push_back(std::string(stem) + ending);
    return words;
}

std::vector<u8> load(const fs::path& p) {
    std::string s = spelltest::readText(p);
    return std::vector<u8>(s.begin(), s.end());
}

void save(const fs::path& p, const std::vector<u8>& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

class SplLexiconFilesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = spelltest::scratch("lexfiles");
        ASSERT_EQ(spelltest::buildSmall(dir, 1, regularWords()), "");
        lexImage = load(dir / "x_main.lex");
        envImage = load(dir / "x_phon.env");
    }
    void SetUp() override { work = spelltest::scratch("lexfiles-work"); }
    std::string env() const { return (dir / "x_phon.env").string(); }

    // Opens a changed copy of the lexicon; the error code of the open (0 when it opened).
    u32 openChangedLex(const std::function<void(std::vector<u8>&)>& change) {
        std::vector<u8> bytes = lexImage;
        change(bytes);
        save(work / "x_main.lex", bytes);
        u32 error = 0;
        SplPhonTable* phon = splPhonOpen(env().c_str(), 0, &error);
        EXPECT_NE(phon, nullptr);
        SplMemManager* mm = splMemOpen(2, 8);
        SplLexicon* lex = splLexOpen((work / "x_main.lex").string().c_str(), 0, mm, phon, &error);
        EXPECT_EQ(lex == nullptr, error != 0);
        splLexClose(lex);
        splMemClose(mm);
        splPhonClose(phon);
        return error;
    }
    u32 openChangedEnv(const std::function<void(std::vector<u8>&)>& change) {
        std::vector<u8> bytes = envImage;
        change(bytes);
        save(work / "x_phon.env", bytes);
        u32 error = 0;
        SplPhonTable* phon = splPhonOpen((work / "x_phon.env").string().c_str(), 0, &error);
        EXPECT_EQ(phon == nullptr, error != 0);
        splPhonClose(phon);
        return error;
    }
    static u16 word(const std::vector<u8>& b, int i) { return readLE16(b.data() + 256 + 2 * i); }
    static void setWord(std::vector<u8>& b, int i, u32 v) { writeLE16(b.data() + 256 + 2 * i, u16(v)); }

    static fs::path dir;
    static std::vector<u8> lexImage, envImage;
    fs::path work;
};
fs::path SplLexiconFilesTest::dir;
std::vector<u8> SplLexiconFilesTest::lexImage, SplLexiconFilesTest::envImage;

TEST_F(SplLexiconFilesTest, BuiltLexiconUsesEndingsAndDigramsAndVerifies) {
    EXPECT_GT(word(lexImage, 4), 0);  // ending codes
    EXPECT_GT(word(lexImage, 5), 0);  // digram codes
    EXPECT_EQ(word(lexImage, 2) & (kLexFlagBlockHeader | kLexFlagTags), 0);
    OpenSpeller speller;
    ASSERT_TRUE(speller.openDir(dir, 1));
    for (const std::string& w : regularWords()) EXPECT_TRUE(speller.verify(w)) << w;
    for (const char* w : {"Walkers", "PAINTING", "Kicked"}) EXPECT_TRUE(speller.verify(w)) << w;
    for (const char* w : {"walkeds", "jumpin", "pul", "walkingz", "wlk"}) EXPECT_FALSE(speller.verify(w)) << w;
}

TEST_F(SplLexiconFilesTest, TextHeader) {
    u8 header[256];
    u32 error = 9;
    EXPECT_EQ(splLexCheckHeader((dir / "x_main.lex").string().c_str(), 0, header, &error), 1u);
    EXPECT_EQ(error, 0u);
    std::vector<u8> full(lexImage);
    std::memset(full.data(), 'a', 255);
    full[255] = 0;  // the NUL as the header's last byte is still inside it
    full[10] = '\n';
    full[11] = '\r';
    save(work / "x_main.lex", full);
    EXPECT_EQ(splLexCheckHeader((work / "x_main.lex").string().c_str(), 0, header, &error), 1u);
    EXPECT_EQ(error, 0u);
    EXPECT_EQ(header[11], ' ');
    full[255] = 'a';
    save(work / "x_main.lex", full);
    EXPECT_EQ(splLexCheckHeader((work / "x_main.lex").string().c_str(), 0, header, &error), 0u);
    EXPECT_EQ(error, kSplErrFormat);
    EXPECT_EQ(splLexCheckHeader((work / "missing.lex").string().c_str(), 0, header, &error), 0u);
    EXPECT_EQ(error, kSplErrOpen);
    save(work / "short.lex", std::vector<u8>(100, 1));
    EXPECT_EQ(splLexCheckHeader((work / "short.lex").string().c_str(), 0, header, &error), 0u);
    EXPECT_EQ(error, kSplErrRead);
}

TEST_F(SplLexiconFilesTest, HeaderVersionAndLanguage) {
    struct Case {
        const char* what;
        std::function<void(std::vector<u8>&)> change;
        u32 error;
    };
    const Case cases[] = {
        {"unchanged", [](std::vector<u8>&) {}, kSplErrNone},
        {"version 0x0500", [](std::vector<u8>& b) { setWord(b, 1, 0x0500); }, kSplErrNone},
        {"version 0x04FF", [](std::vector<u8>& b) { setWord(b, 1, 0x04FF); }, kSplErrVersion},
        {"version 0x8000", [](std::vector<u8>& b) { setWord(b, 1, 0x8000); }, kSplErrVersion},
        {"version 0x7FFF", [](std::vector<u8>& b) { setWord(b, 1, 0x7FFF); }, kSplErrNone},
        {"language 4", [](std::vector<u8>& b) { setWord(b, 0, 4); }, kSplErrLanguage},
        {"language 1 high byte set", [](std::vector<u8>& b) { setWord(b, 0, 0x0301); }, kSplErrNone},
        // The language is refused before the version is looked at.
        {"language and version", [](std::vector<u8>& b) { setWord(b, 0, 2), setWord(b, 1, 1); }, kSplErrLanguage},
    };
    for (const Case& c : cases) EXPECT_EQ(openChangedLex(c.change), c.error) << c.what;
}

TEST_F(SplLexiconFilesTest, InconsistentTablesAreRefused) {
    u32 letters = envImage[6] | (envImage[7] << 8);
    ASSERT_LT(letters + 16 + word(lexImage, 4) + word(lexImage, 5), 256u);
    struct Case {
        const char* what;
        std::function<void(std::vector<u8>&)> change;
        u32 error;
    };
    const Case cases[] = {
        {"string table one byte longer", [](std::vector<u8>& b) { setWord(b, 7, word(b, 7) + 1u); }, kSplErrRead},
        {"string table one byte shorter", [](std::vector<u8>& b) { setWord(b, 7, word(b, 7) - 1u); }, kSplErrRead},
        {"one block more than the file holds", [](std::vector<u8>& b) { setWord(b, 6, word(b, 6) + 1u); }, kSplErrRead},
        {"codes up to 255", [letters](std::vector<u8>& b) { setWord(b, 5, 255 - letters - 16 - word(b, 4) + 1); },
         kSplErrRead},
        {"ending drop 128", [](std::vector<u8>& b) { b[272] = 128; }, kSplErrRead},
        {"ending drop 127", [](std::vector<u8>& b) { b[272] = 127; }, kSplErrNone},
        {"digram byte 0", [](std::vector<u8>& b) { b[272 + word(b, 4)] = 0; }, kSplErrRead},
        {"digram byte 255", [](std::vector<u8>& b) { b[272 + word(b, 4) + 1] = 255; }, kSplErrRead},
        {"file cut by a byte", [](std::vector<u8>& b) { b.pop_back(); }, kSplErrRead},
        {"tag area flag without the tag block", [](std::vector<u8>& b) { setWord(b, 2, word(b, 2) | kLexFlagTags); },
         kSplErrRead},
        {"binary header cut", [](std::vector<u8>& b) { b.resize(270); }, kSplErrRead},
    };
    for (const Case& c : cases) EXPECT_EQ(openChangedLex(c.change), c.error) << c.what;
}

// A suffix-class table: its class matrix, then list 1 (bit number and a suffix backwards, sorted),
// the companions, list 2 (reflexive endings) and their plain strings.
struct TagSpec {
    u32 rows = 2, width = 1, percent = 60, prefix = 1;
    std::vector<std::pair<u8, std::string>> suffixes = {{0, "ba"}, {1, "s"}};
    std::string reflexive = "se";
    int sizeChange = 0;
};

std::vector<u8> tagArea(const TagSpec& t) {
    std::vector<u8> strings(t.rows * t.width, 0x03);
    for (const auto& [bit, backwards] : t.suffixes) {
        for (u32 i = 0; i < t.prefix; ++i) strings.push_back(bit);
        strings.insert(strings.end(), backwards.begin(), backwards.end());
        strings.push_back(0);
    }
    for (size_t i = 0; i < t.suffixes.size(); ++i) strings.push_back(0);
    strings.insert(strings.end(), t.reflexive.begin(), t.reflexive.end());
    strings.push_back(0);
    strings.push_back(0);
    std::vector<u8> block(kSplBlockSize, 0);
    u32 size = u32(int(strings.size()) + t.sizeChange);
    u8 head[16] = {0, 16, u8(size), u8(size >> 8), u8(t.suffixes.size()), 0, 1, 0, u8(t.rows), u8(t.width),
                   u8(t.percent), 4, u8(t.prefix), 0, 0, 0};
    std::copy(head, head + 16, block.begin());
    std::copy(strings.begin(), strings.end(), block.begin() + 16);
    return block;
}

TEST_F(SplLexiconFilesTest, TagAreaIsLoadedAndChecked) {
    auto with = [](TagSpec t) {
        return [t](std::vector<u8>& b) {
            setWord(b, 2, word(b, 2) | kLexFlagTags);
            std::vector<u8> block = tagArea(t);
            b.insert(b.end(), block.begin(), block.end());
        };
    };
    auto change = [](auto f) {
        TagSpec t;
        f(t);
        return t;
    };
    struct Case {
        const char* what;
        TagSpec spec;
        u32 error;
    } cases[] = {
        {"a sound table", TagSpec{}, kSplErrNone},
        {"strings one byte longer than declared", change([](TagSpec& t) { t.sizeChange = -1; }), kSplErrRead},
        {"strings one byte shorter than declared", change([](TagSpec& t) { t.sizeChange = 1; }), kSplErrRead},
        {"bit 7 of a one-byte row", change([](TagSpec& t) { t.suffixes[1].first = 7; }), kSplErrNone},
        {"bit 8 of a one-byte row", change([](TagSpec& t) { t.suffixes[1].first = 8; }), kSplErrRead},
        {"percentage 100", change([](TagSpec& t) { t.percent = 100; }), kSplErrNone},
        {"percentage 101", change([](TagSpec& t) { t.percent = 101; }), kSplErrRead},
        {"64 classes", change([](TagSpec& t) { t.rows = 64; }), kSplErrNone},
        {"65 classes", change([](TagSpec& t) { t.rows = 65; }), kSplErrRead},
        {"two-byte list-1 prefixes", change([](TagSpec& t) { t.prefix = 2; }), kSplErrRead},
        {"index out of order", change([](TagSpec& t) { std::swap(t.suffixes[0], t.suffixes[1]); }), kSplErrRead},
        {"a suffix twice", change([](TagSpec& t) { t.suffixes[1].second = "ba"; }), kSplErrRead},
        {"an empty suffix", change([](TagSpec& t) { t.suffixes[0].second = ""; }), kSplErrRead},
        {"a reflexive ending of 9", change([](TagSpec& t) { t.reflexive = "abcdefghi"; }), kSplErrNone},
        {"a reflexive ending of 10", change([](TagSpec& t) { t.reflexive = "abcdefghij"; }), kSplErrRead},
    };
    for (const Case& c : cases) EXPECT_EQ(openChangedLex(with(c.spec)), c.error) << c.what;
}

TEST_F(SplLexiconFilesTest, DamagedBlocksReadAsNotFound) {
    u32 firstBlock = u32(lexImage.size() / kSplBlockSize) - word(lexImage, 6);
    const u8 fills[] = {0x00, 0xFF, 0x04, 0x41, 0x7F};
    for (u8 fill : fills) {
        std::vector<u8> bytes = lexImage;
        std::memset(bytes.data() + firstBlock * kSplBlockSize + 1, fill, kSplBlockSize - 1);
        save(work / "x_main.lex", bytes);
        OpenSpeller speller;
        ASSERT_TRUE(speller.open(env(), (work / "x_main.lex").string(), 1)) << int(fill);
        int found = 0;
        for (const std::string& w : regularWords()) found += speller.verify(w);
        EXPECT_LT(found, int(regularWords().size())) << int(fill);
    }
}

TEST_F(SplLexiconFilesTest, PhoneticFileHeader) {
    struct Case {
        const char* what;
        std::function<void(std::vector<u8>&)> change;
        u32 error;
    };
    auto setEnvWord = [](std::vector<u8>& b, int i, u32 v) { writeLE16(b.data() + 4 + 2 * i, u16(v)); };
    const Case cases[] = {
        {"unchanged", [](std::vector<u8>&) {}, kSplErrNone},
        {"no PH", [](std::vector<u8>& b) { b[3] = 'X'; }, kSplErrFormat},
        {"version 0", [](std::vector<u8>& b) { b[0] = 0; }, kSplErrVersion},
        {"version 2", [](std::vector<u8>& b) { b[0] = 2; }, kSplErrNone},
        {"version 3", [](std::vector<u8>& b) { b[0] = 3; }, kSplErrVersion},
        {"language 0", [](std::vector<u8>& b) { b[1] = 0; }, kSplErrLanguage},
        {"language 28", [](std::vector<u8>& b) { b[1] = 28; }, kSplErrNone},
        {"language 29", [](std::vector<u8>& b) { b[1] = 29; }, kSplErrLanguage},
        {"magic before version", [](std::vector<u8>& b) { b[2] = 'Q', b[0] = 9; }, kSplErrFormat},
        {"no rules", [setEnvWord](std::vector<u8>& b) { setEnvWord(b, 0, 0); }, kSplErrRead},
        {"skipped block not 256", [setEnvWord](std::vector<u8>& b) { setEnvWord(b, 9, 255); }, kSplErrRead},
        {"letter table 513", [setEnvWord](std::vector<u8>& b) { setEnvWord(b, 10, 513); }, kSplErrRead},
        {"pair table size off", [setEnvWord](std::vector<u8>& b) { setEnvWord(b, 8, readLE16(b.data() + 20) + 2); },
         kSplErrRead},
        {"bin beyond the pairs", [setEnvWord](std::vector<u8>& b) { setEnvWord(b, 5, readLE16(b.data() + 6)); },
         kSplErrRead},
        {"cut short", [](std::vector<u8>& b) { b.resize(b.size() - 1); }, kSplErrRead},
        {"only the magic", [](std::vector<u8>& b) { b.resize(4); }, kSplErrRead},
    };
    for (const Case& c : cases) EXPECT_EQ(openChangedEnv(c.change), c.error) << c.what;
    u32 error = 0;
    EXPECT_EQ(splPhonOpen((work / "none.env").string().c_str(), 0, &error), nullptr);
    EXPECT_EQ(error, kSplErrOpen);
}

TEST(SplLexiconKinds, EveryStorageVariantVerifies) {
    const std::vector<std::string> words = {"dog", "Paris", "NASA", "etc.", "McDonald", "walk", "walking",
                                            "polish", "Polish", "e.g.", "café"};
    struct Variant {
        const char* what;
        u16 flags;
        bool compress;
    };
    const Variant variants[] = {{"plain", 0, true},
                                {"uncompressed", 0, false},
                                {"single bin", kLexFlagSingleBin, true},
                                {"compact flags", kLexFlagCompactFlags, true},
                                {"proper names", kLexFlagProperNames, true},
                                {"all three", kLexFlagSingleBin | kLexFlagCompactFlags | kLexFlagProperNames, true}};
    for (const Variant& v : variants) {
        auto dir = spelltest::scratch("kinds");
        ASSERT_EQ(spelltest::buildSmall(dir, 1, words, v.flags, v.compress), "") << v.what;
        OpenSpeller speller;
        ASSERT_TRUE(speller.openDir(dir, 1)) << v.what;
        for (const char* w : {"dog", "Dog", "DOG", "Paris", "PARIS", "NASA", "etc.", "ETC.", "McDonald", "MCDONALD",
                              "walking", "polish", "Polish", "POLISH", "E.G.", "café", "CAFÉ"})
            EXPECT_TRUE(speller.verify(w)) << v.what << " " << w;
        for (const char* w : {"paris", "nasa", "Nasa", "etc", "mcdonald", "walkin", "eg", "cafe"})
            EXPECT_FALSE(speller.verify(w)) << v.what << " " << w;
    }
}

TEST(SplLexiconKinds, LexstripReadsExplicitAndCompactTrailers) {
    SplLexicon lex;
    auto strip = [&lex](std::vector<u8> entry, u32 keyLength, u16 flags) {
        lex.flags = flags;
        std::copy(entry.begin(), entry.end(), lex.decomp);
        lex.decompEnd = u32(entry.size());
        lex.keyLength = keyLength;
        bool ok = lexstrip(&lex);
        return ok ? std::string(reinterpret_cast<const char*>(lex.flagCodes)) : std::string("refused");
    };
    EXPECT_EQ(strip({5, 5, 9}, 3, 0), "\x01");
    EXPECT_EQ(strip({5, 5, 9}, 3, kLexFlagProperNames), "\x02");
    EXPECT_EQ(strip({5, 5, 9, 255, 3, 255, 1}, 3, 0), "\x03\x01");
    EXPECT_EQ(strip({5, 5, 9, 255, 130, 255, 2}, 3, 0), "\x02");
    EXPECT_EQ(lex.classByte, 130);
    // Compact: codes 1 and 3 (bits 0 and 2) in one pair; codes 2 and 16 (bits 1 and 9) in two.
    EXPECT_EQ(strip({5, 5, 9, 255, 0x52}, 3, kLexFlagCompactFlags), "\x01\x03");
    EXPECT_EQ(strip({5, 5, 9, 255, 0x20, 255, 0x22}, 3, kLexFlagCompactFlags), "\x02\x10");
    // A count that the mask cannot satisfy, and a two-pair mask without its high pair.
    EXPECT_EQ(strip({5, 5, 9, 255, 0x13}, 3, kLexFlagCompactFlags), "refused");
    EXPECT_EQ(strip({5, 5, 9, 255, 0x02}, 3, kLexFlagCompactFlags), "refused");
    // An explicit pair before a one-pair compact mask is read as explicit.
    EXPECT_EQ(strip({5, 5, 9, 255, 3, 255, 0x11}, 3, kLexFlagCompactFlags), "\x01\x03");
}

}  // namespace
