// The global user settings in the [GlobalUser] section of the user's "user.ini": defaults for
// what is missing, "TRUE" as the only true text, texts cut to their field, and a round trip.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/settings/DamagedUserFile.h"
#include "app/settings/RGlobalSave.h"
#include "document/users/UserNames.h"
#include "tests/document/DocumentFolderFixture.h"

namespace {

using namespace Ostrel;

class GlobalSave : public testdoc::DocumentFolderFixture {
protected:
    void SetUp() override {
        DocumentFolderFixture::SetUp();
        paths_ = std::make_unique<Paths>(roots());
        ASSERT_EQ(paths_->SelectUserFolder("Ann"), kErrNone);
    }
    void TearDown() override {
        paths_.reset();
        DocumentFolderFixture::TearDown();
    }
    void writeSettings(const std::string& body) { write("data/tumblo4/Users/Ann/user.ini", "[GlobalUser]\r\n" + body); }
    GlobalUserSettings load() {
        GlobalUserSettings settings = ResetGlobalUserSettings();
        RGlobalSave save(*paths_, &settings);
        EXPECT_EQ(save.Load(), kErrNone);
        return settings;
    }
    std::unique_ptr<Paths> paths_;
};

TEST_F(GlobalSave, MissingSectionGivesTheDefaults) {
    write("data/tumblo4/Users/Ann/user.ini", "[Brushes]\r\nSize=3\r\n");
    const GlobalUserSettings s = load();
    EXPECT_EQ((std::array<u16, 7>{s.textToSpeech, s.smallKids, s.toolSounds, s.attachedSounds, s.playOnce,
                                  s.manualAdvance, s.projectPosition}),
              (std::array<u16, 7>{1, 0, 1, 1, 1, 0, 0}));
    EXPECT_STREQ(s.alphabetText.data(), "Tumblo is fun!");
    EXPECT_STREQ(s.projectTitle.data(), "TB");
}

struct FlagCase {
    const char* text;
    u16 expected;
};

class GlobalSaveFlags : public GlobalSave, public ::testing::WithParamInterface<FlagCase> {};

TEST_P(GlobalSaveFlags, OnlyTrueInAnyCaseCounts) {
    writeSettings(std::string("SmallKids=") + GetParam().text + "\r\nTTS=" + GetParam().text + "\r\n");
    const GlobalUserSettings s = load();
    EXPECT_EQ(s.smallKids, GetParam().expected);
    EXPECT_EQ(s.textToSpeech, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, GlobalSaveFlags,
                         ::testing::Values(FlagCase{"TRUE", 1}, FlagCase{"true", 1}, FlagCase{"TrUe", 1}, FlagCase{"yes", 0},
                                           FlagCase{"1", 0}, FlagCase{"on", 0}, FlagCase{"FALSE", 0}, FlagCase{"", 0}));

struct LengthCase {
    size_t length;
    size_t kept;
};

class GlobalSaveTexts : public GlobalSave, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(GlobalSaveTexts, LongTextsAreCutToTheirField) {
    const std::string text(GetParam().length, 'a');
    writeSettings("ABCString=" + text + "\r\nProjectString=" + text + "\r\n");
    const GlobalUserSettings s = load();
    EXPECT_EQ(std::strlen(s.alphabetText.data()), GetParam().kept);
    EXPECT_EQ(std::strlen(s.projectTitle.data()), GetParam().kept);
}

INSTANTIATE_TEST_SUITE_P(Limits, GlobalSaveTexts,
                         ::testing::Values(LengthCase{254, 254}, LengthCase{255, 255}, LengthCase{256, 255}, LengthCase{300, 255}));

TEST_F(GlobalSave, SavedSettingsReadBackAsTheyWere) {
    GlobalUserSettings settings = ResetGlobalUserSettings();
    settings.smallKids = 1;
    settings.toolSounds = 0;
    settings.manualAdvance = 1;
    std::strcpy(settings.alphabetText.data(), "¡Hola, niños!");
    RGlobalSave save(*paths_, &settings);
    ASSERT_EQ(save.Save(), kErrNone);
    const std::string file = read("data/tumblo4/Users/Ann/user.ini");
    EXPECT_NE(file.find("SmallKids=TRUE"), std::string::npos);
    EXPECT_NE(file.find("ToolSnds=FALSE"), std::string::npos);
    EXPECT_NE(file.find("ProjectString=UntitledProjName"), std::string::npos);

    const GlobalUserSettings again = load();
    EXPECT_EQ(again.smallKids, 1);
    EXPECT_EQ(again.toolSounds, 0);
    EXPECT_EQ(again.manualAdvance, 1);
    EXPECT_EQ(again.projectPosition, 1);
    EXPECT_STREQ(again.alphabetText.data(), "¡Hola, niños!");
    EXPECT_STREQ(again.projectTitle.data(), "UntitledProjName");
}

TEST_F(GlobalSave, WithoutARecordTheFileIsLeftAlone) {
    writeSettings("TTS=FALSE\r\n");
    RGlobalSave save(*paths_, nullptr);
    EXPECT_EQ(save.Save(), kErrNone);
    EXPECT_EQ(save.Load(), kErrNone);
    EXPECT_EQ(read("data/tumblo4/Users/Ann/user.ini"), "[GlobalUser]\r\nTTS=FALSE\r\n");
}

struct DamageCase {
    const char* what;
    std::string file;
    EngineErr expected;
};

// A file the profile reader refuses gives the defaults and says why, and a save leaves it as
// it was; one byte inside the limits reads as before.
TEST_F(GlobalSave, AFileThatIsNoProfileGivesTheDefaultsAndSaysSo) {
    const std::string head = "[GlobalUser]\r\nToolSnds=FALSE\r\nABCString=";
    const DamageCase cases[] = {
        {"a NUL byte", head + std::string("a\0b\r\n", 5), kIniErrNotText},
        {"a Ctrl-Z inside", head + "a\x1A" + "b\r\n", kIniErrNotText},
        {"one byte too long", head + std::string(kIniMaxFileSize + 1 - head.size(), 'a'), kIniErrTooLong},
        {"as long as a profile may be", head + std::string(kIniMaxFileSize - head.size(), 'a'), kErrNone},
    };
    for (const DamageCase& c : cases) {
        SCOPED_TRACE(c.what);
        iniShutdown();
        ASSERT_EQ(iniInit(), kErrNone);
        write("data/tumblo4/Users/Ann/user.ini", c.file);
        GlobalUserSettings settings = ResetGlobalUserSettings();
        EXPECT_EQ(RGlobalSave(*paths_, &settings).Load(), c.expected);
        EXPECT_EQ(settings.toolSounds, c.expected ? 1 : 0);
        EXPECT_EQ(IsDamagedProfileError(c.expected), c.expected != kErrNone);
        if (c.expected) {
            EXPECT_EQ(RGlobalSave(*paths_, &settings).Save(), c.expected);
            EXPECT_EQ(read("data/tumblo4/Users/Ann/user.ini"), c.file);
        }
    }
}

}  // namespace
