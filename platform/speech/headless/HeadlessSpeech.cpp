#include "platform/speech/headless/HeadlessSpeech.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace plat {

std::vector<SpeechVoice> HeadlessSpeechBackend::voices() {
    std::vector<SpeechVoice> all;
    for (SpeechLanguage language : {SpeechLanguage::English, SpeechLanguage::Spanish})
        for (SpeechGender gender : {SpeechGender::Female, SpeechGender::Male})
            for (uint32_t variant = 0; variant < kVariantsPerGender; ++variant)
                all.push_back({language, gender, variant});
    return all;
}

bool HeadlessSpeechBackend::render(const SpeechVoice& voice, std::string_view text,
                                   const std::atomic<bool>& cancel, SpeechAudio& out) {
    out.samples.clear();
    {
        std::lock_guard lock(mutex_);
        requests_.push_back({voice, std::string(text)});
    }
    const std::vector<SpeechVoice> offered = voices();
    if (std::find(offered.begin(), offered.end(), voice) == offered.end() || cancel.load()) return false;
    out.sampleRate = kSampleRate;
    out.samples.resize(kToneSamples);
    constexpr double kPitch = 440.0;
    for (uint32_t i = 0; i < kToneSamples; ++i)
        out.samples[i] = int16_t(8000.0 * std::sin(2.0 * std::numbers::pi * kPitch * i / kSampleRate));
    return true;
}

std::vector<SpeechRequest> HeadlessSpeechBackend::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

}  // namespace plat
