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
