#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "SpellTestSupport.h"
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

}  // namespace
