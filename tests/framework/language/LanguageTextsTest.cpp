#include "framework/language/LanguageTexts.h"

#include <filesystem>
#include <string>

#include "tests/engine/ini/IniTestSupport.h"

namespace {

class LanguageTexts : public ProfileFixture {
protected:
    LanguageTexts() : ProfileFixture(kLanguageSetupFile) {}
    void SetUp() override {
        ProfileFixture::SetUp();
        put("TB.ini",
            "[LanguageFiles]\r\nEnglish=English.ini\r\nSpanish=Spanish.ini\r\n"
            "[GeneralSettings]\r\nVolume=7\r\n");
        put("English.ini",
            "[GeneralStrings]\r\nHello=Hello\r\nOnlyHere=English only\r\nTwoLines=one\\ntwo\r\n"
            "[GeneralSettings]\r\nVolume=not from here\r\n");
        put("Spanish.ini", "[GeneralStrings]\r\nHello=Hola\r\nTwoLines=uno\\ndos \\o\r\n");
        pathFromText(&folder_, "T:\\");
        SetupLanguageFolders(&folder_, kLanguageSetupFile);
    }
    void TearDown() override {
        SetCurrentLanguage(kLanguageEnglish);
        pathRelease(&folder_);
        // The module keeps its paths between tests: none may point into this test's volumes.
        Path none{};
        SetupLanguageFolders(&none, kLanguageSetupFile);
        ProfileFixture::TearDown();
    }
    static std::string lookup(const char* section, const char* key) {
        return LookupLanguageText(section, key).c_str();
    }
    bool onDisc(const char* name) { return std::filesystem::exists(root_ + "/disc1/" + name); }

    Path folder_{};
};

struct LookupCase {
    u16 language;
    std::string section;  // a copy: sections are matched by their text
    const char* key;
    std::string expected;
};

TEST_F(LanguageTexts, LanguageChoosesTheFileAndNeutralSectionsComeFromSetup) {
    const LookupCase cases[] = {
        {kLanguageEnglish, "GeneralStrings", "Hello", "Hello"},
        {kLanguageSpanish, "GeneralStrings", "Hello", "Hola"},
        {7, "GeneralStrings", "Hello", "Hello"},
        {kLanguageSpanish, "GeneralStrings", "OnlyHere", ""},
        {kLanguageEnglish, "GeneralStrings", "Missing", ""},
        {kLanguageEnglish, "NoSuchSection", "Hello", ""},
        {kLanguageEnglish, "GeneralSettings", "Volume", "7"},
        {kLanguageSpanish, "GeneralSettings", "Volume", "7"},
        {kLanguageSpanish, "generalsettings", "Volume", "7"},
        {kLanguageEnglish, "LanguageFiles", "Spanish", "Spanish.ini"},
        {kLanguageEnglish, "GeneralStrings", "TwoLines", "one\ntwo"},
        {kLanguageSpanish, "GeneralStrings", "TwoLines", "uno\ndos \xF8"},
    };
    for (const LookupCase& c : cases) {
        SCOPED_TRACE(c.section + "/" + c.key + " in " + std::to_string(c.language));
        SetCurrentLanguage(c.language);
        EXPECT_EQ(lookup(c.section.c_str(), c.key), c.expected);
    }
}

TEST_F(LanguageTexts, MissingSpanishFileOnReadOnlyDiscGivesEmptyTexts) {
    std::filesystem::remove(root_ + "/disc1/Spanish.ini");
    drive_->setWriteProtected(true);
    SetCurrentLanguage(kLanguageSpanish);
    EXPECT_EQ(lookup("GeneralStrings", "Hello"), "");
    EXPECT_FALSE(onDisc("Spanish.ini"));
    EXPECT_EQ(lookup("GeneralSettings", "Volume"), "7");
    SetCurrentLanguage(kLanguageEnglish);
    EXPECT_EQ(lookup("GeneralStrings", "Hello"), "Hello");
}

TEST_F(LanguageTexts, MissingFileIsNeverCreated) {
    std::filesystem::remove(root_ + "/disc1/Spanish.ini");
    SetCurrentLanguage(kLanguageSpanish);
    EXPECT_EQ(lookup("GeneralStrings", "Hello"), "");
    EXPECT_FALSE(onDisc("Spanish.ini"));
}

TEST_F(LanguageTexts, SetupWithoutFileNamesReadsNothing) {
    put("TB.ini", "[GeneralSettings]\r\nVolume=3\r\n");
    iniShutdown();
    ASSERT_EQ(iniInit(), kErrNone);
    SetupLanguageFolders(&folder_, kLanguageSetupFile);
    EXPECT_EQ(lookup("GeneralStrings", "Hello"), "");
    EXPECT_EQ(lookup("GeneralSettings", "Volume"), "3");
}

TEST_F(LanguageTexts, OnlyTheFirst1023BytesOfAValueCount) {
    put("English.ini", "[S]\r\nLong=" + std::string(1022, 'a') + "bc\r\nFits=" + std::string(1023, 'z') + "\r\n");
    iniShutdown();
    ASSERT_EQ(iniInit(), kErrNone);
    EXPECT_EQ(lookup("S", "Long"), std::string(1022, 'a') + "b");
    EXPECT_EQ(lookup("S", "Fits"), std::string(1023, 'z'));
}

TEST(LanguageEscapes, OnlyLineFeedAndDegreeAreEscapes) {
    const std::pair<const char*, std::string> cases[] = {
        {"a\\nb", "a\nb"}, {"\\o", "\xF8"},      {"\\x", "\\x"},   {"end\\", "end\\"},
        {"\\\\n", "\\\n"}, {"100%\\n", "100%\n"}, {"", ""},        {"\\N", "\\N"},
    };
    for (const auto& [raw, expected] : cases) EXPECT_EQ(ApplyTextEscapes(raw), expected) << raw;
}

}  // namespace
