#include "text/speech/SpeechVoices.h"

using plat::SpeechGender;
using plat::SpeechLanguage;
using plat::SpeechVoice;

u32 speechFamilyOfNoteLanguage(u32 language) {
    return language == kNoteLanguageSpanish ? kSpeechFamilySpanish : kSpeechFamilyEnglish;
}

std::optional<SpeechVoice> speechVoiceFor(u32 family, u16 number) {
    static constexpr SpeechVoice kEnglish[] = {{SpeechLanguage::English, SpeechGender::Female, 0},
                                               {SpeechLanguage::English, SpeechGender::Female, 1},
                                               {SpeechLanguage::English, SpeechGender::Male, 0}};
    static constexpr SpeechVoice kSpanish[] = {{SpeechLanguage::Spanish, SpeechGender::Female, 0},
                                               {SpeechLanguage::Spanish, SpeechGender::Male, 0}};
    if (family == kSpeechFamilyEnglish && number < std::size(kEnglish)) return kEnglish[number];
    if (family == kSpeechFamilySpanish && number < std::size(kSpanish)) return kSpanish[number];
    return std::nullopt;
}
