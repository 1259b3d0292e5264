#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/spell/SpellTestSupport.h"
#include "contentgen/lexicon/SuffixClasses.h"
#include "spell/SplCorrect.h"
#include "spell/SplSuffixClass.h"

namespace {

namespace fs = std::filesystem;

const char* kRules = "percent 60\nminstem 4\nsuffix s\nsuffix ed\nsuffix ing\nsuffix er\nsuffix ful\n";

struct SuffixClassLexicon : ::testing::Test {
    fs::path dir;
    LexBuildReport report;
    spelltest::OpenSpeller s;
    void build(const std::vector<std::string>& words, const std::string& rules = kRules) {
        dir = spelltest::scratch("suffix_class");
        LexBuildInput input;
        input.language = 1;
        for (const std::string& w : words) input.words.push_back(spelltest::set1(w));
        input.rulesText = spelltest::rulesText(1);
        input.suffixRulesText = rules;
        input.envPath = (dir / "x_phon.env").string();
        input.lexPath = (dir / "x_main.lex").string();
        input.headerText = "test lexicon\n";
        std::string error;
        ASSERT_TRUE(buildLexicon(input, &report, &error)) << error;
        ASSERT_TRUE(s.openDir(dir, 1));
    }
    std::vector<std::string> suggest(const std::string& word) {
        SplCorrectReq req;
        splCorrectInit(s.ctx, kCorrModeTypo | kCorrModeCandidates, 1, &req);
        splCorrCtxReset(s.ctx);
        std::vector<std::string> out;
        for (const u8* const* l = splCorrectWord(spelltest::bytes(word), &req, 0); *l != nullptr; ++l)
            out.emplace_back(reinterpret_cast<const char*>(*l));
        return out;
    }
};

const std::vector<std::string> kWords = {"walk",   "walks",   "walked", "walking", "walker", "talk",  "talks",
                                         "talked", "talking", "jump",   "jumps",   "jumped", "jumping", "help",
                                         "helps",  "helped",  "helper", "helpful", "cat",    "cats",  "dog"};

TEST_F(SuffixClassLexicon, StemsStandForTheirFormsAndOnlyThose) {
    build(kWords);
    EXPECT_GT(report.omittedForms, 0u);
    EXPECT_EQ(report.entries + report.omittedForms, u32(kWords.size()));
    ASSERT_NE(s.lex->tags, nullptr);
    struct Case {
        const char* word;
        bool accepted;
    } cases[] = {
        {"walk", true},     {"walks", true},     {"walked", true},  {"Walking", true}, {"WALKER", true},
        {"helpful", true},  {"cats", true},      {"walkful", false}, {"talker", false}, {"catting", false},
        {"dogs", false},    {"walkeds", false},  {"ed", false},     {"s", false},
    };
    for (const Case& c : cases) EXPECT_EQ(s.verify(c.word), c.accepted) << c.word;
}

TEST_F(SuffixClassLexicon, CorrectionOffersFormsTheLexiconLeftOut) {
    build(kWords);
    // "walked" and "jumping" are not stored as entries; their stems' classes make them.
    for (auto [typed, wanted] : {std::pair{"walkd", "walked"}, std::pair{"jumpimg", "jumping"},
                                 std::pair{"helpfull", "helpful"}}) {
        std::vector<std::string> list = suggest(typed);
        EXPECT_NE(std::find(list.begin(), list.end(), wanted), list.end()) << typed;
    }
}

TEST_F(SuffixClassLexicon, WithoutRulesEveryFormIsAnEntry) {
    dir = spelltest::scratch("suffix_class_none");
    ASSERT_EQ(spelltest::buildSmall(dir, 1, kWords), "");
    ASSERT_TRUE(s.openDir(dir, 1));
    EXPECT_EQ(s.lex->tags, nullptr);
    EXPECT_TRUE(s.verify("walked"));
}

TEST(SuffixRules, PlanAndRefusals) {
    SuffixRules rules;
    std::string error;
    ASSERT_TRUE(parseSuffixRules(kRules, &rules, &error)) << error;
    std::map<std::string, SuffixFormInfo> forms;
    for (const char* f : {"walk", "walks", "walked", "talk", "talks", "talked", "paris", "pariss", "bus", "buss"})
        forms[f] = {{1}, 0};
    forms["paris"].codes = {2};  // a capitalised form does not stand for a lower-case one
    forms["talked"].classByte = 130;
    SuffixClassPlan plan = planSuffixClasses(forms, rules);
    EXPECT_TRUE(plan.classBytes.count("walk"));
    EXPECT_TRUE(plan.omitted.count("walked"));
    EXPECT_FALSE(plan.omitted.count("talked"));  // it has a class byte of its own
    EXPECT_FALSE(plan.classBytes.count("paris"));
    EXPECT_FALSE(plan.classBytes.count("bus"));  // it carries a listed suffix
    for (const auto& [form, cls] : plan.classBytes) EXPECT_EQ(cls & (kClassByte | kClassAlone), kClassByte | kClassAlone);

    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"percent 101\n", "line 1: a number"},
        {"minstem x\n", "line 1: a number"},
        {"suffix s\nsuffix s\n", "line 2: the suffix s is given twice"},
        {"suffix\n", "line 1: a suffix of 1-63"},
        {"prefix un\n", "line 1: percent, minstem or suffix"},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(parseSuffixRules(c.text, &rules, &error)) << c.text;
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
    std::string many;
    for (int i = 0; i < 64; ++i) many += std::string("suffix ") + char('a' + i / 26) + char('a' + i % 26) + "\n";
    EXPECT_TRUE(parseSuffixRules(many, &rules, &error)) << error;
    EXPECT_FALSE(parseSuffixRules(many + "suffix z\n", &rules, &error));
}

}  // namespace
