#include "platform/speech/espeak/EspeakSpeech.h"

#include <espeak-ng/speak_lib.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace plat {
namespace {

struct Rendered {
    SpeechLanguage language;
    SpeechGender gender;
    const char* text;
};

// Real synthesis into memory, where espeak-ng and its voice data are installed.
TEST(EspeakSpeechTest, EnglishAndSpanishRenderAudibleSpeechOfPlausibleLength) {
    std::unique_ptr<SpeechBackend> backend = makeEspeakSpeechBackend();
    if (!backend) GTEST_FAIL() << "espeak-ng cannot start here";
    const Rendered cases[] = {
        {SpeechLanguage::English, SpeechGender::Female, "The little cat sat on the warm mat."},
        {SpeechLanguage::English, SpeechGender::Male, "The little cat sat on the warm mat."},
        {SpeechLanguage::Spanish, SpeechGender::Female, "El gato peque\xF1o duerme en la cama."},
        {SpeechLanguage::Spanish, SpeechGender::Male, "El gato peque\xF1o duerme en la cama."},
    };
    std::vector<SpeechAudio> rendered;
    for (const Rendered& c : cases) {
        SCOPED_TRACE(c.text);
        const SpeechVoice voice{c.language, c.gender, 0};
        ASSERT_NE(std::find(backend->voices().begin(), backend->voices().end(), voice), backend->voices().end());
        std::atomic<bool> cancel{false};
        SpeechAudio audio;
        ASSERT_TRUE(backend->render(voice, c.text, cancel, audio));
        ASSERT_GT(audio.sampleRate, 0u);
        // Eight words spoken take one to six seconds.
        const double seconds = double(audio.samples.size()) / audio.sampleRate;
        EXPECT_GT(seconds, 1.0);
        EXPECT_LT(seconds, 6.0);
        const int16_t loudest = *std::max_element(audio.samples.begin(), audio.samples.end(),
                                                  [](int16_t a, int16_t b) { return std::abs(a) < std::abs(b); });
        EXPECT_GT(std::abs(loudest), 1000);
        rendered.push_back(std::move(audio));
    }
    EXPECT_NE(rendered[0].samples, rendered[1].samples) << "female and male voices differ";
    EXPECT_NE(rendered[0].samples, rendered[2].samples) << "English and Spanish differ";
    // The Spanish spoken last is the program's Latin American Spanish.
    EXPECT_STREQ(espeak_GetCurrentVoice()->languages + 1, "es-419");
}

TEST(EspeakSpeechTest, ACancelledRenderingAnswersFalseWithNoSamples) {
    std::unique_ptr<SpeechBackend> backend = makeEspeakSpeechBackend();
    if (!backend) GTEST_FAIL() << "espeak-ng cannot start here";
    std::atomic<bool> cancel{true};
    SpeechAudio audio;
    EXPECT_FALSE(backend->render({SpeechLanguage::English, SpeechGender::Female, 0}, "Hello there", cancel, audio));
    EXPECT_TRUE(audio.samples.empty());
}

}  // namespace
}  // namespace plat
