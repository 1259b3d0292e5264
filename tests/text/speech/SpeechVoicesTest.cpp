#include "text/speech/SpeechVoices.h"

#include <gtest/gtest.h>

namespace {

using plat::SpeechGender;
using plat::SpeechLanguage;
using plat::SpeechVoice;

struct VoiceCase {
    u32 family;
    u16 number;
    std::optional<SpeechVoice> voice;
};

TEST(SpeechVoicesTest, EachFamilyNumbersItsVoicesAndNothingPastThem) {
    const VoiceCase cases[] = {
        {kSpeechFamilyEnglish, 0, SpeechVoice{SpeechLanguage::English, SpeechGender::Female, 0}},
        {kSpeechFamilyEnglish, 1, SpeechVoice{SpeechLanguage::English, SpeechGender::Female, 1}},
        {kSpeechFamilyEnglish, 2, SpeechVoice{SpeechLanguage::English, SpeechGender::Male, 0}},
        {kSpeechFamilyEnglish, 3, std::nullopt},
        {kSpeechFamilySpanish, 0, SpeechVoice{SpeechLanguage::Spanish, SpeechGender::Female, 0}},
        {kSpeechFamilySpanish, 1, SpeechVoice{SpeechLanguage::Spanish, SpeechGender::Male, 0}},
        {kSpeechFamilySpanish, 2, std::nullopt},
        {kSpeechFamilyCount, 0, std::nullopt},
    };
    for (const VoiceCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.family << "/" << c.number);
        EXPECT_EQ(speechVoiceFor(c.family, c.number), c.voice);
    }
}

TEST(SpeechVoicesTest, NoteLanguagesMapOntoFamilies) {
    EXPECT_EQ(speechFamilyOfNoteLanguage(kNoteLanguageSpanish), kSpeechFamilySpanish);
    EXPECT_EQ(speechFamilyOfNoteLanguage(kNoteLanguageEnglish), kSpeechFamilyEnglish);
    EXPECT_EQ(speechFamilyOfNoteLanguage(0), kSpeechFamilyEnglish);
}

}  // namespace
