#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/spell/SpellTestSupport.h"
#include "contentgen/lexicon/ProxRules.h"
#include "contentgen/lexicon/TrieLexWriter.h"
#include "spell/SplCharSets.h"
#include "spell/SplCorrect.h"
#include "spell/SplTrieLexicon.h"
#include "spell/SplTspEncoder.h"
#include "spell/SplTspProximity.h"
#include "spell/SplTypoTree.h"

namespace {

namespace fs = std::filesystem;

std::string proxRules(int language) {
    return spelltest::readText(fs::path(SPELL_RULES_DIR) / (language == 4 ? "es.prox" : "en.prox"));
}

struct Found {
    std::map<std::string, u32> scores;
    u32 answer = 0;  // what the report hands back as the new threshold
};

u32 collect(const u8* candidate, u8, u32 score, void* arg) {
    auto* f = static_cast<Found*>(arg);
    f->scores[reinterpret_cast<const char*>(candidate)] = score;
    return f->answer;
}

struct ProximityWalk : ::testing::Test {
    std::vector<u8> image;
    SplTrieLexicon lex;
    int language = 1;
    void build(const std::vector<std::string>& utf8, int lang, bool withEncoder = true) {
        language = lang;
        std::vector<std::string> words;
        for (const std::string& w : utf8) words.push_back(spelltest::set1(w));
        TrieLexExtras extras;
        std::string error;
        if (withEncoder) {
            ASSERT_TRUE(buildProxEncoder(proxRules(lang), &extras.encoder, &error)) << error;
        }
        u32 skipped = 0;
        ASSERT_TRUE(buildTrieLexImage(words, {}, lang, &image, &skipped, &error, extras)) << error;
        ASSERT_TRUE(splTrieInit(&lex, lang, image.data(), u32(image.size())));
    }
    Found walk(const std::string& utf8, u32 answer = 0) {
        Found f;
        f.answer = answer;
        splTspCorrectStart(spelltest::bytes(spelltest::set1(utf8)), &lex, collect, &f);
        return f;
    }
    // A and B codes of a lookup form coded at once.
    std::pair<std::string, std::string> codesOf(const std::string& set1) {
        std::string text = "Y" + set1 + "Z";
        SplTspCodes codes;
        SplTspEncState end, stable;
        splTspEncode(&lex, reinterpret_cast<const u8*>(splTspVowels(language)), splUnaccentTable(language),
                     reinterpret_cast<const u8*>(text.data()), u32(text.size()), u32(text.size()), SplTspEncState{},
                     &codes, &end, &stable);
        return {std::string(reinterpret_cast<char*>(codes.a), end.aLength),
                std::string(reinterpret_cast<char*>(codes.b), end.bLength)};
    }
};

TEST_F(ProximityWalk, SoundAlikeSpellingsCodeAlike) {
    build({"phone"}, 1);
    EXPECT_EQ(codesOf("fone"), codesOf("phone"));
    EXPECT_EQ(codesOf("kat"), codesOf("cat"));
    EXPECT_NE(codesOf("cent"), codesOf("kent"));  // a soft c
    EXPECT_NE(codesOf("bone").second, codesOf("fone").second);
    // Hard c and g sound apart though they share a code: their letters differ in B.
    EXPECT_EQ(codesOf("coppy").first, codesOf("gaby").first);
    EXPECT_NE(codesOf("coppy").second, codesOf("gaby").second);
}

// Coding a path letter by letter from the stable state of its parent gives the codes of the
// whole word, whatever the patterns that span the letters added.
TEST_F(ProximityWalk, CodingGoesOnFromTheParentsStableState) {
    for (int lang : {1, 4}) {
        build({"x"}, lang);
        for (const char* utf8 : {"knight", "shepherd", "acceptance", "whichever", "quagmire", "guitarra", "llegué",
                                 "chiquillo", "ceceo", "rey", "cacciatore"}) {
            std::string word = spelltest::set1(utf8);
            SplTspCodes codes;
            SplTspEncState stable;
            u8 text[kTrieMaxWord + 3] = {'Y'};
            for (size_t n = 1; n <= word.size(); ++n) {
                text[n] = u8(word[n - 1]);
                text[n + 1] = 'Z';
                SplTspEncState end, next;
                splTspEncode(&lex, reinterpret_cast<const u8*>(splTspVowels(lang)), splUnaccentTable(lang), text,
                             u32(n + 2), u32(n + 1), stable, &codes, &end, &next);
                stable = next;
                auto whole = codesOf(word.substr(0, n));
                EXPECT_EQ(std::string(reinterpret_cast<char*>(codes.a), end.aLength), whole.first) << utf8 << n;
                EXPECT_EQ(std::string(reinterpret_cast<char*>(codes.b), end.bLength), whole.second) << utf8 << n;
            }
        }
    }
}

TEST_F(ProximityWalk, FindsSoundAlikeWordsWithinTheFirstLettersGroup) {
    build({"phone", "bone", "phoney", "telephone", "fan", "cat", "catalogue", "photograph"}, 1);
    Found f = walk("fone");
    EXPECT_TRUE(f.scores.count("phone"));
    EXPECT_FALSE(f.scores.count("bone"));  // b is not among the letters an f may stand for
    EXPECT_FALSE(f.scores.count("telephone"));
    EXPECT_TRUE(walk("fotograf").scores.count("photograph"));
    EXPECT_TRUE(walk("katalog").scores.count("catalogue"));
    // The word itself scores as equal.
    Found exact = walk("phone");
    ASSERT_TRUE(exact.scores.count("phone"));
    EXPECT_EQ(exact.scores["phone"], 65535u);
}

TEST_F(ProximityWalk, SpanishSilentHAndSoundAlikeLetters) {
    build({"hablar", "haber", "vaca", "caballo", "llover", "zapato"}, 4);
    EXPECT_TRUE(walk("ablar").scores.count("hablar") == 0);  // a vowel may not stand for the h group
    EXPECT_TRUE(walk("cavallo").scores.count("caballo"));
    EXPECT_TRUE(walk("sapato").scores.count("zapato"));
    EXPECT_TRUE(walk("yover").scores.count("llover") == 0);  // y is a vowel's group
    EXPECT_TRUE(walk("baca").scores.count("vaca"));
}

TEST_F(ProximityWalk, TheReportsAnswerBecomesTheThreshold) {
    build({"phone", "phones", "phoned"}, 1);
    // 0 keeps the base threshold, and every word reaching it is reported; a threshold of the top
    // score lets only the first report and the equal word through.
    Found all = walk("fones", 0);
    Found top = walk("fones", 65535);
    EXPECT_EQ(all.scores.size(), 3u);
    EXPECT_EQ(top.scores.size(), 2u);
    EXPECT_EQ(top.scores["phones"], 65535u);
}

TEST_F(ProximityWalk, NothingWithoutEncoderGroupOrLanguage) {
    build({"phone"}, 1, false);
    EXPECT_TRUE(walk("fone").scores.empty());
    build({"phone"}, 1);
    EXPECT_TRUE(walk("'fone").scores.empty());  // no group for an apostrophe
    SplTrieLexicon other = lex;
    other.language = 2;
    Found f;
    EXPECT_EQ(splTspCorrectStart(spelltest::bytes("fone"), &other, collect, &f), 0u);
}

// The walk is the typo lexicon's candidate hook: off while the slot takes typo candidates only,
// as the front end adds it, and giving the correction no slip-by-slip search reaches when on.
TEST_F(ProximityWalk, OnlyTheWalkCorrectsASoundAlikeSpelling) {
    fs::path dir = spelltest::scratch("proximity_walk_slot");
    const std::vector<std::string> words = {"phone", "photograph", "fan", "bone", "tone"};
    ASSERT_EQ(spelltest::buildSmall(dir, 1, {"dog"}), "");
    build(words, 1);
    auto suggestions = [&](u32 flags) {
        spelltest::OpenSpeller s;
        EXPECT_TRUE(s.openDir(dir, 1));
        EXPECT_EQ(splCorrCtxAddLexicon(&lex, 0, flags, s.ctx), 1);
        SplCorrectReq req;
        splCorrectInit(s.ctx, kCorrModeTypo | kCorrModeCandidates, 1, &req);
        std::vector<std::string> out;
        for (const u8* const* l = splCorrectWord(spelltest::bytes("fotograf"), &req, 0); *l != nullptr; ++l)
            out.emplace_back(reinterpret_cast<const char*>(*l));
        return out;
    };
    EXPECT_TRUE(suggestions(kSlotTypo).empty());
    std::vector<std::string> on = suggestions(kSlotTypo | kSlotCandidates);
    ASSERT_FALSE(on.empty());
    EXPECT_EQ(on[0], "photograph");
}

TEST(ProxRules, RefusalsNameTheirLine) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"a 0\nab 1\n", "line 2: one output per pattern letter"},
        {"a 16\n", "line 1: an output is a code 0-15"},
        {"a x\n", "line 1: an output is a code 0-15"},
        {"a xy3\n", "line 1: an output is a code 0-15"},
        {"a x3y\n", "line 1: an output is a code 0-15"},
        {"a 0\n# c\na 1\n", "line 3: the pattern a is given twice"},
        {"abcdefghi 0 0 0 0 0 0 0 0 0\n", "line 1: a pattern of 1-8 letters"},
        {"# nothing\n", "no pattern"},
    };
    for (const Case& c : cases) {
        std::vector<u8> section;
        std::string error;
        EXPECT_FALSE(buildProxEncoder(c.text, &section, &error)) << c.text;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
    std::vector<u8> section;
    std::string error;
    EXPECT_TRUE(buildProxEncoder("abcdefgh 0 0 0 0 0 0 0 0\n", &section, &error)) << error;
}

}  // namespace
