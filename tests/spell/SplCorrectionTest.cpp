#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/spell/SpellTestSupport.h"
#include "contentgen/lexicon/TrieLexWriter.h"
#include "spell/SplCorrect.h"
#include "spell/SplTrieLexicon.h"
#include "spell/SplTypoTree.h"
#include "spell/SplUserDict.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kEnglish = {
    "receive", "believe", "because", "friend", "necessary", "separate", "definitely", "government", "beautiful",
    "different", "house", "horse", "mouse", "school", "picture", "children", "running", "Paris", "apple", "happy",
    "little", "people", "water", "yellow", "window", "brother", "mother", "father", "teacher", "garden", "rabbit"};

const std::vector<std::string> kSpanish = {"niño", "árbol", "dónde", "está", "casa", "vaca", "baca", "llave", "yema",
                                           "zapato", "cielo", "hacer", "hola", "hombre", "bueno", "canción",
                                           "corazón", "jugar", "perro", "escuela", "Madrid", "caballo", "vivir"};

std::vector<std::string> suggestions(spelltest::OpenSpeller& s, const std::string& utf8, SplCorrectReq* req) {
    splCorrCtxReset(s.ctx);
    splCorrectInit(s.ctx, kCorrModeTypo | kCorrModeCandidates, u32(s.language), req);
    const u8* const* list = splCorrectWord(spelltest::bytes(spelltest::set1(utf8)), req, 0);
    std::vector<std::string> out;
    for (; *list != nullptr; ++list) out.push_back(set1ToUtf8(reinterpret_cast<const char*>(*list)));
    return out;
}

bool contains(const std::vector<std::string>& list, const std::string& w) {
    return std::find(list.begin(), list.end(), w) != list.end();
}

struct Case {
    const char* typed;
    const char* wanted;
};

TEST(SplCorrection, EnglishPhoneticBinWalkSuggests) {
    fs::path dir = spelltest::scratch("correct_en");
    ASSERT_EQ(spelltest::buildSmall(dir, 1, kEnglish), "");
    spelltest::OpenSpeller s;
    ASSERT_TRUE(s.openDir(dir, 1)) << s.error;
    SplCorrectReq req;
    const Case cases[] = {{"recieve", "receive"},   {"beleive", "believe"},       {"becuase", "because"},
                          {"freind", "friend"},     {"seperate", "separate"},
                          {"definately", "definitely"}, {"goverment", "government"}, {"beutiful", "beautiful"},
                          {"Skool", "School"},      {"HOUSSE", "HOUSE"},          {"paris", "Paris"},
                          {"mother's", "mother's"}, {"mothr's", "mother's"}};
    for (const Case& c : cases) {
        std::vector<std::string> got = suggestions(s, c.typed, &req);
        EXPECT_TRUE(contains(got, c.wanted)) << c.typed << " -> " << (got.empty() ? "" : got[0]) << " (" << got.size() << ")";
    }
    EXPECT_TRUE(suggestions(s, "xqzvbnk", &req).empty());
}

TEST(SplCorrection, SpanishPhoneticBinWalkSuggests) {
    fs::path dir = spelltest::scratch("correct_es");
    ASSERT_EQ(spelltest::buildSmall(dir, 4, kSpanish), "");
    spelltest::OpenSpeller s;
    ASSERT_TRUE(s.openDir(dir, 4)) << s.error;
    SplCorrectReq req;
    const Case cases[] = {{"nino", "niño"},     {"arbol", "árbol"},     {"donde", "dónde"}, {"llema", "yema"},
                          {"sapato", "zapato"}, {"sielo", "cielo"},     {"acer", "hacer"},  {"ombre", "hombre"},
                          {"cancion", "canción"}, {"cavallo", "caballo"}, {"bibir", "vivir"}};
    for (const Case& c : cases) {
        std::vector<std::string> got = suggestions(s, c.typed, &req);
        EXPECT_TRUE(contains(got, c.wanted)) << c.typed << " -> " << (got.empty() ? "" : got[0]) << " (" << got.size() << ")";
    }
}

// A child who writes by ear means the word that sounds as she wrote it, not its neighbour one
// letter away: b and v, ll and y, g and j, s, c and z sound alike, the h not at all.
TEST(SplSpanishCorrection, AWordThatSoundsAsTypedComesBeforeALetterSlip) {
    fs::path dir = spelltest::scratch("sound_alike_es");
    ASSERT_EQ(spelltest::buildSmall(dir, 4, {"vamos", "baños", "bonito", "vomito", "verde", "borde", "llave", "ave", "lave",
                                             "caballo", "cobayo", "cerca", "surca", "gente", "junte", "huevo", "nuevo"}), "");
    spelltest::OpenSpeller s;
    ASSERT_TRUE(s.openDir(dir, 4)) << s.error;
    SplCorrectReq req;
    const Case cases[] = {{"bamos", "vamos"},   {"vonito", "bonito"}, {"berde", "verde"}, {"yave", "llave"},
                          {"cabayo", "caballo"}, {"serca", "cerca"},  {"jente", "gente"}, {"uevo", "huevo"}};
    for (const Case& c : cases) {
        const std::vector<std::string> got = suggestions(s, c.typed, &req);
        EXPECT_EQ(got.empty() ? "" : got[0], c.wanted) << c.typed;
    }
}

}  // namespace

namespace {

TEST(SplSpanishVerify, EncliticsAndTheAccentRetry) {
    fs::path dir = spelltest::scratch("enclitics_es");
    LexBuildInput input;
    input.language = 4;
    for (const char* w : {"comer", "come", "comiendo", "di", "da", "árbol", "Ángel", "canción", "casa", "mira", "cose"})
        input.words.push_back(spelltest::set1(w));
    input.rulesText = spelltest::rulesText(4);
    input.envPath = (dir / "x_phon.env").string();
    input.lexPath = (dir / "x_main.lex").string();
    // Imperatives: come, di and da take every pronoun, mira only third persons; cose has no class.
    for (const char* w : {"come", "di", "da"}) input.classBytes[w] = 128;
    input.classBytes["mira"] = 128 + 2;
    LexBuildReport report;
    std::string error;
    ASSERT_TRUE(buildLexicon(input, &report, &error)) << error;
    spelltest::OpenSpeller s;
    ASSERT_TRUE(s.openDir(dir, 4)) << s.error;
    struct Case {
        const char* word;
        bool accepted;
        bool folded;
    } cases[] = {
        // Pronouns on an infinitive: one needs no accent, two need it.
        {"comerlo", true, false}, {"comérselo", true, false}, {"comerselo", false, false},
        // A gerund takes the accent the pronoun moves onto it.
        {"comiéndolo", true, false}, {"comiendolo", false, false},
        // Imperatives: the accent is written once the stress moves back, and the class says
        // which pronouns the form takes.
        {"cómelo", true, false}, {"comelo", false, false}, {"dime", true, false}, {"dímelo", true, false},
        {"dámelo", true, false}, {"míralo", true, false}, {"miralo", false, false}, {"mírame", false, false},
        {"cósela", false, false}, {"cásala", false, false}, {"casalo", false, false}, {"comerxo", false, false},
        // Capitals may drop the accent of the first letter (all capitals, of any letter).
        {"Arbol", true, true}, {"ARBOL", true, true}, {"CANCION", true, true}, {"arbol", false, false},
        {"Cancion", false, false}, {"Angel", true, true}, {"Árbol", true, false},
    };
    for (const Case& c : cases) {
        splCorrCtxReset(s.ctx);
        splVerifyInit(s.ctx, 29, 4, &s.rec);
        u32 result = 0;
        int ok = splVerifyWord(spelltest::bytes(spelltest::set1(c.word)), &s.rec, &result);
        EXPECT_EQ(ok != 0, c.accepted) << c.word;
        if (ok) {
            EXPECT_EQ((s.rec.resultFlags & kResultFolded) != 0, c.folded) << c.word;
        }
    }
}

TEST(SplSpanishCorrection, VerbFormsAreOfferedWithThePronounsTheWordEndsWith) {
    fs::path dir = spelltest::scratch("enclitic_correction_es");
    LexBuildInput input;
    input.language = 4;
    for (const char* w : {"come", "da", "casa", "mira"}) input.words.push_back(w);
    input.rulesText = spelltest::rulesText(4);
    input.envPath = (dir / "x_phon.env").string();
    input.lexPath = (dir / "x_main.lex").string();
    // The accent falls three letters before the pronouns on come, one on da; mira takes only
    // third persons.
    input.classBytes["come"] = 128 + (3 << 4);
    input.classBytes["da"] = 128 + (1 << 4);
    input.classBytes["mira"] = 128 + (3 << 4) + 2;
    LexBuildReport report;
    std::string error;
    ASSERT_TRUE(buildLexicon(input, &report, &error)) << error;
    spelltest::OpenSpeller s;
    ASSERT_TRUE(s.openDir(dir, 4)) << s.error;
    SplCorrectReq req;
    struct Case {
        const char* typed;
        const char* offered;
        bool listed;
    } cases[] = {{"comelo", "cómelo", true},  {"comela", "cómela", true}, {"damelo", "dámelo", true},
                 {"miralo", "míralo", true},  {"mirame", "mírame", false}, {"casalo", "cásalo", false},
                 // One pronoun leaves the stress of "da" on the second syllable from the end.
                 {"dalo", "dálo", false}};
    for (const Case& c : cases) {
        std::vector<std::string> got = suggestions(s, c.typed, &req);
        EXPECT_EQ(contains(got, c.offered), c.listed) << c.typed << " -> " << (got.empty() ? "" : got[0]);
    }
}

TEST(SplSpanishVerify, PersonalWordsAlsoForgiveTheAccentCapitalsDrop) {
    fs::path dir = spelltest::scratch("user_accents_es");
    ASSERT_EQ(spelltest::buildSmall(dir, 4, {"casa"}), "");
    spelltest::OpenSpeller s;
    ASSERT_TRUE(s.openDir(dir, 4)) << s.error;
    u32 error = 0;
    SplUserDict* d = splUserDictOpen((dir / "user.dct").string().c_str(), kUdModeCreate, s.phon, &error);
    ASSERT_NE(d, nullptr) << error;
    ASSERT_EQ(splUserDictAddWord(spelltest::bytes(spelltest::set1("ácaro")), d), 1);
    ASSERT_EQ(splCorrCtxAddLexicon(d, 0, 31, s.ctx), 1);
    struct Case {
        const char* word;
        bool accepted;
    } cases[] = {{"ácaro", true}, {"Ácaro", true}, {"Acaro", true}, {"ACARO", true}, {"acaro", false}, {"Acaró", false}};
    for (const Case& c : cases) EXPECT_EQ(s.verify(c.word), c.accepted) << c.word;
    splCorrCtxFree(s.ctx);
    s.ctx = nullptr;
    splUserDictClose(d);
}

TEST(SplVerifyControlBytes, AreNotAccepted) {
    fs::path dir = spelltest::scratch("control_bytes");
    ASSERT_EQ(spelltest::buildSmall(dir, 1, {"house"}), "");
    spelltest::OpenSpeller s;
    ASSERT_TRUE(s.openDir(dir, 1));
    for (std::string w : {"house", "ho\x01use", "house\x1f", "\x7fhouse", "hou\tse"}) {
        u32 result = 0;
        splCorrCtxReset(s.ctx);
        EXPECT_EQ(splVerifyWord(spelltest::bytes(w), &s.rec, &result) != 0, w == "house") << int(w[2]);
    }
}

}  // namespace
