#include "engine/ini/IniSection.h"

#include "tests/engine/ini/IniTestSupport.h"

namespace {

class IniSectionRead : public ProfileFixture {
protected:
    IniSectionRead() : ProfileFixture("settings.ini") {}
};

TEST_F(IniSectionRead, FlagsKeepTheirFallbackUnlessTheKeyReadsAsABoolean) {
    profile("[Mix]\r\nfOn=TRUE\r\nfOff=FALSE\r\nfOne=1\r\nfJunk=perhaps\r\n");
    struct Case {
        const char* key;
        bool fallback;
        bool expected;
    } cases[] = {
        {"fOn", false, true},     {"fOff", true, false},    {"fOne", false, true},
        {"fMissing", true, true}, {"fMissing", false, false}, {"fJunk", true, true},
        {"fJunk", false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(iniReadFlag(&profile_, "Mix", c.key, c.fallback), c.expected) << c.key << " fallback " << c.fallback;
}

TEST_F(IniSectionRead, SectionPairsComeInFileOrder) {
    profile("[Other]\r\nx=1\r\n[Decoders]\r\nzeta=z.so\r\nalpha=a.so\r\nmid=m.so\r\n");
    IniPairs expected{{"zeta", "z.so"}, {"alpha", "a.so"}, {"mid", "m.so"}};
    EXPECT_EQ(iniReadSection(&profile_, "Decoders"), expected);
}

// A line without a key name, or a section without one (a hand-edited file, or a bare line
// break left in a value), hides nothing after it.
TEST_F(IniSectionRead, NamelessKeysAndSectionsHideNothingAfterThem) {
    struct Case {
        const char* text;
        IniPairs expected;
    } cases[] = {
        {"[Panel]\r\n=0\r\nb=2\r\n", {{"b", "2"}}},
        {"[Panel]\r\na=1\r\n=0\r\n=1\r\nb=2\r\n", {{"a", "1"}, {"b", "2"}}},
        {"[]\r\nx=1\r\n[Panel]\r\nb=2\r\n", {{"b", "2"}}},
    };
    for (const Case& c : cases) {
        // Each file read afresh, as by a new run of the program.
        iniShutdown();
        ASSERT_EQ(iniInit(), kErrNone);
        profile(c.text);
        EXPECT_EQ(iniReadSection(&profile_, "Panel"), c.expected) << c.text;
        char sections[64] = {};
        ASSERT_EQ(iniGetString(&profile_, nullptr, nullptr, sections, sizeof sections, ""), kErrNone);
        EXPECT_STREQ(sections, "Panel") << c.text;
    }
}

TEST_F(IniSectionRead, MissingSectionOrProfileGivesNoPairs) {
    profile("[Other]\r\nx=1\r\n");
    EXPECT_TRUE(iniReadSection(&profile_, "Decoders").empty());
    Path absent{};
    pathFromText(&absent, "T:\\absent.ini");
    EXPECT_TRUE(iniReadSection(&absent, "Other").empty());
    pathRelease(&absent);
}

TEST_F(IniSectionRead, AKeyListLongerThanItsBlockIsCutAtAWholeName) {
    std::string text = "[Long]\r\n";
    for (int i = 0; i < 1000; ++i) text += "key" + std::to_string(i) + "=v\r\n";
    profile(text);
    IniPairs pairs = iniReadSection(&profile_, "Long");
    ASSERT_FALSE(pairs.empty());
    EXPECT_LT(pairs.size(), 1000u);
    for (size_t i = 0; i < pairs.size(); ++i) EXPECT_EQ(pairs[i].first, "key" + std::to_string(i));
}

}  // namespace
