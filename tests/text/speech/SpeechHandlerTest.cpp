#include "text/speech/SpeechHandler.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "platform/drives/Drives.h"
#include "platform/speech/headless/HeadlessSpeech.h"
#include "text/speech/PronunciationFile.h"
#include "text/speech/SpeechVoices.h"

namespace {

namespace fs = std::filesystem;
using namespace plat;

class SpeechHandlerTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tumblo-speech-XXXXXX";
        root_ = ::mkdtemp(pattern);
        drive_ = std::make_unique<FakeDrive>('T', FakeDisc{root_, "SCRATCH", 1234}, DriveType::Fixed);
    }
    void TearDown() override {
        drive_.reset();
        fs::remove_all(root_);
    }
    std::vector<Pronunciation> fileList() {
        PronunciationDecoding read;
        EXPECT_EQ(loadPronunciationFile(kPath, read), kSysOk);
        return read.entries;
    }

    static constexpr const char* kPath = "T:\\Words.dic";
    HeadlessSpeechBackend backend_;
    std::string root_;
    std::unique_ptr<FakeDrive> drive_;
};

TEST_F(SpeechHandlerTest, NothingIsSpokenBeforeAVoiceIsChosen) {
    SpeechHandler handler(backend_, kPath);
    handler.Speak("Hello", 5);
    EXPECT_TRUE(backend_.requests().empty());
    ASSERT_TRUE(handler.SetVoice(0)) << "the first choice selects even voice 0";
    handler.Speak("Hello", 5);
    ASSERT_EQ(backend_.requests().size(), 1u);
    EXPECT_TRUE(handler.IsSpeaking());
    EXPECT_EQ(handler.Stop(), 0);
    EXPECT_FALSE(handler.IsSpeaking());
}

TEST_F(SpeechHandlerTest, SpeakReadsNoFurtherThanTheGivenLength) {
    SpeechHandler handler(backend_, kPath);
    ASSERT_TRUE(handler.SetVoice(0));
    const char text[] = {'H', 'i', '!', 'X'};  // no NUL
    handler.Speak(text, 3);
    handler.Speak("a\0b", 3);
    handler.Speak(text, 0);
    ASSERT_EQ(backend_.requests().size(), 2u);
    EXPECT_EQ(backend_.requests()[0].text, "Hi!");
    EXPECT_EQ(backend_.requests()[1].text, "a");
}

TEST_F(SpeechHandlerTest, FamilyAndVoiceChoiceFollowTheReselectRules) {
    SpeechHandler handler(backend_, kPath);
    ASSERT_TRUE(handler.SetVoice(2));
    EXPECT_EQ(handler.SetVoiceFamily(kSpeechFamilySpanish), kSpeechFamilySpanish);
    EXPECT_FALSE(handler.SetVoice(2)) << "Spanish has no third voice";
    handler.Speak("x", 1);
    EXPECT_EQ(backend_.requests().back().voice.language, SpeechLanguage::English) << "the failed choice changed nothing";
    ASSERT_TRUE(handler.SetVoice(1));
    handler.Speak("x", 1);
    EXPECT_EQ(backend_.requests().back().voice, (SpeechVoice{SpeechLanguage::Spanish, SpeechGender::Male, 0}));

    // An unknown family keeps the family but makes the same number select again.
    EXPECT_EQ(handler.SetVoiceFamily(2), 2u);
    EXPECT_EQ(handler.family(), kSpeechFamilySpanish);
    EXPECT_TRUE(handler.SetVoice(1));

    // An English note after a Spanish one is read in English.
    handler.SetVoiceFamily(speechFamilyOfNoteLanguage(kNoteLanguageEnglish));
    ASSERT_TRUE(handler.SetVoice(1));
    handler.Speak("x", 1);
    EXPECT_EQ(backend_.requests().back().voice, (SpeechVoice{SpeechLanguage::English, SpeechGender::Female, 1}));
}

TEST_F(SpeechHandlerTest, OtherFamilyEntriesAreKeptButNotApplied) {
    ASSERT_EQ(savePronunciationFile(kPath, {{"queso", "keso", 0, 1}, {"gif", "jif", 0, 0}}), kSysOk);
    {
        SpeechHandler handler(backend_, kPath);
        ASSERT_TRUE(handler.SetVoice(0));
        handler.Speak("queso gif", 9);
        EXPECT_EQ(backend_.requests().back().text, "queso jif");
        ASSERT_TRUE(handler.AddPronunciation("tomato", "tomahto"));
    }
    const std::vector<Pronunciation> expected = {
        {"queso", "keso", 0, 1}, {"gif", "jif", 0, 0}, {"tomato", "tomahto", 0, 0}};
    EXPECT_EQ(fileList(), expected);
}

TEST_F(SpeechHandlerTest, AFailedWriteKeepsTheListInMemoryAndReportsIt) {
    SpeechHandler handler(backend_, kPath);
    ASSERT_TRUE(handler.SetVoice(0));
    handler.Speak("x", 1);
    ASSERT_TRUE(handler.AddPronunciation("gif", "jif"));
    drive_->setWriteProtected(true);
    handler.SetEnabled(true);
    handler.Speak("gif", 3);
    EXPECT_NE(handler.lastSaveError(), kSysOk);
    EXPECT_EQ(backend_.requests().back().text, "jif") << "the added word is still applied";
    drive_->setWriteProtected(false);
    handler.SetEnabled(true);
    handler.Speak("gif", 3);
    EXPECT_EQ(handler.lastSaveError(), kSysOk);
    EXPECT_EQ(fileList(), (std::vector<Pronunciation>{{"gif", "jif", 0, 0}}));
}

TEST_F(SpeechHandlerTest, PronunciationTextsAtTheLimitAreRefused) {
    SpeechHandler handler(backend_, kPath);
    EXPECT_TRUE(handler.AddPronunciation(std::string(kPronunciationTextLimit - 1, 'a'), "b"));
    EXPECT_FALSE(handler.AddPronunciation(std::string(kPronunciationTextLimit, 'a'), "b"));
    EXPECT_FALSE(handler.AddPronunciation("a", std::string(kPronunciationTextLimit, 'b')));
    EXPECT_EQ(handler.pronunciations().size(), 1u);
}

}  // namespace
