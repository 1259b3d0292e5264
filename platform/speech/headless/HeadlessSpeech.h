#pragma once
// The speech backend of tests and machines without espeak-ng: it keeps every request it was
// given and answers each with a short tone, so that playback paths run as with real speech.
#include <mutex>
#include <string>

#include "platform/speech/SpeechBackend.h"

namespace plat {

struct SpeechRequest {
    SpeechVoice voice;
    std::string text;
};

class HeadlessSpeechBackend : public SpeechBackend {
public:
    static constexpr uint32_t kSampleRate = 22050;
    static constexpr uint32_t kToneSamples = kSampleRate / 10;
    static constexpr uint32_t kVariantsPerGender = 2;

    explicit HeadlessSpeechBackend(bool standsIn = false) : standsIn_(standsIn) {}

    std::vector<SpeechVoice> voices() override;
    bool render(const SpeechVoice& voice, std::string_view text, const std::atomic<bool>& cancel,
                SpeechAudio& out) override;

    bool standsIn() const override { return standsIn_; }

    std::vector<SpeechRequest> requests() const;

private:
    bool standsIn_;
    mutable std::mutex mutex_;
    std::vector<SpeechRequest> requests_;
};

}  // namespace plat
